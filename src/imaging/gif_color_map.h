// GIF colour maps: TGIFColorMap with its entries, lookups, palettes and optimisation, and the two
// kinds a file has, the global map of the header and the local map of a frame.
#pragma once

#include "imaging/gif_types.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/palette.h"
#include "platform/rtl/object.h"
#include "platform/rtl/streams.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class TGIFHeader;
class TGIFSubImage;

struct TGIFColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;

    friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

// Use counts of the 256 possible pixel values.
using TColorUse = std::array<int64_t, 256>;
// A new index for each of the 256 possible pixel values.
using TColorRemap = std::array<uint8_t, 256>;

// At most 256 colours. A map flagged sorted has its most used colours first.
class TGIFColorMap : public TObject {
public:
    static constexpr int MaxColors = 256;

    int Count() const { return int(entries_.size()); }
    const TGIFColor* Data() const { return entries_.data(); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value) { sorted_ = Value; }

    void Clear();
    // Appends the colour and returns its index; fails with "Color table overflow" on a full map.
    int Add(TGIFColor Color);
    // The index of an equal colour, else Add.
    int AddIfAbsent(TGIFColor Color);
    // A sorted map answers its first equal colour, any other its last; -1 when there is none.
    int IndexOf(TGIFColor Color) const;
    // Fails with "Invalid color index" outside the map.
    void Delete(int Index);
    // Fails with "Color table is empty" on an empty map; an index outside the map gives the warning
    // "Invalid color index" and the colour of entry 0.
    TGIFColor Color(int Index);
    // The bits per pixel the map's colours need (0 for an empty map).
    int BitsForCount() const;

    // Replace the entries: from up to 256 palette entries; from Count four-byte blue, green, red,
    // reserved entries; from a bitmap's colour table.
    void FillFromPalette(const win::Palette& Palette);
    void FillFromRGBQuads(const uint8_t* Quads, int Count);
    void FillFromDIBColorTable(const TBitmap& Bitmap);
    // A palette of every entry flagged PC_NOCOLLAPSE; empty for an empty map.
    win::Palette MakePaletteHandle() const;

    // Writes nothing for an empty map, else the entries padded with black to 2 to the
    // BitsForCount entries.
    void SaveToStream(TStream& Stream) const;
    // Replaces the entries by Count entries read from the stream.
    void LoadFromStream(TStream& Stream, int Count);
    void Assign(const TGIFColorMap& Source);

    // Sorts the entries by how often the pixels use them, most used first, drops the unused ones
    // from the end and rewrites the pixels to match. A map of fewer than two entries is left alone
    // (false); otherwise the map is flagged sorted (true).
    virtual bool Optimize();
    virtual void Warning(TGIFSeverity Severity, const QString& Message) = 0;

protected:
    // Counts how often the pixels that use this map take each value.
    virtual void CountColorUse(TColorUse& Counts) = 0;
    // Rewrites the pixels that use this map, and their transparent index, through Map.
    virtual void RemapFramePixels(const TColorRemap& Map) = 0;
    // The entries changed: drops the palette made from them.
    virtual void Changed() = 0;

private:
    std::vector<TGIFColor> entries_;
    bool sorted_ = false;
};

// The header's map: the colours of every frame without a map of its own.
class TGIFGlobalColorMap final : public TGIFColorMap {
public:
    explicit TGIFGlobalColorMap(TGIFHeader* AHeader) : header_(AHeader) {}

    TGIFHeader* Header() const { return header_; }
    // Only optimised when the image has frames.
    bool Optimize() override;
    void Warning(TGIFSeverity Severity, const QString& Message) override;

protected:
    void CountColorUse(TColorUse& Counts) override;
    void RemapFramePixels(const TColorRemap& Map) override;
    void Changed() override;

private:
    TGIFHeader* header_;
};

// A frame's own map.
class TGIFLocalColorMap final : public TGIFColorMap {
public:
    explicit TGIFLocalColorMap(TGIFSubImage* ASubImage) : subImage_(ASubImage) {}

    TGIFSubImage* SubImage() const { return subImage_; }
    void Warning(TGIFSeverity Severity, const QString& Message) override;

protected:
    void CountColorUse(TColorUse& Counts) override;
    void RemapFramePixels(const TColorRemap& Map) override;
    void Changed() override;

private:
    TGIFSubImage* subImage_;
};
