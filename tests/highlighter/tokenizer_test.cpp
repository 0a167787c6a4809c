// The tokenizer's state machine on hand-built tables: keywords and their valid states, handlers,
// start tables, end rules, containers, the state stack, the custom-parse event and the guards
// that keep every token at least one character long.
#include "sample_parser.h"
#include "table_builder.h"

#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"
#include "editor/language/sm_settings.h"
#include "editor/document/stack.h"

#include "support/qt_printers.h"
#include "support/random_cases.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const TSM_StateSet S0 = TSM_StateSet::Of({0});
const TSM_StateSet S1 = TSM_StateSet::Of({1});
const TSM_StateSet S2 = TSM_StateSet::Of({2});

// Reads the tokens of Text one by one, noting the current states after each.
struct TStatesRun {
    std::vector<TTok> Tokens;
    std::vector<TSM_StateSet> States;
};

TStatesRun RunWithStates(TSyntaxMemoParser& Parser, std::string_view Text)
{
    TMemoCore memo;
    memo.SetText(Text);
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    Parser.ResetState(0);
    TStatesRun run;
    while (!stream.EndOfText()) {
        const int start = stream.GetPosition();
        int length = 0;
        const int token = Parser.NextToken(nullptr, stream, length);
        run.Tokens.emplace_back(token, std::string(Text.substr(std::size_t(start), std::size_t(length))));
        run.States.push_back(Parser.CurrentStates());
    }
    return run;
}

class Tokenizer : public testing::Test {
protected:
    TSyntaxMemoParser parser;
    TTableBuilder b{parser};
};

TEST_F(Tokenizer, TextNoRuleClaimsIsTokenZeroCharacterByCharacter)
{
    b.Finish();
    EXPECT_EQ(Tokenize(parser, "ab\rc"), (std::vector<TTok>{{0, "a"}, {0, "b"}, {0, "\r"}, {0, "c"}}));
}

