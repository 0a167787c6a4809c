// The regular-expression engine: compile errors with their columns, what patterns match, the
// text's ends and line ends, backward searches, the position log, and a compile done only once.
#include "editor/search/re_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// The match (log entry 0 to the end entry) from Start, or (-1, -1).
std::pair<int, int> Match(TREParser& Parser, std::string_view Text, int Start = 0, bool Forward = true)
{
    TStringTextSource source(Text);
    TTextCursor cursor(source);
    if (!Parser.Search(cursor, Start, Forward))
        return {-1, -1};
    return {Parser.MatchPos(0), Parser.MatchPos(Parser.MatchCount())};
}

std::pair<int, int> Match(const std::string& Pattern, std::string_view Text)
{
    TREParser parser;
    EXPECT_TRUE(parser.Compile(Pattern)) << Pattern << ": " << parser.ErrorCode();
    return Match(parser, Text);
}

TEST(REParser, CompileErrorsGiveTheirCodeAndColumn)
{
    struct TCase {
        const char* Pattern;
        int Code;
        int Column; // 0: not looked at
    };
    const TCase cases[] = {
        {"[z-a]", reInvalidRange, 4},
        {"(ab", reUnmatchedParenthesis, 3},
        {"a)", reUnmatchedParenthesis, 2},
        {"a**", reNestedRepeat, 3},
        {"a+?", reNestedRepeat, 3},
        {"x{2}*", reNestedRepeat, 5},
        {"\\x", reHexDigitExpected, 2},
        {"", reInvalidParameter, 0},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", reTooManySubexpressions, 28},
        {"x{3,1}", reInvalidRange, 6},
        {"x{}", reInvalidRange, 3},
        {"x{,}", reInvalidRange, 4},
        {"x{2", reInvalidRange, 0},
        {"a\\", reUnexpectedEnd, 2},
        {"\"abc", reQuoteExpected, 4},
        {"*a", reInvalidRepeat, 1},
        {"a|+", reInvalidRepeat, 3},
        {"(a*)*", reInvalidRepeat, 5},
        {"^*", reInvalidRepeat, 2},
        {"[]", reUnmatchedBracket, 2},
        {"[abc", reUnmatchedBracket, 4},
        {"[a-]", reInvalidRange, 3},
        {"\\777", reInvalidRange, 4},
    };
    for (const TCase& c : cases) {
        TREParser parser;
        EXPECT_FALSE(parser.Compile(c.Pattern)) << c.Pattern;
        EXPECT_EQ(parser.ErrorCode(), c.Code) << c.Pattern;
        if (c.Column)
            EXPECT_EQ(parser.ErrorColumn(), c.Column) << c.Pattern;
        EXPECT_TRUE(parser.Program().empty()) << c.Pattern;
    }
}

TEST(REParser, PatternsMatchWhatTheySay)
{
    struct TCase {
        const char* Pattern;
        const char* Text;
        int Start;
        int End;
    };
    const TCase cases[] = {
        // Both parts in either order, the second optional.
        {"a||b", "a", 0, 1},
        {"a||b", "ab", 0, 2},
        {"a||b", "b", 0, 1},
        {"a||b", "ba", 0, 2},
        {"a||b", "x", -1, -1},
        // Counted repeats.
        {"x{3}", "xxxx", 0, 3},
        {"x{3}", "xxaxx", -1, -1},
        {"x{2,}", "axxxxxb", 1, 6},
        {"x{2,}", "axb", -1, -1},
        {"x{,2}", "xxxx", 0, 2},
        {"x{,2}", "b", 0, 0},
        {"x{1}", "xx", 0, 1},
        {"(ab){2}", "ababab", 0, 4},
        {"(ab){2,3}c", "abababababc", 4, 11},
        {"a(b{2}c){2}", "abbcbbcbbc", 0, 7},
        // A quoted literal is taken as it stands.
        {"\"a.b\"", "axb a.b", 4, 7},
        {"\"\\\"\"", "x\"", 1, 2},
        // Classes and class escapes.
        {"[a-c]+", "xxbcaz", 2, 5},
        {"[^a-c]", "abcd", 3, 4},
        {"[\\x41-C]", "xB", 1, 2},
        {"\\d+", "ab123c", 2, 5},
        {"\\D", "12a", 2, 3},
        {"\\w+", "  foo_1 ", 2, 7},
        {"\\W", "ab-c", 2, 3},
        {"\\s", "ab c", 2, 3},
        {"\\S+", "  ab ", 2, 4},
        // "." stops at a line end; "\n" is the line end and "\r" is 10.
        {"a.c", "abc", 0, 3},
        {"a.c", "a\rc", -1, -1},
        {"a\\nc", "a\rc", 0, 3},
        {"a\\rc", "a\nc", 0, 3},
        {"\\x41", "zA", 1, 2},
        {"\\101", "zA", 1, 2},
        {"\\T", "a\tb", 1, 2},
        {"a\\*", "aa*", 1, 3},
        // Alternation, groups, backtracking.
        {"a(b|c)d", "acd", 0, 3},
        {"(a|ab)(c|bcd)", "abcd", 0, 4},
        {"colou?r", "color", 0, 5},
        {"x+y", "axxxy", 1, 5},
        {"[ab]*b", "aab", 0, 3},
        {"(ab)*c", "ababc", 0, 5},
        {".*b", "aabab\rb", 0, 5},
        {"a|", "b", 0, 0},
        // "^" at the text's start and after a line end, "$" before one and at the text's end.
        {"^abc", "abc", 0, 3},
        {"^abc", "x\rabc", 2, 5},
        {"^abc", "\rabc", 1, 4},
        {"^abc", "xabc", -1, -1},
        {"abc$", "abc", 0, 3},
        {"abc$", "abc\rx", 0, 3},
        {"abc$", "abcx", -1, -1},
        {"^$", "a\r\rb", 2, 2},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Match(c.Pattern, c.Text), std::make_pair(c.Start, c.End)) << c.Pattern << " in " << c.Text;
}

