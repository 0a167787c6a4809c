// The shapes of the window's pictures.
#include "app/picture_shapes.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

void DrawPage(QPainter& Painter, QColor Colour)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13.5, 5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    Painter.setPen(QPen(QColor(90, 90, 90), 1));
    Painter.setBrush(Colour);
    Painter.drawPath(path);
    Painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 6; y <= 12; y += 2)
        Painter.drawLine(QPointF(5, y), QPointF(11, y));
}

void DrawBadge(QPainter& Painter, QColor Colour)
{
    Painter.setPen(QPen(Colour.darker(140), 1));
    Painter.setBrush(Colour);
    Painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    Painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.setBrush(Qt::NoBrush);
}

void DrawLetterBox(QPainter& Painter, const QString& Text, QColor Colour)
{
    Painter.setPen(QPen(Colour.darker(150), 1));
    Painter.setBrush(Colour);
    Painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    QFont font = Painter.font();
    font.setPixelSize(Text.size() > 1 ? 8 : 11);
    font.setBold(true);
    Painter.setFont(font);
    Painter.setPen(Qt::white);
    Painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, Text);
}

void DrawFolder(QPainter& Painter)
{
    QPainterPath path;
    path.moveTo(1.5, 4);
    path.lineTo(6, 4);
    path.lineTo(7.5, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    Painter.setPen(QPen(QColor(170, 120, 30), 1));
    Painter.setBrush(QColor(245, 200, 90));
    Painter.drawPath(path);
    Painter.setPen(QPen(QColor(255, 230, 160), 1));
    Painter.drawLine(QPointF(2.5, 7), QPointF(13.5, 7));
}

void DrawArrow(QPainter& Painter, QPointF From, QPointF To, QColor Colour, double Width)
{
    const QLineF shaft(From, To);
    const double head = Width * 2.0;
    QLineF back(To, From);
    back.setLength(head);
    const QPointF base = back.p2();
    const QPointF side = QPointF(-(To - From).y(), (To - From).x()) / shaft.length() * head;
    Painter.setPen(QPen(Colour, Width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    Painter.drawLine(From, base);
    Painter.setPen(QPen(Colour.darker(140), 0.8));
    Painter.setBrush(Colour);
    Painter.drawPolygon(QPolygonF{To, base + side, base - side});
}

void DrawPlug(QPainter& Painter, bool Joined, QColor Colour)
{
    Painter.setPen(QPen(Colour.darker(130), 1));
    Painter.setBrush(Colour);
    const double gap = Joined ? 0 : 3;
    Painter.drawRect(QRectF(1.5, 5.5, 5 - gap / 2, 5));
    Painter.drawRect(QRectF(9.5 + gap / 2, 5.5, 5 - gap / 2, 5));
    Painter.drawLine(QPointF(6.5 - gap / 2, 7), QPointF(9.5 + gap / 2, 7));
    Painter.drawLine(QPointF(6.5 - gap / 2, 9), QPointF(9.5 + gap / 2, 9));
}
