// The editor control's message interface, one table per family of messages: selection, replacing
// the selection, line queries, text buffers, identity and dialog codes, the undo plumbing, token
// bytes, the store exchange, scrolling, and the Qt events that stand for window messages.
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"

#include "platform/messages/edit_messages.h"

#include <gtest/gtest.h>

#include <QFont>
#include <array>
#include <cstring>
#include <vector>

using namespace win;
using namespace sm;

namespace {

// A control that counts its change events and opens its protected Qt hooks.
class TMessageMemo : public TCustomSyntaxMemo {
public:
    int Changes = 0;

    TMessageMemo()
    {
        OnChange = [this](TObject*) { ++Changes; };
    }
    using TCustomSyntaxMemo::focusNextPrevChild;

    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) { return Perform(Msg, WParam, LParam); }
    std::array<std::int32_t, 2> Selection()
    {
        std::array<std::int32_t, 2> pair{};
        Send(SM_SELECTION, 0, LPARAM(pair.data()));
        return pair;
    }
    void Select(std::int32_t Start, std::int32_t End, WPARAM Bits = smSet)
    {
        std::array<std::int32_t, 2> pair{Start, End};
        Send(SM_SELECTION, Bits, LPARAM(pair.data()));
    }
};

// The blocks of the undo log, newest first.
std::vector<int> UndoBlocks(TMemoCore& Memo)
{
    TUndoStack& log = *Memo.GetUndoStack();
    TUndoWalkResult result;
    log.Enumerate(uwStart, result);
    std::vector<int> blocks;
    for (int id; (id = log.Enumerate(uwPrevious, result)) != uwNoEntry;)
        blocks.push_back(id);
    return blocks;
}

} // namespace

