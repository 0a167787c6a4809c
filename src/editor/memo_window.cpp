// The editor control's window: its frame and scroll bars, the mapping between character
// positions and client points, bringing the caret into view, and the default word tests.
#include "editor/custom_syntax_memo.h"

#include "editor/document/display_columns.h"
#include "editor/language/sm_settings.h"

#include "platform/rtl/ansi_codec.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>

#include <QScrollBar>
#include <algorithm>

namespace {

bool IsLetterOrUnderscore(char C)
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}

// The policy of one bar: on while the style names it, so that it shows disabled when there is
// nothing to scroll, as the bar of the edit control does.
Qt::ScrollBarPolicy PolicyFor(bool Wanted)
{
    return Wanted ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

// The highest position is the last one that still fills a page.
void Apply(QScrollBar& Bar, const TScrollInfo& Info)
{
    Bar.setRange(Info.Min, std::max(Info.Min, Info.Max - std::max(Info.Page - 1, 0)));
    Bar.setPageStep(Info.Page);
    Bar.setValue(Info.Pos);
}

} // namespace

void TCustomSyntaxMemo::SetBorderStyle(TBorderStyle Value)
{
    borderStyle_ = Value;
    setFrameStyle(Value == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TCustomSyntaxMemo::SetScrollBars(TScrollStyle Value)
{
    scrollBars_ = Value;
    setHorizontalScrollBarPolicy(PolicyFor(Value == ssHorizontal || Value == ssBoth));
    setVerticalScrollBarPolicy(PolicyFor(Value == ssVertical || Value == ssBoth));
    UpdateScrollBars();
}

void TCustomSyntaxMemo::UpdateScrollBars()
{
    if (UpdateLocked() || !PaintingEnabled() || printing_)
        return;
    const bool horizontalShown = horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    const bool verticalShown = verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    horizontalInfo_ = HorizontalScrollInfo(TextStore().LongestLine(), visibleColumns_, leftColumn_, horizontalShown,
                                           TMemoCore::WordWrap, scrollBars_);
    verticalInfo_ = VerticalScrollInfo(TextStore().LineCount(), VisibleLines, TopLine(), verticalShown);
    applyingScrollBars_ = true;
    Apply(*horizontalScrollBar(), horizontalInfo_);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        Apply(*verticalScrollBar(), verticalInfo_);
    applyingScrollBars_ = false;
}

void TCustomSyntaxMemo::scrollContentsBy(int, int)
{
    if (applyingScrollBars_)
        return;
    const int left = horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value() * ScrollScale();
    if (left != leftColumn_)
        SetLeftColumn(left);
    if (top / ScrollScale() != TopLine() / ScrollScale())
        SetTopLine(top);
}

QPoint TCustomSyntaxMemo::PointFromPosition(int Pos)
{
    int index = 0;
    int start = 0;
    const TLineRecord* line = TextStore().LineAt(Pos, &index, &start);
    if (!line || index < TopLine())
        return {-1, -1};
    const int lineHeight = metrics_.LineHeight;
    int y = (index - TopLine()) * lineHeight;
    if (clientHeight_ > 0 && y > clientHeight_)
        y = (clientHeight_ + lineHeight - 1) / lineHeight * lineHeight;
    const int column = DisplayColumn(*line, Pos - start, TabStops);
    return {TextLeft() + (column - leftColumn_) * metrics_.CharWidth, y};
}

int TCustomSyntaxMemo::PositionFromPoint(QPoint Point)
{
    const int row = std::max(0, Point.y()) / metrics_.LineHeight;
    int start = 0;
    const TLineRecord* line = TextStore().LineByIndex(TopLine() + row, &start);
    if (!line)
        return 0;
    const int column = leftColumn_ + std::max(0, Point.x() - TextLeft()) / metrics_.CharWidth;
    return start + OffsetAtColumn(*line, column, TabStops);
}

int TCustomSyntaxMemo::CharFromPoint(QPoint Point)
{
    if (Point.x() < TextLeft() || Point.x() >= clientWidth_ || Point.y() < 0 || Point.y() >= clientHeight_)
        return -1;
    return PositionFromPoint(Point);
}

void TCustomSyntaxMemo::ScrollTo(int Column, int Line, bool Repaint, bool AutoScroll)
{
    leftColumn_ = std::clamp(Column, 0, std::max(0, TextStore().LongestLine() - 1));
    TMemoCore::SetTopLine(std::clamp(Line, 0, TextStore().LineCount() - 1));
    if (Repaint) {
        MarkVisibleForRepaint();
        Changed();
        UpdateScrollBars();
        Invalidate();
    }
    if (AutoScroll && hasFocus() && !autoScrollTimer_.isActive())
        autoScrollTimer_.start();
}

// The timer of auto-scrolling stops once the left button is up.
void TCustomSyntaxMemo::AutoScrollTick()
{
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton) || !hasFocus()) {
        autoScrollTimer_.stop();
        return;
    }
    AutoScrollStep(viewport()->mapFromGlobal(QCursor::pos()));
}

