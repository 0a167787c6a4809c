// The editor commands driven by key presses through the built-in key map: one table of the
// commands on a small document, then the edges of the caret moves, deleting and scrolling, and the
// caret-after-end-of-line mode.
#include "editor/language/default_key_map.h"
#include "editor/language/sm_settings.h"
#include "editor/language/sm_styles.h"
#include "key_memo.h"

#include "platform/rtl/exception.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <functional>
#include <string>
#include <vector>

namespace {

// Four lines: a TAB-indented one, and a last one without line end.
//   0 "alpha beta"      0..9, CR 10
//   1 "\tgamma"         11..16, CR 17 (the TAB fills columns 0..3)
//   2 "delta epsilon"   18..30, CR 31
//   3 "zeta"            32..35, end 36
const std::string Doc = "alpha beta\r\tgamma\rdelta epsilon\rzeta";

constexpr auto None = Qt::NoModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Ctrl = Qt::ControlModifier;

struct TKey {
    int Key;
    Qt::KeyboardModifiers Modifiers;
};

std::string Lines(int Count)
{
    std::string text;
    for (int i = 0; i < Count; ++i)
        text += "line " + std::to_string(i) + "\r";
    return text;
}

// A monospaced editor: caret-after-end-of-line mode needs one.
void UseFixedPitch(TKeyMemo& Memo)
{
    Memo.setFont(QFont(QStringLiteral("monospace"), 10));
    ASSERT_TRUE(Memo.Metrics().FixedPitch);
}

} // namespace

