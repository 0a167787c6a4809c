// The line renderer, checked through its spy (what was drawn, in which colours and font) and a few
// pixels of the image it drew into; and the control's painting with the caret and the kept frame.
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr win::COLORREF Silver = 0xC0C0C0;

// A control of Columns text columns and Rows rows that does not blink.
struct TRenderMemo : TCustomSyntaxMemo {
    TRenderMemo(int Columns = 40, int Rows = 6)
    {
        SetCaretBlinking(false);
        HideSelection = false;
        SetClientSize(TextLeft() + Columns * Metrics().CharWidth, Rows * Metrics().LineHeight);
    }
};

struct TRendered {
    std::vector<TRenderTrace> Traces;
    QImage Image;

    std::vector<TRenderTrace> Of(TRenderStep Step, int Row = -1) const
    {
        std::vector<TRenderTrace> found;
        for (const TRenderTrace& trace : Traces)
            if (trace.Step == Step && (Row < 0 || trace.Row == Row))
                found.push_back(trace);
        return found;
    }
    win::COLORREF Pixel(int X, int Y) const
    {
        const QColor c = Image.pixelColor(X, Y);
        return win::RGB(c.red(), c.green(), c.blue());
    }
};

// Renders the whole client area (or, with FlaggedOnly, the rows whose lines are flagged).
TRendered RenderOf(TCustomSyntaxMemo& Memo, bool FlaggedOnly = false, bool Printing = false)
{
    TRendered rendered;
    rendered.Image = QImage(Memo.ClientWidth(), Memo.ClientHeight(), QImage::Format_RGB32);
    rendered.Image.fill(Qt::black);
    QPainter painter(&rendered.Image);
    Memo.Renderer().Spy = [&](const TRenderTrace& Trace) { rendered.Traces.push_back(Trace); };
    TRenderRequest request;
    request.Area = QRect(0, 0, Memo.ClientWidth(), Memo.ClientHeight());
    request.Canvas = &painter;
    request.Printing = Printing;
    if (!FlaggedOnly)
        request.Exposed = QRegion(request.Area);
    Memo.Render(request);
    Memo.Renderer().Spy = nullptr;
    return rendered;
}

void SetTokens(TCustomSyntaxMemo& Memo, std::uint8_t Token)
{
    std::vector<std::uint8_t> tokens(std::size_t(Memo.TextLength()), Token);
    Memo.SetTokenBytes(tokens, nullptr);
}

} // namespace

TEST(LineRenderer, AnEmptyDocumentShowsStyleZeroAndTheGuides)
{
    TRenderMemo memo(60, 4);
    memo.Setdef_BackColor(0xE0F0FF);
    memo.SetRightMargin(30);
    memo.SetWrapAtColumn(20);
    memo.SetOptions(memo.Options() | (1u << smoShowWrapColumn));
    memo.SetWordWrap(true);
    memo.SetText("");
    const TRendered rendered = RenderOf(memo);
    const int charWidth = memo.Metrics().CharWidth;
    const int guideX = memo.TextLeft() + 30 * charWidth;
    const int wrapX = memo.TextLeft() + 20 * charWidth;
    for (int row = 0; row < 4; ++row) {
        const auto fills = rendered.Of(rsFill, row);
        ASSERT_EQ(fills.size(), 1u) << row;
        EXPECT_EQ(fills[0].Background, 0xE0F0FFu);
        EXPECT_EQ(fills[0].Rect.left(), memo.TextLeft());
        ASSERT_EQ(rendered.Of(rsRightMargin, row).size(), 1u);
        EXPECT_EQ(rendered.Of(rsRightMargin, row)[0].Rect.left(), guideX);
        ASSERT_EQ(rendered.Of(rsWrapColumn, row).size(), 1u);
        EXPECT_EQ(rendered.Of(rsWrapColumn, row)[0].Rect.left(), wrapX);
        const int y = row * memo.Metrics().LineHeight + 1;
        EXPECT_EQ(rendered.Pixel(memo.TextLeft() + 3, y), 0xE0F0FFu);
        EXPECT_EQ(rendered.Pixel(guideX, y), Silver);
    }
}

