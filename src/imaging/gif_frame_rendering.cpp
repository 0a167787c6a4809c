// A GIF frame as a picture: its palette, the rendered bitmap with its transparency mask, and
// drawing it stretched or tiled, with or without its transparent pixels.
#include "imaging/color_lookup.h"
#include "imaging/dib.h"
#include "imaging/dithering.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_frame.h"
#include "imaging/gif_image.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/mul_div.h"

namespace {

// Frames larger than this are first made 1 bit per pixel before they are written as 8 bits.
constexpr int64_t LargeFramePixels = 500000;
// A progress step before every this many rows.
constexpr int ProgressRows = 32;

const QString RenderingText = QStringLiteral("Rendering...");

} // namespace

win::Palette TGIFSubImage::GetPalette()
{
    if (bitmap_ && !bitmap_->Palette().IsEmpty())
        return bitmap_->Palette();
    if (!palette_.IsEmpty())
        return palette_;
    if (Image() && Image()->WebPaletteInUse()) {
        palette_ = WebPalette();
        return palette_;
    }
    if (colorMap_.Count() == 0)
        return Image() ? Image()->GetPalette() : win::Palette();
    palette_ = colorMap_.MakePaletteHandle();
    return palette_;
}

void TGIFSubImage::SetPalette(const win::Palette& Value)
{
    if (Value == palette_)
        return;
    palette_ = Value;
    if (bitmap_ && bitmap_->Palette() != Value) {
        FreeBitmap();
        if (Image()) {
            Image()->PaletteModified = true;
            Image()->Changed(this);
        }
    }
}

void TGIFSubImage::FreeBitmap()
{
    bitmap_.reset();
    mask_.reset();
    maskedImage_ = {};
    maskOutOfDate_ = true;
}

TBitmap* TGIFSubImage::GetBitmap()
{
    if (!bitmap_)
        Render();
    return bitmap_.get();
}

bool TGIFSubImage::HasTransparencyMask()
{
    if (maskOutOfDate_ && transparent_) {
        bitmap_.reset();
        maskedImage_ = {};
        Render();
    }
    return mask_ != nullptr;
}

void TGIFSubImage::Render()
{
    TGIFImage* image = Image();
    const auto progress = [&](TProgressStage stage, int percent, bool redraw) {
        if (image)
            image->Progress(this, stage, uint8_t(percent), redraw, {}, RenderingText);
    };
    progress(psStarting, 0, false);
    auto bitmap = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> mask;
    try {
        const int width = Width();
        const int height = Height();
        if (int64_t(width) * height > LargeFramePixels)
            bitmap->SetPixelFormat(pf1bit);
        if (Empty()) {
            bitmap->SetPalette(GetPalette());
            bitmap->SetSize(width, height);
        } else {
            const bool makeMask = transparent_ && maskOutOfDate_;
            const int transparentIndex =
                transparent_ && graphicControl_ ? graphicControl_->TransparentColorIndex() : -1;
            if (makeMask) {
                maskOutOfDate_ = false;
                mask = std::make_unique<TBitmap>();
                mask->SetPixelFormat(pf1bit);
                mask->SetSize(width, height);
            }
            bool masked = false;
            TDIBWriter writer(bitmap.get(), pf8bit, width, height, GetPalette());
            const bool web = image && image->WebPaletteInUse();
            TNetscapeColorLookup lookup;
            TFloydSteinbergDitherer ditherer(width, &lookup);
            TGIFColorMap& colors = ActiveColorMap();
            // Transparent pixels of a web rendering take the web colour nearest the transparent
            // colour, so that the index stays in the palette.
            uint8_t transparentWebIndex = 0;
            if (web && transparentIndex >= 0 && colors.Count() > 0) {
                const TGIFColor c = colors.Color(transparentIndex);
                uint8_t r, g, b;
                transparentWebIndex = lookup.Lookup(c.Red, c.Green, c.Blue, r, g, b);
            }
            for (int y = 0; y < height; ++y) {
                if (y % ProgressRows == 0)
                    progress(psRunning, win::MulDiv(y, 100, height), false);
                const uint8_t* source = data_.data() + int64_t(y) * width;
                uint8_t* target = writer.ScanLine(y);
                uint8_t* maskRow = mask ? mask->ScanLine(y) : nullptr;
                if (!web) {
                    std::copy(source, source + width, target);
                } else {
                    uint8_t r, g, b;
                    for (int x = ditherer.Column(); x >= 0 && x < width; x += ditherer.Direction()) {
                        if (source[x] == transparentIndex) {
                            target[x] = transparentWebIndex;
                            ditherer.Skip();
                            continue;
                        }
                        const TGIFColor c = colors.Count() > 0 ? colors.Color(source[x]) : TGIFColor{};
                        target[x] = ditherer.Dither(c.Red, c.Green, c.Blue, r, g, b);
                    }
                    ditherer.AdvanceRow();
                }
                if (maskRow)
                    for (int x = 0; x < width; ++x)
                        if (source[x] == transparentIndex) {
                            maskRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
                            masked = true;
                        }
            }
            writer.Finish();
            if (makeMask) {
                mask_.reset();
                if (masked)
                    mask_ = std::move(mask);
            }
        }
    } catch (...) {
        progress(psEnding, 0, false);
        throw;
    }
    bitmap_ = std::move(bitmap);
    maskedImage_ = {};
    const bool paletteModified = image && image->PaletteModified;
    progress(psEnding, 100, paletteModified);
    if (paletteModified)
        image->Changed(this);
}

