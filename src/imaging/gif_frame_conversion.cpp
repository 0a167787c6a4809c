// Turning pictures into a GIF frame: copies of frames, bitmaps of any depth (true colour reduced by
// the image's settings), icons, metafiles and other graphics, with their transparency.
#include "imaging/color_reduction.h"
#include "imaging/dib.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_frame.h"
#include "imaging/gif_image.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/metafile.h"
#include "platform/graphics/mul_div.h"
#include "platform/graphics/picture.h"

#include <array>
#include <cstring>

namespace {

constexpr int ProgressRows = 32;
const QString ConvertingText = QStringLiteral("Converting...");

// The most recently met colours of a true-colour picture and their indexes, newest searched first.
class RecentColors {
public:
    bool Find(TGIFColor color, uint8_t& index) const
    {
        for (int i = 0; i < count_; ++i) {
            const Entry& entry = entries_[size_t((newest_ - i + Size) % Size)];
            if (entry.color == color) {
                index = entry.index;
                return true;
            }
        }
        return false;
    }
    void Add(TGIFColor color, uint8_t index)
    {
        newest_ = (newest_ + 1) % Size;
        entries_[size_t(newest_)] = {color, index};
        count_ = std::min(count_ + 1, Size);
    }

private:
    static constexpr int Size = 8;
    struct Entry {
        TGIFColor color;
        uint8_t index;
    };
    std::array<Entry, Size> entries_{};
    int newest_ = -1;
    int count_ = 0;
};

// The picture drawn at 0, 0 on a 24-bit bitmap of its size filled with Background.
std::unique_ptr<TBitmap> DrawnOn(TGraphic& graphic, TColor background)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(graphic.Width(), graphic.Height());
    bitmap->Canvas().FillRectWith(QRect(0, 0, graphic.Width(), graphic.Height()), background);
    bitmap->Canvas().Draw(0, 0, graphic);
    return bitmap;
}

} // namespace

void TGIFSubImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        return;
    }
    if (auto* frame = dynamic_cast<TGIFSubImage*>(Source))
        AssignFrame(*frame);
    else if (auto* bitmap = dynamic_cast<TBitmap*>(Source))
        AssignBitmap(*bitmap);
    else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
        AssignGraphic(*graphic);
    else if (auto* picture = dynamic_cast<TPicture*>(Source))
        Assign(picture->Graphic());
    else
        TPersistent::Assign(Source);
}

void TGIFSubImage::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        if (TBitmap* mine = GetBitmap())
            bitmap->Assign(*mine);
        return;
    }
    TGIFItem::AssignTo(Dest);
}

void TGIFSubImage::AssignFrame(TGIFSubImage& Source)
{
    Clear();
    if (!Source.Empty()) {
        AllocatePixels(Source.DataSize(), 0);
        std::memcpy(data_.data(), Source.data_.data(), data_.size());
        descriptor_ = Source.descriptor_;
        transparent_ = Source.transparent_;
        colorMap_.Assign(Source.colorMap_);
    }
    // Extensions are copied through their file form, which also links the graphic control.
    if (Source.extensions_.Count() > 0) {
        TMemoryStream stream;
        Source.extensions_.SaveToStream(stream);
        stream.SetPosition(0);
        extensions_.LoadFromStream(stream);
    } else if (Source.bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->Assign(*Source.bitmap_);
    }
}