TEST(LineRenderer, ColourRulesInTheirOrder)
{
    constexpr TColor StyleText = 0x112233, StyleBack = 0x445566;
    constexpr TColor SelText = 0x00AA00, SelBack = 0x0000AA;
    constexpr TColor LineText = 0x7F0000, LineBack = 0x00FFFF;
    struct Case {
        const char* name;
        std::function<void(TCustomSyntaxMemo&)> set;
        bool printing;
        win::COLORREF text, back;
    };
    const auto select = [](TCustomSyntaxMemo& M) { M.SetSelection(0, 3); };
    const auto breakpoint = [](TCustomSyntaxMemo& M) {
        auto entry = std::make_unique<TSM_BreakpointData>(0, true, QString(), 0);
        M.TextStore().Breakpoints().Add(std::move(entry));
    };
    const auto lineColours = [](TCustomSyntaxMemo& M) {
        M.TextStore().FirstLine()->Background = LineBack;
        M.TextStore().FirstLine()->TextColor = LineText;
    };
    const auto disable = [](TCustomSyntaxMemo& M) { M.setEnabled(false); };
    const auto readOnly = [](TCustomSyntaxMemo& M) {
        M.SetReadOnly(true);
        M.ReadOnlyColours.Use = true;
    };
    const Case cases[] = {
        {"style", [](TCustomSyntaxMemo&) {}, false, StyleText, StyleBack},
        {"mono print", [&](TCustomSyntaxMemo& M) { breakpoint(M); select(M); }, true, 0x000000, 0xFFFFFF},
        {"breakpoint", [&](TCustomSyntaxMemo& M) { breakpoint(M); lineColours(M); }, false, 0xFFFFFF, 0x0000FF},
        {"breakpoint selected", [&](TCustomSyntaxMemo& M) { breakpoint(M); select(M); }, false, 0x0000FF, 0xFFFFFF},
        {"selected", [&](TCustomSyntaxMemo& M) { select(M); lineColours(M); }, false, SelText, SelBack},
        {"highlighting off",
         [&](TCustomSyntaxMemo& M) {
             lineColours(M);
             M.SetOptions(M.Options() & ~(1u << smoSyntaxHighlight));
         },
         false, 0x000000, 0xFFFFFF},
        {"line colours", lineColours, false, LineText, LineBack},
        {"disabled", disable, false, StyleText, 0xC0C0C0},
        {"disabled and selected", [&](TCustomSyntaxMemo& M) { disable(M); select(M); }, false, SelText, 0xC0C0C0},
        {"read-only", readOnly, false, 0xC0C0C0, 0xFFFFFF},
        {"read-only and selected", [&](TCustomSyntaxMemo& M) { readOnly(M); select(M); }, false, SelText, SelBack},
        {"read-only colours off", [](TCustomSyntaxMemo& M) { M.SetReadOnly(true); }, false, StyleText, StyleBack},
    };
    for (const Case& c : cases) {
        TRenderMemo memo;
        memo.SetText("abc");
        memo.Settings().SetStyleEffects(1, {0, StyleText, StyleBack, 0, 0, 0, 0, 1});
        memo.Settings().SetTokenStyle(7, 1);
        memo.SetSelTextColor(SelText);
        memo.SetSelTextBack(SelBack);
        SetTokens(memo, 7);
        c.set(memo);
        // The text (a selection ends before the empty cell after it, which is a run of its own).
        const auto runs = RenderOf(memo, false, c.printing).Of(rsText, 0);
        ASSERT_FALSE(runs.empty()) << c.name;
        EXPECT_EQ(runs[0].Text, "abc") << c.name;
        EXPECT_EQ(runs[0].Foreground, c.text) << c.name;
        EXPECT_EQ(runs[0].Background, c.back) << c.name;
    }
}

