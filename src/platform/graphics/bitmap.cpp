// TBitmap: the pixel store of each format, resizing, conversion between formats and BMP loading.
#include "platform/graphics/bitmap.h"

#include "platform/graphics/canvas.h"
#include "platform/graphics/graphics_errors.h"

#include <QBuffer>
#include <algorithm>
#include <cstring>

namespace {

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    default:
        return 24;
    }
}

bool IsIndexed(TPixelFormat format)
{
    return format == pf1bit || format == pf4bit || format == pf8bit;
}

QImage::Format StorageFormat(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return QImage::Format_Mono;
    case pf4bit:
        return QImage::Format_Grayscale8;
    case pf8bit:
        return QImage::Format_Indexed8;
    default:
        return QImage::Format_BGR888;
    }
}

// The length of a row of width pixels, 32-bit aligned, as a device-independent bitmap has it.
int64_t RowBytes(TPixelFormat format, int width)
{
    return (int64_t(width) * BitsPerPixel(format) + 31) / 32 * 4;
}

// A zero-filled pixel store; fails when it would be too large or cannot be had.
QImage NewStorage(TPixelFormat format, int width, int height)
{
    if (width == 0 || height == 0)
        return {};
    QImage image;
    if (RowBytes(format, width) <= MaxBitmapBytes / height)
        image = QImage(format == pf4bit ? (width + 1) / 2 : width, height, StorageFormat(format));
    if (image.isNull())
        throw EOutOfResources(QStringLiteral("Out of system resources"));
    std::memset(image.bits(), 0, size_t(image.sizeInBytes()));
    return image;
}

int IndexAt(const uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
        return row[x];
    }
}

void SetIndexAt(uint8_t* row, int x, int bits, int index)
{
    switch (bits) {
    case 1: {
        const auto mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (index & 1) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
        break;
    }
    case 4:
        row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F))
                              : uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    default:
        row[x] = uint8_t(index);
    }
}

// The palette's colours as a colour table of exactly size entries, padded with black.
QList<QRgb> ColorTable(const win::Palette& palette, int size)
{
    QList<QRgb> table(size, qRgb(0, 0, 0));
    for (int i = 0; i < std::min(size, palette.Count()); ++i) {
        const auto& e = palette.Entries[size_t(i)];
        table[i] = qRgb(e.peRed, e.peGreen, e.peBlue);
    }
    return table;
}

win::Palette PaletteOf(const QList<QRgb>& table)
{
    win::Palette palette;
    for (QRgb c : table)
        palette.Entries.push_back({uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)), 0});
    return palette;
}

// The palette an indexed format of the given depth gets: the current one when it fits, else the
// format's default.
win::Palette PaletteFor(const win::Palette& current, int bits)
{
    if (!current.IsEmpty() && current.Count() <= (1 << bits))
        return current;
    const auto& statics = win::DefaultPalette().Entries;
    switch (bits) {
    case 1:
        return win::Palette{{statics.front(), statics.back()}};
    case 4: {
        win::Palette palette;
        palette.Entries.assign(statics.begin(), statics.begin() + 8);
        palette.Entries.insert(palette.Entries.end(), statics.end() - 8, statics.end());
        return palette;
    }
    default:
        return win::CreateHalftonePalette();
    }
}

uint32_t ReadU32(const QByteArray& data, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(data.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t ReadU16(const QByteArray& data, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(data.constData()) + at;
    return uint16_t(p[0] | p[1] << 8);
}

[[noreturn]] void InvalidBitmap()
{
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
}

} // namespace

// The canvas of a bitmap: it paints on the bitmap's pixels as 24 bits per pixel.
class TBitmapCanvas final : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

protected:
    QPaintDevice* Device() override { return bitmap_->PaintImage(); }
    const QImage* Pixels() override { return bitmap_->image_.isNull() ? nullptr : &bitmap_->image_; }
    QImage CopyImage(const QRect& R) override
    {
        if (bitmap_->format_ != pf4bit)
            return TCanvas::CopyImage(R);
        const QImage image = bitmap_->ToImage();
        return image.copy(R);
    }

private:
    TBitmap* bitmap_;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() = default;

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(this);
    return *canvas_;
}

QImage* TBitmap::PaintImage()
{
    if (Empty())
        return nullptr;
    SetPixelFormat(pf24bit);
    return &image_;
}

void TBitmap::Draw(TCanvas& ACanvas, const QRect& Rect)
{
    if (Empty())
        return;
    QImage image = ToImage();
    if (Transparent()) {
        const std::unique_ptr<TBitmap> mask = MaskBitmap();
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < height_; ++y) {
            const uint8_t* bits = mask->ScanLine(y);
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width_; ++x)
                if (bits[x >> 3] & (0x80 >> (x & 7)))
                    row[x] = 0;
        }
    }
    ACanvas.DrawImage(Rect, image, image.rect());
}

