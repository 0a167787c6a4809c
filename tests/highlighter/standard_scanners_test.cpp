// The scanner table: every acceptor and standard scanner on its edges, over the editor's stream
// and over a stream that fails any read of a character past the end of the text.
#include "highlighter/standard_scanners.h"

#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A text as a character stream that fails the test when a character is read at the end.
class TStrictStream : public TCustomEdStream {
public:
    explicit TStrictStream(std::string Text) : text_(std::move(Text)) {}

    char CurrentChar() override
    {
        if (EndOfText()) {
            ADD_FAILURE() << "character read past the end of the text";
            return 0;
        }
        return text_[std::size_t(position_)];
    }
    int GetPosition() override { return position_; }
    void SetPosition(int Pos) override { position_ = Pos; }
    bool EndOfText() override { return position_ >= int(text_.size()); }
    void Next() override
    {
        if (!EndOfText())
            ++position_;
    }
    void Back() override
    {
        if (position_ > 0)
            --position_;
    }
    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void*, std::int64_t) override { return 0; }
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return position_; }

private:
    std::string text_;
    int position_ = 0;
};

int EntryOf(const char* Symbol)
{
    for (int i = 0; i < ScannerCount; ++i) {
        if (std::strcmp(Scanners[std::size_t(i)].Symbol, Symbol) == 0)
            return i;
    }
    ADD_FAILURE() << "no scanner " << Symbol;
    return -1;
}

struct TScanCase {
    const char* Symbol;
    std::string Text;
    bool Result;
    int Length;     // characters consumed
    int After;      // stream position afterwards
    int Start = 0;  // where the scanner starts
    int TokenStart = -1; // where the token began (-1: Start)
};

void PrintTo(const TScanCase& c, std::ostream* os)
{
    *os << c.Symbol << " on \"" << c.Text << "\" from " << c.Start;
}

struct TScanResult {
    bool Result;
    int Length;
    int After;
    friend bool operator==(const TScanResult&, const TScanResult&) = default;
};

void PrintTo(const TScanResult& r, std::ostream* os)
{
    *os << "{" << r.Result << ", length " << r.Length << ", after " << r.After << "}";
}

TScanResult Scan(const TScanCase& Case, TCustomEdStream& Stream)
{
    Stream.SetPosition(Case.Start);
    std::int32_t length = 0;
    const bool result = RunScanner(EntryOf(Case.Symbol), Stream, length,
                                   Case.TokenStart >= 0 ? Case.TokenStart : Case.Start);
    return {result, length, Stream.GetPosition()};
}

class ScannerTable : public testing::TestWithParam<TScanCase> {};

TEST_P(ScannerTable, ConsumesWhatItTakes)
{
    const TScanCase& c = GetParam();
    const TScanResult expected{c.Result, c.Length, c.After};

    TStrictStream strict(c.Text);
    EXPECT_EQ(Scan(c, strict), expected) << "over a plain stream";

    TMemoCore memo;
    memo.SetText(c.Text);
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    EXPECT_EQ(Scan(c, stream), expected) << "over the editor's stream";
}

// Both number scanners take the same unsigned numbers.
const char* const NumberScanners[] = {"__STD_NUMBER_OR_FP", "__STD_C_NUMBER_OR_FP_SIGNED"};

