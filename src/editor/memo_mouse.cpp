// The editor control's mouse: placing the caret, selecting by dragging, Shift+click, double click
// (word), triple click (line) and the margin strip (line), gutter clicks, dragging the selection
// and the right-margin and wrap-column lines, hot spots and the wheel (TMouseHandler).
#include "editor/custom_syntax_memo.h"

#include "editor/document/undo_block.h"
#include "editor/language/sm_settings.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

// The position of a record's end: before its line end.
int TextEnd(const TLineRecord& Line)
{
    return Line.Length() - (Line.EndsLine() ? 1 : 0);
}

std::int64_t MonotonicMilliseconds()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

// Works the mouse events of one editor on its TMemoMouseState.
class TMouseHandler {
public:
    explicit TMouseHandler(TCustomSyntaxMemo& Memo) : memo_(Memo), state_(Memo.mouse_) {}

    // What lies under a client point: the record of its row (the last one below the text), the
    // display column, and the position of the character there.
    struct THit {
        TLineRecord* Line = nullptr;
        int Index = 0;
        int Start = 0;
        int Column = 0;
        int Pos = 0;
        // The column lies beyond the record's text.
        bool BeyondText = false;
    };

    THit HitAt(QPoint Point) const
    {
        THit hit;
        const int height = std::max(1, memo_.metrics_.LineHeight);
        hit.Index = memo_.TopLine() + std::max(0, Point.y()) / height;
        hit.Line = memo_.TextStore().LineByIndex(hit.Index, &hit.Start);
        if (!hit.Line)
            return hit;
        hit.Index = std::min(hit.Index, memo_.TextStore().LineCount() - 1);
        hit.Column = memo_.ColumnAtPixel(std::max(Point.x(), memo_.TextLeft()), hit.Line);
        hit.BeyondText = hit.Column >= DisplayColumn(*hit.Line, TextEnd(*hit.Line), memo_.TabStops);
        hit.Pos = hit.Start + OffsetAtColumn(*hit.Line, hit.Column, memo_.TabStops);
        return hit;
    }

    void Press(QPoint Point, bool Shift)
    {
        memo_.HookSettings();
        memo_.setFocus(Qt::MouseFocusReason);
        NextClickMode();
        state_.Pointer = Point;
        const int textLeft = memo_.TextLeft();
        if (Point.x() < textLeft - memo_.Margin()) {
            GutterClick(Point);
            return;
        }
        if (Point.x() < textLeft) {
            const THit hit = HitAt(Point);
            if (hit.Line)
                memo_.SetSelection(hit.Start, hit.Start + hit.Line->Length());
            state_.Tracking = true;
            return;
        }
        if (state_.MarginHover) {
            StartMarginDrag(Point);
            return;
        }
        const THit hit = HitAt(Point);
        if (!hit.Line) {
            state_.Tracking = true;
            return;
        }
        const int lastLine = state_.ClickedLine;
        state_.ClickedLine = hit.Index;
        if (Shift) {
            const int start = std::min(memo_.SelStart(), memo_.SelEnd());
            const int end = std::max(memo_.SelStart(), memo_.SelEnd());
            memo_.SetSelection(hit.Pos >= start ? start : end, hit.Pos);
            FollowPointer(hit);
            state_.Tracking = true;
            return;
        }
        if (state_.ClickMode == 3 && hit.Index != lastLine)
            state_.ClickMode = 1;
        switch (state_.ClickMode) {
        case 1: {
            const int start = std::min(memo_.SelStart(), memo_.SelEnd());
            const int end = std::max(memo_.SelStart(), memo_.SelEnd());
            if (start != end && hit.Pos >= start && hit.Pos < end)
                state_.PendingDrag = true;
            else
                PlaceCaret(Point);
            break;
        }
        case 3:
            if (memo_.OnTripleClick)
                memo_.OnTripleClick(&memo_, Point, hit.Pos);
            else
                memo_.SetSelection(hit.Start, hit.Start + hit.Line->Length());
            state_.Tracking = true;
            break;
        default: PlaceCaret(Point); break;
        }
    }

    // The second press of a double click: the word at the caret, or the nearest one on its line.
    void DoubleClick(QPoint Point)
    {
        if (Point.x() < memo_.TextLeft() || state_.MarginDrag || !memo_.HasOption(smoWordSelect))
            return;
        if (state_.ClickMode == 3 || state_.ClickMode == 4)
            return;
        SelectWordAtCaret();
        state_.Tracking = true;
    }

