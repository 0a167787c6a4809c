// The pictures of the window's commands.
#include "app/command_images.h"

#include "app/app_images.h"
#include "app/picture_painter.h"
#include "app/picture_shapes.h"

#include <QPainterPath>

namespace {

const QColor Green(40, 150, 60);
const QColor Blue(50, 110, 200);
const QColor Red(200, 40, 40);
const QColor Ink(40, 40, 40);

template <class Draw> QImage Drawn(int Size, Draw Picture)
{
    QImage image = BlankPicture(Size);
    TPicturePainter painter(image);
    Picture(painter);
    return image;
}

// Text in Colour filling the grid, for the editor's formatting commands.
void DrawText(QPainter& p, const QString& Text, QColor Colour, int PixelSize, bool Italic = false,
              bool Underline = false)
{
    QFont font(QStringLiteral("serif"));
    font.setPixelSize(PixelSize);
    font.setBold(true);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    p.setFont(font);
    p.setPen(Colour);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, Text);
}

// A tray the transfer arrows point out of or into.
void DrawTray(QPainter& p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{2, 10}, {2, 14}, {14, 14}, {14, 10}});
}

// A floppy disk, the save commands.
void DrawDisk(QPainter& p)
{
    p.setPen(QPen(QColor(30, 50, 90), 1));
    p.setBrush(QColor(70, 100, 170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

// A globe, for what lives on the server.
void DrawGlobe(QPainter& p, QRectF Box)
{
    p.setPen(QPen(QColor(30, 80, 140), 1));
    p.setBrush(QColor(110, 170, 230));
    p.drawEllipse(Box);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(Box.adjusted(Box.width() / 3.2, 0, -Box.width() / 3.2, 0));
    p.drawLine(QPointF(Box.left(), Box.center().y()), QPointF(Box.right(), Box.center().y()));
}

// A small sign in the lower right corner, over a bigger picture.
void DrawPlusMark(QPainter& p)
{
    p.setPen(QPen(Green.darker(130), 1));
    p.setBrush(Green);
    p.drawEllipse(QRectF(9, 0.5, 6.5, 6.5));
    p.setPen(QPen(Qt::white, 1.3));
    p.drawLine(QPointF(12.25, 2), QPointF(12.25, 5.5));
    p.drawLine(QPointF(10.5, 3.75), QPointF(14, 3.75));
}

void DrawGear(QPainter& p)
{
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
}

void DrawPencil(QPainter& p, QPointF Tip)
{
    QPainterPath body;
    body.moveTo(Tip);
    body.lineTo(Tip + QPointF(1.5, -4));
    body.lineTo(Tip + QPointF(8.5, -11));
    body.lineTo(Tip + QPointF(11, -8.5));
    body.lineTo(Tip + QPointF(4, -1.5));
    body.closeSubpath();
    p.setPen(QPen(QColor(120, 80, 20), 0.9));
    p.setBrush(QColor(240, 180, 60));
    p.drawPath(body);
}

} // namespace

QImage TransferTypeImage(int Mode, int Size)
{
    static const char* const letters[] = {"A", "B", "*"};
    static const QColor colours[] = {QColor(60, 120, 200), QColor(120, 80, 170), QColor(60, 150, 110)};
    Mode = std::clamp(Mode, 0, 2);
    return Drawn(Size, [Mode](QPainter& p) { DrawLetterBox(p, QString::fromLatin1(letters[Mode]), colours[Mode]); });
}

QImage CommandImage(int Index, int Size)
{
    using namespace AppImage;
    switch (Index) {
    case Connect:
        return Drawn(Size, [](QPainter& p) { DrawPlug(p, true, Green); });
    case Disconnect:
        return Drawn(Size, [](QPainter& p) {
            DrawPlug(p, false, QColor(130, 130, 130));
            p.setPen(QPen(Red, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(6, 1.5), QPointF(10, 14.5));
        });
    case Upload:
        return Drawn(Size, [](QPainter& p) {
            DrawTray(p);
            DrawArrow(p, {8, 12}, {8, 1}, Green);
        });
    case Download:
        return Drawn(Size, [](QPainter& p) {
            DrawTray(p);
            DrawArrow(p, {8, 1}, {8, 12}, Blue);
        });
    case NewFolder:
        return Drawn(Size, [](QPainter& p) {
            DrawFolder(p);
            DrawPlusMark(p);
        });
    case UpLevel:
        return Drawn(Size, [](QPainter& p) {
            DrawFolder(p);
            DrawArrow(p, {5, 11.5}, {11, 5.5}, Green, 1.8);
        });
    case ChangeFolder:
        return Drawn(Size, [](QPainter& p) {
            DrawFolder(p);
            DrawArrow(p, {3.5, 9.5}, {13, 9.5}, Blue, 1.8);
        });
    case Delete:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        });
    case Properties:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 1.5, 11, 13));
            for (double y : {4.5, 8.0, 11.5}) {
                p.setPen(QPen(Blue, 1));
                p.setBrush(Blue.lighter(150));
                p.drawRect(QRectF(4, y - 1.25, 2.5, 2.5));
                p.setPen(QPen(QColor(120, 120, 120), 1));
                p.drawLine(QPointF(8, y), QPointF(12, y));
            }
        });
    case Bookmark:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(30, 60, 120), 1));
            p.setBrush(Blue);
            p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
            p.setPen(Qt::NoPen);
            p.setBrush(Red);
            p.drawPolygon(QPolygonF{{8, 1.5}, {11.5, 1.5}, {11.5, 9}, {9.75, 7.5}, {8, 9}});
        });
    case Wizard:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(60, 40, 20), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2.5, 13.5), QPointF(9.5, 6.5));
            p.setPen(QPen(QColor(200, 150, 0), 0.8));
            p.setBrush(QColor(255, 215, 40));
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double radius = i % 2 ? 1.6 : 4;
                const double angle = M_PI / 5 * i - M_PI / 2;
                star << QPointF(11.5 + radius * std::cos(angle), 4.5 + radius * std::sin(angle));
            }
            p.drawPolygon(star);
        });
    case Quote:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(QColor(30, 30, 30));
            p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
            p.setPen(QPen(QColor(90, 220, 90), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF{{4, 5.5}, {6.5, 8}, {4, 10.5}});
            p.drawLine(QPointF(8, 10.5), QPointF(11.5, 10.5));
        });
    case Settings:
        return Drawn(Size, [](QPainter& p) { DrawGear(p); });
    case Help:
        return Drawn(Size, [](QPainter& p) {
            DrawBadge(p, Blue);
            p.drawArc(QRectF(5.5, 3.5, 5, 5), -90 * 16, 270 * 16);
            p.drawLine(QPointF(8, 8.5), QPointF(8, 9.5));
            p.drawPoint(QPointF(8, 12));
        });
    case Rename:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(0.5, 4.5, 15, 7));
            p.setPen(QPen(Blue, 1.2));
            p.drawLine(QPointF(3, 8), QPointF(9, 8));
            p.setPen(QPen(Ink, 1));
            p.drawLine(QPointF(11, 2.5), QPointF(11, 13.5));
            p.drawLine(QPointF(9.5, 2.5), QPointF(12.5, 2.5));
            p.drawLine(QPointF(9.5, 13.5), QPointF(12.5, 13.5));
        });
    case Refresh:
        return Drawn(Size, [](QPainter& p) {
            DrawBadge(p, Green);
            p.drawArc(QRectF(4.5, 4.5, 7, 7), 90 * 16, 270 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF{{8, 2.5}, {10.5, 4.5}, {8, 6.5}});
        });
    case History:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(QPen(Ink, 1.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 8), QPointF(8, 4));
            p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        });
    case Exit:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(90, 60, 30), 1));
            p.setBrush(QColor(170, 120, 70));
            p.drawRect(QRectF(2.5, 1.5, 7, 13));
            DrawArrow(p, {7, 8}, {15, 8}, Red, 1.8);
        });
    case EditDocument:
        return Drawn(Size, [](QPainter& p) {
            DrawPage(p, Qt::white);
            DrawPencil(p, {4, 14.5});
        });
    case Search:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(70, 70, 70), 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
            p.setPen(QPen(QColor(60, 60, 60), 1.4));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        });
    case SaveLocal:
        return Drawn(Size, [](QPainter& p) { DrawDisk(p); });
    case SaveRemote:
        return Drawn(Size, [](QPainter& p) {
            DrawDisk(p);
            DrawGlobe(p, QRectF(8, 8, 7.5, 7.5));
        });
    case Bold:
        return Drawn(Size, [](QPainter& p) { DrawText(p, QStringLiteral("B"), Ink, 14); });
    case Underline:
        return Drawn(Size, [](QPainter& p) { DrawText(p, QStringLiteral("U"), Ink, 14, false, true); });
    case Italic:
        return Drawn(Size, [](QPainter& p) { DrawText(p, QStringLiteral("I"), Ink, 14, true); });
    case LineBreak:
        return Drawn(Size, [](QPainter& p) { DrawText(p, QStringLiteral("br"), Blue, 10); });
    case Paragraph:
        return Drawn(Size, [](QPainter& p) { DrawText(p, QStringLiteral("\u00b6"), Blue, 14); });
    case BackColour:
        return Drawn(Size, [](QPainter& p) {
            const QColor colours[] = {Red, Green, Blue, QColor(240, 200, 40)};
            for (int i = 0; i < 4; ++i) {
                p.setPen(QPen(QColor(60, 60, 60), 0.8));
                p.setBrush(colours[i]);
                p.drawRect(QRectF(1.5 + (i % 2) * 7, 1.5 + (i / 2) * 7, 6, 6));
            }
        });
    case FontColour:
        return Drawn(Size, [](QPainter& p) {
            QFont font(QStringLiteral("serif"));
            font.setPixelSize(12);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Ink);
            p.drawText(QRectF(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
            p.setPen(Qt::NoPen);
            p.setBrush(Red);
            p.drawRect(QRectF(2, 12.5, 12, 3));
        });
    case Picture:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(QColor(200, 230, 255));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 200, 40));
            p.drawEllipse(QRectF(9.5, 4, 3, 3));
            p.setBrush(Green);
            p.drawPolygon(QPolygonF{{2, 13}, {6.5, 7}, {9.5, 10.5}, {11, 9}, {14, 13}});
        });
    case Link:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(90, 100, 120), 1.8));
            p.setBrush(Qt::NoBrush);
            p.translate(8, 8);
            p.rotate(-45);
            p.drawRoundedRect(QRectF(-7, -2.5, 8, 5), 2.5, 2.5);
            p.drawRoundedRect(QRectF(-1, -2.5, 8, 5), 2.5, 2.5);
        });
    case ServerDocument:
        return Drawn(Size, [](QPainter& p) { DrawGlobe(p, QRectF(1.5, 1.5, 13, 13)); });
    case MakeZip:
        return Drawn(Size, [](QPainter& p) {
            p.setPen(QPen(QColor(120, 80, 30), 1));
            p.setBrush(QColor(215, 170, 100));
            p.drawRect(QRectF(1.5, 3.5, 13, 11));
            p.setBrush(QColor(190, 145, 80));
            p.drawRect(QRectF(1.5, 1.5, 13, 3));
            p.setPen(QPen(QColor(70, 70, 70), 1));
            for (double y = 5; y < 14; y += 2) {
                p.drawLine(QPointF(6.5, y), QPointF(8, y));
                p.drawLine(QPointF(8, y + 1), QPointF(9.5, y + 1));
            }
        });
    case TypeAscii:
        return TransferTypeImage(0, Size);
    case TypeAuto:
        return TransferTypeImage(2, Size);
    default:
        return {};
    }
}