// A margin line being dragged goes along with the view instead of the selection's end; the
// right-margin line takes the view along already within two character widths of the right edge.
bool TCustomSyntaxMemo::AutoScrollStep(QPoint Pointer)
{
    const bool marginDrag = mouse_.MarginDrag;
    const int rightEdge = clientWidth_ - (marginDrag && mouse_.RightMarginDrag ? 2 * metrics_.CharWidth : 0);
    int top = TopLine();
    int left = leftColumn_;
    const bool vertical = verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    const bool horizontal = horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    if (vertical && Pointer.y() < 0)
        top = std::max(0, top - 1);
    else if (vertical && Pointer.y() >= clientHeight_)
        top = std::min(TextStore().LineCount() - 1, top + 1);
    if (horizontal && Pointer.x() < TextLeft())
        left = std::max(0, left - 1);
    else if (horizontal && Pointer.x() >= rightEdge)
        left = std::min(TextStore().LongestLine(), left + 1);
    const bool outside = Pointer.y() < 0 || Pointer.y() >= clientHeight_ || Pointer.x() < TextLeft() ||
                         Pointer.x() >= rightEdge;
    if (!outside)
        return false;
    ScrollTo(left, top, true);
    const QPoint edge(std::clamp(Pointer.x(), TextLeft(), std::max(TextLeft(), clientWidth_ - 1)),
                      std::clamp(Pointer.y(), 0, std::max(0, clientHeight_ - 1)));
    if (marginDrag)
        mouse_.MarginColumn = ColumnAtPixel(edge.x(), nullptr);
    else
        TMemoCore::SetSelection(SelStart(), PositionFromPoint(edge), true);
    Invalidate();
    return true;
}

void TCustomSyntaxMemo::Changed()
{
    if (!UpdateLocked() && PaintingEnabled())
        TMemoCore::Changed();
}

// The caret offset is limited on a copy: the selection keeps a caret at the end of the text.
void TCustomSyntaxMemo::ScrollCaretIntoView()
{
    if (clientWidth_ <= TextLeft() || clientHeight_ <= 0)
        return;
    const int caret = std::clamp(SelEnd(), 0, std::max(0, TextLength() - 1));
    int caretLine = 0;
    int lineStart = 0;
    const TLineRecord* line = TextStore().LineAt(caret, &caretLine, &lineStart);
    if (!line)
        return;
    const int lineHeight = metrics_.LineHeight;
    const int oldTop = TopLine();
    int top = oldTop;
    if (caretLine < top)
        top = caretLine;
    else if (clientHeight_ > lineHeight)
        while ((caretLine - top) * lineHeight + lineHeight > clientHeight_ && top < TextStore().LineCount() - 1)
            ++top;

    const int charWidth = metrics_.CharWidth;
    const int lineColumns = DisplayColumn(*line, line->Length(), TabStops);
    const int offsetColumn = DisplayColumn(*line, caret - lineStart, TabStops);
    const int column = CaretAfterEOL && VirtualColumn > offsetColumn ? VirtualColumn : offsetColumn;
    int left = leftColumn_;
    int x = TextLeft() + (column - left) * charWidth;
    while (x >= clientWidth_ && lineColumns > left) {
        left += 8;
        x -= 8 * charWidth;
    }
    if (column < left || x < 0)
        while (left > 0 && column < left)
            left = std::max(0, left - 8);
    else if (visibleColumns_ > 0)
        while (column >= left + visibleColumns_)
            left += 8;
    if (TMemoCore::WordWrap && column < visibleColumns_)
        left = 0;

    if (top == oldTop && left == leftColumn_)
        return;
    TMemoCore::SetTopLine(top);
    leftColumn_ = left;
    MarkVisibleForRepaint();
    UpdateScrollBars();
    Invalidate();
}

