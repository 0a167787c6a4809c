// Tab stops, display columns, the caret's column and line, and a line laid out for painting.
#include "editor/document/caret_control.h"
#include "editor/document/display_columns.h"
#include "memo_fixture.h"

#include <gtest/gtest.h>

TEST(DisplayColumns, TabStopsAreTheExplicitColumnsThenMultiplesOfTheDefault)
{
    TTabStops tabs;
    EXPECT_EQ(tabs.NextStop(0), 4);
    EXPECT_EQ(tabs.NextStop(3), 4);
    EXPECT_EQ(tabs.NextStop(4), 8);
    tabs.Columns[0] = 4; // the stops "5 9" (1-based)
    tabs.Columns[1] = 8;
    EXPECT_EQ(tabs.NextStop(1), 4);
    EXPECT_EQ(tabs.NextStop(4), 8);
    EXPECT_EQ(tabs.NextStop(9), 12);
    tabs.TabDefault = 5;
    EXPECT_EQ(tabs.NextStop(8), 10);
}

TEST(DisplayColumns, ColumnsAndOffsetsOfALine)
{
    TTestMemo memo;
    memo.ReplaceSelection("a\tbc\td\r\nplain\r\nlast");
    const TTextStore& store = memo.TextStore();
    const TLineRecord& tabbed = *RecordAt(store, 0);
    const TLineRecord& plain = *RecordAt(store, 1);
    const TLineRecord& last = *RecordAt(store, 2);
    const TTabStops tabs;
    struct Case {
        const TLineRecord* line;
        int offset;
        int column;
    };
    const Case columns[] = {
        {&tabbed, 0, 0}, {&tabbed, 1, 1}, {&tabbed, 2, 4}, {&tabbed, 4, 6},
        {&tabbed, 5, 8}, {&tabbed, 6, 9}, {&tabbed, 7, 9}, // the line end is no column of its own
        {&plain, 3, 3},  {&plain, 9, 5},  {&last, 4, 4},   {&last, -1, 0},
    };
    for (const Case& c : columns)
        EXPECT_EQ(DisplayColumn(*c.line, c.offset, tabs), c.column) << c.line->Text << " offset " << c.offset;
    const Case offsets[] = {
        {&tabbed, 0, 0},  {&tabbed, 1, 1}, {&tabbed, 1, 3}, {&tabbed, 2, 4}, {&tabbed, 4, 7},
        {&tabbed, 6, 99}, {&plain, 5, 99}, {&last, 4, 99},  {&last, 2, 2},
    };
    for (const Case& c : offsets)
        EXPECT_EQ(OffsetAtColumn(*c.line, c.column, tabs), c.offset)
            << c.line->Text << " column " << c.column;
}

TEST(CaretControl, ColumnAtTheEndsOfRecords)
{
    TTestMemo memo;
    memo.ReplaceSelection(Repeated(2047, 'w', "xyz\r\n"));
    TSM_CaretControl caret(&memo);
    const TTextStore& store = memo.TextStore();
    const TLineRecord& head = *RecordAt(store, 0);
    const TLineRecord& tail = *RecordAt(store, 1);
    ASSERT_TRUE(tail.IsContinuation());
    const TTabStops tabs;
    EXPECT_EQ(CaretDisplayColumn(head, 2047, tabs), 2047); // the end of a continued record: one less
    EXPECT_EQ(CaretDisplayColumn(head, 10, tabs), 11);
    EXPECT_EQ(CaretDisplayColumn(tail, 4, tabs), 1); // past a line end: the next line's first column

    memo.SetSelection(memo.TextLength(), memo.TextLength());
    EXPECT_EQ(caret.GetColumn(), 1);
    memo.SetSelection(2049, 2049);
    EXPECT_EQ(caret.GetColumn(), 3);
    memo.CaretAfterEOL = true;
    memo.VirtualColumn = 41;
    EXPECT_EQ(caret.GetColumn(), 42);
}

