// The editor control's painting: the rows of the exposed region drawn into the kept frame and
// shown, the caret with its blinking, the focus line, and the scroll bars brought up to date.
#include "editor/custom_syntax_memo.h"

#include "editor/language/sm_settings.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>

// While painting is off or locked, or the text is being printed, the last frame stays on the
// screen as it was, so that nothing half-drawn shows; otherwise the rows that meet the exposed region are drawn into the frame.
void TCustomSyntaxMemo::paintEvent(QPaintEvent* Event)
{
    QPainter screen(viewport());
    if (UpdateLocked() || !PaintingEnabled() || printing_) {
        screen.drawPixmap(0, 0, frame_);
        return;
    }
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size();
    QRegion exposed = Event->region();
    if (frame_.size() != size * ratio) {
        frame_ = QPixmap(size * ratio);
        frame_.setDevicePixelRatio(ratio);
        exposed = QRegion(viewport()->rect());
    }
    {
        QPainter painter(&frame_);
        painter.setClipRegion(exposed);
        TRenderRequest request;
        request.Area = viewport()->rect();
        request.Canvas = &painter;
        request.Exposed = exposed;
        Render(request);
        if (ShowFocusLine)
            DrawFocusLine(painter);
    }
    screen.drawPixmap(0, 0, frame_);
    DrawMarginDrag(screen);
    caretShown_ = {};
    if (hasFocus() && caretOn_) {
        const QRect caret = CaretRect();
        if (!caret.isEmpty()) {
            screen.setCompositionMode(QPainter::CompositionMode_Difference);
            screen.fillRect(caret, Qt::white);
            caretShown_ = caret;
        }
    }
    // The bars follow what was drawn.
    UpdateScrollBars();
}

QRect TCustomSyntaxMemo::CaretRect()
{
    const int lineHeight = metrics_.LineHeight;
    QPoint point = PointFromPosition(SelEnd());
    int start = 0;
    const TLineRecord* line = TextStore().LineAt(SelEnd(), nullptr, &start);
    if (metrics_.FixedPitch && HasOption(smoCaretAfterEOL) && CaretAfterEOL)
        point.setX(TextLeft() + (VirtualColumn - leftColumn_) * metrics_.CharWidth);
    if (point.y() < 0 || point.y() >= clientHeight_ || point.x() < TextLeft() || point.x() > clientWidth_)
        return {};
    int width = 2;
    if (!InsertMode && HasOption(smoBlockOverwriteCursor)) {
        const int offset = SelEnd() - start;
        const bool onText = line && !CaretAfterEOL && offset < line->Length() && line->Text[std::size_t(offset)] != LineEndChar;
        width = onText ? fontMetrics().horizontalAdvance(QChar(line->Text[std::size_t(offset)] == '\t'
                                                                    ? ' '
                                                                    : line->Text[std::size_t(offset)]))
                       : metrics_.CharWidth;
    }
    return {point.x(), point.y(), width, lineHeight};
}

void TCustomSyntaxMemo::DrawFocusLine(QPainter& Painter)
{
    const QPoint caret = PointFromPosition(SelEnd());
    if (caret.y() < 0 || caret.y() >= clientHeight_)
        return;
    const TSM_StyleEffect& plain = Settings().GetStyleEffects(0);
    const win::COLORREF back = plain.UseDefaultBackground ? win::GetSysColor(win::COLOR_WINDOW)
                                                          : ColorToRGB(plain.Background);
    const win::COLORREF inverse = back ^ 0xFFFFFF;
    Painter.setPen(QColor(int(inverse & 0xFF), int(inverse >> 8 & 0xFF), int(inverse >> 16 & 0xFF)));
    const int bottom = caret.y() + metrics_.LineHeight - 1;
    Painter.drawLine(TextLeft(), caret.y(), clientWidth_, caret.y());
    Painter.drawLine(TextLeft(), bottom, clientWidth_, bottom);
}

void TCustomSyntaxMemo::SetCaretBlinking(bool On)
{
    caretBlinking_ = On;
    caretOn_ = true;
    if (!On)
        caretTimer_.stop();
    else if (hasFocus())
        caretTimer_.start();
}
