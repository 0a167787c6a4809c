// Typing into the editor control: characters in insert and overwrite mode, line ends with
// auto-indent, the TAB fills, read-only editors, characters outside the code page, and the undo
// steps typing leaves.
#include "editor/document/undo_stack.h"
#include "editor/language/sm_settings.h"
#include "key_memo.h"

#include "platform/ui/beep.h"

#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <string>

namespace {

constexpr auto None = Qt::NoModifier;

// An editor holding Text with the caret at Caret (-1: the end).
void Holding(TKeyMemo& Memo, const std::string& Text, int Caret = -1)
{
    Memo.SetText(Text);
    const int caret = Caret < 0 ? Memo.TextLength() : Caret;
    Memo.Select(caret, caret);
}

// Types Text key by key, as the keyboard sends it.
void TypeKeys(TKeyMemo& Memo, const std::string& Text)
{
    for (const char c : Text) {
        if (c == '\r')
            Memo.Press(Qt::Key_Return, None, QStringLiteral("\r"));
        else if (c == '\t')
            Memo.Press(Qt::Key_Tab, None, QStringLiteral("\t"));
        else if (c == ' ')
            Memo.Press(Qt::Key_Space, None, QStringLiteral(" "));
        else
            Memo.Press(Qt::Key_A + (c >= 'a' && c <= 'z' ? c - 'a' : 0), None, QString(QChar::fromLatin1(c)));
    }
}

} // namespace

TEST(MemoTyping, CharactersInsertOrOverwrite)
{
    struct Case {
        const char* text;
        int anchor;
        int caret;
        bool insert;
        const char* after;
        int caretAfter;
    };
    const Case cases[] = {
        {"abcd", 2, 2, true, "abxcd", 3},
        {"abcd", 2, 2, false, "abxd", 3},       // replaces one character
        {"ab\rcd", 2, 2, false, "abx\rcd", 3},  // at the line end it adds
        {"ab", 2, 2, false, "abx", 3},          // at the end of the text too
        {"abcd", 1, 3, false, "axd", 2},        // a selection is replaced as a whole
        {"abcd", 3, 1, true, "axd", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.insert ? " insert" : " overwrite"));
        TKeyMemo memo;
        memo.InsertMode = c.insert;
        memo.SetText(c.text);
        memo.Select(c.anchor, c.caret);
        EXPECT_TRUE(memo.Press(Qt::Key_X, None, QStringLiteral("x")));
        EXPECT_EQ(memo.Text(), c.after);
        EXPECT_EQ(memo.Selection(), std::make_pair(c.caretAfter, c.caretAfter));
    }
}

