// The colour grid: cells, copies, equality and its form properties.
#include "highlighter/options/color_array.h"

#include "platform/rtl/resource_strings.h"

#include <algorithm>

TColorArrayClass::TColorArrayClass(int AXSize, int AYSize)
{
    Reallocate(AXSize, AYSize);
}

void TColorArrayClass::Reallocate(int AXSize, int AYSize)
{
    xSize_ = std::max(AXSize, 0);
    ySize_ = std::max(AYSize, 0);
    colors_.assign(std::size_t(xSize_) * std::size_t(ySize_), 0);
}

void TColorArrayClass::SetXSize(int Value)
{
    if (Value != xSize_)
        Reallocate(Value, ySize_);
}

void TColorArrayClass::SetYSize(int Value)
{
    if (Value != ySize_)
        Reallocate(xSize_, Value);
}

std::size_t TColorArrayClass::IndexOf(int X, int Y) const
{
    if (X < 1 || X > xSize_ || Y < 1 || Y > ySize_)
        throw EColorArrayIndexError(LoadStr(4209));
    return std::size_t(Y - 1) * std::size_t(xSize_) + std::size_t(X - 1);
}

TColor TColorArrayClass::Color(int X, int Y) const
{
    return colors_[IndexOf(X, Y)];
}

void TColorArrayClass::SetColor(int X, int Y, TColor Value)
{
    colors_[IndexOf(X, Y)] = Value;
}

void TColorArrayClass::Assign(TPersistent* Source)
{
    if (auto* other = dynamic_cast<TColorArrayClass*>(Source)) {
        xSize_ = other->xSize_;
        ySize_ = other->ySize_;
        colors_ = other->colors_;
        return;
    }
    TPersistent::Assign(Source);
}

bool TColorArrayClass::Equals(const TColorArrayClass* Other) const
{
    if (Other == this)
        return true;
    return Other && xSize_ == Other->xSize_ && ySize_ == Other->ySize_ && colors_ == Other->colors_;
}

std::vector<TStreamedProperty> TColorArrayClass::WriteProperties() const
{
    TStreamedProperty colors{QStringLiteral("Colors"), {}};
    for (int x = 1; x <= xSize_; ++x)
        for (int y = 1; y <= ySize_; ++y)
            colors.Values.push_back(Color(x, y));
    return {{QStringLiteral("XSize"), {xSize_}}, {QStringLiteral("YSize"), {ySize_}}, colors};
}

void TColorArrayClass::ReadProperty(const TStreamedProperty& Property)
{
    if (Property.Name == QLatin1String("XSize") && !Property.Values.empty()) {
        SetXSize(Property.Values.front());
    } else if (Property.Name == QLatin1String("YSize") && !Property.Values.empty()) {
        SetYSize(Property.Values.front());
    } else if (Property.Name == QLatin1String("Colors")) {
        auto value = Property.Values.begin();
        for (int x = 1; x <= xSize_; ++x)
            for (int y = 1; y <= ySize_ && value != Property.Values.end(); ++y)
                SetColor(x, y, *value++);
    }
}
