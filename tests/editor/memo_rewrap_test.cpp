// Word wrap (the segments of logical lines), block indent and un-indent, and the measuring of
// columns in pixels.
#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"

#include "memo_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A control of a fixed size that wraps at Column (0: the window's width).
struct TWrapMemo : TCustomSyntaxMemo {
    explicit TWrapMemo(int Column = 20)
    {
        resize(400, 200);
        SetWrapAtColumn(Column);
    }
};

// The logical lines of a store, each its segments' texts.
std::vector<std::vector<std::string>> LogicalLines(const TTextStore& Store)
{
    std::vector<std::vector<std::string>> lines;
    for (const TLineRecord* line = Store.FirstLine(); line; line = line->Next) {
        if (!line->IsContinuation())
            lines.emplace_back();
        lines.back().push_back(line->Text);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& Segments)
{
    std::string text;
    for (const std::string& segment : Segments)
        text += segment;
    return text;
}

} // namespace

TEST(ReWrap, SegmentsKeepEveryLogicalLineWhole)
{
    std::mt19937 random(20261211);
    const char alphabet[] = "abc de\tf  ghij";
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int lines = 1 + int(random() % 6);
        std::vector<std::string> logical;
        for (int l = 0; l < lines; ++l) {
            std::string line(std::size_t(random() % 300), ' ');
            for (char& c : line)
                c = alphabet[random() % (sizeof alphabet - 1)];
            if (!line.empty() && line[0] == ' ')
                line[0] = 'x';
            logical.push_back(line + "\r");
            text += logical.back();
        }
        TWrapMemo memo(1 + int(random() % 50));
        memo.SetText(text);
        std::vector<std::uint8_t> tokens(std::size_t(memo.TextLength()));
        for (std::size_t i = 0; i < tokens.size(); ++i)
            tokens[i] = std::uint8_t(i % 7);
        memo.SetTokenBytes(tokens, nullptr);
        for (const bool wrap : {true, false}) {
            memo.SetWordWrap(wrap);
            const TTextStore& store = memo.TextStore();
            ASSERT_EQ(store.CheckInvariants(), "");
            const auto segments = LogicalLines(store);
            ASSERT_EQ(segments.size(), logical.size()) << round;
            for (std::size_t l = 0; l < logical.size(); ++l) {
                EXPECT_EQ(Joined(segments[l]), logical[l]) << round << " " << l;
                for (std::size_t s = 0; s < segments[l].size(); ++s) {
                    EXPECT_LE(segments[l][s].size(), 2047u);
                    EXPECT_EQ(segments[l][s].back() == '\r', s + 1 == segments[l].size());
                }
                if (!wrap)
                    EXPECT_EQ(segments[l].size(), 1u);
            }
            std::vector<std::uint8_t> after(tokens.size());
            memo.GetTokenBytes(after, nullptr);
            EXPECT_EQ(after, tokens) << round;
            for (const TLineRecord* line = store.FirstLine(); line; line = line->Next)
                EXPECT_NE(line->Tokens, nullptr);
        }
    }
}

TEST(ReWrap, LinesAreCutAtTheWrapWidthBeforeAWord)
{
    TWrapMemo memo(10);
    memo.SetText("one two three four\rfive");
    memo.SetWordWrap(true);
    // The line end takes no room.
    EXPECT_EQ(Records(memo.TextStore()), (std::vector<std::string>{"one two ", "three four\r", "five"}));
    // A word longer than the width is cut where the width ends.
    memo.SetText("abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(Records(memo.TextStore()), (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvwxy"}));
}

TEST(ReWrap, ALongLineIsCutAtTheWrapWidthAlsoWithoutWordWrap)
{
    TWrapMemo memo(100);
    memo.SetText(std::string(3000, 'x') + "\rshort");
    memo.SetWordWrap(true);
    memo.SetWordWrap(false);
    const auto lines = LogicalLines(memo.TextStore());
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].size(), 30u);
    for (std::size_t s = 0; s < lines[0].size(); ++s)
        EXPECT_EQ(lines[0][s].size(), s < 29 ? 100u : 101u);
    EXPECT_EQ(lines[1], std::vector<std::string>{"short"});
}

// Segments are joined in a buffer of the line's own length: a line longer than 65,535
// characters comes back whole.
TEST(ReWrap, ALineOfSeventyThousandCharactersSurvives)
{
    std::string line(70000, 'm');
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = char('a' + i % 26);
    TWrapMemo memo(80);
    memo.SetText(line);
    for (const bool wrap : {true, false, true}) {
        memo.SetWordWrap(wrap);
        const auto lines = LogicalLines(memo.TextStore());
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(Joined(lines[0]), line) << wrap;
        EXPECT_EQ(memo.TextStore().CheckInvariants(), "");
        EXPECT_LE(memo.TextStore().LongestLine(), 2047);
    }
}

TEST(ReWrap, WrapOverrideExemptsLinesStartingWithItsCharacters)
{
    TWrapMemo memo(10);
    memo.SetWrapOverride("<");
    memo.SetOptions(memo.Options() | (1u << smoWrapOverride));
    memo.SetText("<p>one two three four</p>\rone two three four");
    memo.SetWordWrap(true);
    const auto lines = LogicalLines(memo.TextStore());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 1u);
    EXPECT_GT(lines[1].size(), 1u);
}

