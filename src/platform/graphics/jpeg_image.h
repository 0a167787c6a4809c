// TJPEGImage: a JPEG picture, decoded by libjpeg into a 24-bit bitmap; the file image is kept as
// it was read.
#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphic.h"

#include <QByteArray>
#include <cstdint>

// The largest pixel store a decoded JPEG picture may have, in bytes (3 bytes a pixel).
constexpr int64_t MaxJPEGPixelBytes = int64_t(1) << 28;

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    // The decoded pixels (24 bits per pixel).
    const TBitmap& Bitmap() const { return bitmap_; }
    // The file image read.
    const QByteArray& Data() const { return data_; }

    void Draw(TCanvas& ACanvas, const QRect& Rect) override;
    bool Empty() const override { return bitmap_.Empty(); }
    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    // Fail with "Cannot change the size of a JPEG image".
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    // Decodes a JPEG file image (greyscale, colour or CMYK). A file libjpeg refuses fails with
    // EInvalidGraphic "JPEG error: <libjpeg's message>"; a picture whose pixels would pass
    // MaxJPEGPixelBytes with "JPEG image is too large". On a failure the picture keeps what it held.
    void LoadFromData(const QByteArray& Data);
    // Reads a JPEG file image from the stream's position to its end.
    void LoadFromStream(TStream& Stream) override;
    // Writes the file image read (nothing for an empty picture).
    void SaveToStream(TStream& Stream) override;
    // Fails with "Unsupported clipboard format".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                 const win::Palette& APalette) override;
    // The pixels as the clipboard's bitmap.
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) override;

    void Assign(TPersistent* Source) override;

private:
    QByteArray data_;
    TBitmap bitmap_;
};