TEST(LineRenderer, RunsFollowTheTokensAndTheSelection)
{
    TRenderMemo memo;
    memo.SetText("one two\rthree");
    memo.Settings().SetStyleEffects(2, {fsBold, 0x0000FF, 0xFFFFFF, 0, 0, 0, 0, 1});
    memo.Settings().SetTokenStyle(5, 2);
    std::vector<std::uint8_t> tokens(std::size_t(memo.TextLength()), 0);
    std::fill_n(tokens.begin() + 4, 3, 5);
    memo.SetTokenBytes(tokens, nullptr);
    memo.SetSelTextBack(0x00AA00);
    memo.SetSelection(5, 10); // "wo", the line end, "th"
    const TRendered rendered = RenderOf(memo);

    // The line end takes a cell but is not drawn.
    std::vector<std::pair<std::string, bool>> runs;
    for (const TRenderTrace& run : rendered.Of(rsText, 0))
        runs.emplace_back(run.Text, run.Selected);
    const std::vector<std::pair<std::string, bool>> expected{{"one ", false}, {"t", false}, {"wo", true}, {"", true}};
    EXPECT_EQ(runs, expected);
    EXPECT_TRUE(rendered.Of(rsText, 0)[1].Font.bold());
    // The selected line end: the rest of the row in the selection's colours; the next row's rest not.
    const auto rest = rendered.Of(rsFill, 0);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].Background, 0x00AA00u);
    EXPECT_EQ(rest[0].Rect.right(), memo.ClientWidth() - 1);
    EXPECT_EQ(rendered.Pixel(memo.ClientWidth() - 2, 2), 0x00AA00u);
    ASSERT_EQ(rendered.Of(rsFill, 1).size(), 1u);
    EXPECT_NE(rendered.Of(rsFill, 1)[0].Background, 0x00AA00u);
    EXPECT_EQ(rendered.Of(rsText, 1)[0].Text, "th");
    EXPECT_TRUE(rendered.Of(rsText, 1)[0].Selected);
}

TEST(LineRenderer, TheGutterSeparatorNeedsTenPixels)
{
    for (const int gutter : {9, 10, 34}) {
        TRenderMemo memo;
        memo.Settings().Gutter = gutter; // below what the property takes
        memo.SetText("a\rb");
        const auto separators = RenderOf(memo).Of(rsGutterSeparator);
        EXPECT_EQ(separators.empty(), gutter < 10) << gutter;
        if (!separators.empty())
            EXPECT_EQ(separators[0].Rect.left(), gutter - 2);
    }
}

