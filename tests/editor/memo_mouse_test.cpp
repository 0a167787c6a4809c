// The mouse on the editor control, with synthesised events and a clock the test turns: click
// modes, Shift+click, word selection, gutter and margin-strip clicks, the wrap-column line, hot
// spots, the wheel, the token under the pointer, and dragging the selection.
#include "editor/document/undo_stack.h"
#include "editor/language/sm_settings.h"
#include "key_memo.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QWheelEvent>
#include <string>

namespace {

// An editor with a clock the test sets, and mouse events at text cells.
class TMouseMemo : public TKeyMemo {
public:
    std::int64_t Now = 10000;

    explicit TMouseMemo(int Columns = 80, int Rows = 10) : TKeyMemo(Columns, Rows)
    {
        ClickClock = [this] { return Now; };
        DoubleClickInterval = 500;
    }

    // The client point inside the cell of a display column and a visible row.
    QPoint Cell(int Column, int Row) const
    {
        return {TextLeft() + Column * Metrics().CharWidth + 1, Row * Metrics().LineHeight + 1};
    }

    void Send(QEvent::Type Type, QPoint Point, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers = {})
    {
        const Qt::MouseButton button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(Type, Point, viewport()->mapToGlobal(Point), button, Buttons, Modifiers);
        QApplication::sendEvent(viewport(), &event);
    }
    // A press and release at Point, At milliseconds after the last one.
    void Click(QPoint Point, std::int64_t After = 1000, Qt::KeyboardModifiers Modifiers = {})
    {
        Now += After;
        Send(QEvent::MouseButtonPress, Point, Qt::LeftButton, Modifiers);
        Send(QEvent::MouseButtonRelease, Point, Qt::NoButton, Modifiers);
    }
    // The two presses of a double click as the window system sends them.
    void DoubleClick(QPoint Point)
    {
        Click(Point);
        Now += 100;
        Send(QEvent::MouseButtonDblClick, Point, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, Point, Qt::NoButton);
    }
    void Hover(QPoint Point) { Send(QEvent::MouseMove, Point, Qt::NoButton); }
    void Drag(QPoint From, QPoint To)
    {
        Now += 1000;
        Send(QEvent::MouseButtonPress, From, Qt::LeftButton);
        Send(QEvent::MouseMove, To, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, To, Qt::NoButton);
    }
};

// Token Token shows in a style that is a hot spot.
void MakeHotspot(TMouseMemo& Memo, int Token)
{
    const int style = 5;
    TSM_StyleEffect hot = Memo.Settings().GetStyleEffects(style);
    hot.Hotspot = 1;
    hot.InUse = 1;
    Memo.Settings().SetStyleEffects(style, hot);
    Memo.Settings().SetTokenStyle(Token, style);
}

} // namespace

TEST(MemoMouse, ClickModesFollowTheClock)
{
    TMouseMemo memo;
    memo.SetText("alpha beta\rgamma delta\repsilon");
    // Three quick presses on one line select it with its line end.
    memo.Click(memo.Cell(2, 0));
    EXPECT_EQ(memo.Selection(), std::make_pair(2, 2));
    memo.Click(memo.Cell(2, 0), 100);
    memo.Click(memo.Cell(7, 0), 100);
    EXPECT_EQ(memo.Selection(), std::make_pair(0, 11));
    // A fourth quick press places the caret, and a fifth starts again as a single click.
    memo.Click(memo.Cell(3, 0), 100);
    EXPECT_EQ(memo.Selection(), std::make_pair(3, 3));
    // The third quick press on another line is a single click.
    memo.Click(memo.Cell(1, 0));
    memo.Click(memo.Cell(1, 0), 100);
    memo.Click(memo.Cell(4, 1), 100);
    EXPECT_EQ(memo.Selection(), std::make_pair(15, 15));
    // A slow second press is a single click again.
    memo.Click(memo.Cell(4, 2), 600);
    memo.Click(memo.Cell(4, 2), 600);
    memo.Click(memo.Cell(4, 2), 100);
    EXPECT_EQ(memo.Selection(), std::make_pair(27, 27));

    // OnTripleClick takes the place of the line selection.
    QPoint clicked;
    int offset = -1;
    memo.OnTripleClick = [&](TObject*, QPoint Point, int Offset) { clicked = Point, offset = Offset; };
    memo.Click(memo.Cell(2, 1));
    memo.Click(memo.Cell(2, 1), 100);
    memo.Click(memo.Cell(3, 1), 100);
    EXPECT_EQ(clicked, memo.Cell(3, 1));
    EXPECT_EQ(offset, 14);
    EXPECT_EQ(memo.Selection(), std::make_pair(13, 13));
}

