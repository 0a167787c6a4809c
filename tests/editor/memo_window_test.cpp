// The editor control's window: scroll-bar values, positions and points, bringing the caret into
// view, and the default word tests.
#include "editor/custom_syntax_memo.h"

#include "editor/word_break.h"

#include "platform/messages/edit_messages.h"
#include "platform/ole/types.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <string>

using namespace win;

namespace {

std::string ManyLines(int Count)
{
    std::string text;
    for (int i = 0; i < Count; ++i)
        text += "x\r";
    return text;
}

// A control with a client area of Columns text columns and Rows lines.
void SizeFor(TCustomSyntaxMemo& Memo, int Columns, int Rows)
{
    Memo.SetClientSize(Memo.TextLeft() + Columns * Memo.Metrics().CharWidth, Rows * Memo.Metrics().LineHeight);
}

} // namespace

TEST(MemoWindow, ScrollValueTables)
{
    struct Case {
        int lines, visible, top;
        TScrollInfo expected;
    };
    const Case vertical[] = {
        {31999, 40, 100, {0, 31999, 40, 100}},
        {32000, 40, 100, {0, 16000, 20, 50}},
        {64000, 40, 99, {0, 21333, 13, 33}},
        {10, 40, 3, {0, 10, 7, 3}}, // scrolled past the end: the page shrinks
        {10, 40, 0, {0, 10, 40, 0}},
    };
    for (const Case& c : vertical)
        EXPECT_EQ(VerticalScrollInfo(c.lines, c.visible, c.top, true), c.expected) << c.lines << " " << c.top;
    EXPECT_EQ(VerticalScrollInfo(100, 40, 0, false).Page, 0);

    EXPECT_EQ(HorizontalScrollInfo(300, 50, 8, true, false, ssBoth), (TScrollInfo{0, 300, 50, 8}));
    EXPECT_EQ(HorizontalScrollInfo(300, 50, 8, true, true, ssBoth).Max, 0);
    EXPECT_EQ(HorizontalScrollInfo(300, 50, 8, true, false, ssVertical).Max, 0);
}

