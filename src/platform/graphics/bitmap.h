// TBitmap: a picture of 1, 4, 8 or 24 bits per pixel over a QImage, with scan lines, a palette,
// a canvas, a transparent colour and the clipboard's bitmap format.
#pragma once

#include "platform/graphics/colors.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/palette.h"

#include <QByteArray>
#include <QImage>
#include <cstdint>

// The pixel formats of bitmaps, numbered as the class library numbers them.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// The largest pixel store a bitmap or a bitmap under construction may have, in bytes.
constexpr int64_t MaxBitmapBytes = int64_t(1) << 30;

// A bitmap. Pixels are laid out as a device-independent bitmap lays them out: rows 32-bit aligned;
// 1 bit per pixel most significant bit first; 4 bits two pixels per byte, high half first; 8 bits
// one palette index per byte; 24 bits blue, green, red. Rows are top-down: ScanLine(0) is the top
// row and rows need not follow each other in memory. The device format is 24 bits; 15, 16 and
// 32 bits and custom formats are refused.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Resizing keeps the pixels that stay inside; new pixels are 0 (black, or palette index 0).
    void SetWidth(int Value) override { SetSize(Value, height_); }
    void SetHeight(int Value) override { SetSize(width_, Value); }
    void SetSize(int AWidth, int AHeight);
    bool Empty() const override { return width_ == 0 || height_ == 0; }

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels. Towards more bits per pixel nothing is lost (indexes stay); towards
    // fewer, each pixel takes the nearest colour of the palette when it fits the format, else of
    // the format's default palette (black and white; 16 static colours; the halftone palette).
    void SetPixelFormat(TPixelFormat Value);

    // The address of row Row; fails with "Scan line index out of range" outside the bitmap.
    uint8_t* ScanLine(int Row);
    const uint8_t* ScanLine(int Row) const;

    const win::Palette& Palette() const { return palette_; }
    win::Palette GetPalette() override { return palette_; }
    void SetPalette(const win::Palette& Value) override;

    // Drawing onto the bitmap works in 24 bits per pixel: an indexed bitmap becomes 24 bits per
    // pixel (keeping its palette) when its canvas first paints.
    TCanvas& Canvas();
    // Draws the bitmap scaled into Rect; a transparent bitmap leaves out the pixels of its
    // transparent colour.
    void Draw(TCanvas& ACanvas, const QRect& Rect) override;

    // The colour a transparent bitmap leaves out; clDefault stands for the colour of the
    // bottom-left pixel.
    TColor TransparentColor = clDefault;
    // A 1-bit bitmap (black, white) with a 1 where the pixel shows the transparent colour.
    std::unique_ptr<TBitmap> MaskBitmap() const;

    void Assign(TPersistent* Source) override;
    void Assign(const TBitmap& Source);
    // Takes a QImage's pixels: Mono stays 1 bit, Indexed8 8 bits, anything else becomes 24 bits.
    void AssignImage(const QImage& Image);
    // The pixels as a QImage for drawing and saving: Mono, Indexed8 (also for 4 bits) or BGR888.
    QImage ToImage() const;

    // Loads a BMP file image of an uncompressed 1, 4, 8 or 24-bit picture, stored bottom-up or
    // top-down; anything else fails with "Bitmap image is not valid".
    void LoadFromBMP(const QByteArray& Data);
    // Reads a BMP file image from the stream's position to its end.
    void LoadFromStream(TStream& Stream) override;
    // Writes a BMP file image (4-bit bitmaps as 8 bits per pixel).
    void SaveToStream(TStream& Stream) override;
    // CF_BITMAP only; other formats fail with "Unsupported clipboard format".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                 const win::Palette& APalette) override;
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) override;

private:
    friend class TBitmapCanvas;
    // The pixels as a 24-bit image to paint on.
    QImage* PaintImage();

    void Replace(TPixelFormat format, int width, int height, QImage image, win::Palette palette);
    void SyncColorTable();

    TPixelFormat format_ = pf24bit;
    int width_ = 0;
    int height_ = 0;
    // Format_Mono, Format_Indexed8 or Format_BGR888; for 4 bits a Format_Grayscale8 image holding
    // the packed bytes (half the width), whose rows have the same 32-bit aligned length.
    QImage image_;
    win::Palette palette_;
    std::unique_ptr<TCanvas> canvas_;
};