void TGIFSubImage::AssignBitmap(TBitmap& Source)
{
    Clear();
    if (Source.Empty())
        return;
    if (Source.Width() > 0xFFFF || Source.Height() > 0xFFFF)
        throw GIFException(gifmsg::TooLarge);
    SetBounds(0, 0, uint16_t(Source.Width()), uint16_t(Source.Height()));

    // Paletted pictures keep their colours; others are reduced (or, without reduction, taken as
    // they are when they hold at most 256 colours).
    std::unique_ptr<TBitmap> bitmap;
    const TPixelFormat format = Source.PixelFormat();
    const bool reduced = !(format == pf1bit || format == pf4bit || format == pf8bit);
    if (!reduced) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(Source);
    } else {
        TBitmap copy;
        copy.Assign(Source);
        TGIFImage* image = Image();
        bitmap = QuantizeBitmap(&copy, image ? image->ReductionMethod : uint8_t(crWebPalette),
                                image ? image->DitherMethod : uint8_t(dmNone), image ? image->PaletteBits : 8, {});
    }

    TGIFImage* image = Image();
    const auto progress = [&](TProgressStage stage, int percent) {
        if (image)
            image->Progress(this, stage, uint8_t(percent), false, {}, ConvertingText);
    };
    progress(psStarting, 0);
    try {
        if (!bitmap->Empty()) {
            const TPixelFormat readFormat =
                bitmap->PixelFormat() == pf1bit || bitmap->PixelFormat() == pf4bit ||
                        bitmap->PixelFormat() == pf8bit
                    ? bitmap->PixelFormat()
                    : pf24bit;
            TDIBReader reader(bitmap.get(), readFormat);
            const int width = Width();
            const int height = Height();
            RecentColors recent;
            if (readFormat != pf24bit)
                colorMap_.FillFromDIBColorTable(*bitmap);
            for (int y = 0; y < height; ++y) {
                if (y % ProgressRows == 0)
                    progress(psRunning, win::MulDiv(y, 100, height));
                const uint8_t* row = reader.ScanLine(y);
                uint8_t* pixels = data_.data() + int64_t(y) * width;
                switch (readFormat) {
                case pf1bit:
                    for (int x = 0; x < width; ++x)
                        pixels[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    break;
                case pf4bit:
                    for (int x = 0; x < width; ++x)
                        pixels[x] = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
                    break;
                case pf8bit:
                    std::memcpy(pixels, row, size_t(width));
                    break;
                default:
                    for (int x = 0; x < width; ++x) {
                        const TGIFColor color{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
                        uint8_t index = 0;
                        if (!recent.Find(color, index)) {
                            index = uint8_t(colorMap_.AddIfAbsent(color));
                            recent.Add(color, index);
                        }
                        pixels[x] = index;
                    }
                }
            }
            if (readFormat != pf24bit) {
                const int used = *std::max_element(data_.begin(), data_.end()) + 1;
                // A reduction's colour table has 256 entries whatever its palette holds: the
                // entries past the last one in use go, so that a transparent colour still finds room.
                if (reduced && readFormat == pf8bit)
                    while (colorMap_.Count() > used)
                        colorMap_.Delete(colorMap_.Count() - 1);
                // Indexes past the end of a palette show black, as the bitmap draws them.
                while (colorMap_.Count() < used)
                    colorMap_.Add({0, 0, 0});
            }
            // The copy or the reduction stands for the rendered frame.
            bitmap_ = std::move(bitmap);
            if (Source.Transparent()) {
                std::unique_ptr<TBitmap> mask = Source.MaskBitmap();
                ApplyMask(*mask);
            }
        }
    } catch (...) {
        progress(psEnding, 0);
        throw;
    }
    progress(psEnding, 100);
}

void TGIFSubImage::AssignGraphic(TGraphic& Source)
{
    Clear();
    if (Source.Empty())
        return;
    auto* icon = dynamic_cast<TIcon*>(&Source);
    auto* metafile = dynamic_cast<TMetafile*>(&Source);
    std::unique_ptr<TBitmap> bitmap;
    if (icon || metafile) {
        bitmap = DrawnOn(Source, clBlack);
    } else {
        bitmap = std::make_unique<TBitmap>();
        try {
            bitmap->Assign(&Source);
        } catch (const Exception&) {
            bitmap = DrawnOn(Source, clBlack);
        }
    }
    AssignBitmap(*bitmap);
    if (icon) {
        std::unique_ptr<TBitmap> mask = icon->MaskBitmap();
        ApplyMask(*mask);
    } else if (metafile) {
        // What the metafile leaves untouched is white on white and black on black: their
        // difference marks it.
        const std::unique_ptr<TBitmap> white = DrawnOn(Source, clWhite);
        QImage difference = white->ToImage().convertToFormat(QImage::Format_RGB32);
        const QImage onBlack = DrawnOn(Source, clBlack)->ToImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < difference.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(difference.scanLine(y));
            const auto* other = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
            for (int x = 0; x < difference.width(); ++x)
                row[x] = (row[x] ^ other[x]) | 0xFF000000;
        }
        TBitmap mask;
        mask.AssignImage(difference);
        ApplyMask(mask);
    }
}

void TGIFSubImage::ApplyMask(TBitmap& Mask)
{
    TGIFColorMap& colors = ActiveColorMap();
    if (colors.Count() == 0 || colors.Count() >= TGIFColorMap::MaxColors || Empty())
        return;
    const int index = colors.Add({0, 0, 0});
    TDIBReader reader(&Mask, pf8bit);
    bool marked = false;
    const int width = std::min(Width(), Mask.Width());
    for (int y = 0; y < std::min(Height(), Mask.Height()); ++y) {
        const uint8_t* row = reader.ScanLine(y);
        uint8_t* pixels = data_.data() + int64_t(y) * Width();
        for (int x = 0; x < width; ++x)
            if (row[x] != 0) {
                pixels[x] = uint8_t(index);
                marked = true;
            }
    }
    if (!marked) {
        colors.Delete(index);
        return;
    }
    auto control = std::make_unique<TGIFGraphicControlExtension>(this);
    control->SetTransparentColorIndex(uint8_t(index));
    control->SetTransparent(true);
    extensions_.Add(std::move(control));
    FreeBitmap();
}