bool TCustomSyntaxMemo::CharStartsWord(char C) const
{
    return fn_CharStartsWord ? fn_CharStartsWord(C) : IsLetterOrUnderscore(C);
}

bool TCustomSyntaxMemo::CharIsInWord(char C) const
{
    if (fn_CharIsInWord)
        return fn_CharIsInWord(C);
    return IsLetterOrUnderscore(C) || C == '\'' || C == '-' || (C >= '0' && C <= '9');
}

int TCustomSyntaxMemo::WordBreak(const char* Text, int Current, int Count, int Code) const
{
    return OnWordBreakProc ? OnWordBreakProc(Text, Current, Count, Code) : DefaultWordBreak(Text, Current, Count, Code);
}

void TCustomSyntaxMemo::MarkIncompleteFrom(TLineRecord* Line)
{
    for (; Line; Line = Line->Next)
        Line->Flags |= lfHighlightIncomplete;
}

void TCustomSyntaxMemo::MarkVisibleForRepaint()
{
    TLineRecord* line = TextStore().TopLineRecord();
    for (int n = 0; line && n <= VisibleLines + 2; ++n, line = line->Next)
        line->Flags |= lfRepaint;
}

void TCustomSyntaxMemo::ClearHighlighting()
{
    TextStore().ClearHighlighting();
}

int TCustomSyntaxMemo::CellWidth(const TLineLayout& Layout, int Column) const
{
    if (Column >= Layout.Length())
        return metrics_.CharWidth;
    const int style = Layout.Tokens() && HasOption(smoSyntaxHighlight) ? settings_->GetTokenStyle(Layout.Tokens()[Column]) : 0;
    const TStyleFont* styleFont = settings_->StyleFont(style);
    const QFontMetrics fm(styleFont ? styleFont->Font : font());
    return fm.horizontalAdvance(AnsiChar(static_cast<unsigned char>(Layout.Text()[Column])));
}

// A fixed-pitch font counts whole character widths; otherwise every column from the left column
// on is measured in its style's font.
int TCustomSyntaxMemo::PixelAtColumn(int Column, const TLineRecord* Line)
{
    if (metrics_.FixedPitch || !Line)
        return TextLeft() + (Column - leftColumn_) * metrics_.CharWidth;
    TLineLayout layout;
    layout.Expand(Line, 0, 0, 0, TabStops);
    int x = 0;
    for (int c = std::min(Column, leftColumn_); c < std::max(Column, leftColumn_); ++c)
        x += CellWidth(layout, c);
    return TextLeft() + (Column < leftColumn_ ? -x : x);
}

int TCustomSyntaxMemo::ColumnAtPixel(int X, const TLineRecord* Line)
{
    const int width = X - TextLeft();
    if (metrics_.FixedPitch || !Line)
        return leftColumn_ + std::max(0, width) / metrics_.CharWidth;
    TLineLayout layout;
    layout.Expand(Line, 0, 0, 0, TabStops);
    int column = leftColumn_;
    for (int x = 0; column < layout.Length();) {
        x += CellWidth(layout, column);
        if (x > width)
            break;
        ++column;
    }
    return column;
}