TEST(CaretControl, SetLineKeepsTheDisplayColumn)
{
    TTestMemo memo;
    memo.ReplaceSelection("0123456789\r\n\tx\r\nab\r\nlonger line");
    TSM_CaretControl caret(&memo);
    memo.SetSelection(6, 6); // display column 6
    caret.SetLine(2);
    EXPECT_EQ(memo.SelEnd(), 11 + 2); // "\tx" ends at column 5: the caret stops at its line end
    caret.SetLine(1);
    EXPECT_EQ(memo.SelEnd(), 5); // the column of the line end of "\tx"
    memo.SetSelection(6, 6);
    caret.SetLine(3);
    EXPECT_EQ(memo.SelEnd(), 14 + 2);
    memo.SetSelection(9, 9);
    caret.SetLine(99); // the last line
    EXPECT_EQ(memo.SelEnd(), 17 + 9);
    memo.SetSelection(memo.TextLength(), memo.TextLength());
    caret.SetLine(4);
    EXPECT_EQ(memo.SelEnd(), memo.TextLength()); // on the last line the caret may stand past its end
    caret.SetLine(0);
    EXPECT_EQ(memo.SelEnd(), 10);
}

TEST(CaretControl, TopLineIsOneBased)
{
    TTestMemo memo;
    memo.ReplaceSelection("1\r\n2\r\n3\r\n4\r\n5");
    TSM_CaretControl caret(&memo);
    EXPECT_EQ(caret.GetTopLine(), 1);
    caret.SetTopLine(3);
    EXPECT_EQ(memo.TopLine(), 2);
    EXPECT_EQ(caret.GetTopLine(), 3);
    caret.SetTopLine(0);
    EXPECT_EQ(memo.TopLine(), 0);
    caret.SetTopLine(50);
    EXPECT_EQ(memo.TopLine(), 4);
}

TEST(LineLayout, TabsBecomeSpacesCarryingTheirTokens)
{
    TTestMemo memo;
    memo.ReplaceSelection("xx\r\na\tbc\td\r\n");
    TLineRecord* line = RecordAt(memo.TextStore(), 1);
    line->Tokens = std::make_unique<std::uint8_t[]>(std::size_t(line->Length()));
    for (int i = 0; i < line->Length(); ++i)
        line->Tokens[std::size_t(i)] = std::uint8_t(10 + i);
    TLineLayout layout;
    const TTabStops tabs;
    layout.Expand(line, 3, 3 + 2, 3 + 6, tabs);
    EXPECT_EQ(std::string(layout.Text(), std::size_t(layout.Length())), "a   bc  d\r");
    const std::vector<std::uint8_t> tokens(layout.Tokens(), layout.Tokens() + layout.Length());
    EXPECT_EQ(tokens, (std::vector<std::uint8_t>{10, 11, 11, 11, 12, 13, 14, 14, 15, 16}));
    EXPECT_EQ(layout.ColumnOf(2), 4);
    EXPECT_EQ(layout.ColumnOf(5), 8);
    EXPECT_EQ(layout.OffsetOf(2), 1);
    EXPECT_EQ(layout.OffsetOf(7), 4);
    EXPECT_EQ(layout.SelStartColumn(), 4);
    EXPECT_EQ(layout.SelEndColumn(), 9);

    // A selection beyond the line moves by every added space; one before it does not move.
    layout.Expand(line, 3, 0, 3 + 12, tabs);
    EXPECT_EQ(layout.SelStartColumn(), -3);
    EXPECT_EQ(layout.SelEndColumn(), 12 + 3);

    // A line without TABs is used as it is.
    TLineRecord* plain = RecordAt(memo.TextStore(), 0);
    layout.Expand(plain, 0, 1, 2, tabs);
    EXPECT_EQ(layout.Text(), plain->Text.c_str());
    EXPECT_EQ(layout.Tokens(), nullptr);
    EXPECT_EQ(layout.ColumnOf(1), 1);
    layout.Expand(nullptr, 0, 0, 0, tabs);
    EXPECT_EQ(layout.Length(), 0);
}

TEST(LineLayout, BuffersGrowBy2048WhenALineDoesNotFit)
{
    TTestMemo memo;
    memo.ReplaceSelection(Repeated(600, '\t', "\r\n"));
    TLineLayout layout;
    EXPECT_EQ(layout.Capacity(), 2049);
    layout.Expand(memo.TextStore().FirstLine(), 0, 0, 0, TTabStops());
    EXPECT_EQ(layout.Length(), 2401);
    EXPECT_EQ(layout.Capacity(), 4097);
    EXPECT_EQ(layout.OffsetOf(2399), 599);
}