TEST(MemoCommands, EveryCommandByItsKeys)
{
    struct Case {
        const char* name;
        std::vector<TKey> keys;
        int command;
        int anchor, caret, top;       // before
        int start, end, topAfter;     // after
        const char* text = nullptr;   // the text after; null: unchanged
        std::function<void(TKeyMemo&)> setup = {};
    };
    const Case cases[] = {
        {"left", {{Qt::Key_Left, None}}, caLEFT, 5, 5, 0, 4, 4, 0},
        {"left extends", {{Qt::Key_Left, Shift}}, caLEFT, 5, 5, 0, 5, 4, 0},
        {"right", {{Qt::Key_Right, None}}, caRIGHT, 5, 5, 0, 6, 6, 0},
        {"right extends", {{Qt::Key_Right, Shift}}, caRIGHT, 5, 5, 0, 5, 6, 0},
        {"home", {{Qt::Key_Home, None}}, caLINEHOME, 25, 25, 0, 18, 18, 0},
        {"home extends", {{Qt::Key_Home, Shift}}, caLINEHOME, 25, 25, 0, 25, 18, 0},
        {"end", {{Qt::Key_End, None}}, caLINEEND, 18, 18, 0, 31, 31, 0},
        {"end extends", {{Qt::Key_End, Shift}}, caLINEEND, 18, 18, 0, 18, 31, 0},
        // Column 7 of "delta epsilon" is column 7 of "\tgamma" behind its TAB, and back.
        {"up", {{Qt::Key_Up, None}}, caUP, 25, 25, 0, 15, 15, 0},
        {"up extends", {{Qt::Key_Up, Shift}}, caUP, 25, 25, 0, 25, 15, 0},
        {"down", {{Qt::Key_Down, None}}, caDOWN, 15, 15, 0, 25, 25, 0},
        {"down extends", {{Qt::Key_Down, Shift}}, caDOWN, 15, 15, 0, 15, 25, 0},
        {"page up", {{Qt::Key_PageUp, None}}, caPAGEUP, 32, 32, 1, 0, 0, 0},
        {"page up extends", {{Qt::Key_PageUp, Shift}}, caPAGEUP, 32, 32, 1, 32, 0, 0},
        {"page down", {{Qt::Key_PageDown, None}}, caPAGEDOWN, 0, 0, 0, 32, 32, 3},
        {"page down extends", {{Qt::Key_PageDown, Shift}}, caPAGEDOWN, 0, 0, 0, 0, 32, 3},
        {"word before", {{Qt::Key_Left, Ctrl}}, caWORDLEFT, 25, 25, 0, 24, 24, 0},
        {"word before extends", {{Qt::Key_Left, Ctrl | Shift}}, caWORDLEFT, 25, 25, 0, 25, 24, 0},
        {"word after", {{Qt::Key_Right, Ctrl}}, caWORDRIGHT, 25, 25, 0, 32, 32, 1},
        {"word after extends", {{Qt::Key_Right, Ctrl | Shift}}, caWORDRIGHT, 25, 25, 0, 25, 32, 1},
        {"document start", {{Qt::Key_Home, Ctrl}}, caDOCSTART, 25, 25, 0, 0, 0, 0},
        {"document start extends", {{Qt::Key_Home, Ctrl | Shift}}, caDOCSTART, 25, 25, 0, 25, 0, 0},
        {"document end", {{Qt::Key_End, Ctrl}}, caDOCEND, 25, 25, 0, 36, 36, 1},
        {"document end extends", {{Qt::Key_End, Ctrl | Shift}}, caDOCEND, 25, 25, 0, 25, 36, 1},
        {"cut", {{Qt::Key_X, Ctrl}}, caCUT, 0, 5, 0, 0, 0, 0, " beta\r\tgamma\rdelta epsilon\rzeta"},
        {"copy", {{Qt::Key_C, Ctrl}}, caCOPY, 0, 5, 0, 0, 5, 0},
        {"paste", {{Qt::Key_V, Ctrl}}, caPASTE, 36, 36, 1, 38, 38, 1, "alpha beta\r\tgamma\rdelta epsilon\rzetaXY",
         [](TKeyMemo&) { QGuiApplication::clipboard()->setText(QStringLiteral("XY")); }},
        {"delete", {{Qt::Key_Delete, None}}, caDELETE, 0, 0, 0, 0, 0, 0, "lpha beta\r\tgamma\rdelta epsilon\rzeta"},
        {"delete the selection", {{Qt::Key_Delete, None}}, caDELETE, 9, 12, 0, 9, 9, 0,
         "alpha betgamma\rdelta epsilon\rzeta"},
        {"backspace", {{Qt::Key_Backspace, None}}, caBACKSPACE, 5, 5, 0, 4, 4, 0,
         "alph beta\r\tgamma\rdelta epsilon\rzeta"},
        {"backspace with shift", {{Qt::Key_Backspace, Shift}}, caBACKSPACE, 5, 5, 0, 4, 4, 0,
         "alph beta\r\tgamma\rdelta epsilon\rzeta"},
        {"indent", {{Qt::Key_K, Ctrl}, {Qt::Key_I, None}}, caBLOCKIND, 18, 25, 0, 18, 26, 0,
         "alpha beta\r\tgamma\r delta epsilon\rzeta"},
        {"un-indent", {{Qt::Key_K, Ctrl}, {Qt::Key_U, None}}, caBLOCKUND, 11, 14, 0, 11, 13, 0,
         "alpha beta\rgamma\rdelta epsilon\rzeta"},
        {"insert", {{Qt::Key_Insert, None}}, caINSTOGGLE, 5, 5, 0, 5, 5, 0},
        {"set bookmark 3", {{Qt::Key_K, Ctrl}, {Qt::Key_3, None}}, caSETBOOKMARK0 + 3, 25, 25, 0, 25, 25, 0},
        {"goto bookmark 3", {{Qt::Key_Q, Ctrl}, {Qt::Key_3, None}}, caGOTOBOOKMARK0 + 3, 0, 0, 0, 25, 25, 1,
         nullptr, [](TKeyMemo& Memo) { Memo.SetBookmark(3, 3, 8); }},
        {"delete line", {{Qt::Key_Y, Ctrl}}, caDELETELINE, 12, 12, 0, 11, 11, 0, "alpha beta\rdelta epsilon\rzeta"},
        {"undo", {{Qt::Key_Z, Ctrl}}, caUNDO, 36, 36, 1, 36, 36, 1, nullptr,
         [](TKeyMemo& Memo) { Memo.ReplaceSelectionText("!"); }},
        {"redo", {{Qt::Key_Z, Ctrl | Shift}}, caREDO, 36, 36, 1, 37, 37, 1, "alpha beta\r\tgamma\rdelta epsilon\rzeta!",
         [](TKeyMemo& Memo) {
             Memo.ReplaceSelectionText("!");
             Memo.Undo();
         }},
        {"delete the word before", {{Qt::Key_Backspace, Ctrl}}, caDELPREVWORD, 25, 25, 0, 24, 24, 0,
         "alpha beta\r\tgamma\rdelta psilon\rzeta"},
        {"delete the word after", {{Qt::Key_Delete, Ctrl}}, caDELNEXTWORD, 19, 19, 0, 19, 19, 0,
         "alpha beta\r\tgamma\rdepsilon\rzeta"},
        // The caret's line leaves the window at the bottom: the caret goes up a line.
        {"scroll up", {{Qt::Key_Up, Ctrl}}, caSCROLLUP, 32, 32, 1, 18, 18, 0},
        // The caret on the top line goes down a line first.
        {"scroll down", {{Qt::Key_Down, Ctrl}}, caSCROLLDOWN, 0, 0, 0, 11, 11, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKeyMemo memo(40, 3);
        memo.SetText(Doc);
        memo.Select(c.anchor, c.caret);
        if (c.setup)
            c.setup(memo);
        memo.SetTopLine(c.top);
        for (const TKey& key : c.keys)
            EXPECT_TRUE(memo.Press(key.Key, key.Modifiers));
        EXPECT_EQ(memo.Recognised, std::vector<int>{c.command});
        EXPECT_EQ(memo.Selection(), std::make_pair(c.start, c.end));
        EXPECT_EQ(memo.TopLine(), c.topAfter);
        EXPECT_EQ(memo.Text(), c.text ? std::string(c.text) : Doc);
    }
}

// What the table leaves out: the clipboard's content, the insert mode, the bookmark set.
TEST(MemoCommands, ClipboardInsertModeAndBookmarks)
{
    TKeyMemo memo;
    memo.SetText(Doc);
    memo.Select(0, 5);
    memo.Press(Qt::Key_C, Ctrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alpha"));

    // Overwrite mode shows a block caret over the character, unless the options ask for the bar
    // in both modes.
    memo.Select(0, 0);
    EXPECT_TRUE(memo.InsertMode);
    EXPECT_EQ(memo.CaretRect().width(), 2);
    memo.Press(Qt::Key_Insert);
    EXPECT_FALSE(memo.InsertMode);
    EXPECT_EQ(memo.CaretRect().width(), memo.fontMetrics().horizontalAdvance(QLatin1Char('a')));
    memo.SetOptions(memo.Options() & ~(1u << smoBlockOverwriteCursor));
    EXPECT_EQ(memo.CaretRect().width(), 2);
    memo.Press(Qt::Key_Insert);
    EXPECT_TRUE(memo.InsertMode);

    memo.Select(25, 25);
    memo.Press(Qt::Key_K, Ctrl);
    memo.Press(Qt::Key_3);
    int line = 0;
    int column = 0;
    ASSERT_TRUE(memo.GetBookmarkPos(3, line, column));
    EXPECT_EQ(line, 3);
    EXPECT_EQ(column, 8);
}

TEST(MemoCommands, GotoBookmarkCentresItsLine)
{
    TKeyMemo memo(40, 10);
    memo.SetText(Lines(100));
    memo.SetBookmark(7, 60, 3);
    memo.Press(Qt::Key_Q, Ctrl);
    memo.Press(Qt::Key_7);
    EXPECT_EQ(memo.LineFromChar(-1), 59);
    EXPECT_EQ(memo.SelEnd() - memo.LineIndex(59), 2);
    EXPECT_EQ(memo.TopLine(), 59 - 5);
}

TEST(MemoCommands, KeySequencesThroughTheKeyMap)
{
    struct Case {
        const char* name;
        std::vector<TKey> keys;
        std::vector<int> commands;
        bool lastTaken; // the last key was the editor's (else it goes on to be typed)
    };
    const Case cases[] = {
        {"Ctrl+K then I", {{Qt::Key_K, Ctrl}, {Qt::Key_I, None}}, {caBLOCKIND}, true},
        {"Ctrl+K then Ctrl+I", {{Qt::Key_K, Ctrl}, {Qt::Key_I, Ctrl}}, {caBLOCKIND}, true},
        {"Ctrl+K then A", {{Qt::Key_K, Ctrl}, {Qt::Key_A, None}}, {}, false},
        {"A after a miss starts again", {{Qt::Key_K, Ctrl}, {Qt::Key_A, None}, {Qt::Key_Home, Ctrl}}, {caDOCSTART}, true},
        {"Shift+Right", {{Qt::Key_Right, Shift}}, {caRIGHT}, true},
        {"Shift+Delete", {{Qt::Key_Delete, Shift}}, {}, false},
        {"a modifier alone", {{Qt::Key_K, Ctrl}, {Qt::Key_Shift, Shift}, {Qt::Key_U, Shift}}, {caBLOCKUND}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKeyMemo memo;
        memo.SetText(Doc);
        memo.Select(5, 5);
        bool taken = false;
        for (const TKey& key : c.keys)
            taken = memo.Press(key.Key, key.Modifiers);
        EXPECT_EQ(memo.Recognised, c.commands);
        EXPECT_EQ(taken, c.lastTaken);
    }
    // Shift extends the selection.
    TKeyMemo memo;
    memo.SetText(Doc);
    memo.Select(5, 5);
    memo.Press(Qt::Key_Right, Shift);
    memo.Press(Qt::Key_Right, Shift);
    EXPECT_EQ(memo.Selection(), std::make_pair(5, 7));
    memo.Press(Qt::Key_Delete, Shift);
    EXPECT_EQ(memo.Text(), Doc);
}

TEST(MemoCommands, CommandNumbersAndTheRecognisedEvent)
{
    TKeyMemo memo;
    memo.SetText(Doc);
    memo.Select(5, 5);
    memo.ExecuteCommand(256 + caLEFT, 0, false); // only the low byte counts
    EXPECT_EQ(memo.SelEnd(), 4);
    for (const int command : {EditorCommandCount, 255, -1}) {
        memo.ExecuteCommand(command, 0, false);
        EXPECT_EQ(memo.Selection(), std::make_pair(4, 4)) << command;
    }

    // The handler may run another command, or none.
    memo.OnCommandRecognised = [](TObject*, int& Command) {
        if (Command == caRIGHT)
            Command = caDOCEND;
        else if (Command == caLEFT)
            Command = -1;
    };
    memo.Press(Qt::Key_Right);
    EXPECT_EQ(memo.SelEnd(), 36);
    EXPECT_TRUE(memo.Press(Qt::Key_Left));
    EXPECT_EQ(memo.SelEnd(), 36);

    // A failing handler is reported, and the key does not go on to be typed.
    TShownErrors shown;
    memo.OnCommandRecognised = [](TObject*, int&) { throw Exception(QStringLiteral("handler failed")); };
    EXPECT_TRUE(memo.Press(Qt::Key_Left));
    EXPECT_EQ(shown.Messages, QStringList{QStringLiteral("handler failed")});
    EXPECT_EQ(memo.SelEnd(), 36);
}

TEST(MemoCommands, DeletingAtTheEndsChangesNothing)
{
    TKeyMemo memo;
    memo.SetText("ab");
    for (const auto& [caret, key] : {std::pair{0, Qt::Key_Backspace}, std::pair{2, Qt::Key_Delete}}) {
        memo.Select(caret, caret);
        memo.Press(key);
    }
    EXPECT_EQ(memo.Text(), "ab");
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_FALSE(memo.GetUndoStack()->BlockOpen);
    // A read-only editor edits nothing.
    memo.SetReadOnly(true);
    memo.Select(1, 1);
    for (const int key : {Qt::Key_Backspace, Qt::Key_Delete})
        memo.Press(key);
    memo.Press(Qt::Key_Y, Ctrl);
    EXPECT_EQ(memo.Text(), "ab");
}

TEST(MemoCommands, DeletingAWordIsOneUndoStep)
{
    TKeyMemo memo;
    memo.SetText("one two three");
    memo.Select(6, 6);
    const struct {
        int key;
        const char* text;
    } steps[] = {
        {Qt::Key_Backspace, "one o three"},
        {Qt::Key_Delete, "one three"},
        {Qt::Key_Z, "one o three"}, // each deletion goes back in one step
        {Qt::Key_Z, "one two three"},
    };
    for (const auto& step : steps) {
        memo.Press(step.key, Ctrl);
        EXPECT_EQ(memo.Text(), step.text);
        EXPECT_FALSE(memo.GetUndoStack()->BlockOpen);
    }

    // At the boundary there is no word to delete.
    memo.Select(0, 0);
    memo.Press(Qt::Key_Backspace, Ctrl);
    memo.Select(13, 13);
    memo.Press(Qt::Key_Delete, Ctrl);
    EXPECT_EQ(memo.Text(), "one two three");
    EXPECT_TRUE(memo.CanRedo()); // nothing was recorded
    memo.Press(Qt::Key_Z, Ctrl);
    EXPECT_EQ(memo.Text(), "one two three");
}

TEST(MemoCommands, UpAndDownKeepThePreferredColumn)
{
    TKeyMemo memo;
    // Column 9 on the first line; a short line; a line whose TAB reaches column 4.
    memo.SetText("0123456789\rab\r\t456789\r0123456789");
    memo.Select(9, 9);
    struct Step {
        int key;
        int caret;
    };
    const Step steps[] = {
        {Qt::Key_Down, 13}, // the end of "ab"
        {Qt::Key_Down, 20}, // column 9 behind the TAB: "\t45678|9"
        {Qt::Key_Down, 31}, // column 9 again
        {Qt::Key_Up, 20},
        {Qt::Key_Up, 13},
        {Qt::Key_Up, 9},
        {Qt::Key_Up, 9}, // the first line: the offset stays
    };
    for (const Step& s : steps) {
        memo.Press(s.key);
        EXPECT_EQ(memo.SelEnd(), s.caret) << s.caret;
    }
    // A horizontal move takes the new column.
    memo.Press(Qt::Key_Left);
    memo.Press(Qt::Key_Down);
    memo.Press(Qt::Key_Down);
    EXPECT_EQ(memo.SelEnd(), 19);

    // Down on the last line does nothing, unless a line end follows it.
    memo.SetText("ab\rcd");
    memo.Select(4, 4);
    memo.Press(Qt::Key_Down);
    EXPECT_EQ(memo.SelEnd(), 4);
    memo.SetText("ab\rcd\r");
    memo.Select(4, 4);
    memo.Press(Qt::Key_Down);
    EXPECT_EQ(memo.SelEnd(), 6);
    // There Home does nothing, and Up goes back to the column.
    memo.Press(Qt::Key_Home);
    EXPECT_EQ(memo.SelEnd(), 6);
    memo.Press(Qt::Key_Up);
    EXPECT_EQ(memo.SelEnd(), 4);
}

TEST(MemoCommands, PagesMoveCaretAndTopLineTogether)
{
    TKeyMemo memo(40, 10);
    memo.SetText(Lines(100));
    memo.Select(memo.LineIndex(20) + 3, memo.LineIndex(20) + 3);
    memo.SetTopLine(15);
    memo.Press(Qt::Key_PageDown);
    EXPECT_EQ(memo.LineFromChar(-1), 30);
    EXPECT_EQ(memo.TopLine(), 25);
    EXPECT_EQ(memo.SelEnd() - memo.LineIndex(30), 3);
    memo.Press(Qt::Key_PageUp);
    memo.Press(Qt::Key_PageUp);
    EXPECT_EQ(memo.LineFromChar(-1), 10);
    EXPECT_EQ(memo.TopLine(), 5);
    // Near the start both stop where the caret does.
    memo.Press(Qt::Key_PageUp);
    memo.Press(Qt::Key_PageUp);
    EXPECT_EQ(memo.LineFromChar(-1), 0);
    EXPECT_EQ(memo.TopLine(), 0);
}

TEST(MemoCommands, ScrollingByALineAtTheEnds)
{
    TKeyMemo memo(40, 3);
    memo.SetText("a\rb\rc\rd\re");
    memo.Select(0, 0);
    memo.Press(Qt::Key_Up, Ctrl); // already at the top
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_EQ(memo.SelEnd(), 0);
    memo.Select(4, 4); // "c", not on the top line
    memo.Press(Qt::Key_Down, Ctrl);
    EXPECT_EQ(memo.TopLine(), 1);
    EXPECT_EQ(memo.SelEnd(), 4);
    memo.SetTopLine(4);
    memo.Select(8, 8);
    memo.Press(Qt::Key_Down, Ctrl); // the last line is the top line
    EXPECT_EQ(memo.TopLine(), 4);
    EXPECT_EQ(memo.SelEnd(), 8);
}

TEST(MemoCommands, DeleteLineOnlyWithoutASelection)
{
    TKeyMemo memo;
    memo.SetText("one\rtwo\rthree");
    memo.Select(4, 6);
    memo.Press(Qt::Key_Y, Ctrl);
    EXPECT_EQ(memo.Text(), "one\rtwo\rthree");
    memo.Select(10, 10);
    memo.Press(Qt::Key_Y, Ctrl);
    EXPECT_EQ(memo.Text(), "one\rtwo\r");
    memo.Press(Qt::Key_Y, Ctrl); // the empty line after the last line end
    EXPECT_EQ(memo.Text(), "one\rtwo\r");
}

TEST(MemoCommands, CaretAfterTheEndOfALine)
{
    TKeyMemo memo;
    UseFixedPitch(memo);
    memo.SetOptions(memo.Options() | (1u << smoCaretAfterEOL));
    memo.SetText("ab\rcdefgh");
    memo.Select(1, 1);
    memo.Press(Qt::Key_Right);
    memo.Press(Qt::Key_Right);
    memo.Press(Qt::Key_Right);
    EXPECT_EQ(memo.SelEnd(), 2); // the caret stays at the line end
    EXPECT_TRUE(memo.CaretAfterEOL);
    EXPECT_EQ(memo.VirtualColumn, 4);
    memo.Press(Qt::Key_Left);
    EXPECT_TRUE(memo.CaretAfterEOL);
    EXPECT_EQ(memo.VirtualColumn, 3);
    memo.Press(Qt::Key_Left); // back at the end of the text
    EXPECT_FALSE(memo.CaretAfterEOL);
    EXPECT_EQ(memo.SelEnd(), 2);
    memo.Press(Qt::Key_Left);
    memo.Press(Qt::Key_Left);
    memo.Press(Qt::Key_Left); // column 0: nothing
    EXPECT_EQ(memo.SelEnd(), 0);

    // Up keeps the column beyond the shorter line; Backspace there acts as Left.
    memo.Press(Qt::Key_End, Ctrl);
    memo.Press(Qt::Key_Left);
    memo.Press(Qt::Key_Left);
    EXPECT_EQ(memo.SelEnd(), 7);
    memo.Press(Qt::Key_Up);
    EXPECT_EQ(memo.SelEnd(), 2);
    EXPECT_TRUE(memo.CaretAfterEOL);
    EXPECT_EQ(memo.VirtualColumn, 4);
    memo.Press(Qt::Key_Backspace);
    EXPECT_EQ(memo.VirtualColumn, 3);
    EXPECT_EQ(memo.Text(), "ab\rcdefgh");

    // Delete fills up to the caret, then joins the next line there, as one undo step.
    memo.Press(Qt::Key_Delete);
    EXPECT_EQ(memo.Text(), "ab cdefgh");
    EXPECT_EQ(memo.SelEnd(), 3);
    memo.Press(Qt::Key_Z, Ctrl);
    EXPECT_EQ(memo.Text(), "ab\rcdefgh");

    // A selection reaching beyond the line end is deleted like any other; the caret is back in the
    // text.
    memo.Select(1, 1);
    memo.Press(Qt::Key_Right, Shift);
    memo.Press(Qt::Key_Right, Shift);
    EXPECT_TRUE(memo.CaretAfterEOL);
    memo.Press(Qt::Key_Delete);
    EXPECT_EQ(memo.Text(), "a\rcdefgh");
    EXPECT_FALSE(memo.CaretAfterEOL);
    EXPECT_EQ(memo.SelEnd(), 1);

    // Right goes no further than column 2047.
    memo.Select(1, 1);
    memo.CaretAfterEOL = true;
    memo.VirtualColumn = 2045;
    for (int i = 0; i < 4; ++i)
        memo.Press(Qt::Key_Right);
    EXPECT_EQ(memo.VirtualColumn, 2047);
    EXPECT_EQ(memo.SelEnd(), 1);
}

// Under word wrap the rows are the records of a wrapped line.
TEST(MemoCommands, WrappedLinesMoveByTheirRows)
{
    TKeyMemo memo;
    memo.SetWrapAtColumn(10);
    memo.SetWordWrap(true);
    memo.SetText("aaaa bbbb cccc dddd\rx");
    ASSERT_EQ(memo.LineCount(), 3);
    memo.Select(2, 2);
    memo.Press(Qt::Key_Down);
    EXPECT_EQ(memo.SelEnd(), memo.LineIndex(1) + 2);
    memo.Press(Qt::Key_Up);
    memo.Press(Qt::Key_End); // before the blank the line was wrapped at
    EXPECT_EQ(memo.SelEnd(), 9);
    memo.Press(Qt::Key_Down);
    memo.Press(Qt::Key_Home);
    EXPECT_EQ(memo.SelEnd(), memo.LineIndex(1));
    // Deleting the line takes all its rows.
    memo.Press(Qt::Key_Y, Ctrl);
    EXPECT_EQ(memo.Text(), "x");
}
