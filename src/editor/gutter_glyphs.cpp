// The gutter pictures, painted with QPainter into images on a key colour that the bottom-left
// pixel carries, so that drawing them leaves the gutter around them as it was.
#include "editor/gutter_glyphs.h"

#include <QBitmap>
#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <initializer_list>

namespace {

const QColor KeyColour(255, 0, 255);

// A closed figure through Points, moved right by Left, filled and outlined.
void DrawFigure(QPainter& Painter, int Left, std::initializer_list<QPoint> Points, const QColor& Fill)
{
    QPolygon figure(Points);
    figure.translate(Left, 0);
    Painter.setPen(Fill.darker(160));
    Painter.setBrush(Fill);
    Painter.drawPolygon(figure);
}

// A numbered bookmark: a dark blue tag with the digit in white.
void DrawBookmark(QPainter& Painter, int Left, int Digit)
{
    DrawFigure(Painter, Left, {{2, 1}, {12, 1}, {12, 14}, {7, 11}, {2, 14}}, QColor(0, 0, 128));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(9);
    font.setBold(true);
    Painter.setFont(font);
    Painter.setPen(Qt::white);
    Painter.drawText(QRect(Left + 2, 1, 11, 10), Qt::AlignCenter, QString::number(Digit));
}

// A breakpoint: a round dot with a darker rim.
void DrawDot(QPainter& Painter, int Left, const QColor& Fill)
{
    Painter.setPen(Fill.darker(160));
    Painter.setBrush(Fill);
    Painter.drawEllipse(QRect(Left + 2, 3, 10, 10));
}

// The execution point and further marks: an arrow pointing right.
void DrawArrow(QPainter& Painter, int Left, const QColor& Fill)
{
    DrawFigure(Painter, Left, {{1, 5}, {7, 5}, {7, 2}, {13, 8}, {7, 14}, {7, 11}, {1, 11}}, Fill);
}

QImage DrawStrip()
{
    QImage strip(TGutterGlyphs::Count * TGutterGlyphs::Width, TGutterGlyphs::Height, QImage::Format_RGB32);
    strip.fill(KeyColour);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int digit = 0; digit < 10; ++digit)
        DrawBookmark(painter, digit * TGutterGlyphs::Width, digit);
    DrawDot(painter, TGutterGlyphs::ActiveBreakpoint * TGutterGlyphs::Width, QColor(255, 0, 0));
    DrawArrow(painter, TGutterGlyphs::InactiveBreakpoint * TGutterGlyphs::Width, QColor(255, 255, 0));
    DrawArrow(painter, 12 * TGutterGlyphs::Width, QColor(0, 128, 0));
    DrawDot(painter, 13 * TGutterGlyphs::Width, QColor(0, 0, 255));
    DrawDot(painter, 14 * TGutterGlyphs::Width, QColor(0, 160, 0));
    return strip;
}

// The wrapped-line picture: a hook arrow that turns down and back to the left.
QImage DrawWrapped()
{
    QImage image(TGutterGlyphs::Width, TGutterGlyphs::Height, QImage::Format_RGB32);
    image.fill(KeyColour);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0, 0, 128), 2));
    painter.drawLine(2, 4, 11, 4);
    painter.drawLine(11, 4, 11, 11);
    painter.drawLine(11, 11, 4, 11);
    painter.drawLine(4, 11, 7, 8);
    painter.drawLine(4, 11, 7, 14);
    return image;
}

} // namespace

QPixmap TransparentPixmap(const QImage& Image)
{
    QPixmap pixmap = QPixmap::fromImage(Image);
    const QColor transparent = Image.pixelColor(0, Image.height() - 1);
    pixmap.setMask(QBitmap::fromImage(Image.createMaskFromColor(transparent.rgb(), Qt::MaskInColor)));
    return pixmap;
}

TGutterGlyphs::TGutterGlyphs() : strip_(DrawStrip())
{
    for (int i = 0; i < Count; ++i)
        glyphs_[std::size_t(i)] = TransparentPixmap(strip_.copy(i * Width, 0, Width, Height));
    wrapped_ = TransparentPixmap(DrawWrapped());
}

const QPixmap& TGutterGlyphs::Glyph(int Index) const
{
    return Index == WrapGlyph ? wrapped_ : glyphs_[std::size_t(Index)];
}

const TGutterGlyphs& GutterGlyphs()
{
    static const TGutterGlyphs glyphs;
    return glyphs;
}
