// The highlighting driver: incremental runs equal a full pass after random edits, the lines a run
// touches, containers, the token event, a parser that fails, and a run deferred while the parser is
// busy with another, and long runs cut into slices. HFTP_RANDOM_CASES sets the number of edit
// scripts (default 40).
#include "stub_parser.h"

#include "editor/custom_syntax_memo.h"
#include "editor/search/search_text.h"

#include "platform/rtl/application.h"
#include "platform/rtl/exception.h"

#include "../support/pump.h"
#include "../support/random_cases.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// The token bytes of the whole text, one digit per character.
std::string Tokens(TCustomSyntaxMemo& Memo)
{
    std::vector<std::uint8_t> bytes(std::size_t(Memo.TextLength()));
    Memo.GetTokenBytes(bytes, nullptr);
    std::string digits;
    for (const std::uint8_t byte : bytes)
        digits += char('0' + byte);
    return digits;
}

// A memo with its own stub parser in slot 1.
struct THighlightedMemo {
    TStubParser Parser;
    TCustomSyntaxMemo Memo;

    explicit THighlightedMemo(std::string_view Text = {})
    {
        Memo.SetParser(1, &Parser);
        Memo.SetText(Text);
    }

    void Replace(int Start, int End, std::string_view Text)
    {
        Memo.SetSelection(Start, End, true);
        Memo.ReplaceSelection(Text);
    }

    // The lines of the tokens each run reads.
    std::set<int> LinesRead(const std::function<void()>& Edit)
    {
        std::set<int> lines;
        Memo.OnTokenSeen = [&](TObject*, int&, int Start, int) {
            if (Start >= 0)
                lines.insert(Memo.LineFromChar(Start));
        };
        Edit();
        Memo.OnTokenSeen = nullptr;
        return lines;
    }
};

// What a fresh memo makes of Text in one full pass.
std::string FullPass(std::string_view Text)
{
    THighlightedMemo fresh(Text);
    return Tokens(fresh.Memo);
}

std::set<int> LineRange(int First, int Last)
{
    std::set<int> lines;
    for (int line = First; line <= Last; ++line)
        lines.insert(line);
    return lines;
}

TEST(HighlightDriver, TokensFollowTheLanguage)
{
    // Words, a container with its digits scanned again, a comment over two lines and a string
    // running on into the next line.
    THighlightedMemo memo("ab [x12] /* c\rd */ \"s\rt\" e");
    EXPECT_EQ(Tokens(memo.Memo), "11044554066222222203333301");
}

TEST(HighlightDriver, IncrementalRunsEqualAFullPassAfterRandomEdits)
{
    static constexpr std::string_view Pieces[] = {"a", "bc", " ", "\r", "/*", "*/", "\"", "[", "]", "1", "2", "x y\r"};
    const int scripts = randomCaseCount(40);
    for (int seed = 0; seed < scripts; ++seed) {
        std::mt19937 random{unsigned(seed)};
        const auto below = [&](int Limit) { return Limit <= 0 ? 0 : int(random() % unsigned(Limit)); };
        const auto snippet = [&] {
            std::string text;
            for (int n = below(6); n >= 0; --n)
                text += Pieces[std::size_t(below(std::size(Pieces)))];
            return text;
        };
        std::string start;
        while (start.size() < 200)
            start += snippet();
        THighlightedMemo memo(start);
        for (int step = 0; step < 40; ++step) {
            const int length = memo.Memo.TextLength();
            const int at = below(length + 1);
            const int end = std::min(length, at + below(24));
            switch (below(6)) {
            case 0: memo.Replace(at, at, snippet()); break;
            case 1: memo.Replace(at, end, {}); break;
            case 2:
            case 3: memo.Replace(at, end, snippet()); break;
            case 4: memo.Memo.Undo(); break;
            default: memo.Memo.Redo(); break;
            }
            const std::string text = memo.Memo.TextStore().GetText(0, memo.Memo.TextLength());
            ASSERT_EQ(Tokens(memo.Memo), FullPass(text)) << "seed " << seed << " step " << step << " in\n" << text;
        }
    }
}

TEST(HighlightDriver, ReplacementsAndTheirUndoAreHighlighted)
{
    const std::string text = "ab x ab\rcd ab\r\"q\" ab";
    THighlightedMemo memo(text);
    EXPECT_EQ(memo.Memo.ReplaceAll(memo.Memo.TextLength(), 0, foSearchNow, "/*", "ab"), 4);
    const std::string replaced = memo.Memo.TextStore().GetText(0, memo.Memo.TextLength());
    EXPECT_EQ(Tokens(memo.Memo), FullPass(replaced));
    memo.Memo.Undo();
    EXPECT_EQ(Tokens(memo.Memo), FullPass(text));
    memo.Memo.Redo();
    EXPECT_EQ(Tokens(memo.Memo), FullPass(replaced));

    // The flow's replace-one goes through FindReplaceText and the selection.
    memo.Memo.Undo();
    memo.Memo.SetSelection(0, 0);
    std::string replacement;
    int position = 0;
    ASSERT_TRUE(memo.Memo.FindReplaceText("x", "\"", foSearchNow, replacement, position));
    memo.Memo.ReplaceSelectionText(replacement);
    EXPECT_EQ(Tokens(memo.Memo), FullPass(memo.Memo.TextStore().GetText(0, memo.Memo.TextLength())));
}

