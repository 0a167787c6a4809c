// The keyword trie: longest valid match forward and backward, states, end groups, duplicates, and
// the streamable store.
#include "editor/document/ed_stream.h"
#include "editor/language/syntax_keywords.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"
#include "memo_fixture.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// A character group read from its specification.
struct Group : TSM_CharGroup {
    explicit Group(const char* Spec)
    {
        int position = 1;
        Parse(Spec, position);
    }
};

const Group NotLetter("[^a-z]");
const TSM_StateSet State0 = TSM_StateSet::Of({0});

struct TMatch {
    int value = -1; // -1: no match
    int position = 0;
    int length = 0;

    friend bool operator==(const TMatch&, const TMatch&) = default;
};

void PrintTo(const TMatch& m, std::ostream* os)
{
    *os << "{value " << m.value << ", position " << m.position << ", length " << m.length << "}";
}

// Matches at Pos of Text.
TMatch MatchAt(TKeywords& Words, std::string_view Text, int Pos, bool Forward = true,
               bool CaseSensitive = false)
{
    TTestMemo memo;
    memo.ReplaceSelection(Text);
    TEdStream stream(&memo);
    int lineStart = 0;
    TLineRecord* line = memo.TextStore().LineAt(Pos, nullptr, &lineStart);
    stream.SetRange(line, Pos - lineStart, lineStart);
    int start = -1;
    TMatch match;
    const TKeywordRecord* record = Words.MatchKeyword(stream, CaseSensitive, Forward, start, match.length);
    EXPECT_EQ(start, Pos);
    match.value = record ? record->Value : -1;
    match.position = stream.GetPosition();
    return match;
}

// Text matched at Pos gives Match.
struct TMatchCase {
    const char* name;
    std::string_view text;
    int pos;
    TMatch match;
};

void ExpectMatches(TKeywords& Words, bool Forward, std::initializer_list<TMatchCase> Cases)
{
    for (const TMatchCase& c : Cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MatchAt(Words, c.text, c.pos, Forward), c.match);
    }
}

} // namespace

TEST(Keywords, MatchesTheLongestValidWord)
{
    TKeywords words;
    words.CurrentStates = State0;
    words.AddKeyword("end", 0, NotLetter, State0, 1);
    words.AddKeyword("endif", 0, NotLetter, State0, 2);
    words.AddKeyword("Begin", 0, TSM_CharGroup(), State0, 3);
    words.AddKeyword("e", 1, NotLetter, State0, 4);
    words.AddKeyword("<=", 1, TSM_CharGroup(), State0, 5);

    ExpectMatches(words, true,
                  {
                      {"the longer word", "endif;", 0, {2, 5, 5}},
                      {"a word at the end of the text", "x endif", 2, {2, 7, 5}},
                      {"the shorter word when the longer is not followed by its end", "end;if", 0, {1, 3, 3}},
                      {"nothing when no word is followed by its end", "endx", 0, {-1, 1, 1}},
                      {"a one-letter word", "e+", 0, {4, 1, 1}},
                      {"ignoring case", "BEGIN x", 0, {3, 5, 5}},
                      {"an empty end group takes any follower", "beginning", 0, {3, 5, 5}},
                      {"operators", "a<=b", 1, {5, 3, 2}},
                      {"no first character", "xyz", 1, {-1, 2, 1}},
                      {"past the end", "end", 3, {-1, 3, 1}},
                      {"across a line end", "end\r\nx", 0, {1, 3, 3}},
                  });
    // Case-sensitive matching leaves upper case alone.
    EXPECT_EQ(MatchAt(words, "BEGIN", 0, true, true).value, -1);
}

TEST(Keywords, MatchesBackwardFromTheLastCharacter)
{
    TKeywords words;
    words.CurrentStates = State0;
    words.AddKeyword("rof", 0, TSM_CharGroup(), State0, 1);   // "for" reversed
    words.AddKeyword("elihw", 0, Group("[^a-z]"), State0, 2); // "while", a non-letter before it
    ExpectMatches(words, false,
                  {
                      {"at the start of the text", "for", 2, {1, 0, 3}},
                      {"after other text", "x for", 4, {1, 2, 3}},
                      {"with its end group before it", " while", 5, {2, 1, 5}},
                      {"the end group refuses the letter before it", "awhile", 5, {-1, 6, 1}},
                      {"a name cut off at the start of the text", "or", 1, {-1, 2, 1}},
                  });
}