std::unique_ptr<TBitmap> TBitmap::MaskBitmap() const
{
    auto mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(pf1bit);
    mask->SetSize(width_, height_);
    if (Empty())
        return mask;
    const QImage image = ToImage();
    const QRgb transparent = TransparentColor == clDefault ? image.pixel(0, height_ - 1)
                                                           : ColorToQColor(TransparentColor).rgb();
    for (int y = 0; y < height_; ++y) {
        uint8_t* bits = mask->ScanLine(y);
        for (int x = 0; x < width_; ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (transparent & 0xFFFFFF))
                bits[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
    return mask;
}

void TBitmap::Assign(TPersistent* Source)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        Assign(*bitmap);
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size() - Stream.Position();
    if (size <= 0 || size > MaxBitmapBytes + 0x10000)
        InvalidBitmap();
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    Stream.ReadBuffer(data.data(), size);
    LoadFromBMP(data);
}

void TBitmap::SaveToStream(TStream& Stream)
{
    if (Empty())
        return;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!ToImage().save(&buffer, "BMP"))
        throw EInvalidGraphicOperation(QStringLiteral("Bitmap image is not valid"));
    Stream.WriteBuffer(data.constData(), data.size());
}

void TBitmap::LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData, const win::Palette&)
{
    if (AFormat != win::CF_BITMAP || AData.Picture.isNull())
        throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
    AssignImage(AData.Picture);
}

void TBitmap::SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette)
{
    AFormat = win::CF_BITMAP;
    AData = {};
    AData.Picture = ToImage();
    APalette = palette_;
}

void TBitmap::Replace(TPixelFormat format, int width, int height, QImage image, win::Palette palette)
{
    format_ = format;
    width_ = width;
    height_ = height;
    image_ = std::move(image);
    palette_ = std::move(palette);
    SyncColorTable();
}

// Keeps the QImage's colour table equal to the palette, so that it draws with the right colours.
void TBitmap::SyncColorTable()
{
    if (image_.isNull())
        return;
    if (format_ == pf1bit)
        image_.setColorTable(ColorTable(palette_, 2));
    else if (format_ == pf8bit)
        image_.setColorTable(ColorTable(palette_, 256));
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    if (AWidth < 0 || AHeight < 0)
        throw EInvalidGraphicOperation(QStringLiteral("Invalid bitmap size"));
    if (AWidth == width_ && AHeight == height_)
        return;
    QImage image = NewStorage(format_, AWidth, AHeight);
    if (!image.isNull() && !image_.isNull()) {
        const int64_t commonBits = int64_t(std::min(AWidth, width_)) * BitsPerPixel(format_);
        const auto fullBytes = size_t(commonBits / 8);
        const int restBits = int(commonBits % 8);
        for (int y = 0; y < std::min(AHeight, height_); ++y) {
            const uint8_t* from = image_.constScanLine(y);
            uint8_t* to = image.scanLine(y);
            std::memcpy(to, from, fullBytes);
            if (restBits)
                to[fullBytes] = from[fullBytes] & uint8_t(0xFF << (8 - restBits));
        }
    }
    Replace(format_, AWidth, AHeight, std::move(image), palette_);
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == pfDevice)
        Value = pf24bit;
    if (!IsIndexed(Value) && Value != pf24bit)
        throw EInvalidGraphicOperation(QStringLiteral("Unsupported pixel format"));
    if (Value == format_)
        return;
    const int bits = BitsPerPixel(Value);
    if (Empty()) {
        Replace(Value, width_, height_, {}, IsIndexed(Value) ? PaletteFor(palette_, bits) : palette_);
        return;
    }
    if (Value == pf24bit) {
        Replace(Value, width_, height_, ToImage().convertToFormat(QImage::Format_BGR888), palette_);
        return;
    }
    QImage image = NewStorage(Value, width_, height_);
    if (IsIndexed(format_) && bits > BitsPerPixel(format_)) {
        // Widening keeps every index and the palette.
        const int oldBits = BitsPerPixel(format_);
        for (int y = 0; y < height_; ++y) {
            const uint8_t* from = image_.constScanLine(y);
            uint8_t* to = image.scanLine(y);
            for (int x = 0; x < width_; ++x)
                SetIndexAt(to, x, bits, IndexAt(from, x, oldBits));
        }
        Replace(Value, width_, height_, std::move(image), palette_);
        return;
    }
    win::Palette palette = PaletteFor(palette_, bits);
    const QImage nearest = ToImage()
                               .convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, ColorTable(palette, palette.Count()),
                                                Qt::ThresholdDither | Qt::AvoidDither);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* from = nearest.constScanLine(y);
        uint8_t* to = image.scanLine(y);
        for (int x = 0; x < width_; ++x)
            SetIndexAt(to, x, bits, from[x]);
    }
    Replace(Value, width_, height_, std::move(image), std::move(palette));
}

