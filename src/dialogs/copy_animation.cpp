// TCopyAnimation.
#include "dialogs/copy_animation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int FrameMs = 60;

void PaintFolder(QPainter& Painter, const QRectF& Box)
{
    const QColor dark(176, 132, 28);
    const QColor light(240, 200, 80);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(Box.left(), Box.top(), Box.width() * 0.45, Box.height() * 0.3), 2, 2);
    Painter.fillPath(tab, dark);
    Painter.setPen(dark);
    Painter.setBrush(light);
    Painter.drawRoundedRect(QRectF(Box.left(), Box.top() + Box.height() * 0.15, Box.width(), Box.height() * 0.85), 2, 2);
}

void PaintSheet(QPainter& Painter, const QPointF& Centre)
{
    const QRectF sheet(Centre.x() - 7, Centre.y() - 9, 14, 18);
    Painter.setPen(QColor(64, 64, 64));
    Painter.setBrush(Qt::white);
    Painter.drawRect(sheet);
    Painter.setPen(QColor(96, 128, 192));
    for (int line = 0; line < 4; ++line)
        Painter.drawLine(QPointF(sheet.left() + 3, sheet.top() + 4 + line * 3.5),
                         QPointF(sheet.right() - 3, sheet.top() + 4 + line * 3.5));
}

} // namespace

TCopyAnimation::TCopyAnimation(QWidget* Parent) : QWidget(Parent)
{
    timer_.setInterval(FrameMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % FrameCount;
        update();
    });
}

void TCopyAnimation::Play()
{
    frame_ = 0;
    timer_.start();
    update();
}

void TCopyAnimation::Stop()
{
    timer_.stop();
    frame_ = FrameCount - 1;
    update();
}

void TCopyAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal h = height();
    const qreal folderW = qMin<qreal>(48, width() / 4.0);
    const QRectF from(4, h - folderW * 0.8 - 4, folderW, folderW * 0.8);
    const QRectF to(width() - folderW - 4, from.top(), folderW, from.height());
    PaintFolder(painter, from);
    PaintFolder(painter, to);
    if (frame_ == FrameCount - 1 && !Active())
        return;
    // The sheet rises out of the first folder and falls into the second along an arc.
    const qreal t = qreal(frame_) / (FrameCount - 1);
    const qreal x = from.center().x() + (to.center().x() - from.center().x()) * t;
    const qreal y = from.top() - std::sin(t * M_PI) * (from.top() - 12);
    PaintSheet(painter, QPointF(x, y));
}
