// The seven language parsers the build compiles and embeds: each loads under its component name
// with its filter name, highlights its language's constructs in the styles a reader expects, and
// keeps the tokenizer's promises over samples, system headers and random bytes.
#include "language_parsers_fixture.h"
#include "table_builder.h"

#include "editor/language/sm_settings.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <set>

namespace {

// A run of characters in one style.
using TSpan = std::pair<int, std::string>;

using LanguageParsers = TLanguageParsersTest;

// The text in runs of equal style, as a reader sees it on screen.
std::vector<TSpan> Spans(TSyntaxMemoParser& Parser, std::string_view Text)
{
    std::vector<TSpan> spans;
    for (const TTok& token : Tokenize(Parser, Text)) {
        const int style = Parser.Settings().GetTokenStyle(token.first);
        if (!spans.empty() && spans.back().first == style)
            spans.back().second += token.second;
        else
            spans.emplace_back(style, token.second);
    }
    return spans;
}

struct TSpanCase {
    const char* Parser;
    std::string Text;
    std::vector<TSpan> Expected;
};

// Styles shared by all languages.
enum { Text, Comment, Reserved, Identifier, String, Number, Symbol, Directive, Url, Mail };
// The languages' own.
enum { DocComment = 10, Builtin = 10, Tag = 10, Attribute, Value, Entity, Script, Style, Server };

TEST_F(LanguageParsers, LoadInTheMainWindowsOrderUnderTheirFilterNames)
{
    const std::vector<std::pair<QString, QString>> expected{{"parserHTML", "Web Documents"},
                                                            {"parserPlainText", "Text Documents"},
                                                            {"parserPascal", "Object Pascal Documents"},
                                                            {"parserANSIC", "ANSI C Documents"},
                                                            {"parserVB", "Visual Basic Documents"},
                                                            {"parserJava", "Java Documents"},
                                                            {"parserSQL", "PL/SQL Documents"}};
    ASSERT_EQ(parsers_.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        EXPECT_EQ(parsers_[i]->Name, expected[i].first);
        EXPECT_EQ(parsers_[i]->Owner(), &owner_);
        const TSM_Settings& settings = parsers_[i]->Settings();
        EXPECT_EQ(settings.Name, expected[i].second);
        EXPECT_EQ(settings.Options, DefaultOptions | OPT_LINE_NUMBERS);
        EXPECT_FALSE(settings.ExampleText.isEmpty());
        // Every style the example shows is one the options dialog lists.
        std::set<int> listed;
        for (int n = 1; n <= TSM_Settings::EditableStyleCount; ++n) {
            if (!settings.GetEditableStyle(n).Name.isEmpty())
                listed.insert(settings.GetEditableStyle(n).Style);
        }
        for (const TSpan& span : Spans(*parsers_[i], settings.ExampleText.toStdString()))
            EXPECT_TRUE(listed.count(span.first)) << "style " << span.first << " of " << span.second;
        // No token pops the state stack, so no text can empty it.
        for (const auto& transition : parsers_[i]->Transitions)
            EXPECT_TRUE(!transition || transition->StackOps == 0);
    }
}

TEST_F(LanguageParsers, EmbeddedImagesAreWhatCompilingTheScriptsGives)
{
    for (const TLanguageParserImage& image : LanguageParserImages) {
        SCOPED_TRACE(image.Resource);
        QFile embedded(QString::fromLatin1(image.Resource));
        ASSERT_TRUE(embedded.open(QIODevice::ReadOnly));
        TSyntaxMemoParser compiled;
        compiled.SetScript(QStringLiteral(HFTP_PARSER_SCRIPTS "/") + QFileInfo(embedded.fileName()).baseName() +
                           QStringLiteral(".syn"));
        compiled.CompileScriptFile();
        TMemoryStream written;
        compiled.WriteData(written);
        EXPECT_EQ(QByteArray(written.Memory(), qsizetype(written.Size())), embedded.readAll());
    }
}

TEST_F(LanguageParsers, HighlightEachLanguagesConstructs)
{
    const std::vector<TSpanCase> cases{
        // Object Pascal
        {"parserPascal", "'it''s'", {{String, "'it''s'"}}},
        {"parserPascal", "{$I x}", {{Directive, "{$I x}"}}},
        {"parserPascal", "{}{ c }(* } *)// e", {{Comment, "{}{ c }(* } *)// e"}}},
        {"parserPascal",
         "Begin x:=$FF+#13;",
         {{Reserved, "Begin"},
          {Text, " "},
          {Identifier, "x"},
          {Symbol, ":="},
          {Number, "$FF"},
          {Symbol, "+"},
          {String, "#13"},
          {Symbol, ";"}}},
        {"parserPascal", "beginx 2.5e3", {{Identifier, "beginx"}, {Text, " "}, {Number, "2.5e3"}}},
        {"parserPascal", "(*) x", {{Comment, "(*) x"}}},
        // ANSI C
        {"parserANSIC", "/* /* */ x", {{Comment, "/* /* */"}, {Text, " "}, {Identifier, "x"}}},
        {"parserANSIC", "\"a\\\"b\" c", {{String, "\"a\\\"b\""}, {Text, " "}, {Identifier, "c"}}},
        {"parserANSIC",
         "#include <x>\n  #define",
         {{Directive, "#include <x>"}, {Text, "\n  #"}, {Identifier, "define"}}},
        {"parserANSIC",
         "int Int 0x1Fu '\\'' // e",
         {{Reserved, "int"},
          {Text, " "},
          {Identifier, "Int"},
          {Text, " "},
          {Number, "0x1Fu"},
          {Text, " "},
          {String, "'\\''"},
          {Text, " "},
          {Comment, "// e"}}},
        {"parserANSIC", "a/b", {{Identifier, "a"}, {Symbol, "/"}, {Identifier, "b"}}},
        // Visual Basic
        {"parserVB",
         "Rem note\nx = 1 ' c",
         {{Comment, "Rem note"},
          {Text, "\n"},
          {Identifier, "x"},
          {Text, " "},
          {Symbol, "="},
          {Text, " "},
          {Number, "1"},
          {Text, " "},
          {Comment, "' c"}}},
        {"parserVB", "\"say \"\"hi\"\"\"", {{String, "\"say \"\"hi\"\"\""}}},
        {"parserVB", "\"a\\\" b", {{String, "\"a\\\""}, {Text, " "}, {Identifier, "b"}}},
        {"parserVB",
         "&HFF #1/2/2000# UCase(Dim)",
         {{Number, "&HFF"},
          {Text, " "},
          {Number, "#1/2/2000#"},
          {Text, " "},
          {Builtin, "UCase"},
          {Symbol, "("},
          {Reserved, "Dim"},
          {Symbol, ")"}}},
        {"parserVB", "Remark #If", {{Identifier, "Remark"}, {Text, " "}, {Directive, "#If"}}},
        // Java and JavaScript
        {"parserJava",
         "/** d */ /**/ /* c */",
         {{DocComment, "/** d */"}, {Text, " "}, {Comment, "/**/"}, {Text, " "}, {Comment, "/* c */"}}},
        {"parserJava",
         "final Final = 'a\\'' + \"b\"; // e",
         {{Reserved, "final"},
          {Text, " "},
          {Identifier, "Final"},
          {Text, " "},
          {Symbol, "="},
          {Text, " "},
          {String, "'a\\''"},
          {Text, " "},
          {Symbol, "+"},
          {Text, " "},
          {String, "\"b\""},
          {Symbol, ";"},
          {Text, " "},
          {Comment, "// e"}}},
        // PL/SQL
        {"parserSQL",
         "-- c\nSELECT 'it''s' FROM \"My Table\" where a<>1.5;",
         {{Comment, "-- c"},
          {Text, "\n"},
          {Reserved, "SELECT"},
          {Text, " "},
          {String, "'it''s'"},
          {Text, " "},
          {Reserved, "FROM"},
          {Text, " "},
          {Identifier, "\"My Table\""},
          {Text, " "},
          {Reserved, "where"},
          {Text, " "},
          {Identifier, "a"},
          {Symbol, "<>"},
          {Number, "1.5"},
          {Symbol, ";"}}},
        {"parserSQL",
         "a-b /* x\ny */",
         {{Identifier, "a"}, {Symbol, "-"}, {Identifier, "b"}, {Text, " "}, {Comment, "/* x\ny */"}}},
        // Plain text
        {"parserPlainText",
         "see http://x.org/a?b=1. mail me@x.org.",
         {{Text, "see "}, {Url, "http://x.org/a?b=1"}, {Text, ". mail "}, {Mail, "me@x.org"}, {Text, "."}}},
        {"parserPlainText",
         "WWW.example.com ftp://h/p www. x",
         {{Url, "WWW.example.com"}, {Text, " "}, {Url, "ftp://h/p"}, {Text, " www. x"}}},
        // Web documents
        {"parserHTML",
         "a &amp; &#160; & b &c d",
         {{Text, "a "}, {Entity, "&amp;"}, {Text, " "}, {Entity, "&#160;"}, {Text, " & b &c d"}}},
        {"parserHTML", "<!-- c\n<b> -->x", {{Comment, "<!-- c\n<b> -->"}, {Text, "x"}}},
        {"parserHTML",
         "<A HREF=\"x\" b=y c = 'z'>t < u",
         {{Tag, "<A "},
          {Attribute, "HREF"},
          {Tag, "="},
          {Value, "\"x\""},
          {Tag, " "},
          {Attribute, "b"},
          {Tag, "="},
          {Value, "y"},
          {Tag, " "},
          {Attribute, "c"},
          {Tag, " ="},
          {Value, " 'z'"},
          {Tag, ">"},
          {Text, "t < u"}}},
        {"parserHTML",
         "<script type=x>// c -->x\nvar y='s';</SCRIPT>z",
         {{Tag, "<script "},
          {Attribute, "type"},
          {Tag, "="},
          {Value, "x"},
          {Tag, ">"},
          {Comment, "// c -->"},
          {Script, "x\n"},
          {Reserved, "var"},
          {Script, " y="},
          {String, "'s'"},
          {Script, ";"},
          {Tag, "</SCRIPT>"},
          {Text, "z"}}},
        {"parserHTML",
         "<style>p { color: red; }</style>",
         {{Tag, "<style>"}, {Style, "p { color: red; }"}, {Tag, "</style>"}}},
        {"parserHTML", "<% x %><? y ?>", {{Server, "<% x %><? y ?>"}}},
    };
    for (const TSpanCase& c : cases) {
        SCOPED_TRACE(std::string(c.Parser) + ": " + c.Text);
        EXPECT_EQ(Spans(Parser(c.Parser), c.Text), c.Expected);
    }
}

} // namespace