TEST(Keywords, WordsCountOnlyInTheirStates)
{
    TKeywords words;
    words.AddKeyword("do", 0, TSM_CharGroup(), TSM_StateSet::Of({0}), 1);
    words.AddKeyword("done", 0, NotLetter, TSM_StateSet::Of({2}), 2);
    words.AddKeyword("word", 0, NotLetter, TSM_StateSet::Of({1}), 3);
    words.AddKeyword("word", 0, NotLetter, TSM_StateSet::Of({2}), 4);
    try {
        words.AddKeyword("WORD", 0, NotLetter, TSM_StateSet::Of({2, 3}), 5);
        ADD_FAILURE() << "duplicate added";
    } catch (const EKeywords& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Duplicate keyword - 'word'"));
    }

    const struct {
        std::initializer_list<int> states;
        std::string_view text;
        TMatch match;
    } cases[] = {
        {{0}, "done", {1, 2, 2}}, // "done" counts only in state 2: the shorter word wins
        {{2}, "done", {2, 4, 4}},
        {{0, 2}, "done", {2, 4, 4}},
        {{1}, "word", {3, 4, 4}},
        {{2}, "word", {4, 4, 4}},
        {{3}, "word", {-1, 1, 1}}, // the refused duplicate left no record for state
                                   // 3
        {{}, "do", {-1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        words.CurrentStates = TSM_StateSet::Of(c.states);
        EXPECT_EQ(MatchAt(words, c.text, 0), c.match);
    }
}

TEST(Keywords, LimitsWordLengthAndEndGroups)
{
    TKeywords words;
    words.AddKeyword(QByteArray(255, 'a'), 0, TSM_CharGroup(), State0, 1);
    EXPECT_THROW(words.AddKeyword(QByteArray(256, 'b'), 0, TSM_CharGroup(), State0, 1), EKeywords);
    words.AddKeyword(QByteArray(), 0, TSM_CharGroup(), State0, 1); // adds nothing

    // The empty group is ID 0; 255 more fit, the next distinct one does not.
    for (int c = 0; c < 255; ++c) {
        TSM_CharGroup group;
        group.AddChar(std::uint8_t(c));
        words.AddKeyword("w" + QByteArray::number(c), 0, group, State0, c);
    }
    EXPECT_EQ(words.Groups().Count(), 256);
    TSM_CharGroup last;
    last.AddChar(255);
    EXPECT_THROW(words.AddKeyword("over", 0, last, State0, 0), EKeywords);
    words.AddKeyword("shared", 0, TSM_CharGroup(), State0, 0); // an existing group still fits
}

TEST(Keywords, ClearReportsEveryRecord)
{
    TKeywords words;
    std::vector<int> freed;
    words.OnFreeKeyword = [&freed](TObject*, std::int32_t value) { freed.push_back(value); };
    words.AddKeyword("a", 1, TSM_CharGroup(), TSM_StateSet::Of({1}), 7);
    words.AddKeyword("a", 1, TSM_CharGroup(), TSM_StateSet::Of({2}), 8);
    words.AddKeyword("b", 1, TSM_CharGroup(), TSM_StateSet::Of({1}), 9);
    words.CurrentStates = TSM_StateSet::Of({1});
    words.Clear();
    EXPECT_EQ(freed, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(words.CaseFlag, 0);
    EXPECT_EQ(words.Groups().Count(), 0);
    EXPECT_EQ(words.CurrentStates, TSM_StateSet::Of({1}));
    EXPECT_EQ(MatchAt(words, "a", 0).value, -1);
}

TEST(SyntaxKeywords, StreamReadsBackTheSameWords)
{
    TSyntaxKeywords words;
    words.AddKeyword("begin", 0, NotLetter, State0, 10);
    words.AddKeyword("", 0, NotLetter, State0, 99); // skipped: it would end the list early
    words.AddKeyword("end", 0, Group("[;\\s]"), TSM_StateSet::Of({0, 4}), 11);
    EXPECT_THROW(words.AddKeyword("END", 0, NotLetter, State0, 12), EKeywords);
    ASSERT_EQ(words.Words.size(), 2u);

    const QByteArray bytes = StreamBytes(words);
    QByteArray expected;
    {
        TMemoryStream stream;
        WriteInteger(stream, 0);
        WriteInteger(stream, 2);
        WriteShortString(stream, "begin");
        NotLetter.SaveToStream(stream);
        WriteStateSet(stream, State0);
        WriteInteger(stream, 10);
        WriteShortString(stream, "end");
        Group("[;\\s]").SaveToStream(stream);
        WriteStateSet(stream, TSM_StateSet::Of({0, 4}));
        WriteInteger(stream, 11);
        WriteByte(stream, 0);
        expected = QByteArray(stream.Memory(), qsizetype(stream.Size()));
    }
    EXPECT_EQ(bytes, expected);

    // Followed by other data, which the next reader must find.
    TBytesStream stream(bytes + "next");
    TSyntaxKeywords copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), bytes.size());
    EXPECT_EQ(StreamBytes(copy), bytes);
    copy.CurrentStates = TSM_StateSet::Of({4});
    EXPECT_EQ(MatchAt(copy, "END;", 0), (TMatch{11, 3, 3}));
    EXPECT_EQ(MatchAt(copy, "begin;", 0).value, -1);

    ExpectEveryTruncationFails<TSyntaxKeywords>(bytes);
    QByteArray noTerminator = bytes;
    noTerminator.back() = 'x';
    TBytesStream bad(noTerminator);
    EXPECT_THROW(copy.LoadFromStream(bad), EReadError);
    TBytesStream huge(QByteArray("\0\0\0\0\x40\0\0\0\0", 9));
    EXPECT_THROW(copy.LoadFromStream(huge), EReadError);
}