TEST_F(Tokenizer, KeywordOutsideItsValidStatesIsOneCharacterOfTokenZero)
{
    b.Word("if", 5, TSM_StateSet::Of({0, 1}));
    b.Transition(5).ValidIn = S1;
    b.Finish();
    parser.ContextStates[9] = S1;
    // The word matches in state 0, but its token is valid in state 1 only.
    EXPECT_EQ(Tokenize(parser, "if x"), (std::vector<TTok>{{0, "i"}, {0, "f"}, {0, " "}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "if x", 9), (std::vector<TTok>{{5, "if"}, {0, " "}, {0, "x"}}));
}

TEST_F(Tokenizer, EmptyContextEntryStartsInTheDefaultStates)
{
    b.Finish();
    parser.DefaultStates = TSM_StateSet::Of({3});
    parser.ContextStates[5] = TSM_StateSet();
    parser.ContextStates[6] = TSM_StateSet::Of({4});
    parser.ResetState(5);
    EXPECT_EQ(parser.CurrentStates(), TSM_StateSet::Of({3}));
    parser.ResetState(6);
    EXPECT_EQ(parser.CurrentStates(), TSM_StateSet::Of({4}));
}

TEST_F(Tokenizer, DefinitionsWithBodyAndEndRules)
{
    // { ... } consumes its end; # ... only looks at the line end; (* ... *) ends with two groups.
    b.Token(50, "{", b.Chars("[^}]"), b.End({"}"}));
    b.Token(51, "#", b.Chars("[^\\n]"), b.End({"\\n"}, false));
    b.Token(53, "(", b.Chars("[^]"), b.End({"*", ")"}));
    // A quoted word whose body refuses digits.
    b.Token(54, "\"", b.Chars("[a-z]"), b.End({"\""}));
    b.Finish();

    EXPECT_EQ(Tokenize(parser, "{ab}x"), (std::vector<TTok>{{50, "{ab}"}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "{a\rbc\r}x"), (std::vector<TTok>{{50, "{a\rbc\r}"}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "#ab\rx"), (std::vector<TTok>{{51, "#ab"}, {0, "\r"}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "(*a*)b"), (std::vector<TTok>{{53, "(*a*)"}, {0, "b"}}));
    // The end's first group without the rest is body text.
    EXPECT_EQ(Tokenize(parser, "(*a*b**)c"), (std::vector<TTok>{{53, "(*a*b**)"}, {0, "c"}}));
    EXPECT_EQ(Tokenize(parser, "\"ab\""), (std::vector<TTok>{{54, "\"ab\""}}));
    // A character the body refuses before the end: the first character alone, token 0.
    EXPECT_EQ(Tokenize(parser, "\"a1\"").front(), TTok(0, "\""));
    // Unterminated at the end of the text: the construct keeps its token.
    EXPECT_EQ(Tokenize(parser, "{abc"), (std::vector<TTok>{{50, "{abc"}}));
    EXPECT_EQ(Tokenize(parser, "(*a*"), (std::vector<TTok>{{53, "(*a*"}}));
    EXPECT_EQ(Tokenize(parser, "{"), (std::vector<TTok>{{50, "{"}}));
}

TEST_F(Tokenizer, EndFirstTestsTheEndBeforeTheFirstBodyCharacter)
{
    b.Token(52, "'", b.Chars("[^']"), b.End({"'"}));
    b.Token(55, "`", b.Chars("[^`]", true), b.End({"`"}));
    b.Finish();
    // Without end-first an empty quote is refused by the body; with it, it is a token.
    // (The second quote stands unterminated at the end of the text.)
    EXPECT_EQ(Tokenize(parser, "''"), (std::vector<TTok>{{0, "'"}, {52, "'"}}));
    EXPECT_EQ(Tokenize(parser, "'a'"), (std::vector<TTok>{{52, "'a'"}}));
    EXPECT_EQ(Tokenize(parser, "``"), (std::vector<TTok>{{55, "``"}}));
    EXPECT_EQ(Tokenize(parser, "`a`"), (std::vector<TTok>{{55, "`a`"}}));
}

TEST_F(Tokenizer, StandardScannerStartsAndTheirFailures)
{
    b.ScannerToken(60, 11, "0-9");  // numbers
    b.ScannerToken(61, 10, "a-z");  // identifiers
    b.ScannerToken(62, 17, "A-Z");  // mail addresses
    b.Finish();
    EXPECT_EQ(Tokenize(parser, "12.x"), (std::vector<TTok>{{60, "12"}, {0, "."}, {61, "x"}}));
    EXPECT_EQ(Tokenize(parser, "Jo@x.org."), (std::vector<TTok>{{62, "Jo@x.org"}, {0, "."}}));
    // The mail scanner fails without "@": the first character alone, token 0.
    EXPECT_EQ(Tokenize(parser, "Jo x"), (std::vector<TTok>{{0, "J"}, {61, "o"}, {0, " "}, {61, "x"}}));
}

TEST_F(Tokenizer, NoTokenIsEmpty)
{
    // The script-comment scanner takes nothing at "-->", and "-" starts it.
    b.ScannerToken(80, 19, "\\-");
    b.Finish();
    EXPECT_EQ(Tokenize(parser, "-->x"), (std::vector<TTok>{{0, "-"}, {80, "->x"}}));
}

TEST_F(Tokenizer, HandlersReadOnAfterTheirWord)
{
    b.Word("rem", 60, S0, "[^a-z]");
    b.Handler(60, b.Chars("[^\\n]"), b.End({"\\n"}, false));
    b.Word("num", 61);
    b.Handler(61, TTableBuilder::Scanner(16));
    b.Word("tag", 62);
    b.Handler(62, b.Chars("[a-z]"));
    b.Finish();

    EXPECT_EQ(Tokenize(parser, "rem a b\rx"), (std::vector<TTok>{{60, "rem a b"}, {0, "\r"}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "rem"), (std::vector<TTok>{{60, "rem"}}));
    // A standard scanner as body reads the rest; when it fails, the word is dropped.
    EXPECT_EQ(Tokenize(parser, "num42;"), (std::vector<TTok>{{61, "num42"}, {0, ";"}}));
    EXPECT_EQ(Tokenize(parser, "numx").front(), TTok(0, "n"));
    // Without an end rule the body takes one character.
    EXPECT_EQ(Tokenize(parser, "tagx;"), (std::vector<TTok>{{62, "tagx"}, {0, ";"}}));
}

TEST_F(Tokenizer, HandlerWithoutEndFirstTriesTheEndAfterARefusedCharacter)
{
    // Digits, ended by ";" which the body refuses.
    b.Word("n", 63);
    b.Handler(63, b.Chars("[0-9]"), b.End({";"}));
    b.Finish();
    EXPECT_EQ(Tokenize(parser, "n12;x"), (std::vector<TTok>{{63, "n12;"}, {0, "x"}}));
    EXPECT_EQ(Tokenize(parser, "n;"), (std::vector<TTok>{{63, "n;"}}));
    EXPECT_EQ(Tokenize(parser, "n1x").front(), TTok(0, "n"));
}

TEST_F(Tokenizer, CombinedKeywordsNeedNoValidStates)
{
    b.Word("from", 71);
    b.Transition(71).ValidIn = S2;
    b.Finish();
    parser.Settings().AddKeywordTable(S0, "[^a-z]", 0, {{"select", 70}});
    parser.Transitions[70] = std::make_unique<TStateTransition>();
    parser.Transitions[70]->ValidIn = S2;
    // Both tokens are valid only in state 2; the table's word stands anyway, the store's does not.
    EXPECT_EQ(Tokenize(parser, "SELECT from").front(), TTok(70, "SELECT"));
    EXPECT_EQ(Tokenize(parser, "from")[0], TTok(0, "f"));
}

TEST_F(Tokenizer, ContainerChangesExactlyOneFollowingToken)
{
    b.Single(10, "<");
    b.States(10, S1, S0, 0, true);
    b.Word("x", 20, S1); // a word in state 1 only
    b.Finish();

    const TStatesRun run = RunWithStates(parser, "<xx<x");
    EXPECT_EQ(run.Tokens, (std::vector<TTok>{{10, "<"}, {20, "x"}, {0, "x"}, {10, "<"}, {20, "x"}}));
    EXPECT_EQ(run.States, (std::vector<TSM_StateSet>{S1, S0, S0, S1, S0}));

    // Busy while the container's window is open.
    TMemoCore memo;
    memo.SetText("<xx");
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    parser.ResetState(0);
    int length = 0;
    parser.NextToken(nullptr, stream, length);
    EXPECT_TRUE(parser.ContainerPending());
    EXPECT_TRUE(parser.Busy());
    parser.NextToken(nullptr, stream, length);
    EXPECT_FALSE(parser.ContainerPending());
    EXPECT_FALSE(parser.Busy());
}

TEST_F(Tokenizer, StackOperationsBeforeAndAfterTheChange)
{
    using T = TStateTransition;
    b.Single(30, "(");
    b.States(30, S1, S0, T::PushBefore); // pushes {0}, then {1}
    b.Single(31, "\\[", S1);
    b.States(31, S2, {}, T::PushAfter); // {1,2}, then pushes it
    b.Single(32, "]", TSM_StateSet::Of({1, 2}));
    b.States(32, {}, S2, T::PopBefore); // pops {1,2}, then removes 2
    b.Single(33, ")", S1);
    b.States(33, {}, {}, T::PopAfter); // pops {0}
    b.Finish();

    const TStatesRun run = RunWithStates(parser, "([])");
    EXPECT_EQ(run.Tokens, (std::vector<TTok>{{30, "("}, {31, "["}, {32, "]"}, {33, ")"}}));
    EXPECT_EQ(run.States, (std::vector<TSM_StateSet>{S1, TSM_StateSet::Of({1, 2}), S1, S0}));

    // A pop on an empty stack: "Stack underflow", out of NextToken.
    parser.Transitions[33]->ValidIn = S0;
    TMemoCore memo;
    memo.SetText(")");
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    parser.ResetState(0);
    int length = 0;
    try {
        parser.NextToken(nullptr, stream, length);
        ADD_FAILURE() << "no exception";
    } catch (const EStackError& e) {
        EXPECT_EQ(e.Message, "Stack underflow");
    }
    EXPECT_FALSE(parser.Busy());
    // ResetState empties the stack.
    memo.SetText("(");
    parser.ResetState(0);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    parser.NextToken(nullptr, stream, length);
    EXPECT_NE(parser.StateStack->Top(), nullptr);
    parser.ResetState(0);
    EXPECT_EQ(parser.StateStack->Top(), nullptr);
}

TEST_F(Tokenizer, StartTableOfTheLowestCurrentStateWithOne)
{
    b.Single(40, "x");                           // the default table
    b.Single(41, "x", {}, 2);                    // state 2's table
    b.Single(42, "x", {}, 3);                    // state 3's table
    b.Single(43, ">");
    b.States(43, TSM_StateSet::Of({2, 3}), S0); // into states 2 and 3
    b.Finish();
    EXPECT_FALSE(parser.NoStateTables);
    EXPECT_EQ(Tokenize(parser, "x>x"), (std::vector<TTok>{{40, "x"}, {43, ">"}, {41, "x"}}));
}

TEST_F(Tokenizer, CustomParseEvent)
{
    // "@" followed by letters the program reads, giving token 91.
    b.Token(90, "@", TTableBuilder::Event(7), {});
    b.Word("q", 92);
    b.Handler(92, TTableBuilder::Event(8), b.End({";"}));
    b.Finish();
    parser.UsesEvents = true;
    EXPECT_TRUE(parser.CustomParseMissing());
    // Without a handler the event rule fails.
    EXPECT_EQ(Tokenize(parser, "@ab").front(), TTok(0, "@"));

    std::vector<int> ids;
    parser.OnCustomParse = [&](TObject* Sender, std::int32_t ParseID, TCustomEdStream& IStream,
                               std::int32_t& kLength, std::int32_t& kValue) {
        EXPECT_EQ(Sender, &parser);
        ids.push_back(ParseID);
        if (ParseID == 8)
            return true; // accepts without reading: the handler loop must still end
        while (!IStream.EndOfText() && IStream.CurrentChar() >= 'a' && IStream.CurrentChar() <= 'z') {
            IStream.Next();
            ++kLength;
        }
        kValue = 91;
        return true;
    };
    EXPECT_FALSE(parser.CustomParseMissing());
    EXPECT_EQ(Tokenize(parser, "@ab!"), (std::vector<TTok>{{91, "@ab"}, {0, "!"}}));
    EXPECT_EQ(Tokenize(parser, "q;x").front(), TTok(92, "q;"));
    EXPECT_EQ(Tokenize(parser, "qx").front(), TTok(92, "q"));
    EXPECT_EQ(ids.front(), 7);
    EXPECT_EQ(ids.back(), 8);
}

TEST_F(Tokenizer, RulesWithScannerNumbersOutsideTheTableFail)
{
    b.Token(1, "a", TTableBuilder::Scanner(99), {});
    b.ScannerToken(2, 5, "b"); // a start scanner must be 10..20
    b.Word("c", 3);
    b.Handler(3, TTableBuilder::Scanner(21));
    b.Token(4, "d", b.Chars("[a-z]"), TTableBuilder::Scanner(-1));
    b.Finish();
    EXPECT_EQ(Tokenize(parser, "abcdx!"),
              (std::vector<TTok>{{0, "a"}, {0, "b"}, {0, "c"}, {0, "d"}, {0, "x"}, {0, "!"}}));
}

TEST(TokenizerRandomText, EveryTokenTakesAtLeastOneCharacter)
{
    // Random texts from the characters the sample parser's rules look at, read from every context
    // token the sample gives; Tokenize checks each token's length against the stream's progress.
    TSyntaxMemoParser parser;
    BuildSampleParser(parser);
    parser.OnCustomParse = [](TObject*, std::int32_t, TCustomEdStream& IStream, std::int32_t& kLength,
                              std::int32_t&) {
        if (!IStream.EndOfText() && IStream.CurrentChar() != '\r') {
            IStream.Next();
            ++kLength;
        }
        return true;
    };
    const std::string alphabet = "beginremnumqwxy;'{}()*/<@.-12e SELECTfrom\r";
    std::mt19937 random(29);
    const int cases = randomCaseCount(200);
    for (int i = 0; i < cases; ++i) {
        std::string text(std::size_t(random() % 60 + 1), ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        for (const int context : {0, 5, 6}) {
            try {
                Tokenize(parser, text, context);
            } catch (const EStackError&) {
                // "end" pops what no "begin" pushed: the driver decides what to do with that.
            }
            if (HasFailure()) {
                ADD_FAILURE() << "text \"" << text << "\" from context " << context;
                return;
            }
        }
    }
}

TEST(TokenizerCase, LoCaseAndUpCaseTouchAsciiLettersOnly)
{
    EXPECT_EQ(TSyntaxMemoParser::LoCase('A'), 'a');
    EXPECT_EQ(TSyntaxMemoParser::LoCase('Z'), 'z');
    EXPECT_EQ(TSyntaxMemoParser::LoCase('a'), 'a');
    EXPECT_EQ(TSyntaxMemoParser::LoCase('@'), '@');
    EXPECT_EQ(TSyntaxMemoParser::LoCase(0xC0), 0xC0);
    EXPECT_EQ(TSyntaxMemoParser::UpCase('a'), 'A');
    EXPECT_EQ(TSyntaxMemoParser::UpCase('z'), 'Z');
    EXPECT_EQ(TSyntaxMemoParser::UpCase('{'), '{');
    EXPECT_EQ(TSyntaxMemoParser::UpCase(0xE0), 0xE0);
}

} // namespace
