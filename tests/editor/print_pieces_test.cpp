// Cutting lines into print pieces: whole lines without print wrap, rows that end after a blank,
// hard cuts where no blank is in reach, TABs counted at their stops, token bytes carried along.
#include "editor/print_pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> PieceTexts(const std::string& Text, bool Wrap, int MaxColumns)
{
    TLineRecord line;
    line.Text = Text;
    if (Text.find('\t') != std::string::npos)
        line.Flags |= lfHasTab;
    TTabStops tabs;
    tabs.TabDefault = 4;
    std::vector<std::string> texts;
    for (const TLineRecord& piece : CutPrintPieces(line, Wrap, MaxColumns, tabs))
        texts.push_back(piece.Text);
    return texts;
}

} // namespace

TEST(PrintPieces, RowsEndAfterBlanksOrAreCutHard)
{
    using Texts = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string text;
        bool wrap;
        int maxColumns;
        Texts pieces;
    };
    const Case cases[] = {
        {"no print wrap", "abc def ghi\r", false, 4, {"abc def ghi\r"}},
        {"fits", "abc\r", true, 10, {"abc\r"}},
        {"fills the row exactly", "abcde\r", true, 5, {"abcde\r"}},
        {"after the last blank in reach", "aaa bbb ccc\r", true, 6, {"aaa ", "bbb ", "ccc\r"}},
        {"keeps its trailing blanks", "aa   bbbbbb\r", true, 4, {"aa   ", "bbbb", "bb\r"}},
        {"hard cut without blanks", "abcdefghij", true, 4, {"abcd", "efgh", "ij"}},
        {"a line end is no row of its own", "abcd\r", true, 4, {"abcd\r"}},
        {"a blank only at the start", " abcdefg", true, 4, {" abc", "defg"}},
        {"TABs count to their stops", "\tab cd\tef gh\r", true, 10, {"\tab", " cd\t", "ef gh\r"}},
        {"a narrow area still progresses", "abc", true, 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PieceTexts(c.text, c.wrap, c.maxColumns), c.pieces) << c.name;
}

TEST(PrintPieces, PiecesCarryTheirTokensColoursAndTabFlag)
{
    TLineRecord line;
    line.Text = "ab\tc de\r";
    line.Flags = lfHasTab;
    line.Tokens = std::make_unique<std::uint8_t[]>(line.Text.size());
    for (std::size_t i = 0; i < line.Text.size(); ++i)
        line.Tokens[i] = std::uint8_t(10 + i);
    line.Background = 0x123456;
    line.TextColor = 0x654321;
    TTabStops tabs;
    tabs.TabDefault = 4;
    const std::vector<TLineRecord> pieces = CutPrintPieces(line, true, 12, tabs);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].Text, "ab\tc ");
    EXPECT_EQ(pieces[1].Text, "de\r");
    EXPECT_TRUE(pieces[0].Flags & lfHasTab);
    EXPECT_FALSE(pieces[1].Flags & lfHasTab);
    EXPECT_TRUE(pieces[1].Flags & lfRepaint);
    ASSERT_TRUE(pieces[1].Tokens);
    EXPECT_EQ(pieces[1].Tokens[0], 15);
    EXPECT_EQ(pieces[1].Tokens[2], 17);
    EXPECT_EQ(pieces[1].Background, 0x123456);
    EXPECT_EQ(pieces[1].TextColor, 0x654321);
}
