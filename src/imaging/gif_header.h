// TGIFHeader: the logical screen descriptor and the global colour map; TGIFTrailer: the end mark.
#pragma once

#include "imaging/gif_color_map.h"
#include "imaging/gif_item.h"

#include <cstdint>

// The logical screen descriptor as the file stores it.
struct TLogicalScreenDescriptor {
    uint16_t ScreenWidth = 0;
    uint16_t ScreenHeight = 0;
    uint8_t PackedFields = 0;
    uint8_t BackgroundColorIndex = 0;
    uint8_t AspectRatio = 0;
};

class TGIFHeader final : public TGIFItem {
public:
    explicit TGIFHeader(TGIFImage* AImage) : TGIFItem(AImage), colorMap_(this) {}

    const TLogicalScreenDescriptor& Descriptor() const { return descriptor_; }
    int Width() const { return descriptor_.ScreenWidth; }
    int Height() const { return descriptor_.ScreenHeight; }
    void SetWidth(uint16_t Value) { descriptor_.ScreenWidth = Value; }
    void SetHeight(uint16_t Value) { descriptor_.ScreenHeight = Value; }
    uint8_t BackgroundColorIndex() const { return descriptor_.BackgroundColorIndex; }
    void SetBackgroundColorIndex(uint8_t Value) { descriptor_.BackgroundColorIndex = Value; }
    uint8_t AspectRatio() const { return descriptor_.AspectRatio; }
    void SetAspectRatio(uint8_t Value) { descriptor_.AspectRatio = Value; }
    uint8_t Flags() const { return descriptor_.PackedFields; }
    TGIFGlobalColorMap& ColorMap() { return colorMap_; }
    const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

    // Zeroes the descriptor and empties the global map.
    void Clear();
    using TPersistent::Assign;
    // Takes the descriptor and the global map of Source.
    void Assign(const TGIFHeader& Source);
    // Clears the header and takes Map as its global map.
    void Assign(const TGIFColorMap& Map);
    // Recomputes the flags from the global map: bit 7 when it has entries, bit 3 when it is sorted,
    // bits 4 to 6 and 0 to 2 its bits per pixel less one (7 for an empty map).
    void UpdateFlags();

    // 89a when the global map is sorted or the aspect byte is not 0.
    TGIFVersion GetVersion() const override;
    // Writes the signature with the image's required version (failing with "Unsupported GIF
    // version" when it has none), the descriptor with recomputed flags and the global map.
    void SaveToStream(TStream& Stream) override;
    // Reads the signature (also after four bytes of anything), the descriptor and the global map.
    void LoadFromStream(TStream& Stream) override;

private:
    TLogicalScreenDescriptor descriptor_;
    TGIFGlobalColorMap colorMap_;
};

class TGIFTrailer final : public TGIFItem {
public:
    using TGIFItem::TGIFItem;

    void SaveToStream(TStream& Stream) override;
    // A byte other than the trailer gives a warning; the end of the stream is accepted.
    void LoadFromStream(TStream& Stream) override;
};