// Edits made while the highlighting is held (as a replace-all or an undo block makes them) are
// highlighted when it is released, wherever the later edits moved the earlier ones.
TEST(HighlightDriver, EditsUnderAHoldAreHighlightedWhenItIsReleased)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "word [12] w\r";
    const int line = 12;
    struct TEdit {
        int Start;
        int End;
        const char* Text;
    };
    struct TCase {
        const char* Name;
        std::vector<TEdit> Edits;
    };
    const TCase cases[] = {
        {"lines added above an edit", {{30 * line, 30 * line, "zz\r"}, {2 * line, 2 * line, "a\rb\rc\r"}}},
        {"lines removed above an edit", {{30 * line, 30 * line, "zz\r"}, {2 * line, 10 * line, ""}}},
        {"an edit partly removed again", {{20 * line, 20 * line, "ab\rcd\ref\r"}, {20 * line + 4, 22 * line, ""}}},
        {"an edit below the last one", {{5 * line, 5 * line, "q\r"}, {35 * line, 35 * line + 4, "x\ry"}}},
        {"lines joined far apart", {{3 * line + 4, 33 * line + 4, ""}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        THighlightedMemo memo(text);
        {
            const THighlightHold hold(memo.Memo);
            for (const TEdit& edit : c.Edits)
                memo.Replace(edit.Start, edit.End, edit.Text);
        }
        EXPECT_EQ(Tokens(memo.Memo), FullPass(memo.Memo.TextStore().GetText(0, memo.Memo.TextLength())));
    }

    // Text added at the end of a line rebuilds that line too: the line is read again from inside
    // the string that runs on into it from the line above.
    THighlightedMemo memo("x \"s\r\"t\r");
    {
        const THighlightHold hold(memo.Memo);
        memo.Replace(memo.Memo.TextLength(), memo.Memo.TextLength(), "y\r");
    }
    EXPECT_EQ(Tokens(memo.Memo), FullPass("x \"s\r\"t\ry\r"));
}

TEST(HighlightDriver, ARunReadsTheEditedLineAndItsNeighboursOnly)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "word word\r";
    THighlightedMemo memo(text);
    const int line500 = memo.Memo.LineIndex(500);
    // The line before is read from its last anchor on, the line after only to see it unchanged.
    EXPECT_EQ(memo.LinesRead([&] { memo.Replace(line500 + 2, line500 + 2, "x"); }), LineRange(499, 501));
    EXPECT_EQ(memo.Memo.HighlightedLines(), 2);
}

TEST(HighlightDriver, OpeningAndClosingACommentRescansToTheEnd)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "some text\r";
    THighlightedMemo memo(text);
    const int line9 = memo.Memo.LineIndex(9);
    EXPECT_EQ(memo.LinesRead([&] { memo.Replace(line9, line9, "/*"); }), LineRange(8, 99));
    EXPECT_EQ(memo.Memo.HighlightedLines(), 92);
    EXPECT_EQ(Tokens(memo.Memo), FullPass(memo.Memo.TextStore().GetText(0, memo.Memo.TextLength())));

    EXPECT_EQ(memo.LinesRead([&] { memo.Replace(line9, line9 + 2, {}); }), LineRange(8, 99));
    EXPECT_EQ(memo.Memo.HighlightedLines(), 92);
    EXPECT_EQ(Tokens(memo.Memo), FullPass(text));
}

TEST(HighlightDriver, TheTokenEventBracketsARunAndMayChangeTokens)
{
    THighlightedMemo memo;
    std::vector<int> seen;
    memo.Memo.OnTokenSeen = [&](TObject*, int& Token, int Start, int) {
        seen.push_back(Token);
        if (Token == TStubParser::tkWord)
            Token = 9;
        if (Start == 0)
            throw Exception(QStringLiteral("handler")); // swallowed: the run goes on
    };
    memo.Memo.SetText("ab cd");
    EXPECT_EQ(seen, (std::vector<int>{-1, 1, 0, 1, -2}));
    EXPECT_EQ(Tokens(memo.Memo), "99099");
}