uint8_t* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= height_ || image_.isNull())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return image_.scanLine(Row);
}

const uint8_t* TBitmap::ScanLine(int Row) const
{
    if (Row < 0 || Row >= height_ || image_.isNull())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index out of range"));
    return image_.constScanLine(Row);
}

void TBitmap::SetPalette(const win::Palette& Value)
{
    palette_ = Value;
    SyncColorTable();
}

void TBitmap::Assign(const TBitmap& Source)
{
    if (&Source != this)
        Replace(Source.format_, Source.width_, Source.height_, Source.image_, Source.palette_);
}

void TBitmap::AssignImage(const QImage& Image)
{
    if (Image.isNull()) {
        Replace(format_, 0, 0, {}, palette_);
    } else if (Image.format() == QImage::Format_Mono || Image.format() == QImage::Format_MonoLSB) {
        QImage mono = Image.convertToFormat(QImage::Format_Mono);
        Replace(pf1bit, mono.width(), mono.height(), mono, PaletteFor(PaletteOf(mono.colorTable()), 1));
    } else if (Image.format() == QImage::Format_Indexed8) {
        Replace(pf8bit, Image.width(), Image.height(), Image, PaletteOf(Image.colorTable()));
    } else {
        Replace(pf24bit, Image.width(), Image.height(), Image.convertToFormat(QImage::Format_BGR888), {});
    }
}

QImage TBitmap::ToImage() const
{
    if (format_ != pf4bit || image_.isNull())
        return image_;
    QImage image(width_, height_, QImage::Format_Indexed8);
    if (image.isNull())
        throw EOutOfResources(QStringLiteral("Out of system resources"));
    image.setColorTable(ColorTable(palette_, 256));
    for (int y = 0; y < height_; ++y) {
        const uint8_t* from = image_.constScanLine(y);
        uint8_t* to = image.scanLine(y);
        for (int x = 0; x < width_; ++x)
            to[x] = uint8_t(IndexAt(from, x, 4));
    }
    return image;
}

void TBitmap::LoadFromBMP(const QByteArray& Data)
{
    // File header (14 bytes), then an information header of at least 40 bytes.
    constexpr qsizetype FileHeaderSize = 14;
    if (Data.size() < FileHeaderSize + 40 || Data[0] != 'B' || Data[1] != 'M')
        InvalidBitmap();
    const int64_t bitsOffset = ReadU32(Data, 10);
    const int64_t infoSize = ReadU32(Data, 14);
    const auto width = int32_t(ReadU32(Data, 18));
    const auto height = int32_t(ReadU32(Data, 22));
    const int bitCount = ReadU16(Data, 28);
    TPixelFormat format = pfCustom;
    switch (bitCount) {
    case 1:
        format = pf1bit;
        break;
    case 4:
        format = pf4bit;
        break;
    case 8:
        format = pf8bit;
        break;
    case 24:
        format = pf24bit;
        break;
    }
    if (infoSize < 40 || FileHeaderSize + infoSize > Data.size() || width <= 0 || height == 0 ||
        height == INT32_MIN || ReadU16(Data, 26) != 1 || format == pfCustom || ReadU32(Data, 30) != 0)
        InvalidBitmap();

    win::Palette palette;
    if (IsIndexed(format)) {
        const int64_t used = ReadU32(Data, 46);
        const int64_t count = used == 0 ? (int64_t(1) << bitCount) : used;
        const int64_t tableAt = FileHeaderSize + infoSize;
        if (count > (int64_t(1) << bitCount) || tableAt + 4 * count > Data.size())
            InvalidBitmap();
        for (int64_t i = 0; i < count; ++i) {
            const auto* quad = reinterpret_cast<const uint8_t*>(Data.constData()) + tableAt + 4 * i;
            palette.Entries.push_back({quad[2], quad[1], quad[0], 0});
        }
    }

    const bool bottomUp = height > 0;
    const int rows = bottomUp ? height : -height;
    const int64_t rowBytes = RowBytes(format, width);
    if (bitsOffset < FileHeaderSize + infoSize || bitsOffset > Data.size() ||
        rowBytes > (Data.size() - bitsOffset) / rows)
        InvalidBitmap();
    QImage image = NewStorage(format, width, rows);
    for (int y = 0; y < rows; ++y) {
        const int64_t stored = bottomUp ? rows - 1 - y : y;
        std::memcpy(image.scanLine(y), Data.constData() + bitsOffset + stored * rowBytes,
                    size_t(std::min<int64_t>(rowBytes, image.bytesPerLine())));
    }
    Replace(format, width, rows, std::move(image), std::move(palette));
}