TEST(ReWrap, TypingAtTheLimitRewrapsOnlyThatLine)
{
    TWrapMemo memo(50);
    // The last line is stored as the insert cut it (2047 and 953 characters); a re-wrap of the
    // whole text would cut it at the wrap width.
    memo.SetText("first\r" + std::string(2046, 'a') + "\r" + std::string(3000, 'b'));
    memo.SetSelection(10, 10);
    memo.ReplaceSelectionText("z");
    const auto lines = LogicalLines(memo.TextStore());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), 2048u / 50 + 1);
    EXPECT_EQ(lines[1][0].size(), 50u);
    EXPECT_EQ(lines[2].size(), 2u);
}

TEST(BlockIndent, IndentsTheSelectedLinesInOneUndoStep)
{
    TCustomSyntaxMemo memo;
    const std::string text = "l1\rl2\rl3\rl4\rl5\rl6";
    memo.SetText(text);
    memo.AddMark(memo.LineIndex(2), 2, 0);
    memo.SetIndentStep(2);
    memo.SetSelection(1, memo.LineIndex(4)); // ends at the very start of line 5
    memo.Perform(sm::SM_INDENT, 0, 0);
    EXPECT_EQ(StoreText(memo.TextStore()), "  l1\r  l2\r  l3\r  l4\rl5\rl6");
    EXPECT_EQ(memo.SelStart(), 0);
    EXPECT_EQ(memo.SelEnd(), memo.LineIndex(4));
    EXPECT_EQ(memo.TextStore().Marks()->Items(0)->Start, memo.LineIndex(2) + 2);

    memo.Perform(sm::SM_INDENT, 1, 1); // a TAB asked for and allowed
    EXPECT_EQ(StoreText(memo.TextStore()), "\t  l1\r\t  l2\r\t  l3\r\t  l4\rl5\rl6");
    memo.Undo();
    memo.Undo();
    EXPECT_EQ(StoreText(memo.TextStore()), text);
    EXPECT_EQ(memo.TextStore().Marks()->Items(0)->Start, memo.LineIndex(2));

    // A selection inside one line indents that line; an empty one nothing.
    memo.SetSelection(memo.LineIndex(5) + 2, memo.LineIndex(5) + 1);
    memo.IndentBlock(1, 0);
    EXPECT_EQ(memo.GetLine(5, 10), " l6");
    EXPECT_GT(memo.SelStart(), memo.SelEnd()); // the direction stays
    memo.SetSelection(0, 0);
    memo.IndentBlock(4, 0);
    EXPECT_EQ(memo.GetLine(0, 10), "l1");
}

TEST(BlockIndent, UnindentRemovesLeadingBlanksTabsAndHardSpaces)
{
    TCustomSyntaxMemo memo;
    const std::string text = "\tx\r   y\r\xA0z\rw\r";
    memo.SetText(text);
    memo.SetIndentStep(2);
    memo.SetSelection(0, memo.TextLength());
    memo.Perform(sm::SM_UNINDENT, 0, 0);
    EXPECT_EQ(StoreText(memo.TextStore()), "x\r y\rz\rw\r");
    // Undo brings back what was removed, TABs and hard spaces included.
    memo.Undo();
    EXPECT_EQ(StoreText(memo.TextStore()), text);

    memo.SetText("plain\rtext");
    memo.SetSelection(0, memo.TextLength());
    memo.UnindentBlock(0);
    EXPECT_FALSE(memo.CanUndo());
}

TEST(BlockIndent, WithWordWrapWholeLogicalLinesAreIndented)
{
    TWrapMemo memo(10);
    memo.SetText("one two three four\rfive");
    memo.SetWordWrap(true);
    memo.SetSelection(9, 12); // inside the second segment
    memo.IndentBlock(2, 0);
    const auto lines = LogicalLines(memo.TextStore());
    EXPECT_EQ(Joined(lines[0]), "  one two three four\r");
    EXPECT_EQ(Joined(lines[1]), "five");
}

TEST(ColumnPixels, ColumnsAndPixelsMapBothWays)
{
    for (const char* family : {"DejaVu Sans Mono", "DejaVu Sans"}) {
        TCustomSyntaxMemo memo;
        memo.setFont(QFont(family, 10));
        memo.SetText("Wil\tlow iii MMM");
        const TLineRecord* line = memo.TextStore().FirstLine();
        int previous = memo.PixelAtColumn(0, line);
        EXPECT_EQ(previous, memo.TextLeft());
        for (int column = 1; column <= 15; ++column) { // up to the end of the expanded text
            const int x = memo.PixelAtColumn(column, line);
            EXPECT_GT(x, previous) << family << " " << column;
            EXPECT_EQ(memo.ColumnAtPixel(x, line), column) << family;
            EXPECT_EQ(memo.ColumnAtPixel(x - 1, line), column - 1) << family;
            previous = x;
        }
    }
}