TEST(LineRenderer, GutterGlyphsAndLineNumbers)
{
    TRenderMemo memo(40, 8);
    memo.SetOptions(memo.Options() | (1u << smoLineNumbers));
    memo.SetText("first\r" + std::string(2100, 'x') + "\rthird\rfourth\rfifth");
    TTextStore& store = memo.TextStore();
    ASSERT_TRUE(store.LineByIndex(2)->IsContinuation());
    store.LineByIndex(2)->Bookmarks |= 1u << 4; // a continuation that holds bookmark 4
    memo.SetBookmark(2, 4, 1);                   // "third"
    store.LineByIndex(4)->MarkGlyphs = 1u << 13; // "fourth"
    auto breakpoint = std::make_unique<TSM_BreakpointData>(0, false, QString(), 0);
    breakpoint->Position = memo.LineIndex(4);
    store.Breakpoints().Add(std::move(breakpoint));

    struct Glyph {
        int row, glyph, x;
        bool operator==(const Glyph&) const = default;
    };
    for (const bool wrapGlyph : {true, false}) {
        const std::uint32_t option = 1u << smoShowWrapGlyph;
        memo.SetOptions(wrapGlyph ? memo.Options() | option : memo.Options() & ~option);
        const TRendered rendered = RenderOf(memo);
        std::vector<Glyph> glyphs;
        for (const TRenderTrace& trace : rendered.Of(rsGutterGlyph))
            glyphs.push_back({trace.Row, trace.Glyph, trace.Rect.left()});
        // The highest bit wins; an inactive breakpoint shows image 11, beside a bookmark at x 5.
        const std::vector<Glyph> expected{{2, wrapGlyph ? 12 : 4, 1}, {3, 2, 1}, {4, 11, 1}};
        EXPECT_EQ(glyphs, expected) << wrapGlyph;
        const auto marks = rendered.Of(rsMarkGlyph);
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_EQ(marks[0].Glyph, 13);
        EXPECT_EQ(marks[0].Rect.left(), 17);

        // Numbers only where a logical line starts and no bookmark or mark bit is set; the
        // breakpoint's line keeps its number.
        std::vector<std::pair<int, std::string>> numbers;
        for (const TRenderTrace& trace : rendered.Of(rsLineNumber))
            numbers.emplace_back(trace.Row, trace.Text);
        const std::vector<std::pair<int, std::string>> expectedNumbers{{0, "1"}, {1, "2"}, {5, "5"}};
        EXPECT_EQ(numbers, expectedNumbers);
    }
    memo.SetBookmark(3, 5, 1); // "fourth" now has a bookmark too: the breakpoint moves to x 5
    const auto glyphs = RenderOf(memo).Of(rsGutterGlyph, 4);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[1].Glyph, 11);
    EXPECT_EQ(glyphs[1].Rect.left(), 5);
}

TEST(LineRenderer, ALongLineIsClippedAtTheRightEdge)
{
    TRenderMemo memo(30, 2);
    memo.SetText(std::string(2047, 'q'));
    ASSERT_EQ(memo.TextStore().FirstLine()->Length(), 2047);
    const auto runs = RenderOf(memo).Of(rsText, 0);
    ASSERT_EQ(runs.size(), 1u);
    const int n = (memo.ClientWidth() - memo.TextLeft()) / memo.Metrics().CharWidth;
    EXPECT_EQ(int(runs[0].Text.size()), n * 3 / 2);
    EXPECT_EQ(runs[0].Rect.right(), memo.ClientWidth() - 1);
}

TEST(LineRenderer, OnlyFlaggedRowsAreDrawnWithoutAnExposedRegion)
{
    TRenderMemo memo(20, 5);
    memo.SetText("a\rb\rc\rd\re");
    RenderOf(memo); // draws all and clears the flags
    memo.TextStore().LineByIndex(2)->Flags |= lfRepaint;
    const TRendered rendered = RenderOf(memo, true);
    std::vector<int> rows;
    for (const TRenderTrace& trace : rendered.Of(rsText))
        rows.push_back(trace.Row);
    EXPECT_EQ(rows, std::vector<int>{2});
    EXPECT_EQ(memo.TextStore().LineByIndex(2)->Flags & lfRepaint, 0u);
}

TEST(LineRenderer, MarksGetAZigzagOrTheirOwnDrawing)
{
    TRenderMemo memo;
    memo.SetText("alpha beta gamma");
    TMark* mark = memo.AddMark(6, 4, 0);
    const int charWidth = memo.Metrics().CharWidth;
    const TRendered rendered = RenderOf(memo);
    const auto zigzags = rendered.Of(rsMark, 0);
    ASSERT_EQ(zigzags.size(), 1u);
    EXPECT_EQ(zigzags[0].Rect.left(), memo.TextLeft() + 6 * charWidth);
    EXPECT_EQ(zigzags[0].Rect.bottom(), memo.Metrics().LineHeight - 1);
    EXPECT_EQ(rendered.Pixel(zigzags[0].Rect.left(), zigzags[0].Rect.bottom()), 0x0000FFu);

    std::vector<QRect> drawn;
    memo.OnDrawMark = [&](TObject*, QPainter&, const QRect& Rect, TMark* Drawn) {
        EXPECT_EQ(Drawn, mark);
        drawn.push_back(Rect);
    };
    EXPECT_TRUE(RenderOf(memo).Of(rsMark).empty());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].left(), memo.TextLeft() + 6 * charWidth);
    EXPECT_EQ(drawn[0].right(), memo.TextLeft() + 10 * charWidth);
}

