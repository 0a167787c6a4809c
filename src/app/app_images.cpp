// The main window's pictures, drawn here at their size.
#include "app/app_images.h"

#include "platform/graphics/image_list.h"
#include "routines/bitmap_resources.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage Blank(int Width, int Height)
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Glyph(int Index)
{
    QImage image;
    return LoadGlyph(image, Index) ? image.scaled(16, 16).convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                   : Blank(16, 16);
}

// A round badge of Colour with a white sign drawn by Sign.
template <class Draw> QImage Badge(QColor Colour, Draw Sign)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Colour.darker(140));
    p.setBrush(Colour);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    Sign(p);
    return image;
}

// A letter in a rounded box, for the transfer types.
QImage LetterBox(QChar Letter, QColor Colour)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Colour.darker(150));
    p.setBrush(Colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(Letter));
    return image;
}

// A plug: connected (joined, green) or not (apart, grey).
QImage Plug(bool Joined)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = Joined ? QColor(40, 150, 60) : QColor(130, 130, 130);
    p.setPen(QPen(colour.darker(130), 1));
    p.setBrush(colour);
    const int gap = Joined ? 0 : 3;
    p.drawRect(QRectF(1.5, 5.5, 5 - gap / 2.0, 5));
    p.drawRect(QRectF(9.5 + gap / 2.0, 5.5, 5 - gap / 2.0, 5));
    p.drawLine(QPointF(6.5 - gap / 2.0, 7), QPointF(9.5 + gap / 2.0, 7));
    p.drawLine(QPointF(6.5 - gap / 2.0, 9), QPointF(9.5 + gap / 2.0, 9));
    return image;
}

// A page with a folded corner, in Colour.
QImage Page(QColor Colour)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13.5, 5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Colour);
    p.drawPath(path);
    p.setPen(QColor(150, 150, 150));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(5, y, 11, y);
    return image;
}

// An arrow pointing right (Right) or left, for the commands sent and the replies received.
QImage Arrow(bool Right, QColor Colour)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow{{1.5, 6}, {8, 6}, {8, 2.5}, {14.5, 8}, {8, 13.5}, {8, 10}, {1.5, 10}};
    if (!Right)
        for (QPointF& point : arrow)
            point.setX(16 - point.x());
    p.setPen(Colour.darker(140));
    p.setBrush(Colour);
    p.drawPolygon(arrow);
    return image;
}

QImage Gear()
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(100, 110, 130));
    for (int i = 0; i < 8; ++i) {
        p.drawRect(QRectF(-1.5, -7.5, 3, 4));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 2, 2);
    return image;
}

} // namespace

QImage AppImageAt(int Index)
{
    using namespace AppImage;
    switch (Index) {
    case Document:
        return Page(Qt::white);
    case LogPlain:
        return Page(QColor(255, 250, 220));
    case Connected:
        return Glyph(9); // "My Sites", the connection and the active pane: the computer
    case Disconnected:
        return Plug(false);
    case Site:
        return Glyph(7);
    case InfoTab:
        return Glyph(10);
    case LogError:
        return Badge(QColor(200, 40, 40), [](QPainter& p) {
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        });
    case Placeholder:
        return Badge(QColor(70, 120, 200), [](QPainter& p) {
            for (double x : {4.8, 8.0, 11.2})
                p.drawPoint(QPointF(x, 8));
        });
    case LogCommand:
        return Arrow(true, QColor(60, 130, 210));
    case LogReply:
        return Arrow(false, QColor(60, 160, 80));
    case TypeAscii:
        return LetterBox('A', QColor(60, 120, 200));
    case LogNotice:
        return Badge(QColor(230, 150, 30), [](QPainter& p) {
            p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
            p.drawPoint(QPointF(8, 11.5));
        });
    case TypeBinary:
        return LetterBox('B', QColor(120, 80, 170));
    case TypeAuto:
        return LetterBox('*', QColor(60, 150, 110));
    case Refresh:
        return Badge(QColor(40, 150, 60), [](QPainter& p) { p.drawArc(QRectF(4.5, 4.5, 7, 7), 90 * 16, 270 * 16); });
    case Search:
        return Glyph(2);
    case InactivePane:
        {
        // The active pane's picture in grey, keeping its transparency.
        QImage image = Glyph(9).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const int grey = qGray(pixel);
                image.setPixel(x, y, qRgba(grey, grey, grey, qAlpha(pixel)));
            }
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    case EditTab:
        return Glyph(4);
    case Settings:
        return Gear();
    case Help:
        return Badge(QColor(60, 120, 200), [](QPainter& p) {
            p.drawArc(QRectF(5.5, 3.5, 5, 5), -90 * 16, 270 * 16);
            p.drawLine(QPointF(8, 8.5), QPointF(8, 9.5));
            p.drawPoint(QPointF(8, 12));
        });
    default:
        return Blank(16, 16);
    }
}

void FillAppImages(TImageList& List)
{
    List.SetWidth(16);
    List.SetHeight(16);
    for (int i = 0; i < AppImage::Count; ++i)
        List.Add(AppImageAt(i));
}

QCursor NewDragCursor()
{
    QImage image = Blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF arrow{{0.5, 0.5}, {0.5, 15}, {4.5, 11}, {7.5, 17.5}, {9.5, 16.5}, {6.5, 10.5}, {12, 10.5}};
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    p.drawImage(12, 14, Page(Qt::white));
    p.end();
    return QCursor(QPixmap::fromImage(image), 0, 0);
}

QImage LogoImage()
{
    QImage image = Blank(180, 120);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A sail over a hull, and the program's name under it.
    p.setPen(QPen(QColor(70, 90, 120), 2));
    p.drawLine(QPointF(90, 8), QPointF(90, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 205, 225));
    p.drawPolygon(QPolygonF{{92, 10}, {92, 66}, {132, 66}});
    p.setBrush(QColor(160, 180, 210));
    p.drawPolygon(QPolygonF{{88, 18}, {88, 66}, {58, 66}});
    p.setBrush(QColor(90, 110, 140));
    p.drawPolygon(QPolygonF{{50, 72}, {130, 72}, {118, 84}, {62, 84}});
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(110, 125, 150));
    p.drawText(QRect(0, 92, 180, 24), Qt::AlignCenter, QStringLiteral("Tarnwick Halyard FTP"));
    return image;
}