TEST(HighlightDriver, AFailingParserEndsTheRunOnceAndLeavesTheRestMarked)
{
    THighlightedMemo memo("ab\rcd\ref\r");
    QStringList reported;
    const auto previous =
        TApplication::SetExceptionPrompt([&](const QString& Message) { reported.push_back(Message); });
    memo.Parser.OnRead = [](int Position) {
        if (Position == 5)
            throw Exception(QStringLiteral("Stack underflow"));
    };
    // Opening a comment on the first line changes every later line; the run fails on the second.
    memo.Replace(0, 0, "/*");
    TApplication::SetExceptionPrompt(previous);
    EXPECT_EQ(reported, QStringList{QStringLiteral("Stack underflow")});
    EXPECT_EQ(Tokens(memo.Memo), "66222" "110" "110");
    TLineRecord* second = memo.Memo.TextStore().FirstLine()->Next;
    EXPECT_TRUE(second->SettledFlags() & lfHighlightIncomplete);

    memo.Parser.OnRead = nullptr;
    memo.Memo.HighlightFrom(second);
    EXPECT_EQ(Tokens(memo.Memo), FullPass("/*ab\rcd\ref\r"));
}

TEST(HighlightDriver, ARunReenteredWhileTheParserIsBusyIsDeferredAndCompletes)
{
    // Two editors share one parser; while the first one's run is inside a container the second
    // one is edited.
    TStubParser parser;
    TCustomSyntaxMemo first;
    TCustomSyntaxMemo second;
    first.SetParser(1, &parser);
    second.SetParser(1, &parser);
    second.SetText("ab cd");
    bool edited = false;
    parser.OnRead = [&](int) {
        if (parser.Busy() && !edited) {
            edited = true;
            second.SetSelection(0, 0, true);
            second.ReplaceSelection("/*");
        }
    };
    first.SetText("x [12] y");
    ASSERT_TRUE(edited);
    parser.OnRead = nullptr;
    EXPECT_EQ(Tokens(first), FullPass("x [12] y"));
    EXPECT_EQ(Tokens(second), "0000000") << "the second run waits for the first";
    EXPECT_TRUE(pumpUntil([&] { return Tokens(second) == FullPass("/*ab cd"); }));
}

// A run that would write many lines writes a slice of them and goes on from the event loop; edits
// and other runs between the slices end as a full pass over the final text would.
TEST(HighlightDriver, ALongRunGoesOnInSlicesAndEndsAsAFullPass)
{
    constexpr int Slice = 20;
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += i % 7 == 0 ? "x \"q\" y\r" : "word [12] w\r";
    struct TCase {
        const char* Name;
        const char* Opening;
        // What happens after the first slice (null: nothing).
        std::function<void(THighlightedMemo&)> Between;
    };
    const TCase cases[] = {
        {"a comment, line by line", "/*", nullptr},
        {"a string, one token to the end", "\"", nullptr},
        {"typing before the line reached", "/*",
         [](THighlightedMemo& M) { M.Replace(M.Memo.LineIndex(8), M.Memo.LineIndex(8), "ab"); }},
        {"typing far behind it", "/*",
         [](THighlightedMemo& M) { M.Replace(M.Memo.LineIndex(200), M.Memo.LineIndex(200), "*/ \""); }},
        {"deleting the line reached", "\"",
         [](THighlightedMemo& M) { M.Replace(M.Memo.LineIndex(20), M.Memo.LineIndex(40), {}); }},
        {"closing it again", "/*", [](THighlightedMemo& M) { M.Replace(M.Memo.LineIndex(6), M.Memo.LineIndex(6), "*/"); }},
        {"another editor's run", "\"",
         [](THighlightedMemo&) { THighlightedMemo other("ab /* cd\r\"ef\r"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        THighlightedMemo memo;
        memo.Memo.HighlightSliceLines = Slice;
        memo.Memo.SetText(text);
        ASSERT_TRUE(pumpUntil([&] { return !memo.Memo.HighlightingPending(); }));
        ASSERT_EQ(Tokens(memo.Memo), FullPass(text));

        memo.Replace(memo.Memo.LineIndex(5), memo.Memo.LineIndex(5), c.Opening);
        EXPECT_EQ(memo.Memo.HighlightedLines(), Slice);
        EXPECT_TRUE(memo.Memo.HighlightingPending());
        if (c.Between)
            c.Between(memo);
        ASSERT_TRUE(pumpUntil([&] { return !memo.Memo.HighlightingPending(); }));
        EXPECT_EQ(Tokens(memo.Memo), FullPass(memo.Memo.TextStore().GetText(0, memo.Memo.TextLength())));
    }
}

// The exports and printing need every token now: their runs go to the end in one go.
TEST(HighlightDriver, ExportsAndPrintingRunToTheEndAtOnce)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "word [12] w\r";
    THighlightedMemo memo(text);
    memo.Memo.HighlightSliceLines = 10;
    memo.Replace(0, 0, "/*");
    ASSERT_TRUE(memo.Memo.HighlightingPending());
    memo.Memo.HighlightAll();
    EXPECT_EQ(Tokens(memo.Memo), FullPass("/*" + text));

    // Printing takes the run waiting between slices to its end first.
    memo.Replace(0, 2, {});
    ASSERT_TRUE(memo.Memo.HighlightingPending());
    memo.Memo.FinishHighlighting();
    EXPECT_EQ(Tokens(memo.Memo), FullPass(text));
}

} // namespace