TEST(LineRenderer, DrawLineHookCanTakeOverALine)
{
    TRenderMemo memo;
    memo.SetText("\tone\rtwo");
    std::vector<std::string> seen;
    memo.OnDrawLine = [&](TObject*, TLineDrawData* Data) {
        seen.emplace_back(Data->Text);
        Data->Handled = Data->LineStart == 0;
        return 0;
    };
    const TRendered rendered = RenderOf(memo);
    EXPECT_EQ(seen, (std::vector<std::string>{"    one\r", "two"}));
    EXPECT_TRUE(rendered.Of(rsText, 0).empty());
    EXPECT_EQ(rendered.Of(rsText, 1).size(), 1u);
}

TEST(MemoPaint, CaretRectangleInInsertAndOverwriteMode)
{
    TRenderMemo memo;
    memo.SetText("aWc\rline");
    memo.SetSelection(1, 1);
    const QPoint at = memo.PointFromPosition(1);
    EXPECT_EQ(memo.CaretRect(), QRect(at.x(), at.y(), 2, memo.Metrics().LineHeight));
    memo.InsertMode = false;
    EXPECT_EQ(memo.CaretRect().width(), memo.fontMetrics().horizontalAdvance(QLatin1Char('W')));
    memo.SetOptions(memo.Options() & ~(1u << smoBlockOverwriteCursor));
    EXPECT_EQ(memo.CaretRect().width(), 2);
    memo.SetTopLine(1);
    EXPECT_TRUE(memo.CaretRect().isEmpty());
}

TEST(MemoPaint, TheLastFrameStaysWhilePaintingIsOff)
{
    TCustomSyntaxMemo memo;
    memo.SetCaretBlinking(false);
    memo.resize(300, 120);
    memo.show();
    memo.Setdef_BackColor(0xFFFFFF);
    memo.SetText("visible text");
    const QImage before = memo.viewport()->grab().toImage();
    memo.SetRedraw(false);
    memo.Setdef_BackColor(0x0000FF);
    memo.SetText("changed text");
    EXPECT_EQ(memo.viewport()->grab().toImage(), before);
    memo.SetRedraw(true);
    const QImage after = memo.viewport()->grab().toImage();
    EXPECT_NE(after, before);
    EXPECT_EQ(after.pixelColor(memo.TextLeft() + 2, after.height() - 2), QColor(255, 0, 0));
}

// A control on the screen, Height pixels high, holding Lines lines "line".
struct TShownMemo : TCustomSyntaxMemo {
    TShownMemo(int Height, int Lines)
    {
        SetCaretBlinking(false);
        resize(300, Height);
        show();
        std::string text;
        for (int n = 0; n < Lines; ++n)
            text += "line\r";
        SetText(text);
    }
};

// Painting brings the scroll bars up to what it drew.
TEST(MemoPaint, PaintingUpdatesTheScrollBars)
{
    TShownMemo memo(120, 50);
    memo.SetTopLine(20);
    QScrollBar& bar = *memo.verticalScrollBar();
    {
        const QSignalBlocker blocker(bar);
        bar.setValue(3);
    }
    memo.viewport()->grab();
    EXPECT_EQ(bar.value(), 20);
}