    void Move(QPoint Point, Qt::MouseButtons Buttons)
    {
        state_.Pointer = Point;
        if (state_.PendingDrag && !state_.Dragging) {
            state_.PendingDrag = false;
            if (memo_.HasOption(smoOLEDragSource))
                DragSelection();
            return;
        }
        if (!(Buttons & Qt::LeftButton)) {
            Hover(Point);
            return;
        }
        if (!state_.Tracking && !state_.MarginDrag)
            return;
        if (AutoScroll(Point))
            return;
        const THit hit = HitAt(QPoint(std::max(Point.x(), memo_.TextLeft()), Point.y()));
        if (!hit.Line)
            return;
        if (state_.MarginDrag) {
            state_.MarginColumn = hit.Column;
            memo_.viewport()->update();
            return;
        }
        memo_.SetSelection(memo_.SelStart(), hit.Pos);
        FollowPointer(hit);
    }

    void Release(QPoint Point)
    {
        if (state_.PendingDrag) {
            state_.PendingDrag = false;
            PlaceCaret(Point);
        }
        state_.Tracking = false;
        state_.Dragging = false;
        if (state_.MarginDrag) {
            state_.MarginDrag = false;
            const int column = state_.MarginColumn;
            state_.MarginColumn = -1;
            memo_.viewport()->update();
            if (column >= 0) {
                if (state_.RightMarginDrag)
                    memo_.SetRightMargin(column);
                else
                    memo_.SetWrapAtColumn(column);
            }
        }
    }

    // Lines to scroll for a turn of the wheel (positive: down, toward the end of the text).
    void Wheel(int AngleDelta)
    {
        state_.WheelRest += AngleDelta;
        const int steps = state_.WheelRest / 120;
        state_.WheelRest -= steps * 120;
        if (steps != 0)
            memo_.ScrollBy(0, -steps * QApplication::wheelScrollLines());
    }

    int TokenAtPointer() const
    {
        const QPoint point = state_.Pointer;
        if (point.x() < memo_.TextLeft() || point.y() < 0)
            return 255;
        const THit hit = HitAt(point);
        const int height = std::max(1, memo_.metrics_.LineHeight);
        if (!hit.Line || !hit.Line->Tokens || hit.BeyondText ||
            memo_.TopLine() + point.y() / height > hit.Index)
            return 255;
        return hit.Line->Tokens[std::size_t(hit.Pos - hit.Start)];
    }

private:
    void NextClickMode()
    {
        const std::int64_t now = memo_.ClickClock ? memo_.ClickClock() : MonotonicMilliseconds();
        const bool quick = state_.Pressed && now - state_.PressTime <= memo_.DoubleClickInterval;
        // 1, 2, 3, 4 and round again while the presses follow quickly; a slow one starts at 1.
        state_.ClickMode = quick ? state_.ClickMode % 4 + 1 : 1;
        state_.PressTime = now;
        state_.Pressed = true;
    }

    void GutterClick(QPoint Point)
    {
        const THit hit = HitAt(Point);
        if (!hit.Line)
            return;
        int line = 0;
        int character = 0;
        memo_.DisplayToLogical(hit.Index + 1, 1, line, character);
        Fire(memo_.OnGutterClick, &memo_, line);
    }

    // The caret follows the pointer beyond the end of a line in caret-after-end-of-line mode; the
    // remembered column is where the pointer is.
    void FollowPointer(const THit& Hit)
    {
        if (memo_.HasOption(smoCaretAfterEOL) && memo_.metrics_.FixedPitch) {
            memo_.VirtualColumn = Hit.Column;
            memo_.CaretAfterEOL = Hit.BeyondText && Hit.Column > DisplayColumn(*Hit.Line, Hit.Pos - Hit.Start, memo_.TabStops);
            memo_.rememberedColumn_ = Hit.Column;
        } else {
            memo_.rememberedColumn_ = DisplayColumn(*Hit.Line, Hit.Pos - Hit.Start, memo_.TabStops);
        }
    }

    // The selection collapses at the point and tracking starts; on a hot spot its text is reported.
    void PlaceCaret(QPoint Point)
    {
        const THit hit = HitAt(Point);
        state_.Tracking = true;
        if (!hit.Line)
            return;
        memo_.SetSelection(hit.Pos, hit.Pos);
        FollowPointer(hit);
        if (state_.HyperlinkHover && !hit.BeyondText && hit.Line->Tokens)
            ReportHotspot(hit);
    }

