// The language parsers in the editor: what the highlighting driver leaves after edits (comments
// opened and closed, a comment left open read in pieces, a script block typed into a web page,
// replacements and their undo, random edits of each language's sample) is what a fresh editor
// colours the same text with.
// HFTP_RANDOM_CASES sets the number of edit scripts per language (default 2).
#include "language_parsers_fixture.h"

#include "editor/custom_syntax_memo.h"
#include "editor/language/sm_settings.h"
#include "editor/search/search_text.h"

#include "support/pump.h"
#include "support/random_cases.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <random>
#include <stdexcept>

namespace {

// Styles shared by all languages, and the web page's own.
enum { Text, Comment, Reserved, Identifier, String, Number, Symbol, Directive };
enum { Tag = 10, Attribute, Value, Entity, Script, Style };

// A run of characters in one style.
using TSpan = std::pair<int, std::string>;

// The style of every character, as the editor shows them.
std::vector<int> Styles(TCustomSyntaxMemo& Memo, TSyntaxMemoParser& Parser)
{
    std::vector<std::uint8_t> bytes(std::size_t(Memo.TextLength()));
    Memo.GetTokenBytes(bytes, nullptr);
    std::vector<int> styles;
    for (const std::uint8_t token : bytes)
        styles.push_back(Parser.Settings().GetTokenStyle(token));
    return styles;
}

std::string AllText(TCustomSyntaxMemo& Memo)
{
    return Memo.TextStore().GetText(0, Memo.TextLength());
}

// The line's characters in runs of equal style.
std::vector<TSpan> LineSpans(TCustomSyntaxMemo& Memo, TSyntaxMemoParser& Parser, int Line)
{
    const std::vector<int> styles = Styles(Memo, Parser);
    const std::string text = AllText(Memo);
    const int start = Memo.LineIndex(Line);
    const int end = Line + 1 < Memo.LineCount() ? Memo.LineIndex(Line + 1) : Memo.TextLength();
    std::vector<TSpan> spans;
    for (int p = start; p < end; ++p) {
        const int style = styles[std::size_t(p)];
        if (spans.empty() || spans.back().first != style)
            spans.emplace_back(style, std::string());
        spans.back().second += text[std::size_t(p)];
    }
    return spans;
}

// A line of each language and how its block comments open and close.
struct TCommentCase {
    const char* Parser;
    std::string Line;
    std::string Open;
    std::string Close;
};

const std::vector<TCommentCase>& CommentCases()
{
    static const std::vector<TCommentCase> cases{{"parserHTML", "<b>bold</b> &lt;\r", "<!--", "-->"},
                                                 {"parserANSIC", "int x = 1; // c\r", "/*", "*/"},
                                                 {"parserPascal", "begin x := 'a' end;\r", "{", "}"},
                                                 {"parserPascal", "begin x := 'a' end;\r", "(*", "*)"},
                                                 {"parserJava", "final String s = \"x\";\r", "/*", "*/"},
                                                 {"parserSQL", "SELECT 'a' FROM t;\r", "/*", "*/"}};
    return cases;
}

class LanguageDriver : public TLanguageParsersTest {
protected:
    // A memo colouring with Parser.
    static std::unique_ptr<TCustomSyntaxMemo> Memo(TSyntaxMemoParser& Parser, std::string_view Text)
    {
        auto memo = std::make_unique<TCustomSyntaxMemo>();
        memo->SetParser(1, &Parser);
        memo->SetText(Text);
        return memo;
    }

    // The styles a fresh memo gives Text.
    static std::vector<int> FullPass(TSyntaxMemoParser& Parser, std::string_view Text)
    {
        return Styles(*Memo(Parser, Text), Parser);
    }

    static void Replace(TCustomSyntaxMemo& Memo, int Start, int End, std::string_view Text)
    {
        Memo.SetSelection(Start, End, true);
        Memo.ReplaceSelection(Text);
    }
};

TEST_F(LanguageDriver, AScriptBlockTypedIntoAPageColoursItsLinesAsScript)
{
    TSyntaxMemoParser& html = Parser("parserHTML");
    const std::string page = "<p class=\"a\">x &amp; y</p>\r"
                             "var n = 'if'; // note -->\r"
                             "<p>done</p>\r";
    auto memo = Memo(html, page);
    // Outside a script block the line is page text.
    EXPECT_EQ(LineSpans(*memo, html, 1), (std::vector<TSpan>{{Text, "var n = 'if'; // note -->\r"}}));

    Replace(*memo, 0, 0, "<script>\r");
    EXPECT_EQ(LineSpans(*memo, html, 0), (std::vector<TSpan>{{Tag, "<script>"}, {Script, "\r"}}));
    // The script runs on to the end of the page: its tags are script text now, and its line
    // comment ends with "-->".
    EXPECT_EQ(LineSpans(*memo, html, 1), (std::vector<TSpan>{{Script, "<p "},
                                                              {Reserved, "class"},
                                                              {Script, "="},
                                                              {String, "\"a\""},
                                                              {Script, ">x &amp; y</p>\r"}}));
    EXPECT_EQ(LineSpans(*memo, html, 2), (std::vector<TSpan>{{Reserved, "var"},
                                                              {Script, " n = "},
                                                              {String, "'if'"},
                                                              {Script, "; "},
                                                              {Comment, "// note -->"},
                                                              {Script, "\r"}}));
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));

    // Closing the block gives the page back its tags after it.
    Replace(*memo, memo->LineIndex(3), memo->LineIndex(3), "</script>\r");
    EXPECT_EQ(LineSpans(*memo, html, 4), (std::vector<TSpan>{{Tag, "<p>"}, {Text, "done"}, {Tag, "</p>"}, {Text, "\r"}}));
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));

    // Taking the opening tag away again leaves what a fresh editor shows of the text.
    Replace(*memo, 0, 9, {});
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));
}