TEST(MemoTyping, LineEndsFollowWantReturns)
{
    TKeyMemo memo;
    Holding(memo, "ab", 1);
    EXPECT_TRUE(memo.Press(Qt::Key_Return, None, QStringLiteral("\r")));
    EXPECT_EQ(memo.Text(), "a\rb");
    // Without WantReturns Enter is left to the dialog, and LF (Ctrl+Enter) makes the line end.
    memo.WantReturns = false;
    EXPECT_FALSE(memo.Press(Qt::Key_Return, None, QStringLiteral("\r")));
    EXPECT_EQ(memo.Text(), "a\rb");
    EXPECT_TRUE(memo.Press(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\n")));
    EXPECT_EQ(memo.Text(), "a\r\rb");
}

TEST(MemoTyping, EnterWithAutoIndentTakesTheIndentation)
{
    struct Case {
        const char* text;
        int caret; // -1: the end
        bool useTab;
        const char* after;
    };
    const Case cases[] = {
        {"\t\tfoo", -1, true, "\t\tfoo\r\t\t"},
        {"\t\tfoo", -1, false, "\t\tfoo\r        "},
        {"  foo", 1, false, " \r  foo"},                    // at most up to the caret
        {"\t\tfoo\r", -1, true, "\t\tfoo\r\r\t\t"},         // a blank line looks further up
        {"\t\tfoo\r\rbar", 6, true, "\t\tfoo\r\r\t\t\rbar"},
        {"\t\tfoo\r \t", -1, true, "\t\tfoo\r \t\r\t\t"},    // blanks to its end count as blank
        {"foo", -1, true, "foo\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        TKeyMemo memo;
        memo.SetOption(smoAutoIndent, true);
        memo.SetOption(smoUseTAB, c.useTab);
        memo.SetOption(smoSmartFill, true);
        Holding(memo, c.text, c.caret);
        EXPECT_TRUE(memo.Press(Qt::Key_Return, None, QStringLiteral("\r")));
        EXPECT_EQ(memo.Text(), c.after);
        // The caret stands after the indentation; one undo takes the line end and the indentation.
        const int typed = int(std::string(c.after).size() - std::string(c.text).size());
        const int caret = (c.caret < 0 ? int(std::string(c.text).size()) : c.caret) + typed;
        EXPECT_EQ(memo.Selection(), std::make_pair(caret, caret));
        memo.Undo();
        EXPECT_EQ(memo.Text(), c.text);
    }
}

TEST(MemoTyping, TabFillsOrTypesATab)
{
    struct Case {
        const char* text;
        bool tabToColumn;
        bool useTab;
        const char* after;
    };
    const Case cases[] = {
        // The next word of the nearest earlier line that reaches beyond the caret's column.
        {"alpha beta gamma\rab\rxyz", true, false, "alpha beta gamma\rab\rxyz   "},
        {"alpha   beta\rx", true, false, "alpha   beta\rx       "},
        {"ab\rxyz", true, false, "ab\rxyz "},   // no such line: the next tab stop
        {"ab\r", true, false, "ab\r  "},       // from the empty last row
        {"xyz", false, true, "xyz\t"},
        {"xyz", false, false, "xyz "},
        {"xyzw", false, false, "xyzw    "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        TKeyMemo memo;
        memo.SetOption(smoTabToColumn, c.tabToColumn);
        memo.SetOption(smoUseTAB, c.useTab);
        Holding(memo, c.text);
        EXPECT_TRUE(memo.Press(Qt::Key_Tab, None, QStringLiteral("\t")));
        EXPECT_EQ(memo.Text(), c.after);
        EXPECT_EQ(memo.SelEnd(), memo.TextLength());
    }
}

TEST(MemoTyping, ReadOnlyIgnoresTyping)
{
    TKeyMemo memo;
    memo.SetReadOnly(true);
    Holding(memo, "ab", 1);
    TypeKeys(memo, "x\r\t");
    EXPECT_EQ(memo.Text(), "ab");
    EXPECT_FALSE(memo.CanUndo());
}

TEST(MemoTyping, CharactersOutsideTheCodePageBeep)
{
    int beeps = 0;
    const auto previous = SetMessageBeep([&] { ++beeps; });
    TKeyMemo memo;
    Holding(memo, "");
    EXPECT_TRUE(memo.Press(Qt::Key_Eacute, None, QStringLiteral("\u00e9")));
    EXPECT_TRUE(memo.Press(0, None, QStringLiteral("\u20ac")));
    EXPECT_EQ(memo.Text(), "\xe9\x80");
    EXPECT_EQ(beeps, 0);
    // Neither a character the code page lacks nor a "?" in its place.
    EXPECT_TRUE(memo.Press(0, None, QStringLiteral("\u0100")));
    EXPECT_TRUE(memo.Press(0, None, QString::fromUcs4(U"\U0001F600", 1)));
    EXPECT_EQ(memo.Text(), "\xe9\x80");
    EXPECT_EQ(beeps, 2);
    // Control characters are left to others.
    EXPECT_FALSE(memo.Press(0, None, QStringLiteral("\x01")));
    EXPECT_EQ(memo.Text(), "\xe9\x80");
    SetMessageBeep(previous);
}

// A key with Ctrl or Alt alone is a command: the printable text some X servers send with it is not
// typed, and the key is left to the window (Ctrl+S saves there). Ctrl with Alt is AltGr.
TEST(MemoTyping, CtrlOrAltAloneTypesNoPrintableCharacter)
{
    TKeyMemo memo;
    Holding(memo, "a");
    EXPECT_FALSE(memo.Press(Qt::Key_S, Qt::ControlModifier, QStringLiteral("s")));
    EXPECT_FALSE(memo.Press(Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13")));
    EXPECT_FALSE(memo.Press(Qt::Key_S, Qt::AltModifier, QStringLiteral("s")));
    EXPECT_EQ(memo.Text(), "a");
    EXPECT_TRUE(memo.Press(Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("\u00e9")));
    EXPECT_EQ(memo.Text(), "a\xe9");
}

TEST(MemoTyping, InputMethodCommitsAreTyped)
{
    TKeyMemo memo;
    Holding(memo, "a");
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("b\u00e7"));
    QApplication::sendEvent(&memo, &event);
    EXPECT_EQ(memo.Text(), "ab\xe7");
}

TEST(MemoTyping, AWordTypedKeyByKeyIsOneMergedUndoStep)
{
    TKeyMemo memo;
    Holding(memo, "x ");
    TypeKeys(memo, "word");
    EXPECT_EQ(memo.Text(), "x word");
    // Each key is a typing block of its own...
    memo.Undo();
    EXPECT_EQ(memo.Text(), "x wor");
    memo.Redo();
    // ...and the undo list's walk takes the neighbouring typing blocks as one.
    TUndoStack& log = *memo.GetUndoStack();
    TUndoWalkResult result;
    ASSERT_EQ(log.Enumerate(uwStart, result), uwStarted);
    EXPECT_EQ(log.Enumerate(uwPrevious | uwMerge, result), ubTyping);
    memo.UndoRedoTo(result.Node);
    EXPECT_EQ(memo.Text(), "x ");
}

TEST(MemoTyping, AutoReplacementKeepsTheTypedBlank)
{
    TKeyMemo memo;
    memo.Settings().AutoReplace().AddReplacement("teh", "the");
    Holding(memo, "");
    TypeKeys(memo, "teh ");
    EXPECT_EQ(memo.Text(), "the ");
}