std::vector<TScanCase> Cases()
{
    std::vector<TScanCase> cases;
    for (const char* number : NumberScanners) {
        cases.push_back({number, "12.x", true, 2, 2});
        cases.push_back({number, "1.x", true, 1, 1});
        cases.push_back({number, "1.5e+3", true, 6, 6});
        cases.push_back({number, "12.5", true, 4, 4});
        cases.push_back({number, "7.", true, 1, 1});
        cases.push_back({number, "3E-;", true, 3, 3});
        cases.push_back({number, "x1", false, 0, 0});
    }
    const std::vector<TScanCase> table = {
        {"__STD_C_NUMBER_OR_FP_SIGNED", "-1.5e3 ", true, 6, 6},
        {"__STD_C_NUMBER_OR_FP_SIGNED", "+5", true, 2, 2},
        {"__STD_C_NUMBER_OR_FP_SIGNED", "+x", false, 1, 1},
        {"__STD_C_NUMBER_OR_FP_SIGNED", "-", false, 1, 1},
        {"__STD_NUMBER", "123.4", true, 3, 3},
        {"__STD_NUMBER", "a1", false, 0, 0},
        {"__STD_IDENTIFIER", "_a1 b", true, 3, 3},
        {"__STD_IDENTIFIER", "abc", true, 3, 3},
        {"__STD_IDENTIFIER", "1a", false, 0, 0},
        {"__STD_PASCALSTRING", "'it''s' x", true, 7, 7},
        {"__STD_PASCALSTRING", "'ab\rcd'", true, 3, 3},
        {"__STD_PASCALSTRING", "'ab", true, 3, 3},
        {"__STD_C_STRING", "\"a\\\"b\" c", true, 6, 6},
        {"__STD_C_STRING", "\"ab\rc\"", true, 3, 3},
        {"__STD_C_STRING", "\"ab", true, 3, 3},
        {"__STD_C_STRING", "\"a\\", true, 3, 3},
        {"__STD_C_CHAR", "'\\'' x", true, 4, 4},
        {"__STD_C_STRING_SQ", "'it' s", true, 4, 4},
        {"__STD_HTML_STRING", "\"a b\" c", true, 5, 5},
        {"__STD_HTML_STRING", "\"ab\rc", true, 4, 4},
        {"__STD_HTML_STRING", "'ab\" c", true, 4, 4},
        {"__STD_HTML_STRING", "\"ab", true, 3, 3},
        {"__STD_MAIL_URL", "joe@x.org, ", true, 9, 9},
        {"__STD_MAIL_URL", "a@b.c.", true, 5, 5},
        {"__STD_MAIL_URL", "a@b", true, 3, 3},
        {"__STD_MAIL_URL", "abc def", false, 0, 0},
        {"__STD_MAIL_URL", "x abc.de", false, 0, 2, 2},
        {"__STD_JS_LINE_COMMENT", "abc -->", true, 4, 4},
        {"__STD_JS_LINE_COMMENT", "a ---> b", true, 3, 3},
        {"__STD_JS_LINE_COMMENT", "a->b", true, 4, 4},
        {"__STD_JS_LINE_COMMENT", "a--b\rc", true, 4, 4},
        {"__STD_JS_LINE_COMMENT", "a--", true, 3, 3},
        {"__STD_JS_LINE_COMMENT", "-->", true, 0, 0},
        {"_PASCAL_CHAR", "ab", true, 1, 1},
        {"_PASCAL_CHAR", "''x", true, 2, 2},
        {"_PASCAL_CHAR", "'x", false, 0, 0},
        {"_PASCAL_CHAR", "'", false, 0, 0},
        {"_PASCAL_CHAR", "\rx", false, 0, 0},
        {"_PASCAL_CHAR", "a", false, 0, 1, 1},
        {"_WEB_CHAR", "a.b.", true, 3, 3},
        {"_WEB_CHAR", "http://x.org/a?b=c&d~e|f\\g#h@i_j-k l", true, 34, 34},
        {"_WEB_CHAR", " x", false, 0, 0},
        {"_WEB_CHAR", ".", true, 0, 0},
        {"_ORIGINAL_CHAR", "abc\rd", true, 3, 3},
        {"_ORIGINAL_CHAR", "x\rabc\rd", true, 3, 5, 2},
        {"_ORIGINAL_CHAR", "x\rab", true, 1, 4, 3, 2},
        {"_ORIGINAL_CHAR", "xabc", false, 0, 1, 1},
        {"_ORIGINAL_CHAR", "x\rab", false, 0, 3, 3},
    };
    cases.insert(cases.end(), table.begin(), table.end());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllScanners, ScannerTable, testing::ValuesIn(Cases()));

TEST(ScannerTable, NumbersAndEntries)
{
    ASSERT_EQ(ScannerCount, 14);
    for (int entry = 0; entry < ScannerCount; ++entry) {
        const int number = Scanners[std::size_t(entry)].Number;
        EXPECT_EQ(number, entry < 3 ? entry : entry + 7) << Scanners[std::size_t(entry)].Symbol;
        if (number >= FirstStandardScanner) {
            EXPECT_EQ(StandardScannerEntry(number), entry);
        }
    }
    // Every scanner is exercised by the table above.
    std::vector<bool> used(ScannerCount);
    for (const TScanCase& c : Cases())
        used[std::size_t(EntryOf(c.Symbol))] = true;
    for (int entry = 0; entry < ScannerCount; ++entry)
        EXPECT_TRUE(used[std::size_t(entry)]) << Scanners[std::size_t(entry)].Symbol;

    // An entry outside the table is a rule that fails.
    TStrictStream stream("abc");
    std::int32_t length = 0;
    EXPECT_FALSE(RunScanner(14, stream, length, 0));
    EXPECT_FALSE(RunScanner(-1, stream, length, 0));
    EXPECT_EQ(length, 0);
}

} // namespace