    // The run of characters around the hit with its token byte, across the records of its
    // logical line.
    void ReportHotspot(const THit& Hit)
    {
        const std::uint8_t token = Hit.Line->Tokens[std::size_t(Hit.Pos - Hit.Start)];
        const auto same = [token](const TLineRecord* Line, int Offset) {
            return Line->Tokens && Offset < TextEnd(*Line) && Line->Tokens[std::size_t(Offset)] == token;
        };
        const TLineRecord* line = Hit.Line;
        int offset = Hit.Pos - Hit.Start;
        // Back to the run's first character.
        for (;;) {
            if (offset > 0 && same(line, offset - 1)) {
                --offset;
            } else if (offset == 0 && line->IsContinuation() && line->Prev && line->Prev->Length() > 0 &&
                       same(line->Prev, line->Prev->Length() - 1)) {
                line = line->Prev;
                offset = line->Length() - 1;
            } else {
                break;
            }
        }
        QByteArray data;
        for (;;) {
            if (same(line, offset)) {
                data += line->Text[std::size_t(offset)];
                ++offset;
            } else if (offset >= line->Length() && line->Next && line->Next->IsContinuation()) {
                line = line->Next;
                offset = 0;
            } else {
                break;
            }
        }
        Fire(memo_.OnHyperlinkClick, &memo_, data, int(token));
    }

    void SelectWordAtCaret()
    {
        int start = 0;
        const TLineRecord* line = memo_.TextStore().LineAt(memo_.SelEnd(), nullptr, &start);
        if (!line)
            return;
        const std::string& text = line->Text;
        const int length = TextEnd(*line);
        const int caret = std::clamp(memo_.SelEnd() - start, 0, length);
        const auto inWord = [&](int I) { return I >= 0 && I < length && memo_.CharIsInWord(text[std::size_t(I)]); };
        // The word holding the character I: back and forward over word characters, then on to
        // the first that may start a word. Empty when there is none.
        const auto wordAround = [&](int I, int& From, int& To) {
            From = I;
            while (inWord(From - 1))
                --From;
            To = I;
            while (inWord(To))
                ++To;
            while (From < To && !memo_.CharStartsWord(text[std::size_t(From)]))
                ++From;
            return From < To;
        };
        int from = 0;
        int to = 0;
        bool found = (inWord(caret) && wordAround(caret, from, to)) || (inWord(caret - 1) && wordAround(caret - 1, from, to));
        for (int i = caret - 1; !found && i >= 0; --i)
            found = inWord(i) && wordAround(i, from, to);
        for (int i = caret; !found && i < length; ++i)
            found = inWord(i) && wordAround(i, from, to);
        if (found)
            memo_.SetSelection(start + from, start + to);
    }

    // Drags the selection out of the editor or within it. A move within this editor is done by
    // its drop side as one undo step; a move into another widget deletes the text here.
    void DragSelection()
    {
        const int anchor = memo_.SelStart();
        const int caret = memo_.SelEnd();
        const int start = std::min(anchor, caret);
        const std::string text = memo_.TextStore().GetText(start, std::max(anchor, caret));
        const Qt::DropActions allowed = memo_.ReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
        state_.Dragging = true;
        bool intoSelf = false;
        Qt::DropAction action = Qt::IgnoreAction;
        try {
            action = memo_.DragSelectionText(allowed, intoSelf);
        } catch (...) {
            state_.Dragging = false;
            throw;
        }
        state_.Dragging = false;
        state_.Tracking = false;
        if (action == Qt::IgnoreAction)
            return;
        if (action == Qt::MoveAction && !intoSelf && !memo_.ReadOnly()) {
            // The dragged text is still where it was: nothing here changed while it was away.
            if (memo_.TextStore().GetText(start, start + int(text.size())) == text) {
                TUndoBlock block(memo_, ubDrop);
                memo_.SetSelection(start, start + int(text.size()), true);
                memo_.ReplaceSelectionText({});
            }
        } else if (action == Qt::CopyAction && !intoSelf) {
            memo_.SetSelection(anchor, caret);
        }
        memo_.Changed();
    }

    void StartMarginDrag(QPoint Point)
    {
        const THit hit = HitAt(Point);
        state_.MarginDrag = true;
        state_.MarginColumn = hit.Column;
        state_.RightMarginDrag = memo_.HasOption(smoShowRMargin) && hit.Column == memo_.RightMargin();
        memo_.viewport()->update();
    }

