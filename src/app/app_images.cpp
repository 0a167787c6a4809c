// The main window's pictures, drawn here at their size.
#include "app/app_images.h"

#include "app/command_images.h"
#include "app/picture_painter.h"
#include "app/picture_shapes.h"
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

QImage Glyph(int Index, int Size)
{
    QImage image;
    return LoadGlyph(image, Index) ? image.scaled(Size, Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                         .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                   : BlankPicture(Size);
}

// A picture Size wide drawn by Draw on the grid of 16 units.
template <class Draw> QImage Drawn(int Size, Draw Picture)
{
    QImage image = BlankPicture(Size);
    TPicturePainter painter(image);
    Picture(painter);
    return image;
}

// A round badge of Colour with a white sign drawn by Sign.
template <class Draw> QImage Badge(int Size, QColor Colour, Draw Sign)
{
    return Drawn(Size, [&](QPainter& p) {
        DrawBadge(p, Colour);
        Sign(p);
    });
}

// An arrow pointing right (Right) or left, for the commands sent and the replies received.
QImage LogArrow(int Size, bool Right, QColor Colour)
{
    return Drawn(Size, [&](QPainter& p) {
        QPolygonF arrow{{1.5, 6}, {8, 6}, {8, 2.5}, {14.5, 8}, {8, 13.5}, {8, 10}, {1.5, 10}};
        if (!Right)
            for (QPointF& point : arrow)
                point.setX(16 - point.x());
        p.setPen(QPen(Colour.darker(140), 1));
        p.setBrush(Colour);
        p.drawPolygon(arrow);
    });
}

// The active pane's picture in grey, keeping its transparency.
QImage GreyPane(int Size)
{
    QImage image = Glyph(9, Size).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int grey = qGray(pixel);
            image.setPixel(x, y, qRgba(grey, grey, grey, qAlpha(pixel)));
        }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The pictures of the window's states and marks; null for the other indexes.
QImage StateImage(int Index, int Size)
{
    using namespace AppImage;
    switch (Index) {
    case Document:
        return Drawn(Size, [](QPainter& p) { DrawPage(p, Qt::white); });
    case LogPlain:
        return Drawn(Size, [](QPainter& p) { DrawPage(p, QColor(255, 250, 220)); });
    case Connected:
        return Glyph(9, Size); // "My Sites", the connection and the active pane: the computer
    case Disconnected:
        return Drawn(Size, [](QPainter& p) { DrawPlug(p, false, QColor(130, 130, 130)); });
    case Site:
        return Glyph(7, Size);
    case InfoTab:
        return Glyph(10, Size);
    case LogError:
        return Badge(Size, QColor(200, 40, 40), [](QPainter& p) {
            p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
            p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        });
    case Placeholder:
        return Badge(Size, QColor(70, 120, 200), [](QPainter& p) {
            for (double x : {4.8, 8.0, 11.2})
                p.drawPoint(QPointF(x, 8));
        });
    case LogCommand:
        return LogArrow(Size, true, QColor(60, 130, 210));
    case LogReply:
        return LogArrow(Size, false, QColor(60, 160, 80));
    case LogNotice:
        return Badge(Size, QColor(230, 150, 30), [](QPainter& p) {
            p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
            p.drawPoint(QPointF(8, 11.5));
        });
    case InactivePane:
        return GreyPane(Size);
    case EditTab:
        return Glyph(4, Size);
    default:
        return {};
    }
}

} // namespace

QImage AppImageAt(int Index, int Size)
{
    if (QImage image = StateImage(Index, Size); !image.isNull())
        return image;
    if (QImage image = CommandImage(Index, Size); !image.isNull())
        return image;
    return BlankPicture(Size);
}

void FillAppImages(TImageList& List)
{
    List.SetWidth(16);
    List.SetHeight(16);
    for (int i = 0; i < AppImage::Count; ++i)
        List.Add(AppImageAt(i));
}

void FillToolbarImages(TImageList& List)
{
    constexpr int size = 32;
    List.SetWidth(size);
    List.SetHeight(size);
    for (int i = 0; i < AppImage::Count; ++i)
        List.Add(i == AppImage::TypeBinary ? TransferTypeImage(1, size) : AppImageAt(i, size));
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
    p.drawImage(12, 14, AppImageAt(AppImage::Document));
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
