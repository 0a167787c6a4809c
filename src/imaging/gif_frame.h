// TGIFSubImage: one frame of a GIF file, with its image descriptor, local colour map, the
// extensions that precede it and its pixels (one colour index per byte, rows top to bottom); it
// renders itself into a cached bitmap with a transparency mask, draws itself, and takes its pixels
// from other graphics.
#pragma once

#include "imaging/gif_color_map.h"
#include "imaging/gif_extension_list.h"
#include "imaging/gif_item.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/palette.h"

#include <QImage>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

class TCanvas;
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

    // Frees the pixels and the cached bitmap, empties the local map and the extensions, and zeroes
    // the descriptor.
    void Clear();
    // Without pixels.
    bool Empty() const { return data_.empty(); }

    const TImageDescriptor& Descriptor() const { return descriptor_; }
    int Left() const { return descriptor_.Left; }
    int Top() const { return descriptor_.Top; }
    int Width() const { return descriptor_.Width; }
    int Height() const { return descriptor_.Height; }
    // A change of width or height replaces the pixels by zeros of the new size and drops the cached
    // bitmap and mask. A frame that
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

    // The palette the frame is rendered with: the cached bitmap's, else the stored one, else the
    // web palette when the image uses it, else the image's palette when the frame has no colours
    // of its own, else one made from the local map. The last two are stored.
    win::Palette GetPalette();
    // Stores the palette; a cached bitmap with another palette is dropped, and the image marks its
    // palette modified and reports a change. Colour map changes store an empty palette.
    void SetPalette(const win::Palette& Value);
    const win::Palette& StoredPalette() const { return palette_; }

    // The frame rendered as an 8-bit bitmap, made when missing ("Rendering..." progress of the
    // image). Frames of no pixels give a bitmap of their size.
    TBitmap* GetBitmap();
    // Renders again when the mask is out of date on a transparent frame; true when a mask exists,
    // that is when a pixel uses the transparent index.
    bool HasTransparencyMask();
    // The mask: 1 bit per pixel (black, white), 1 where the pixel is the transparent index.
    const TBitmap* Mask() const { return mask_.get(); }
    // Drops the cached bitmap and mask.
    void FreeBitmap();
    // Draws the frame at its place in the logical screen scaled into Rect, or tiled over Rect at the
    // screen's size; transparent pixels left out when DoTransparent is set and the frame has a mask.
    void Draw(TCanvas& ACanvas, const QRect& Rect, bool DoTransparent, bool DoTile);

    // Takes a frame (a copy), a bitmap (its pixels and colours, reducing true colour by the image's
    // reduction settings), an icon or a metafile (with their transparency), another graphic, or a
    // picture's graphic.
    void Assign(TPersistent* Source) override;

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

protected:
    // A bitmap receives the frame's bitmap.
    void AssignTo(TPersistent* Dest) override;

private:
    static constexpr uint8_t ColorMapFlag = 0x80;
    static constexpr uint8_t InterlaceFlag = 0x40;
    static constexpr uint8_t SortFlag = 0x20;

    // Makes Size bytes of pixels set to Fill, within the image's pixel budget.
    void AllocatePixels(int64_t Size, uint8_t Fill);
    void FreePixels();
    uint8_t* PixelAt(int X, int Y);
    void Render();
    // The rendered bitmap with the masked pixels transparent, made when missing.
    const QImage& MaskedImage();
    void AssignFrame(TGIFSubImage& Source);
    void AssignBitmap(TBitmap& Source);
    void AssignGraphic(TGraphic& Source);
    // Gives the pixels marked in Mask (read as 8 bits per pixel: not 0) a new black entry of the
    // active map and makes the frame transparent with it; nothing when the map is empty or full.
    void ApplyMask(TBitmap& Mask);

    TImageDescriptor descriptor_;
    bool transparent_ = false;
    TGIFGraphicControlExtension* graphicControl_ = nullptr;
    win::Palette palette_;
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<TBitmap> mask_;
    bool maskOutOfDate_ = true;
    QImage maskedImage_;
    std::vector<uint8_t> data_;
    TGIFLocalColorMap colorMap_;
    TGIFExtensionList extensions_;
};