TEST(MemoMessages, SelectionFormsClampAndStayUnordered)
{
    TMessageMemo memo;
    memo.SetText("hello\r\nworld"); // 11 characters
    struct Case {
        const char* name;
        std::function<void()> select;
        std::array<std::int32_t, 2> expected;
    };
    const Case cases[] = {
        {"EM_SETSEL (0, -1)", [&] { memo.Send(EM_SETSEL, 0, -1); }, {0, 11}},
        {"private {-1, 3}", [&] { memo.Select(-1, 3); }, {0, 11}},
        {"{5, 2} unordered", [&] { memo.Select(5, 2); }, {5, 2}},
        {"clamped", [&] { memo.Select(-7, 99); }, {0, 11}},
        {"EM_SETSEL reversed", [&] { memo.Send(EM_SETSEL, 9, 4); }, {9, 4}},
    };
    for (const Case& c : cases) {
        c.select();
        EXPECT_EQ(memo.Selection(), c.expected) << c.name;
        DWORD start = 0;
        DWORD end = 0;
        memo.Send(EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(std::int32_t(start), c.expected[0]) << c.name;
        EXPECT_EQ(std::int32_t(end), c.expected[1]) << c.name;
    }
}

TEST(MemoMessages, AQuietSelectionAsksForNoRepaintAndNoChange)
{
    TMessageMemo memo;
    memo.SetText("abc def");
    const int repaints = memo.RepaintRequests();
    const int changes = memo.Changes;
    memo.Select(1, 4, smSet | smQuiet);
    EXPECT_EQ(memo.Selection(), (std::array<std::int32_t, 2>{1, 4}));
    EXPECT_EQ(memo.RepaintRequests(), repaints);
    EXPECT_EQ(memo.Changes, changes);
    memo.Select(2, 5);
    EXPECT_GT(memo.RepaintRequests(), repaints);
}

TEST(MemoMessages, ReplaceSelectionDeletesWithNullAndAlwaysRecordsOneBlock)
{
    TMessageMemo memo;
    memo.SetText("one two");
    memo.Select(3, 7);
    EXPECT_EQ(memo.Send(SM_REPLACESEL, 0, 0), 0);
    EXPECT_EQ(memo.GetText(), "one");
    EXPECT_EQ(UndoBlocks(memo), (std::vector<int>{ubReplaceSelection}));

    // An empty selection and no text: the text stays, but block 24 opens and closes once.
    memo.SetModified(false);
    memo.Select(1, 1);
    memo.Send(SM_REPLACESEL, 0, 0);
    EXPECT_EQ(memo.GetText(), "one");
    EXPECT_EQ(UndoBlocks(memo), (std::vector<int>{ubReplaceSelection}));
    EXPECT_FALSE(memo.GetUndoStack()->BlockOpen);

    memo.Send(EM_REPLACESEL, 0, LPARAM("1 "));
    EXPECT_EQ(memo.GetText(), "o1 ne");
    EXPECT_EQ(memo.Selection(), (std::array<std::int32_t, 2>{3, 3}));
}

TEST(MemoMessages, TypingBeyondTheLineEndFillsUpToTheVirtualColumn)
{
    struct Case {
        std::uint32_t extraOptions;
        int virtualColumn;
        const char* expected;
    };
    // Stops every 4 columns; the line "ab" ends at column 2.
    const Case cases[] = {
        {0, 6, "ab    x\r\nz"},
        {OPT_USE_TAB | OPT_SMART_FILL, 9, "ab\t\t x\r\nz"},
        {0, 2, "abx\r\nz"},
    };
    for (const Case& c : cases) {
        TMessageMemo memo;
        memo.SetText("ab\r\nz");
        memo.Send(SM_OPTIONS, smSet, LPARAM((DefaultOptions & ~(OPT_USE_TAB | OPT_SMART_FILL)) | c.extraOptions));
        memo.Select(2, 2);
        memo.CaretAfterEOL = true;
        memo.VirtualColumn = c.virtualColumn;
        memo.Send(SM_REPLACESEL, 0, LPARAM("x"));
        EXPECT_EQ(memo.GetText(), c.expected) << c.virtualColumn;
        EXPECT_FALSE(memo.CaretAfterEOL);
        memo.Undo();
        EXPECT_EQ(memo.GetText(), "ab\r\nz"); // fill and text undo together
    }
}

TEST(MemoMessages, LineQueriesOnAnEmptyAndAThreeLineText)
{
    struct Case {
        UINT msg;
        WPARAM wParam;
        LRESULT empty;
        LRESULT threeLines;
    };
    // "ab\r\ncdef\r\ng": lines start at 0, 3 and 8; the caret stands at 5 (line 1).
    const Case cases[] = {
        {EM_GETLINECOUNT, 0, 1, 3},
        {EM_LINEINDEX, 0, 0, 0},
        {EM_LINEINDEX, 2, 0, 8},
        {EM_LINEINDEX, 3, 0, 9},
        {EM_LINEINDEX, WPARAM(-1), 0, 3},
        {EM_LINELENGTH, 0, 0, 2},
        {EM_LINELENGTH, 4, 0, 4},
        {EM_LINELENGTH, 8, 0, 1},
        {EM_LINEFROMCHAR, 4, 0, 1},
        {EM_LINEFROMCHAR, WPARAM(-1), 0, 1},
        {EM_GETFIRSTVISIBLELINE, 0, 0, 0},
    };
    TMessageMemo empty;
    TMessageMemo three;
    three.SetText("ab\r\ncdef\r\ng");
    three.Select(5, 5);
    for (const Case& c : cases) {
        EXPECT_EQ(empty.Send(c.msg, c.wParam), c.empty) << std::hex << c.msg << " " << c.wParam;
        EXPECT_EQ(three.Send(c.msg, c.wParam), c.threeLines) << std::hex << c.msg << " " << c.wParam;
    }
}

TEST(MemoMessages, TextBuffersNeverOverrunAndAgreeWithTheLength)
{
    for (const TSelLineStyle style : {lsCRLF, lsLF}) {
        TMessageMemo memo;
        memo.SetText("ab\r\ncdef\r\ng");
        memo.TextStore().SelLineStyle = style;
        const std::string whole = style == lsCRLF ? "ab\r\ncdef\r\ng" : "ab\rcdef\rg";
        ASSERT_EQ(memo.Send(WM_GETTEXTLENGTH), LRESULT(whole.size()));

        std::vector<char> buffer(32, '#');
        const LRESULT length = memo.Send(WM_GETTEXTLENGTH);
        EXPECT_EQ(memo.Send(WM_GETTEXT, WPARAM(length + 1), LPARAM(buffer.data())), length);
        EXPECT_EQ(std::string(buffer.data()), whole);
        // Smaller buffers: never more than the size, NUL included.
        for (std::size_t size : {0u, 1u, 3u, 4u}) {
            std::fill(buffer.begin(), buffer.end(), '#');
            const LRESULT written = memo.Send(WM_GETTEXT, size, LPARAM(buffer.data()));
            EXPECT_LE(std::size_t(written) + (size ? 1 : 0), size);
            EXPECT_EQ(buffer[size], '#') << size;
            if (size)
                EXPECT_EQ(std::string(buffer.data()), whole.substr(0, std::size_t(written)));
        }
    }

    // EM_GETLINE: the capacity in the first word, no NUL, nothing past the capacity.
    TMessageMemo memo;
    memo.SetText("ab\r\ncdef\r\ng");
    struct Case {
        WPARAM line;
        std::uint16_t capacity;
        std::string copied;
    };
    const Case cases[] = {{1, 10, "cdef"}, {1, 2, "cd"}, {0, 0, ""}, {7, 10, ""}};
    for (const Case& c : cases) {
        std::array<char, 16> buffer;
        buffer.fill('#');
        std::memcpy(buffer.data(), &c.capacity, sizeof c.capacity);
        const LRESULT count = memo.Send(EM_GETLINE, c.line, LPARAM(buffer.data()));
        EXPECT_EQ(std::string(buffer.data(), std::size_t(count)), c.copied);
        EXPECT_EQ(buffer[std::max<std::size_t>(c.copied.size(), 2)], '#');
    }
}

TEST(MemoMessages, SetTextWithNullEmptiesTextAndUndo)
{
    TMessageMemo memo;
    memo.Send(WM_SETTEXT, 0, LPARAM("first\r\nsecond"));
    EXPECT_EQ(memo.GetText(), "first\r\nsecond");
    EXPECT_FALSE(memo.Send(EM_CANUNDO));
    memo.Send(EM_REPLACESEL, 0, LPARAM("x"));
    EXPECT_TRUE(memo.Send(EM_CANUNDO));
    EXPECT_TRUE(memo.Send(EM_GETMODIFY));
    memo.Send(WM_SETTEXT, 0, 0);
    EXPECT_EQ(memo.GetText(), "");
    EXPECT_FALSE(memo.Send(EM_CANUNDO));
    EXPECT_FALSE(memo.Send(EM_GETMODIFY));
}

TEST(MemoMessages, IdentityDialogCodeAndTabFocus)
{
    TMessageMemo memo;
    EXPECT_STREQ(reinterpret_cast<const char*>(memo.Send(SM_IDENTITY)), "<TSyntaxMemo>:3.00.39");
    EXPECT_EQ(memo.Send(WM_GETDLGCODE), 131);
    EXPECT_FALSE(memo.focusNextPrevChild(true));
    memo.WantTab = false;
    EXPECT_EQ(memo.Send(WM_GETDLGCODE), 129);
    EXPECT_EQ(memo.Send(0xC03), 0); // numbers the control does not use
}

TEST(MemoMessages, UndoPlumbingWithAndWithoutALog)
{
    TMessageMemo memo;
    memo.Send(EM_REPLACESEL, 0, LPARAM("abc"));
    memo.Send(EM_UNDO);
    EXPECT_EQ(memo.GetText(), "");
    EXPECT_EQ(memo.Send(SM_CANREDO), 1);
    memo.Send(SM_REDO);
    EXPECT_EQ(memo.GetText(), "abc");
    EXPECT_EQ(memo.Send(SM_CANREDO), 0);

    // Detached: the old log comes back to the caller; nothing is modified or undoable.
    auto* log = reinterpret_cast<TUndoStack*>(memo.Send(SM_UNDOLOG));
    ASSERT_EQ(log, memo.GetUndoStack());
    std::unique_ptr<TUndoStack> detached(reinterpret_cast<TUndoStack*>(memo.Send(SM_UNDOLOG, smSet, 0)));
    EXPECT_EQ(detached.get(), log);
    EXPECT_EQ(memo.Send(SM_UNDOLOG), 0);
    EXPECT_FALSE(memo.Send(SM_MODIFIED));
    EXPECT_EQ(memo.Send(EM_CANUNDO), 0);
    EXPECT_EQ(memo.Send(SM_CANREDO), 0);
    memo.Send(EM_REPLACESEL, 0, LPARAM("!"));
    EXPECT_EQ(memo.GetText(), "abc!");

    // Attached again, it undoes what it recorded.
    EXPECT_EQ(memo.Send(SM_UNDOLOG, smSet, LPARAM(detached.release())), 0);
    EXPECT_TRUE(memo.Send(SM_MODIFIED));
    memo.Send(SM_MODIFIED, smSet, 1); // True is ignored
    EXPECT_TRUE(memo.Send(SM_MODIFIED));
    memo.Send(SM_MODIFIED, smSet, 0);
    EXPECT_FALSE(memo.Send(SM_MODIFIED));
}

TEST(MemoMessages, TokenBytesRoundTripOverALineRange)
{
    TMessageMemo memo;
    memo.SetText("ab\r\ncde\r\nf"); // records of 3, 4 and 1 characters
    std::vector<std::uint8_t> tokens = {1, 2, 3, 4, 5, 6, 7};
    TMemoBuffer in{tokens.data(), tokens.size()};
    TLineRange lines{1, 2};
    memo.Send(SM_SETTOKENS, WPARAM(&in), LPARAM(&lines));
    EXPECT_EQ(memo.TextStore().FirstLine()->Tokens, nullptr);

    std::vector<std::uint8_t> all(8, 0xEE);
    TMemoBuffer out{all.data(), all.size()};
    memo.Send(SM_GETTOKENS, WPARAM(&out), 0);
    EXPECT_EQ(all, (std::vector<std::uint8_t>{0, 0, 0, 1, 2, 3, 4, 5}));

    // A buffer too small for the next line stops before it.
    std::vector<std::uint8_t> small(5, 0xEE);
    TMemoBuffer shortOut{small.data(), small.size()};
    memo.Send(SM_GETTOKENS, WPARAM(&shortOut), 0);
    EXPECT_EQ(small, (std::vector<std::uint8_t>{0, 0, 0, 0xEE, 0xEE}));
}

TEST(MemoMessages, TheStoreExchangeKeepsSelectionAndTopAndWaitsForRedraw)
{
    TMessageMemo memo;
    memo.SetText("one\r\ntwo\r\nthree");
    memo.Select(5, 6);
    memo.Send(SM_TOPLINE, smSet, 1);

    auto other = std::make_unique<TTextStore>();
    TTextStore* shown = nullptr;
    memo.Send(SM_TEXTSTORE, 0, LPARAM(&shown));
    EXPECT_EQ(shown, &memo.TextStore());

    const int repaints = memo.RepaintRequests();
    std::unique_ptr<TTextStore> previous(
        reinterpret_cast<TTextStore*>(memo.Send(SM_TEXTSTORE, 1, LPARAM(other.get()))));
    TTextStore* taken = other.release();
    EXPECT_EQ(previous.get(), shown);
    EXPECT_EQ(&memo.TextStore(), taken);
    EXPECT_EQ(memo.Selection(), (std::array<std::int32_t, 2>{5, 6}));
    EXPECT_FALSE(memo.PaintingEnabled());
    memo.Select(0, 0);
    EXPECT_EQ(memo.RepaintRequests(), repaints);
    memo.Send(WM_SETREDRAW, 1);
    EXPECT_TRUE(memo.PaintingEnabled());
    EXPECT_GT(memo.RepaintRequests(), repaints);

    // Exchanged back: the first store is shown again, with its own top line.
    std::unique_ptr<TTextStore> second(
        reinterpret_cast<TTextStore*>(memo.Send(SM_TEXTSTORE, 1, LPARAM(previous.release()))));
    EXPECT_EQ(second.get(), taken);
    EXPECT_EQ(memo.Send(SM_TOPLINE), 1);
    EXPECT_EQ(memo.Send(SM_TEXTSTORE, 2, LPARAM(second.get())), 0); // other wParam values: nothing
}

TEST(MemoMessages, ScrollCodesAndTheThumbScale)
{
    TMessageMemo memo;
    std::string lines;
    for (int i = 0; i < 64000; ++i)
        lines += "x\r";
    memo.SetText(lines);
    ASSERT_EQ(memo.ScrollScale(), 3);
    memo.VisibleLines = 20;
    struct Case {
        WPARAM code;
        int top;
    };
    const Case cases[] = {
        {SB_LINEDOWN, 1},
        {SB_PAGEDOWN, 21},
        {SB_LINEUP, 20},
        {SB_PAGEUP, 0},
        {SB_LINEUP, 0},
        {WPARAM(MAKELONG(SB_THUMBTRACK, 1000)), 3000},
        {WPARAM(MAKELONG(SB_BOTTOM, 21333)), 63999},
    };
    for (const Case& c : cases) {
        memo.Send(WM_VSCROLL, c.code);
        EXPECT_EQ(memo.TopLine(), c.top) << std::hex << c.code;
    }
    memo.Send(WM_HSCROLL, WPARAM(MAKELONG(SB_THUMBTRACK, 7)));
    EXPECT_EQ(memo.LeftColumn(), 7);
    memo.Send(EM_LINESCROLL, 2, -10);
    EXPECT_EQ(memo.LeftColumn(), 9);
    EXPECT_EQ(memo.TopLine(), 63989);
}

TEST(MemoMessages, ResizeAndFontEventsFeedTheSameHandlers)
{
    TMessageMemo memo;
    memo.Send(WM_SIZE, 0, MAKELONG(0, 0));
    EXPECT_EQ(memo.VisibleColumns(), 80);
    EXPECT_EQ(memo.VisibleLines, 40);
    memo.Send(WM_SIZE, 0, MAKELONG(400, 300));
    const TMemoMetrics& metrics = memo.Metrics();
    EXPECT_EQ(memo.VisibleColumns(), (400 - memo.TextLeft()) / metrics.CharWidth);
    EXPECT_EQ(memo.VisibleLines, 300 / metrics.LineHeight);

    // A font set on the widget goes into the settings; the settings' font comes back on apply.
    memo.setFont(QFont(QStringLiteral("Liberation Mono"), 14));
    EXPECT_EQ(memo.Settings().FontSize, 14);
    memo.Settings().FontSize = 9;
    memo.Send(SM_APPLYSETTINGS);
    EXPECT_EQ(memo.font().pointSize(), 9);
    EXPECT_EQ(memo.Settings().FontSize, 9);
}
