// The editor's lines as a string list.
#include "editor/document/memo_strings.h"
#include "memo_fixture.h"

#include "platform/rtl/streams.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

QStringList AllLines(const TStrings& Lines)
{
    QStringList lines;
    for (int i = 0; i < Lines.Count(); ++i)
        lines << Lines.Strings(i);
    return lines;
}

} // namespace

TEST(MemoStrings, ReadsAndWritesLinesThroughTheEditor)
{
    TTestMemo memo;
    TStrings& lines = memo.Lines();
    EXPECT_EQ(lines.Count(), 0);
    lines.Add(QStringLiteral("first"));
    lines.Add(QStringLiteral("third"));
    lines.Insert(1, QStringLiteral("second"));
    EXPECT_EQ(AllLines(lines), (QStringList{"first", "second", "third"}));
    EXPECT_EQ(lines.Text(), "first\r\nsecond\r\nthird\r\n");

    lines.SetStrings(1, QStringLiteral("2nd"));
    lines.Delete(0);
    lines.Delete(-1); // ignored
    lines.Insert(-1, QStringLiteral("never"));
    EXPECT_EQ(AllLines(lines), (QStringList{"2nd", "third"}));
    EXPECT_EQ(lines.Strings(7), "");

    // Bytes 0x80..0xFF are the characters U+0080..U+00FF.
    lines.SetStrings(0, QString::fromLatin1("caf\xe9"));
    EXPECT_EQ(memo.GetLine(0, 100), "caf\xe9");
    EXPECT_EQ(lines.Strings(0), QString::fromLatin1("caf\xe9"));
}

TEST(MemoStrings, InsertingAtTheEndStartsANewLine)
{
    TTestMemo memo;
    memo.ReplaceSelection("no line end");
    memo.Lines().Add(QStringLiteral("next"));
    EXPECT_EQ(memo.GetText(), "no line end\r\nnext");
    memo.Lines().Insert(9, QStringLiteral("last"));
    EXPECT_EQ(AllLines(memo.Lines()), (QStringList{"no line end", "next", "last"}));
}

TEST(MemoStrings, SetTextWithTheSameTextDoesNothing)
{
    TTestMemo memo;
    TStrings& lines = memo.Lines();
    lines.SetText(QStringLiteral("a\nb\r\nc\rd"));
    EXPECT_EQ(memo.GetText(), "a\r\nb\r\nc\r\nd");
    EXPECT_FALSE(memo.CanUndo());
    memo.ReplaceSelection("x");
    memo.Undo();
    ASSERT_TRUE(memo.CanRedo());
    const int changes = memo.Changes;
    memo.TextChanges.clear();

    lines.SetText(QStringLiteral("a\r\nb\nc\n\rd")); // the same text once its line ends are CR LF
    EXPECT_TRUE(memo.CanRedo());
    EXPECT_EQ(memo.Changes, changes);
    EXPECT_TRUE(memo.TextChanges.empty());

    lines.SetText(QStringLiteral("other"));
    EXPECT_EQ(memo.GetText(), "other");
    EXPECT_FALSE(memo.CanRedo());
}

TEST(MemoStrings, ClearAndAddStringsReplaceTheTextAndEmptyTheUndoLog)
{
    TTestMemo memo;
    memo.ReplaceSelection("old text");
    memo.Lines().Clear();
    EXPECT_EQ(memo.TextLength(), 0);
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_EQ(memo.GetUndoStack()->Count(), 0);

    memo.ReplaceSelection("replaced");
    TStringList source;
    source.Add(QStringLiteral("one"));
    source.Add(QStringLiteral("two"));
    memo.Lines().AddStrings(source);
    EXPECT_EQ(memo.GetText(), "one\r\ntwo\r\n");
    EXPECT_FALSE(memo.CanUndo());
    memo.Lines().Assign(source);
    EXPECT_EQ(AllLines(memo.Lines()), (QStringList{"one", "two"}));
}

TEST(MemoStrings, StreamsAndUpdatesGoToTheEditor)
{
    TTestMemo memo;
    TMemoryStream in;
    in.WriteBuffer("x\ny\rz", 5);
    in.SetPosition(0);
    memo.Lines().LoadFromStream(in);
    EXPECT_EQ(memo.GetText(), "x\r\ny\r\nz");
    TMemoryStream out;
    memo.Lines().SaveToStream(out);
    EXPECT_EQ(std::string(out.Memory(), std::size_t(out.Size())), "x\r\ny\r\nz");

    memo.Lines().BeginUpdate();
    EXPECT_FALSE(memo.PaintingEnabled());
    memo.Lines().EndUpdate();
    EXPECT_TRUE(memo.PaintingEnabled());
}

TEST(MemoStrings, WrappedViewAddressesLogicalLines)
{
    TTestMemo memo;
    memo.ReplaceSelection(Repeated(3000, 'p', "\r\nshort\r\n") + Repeated(2100, 'q'));
    TSyntaxMemoStrings& lines = memo.Lines();
    EXPECT_EQ(lines.Count(), 5); // records: 2047, 954, "short", 2047, 53
    memo.WordWrap = true;
    lines.WrappedView = true;
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Strings(0), QString(3000, u'p'));
    EXPECT_EQ(lines.Strings(1), "short");
    EXPECT_EQ(lines.Strings(2), QString(2100, u'q'));

    memo.SetSelection(1, 2);
    lines.SetStrings(1, QStringLiteral("long enough"));
    EXPECT_EQ(lines.Strings(1), "long enough");
    EXPECT_EQ(std::pair(memo.SelStart(), memo.SelEnd()), std::pair(1, 2)); // kept
    memo.WordWrap = false; // the flag alone does not make the view wrapped
    EXPECT_EQ(lines.Count(), 5);
}