TEST(MemoMouse, PressInsideTheSelectionAndReleaseCollapsesIt)
{
    TMouseMemo memo;
    memo.SetText("alpha beta");
    memo.Select(0, 5);
    memo.Now += 1000;
    memo.Send(QEvent::MouseButtonPress, memo.Cell(2, 0), Qt::LeftButton);
    EXPECT_EQ(memo.Selection(), std::make_pair(0, 5));
    memo.Send(QEvent::MouseButtonRelease, memo.Cell(2, 0), Qt::NoButton);
    EXPECT_EQ(memo.Selection(), std::make_pair(2, 2));
}

TEST(MemoMouse, DraggingAndShiftClickSelect)
{
    TMouseMemo memo;
    memo.SetText("alpha beta\rgamma delta");
    memo.Drag(memo.Cell(1, 0), memo.Cell(3, 1));
    EXPECT_EQ(memo.Selection(), std::make_pair(1, 14));
    // Shift+click moves the end that keeps the selection ordered, both ways.
    memo.Select(6, 8);
    memo.Click(memo.Cell(2, 0), 1000, Qt::ShiftModifier);
    EXPECT_EQ(memo.Selection(), std::make_pair(8, 2));
    memo.Click(memo.Cell(5, 1), 1000, Qt::ShiftModifier);
    EXPECT_EQ(memo.Selection(), std::make_pair(2, 16));
}

TEST(MemoMouse, DoubleClickSelectsAWord)
{
    struct Case {
        const char* text;
        int column;
        const char* selected;
    };
    const Case cases[] = {
        {"say don't stop", 6, "don't"},
        {"a -foo b", 4, "foo"},    // "-" belongs to a word but starts none
        {"a -foo b", 2, "foo"},
        {"x 'tis", 3, "tis"},
        {"nine9 x", 2, "nine9"},
        {"foo   bar", 4, "foo"},   // on no word: the nearest to the left first
        {"   bar", 1, "bar"},      // then to the right
        {"a_b", 2, "a_b"},
        {"1 + 2", 2, ""},          // no word on the line: the caret stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.column));
        TMouseMemo memo;
        memo.SetOption(smoWordSelect, true);
        memo.SetText(c.text);
        memo.DoubleClick(memo.Cell(c.column, 0));
        EXPECT_EQ(memo.GetSelText(), c.selected);
    }
    // Without smoWordSelect a double click places the caret.
    TMouseMemo memo;
    memo.SetOption(smoWordSelect, false);
    memo.SetText("word");
    memo.DoubleClick(memo.Cell(2, 0));
    EXPECT_EQ(memo.Selection(), std::make_pair(2, 2));
}

TEST(MemoMouse, GutterAndMarginStrip)
{
    TMouseMemo memo;
    memo.SetOption(smoShowGutter, true);
    memo.SetGutter(20);
    memo.SetMargin(6);
    memo.SizeTo(80, 10);
    memo.SetText("one\rtwo\rthree");
    int gutterLine = 0;
    memo.OnGutterClick = [&](TObject*, int Line) { gutterLine = Line; };
    memo.Click(QPoint(5, memo.Cell(0, 2).y()));
    EXPECT_EQ(gutterLine, 3);
    EXPECT_EQ(memo.Selection(), std::make_pair(0, 0));
    // The strip between the gutter and the text selects the line under the pointer.
    memo.Click(QPoint(memo.TextLeft() - 2, memo.Cell(0, 1).y()));
    EXPECT_EQ(memo.Selection(), std::make_pair(4, 8));
}