    // Outside the text area the view scrolls toward the pointer, taking the selection's end or the
    // margin line being dragged along, and goes on doing so on the window's timer while the
    // button is held; true when it scrolled.
    bool AutoScroll(QPoint Point)
    {
        if ((!state_.Tracking && !state_.MarginDrag) || !memo_.AutoScrollStep(Point))
            return false;
        memo_.ScrollTo(memo_.LeftColumn(), memo_.TopLine(), false, true);
        return true;
    }

    // Without a button: the margin lines and hot spots under the pointer, and the cursor.
    void Hover(QPoint Point)
    {
        const int textLeft = memo_.TextLeft();
        state_.MarginHover = false;
        state_.HyperlinkHover = false;
        if (Point.x() < textLeft) {
            memo_.viewport()->setCursor(Qt::ArrowCursor);
            return;
        }
        const THit hit = HitAt(Point);
        if (hit.Line && hit.BeyondText) {
            const bool rightMargin = memo_.HasOption(smoShowRMargin) && hit.Column == memo_.RightMargin();
            const bool wrapColumn = memo_.HasOption(smoWordWrap) && memo_.HasOption(smoShowWrapColumn) &&
                                    hit.Column == memo_.WrapAtColumn();
            state_.MarginHover = rightMargin || wrapColumn;
        }
        if (!state_.MarginHover && hit.Line && !hit.BeyondText && hit.Line->Tokens && memo_.settings_->HasHotspots()) {
            const int token = hit.Line->Tokens[std::size_t(hit.Pos - hit.Start)];
            state_.HyperlinkHover = memo_.settings_->GetStyleEffects(memo_.settings_->GetTokenStyle(token)).Hotspot != 0;
        }
        if (state_.HyperlinkHover) {
            memo_.viewport()->setCursor(memo_.HyperCursor);
            Fire(memo_.OnHyperlinkHover, &memo_);
        } else {
            memo_.viewport()->setCursor(state_.MarginHover ? Qt::SplitHCursor : Qt::IBeamCursor);
        }
    }

    TCustomSyntaxMemo& memo_;
    TMemoMouseState& state_;
};

void TCustomSyntaxMemo::DrawMarginDrag(QPainter& Painter)
{
    const int column = mouse_.MarginColumn;
    if (!mouse_.MarginDrag || column < leftColumn_ || column > leftColumn_ + visibleColumns_)
        return;
    const int x = PixelAtColumn(column, nullptr);
    Painter.save();
    Painter.setCompositionMode(QPainter::CompositionMode_Difference);
    Painter.fillRect(QRect(x, 0, 1, clientHeight_), Qt::white);
    Painter.restore();
}

int TCustomSyntaxMemo::TokenAtPointer()
{
    return TMouseHandler(*this).TokenAtPointer();
}

// The left button's events are the editor's own: they do not go on to the parent widgets.
void TCustomSyntaxMemo::mousePressEvent(QMouseEvent* Event)
{
    const QPoint point = Event->position().toPoint();
    if (Event->button() != Qt::LeftButton || point.x() >= clientWidth_) {
        QAbstractScrollArea::mousePressEvent(Event);
        return;
    }
    AtBoundary([&] { TMouseHandler(*this).Press(point, Event->modifiers() & Qt::ShiftModifier); });
    Event->accept();
}

void TCustomSyntaxMemo::mouseDoubleClickEvent(QMouseEvent* Event)
{
    const QPoint point = Event->position().toPoint();
    if (Event->button() != Qt::LeftButton || point.x() >= clientWidth_) {
        QAbstractScrollArea::mouseDoubleClickEvent(Event);
        return;
    }
    AtBoundary([&] {
        TMouseHandler handler(*this);
        handler.Press(point, Event->modifiers() & Qt::ShiftModifier);
        handler.DoubleClick(point);
    });
    Event->accept();
}

void TCustomSyntaxMemo::mouseMoveEvent(QMouseEvent* Event)
{
    AtBoundary([&] { TMouseHandler(*this).Move(Event->position().toPoint(), Event->buttons()); });
    Event->accept();
}

void TCustomSyntaxMemo::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(Event);
        return;
    }
    AtBoundary([&] { TMouseHandler(*this).Release(Event->position().toPoint()); });
    Event->accept();
}

void TCustomSyntaxMemo::wheelEvent(QWheelEvent* Event)
{
    AtBoundary([&] { TMouseHandler(*this).Wheel(Event->angleDelta().y()); });
    Event->accept();
}