TEST_F(LanguageDriver, AStyleTagOverSeveralLinesTurnedIntoAnotherTagEndsItsStyleSheet)
{
    // The attribute lines keep their tokens, but the tag no longer opens a style sheet.
    TSyntaxMemoParser& html = Parser("parserHTML");
    auto memo = Memo(html, "<style title=\"a\"\r\tmedia=screen\r\tlang=en\r>\rp { color: red; }\r</style>\rtext\r");
    Replace(*memo, 1, 6, "meta");
    EXPECT_EQ(LineSpans(*memo, html, 4), (std::vector<TSpan>{{Text, "p { color: red; }\r"}}));
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));
    memo->Undo();
    EXPECT_EQ(LineSpans(*memo, html, 4), (std::vector<TSpan>{{Style, "p { color: red; }\r"}}));
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));
}

TEST_F(LanguageDriver, ACommentOpenedAndClosedByEditsRecoloursTheLinesAfterIt)
{
    for (const TCommentCase& c : CommentCases()) {
        SCOPED_TRACE(std::string(c.Parser) + " " + c.Open);
        TSyntaxMemoParser& parser = Parser(c.Parser);
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += c.Line;
        const std::vector<int> before = FullPass(parser, text);
        auto memo = Memo(parser, text);
        const int line = int(c.Line.size());

        // Opened on the third line: every character from there on is comment.
        Replace(*memo, 2 * line, 2 * line, c.Open);
        const std::vector<int> opened = Styles(*memo, parser);
        EXPECT_TRUE(std::all_of(opened.begin() + 2 * line, opened.end(), [](int S) { return S == Comment; }));
        EXPECT_EQ(opened, FullPass(parser, AllText(*memo)));

        // Closed on the tenth: the lines after it are as they were.
        const int close = 9 * line + int(c.Open.size());
        Replace(*memo, close, close, c.Close);
        const std::vector<int> closed = Styles(*memo, parser);
        const std::size_t shift = c.Open.size() + c.Close.size();
        EXPECT_TRUE(std::equal(closed.begin() + 10 * line + int(shift), closed.end(), before.begin() + 10 * line));
        EXPECT_EQ(closed, FullPass(parser, AllText(*memo)));

        // The opening taken away: the comment's closing is plain text again, the rest as before.
        Replace(*memo, 2 * line, 2 * line + int(c.Open.size()), {});
        EXPECT_EQ(Styles(*memo, parser), FullPass(parser, AllText(*memo)));
        memo->Undo();
        memo->Undo();
        memo->Undo();
        EXPECT_EQ(AllText(*memo), text);
        EXPECT_EQ(Styles(*memo, parser), before);
    }
}

// A comment left open runs to the end of the text as one token: a run in slices reads it in
// pieces, and whatever happens between them the colours end as a full pass gives them.
TEST_F(LanguageDriver, ACommentLeftOpenIsReadInPiecesAndEndsAsAFullPass)
{
    struct TBetween {
        const char* Name;
        // What happens while the run waits after its first slice, given the line length.
        std::function<void(TCustomSyntaxMemo&, const TCommentCase&, int)> Edit;
    };
    const std::vector<TBetween> betweens{
        {"nothing", nullptr},
        {"typing inside the comment",
         [](TCustomSyntaxMemo& M, const TCommentCase&, int Line) { Replace(M, 3 * Line + 2, 3 * Line + 2, "ab"); }},
        {"closing it far below",
         [](TCustomSyntaxMemo& M, const TCommentCase& L, int Line) { Replace(M, 25 * Line + 3, 25 * Line + 3, L.Close); }},
        {"exporting: the rest at once", [](TCustomSyntaxMemo& M, const TCommentCase&, int) { M.FinishHighlighting(); }},
    };
    for (const TCommentCase& language : CommentCases()) {
        TSyntaxMemoParser& parser = Parser(language.Parser);
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += language.Line;
        const int line = int(language.Line.size());
        for (const TBetween& between : betweens) {
            for (const int piece : {1, 2, 3, 7, 40}) {
                SCOPED_TRACE(std::string(language.Parser) + " " + language.Open + ", " + between.Name + ", pieces of " +
                             std::to_string(piece));
                auto memo = Memo(parser, text);
                memo->HighlightSliceLines = 4;
                memo->HighlightPieceLength = piece;
                Replace(*memo, 2 * line, 2 * line, language.Open);
                ASSERT_TRUE(memo->HighlightingPending());
                // Pascal's "{" comment ends at the first "}" by its body's rule: it is read whole.
                EXPECT_EQ(parser.TokenPaused(), language.Open != "{");
                if (between.Edit)
                    between.Edit(*memo, language, line);
                ASSERT_TRUE(pumpUntil([&] { return !memo->HighlightingPending(); }));
                EXPECT_EQ(Styles(*memo, parser), FullPass(parser, AllText(*memo)));
            }
        }
    }
}

