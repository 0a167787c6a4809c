// Row access to bitmaps, the in-memory bitmap writer and the web palette.
#include "imaging/dib.h"

#include "imaging/gif_exception.h"
#include "platform/graphics/graphics_errors.h"

#include <algorithm>
#include <new>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int ColorTableEntries = 256;

void PutU16(QByteArray& to, qsizetype at, uint32_t value)
{
    to[at] = char(value & 0xFF);
    to[at + 1] = char((value >> 8) & 0xFF);
}

void PutU32(QByteArray& to, qsizetype at, uint32_t value)
{
    PutU16(to, at, value & 0xFFFF);
    PutU16(to, at + 2, value >> 16);
}

} // namespace

int64_t BytesPerScanline(int64_t Pixels, int Bits, int Alignment)
{
    return (Pixels * Bits + Alignment - 1) / Alignment * Alignment / 8;
}

int BitsForColorCount(int64_t Count)
{
    if (Count <= 0)
        return 0;
    int bits = 1;
    while ((int64_t(1) << bits) < Count)
        ++bits;
    return bits;
}

win::Palette WebPalette()
{
    win::Palette palette;
    palette.Entries.reserve(216);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.Entries.push_back({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51), 0});
    return palette;
}

TDIBReader::TDIBReader(TBitmap* ABitmap, TPixelFormat APixelFormat) : TDIB(ABitmap, APixelFormat)
{
    bitmap_->SetPixelFormat(APixelFormat);
}

TDIBWriter::TDIBWriter(TBitmap* ABitmap, TPixelFormat APixelFormat, int AWidth, int AHeight,
                       const win::Palette& APalette)
    : TDIB(ABitmap, APixelFormat), palette_(APalette), height_(AHeight), width_(AWidth)
{
    if (APixelFormat != pf8bit && APixelFormat != pf24bit)
        throw GIFException(QStringLiteral("Unsupported PixelFormat"));
    if (AWidth < 1 || AHeight < 1)
        throw GIFException(QStringLiteral("Invalid image dimensions"));
}

TDIBWriter::~TDIBWriter()
{
    try {
        Finish();
    } catch (...) {
        // Out of memory while unwinding or for a caller that did not finish: the bitmap stays as it was.
    }
}

void TDIBWriter::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    if (!file_.isEmpty())
        bitmap_->LoadFromBMP(file_);
    file_.clear();
}

void TDIBWriter::MakeDIB()
{
    const int bitCount = pixelFormat_ == pf8bit ? 8 : 24;
    const int tableBytes = bitCount == 8 ? 4 * ColorTableEntries : 0;
    const int64_t headerBytes = InfoHeaderSize + tableBytes;
    rowBytes_ = BytesPerScanline(width_, bitCount, 32);
    if (rowBytes_ > MaxBitmapBytes / height_)
        throw EOutOfMemory(QStringLiteral("Failed to allocate memory for GIF DIB"));
    const int64_t bitsBytes = rowBytes_ * height_;
    bitsOffset_ = FileHeaderSize + headerBytes;
    try {
        file_ = QByteArray(bitsOffset_ + bitsBytes, '\0');
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(QStringLiteral("Failed to allocate memory for GIF DIB"));
    }

    file_[0] = 'B';
    file_[1] = 'M';
    PutU32(file_, 2, uint32_t(bitsOffset_ + bitsBytes));
    PutU32(file_, 10, uint32_t(bitsOffset_));

    const qsizetype info = FileHeaderSize;
    PutU32(file_, info + 0, InfoHeaderSize);
    PutU32(file_, info + 4, uint32_t(width_));
    PutU32(file_, info + 8, uint32_t(height_)); // positive: rows stored bottom-up
    PutU16(file_, info + 12, 1);                // planes
    PutU16(file_, info + 14, uint32_t(bitCount));
    // Compression (uncompressed), image size and resolutions stay 0.
    if (bitCount == 8) {
        const int entries = std::min(palette_.Count(), ColorTableEntries);
        PutU32(file_, info + 32, ColorTableEntries); // colours used
        PutU32(file_, info + 36, uint32_t(palette_.Count()));
        for (int i = 0; i < entries; ++i) {
            const auto& e = palette_.Entries[size_t(i)];
            const qsizetype quad = info + InfoHeaderSize + 4 * i;
            file_[quad] = char(e.peBlue);
            file_[quad + 1] = char(e.peGreen);
            file_[quad + 2] = char(e.peRed);
        }
    }
}

uint8_t* TDIBWriter::ScanLine(int Row)
{
    if (finished_)
        throw GIFException(QStringLiteral("Image has no DIB"));
    if (file_.isEmpty())
        MakeDIB();
    if (Row < 0 || Row >= height_)
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return reinterpret_cast<uint8_t*>(file_.data()) + bitsOffset_ + rowBytes_ * (height_ - 1 - Row);
}