TEST(MemoMouse, DraggingTheWrapColumnLineSetsWrapAtColumn)
{
    TMouseMemo memo(100, 10);
    memo.SetOption(smoShowWrapColumn, true);
    memo.SetOption(smoShowRMargin, false);
    memo.SetWrapAtColumn(40);
    memo.SetWordWrap(true);
    memo.SetText("short");
    memo.Hover(memo.Cell(40, 0));
    EXPECT_EQ(memo.viewport()->cursor().shape(), Qt::SplitHCursor);
    memo.Drag(memo.Cell(40, 0), memo.Cell(60, 0));
    EXPECT_EQ(memo.WrapAtColumn(), 60);
    EXPECT_EQ(memo.Text(), "short");

    // The right margin line sets RightMargin.
    memo.SetOption(smoShowRMargin, true);
    memo.SetRightMargin(30);
    memo.Hover(memo.Cell(30, 0));
    memo.Drag(memo.Cell(30, 0), memo.Cell(20, 0));
    EXPECT_EQ(memo.RightMargin(), 20);
    EXPECT_EQ(memo.WrapAtColumn(), 60);
}

// A margin line dragged to the window's edge scrolls the view and goes along: the right margin
// already within two character widths of the edge, the wrap column only beyond it.
TEST(MemoMouse, DraggingAMarginLineToTheEdgeScrolls)
{
    TMouseMemo memo(40, 10);
    memo.SetOption(smoShowRMargin, true);
    memo.SetRightMargin(35);
    memo.SetText("short\r" + std::string(200, 'x'));
    memo.Hover(memo.Cell(35, 0));
    memo.Now += 1000;
    memo.Send(QEvent::MouseButtonPress, memo.Cell(35, 0), Qt::LeftButton);
    memo.Send(QEvent::MouseMove, memo.Cell(37, 0), Qt::LeftButton);
    EXPECT_EQ(memo.LeftColumn(), 0);
    memo.Send(QEvent::MouseMove, memo.Cell(39, 0), Qt::LeftButton);
    memo.Send(QEvent::MouseMove, memo.Cell(39, 0), Qt::LeftButton);
    EXPECT_EQ(memo.LeftColumn(), 2);
    EXPECT_EQ(memo.Selection(), std::make_pair(0, 0));
    memo.Send(QEvent::MouseButtonRelease, memo.Cell(39, 0), Qt::NoButton);
    EXPECT_EQ(memo.RightMargin(), 41);

    // Back at the left edge the view scrolls back with the line.
    memo.Hover(memo.Cell(39, 0));
    memo.Now += 1000;
    memo.Send(QEvent::MouseButtonPress, memo.Cell(39, 0), Qt::LeftButton);
    memo.Send(QEvent::MouseMove, QPoint(memo.TextLeft() - 1, memo.Cell(0, 0).y()), Qt::LeftButton);
    memo.Send(QEvent::MouseButtonRelease, QPoint(memo.TextLeft() - 1, memo.Cell(0, 0).y()), Qt::NoButton);
    EXPECT_EQ(memo.LeftColumn(), 1);
    EXPECT_EQ(memo.RightMargin(), 1);

    memo.SetOption(smoShowRMargin, false);
    memo.SetOption(smoShowWrapColumn, true);
    memo.SetWrapAtColumn(120);
    memo.SetWordWrap(true);
    memo.SetLeftColumn(90);
    memo.Hover(memo.Cell(30, 0));
    memo.Now += 1000;
    memo.Send(QEvent::MouseButtonPress, memo.Cell(30, 0), Qt::LeftButton);
    memo.Send(QEvent::MouseMove, memo.Cell(39, 0), Qt::LeftButton);
    EXPECT_EQ(memo.LeftColumn(), 90);
    const QPoint beyond(memo.ClientWidth() + 5, memo.Cell(0, 0).y());
    memo.Send(QEvent::MouseMove, beyond, Qt::LeftButton);
    EXPECT_EQ(memo.LeftColumn(), 91);
    memo.Send(QEvent::MouseButtonRelease, beyond, Qt::NoButton);
    EXPECT_EQ(memo.WrapAtColumn(), 130);
}