// A numbered bookmark repaints the rows of the lines it left and went to, not the whole view.
TEST(MemoPaint, ABookmarkRepaintsOnlyItsRows)
{
    TShownMemo memo(160, 30);
    memo.viewport()->grab();
    QApplication::processEvents();
    const int lineHeight = memo.Metrics().LineHeight;
    const auto row = [&](int Row) { return QRect(0, Row * lineHeight, memo.ClientWidth(), lineHeight); };
    EXPECT_TRUE(memo.FlaggedRows().isEmpty());

    std::vector<int> drawn;
    memo.Renderer().Spy = [&](const TRenderTrace& Trace) {
        if (Trace.Step == rsText && (drawn.empty() || drawn.back() != Trace.Row))
            drawn.push_back(Trace.Row);
    };
    memo.SetBookmark(2, 3, 1);
    EXPECT_EQ(memo.FlaggedRows(), QRegion(row(2)));
    QApplication::processEvents();
    EXPECT_EQ(drawn, std::vector<int>({2}));

    drawn.clear();
    memo.SetBookmark(2, 6, 1);
    EXPECT_EQ(memo.FlaggedRows(), QRegion(row(2)) + row(5));
    QApplication::processEvents();
    EXPECT_EQ(drawn, std::vector<int>({2, 5}));
    memo.Renderer().Spy = nullptr;

    // Below the text the rows always show the background.
    memo.SetText("short");
    memo.viewport()->grab();
    EXPECT_EQ(memo.FlaggedRows(), QRegion(QRect(0, lineHeight, memo.ClientWidth(), memo.ClientHeight() - lineHeight)));
}

// The regions the viewport was asked to paint since the last Take.
struct TPaintRecorder : QObject {
    QRegion Painted;

    explicit TPaintRecorder(QWidget& Viewport) { Viewport.installEventFilter(this); }
    QRegion Take()
    {
        QApplication::processEvents();
        return std::exchange(Painted, QRegion());
    }
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(Event)->region();
        return false;
    }
};

// Marks, breakpoints and edits inside a line repaint the rows of their lines; an edit that adds a
// line moves every row below it, and the whole view is repainted.
TEST(MemoPaint, MarksBreakpointsAndEditsRepaintTheirRows)
{
    TShownMemo memo(160, 30);
    memo.clearFocus();
    memo.viewport()->grab();
    TPaintRecorder recorder(*memo.viewport());
    recorder.Take();
    const int lineHeight = memo.Metrics().LineHeight;
    const auto rows = [&](int First, int Last) {
        return QRegion(QRect(0, First * lineHeight, memo.ClientWidth(), (Last - First + 1) * lineHeight));
    };

    TMark* mark = memo.AddMark(memo.LineIndex(3) + 1, 2, 0);
    EXPECT_EQ(recorder.Take(), rows(3, 3));
    memo.SetMarkEnd(mark, memo.LineIndex(5) + 1);
    EXPECT_EQ(recorder.Take(), rows(3, 5));
    memo.SetMarkStart(mark, memo.LineIndex(5));
    EXPECT_EQ(recorder.Take(), rows(3, 5));
    memo.SetMarkStart(mark, memo.LineIndex(1));
    EXPECT_EQ(recorder.Take(), rows(1, 5));

    auto entry = std::make_unique<TSM_BreakpointData>(0, false, QString(), 0);
    entry->Position = memo.LineIndex(4);
    TSM_BreakpointData* breakpoint = memo.TextStore().Breakpoints().Add(std::move(entry));
    breakpoint->SetActive(true);
    EXPECT_EQ(recorder.Take(), rows(4, 4));

    // A typed character flags its line and the screenful below it for highlighting: the rows above stay.
    memo.SetSelection(memo.LineIndex(2) + 1, memo.LineIndex(2) + 1);
    recorder.Take();
    memo.ReplaceSelectionText("x");
    const QRegion typed = recorder.Take();
    EXPECT_TRUE(typed.contains(rows(2, 2).boundingRect()));
    EXPECT_FALSE(typed.intersects(rows(0, 1)));

    memo.ReplaceSelectionText("\r");
    EXPECT_EQ(recorder.Take(), QRegion(memo.viewport()->rect()));
}
