// The insets and drawings of the frame styles.
#include "dialogs/frame_style.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace {

// The caption's distance from the group frame's corner.
constexpr int GroupCaptionIndent = 8;

void HLine(QPainter& Painter, int X1, int X2, int Y, const QColor& Color)
{
    Painter.setPen(Color);
    Painter.drawLine(X1, Y, X2, Y);
}

void VLine(QPainter& Painter, int X, int Y1, int Y2, const QColor& Color)
{
    Painter.setPen(Color);
    Painter.drawLine(X, Y1, X, Y2);
}

// Top and left edges of R in TopLeft, bottom and right edges in BottomRight.
void Edges(QPainter& Painter, const QRect& R, const QColor& TopLeft, const QColor& BottomRight)
{
    HLine(Painter, R.left(), R.right(), R.top(), TopLeft);
    VLine(Painter, R.left(), R.top(), R.bottom(), TopLeft);
    HLine(Painter, R.left(), R.right(), R.bottom(), BottomRight);
    VLine(Painter, R.right(), R.top(), R.bottom(), BottomRight);
}

void EtchedHLine(QPainter& Painter, const QRect& R, int Y, const QPalette& Palette)
{
    HLine(Painter, R.left(), R.right(), Y, Palette.color(QPalette::Dark));
    HLine(Painter, R.left(), R.right(), Y + 1, Palette.color(QPalette::Light));
}

void EtchedVLine(QPainter& Painter, const QRect& R, int X, const QPalette& Palette)
{
    VLine(Painter, X, R.top(), R.bottom(), Palette.color(QPalette::Dark));
    VLine(Painter, X + 1, R.top(), R.bottom(), Palette.color(QPalette::Light));
}

int CaptionX(const QRect& R, int TextWidth, TAlignment Alignment)
{
    switch (Alignment) {
    case taLeftJustify: return R.left() + GroupCaptionIndent;
    case taRightJustify: return R.right() - GroupCaptionIndent - TextWidth;
    case taCenter: break;
    }
    return R.left() + (R.width() - TextWidth) / 2;
}

void PaintGroup(QPainter& Painter, const QRect& R, const QPalette& Palette, const QString& Caption,
                TAlignment Alignment)
{
    const QFontMetrics metrics = Painter.fontMetrics();
    const int top = Caption.isEmpty() ? R.top() : R.top() + metrics.height() / 2;
    // The etched frame: a shadow rectangle with a highlight one a pixel right of and below it.
    const QRect frame(R.left(), top, R.width() - 1, R.bottom() - top);
    Edges(Painter, frame.translated(1, 1), Palette.color(QPalette::Light), Palette.color(QPalette::Light));
    Edges(Painter, frame, Palette.color(QPalette::Dark), Palette.color(QPalette::Dark));
    if (Caption.isEmpty())
        return;
    const QString text =
        metrics.elidedText(Caption, Qt::ElideRight, qMax(0, R.width() - 2 * GroupCaptionIndent));
    const int width = metrics.horizontalAdvance(text) + 4;
    const QRect box(CaptionX(R, width, Alignment), R.top(), width, metrics.height());
    Painter.fillRect(box, Palette.color(QPalette::Window));
    Painter.setPen(Palette.color(QPalette::WindowText));
    Painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

} // namespace

QMargins FrameInset(TPTFrameStyle Style, const QFontMetrics& Font, bool HasCaption)
{
    switch (Style) {
    case ptfsNone: return {};
    case ptfsGroup: return {2, HasCaption ? Font.size(Qt::TextSingleLine, QStringLiteral("0")).height() : 2, 2, 2};
    case ptfsLowered:
    case ptfsRaised: return {2, 2, 2, 2};
    case ptfsDint:
    case ptfsBump:
    case ptfsSingle: return {1, 1, 1, 1};
    case ptfsHorzLine: return {0, 2, 0, 0};
    case ptfsHorzEdge: return {0, 2, 0, 2};
    case ptfsVertLine: return {2, 0, 0, 0};
    case ptfsVertEdge: return {2, 0, 2, 0};
    }
    return {};
}

void PaintFrameStyle(QPainter& Painter, const QRect& Rect, TPTFrameStyle Style, const QPalette& Palette,
                     const QString& Caption, TAlignment Alignment)
{
    const QRect r = Rect;
    const QColor shadow = Palette.color(QPalette::Dark);
    const QColor darkShadow = Palette.color(QPalette::Shadow);
    const QColor face = Palette.color(QPalette::Button);
    const QColor highlight = Palette.color(QPalette::Light);
    Painter.save();
    switch (Style) {
    case ptfsNone: break;
    case ptfsGroup: PaintGroup(Painter, r, Palette, Caption, Alignment); break;
    case ptfsLowered:
        Edges(Painter, r, shadow, highlight);
        Edges(Painter, r.adjusted(1, 1, -1, -1), darkShadow, face);
        break;
    case ptfsRaised:
        Edges(Painter, r, highlight, darkShadow);
        Edges(Painter, r.adjusted(1, 1, -1, -1), face, shadow);
        break;
    case ptfsDint: Edges(Painter, r, shadow, highlight); break;
    case ptfsBump: Edges(Painter, r, highlight, shadow); break;
    case ptfsSingle: Edges(Painter, r, Palette.color(QPalette::WindowText), Palette.color(QPalette::WindowText)); break;
    case ptfsHorzLine: EtchedHLine(Painter, r, r.top(), Palette); break;
    case ptfsHorzEdge:
        EtchedHLine(Painter, r, r.top(), Palette);
        EtchedHLine(Painter, r, r.bottom() - 1, Palette);
        break;
    case ptfsVertLine: EtchedVLine(Painter, r, r.left(), Palette); break;
    case ptfsVertEdge:
        EtchedVLine(Painter, r, r.left(), Palette);
        EtchedVLine(Painter, r, r.right() - 1, Palette);
        break;
    }
    Painter.restore();
}

void PaintFrameCaption(QPainter& Painter, const QRect& Rect, int FrameSpace, const QString& Caption,
                       TAlignment Alignment)
{
    if (Caption.isEmpty())
        return;
    const QRect r = Rect.adjusted(FrameSpace, 0, -FrameSpace, 0);
    const QString text = Painter.fontMetrics().elidedText(Caption, Qt::ElideRight, qMax(0, r.width()));
    const Qt::Alignment horizontal = Alignment == taLeftJustify    ? Qt::AlignLeft
                                     : Alignment == taRightJustify ? Qt::AlignRight
                                                                   : Qt::AlignHCenter;
    Painter.drawText(r, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);
}