TEST(REParser, BackwardFindsTheNearestMatchBeforeTheStart)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("ab"));
    EXPECT_EQ(Match(parser, "ab ab ab", 8, false), std::make_pair(6, 8));
    EXPECT_EQ(Match(parser, "ab ab ab", 6, false), std::make_pair(3, 5));
    EXPECT_EQ(Match(parser, "ab ab ab", 5, false), std::make_pair(3, 5));
    EXPECT_EQ(Match(parser, "ab ab ab", 1, false), std::make_pair(0, 2));
    EXPECT_EQ(Match(parser, "ab ab ab", 0, false), std::make_pair(-1, -1));
    EXPECT_EQ(Match(parser, "ab ab ab", 3, true), std::make_pair(3, 5));
}

TEST(REParser, TheLogFollowsTheGroupOneRule)
{
    // Group 1 keeps one entry and the next entry is the position after it: the log of (a)(b) on
    // "ab" is 0 (group 1), 1 (group 2), 1 (b), and the end 2.
    TREParser parser;
    ASSERT_TRUE(parser.Compile("(a)(b)"));
    ASSERT_EQ(Match(parser, "ab"), std::make_pair(0, 2));
    ASSERT_EQ(parser.MatchCount(), 3);
    EXPECT_EQ(parser.MatchPos(1), 1);
    EXPECT_EQ(parser.MatchPos(2), 1);
    EXPECT_EQ(parser.MatchPos(3), 2);
    EXPECT_EQ(parser.MatchPos(4), 2);
    EXPECT_EQ(parser.MatchPos(6), -1);
    EXPECT_THROW(parser.MatchPos(256), EREParserError);

    // A try that failed leaves nothing in the log of the match found after it.
    ASSERT_TRUE(parser.Compile("(a*)ab"));
    ASSERT_EQ(Match(parser, "aaab"), std::make_pair(0, 4));
    EXPECT_EQ(parser.MatchCount(), 3);
    EXPECT_EQ(parser.MatchPos(1), 2);
    EXPECT_EQ(parser.MatchPos(2), 3);
}

TEST(REParser, ALogOverflowIsAnErrorOfItsOwn)
{
    std::string pairs;
    for (int i = 0; i < 300; ++i)
        pairs += "ab";
    const std::pair<const char*, std::string> cases[] = {{"(ab)*", pairs}, {"x{300}", std::string(300, 'x')}};
    for (const auto& [pattern, text] : cases) {
        TREParser parser;
        ASSERT_TRUE(parser.Compile(pattern));
        try {
            Match(parser, text);
            ADD_FAILURE() << pattern;
        } catch (const EREParserError& error) {
            EXPECT_EQ(error.Code(), reIndexRangeError);
            EXPECT_EQ(error.Message, QStringLiteral("Index range error"));
        }
        // A short run stays within the log.
        EXPECT_EQ(Match(parser, pairs.substr(0, 20)).first, pattern[0] == '(' ? 0 : -1) << pattern;
    }
}

TEST(REParser, ARepeatedPatternIsCompiledOnce)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("a+b"));
    ASSERT_TRUE(parser.Compile("a+b"));
    EXPECT_EQ(parser.Compilations(), 1);
    ASSERT_TRUE(parser.Compile("a+c"));
    EXPECT_EQ(parser.Compilations(), 2);
    // A pattern that failed is compiled (and fails) again.
    EXPECT_FALSE(parser.Compile("a**"));
    EXPECT_FALSE(parser.Compile("a**"));
    EXPECT_EQ(parser.Compilations(), 4);
    TStringTextSource source("ab");
    TTextCursor cursor(source);
    try {
        parser.Search(cursor, 0, true);
        ADD_FAILURE();
    } catch (const EREParserError& error) {
        EXPECT_EQ(error.Code(), reInvalidParameter);
    }
}

TEST(REParser, TheProgramHasItsMagicAndItsNodes)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("a"));
    // Magic, BRANCH -> END with the operand EXACTLY "a", END.
    const std::vector<std::uint8_t> expected = {156, reBranch, 0, 8, reExactly, 0, 5, 'a', 0, reEnd, 0, 0};
    EXPECT_EQ(parser.Program(), expected);
    ASSERT_TRUE(parser.Compile("a||b"));
    EXPECT_EQ(parser.WorkingPattern(), "((a)(b)?)|((b)(a)?)");
}

} // namespace
