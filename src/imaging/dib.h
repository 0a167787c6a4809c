// Row access to bitmaps in a fixed pixel format (TDIBReader), building an 8- or 24-bit bitmap row
// by row in memory (TDIBWriter), the row-size and colour-count rules and the 216-colour web palette.
#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/palette.h"
#include "platform/rtl/object.h"

#include <QByteArray>
#include <cstdint>

// The bytes of a row of Pixels pixels of Bits bits, the row padded to a multiple of Alignment bits.
int64_t BytesPerScanline(int64_t Pixels, int Bits, int Alignment);

// The bits per pixel a table of Count colours needs: 0 for none, 1 up to two colours, else the
// smallest n with 2 to the n at least Count.
int BitsForColorCount(int64_t Count);

// The web palette: entry r × 36 + g × 6 + b holds r × 51, g × 51, b × 51 (r, g, b in 0..5).
win::Palette WebPalette();

// The base of the row accessors: a bitmap (not owned) and the pixel format they work in.
class TDIB : public TObject {
public:
    TDIB(TBitmap* ABitmap, TPixelFormat APixelFormat) : bitmap_(ABitmap), pixelFormat_(APixelFormat) {}

    TBitmap* Bitmap() const { return bitmap_; }
    TPixelFormat PixelFormat() const { return pixelFormat_; }

    // The address of a row; row 0 is the top row.
    virtual uint8_t* ScanLine(int Row) = 0;

protected:
    TBitmap* bitmap_;
    TPixelFormat pixelFormat_;
};

// Reads (and may change) a bitmap's rows after converting it to the given pixel format.
class TDIBReader : public TDIB {
public:
    TDIBReader(TBitmap* ABitmap, TPixelFormat APixelFormat);

    uint8_t* ScanLine(int Row) override { return bitmap_->ScanLine(Row); }
};

// Builds an 8- or 24-bit device-independent bitmap in memory and, when it is finished or destroyed,
// loads the bitmap from it. The memory is made at the first ScanLine: a BMP file image (file
// header, 40-byte information header, for 8 bits a colour table of 256 entries, then the rows,
// stored bottom-up). A writer destroyed before any ScanLine leaves the bitmap as it was.
class TDIBWriter : public TDIB {
public:
    // Fails with "Unsupported PixelFormat" for formats other than pf8bit and pf24bit and with
    // "Invalid image dimensions" for a width or height below 1.
    TDIBWriter(TBitmap* ABitmap, TPixelFormat APixelFormat, int AWidth, int AHeight,
               const win::Palette& APalette);
    // Finishes the bitmap unless Finish did; a failure here cannot be reported, so callers that
    // must know call Finish.
    ~TDIBWriter() override;

    // Loads the bitmap from what was written (nothing when no row was asked for); fails when the
    // bitmap cannot get its memory. Later calls do nothing.
    void Finish();

    // Fails with "Scan line index out of range" for a row outside 0 .. height - 1 and with
    // "Image has no DIB" once the writer is finished; the first call fails with "Failed to allocate
    // memory for GIF DIB" when the bitmap would pass MaxBitmapBytes or its memory cannot be had.
    uint8_t* ScanLine(int Row) override;

    // The BMP file image built so far (empty before the first ScanLine).
    const QByteArray& FileImage() const { return file_; }

private:
    void MakeDIB();

    QByteArray file_;
    int64_t bitsOffset_ = 0;
    int64_t rowBytes_ = 0;
    win::Palette palette_;
    int height_;
    int width_;
    bool finished_ = false;
};