TEST_F(LanguageDriver, ReplacingEverywhereAndUndoingItKeepTheColoursUpToDate)
{
    TSyntaxMemoParser& html = Parser("parserHTML");
    std::string page;
    for (int i = 0; i < 50; ++i)
        page += "<tr><td>a &amp; b</td><td><a href=\"x\">y</a></td></tr>\r";
    auto memo = Memo(html, page);
    // A replacement that opens a comment in one place and closes it in the next.
    EXPECT_EQ(memo->ReplaceAll(memo->TextLength(), 0, foMatchCase, "<!--", "<td>"), 100);
    const std::string replaced = AllText(*memo);
    EXPECT_EQ(Styles(*memo, html), FullPass(html, replaced));
    EXPECT_EQ(memo->ReplaceAll(memo->TextLength(), 0, foMatchCase, "-->", "</a>"), 50);
    EXPECT_EQ(Styles(*memo, html), FullPass(html, AllText(*memo)));
    memo->Undo();
    EXPECT_EQ(AllText(*memo), replaced);
    EXPECT_EQ(Styles(*memo, html), FullPass(html, replaced));
    memo->Undo();
    EXPECT_EQ(AllText(*memo), page);
    EXPECT_EQ(Styles(*memo, html), FullPass(html, page));
    memo->Redo();
    EXPECT_EQ(AllText(*memo), replaced);
    EXPECT_EQ(Styles(*memo, html), FullPass(html, replaced));
}

QByteArray SampleText(const char* Name)
{
    QFile file(QStringLiteral(HFTP_TEST_SAMPLES "/") + QLatin1String(Name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(Name);
    return file.readAll();
}

TEST_F(LanguageDriver, RandomEditsOfEachLanguagesSampleEqualAFullPass)
{
    const std::vector<std::pair<const char*, std::string>> samples{
        {"parserHTML", SampleText("sample.html").toStdString()},
        {"parserPlainText", SampleText("sample.txt").toStdString()},
        {"parserPascal", SampleText("sample.pas").toStdString()},
        {"parserANSIC", "#include <stdio.h>\n/* block\n   comment */\nint main(void) {\n"
                        "  char c = '\\'';\n  printf(\"%d\\n\", 0x1F); // line\n  return 0;\n}\n"},
        {"parserVB", SampleText("sample.bas").toStdString()},
        {"parserJava", SampleText("Sample.java").toStdString()},
        {"parserSQL", SampleText("sample.sql").toStdString()}};
    const int scripts = randomCaseCount(2);
    for (const auto& entry : samples) {
        // A plain reference: clang 14 cannot capture structured bindings in lambdas.
        const std::string& sample = entry.second;
        TSyntaxMemoParser& parser = Parser(entry.first);
        for (int seed = 0; seed < scripts; ++seed) {
            std::mt19937 random{unsigned(seed)};
            const auto below = [&](int Limit) { return Limit <= 0 ? 0 : int(random() % unsigned(Limit)); };
            // Pieces of the sample itself, so that edits open and close the language's constructs.
            const auto piece = [&] {
                const int at = below(int(sample.size()));
                return sample.substr(std::size_t(at), std::size_t(below(12) + 1));
            };
            auto memo = Memo(parser, sample);
            for (int step = 0; step < 30; ++step) {
                const int length = memo->TextLength();
                const int at = below(length + 1);
                const int end = std::min(length, at + below(16));
                switch (below(5)) {
                case 0: Replace(*memo, at, at, piece()); break;
                case 1: Replace(*memo, at, end, {}); break;
                case 2: Replace(*memo, at, end, piece()); break;
                case 3: memo->Undo(); break;
                default: memo->Redo(); break;
                }
                const std::string text = AllText(*memo);
                const std::vector<int> styles = Styles(*memo, parser);
                const std::vector<int> full = FullPass(parser, text);
                const auto differs = std::mismatch(styles.begin(), styles.end(), full.begin());
                ASSERT_EQ(styles, full) << entry.first << " seed " << seed << " step " << step << ": style "
                                        << *differs.first << " instead of " << *differs.second << " at "
                                        << differs.first - styles.begin() << " in\n"
                                        << text;
            }
        }
    }
}

} // namespace