TEST(MemoMouse, WheelScrollsByTheDesktopsLines)
{
    TMouseMemo memo(40, 5);
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line\r";
    memo.SetText(text);
    const auto wheel = [&](int Delta) {
        QWheelEvent event(QPointF(10, 10), memo.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, Delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(memo.viewport(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(wheel(-120));
    EXPECT_EQ(memo.TopLine(), QApplication::wheelScrollLines());
    wheel(60);
    EXPECT_EQ(memo.TopLine(), QApplication::wheelScrollLines());
    wheel(60);
    EXPECT_EQ(memo.TopLine(), 0);
}

TEST(MemoMouse, TokenAtPointerAndHotspots)
{
    TMouseMemo memo;
    memo.SetText("see www.x.org now\rnext");
    std::vector<std::uint8_t> tokens(std::size_t(memo.TextLength()), 1);
    std::fill(tokens.begin() + 4, tokens.begin() + 13, 7);
    memo.SetTokenBytes(tokens, nullptr);
    MakeHotspot(memo, 7);

    memo.Hover(memo.Cell(5, 0));
    EXPECT_EQ(memo.TokenAtPointer(), 7);
    memo.Hover(memo.Cell(1, 0));
    EXPECT_EQ(memo.TokenAtPointer(), 1);
    memo.Hover(memo.Cell(30, 0)); // beyond the line's text
    EXPECT_EQ(memo.TokenAtPointer(), 255);
    memo.Hover(memo.Cell(1, 5)); // below the text
    EXPECT_EQ(memo.TokenAtPointer(), 255);

    int hovers = 0;
    QByteArray link;
    int type = 0;
    memo.OnHyperlinkHover = [&](TObject*) { ++hovers; };
    memo.OnHyperlinkClick = [&](TObject*, const QByteArray& Data, int Type) { link = Data, type = Type; };
    memo.HyperCursor = Qt::PointingHandCursor;
    memo.Hover(memo.Cell(8, 0));
    EXPECT_EQ(hovers, 1);
    EXPECT_EQ(memo.viewport()->cursor().shape(), Qt::PointingHandCursor);
    memo.Click(memo.Cell(8, 0));
    EXPECT_EQ(link, "www.x.org");
    EXPECT_EQ(type, 7);
    EXPECT_EQ(memo.Selection(), std::make_pair(8, 8));
    memo.Hover(memo.Cell(1, 0));
    EXPECT_EQ(memo.viewport()->cursor().shape(), Qt::IBeamCursor);
}

namespace {

// An editor whose drag of the selection ends as the test says; a drop into itself moves the text
// as the drop side does, in one undo step.
class TDragMemo : public TMouseMemo {
public:
    Qt::DropAction Result = Qt::IgnoreAction;
    bool DropIntoSelf = false;
    int DropAt = 0;
    Qt::DropActions Offered;
    int Drags = 0;

    Qt::DropAction DragSelectionText(Qt::DropActions Allowed, bool& IntoSelf) override
    {
        ++Drags;
        Offered = Allowed;
        IntoSelf = DropIntoSelf;
        if (DropIntoSelf && Result == Qt::MoveAction) {
            const std::string text = GetSelText();
            BeginUndoBlock(ubDrop);
            ReplaceSelectionText({});
            Select(DropAt, DropAt);
            ReplaceSelectionText(text);
            EndUndoBlock(ubDrop);
        }
        return Result;
    }
    // Presses inside the selection at From and moves to To.
    void DragSelectionTo(QPoint From, QPoint To)
    {
        Now += 1000;
        Send(QEvent::MouseButtonPress, From, Qt::LeftButton);
        Send(QEvent::MouseMove, To, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, To, Qt::NoButton);
    }
};

} // namespace

TEST(MemoMouse, DraggingTheSelection)
{
    struct Case {
        const char* name;
        bool readOnly;
        Qt::DropAction result;
        bool intoSelf;
        const char* after;
        std::pair<int, int> selection;
    };
    const Case cases[] = {
        {"cancelled", false, Qt::IgnoreAction, false, "alpha beta gamma", {6, 10}},
        {"copied out", false, Qt::CopyAction, false, "alpha beta gamma", {6, 10}},
        {"moved out", false, Qt::MoveAction, false, "alpha  gamma", {6, 6}},
        // The drop side moved it: the text is not deleted a second time.
        {"moved within", false, Qt::MoveAction, true, "alpha  gammabeta", {16, 16}},
        {"read-only", true, Qt::MoveAction, false, "alpha beta gamma", {6, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDragMemo memo;
        memo.SetOption(smoOLEDragSource, true);
        memo.SetText("alpha beta gamma");
        memo.SetReadOnly(c.readOnly);
        memo.Result = c.result;
        memo.DropIntoSelf = c.intoSelf;
        memo.DropAt = 12;
        memo.Select(6, 10);
        memo.DragSelectionTo(memo.Cell(7, 0), memo.Cell(14, 0));
        EXPECT_EQ(memo.Drags, 1);
        EXPECT_EQ(memo.Offered, c.readOnly ? Qt::DropActions(Qt::CopyAction) : Qt::CopyAction | Qt::MoveAction);
        EXPECT_EQ(memo.Text(), c.after);
        const auto [start, end] = memo.Selection();
        EXPECT_EQ(std::make_pair(std::min(start, end), std::max(start, end)), c.selection);
        // One undo reverts a move.
        memo.Undo();
        EXPECT_EQ(memo.Text(), "alpha beta gamma");
    }
    // Without smoOLEDragSource a move inside the selection starts no drag.
    TDragMemo memo;
    memo.SetOption(smoOLEDragSource, false);
    memo.SetText("alpha beta gamma");
    memo.Select(6, 10);
    memo.DragSelectionTo(memo.Cell(7, 0), memo.Cell(14, 0));
    EXPECT_EQ(memo.Drags, 0);
    EXPECT_EQ(memo.Text(), "alpha beta gamma");
}

TEST(MemoMouse, HotspotRunsOnAcrossAWrappedLine)
{
    TMouseMemo memo(40, 10);
    memo.SetWrapAtColumn(12);
    memo.SetWordWrap(true);
    const std::string text = "see www.example.org/path now";
    memo.SetText(text);
    const int urlStart = 4;
    const int urlEnd = int(text.find(" now"));
    std::vector<std::uint8_t> tokens(text.size(), 1);
    std::fill(tokens.begin() + urlStart, tokens.begin() + urlEnd, 9);
    memo.SetTokenBytes(tokens, nullptr);
    MakeHotspot(memo, 9);
    QByteArray link;
    memo.OnHyperlinkClick = [&](TObject*, const QByteArray& Data, int) { link = Data; };

    // A character of the link's last part, on a later row than its start.
    const QPoint last = memo.PointFromPosition(urlEnd - 1) + QPoint(1, 1);
    ASSERT_GT(last.y(), memo.PointFromPosition(urlStart).y());
    memo.Hover(last);
    memo.Click(last);
    EXPECT_EQ(link, "www.example.org/path");
}

TEST(MemoMouse, SelectingBelowTheViewScrollsIt)
{
    TMouseMemo memo(40, 5);
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line\r";
    memo.SetText(text);
    memo.Now += 1000;
    memo.Send(QEvent::MouseButtonPress, memo.Cell(1, 1), Qt::LeftButton);
    memo.Send(QEvent::MouseMove, QPoint(memo.Cell(2, 0).x(), memo.ClientHeight() + 5), Qt::LeftButton);
    EXPECT_EQ(memo.TopLine(), 1);
    EXPECT_EQ(memo.SelStart(), 6);
    EXPECT_GE(memo.SelEnd(), 5 * 5);
    memo.Send(QEvent::MouseButtonRelease, memo.Cell(2, 4), Qt::NoButton);
    // Moves after the release select nothing more.
    const auto selection = memo.Selection();
    memo.Send(QEvent::MouseMove, memo.Cell(3, 2), Qt::LeftButton);
    EXPECT_EQ(memo.Selection(), selection);
}
