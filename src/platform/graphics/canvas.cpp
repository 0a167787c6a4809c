// TCanvas over QPainter.
#include "platform/graphics/canvas.h"

#include "platform/graphics/graphic.h"
#include "platform/rtl/events.h"

#include <QPainter>
#include <QPicture>

TCanvas::TCanvas(QImage* Image) : image_(Image), handle_(std::make_shared<const int>(0)) {}

TCanvas::~TCanvas() = default;

void TCanvas::ReleaseHandle()
{
    handle_.reset();
}

void TCanvas::SetImage(QImage* Image)
{
    image_ = Image;
    handle_ = std::make_shared<const int>(0);
}

void TCanvas::Paint(const std::function<void(QPainter&)>& draw)
{
    if (!handle_)
        return;
    QPaintDevice* device = Device();
    if (!device)
        return;
    {
        QPainter painter(device);
        if (!painter.isActive())
            return;
        draw(painter);
    }
    Fire(OnChange, this);
}

void TCanvas::FillRect(const QRect& R)
{
    FillRectWith(R, BrushColor);
}

void TCanvas::FillRectWith(const QRect& R, TColor Color)
{
    if (R.isEmpty())
        return;
    Paint([&](QPainter& painter) { painter.fillRect(R, ColorToQColor(Color)); });
}

void TCanvas::Draw(int X, int Y, TGraphic& Graphic)
{
    Graphic.Draw(*this, QRect(X, Y, Graphic.Width(), Graphic.Height()));
}

void TCanvas::StretchDraw(const QRect& R, TGraphic& Graphic)
{
    Graphic.Draw(*this, R);
}

void TCanvas::CopyRect(const QRect& Dest, TCanvas& Source, const QRect& SourceRect)
{
    const QImage pixels = Source.CopyImage(SourceRect);
    if (!pixels.isNull())
        DrawImage(Dest, pixels, pixels.rect());
}

void TCanvas::DrawImage(const QRect& Dest, const QImage& Source, const QRect& SourceRect)
{
    if (Dest.isEmpty() || SourceRect.isEmpty() || Source.isNull())
        return;
    Paint([&](QPainter& painter) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRectF(Dest), Source, QRectF(SourceRect));
    });
}

void TCanvas::DrawPicture(const QRect& Dest, const QPicture& Picture, const QRect& Bounds)
{
    if (Dest.isEmpty() || Bounds.isEmpty())
        return;
    Paint([&](QPainter& painter) {
        painter.translate(Dest.topLeft());
        painter.scale(double(Dest.width()) / Bounds.width(), double(Dest.height()) / Bounds.height());
        painter.translate(-Bounds.topLeft());
        painter.drawPicture(0, 0, Picture);
    });
}

QImage TCanvas::CopyImage(const QRect& R)
{
    const QImage* pixels = handle_ ? Pixels() : nullptr;
    if (R.isEmpty())
        return {};
    if (!pixels || pixels->isNull()) {
        QImage black(R.size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }
    QImage copy = pixels->copy(R);
    if (copy.hasAlphaChannel()) {
        // Pixels outside the canvas come back transparent; a copy shows them black.
        QImage opaque(copy.size(), QImage::Format_RGB32);
        opaque.fill(Qt::black);
        QPainter(&opaque).drawImage(0, 0, copy);
        return opaque;
    }
    return copy;
}
