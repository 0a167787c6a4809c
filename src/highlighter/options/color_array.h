// TColorArrayClass: a small grid of colours, XSize columns by YSize rows, that copies itself and
// travels in a form as the properties "XSize", "YSize" and "Colors".
#pragma once

#include "platform/graphics/colors.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/persistent.h"

#include <QString>
#include <cstdint>
#include <vector>

// A cell outside the grid: "Array index out of bounds".
class EColorArrayIndexError : public Exception {
public:
    using Exception::Exception;
};

// One property as a form carries it: its name and its integer, or its list of integers.
struct TStreamedProperty {
    QString Name;
    std::vector<std::int32_t> Values;
    bool operator==(const TStreamedProperty&) const = default;
};

class TColorArrayClass : public TPersistent {
public:
    // A grid of the given size, all cells 0.
    TColorArrayClass(int AXSize, int AYSize);

    int XSize() const { return xSize_; }
    int YSize() const { return ySize_; }
    // A new size makes a new grid (the colours are lost); the same size keeps them.
    void SetXSize(int Value);
    void SetYSize(int Value);

    // Cell (X, Y), both from 1; outside the grid raises EColorArrayIndexError.
    TColor Color(int X, int Y) const;
    void SetColor(int X, int Y, TColor Value);

    // From another grid: its size and all its colours.
    void Assign(TPersistent* Source) override;
    // The same object; else the same size and the same colours. Never equal to no grid.
    bool Equals(const TColorArrayClass* Other) const;

    // The grid as a form writes it: "XSize", "YSize", then "Colors" column by column
    // ((1,1), (1,2), ... (1,YSize), (2,1), ...).
    std::vector<TStreamedProperty> WriteProperties() const;
    // Reads one of them: a size property sets the size as its setter does; "Colors" fills the
    // cells in the written order until the list ends (or the grid is full). Others are ignored.
    void ReadProperty(const TStreamedProperty& Property);

private:
    std::size_t IndexOf(int X, int Y) const;
    void Reallocate(int AXSize, int AYSize);

    int xSize_ = 0;
    int ySize_ = 0;
    std::vector<TColor> colors_;
};