TEST(MemoWindow, ScrollBarsFollowTheViewAndTheStyle)
{
    TCustomSyntaxMemo memo;
    SizeFor(memo, 40, 20);
    memo.SetText(ManyLines(64000));
    memo.SetTopLine(3000);
    EXPECT_EQ(memo.VerticalScrollValues().Max, 64001 / 3);
    EXPECT_EQ(memo.verticalScrollBar()->value(), 1000);
    EXPECT_EQ(memo.Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 3000);

    // Moving the bar moves the view, in steps of the scale.
    memo.verticalScrollBar()->setValue(2000);
    EXPECT_EQ(memo.TopLine(), 6000);
    memo.horizontalScrollBar()->setValue(0);
    EXPECT_EQ(memo.LeftColumn(), 0);

    memo.SetScrollBars(ssNone);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    TCustomSyntaxMemo bare;
    bare.SetScrollBars(ssNone);
    SizeFor(bare, 40, 20);
    bare.SetText(ManyLines(500));
    EXPECT_EQ(bare.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(bare.horizontalScrollBar()->maximum(), 0);

    EXPECT_EQ(memo.BorderStyle(), bsSingle);
    EXPECT_EQ(memo.frameShape(), QFrame::StyledPanel);
    memo.SetBorderStyle(bsNone);
    EXPECT_EQ(memo.frameShape(), QFrame::NoFrame);
}

TEST(MemoWindow, PositionsAndPointsRoundTrip)
{
    TCustomSyntaxMemo memo;
    SizeFor(memo, 60, 10);
    const std::string text = "a\tbc\r\t\tx\rplain line\r\r\tend";
    memo.SetText(text);
    const int charWidth = memo.Metrics().CharWidth;
    const int lineHeight = memo.Metrics().LineHeight;
    for (int pos = 0; pos <= int(text.size()); ++pos) {
        const QPoint point = memo.PointFromPosition(pos);
        EXPECT_EQ(memo.PositionFromPoint(point), pos) << pos;
        EXPECT_EQ(memo.PositionFromPoint(point + QPoint(charWidth / 2, lineHeight - 1)), pos) << pos;
    }
    // The TAB of line 0 reaches column 4; "x" of line 1 stands at column 8.
    EXPECT_EQ(memo.PointFromPosition(2), QPoint(memo.TextLeft() + 4 * charWidth, 0));
    EXPECT_EQ(memo.PointFromPosition(7), QPoint(memo.TextLeft() + 8 * charWidth, lineHeight));

    POINT point{};
    memo.Perform(EM_POSFROMCHAR, WPARAM(&point), 7);
    EXPECT_EQ(point.x, memo.TextLeft() + 8 * charWidth);
    EXPECT_EQ(point.y, lineHeight);
    EXPECT_EQ(memo.Perform(EM_CHARFROMPOS, 0, LPARAM(&point)), 7);
    const POINT outside[] = {{memo.TextLeft() - 1, 0}, {memo.ClientWidth(), 0}, {memo.TextLeft(), -1},
                             {memo.TextLeft(), memo.ClientHeight()}};
    for (const POINT& p : outside)
        EXPECT_EQ(memo.Perform(EM_CHARFROMPOS, 0, LPARAM(&p)), -1) << p.x << "," << p.y;

    memo.SetTopLine(2);
    EXPECT_EQ(memo.PointFromPosition(3), QPoint(-1, -1));
    EXPECT_EQ(memo.PointFromPosition(9), QPoint(memo.TextLeft(), 0));
    EXPECT_EQ(memo.PositionFromPoint({memo.TextLeft(), 0}), 9);
}

TEST(MemoWindow, PointsBelowTheClientAreaStopAtItsBottom)
{
    TCustomSyntaxMemo memo;
    memo.SetClientSize(memo.TextLeft() + 200, memo.Metrics().LineHeight * 5 / 2);
    memo.SetText(ManyLines(20));
    EXPECT_EQ(memo.PointFromPosition(2 * 10).y(), 3 * memo.Metrics().LineHeight);
}

TEST(MemoWindow, CaretComesIntoView)
{
    TCustomSyntaxMemo memo;
    SizeFor(memo, 20, 5);
    std::string text = std::string(100, 'a') + "\r";
    for (int i = 0; i < 30; ++i)
        text += "line\r";
    memo.SetText(text);

    struct Case {
        int caret, left, top;
    };
    // Sideways in steps of 8 columns, up and down by whole lines.
    const Case cases[] = {
        {50, 32, 0}, {99, 80, 0}, {3, 0, 0}, {101 + 5 * 20, 0, 17}, {101 + 5 * 2, 0, 3}, {0, 0, 0},
    };
    for (const Case& c : cases) {
        memo.SetSelection(c.caret, c.caret);
        EXPECT_EQ(memo.LeftColumn(), c.left) << c.caret;
        EXPECT_EQ(memo.TopLine(), c.top) << c.caret;
        EXPECT_EQ(memo.LeftColumn() % 8, 0);
    }

    // A caret at the end of the text stays there; the view shows the last line.
    memo.SetSelection(memo.TextLength(), memo.TextLength());
    EXPECT_EQ(memo.SelEnd(), memo.TextLength());
    EXPECT_GE(memo.TopLine(), memo.LineCount() - 6);

    // With word wrap, a caret in the first screen width brings the view back to column 0.
    memo.SetSelection(99, 99);
    ASSERT_GT(memo.LeftColumn(), 0);
    memo.TMemoCore::WordWrap = true;
    memo.SetSelection(5, 5);
    EXPECT_EQ(memo.LeftColumn(), 0);
}

TEST(MemoWindow, DefaultWordTests)
{
    TCustomSyntaxMemo memo;
    struct Case {
        char c;
        bool starts, inside;
    };
    const Case cases[] = {
        {'A', true, true}, {'z', true, true}, {'_', true, true}, {'7', false, true},  {'-', false, true},
        {'\'', false, true}, {' ', false, false}, {'.', false, false}, {'\xe9', false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(memo.CharStartsWord(c.c), c.starts) << c.c;
        EXPECT_EQ(memo.CharIsInWord(c.c), c.inside) << c.c;
    }
    memo.fn_CharStartsWord = [](char C) { return C == '$'; };
    memo.fn_CharIsInWord = [](char C) { return C == '$' || C == 'a'; };
    EXPECT_TRUE(memo.CharStartsWord('$'));
    EXPECT_FALSE(memo.CharStartsWord('a'));
    EXPECT_FALSE(memo.CharIsInWord('7'));
}

TEST(MemoWindow, ScrollToLimitsAndTellsOnlyAnOpenView)
{
    TCustomSyntaxMemo memo;
    SizeFor(memo, 20, 5);
    memo.SetText(std::string(30, 'a') + "\r" + ManyLines(10));
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    struct Case {
        int column, line, left, top;
    };
    const Case cases[] = {{5, 3, 5, 3}, {-4, -1, 0, 0}, {500, 500, 30, 10}};
    for (const Case& c : cases) {
        memo.ScrollTo(c.column, c.line, true);
        EXPECT_EQ(memo.LeftColumn(), c.left);
        EXPECT_EQ(memo.TopLine(), c.top);
    }
    EXPECT_EQ(changes, 3);
    memo.ScrollTo(1, 1, false);
    memo.SetUpdateLock(true, true);
    memo.ScrollTo(2, 2, true);
    memo.SetUpdateLock(false, true);
    memo.SetRedraw(false);
    memo.ScrollTo(3, 3, true);
    EXPECT_EQ(changes, 3);
    memo.SetRedraw(true);
    memo.ScrollTo(4, 4, true);
    EXPECT_EQ(changes, 4);
}

TEST(MemoWindow, AutoScrollStepsTowardThePointer)
{
    TCustomSyntaxMemo memo;
    SizeFor(memo, 20, 5);
    memo.SetText(std::string(40, 'a') + "\r" + ManyLines(30));
    memo.SetSelection(2, 2);
    const int below = memo.ClientHeight() + 10;
    const int inside = memo.TextLeft() + 3 * memo.Metrics().CharWidth;

    EXPECT_FALSE(memo.AutoScrollStep({inside, 5}));
    ASSERT_TRUE(memo.AutoScrollStep({inside, below}));
    EXPECT_EQ(memo.TopLine(), 1);
    EXPECT_EQ(memo.SelStart(), 2); // the anchor stays, the end follows to the bottom row
    EXPECT_EQ(memo.SelEnd(), memo.LineIndex(1 + 4) + 1); // column 3 of "x": its line end
    memo.AutoScrollStep({inside, below});
    EXPECT_EQ(memo.TopLine(), 2);
    memo.AutoScrollStep({inside, -3});
    memo.AutoScrollStep({inside, -3});
    memo.AutoScrollStep({inside, -3});
    EXPECT_EQ(memo.TopLine(), 0); // not above the first line
    EXPECT_EQ(memo.SelEnd(), 3);

    memo.AutoScrollStep({memo.ClientWidth() + 4, 0});
    EXPECT_EQ(memo.LeftColumn(), 1);
    memo.AutoScrollStep({0, 0});
    EXPECT_EQ(memo.LeftColumn(), 0);
}

TEST(MemoWindow, WindowDefaults)
{
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.BorderStyle(), bsSingle);
    EXPECT_EQ(memo.ScrollBars(), ssBoth);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(memo.FlatScrollBars);
    EXPECT_TRUE(memo.InsertMode);
    EXPECT_TRUE(memo.MonoPrint);
    EXPECT_TRUE(memo.WantTab && memo.WantReturns && memo.HideSelection);
    EXPECT_FALSE(memo.ReadOnly() || memo.ShowFocusLine);
    EXPECT_TRUE(memo.DisabledColours.Use && memo.DisabledColours.ReplaceBack && !memo.DisabledColours.ReplaceText);
    EXPECT_EQ(memo.DisabledColours.Back, 0xC0C0C0);
    EXPECT_FALSE(memo.ReadOnlyColours.Use);
    EXPECT_EQ(memo.ReadOnlyColours.Back, clWhite);
    EXPECT_EQ(memo.ReadOnlyColours.Text, 0xC0C0C0);
    EXPECT_EQ(memo.LeftColumn(), 0);
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_STREQ(TCustomSyntaxMemo::Version, "3.00.39");
    EXPECT_EQ(memo.PrintRect.left(), 0);
    EXPECT_EQ(memo.PrintRect.top(), 0);
    EXPECT_EQ(memo.PrintRect.right(), 2550);
    EXPECT_EQ(memo.PrintRect.bottom(), 3300);
    EXPECT_TRUE(memo.UsePrinterPage);
}

TEST(MemoWindow, WordBreakCodes)
{
    // "ab  cd\xa0ef": delimiters at 2, 3 and 6.
    const char text[] = "ab  cd\xa0" "ef";
    const int count = 9;
    struct Case {
        int current, code, expected;
    };
    const Case cases[] = {
        {1, WB_LEFT, 1},  {0, WB_LEFT, 0},  {5, WB_LEFT, 4},  {8, WB_LEFT, 7},  {2, WB_LEFT, 4},
        {6, WB_LEFT, 7},  {0, WB_RIGHT, 4}, {4, WB_RIGHT, 7}, {7, WB_RIGHT, 9}, {3, WB_RIGHT, 4},
        {2, WB_ISDELIMITER, 1}, {6, WB_ISDELIMITER, 1}, {4, WB_ISDELIMITER, 0}, {9, WB_ISDELIMITER, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultWordBreak(text, c.current, count, c.code), c.expected) << c.current << " code " << c.code;

    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.WordBreak(text, 5, count, WB_LEFT), 4);
    memo.OnWordBreakProc = [](const char*, int Current, int, int) { return Current + 100; };
    EXPECT_EQ(memo.WordBreak(text, 5, count, WB_LEFT), 105);
}

TEST(MemoWindow, LinesAreMarkedForRepaintAndHighlighting)
{
    TCustomSyntaxMemo memo;
    memo.SetText(ManyLines(60));
    memo.VisibleLines = 5;
    for (TLineRecord* line = memo.TextStore().FirstLine(); line; line = line->Next)
        line->SettledFlags() &= ~(lfRepaint | lfHighlightIncomplete);
    memo.TextStore().SetTopLine(10);
    memo.MarkVisibleForRepaint();
    memo.MarkIncompleteFrom(memo.TextStore().LineByIndex(50));
    int index = 0;
    for (TLineRecord* line = memo.TextStore().FirstLine(); line; line = line->Next, ++index) {
        EXPECT_EQ((line->Flags & lfRepaint) != 0, index >= 10 && index <= 17) << index;
        EXPECT_EQ((line->SettledFlags() & lfHighlightIncomplete) != 0, index >= 50) << index;
    }
}
