// TGIFSubImage: one frame of a GIF file, with its image descriptor, local colour map, the
// extensions that precede it and its pixels (one colour index per byte, rows top to bottom).
#pragma once

#include "imaging/gif_color_map.h"
#include "imaging/gif_extension_list.h"
#include "imaging/gif_item.h"
#include "platform/graphics/palette.h"

#include <cstdint>
#include <vector>

class TGIFGraphicControlExtension;

// The image descriptor as the file stores it.
struct TImageDescriptor {
    uint8_t Separator = 0x2C;
    uint16_t Left = 0;
    uint16_t Top = 0;
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t PackedFields = 0;
};

class TGIFSubImage final : public TGIFItem {
public:
    explicit TGIFSubImage(TGIFImage* AImage);
    ~TGIFSubImage() override;

    // Frees the pixels, empties the local map and the extensions, and zeroes the descriptor.
    void Clear();
    // Without pixels.
    bool Empty() const { return data_.empty(); }

    const TImageDescriptor& Descriptor() const { return descriptor_; }
    int Left() const { return descriptor_.Left; }
    int Top() const { return descriptor_.Top; }
    int Width() const { return descriptor_.Width; }
    int Height() const { return descriptor_.Height; }
    // A change of width or height replaces the pixels by zeros of the new size. A frame that
    // reaches past the logical screen widens or heightens the screen, with a warning unless the
    // screen had no size yet.
    void SetBounds(uint16_t ALeft, uint16_t ATop, uint16_t AWidth, uint16_t AHeight);
    void SetLeft(uint16_t Value) { SetBounds(Value, descriptor_.Top, descriptor_.Width, descriptor_.Height); }
    void SetTop(uint16_t Value) { SetBounds(descriptor_.Left, Value, descriptor_.Width, descriptor_.Height); }
    void SetWidth(uint16_t Value) { SetBounds(descriptor_.Left, descriptor_.Top, Value, descriptor_.Height); }
    void SetHeight(uint16_t Value) { SetBounds(descriptor_.Left, descriptor_.Top, descriptor_.Width, Value); }

    bool Interlaced() const { return descriptor_.PackedFields & InterlaceFlag; }
    void SetInterlaced(bool Value);

    // The pixels: Width × Height bytes, rows top to bottom.
    uint8_t* Data() { return data_.data(); }
    const uint8_t* Data() const { return data_.data(); }
    int64_t DataSize() const { return int64_t(data_.size()); }
    // Fail with "Invalid pixel coordinates" outside the frame and "Image is empty" without pixels.
    uint8_t Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, uint8_t Value);
    uint8_t* Scanline(int Y);

    TGIFLocalColorMap& ColorMap() { return colorMap_; }
    // The local map when it has entries, else the global map when that has, else the local map.
    TGIFColorMap& ActiveColorMap();
    TGIFExtensionList& Extensions() { return extensions_; }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value) { transparent_ = Value; }
    // The first graphic control extension made for this frame, or none.
    TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }
    void SetGraphicControlExtension(TGIFGraphicControlExtension* Value) { graphicControl_ = Value; }

    // The palette made for this frame; cleared when its colours change.
    const win::Palette& Palette() const { return palette_; }
    void SetPalette(const win::Palette& Value) { palette_ = Value; }

    // Adds how often each pixel value occurs.
    void CountPixels(TColorUse& Counts) const;
    // Rewrites every pixel, and the transparent index of a transparent frame, through Map.
    void RemapPixels(const TColorRemap& Map);

    // 89a when the local map is sorted or the frame has extensions.
    TGIFVersion GetVersion() const override;
    // Writes the extensions, then, unless the frame is empty, the descriptor, the local map and the
    // pixels coded by the image's encoding. A frame with a local map is written in plain row order.
    void SaveToStream(TStream& Stream) override;
    // Reads the extensions, then, unless the stream is at the trailer or at a 0 byte, the
    // descriptor, the local map and the pixels.
    void LoadFromStream(TStream& Stream) override;

private:
    static constexpr uint8_t ColorMapFlag = 0x80;
    static constexpr uint8_t InterlaceFlag = 0x40;
    static constexpr uint8_t SortFlag = 0x20;

    // Makes Size bytes of pixels set to Fill, within the image's pixel budget.
    void AllocatePixels(int64_t Size, uint8_t Fill);
    void FreePixels();
    uint8_t* PixelAt(int X, int Y);

    TImageDescriptor descriptor_;
    bool transparent_ = false;
    TGIFGraphicControlExtension* graphicControl_ = nullptr;
    win::Palette palette_;
    std::vector<uint8_t> data_;
    TGIFLocalColorMap colorMap_;
    TGIFExtensionList extensions_;
};