const QImage& TGIFSubImage::MaskedImage()
{
    if (maskedImage_.isNull() && bitmap_ && mask_) {
        QImage image = bitmap_->ToImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* bits = mask_->ScanLine(y);
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (bits[x >> 3] & (0x80 >> (x & 7)))
                    row[x] = 0;
        }
        maskedImage_ = image;
    }
    return maskedImage_;
}

void TGIFSubImage::Draw(TCanvas& ACanvas, const QRect& Rect, bool DoTransparent, bool DoTile)
{
    TBitmap* bitmap = GetBitmap();
    if (!bitmap || bitmap->Empty())
        return;
    const bool masked = DoTransparent && transparent_ && HasTransparencyMask();
    bitmap = GetBitmap();
    const QImage image = masked ? MaskedImage() : bitmap->ToImage();
    const int screenWidth = Image() ? Image()->Width() : Width();
    const int screenHeight = Image() ? Image()->Height() : Height();

    if (DoTile) {
        // The frame at its own size, once per screen-sized tile of the rectangle. A screen without
        // size tiles at the frame's own size.
        const int stepX = screenWidth > 0 ? screenWidth : Width();
        const int stepY = screenHeight > 0 ? screenHeight : Height();
        if (stepX <= 0 || stepY <= 0)
            return;
        for (int y = Rect.top() + Top(); y < Rect.top() + Rect.height(); y += stepY)
            for (int x = Rect.left() + Left(); x < Rect.left() + Rect.width(); x += stepX)
                ACanvas.DrawImage(QRect(x, y, Width(), Height()), image, image.rect());
        return;
    }
    // The frame's place in the logical screen, scaled into the rectangle; a screen without size
    // stands for the frame alone.
    QRect target = Rect;
    if (screenWidth > 0 && screenHeight > 0) {
        const int left = win::MulDiv(Left(), Rect.width(), screenWidth) + Rect.left();
        const int top = win::MulDiv(Top(), Rect.height(), screenHeight) + Rect.top();
        const int right = win::MulDiv(Left() + Width(), Rect.width(), screenWidth) + Rect.left();
        const int bottom = win::MulDiv(Top() + Height(), Rect.height(), screenHeight) + Rect.top();
        target = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    ACanvas.DrawImage(target, image, image.rect());
}
