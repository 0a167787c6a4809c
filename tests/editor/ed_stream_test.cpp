// The editor's character stream at the edges of the text.
#include "editor/document/ed_stream.h"
#include "memo_fixture.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(EdStream, StepsStopAtTheEdgesOfTheText)
{
    TTestMemo memo;
    memo.ReplaceSelection("ab\r\ncd");
    TEdStream stream(&memo);
    TLineRecord* last = memo.TextStore().LastLine();
    stream.SetRange(last, 1, 3); // on "d"
    EXPECT_EQ(stream.LastIndex(), 4);
    EXPECT_EQ(stream.CurrentChar(), 'd');
    EXPECT_FALSE(stream.EndOfText());
    stream.Next(); // past the last character once
    EXPECT_EQ(stream.GetPosition(), 5);
    EXPECT_EQ(stream.Offset(), 2);
    EXPECT_TRUE(stream.EndOfText());
    stream.Next(); // and then it stays
    EXPECT_EQ(stream.GetPosition(), 5);
    EXPECT_EQ(stream.Offset(), 2);

    stream.SetRange(last, 0, 3);
    stream.Back(); // onto the previous line's line end
    EXPECT_EQ(stream.CurrentChar(), '\r');
    EXPECT_EQ(stream.Line(), memo.TextStore().FirstLine());
    stream.SetPosition(0);
    stream.Back(); // at the start it stays
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_EQ(stream.CurrentChar(), 'a');

    // Running off either end keeps the stream at that end, the position as asked.
    stream.SetPosition(-3);
    EXPECT_EQ(stream.GetPosition(), -3);
    EXPECT_EQ(stream.Offset(), 0);
    EXPECT_EQ(stream.Line(), memo.TextStore().FirstLine());
    stream.SetPosition(2);
    stream.SetPosition(40);
    EXPECT_EQ(stream.Line(), last);
    EXPECT_EQ(stream.Offset(), 2);
}

TEST(EdStream, SeekReadAndWrite)
{
    TTestMemo memo;
    memo.ReplaceSelection("abc\r\ndef\r\ng");
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    EXPECT_EQ(stream.Seek(0, soEnd), 9);
    EXPECT_EQ(stream.Seek(3, soEnd), 6);
    EXPECT_EQ(stream.CurrentChar(), 'f');
    EXPECT_EQ(stream.Seek(-2, soCurrent), 4);
    EXPECT_EQ(stream.Seek(0, soCurrent), 4);
    EXPECT_EQ(stream.Seek(1, soBeginning), 1);
    char buffer[16] = {};
    EXPECT_EQ(stream.Read(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, 5), "bc\rde");
    EXPECT_EQ(stream.Read(buffer, 16), 3);
    EXPECT_EQ(std::string(buffer, 3), "f\rg");
    EXPECT_EQ(stream.Read(buffer, 16), 0);
    EXPECT_EQ(stream.Size(), 9);
    try {
        stream.Write("x", 1);
        ADD_FAILURE() << "no exception";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message, "Cannot write to a read-only stream");
    }
}

TEST(EdStream, AnEmptyTextIsAtItsEndAndAStreamWithoutLineDoesNothing)
{
    TTestMemo memo;
    TEdStream stream(&memo);
    EXPECT_TRUE(stream.EndOfText());
    stream.Next();
    stream.Back();
    stream.SetPosition(5);
    EXPECT_EQ(stream.GetPosition(), 0);
    char c = 0;
    EXPECT_EQ(stream.Read(&c, 1), 0);
    stream.SetRange(nullptr, 0, 0);
    EXPECT_EQ(stream.LastIndex(), 0);
    EXPECT_TRUE(stream.EndOfText());
}
