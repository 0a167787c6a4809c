// TImageList over a shared image store.
#include "platform/graphics/image_list.h"

#include "platform/graphics/canvas.h"

#include <QList>
#include <QPainter>
#include <array>

struct win::IMAGELIST {
    int Width;
    int Height;
    QList<QImage> Images; // ARGB32, premultiplied, each Width by Height
    std::array<int, 15> Overlays;
};

namespace {

constexpr int OverlayCount = 15;

win::HIMAGELIST NewImages(int Width, int Height)
{
    auto* images = new win::IMAGELIST{Width, Height, {}, {}};
    images->Overlays.fill(-1);
    return images;
}

// Image drawn centred into a transparent picture of the list's size, scaled down when larger.
QImage Fitted(const QImage& Image, int Width, int Height)
{
    QImage source = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.size() == QSize(Width, Height))
        return source;
    QImage fitted(Width, Height, QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    if (source.width() > Width || source.height() > Height)
        source = source.scaled(Width, Height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&fitted);
    painter.drawImage((Width - source.width()) / 2, (Height - source.height()) / 2, source);
    return fitted;
}

} // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(int AWidth, int AHeight, TComponent* AOwner)
    : TComponent(AOwner), width_(AWidth), height_(AHeight)
{
}

TImageList::~TImageList()
{
    FreeHandle();
}

void TImageList::FreeHandle()
{
    if (!ShareImages)
        delete handle_;
    handle_ = nullptr;
}

void TImageList::SetWidth(int Value)
{
    if (Value == width_)
        return;
    FreeHandle();
    width_ = Value;
}

void TImageList::SetHeight(int Value)
{
    if (Value == height_)
        return;
    FreeHandle();
    height_ = Value;
}

win::HIMAGELIST TImageList::Handle() const
{
    if (!handle_)
        handle_ = NewImages(width_, height_);
    return handle_;
}

void TImageList::SetHandle(win::HIMAGELIST Value)
{
    if (Value == handle_)
        return;
    FreeHandle();
    handle_ = Value;
    if (handle_) {
        width_ = handle_->Width;
        height_ = handle_->Height;
    }
}

int TImageList::Count() const
{
    return handle_ ? int(handle_->Images.size()) : 0;
}

int TImageList::Add(const QImage& Image)
{
    win::HIMAGELIST images = Handle();
    images->Images.append(Fitted(Image, width_, height_));
    return int(images->Images.size()) - 1;
}

QImage TImageList::GetImage(int Index) const
{
    if (Index < 0 || Index >= Count())
        return {};
    return handle_->Images[Index];
}

bool TImageList::Overlay(int ImageIndex, int Overlay)
{
    if (ImageIndex < 0 || ImageIndex >= Count() || Overlay < 0 || Overlay >= OverlayCount)
        return false;
    handle_->Overlays[std::size_t(Overlay)] = ImageIndex;
    return true;
}

int TImageList::OverlayImage(int Overlay) const
{
    if (!handle_ || Overlay < 0 || Overlay >= OverlayCount)
        return -1;
    return handle_->Overlays[std::size_t(Overlay)];
}

QImage TImageList::Composed(int Index, int Overlay, bool Enabled) const
{
    QImage image = GetImage(Index);
    QPainter painter(&image);
    const int overlay = OverlayImage(Overlay);
    if (overlay >= 0)
        painter.drawImage(0, 0, handle_->Images[overlay]);
    if (DrawingStyle == dsSelected || DrawingStyle == dsFocus) {
        const TColor blend = BlendColor == clNone || BlendColor == clDefault ? clHighlight : BlendColor;
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.setOpacity(DrawingStyle == dsSelected ? 0.5 : 0.25);
        painter.fillRect(image.rect(), ColorToQColor(blend));
    }
    painter.end();
    if (!Enabled) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                // Premultiplied: halving the alpha halves the grey too.
                const int grey = qGray(line[x]) / 2;
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
            }
        }
    }
    return image;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const
{
    DrawOverlay(Canvas, X, Y, Index, -1, Enabled);
}

void TImageList::DrawOverlay(TCanvas& Canvas, int X, int Y, int ImageIndex, int Overlay, bool Enabled) const
{
    if (ImageIndex < 0 || ImageIndex >= Count())
        return;
    const QRect target(X, Y, width_, height_);
    if (DrawingStyle == dsNormal && BkColor != clNone)
        Canvas.FillRectWith(target, BkColor);
    const QImage image = Composed(ImageIndex, Overlay, Enabled);
    Canvas.DrawImage(target, image, image.rect());
}

namespace {

struct TDragImage {
    QImage Image;
    QPoint HotSpot;
};

TDragImage& CurrentDragImage()
{
    static TDragImage image;
    return image;
}

} // namespace

bool win::ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot)
{
    if (!himlTrack || iTrack < 0 || iTrack >= himlTrack->Images.size())
        return false;
    CurrentDragImage() = {himlTrack->Images.at(iTrack), QPoint(dxHotspot, dyHotspot)};
    return true;
}

void win::ImageList_EndDrag()
{
    CurrentDragImage() = {};
}

QImage win::ImageListDragImage(QPoint& HotSpot)
{
    HotSpot = CurrentDragImage().HotSpot;
    return CurrentDragImage().Image;
}
