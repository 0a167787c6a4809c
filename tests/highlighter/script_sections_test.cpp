// The sections of a parser script: what each one writes into the parser's settings, keywords, key
// map, templates and tables, and the errors of their entries.
#include "script_compile.h"
#include "table_builder.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/language/sm_settings.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include "support/qt_printers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace {

const TSM_StateSet S0 = TSM_StateSet::Of({0});

class ScriptSections : public ::testing::Test {
protected:
    // Compiles Script and fails the test on an error.
    void Compile(const QByteArray& Script)
    {
        const QString error = CompileText(parser_, Script);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }
    // The message (without its frame) of compiling Script.
    QString Error(const QByteArray& Script) { return Bare(CompileText(parser_, Script)); }
    struct TErrorCase {
        QByteArray Script;
        const char* Message;
    };
    void ExpectErrors(std::initializer_list<TErrorCase> Cases)
    {
        for (const TErrorCase& c : Cases)
            EXPECT_EQ(Error(c.Script), c.Message) << c.Script.left(60).toStdString();
    }
    TSM_Settings& Settings() { return parser_.Settings(); }
    const TSM_CharGroup& Group(int ID) { return parser_.Keywords->Groups().GetGroup(ID); }

    TSyntaxMemoParser parser_;
};

TEST_F(ScriptSections, EmptyScriptLeavesResetTables)
{
    ASSERT_NO_FATAL_FAILURE(Compile("/* nothing */"));
    EXPECT_EQ(parser_.DefaultStates, S0);
    EXPECT_EQ(parser_.ContextStates[7], S0);
    EXPECT_TRUE(parser_.NoStateTables);
    EXPECT_EQ(Error("name = 'x'"), "Script syntax error");
    EXPECT_EQ(CompileText(parser_, "%%map 1 2 'x'"), "** ERROR near line 1, Column 14: Script syntax error");
}

TEST_F(ScriptSections, LanguageKeys)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%language\r"
            "name = 'Pascal Documents, with a name longer than thirty-five'\r"
            "case = __sensitive options = __OPT_LINE_NUMBERS or __OPT_USE_TAB\r"
            "exampletext = 'begin\\nend' wordwrapcolumn = 72 gutter = (10 + 20) - 2\r"
            "anchor = [1, 2] indentstep = 4 wrapoverride = '<>' startstate = 5\r"
            "seltextcolor = [*] clRed seltextback = [] clBlue rightmargin = 100\r"
            "fontname = 'Courier' fontsize = 12 fontcharset = GREEK_CHARSET\r"
            "tabcolumns = '5 9;13' tabdefault = 8 boundstates = 3\r"
            "guttercolor = [*] clGray margincolor = clYellow marginwidth = 6\r"
            "GutterFontName = 'Arial' GutterFontSize = 9 GutterFontColor = clNavy\r"
            "GutterFontStyle [fsBold, fsUnderline 9]\r"
            "%%language name = 'Again'"));
    const TSM_Settings& s = Settings();
    EXPECT_EQ(s.Name, "Again");
    EXPECT_TRUE(parser_.CaseSensitive);
    EXPECT_EQ(parser_.Keywords->CaseFlag, 1);
    EXPECT_EQ(s.Options, 1u | 8388608u);
    EXPECT_EQ(s.ExampleText, "begin\rend");
    EXPECT_EQ(s.WrapAtColumn, 72);
    EXPECT_EQ(s.Gutter, 28);
    EXPECT_EQ(parser_.AnchorStates, TSM_StateSet::Of({1, 2}));
    EXPECT_EQ(s.IndentStep, 4);
    EXPECT_EQ(s.WrapOverride, "<>");
    EXPECT_EQ(parser_.DefaultStates, TSM_StateSet::Of({0, 5}));
    EXPECT_EQ(s.SelTextColor, 255);
    EXPECT_EQ(s.DefaultSelTextColor, 1);
    EXPECT_EQ(s.SelTextBack, 16711680);
    EXPECT_EQ(s.DefaultSelTextBack, 0);
    EXPECT_EQ(s.RightMargin, 100);
    EXPECT_EQ(s.FontName, "Courier");
    EXPECT_EQ(s.FontSize, 12);
    EXPECT_EQ(s.FontCharSet, 161);
    EXPECT_EQ(s.TabColumns[0], 4);
    EXPECT_EQ(s.TabColumns[2], 12);
    EXPECT_EQ(s.TabColumns[3], -1);
    EXPECT_EQ(s.TabDefault, 8);
    EXPECT_EQ(parser_.BoundStates, TSM_StateSet::Of({3}));
    EXPECT_EQ(s.GutterColor, 8421504);
    EXPECT_EQ(s.DefaultGutterColor, 1);
    EXPECT_EQ(s.MarginColor, 65535);
    EXPECT_EQ(s.DefaultMarginColor, 0);
    EXPECT_EQ(s.Margin, 6);
    EXPECT_EQ(s.GutterFont().Name, "Arial");
    EXPECT_EQ(s.GutterFont().Size, 9);
    EXPECT_EQ(s.GutterFont().Color, 8388608);
    EXPECT_EQ(s.GutterFont().Style, 1 | 4);
    // Every context set is the start-state set at the end.
    EXPECT_EQ(parser_.ContextStates[200], TSM_StateSet::Of({0, 5}));

    ASSERT_NO_FATAL_FAILURE(Compile("%%language name = 'A name that is longer than thirty-five characters'"));
    EXPECT_EQ(s.Name, "A name that is longer than thirty-f");
    // Bytes above 127 stay the bytes they were when the settings are stored.
    ASSERT_NO_FATAL_FAILURE(Compile("%%language name = 'caf\xe9 \x8c'"));
    EXPECT_EQ(s.Name.toLatin1(), "caf\xe9 \x8c");
}

TEST_F(ScriptSections, LanguageValueErrors)
{
    ExpectErrors({
        {"%%language name 'x'", "'=' expected"},
        {"%%language name = 5", "String value expected"},
        {"%%language gutter = 'x'", "Expression expected"},
        {"%%language gutter = (1 + 2", "Expression expected"},
        {"%%language gutter = 1 + ", "Expression expected"},
        {"%%language anchor = [1 2", "']' expected"},
        {"%%language anchor = 256", "Range error, value outwith 0 .. 255"},
        {"%%language startstate = [1 300]", "Range error, value outwith 0 .. 255"},
        {"%%language fontcharset = 256", "Range error, value outwith 0 .. 255"},
        {"%%language tabdefault = 0", "Range error, value outwith 1 .. 2147483647"},
        {"%%language tabcolumns = '9 5'", "Tab columns must be in order and unique"},
        {"%%language seltextcolor = [* clRed", "']' expected"},
        {"%%language GutterFontStyle fsBold", "Bad font style specifier"},
        {"%%language GutterFontStyle [fsBold", "Bad font style specifier"},
        {"%%language editablestyles ('a' 1)", "',' expected"},
        {"%%language editablestyles 'a', 1", "'(' expected"},
        {"%%language editablestyles ('a', 256)", "Value must be 0..255"},
        {"%%language editablestyles ('a', 1", "')' expected"},
        {"%%language contextstates = (1 [2]), (1)", "Token value 1 re-specified in ContextState"},
    });
}

TEST_F(ScriptSections, StartStateAndIndentStep)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%language startstate = 5"));
    EXPECT_EQ(parser_.DefaultStates, TSM_StateSet::Of({0, 5}));
    ASSERT_NO_FATAL_FAILURE(Compile("%%language startstate = [5]"));
    EXPECT_EQ(parser_.DefaultStates, TSM_StateSet::Of({5}));
    ASSERT_NO_FATAL_FAILURE(Compile("%%language anchor = []"));
    EXPECT_EQ(parser_.AnchorStates, S0);

    // The value is kept before it is refused.
    EXPECT_EQ(CompileText(parser_, "%%language indentstep = 25"), "Range error, value outwith 0 .. 20");
    EXPECT_EQ(Settings().IndentStep, 25);
    EXPECT_EQ(parser_.ScriptLine, 0);
    EXPECT_EQ(parser_.ScriptColumn, 26);
}

TEST_F(ScriptSections, EditableStylesAppendUpToFifty)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%language editablestyles ('Comment', 1), ('A style name of more than 25', 2)\r"
            "editablestyles ('String', 255)"));
    EXPECT_EQ(Settings().GetEditableStyle(1), (TSM_EditableStyle{"Comment", 1}));
    EXPECT_EQ(Settings().GetEditableStyle(2), (TSM_EditableStyle{"A style name of more than", 2}));
    EXPECT_EQ(Settings().GetEditableStyle(3), (TSM_EditableStyle{"String", 255}));
    EXPECT_TRUE(Settings().GetEditableStyle(4).Name.isEmpty());

    QByteArray fifty = "%%language editablestyles ";
    for (int i = 1; i <= 50; ++i)
        fifty += QStringLiteral("('S%1', %1)%2").arg(i).arg(i < 50 ? ", " : "\r").toUtf8();
    ASSERT_NO_FATAL_FAILURE(Compile(fifty));
    EXPECT_EQ(Settings().GetEditableStyle(50).Name, "S50");
    EXPECT_EQ(Error(fifty.left(fifty.size() - 1) + ", ('S51', 51)"), "Too many editable styles");
    // Full before the first new entry.
    EXPECT_EQ(CompileText(parser_, fifty + "editablestyles ('x', 1)"),
              "** ERROR near line 2, Column 17: Too many editable styles");
}

TEST_F(ScriptSections, ContextStates)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%language startstate = [4] contextstates = (1, 2 [3 5]), (7)"));
    EXPECT_EQ(parser_.ContextStates[1], TSM_StateSet::Of({3, 5}));
    EXPECT_EQ(parser_.ContextStates[2], TSM_StateSet::Of({3, 5}));
    EXPECT_EQ(parser_.ContextStates[7], TSM_StateSet::Of({4}));
    EXPECT_EQ(parser_.ContextStates[8], TSM_StateSet::Of({4}));
}

TEST_F(ScriptSections, WordsAndKeywordTables)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%words\r"
            "'begin' '[^a-z0-9_]' 5 [0 1]\r"
            "'End\\x21' '' 6\r"
            "%%kwTables\r"
            "forstate [] endswith '[^a-z]' (70 is 'select', 'from', 71 is 'where')\r"
            "forstate [2, 3] endswith '' (72 is 'x\\n')\r"));
    ASSERT_EQ(parser_.Keywords->Words.size(), 2u);
    EXPECT_EQ(parser_.Keywords->Words[0].Word, "begin");
    EXPECT_EQ(parser_.Keywords->Words[0].Style->States, TSM_StateSet::Of({0, 1}));
    EXPECT_EQ(parser_.Keywords->Words[0].Style->Token, 5);
    EXPECT_FALSE(parser_.Keywords->Words[0].Style->Group.Contains('a'));
    EXPECT_TRUE(parser_.Keywords->Words[0].Style->Group.Contains(' '));
    EXPECT_EQ(parser_.Keywords->Words[1].Word, "End!");
    EXPECT_EQ(parser_.Transitions[5]->ValidIn, TSM_StateSet::Of({0, 1}));
    EXPECT_EQ(parser_.Transitions[6]->ValidIn, S0);

    const auto& tables = Settings().KeywordTables();
    ASSERT_TRUE(tables[0].has_value());
    EXPECT_EQ(tables[0]->States, S0);
    EXPECT_EQ(tables[0]->EndSpec, "[^a-z]");
    EXPECT_EQ(tables[0]->Words,
              (std::vector<TKeywordTableWord>{{"select", 70}, {"from", 70}, {"where", 71}}));
    ASSERT_TRUE(tables[1].has_value());
    EXPECT_EQ(tables[1]->States, TSM_StateSet::Of({2, 3}));
    EXPECT_EQ(tables[1]->Words, (std::vector<TKeywordTableWord>{{"x\\n", 72}}));

    const QByteArray longWord(256, 'w');
    ExpectErrors({
        {"%%words 'a' '' 1 'a' '' 2", "Duplicate entry in %word table"},
        {"%%words 'a' 'z-a' 1", "Duplicate entry in %word table"},
        {"%%words 'a' '' 256", "Duplicate entry in %word table"},
        {"%%words '" + longWord + "' '' 1", "Duplicate entry in %word table"},
        {"%%words 'a' 1", "String value expected"},
        {"%%kwTables forstate 1 endswith '' (1 is 'a')", "'[' expected"},
        {"%%kwTables forstate [1] '' (1 is 'a')", "Script syntax error"},
        {"%%kwTables forstate [1] endswith '' (1 'a')", "String value expected"},
    });
    // The keyword store's own refusal of a long word in a keyword table.
    EXPECT_TRUE(Error("%%kwTables forstate [1] endswith '' (1 is '" + longWord + "')").contains("255"));
}

TEST_F(ScriptSections, Handlers)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%handlers\r"
            "1 '[^\\n]' '\\n' 0\r"
            "2 '[a-z]' ? '*/' 1\r"
            "3 16\r"
            "4 match(7)\r"
            "5 match(8) ?\r"
            "6 1 match(9) 1\r"));
    const THandlerDefinition& h1 = *parser_.Handlers[1];
    EXPECT_FALSE(Group(h1.Body.SetID).Contains('\r'));
    EXPECT_EQ(h1.Body.Flag, 0);
    EXPECT_EQ(h1.End.SetCount, 1);
    EXPECT_TRUE(Group(h1.End.Sets[0]).Contains('\r'));
    EXPECT_EQ(h1.End.Flag, 0);
    const THandlerDefinition& h2 = *parser_.Handlers[2];
    EXPECT_EQ(h2.Body.Flag, 1);
    EXPECT_EQ(h2.End.SetCount, 2);
    EXPECT_TRUE(Group(h2.End.Sets[1]).Contains('/'));
    EXPECT_EQ(h2.End.Flag, 1);
    EXPECT_EQ(*parser_.Handlers[3], (THandlerDefinition{TTableBuilder::Scanner(16), {}}));
    EXPECT_EQ(*parser_.Handlers[4], (THandlerDefinition{TTableBuilder::Event(7), {}}));
    EXPECT_EQ(*parser_.Handlers[5], (THandlerDefinition{TTableBuilder::Event(8, true), {}}));
    EXPECT_EQ(*parser_.Handlers[6], (THandlerDefinition{TTableBuilder::Scanner(1), TTableBuilder::Event(9, true)}));
    EXPECT_TRUE(parser_.UsesEvents);

    ExpectErrors({
        {"%%handlers 1 16 1 17", "Duplicate entry in %handler table"},
        {"%%handlers 1 21", "Range error, value outwith 0 .. 20"},
        {"%%handlers 1 0 - 1", "Range error, value outwith 0 .. 20"},
        {"%%handlers 256 1", "Range error, value outwith 0 .. 255"},
        {"%%handlers 1 'ab'", "Single character specifier expected"},
        {"%%handlers 1 'z-a'", "Characters not in correct order for range specifier"},
        {"%%handlers 1 'a' 'abcde' 0", "Maximum of 4 character specifier allowed"},
        {"%%handlers 1 match 7", "'(' expected"},
    });
}

TEST_F(ScriptSections, Tokens)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%tokens\r"
            "1 '{' '[^}]' '}' 1\r"
            "2 __STD_IDENTIFIER 3 __STD_NUMBER [4]\r"
            "4 '/' '[^\\n]' ? 2 0\r"
            "5 '#' match(3)\r"
            "6 '@' '.' match(4) 1\r"
            "InState 7 (8 'x' '.' 'y' 0 9 '{' '.' '}' 1 [9])\r"
            "InState 8 (8 'x' '.' 'y' 0)\r"));
    const TTokenDefinition& brace = *parser_.StartTable['{'];
    EXPECT_EQ(brace.Token, 1);
    EXPECT_EQ(brace.States, S0);
    EXPECT_TRUE(Group(brace.Start.SetID).Contains('{'));
    EXPECT_FALSE(Group(brace.Body.SetID).Contains('}'));
    EXPECT_EQ(brace.End.SetCount, 1);
    EXPECT_EQ(brace.End.Flag, 1);

    // A standard scanner takes its start characters and reads nothing more.
    for (const char c : {'a', 'Z', '_'}) {
        ASSERT_TRUE(parser_.StartTable[std::uint8_t(c)]);
        EXPECT_EQ(parser_.StartTable[std::uint8_t(c)]->Start.ScannerNo, 10);
        EXPECT_EQ(parser_.StartTable[std::uint8_t(c)]->Token, 2);
    }
    EXPECT_FALSE(parser_.StartTable['.']);
    const TTokenDefinition& digits = *parser_.StartTable['5'];
    EXPECT_EQ(digits.Token, 3);
    EXPECT_EQ(digits.States, TSM_StateSet::Of({0, 4}));

    const TTokenDefinition& slash = *parser_.StartTable['/'];
    EXPECT_EQ(slash.Body.Flag, 1);
    EXPECT_EQ(slash.End, TTableBuilder::Scanner(2));
    EXPECT_EQ(parser_.StartTable['#']->Body, TTableBuilder::Event(3));
    EXPECT_EQ(parser_.StartTable['#']->End, TTokenRule{});
    EXPECT_EQ(parser_.StartTable['@']->End, TTableBuilder::Event(4, true));

    // State blocks: the same start in two blocks, valid in their own state.
    ASSERT_TRUE(parser_.StateStartTables[7]);
    EXPECT_EQ(parser_.StateStartTables[7]->Entries['x']->States, TSM_StateSet::Of({7}));
    EXPECT_EQ(parser_.StateStartTables[7]->Entries['{']->States, TSM_StateSet::Of({7, 9}));
    EXPECT_EQ(parser_.StateStartTables[8]->Entries['x']->States, TSM_StateSet::Of({8}));
    EXPECT_EQ(parser_.StateTableStates, TSM_StateSet::Of({7, 8}));
    EXPECT_FALSE(parser_.NoStateTables);

    // Token records: made with the first valid states, widened by later ones.
    EXPECT_EQ(parser_.Transitions[8]->ValidIn, TSM_StateSet::Of({7, 8}));
    EXPECT_EQ(parser_.Transitions[9]->ValidIn, TSM_StateSet::Of({7, 9}));
    EXPECT_EQ(parser_.Transitions[3]->ValidIn, TSM_StateSet::Of({0, 4}));

    ExpectErrors({
        {"%%tokens 1 'a' 'b' 'c' 0 2 '[a-c]' 'b' 'c' 0", "Ambigious start set in %token table"},
        {"%%tokens 1 10 2 10", "Ambigious start set in %token table"},
        {"%%tokens InState 3 (1 'a' 'b' 'c' 0 2 'a' 'b' 'c' 0)", "Ambigious start set in %token table"},
        {"%%tokens 1 21", "Script syntax error"},
        {"%%tokens 1 9", "Script syntax error"},
        {"%%tokens 1 'a' 14 'c' 0", "Range error, value outwith 0 .. 13"},
        {"%%tokens 1 'a' 'b' 14 0", "Range error, value outwith 0 .. 13"},
        {"%%tokens 1 'a' 'b' 'c' 0 [256]", "Range error, value outwith 0 .. 255"},
        {"%%tokens InState 3 1 'a' 'b' 'c' 0", "'(' expected"},
        {"%%tokens 1 'a' 'b' 'c'", "Expression expected"},
    });
}

TEST_F(ScriptSections, MapAndEffects)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%map 1 2 (3) 4\r"
            "%%effects\r"
            "0 [] clBlack clWhite\r"
            "0 [fsItalic] clRed clWhite\r"
            "2 [fsBold fsStrikeout] clNavy * clSilver 'HotSpot'\r"
            "4 [] clGreen clYellow *\r"));
    EXPECT_EQ(Settings().GetTokenStyle(1), 2);
    EXPECT_EQ(Settings().GetTokenStyle(3), 4);
    EXPECT_EQ(Settings().GetStyleEffects(0).FontStyles, 2u);
    const TSM_StyleEffect& two = Settings().GetStyleEffects(2);
    EXPECT_EQ(two, (TSM_StyleEffect{1 | 8, 8388608, 12632256, 1, 0, 1, 0, 1}));
    EXPECT_EQ(Settings().GetStyleEffects(4), (TSM_StyleEffect{0, 32768, 65535, 0, 1, 0, 0, 1}));

    EXPECT_EQ(Error("%%effects 3 [] 0 0 3 [] 0 0"), "Duplicate %effect entry");
    EXPECT_EQ(Error("%%effects 3 [] 0 0 'cold'"), "Script syntax error");
    EXPECT_EQ(Error("%%effects 3 fsBold 0 0"), "Bad font style specifier");
    EXPECT_EQ(Error("%%map 1 256"), "Range error, value outwith 0 .. 255");
}

TEST_F(ScriptSections, StatesAndContainers)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%states\r"
            "1 push (+1 +[2 3] -4)\r"
            "2 (-1) pop\r"
            "3 (+5) push\r"
            "4 pop ()\r"
            "%%containers 5 (+6 -0)\r"));
    const TStateTransition& one = *parser_.Transitions[1];
    EXPECT_EQ(one.AddStates, TSM_StateSet::Of({1, 2, 3}));
    EXPECT_EQ(one.RemoveStates, TSM_StateSet::Of({4}));
    EXPECT_EQ(one.StackOps, TStateTransition::PushBefore);
    EXPECT_EQ(one.NoChange, 0);
    EXPECT_EQ(one.ValidIn, S0);
    const TStateTransition& two = *parser_.Transitions[2];
    EXPECT_TRUE(two.RemoveStates.IsEmpty());
    EXPECT_EQ(two.NoChange, 1);
    EXPECT_EQ(two.StackOps, TStateTransition::PopAfter);
    EXPECT_EQ(parser_.Transitions[3]->StackOps, TStateTransition::PushAfter);
    EXPECT_EQ(parser_.Transitions[4]->StackOps, TStateTransition::PopBefore);
    EXPECT_EQ(parser_.Transitions[4]->NoChange, 1);
    const TStateTransition& five = *parser_.Transitions[5];
    EXPECT_EQ(five.IsContainer, 1);
    EXPECT_EQ(five.AddStates, TSM_StateSet::Of({6}));
    EXPECT_EQ(five.RemoveStates, S0);

    // A single state is one item: a sign after it starts the next.
    ASSERT_NO_FATAL_FAILURE(Compile("%%states 1 (+1 +2 -(1 + 2) -4)"));
    EXPECT_EQ(parser_.Transitions[1]->AddStates, TSM_StateSet::Of({1, 2}));
    EXPECT_EQ(parser_.Transitions[1]->RemoveStates, TSM_StateSet::Of({3, 4}));

    EXPECT_EQ(Error("%%states 1 +1"), "'(' expected");
    EXPECT_EQ(Error("%%states 1 (+'x')"), "Expression expected");
    EXPECT_EQ(Error("%%states 1 (+1"), "')' expected");
    EXPECT_EQ(Error("%%containers 1 (+256)"), "Range error, value outwith 0 .. 255");
}

TEST_F(ScriptSections, KeysAutoReplaceAndTemplates)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%keys\r"
            "caCUT ([ctrl] 'x')\r"
            "%%keys\r"
            "caCOPY ([ctrl] 'c' | [ctrl, shift] INSERT | [ctrl] 'k', 'c') 'Copy it'\r"
            "caUNDO ('a')\r"
            "%%autoreplace\r"
            "'teh' = 'the' actionkeys = ';\\{Space}'\r"
            "%%templates\r"
            "'IfB' ('if block') = 'if | then\\nend' hotkey = ([alt] 'j')\r"));
    const auto bindings = Settings().KeyController().Bindings();
    const std::vector<TKeyBinding> expected{
        {TShortCut(scCtrl | 'C'), 0, 13},
        {TShortCut(scCtrl | scShift | 45), 0, 13},
        {'A', 0, 41},
        {TShortCut(scCtrl | 'K'), 'C', 13},
    };
    EXPECT_EQ(bindings, expected);
    EXPECT_EQ(Settings().KeyController().GetCommandName(13), "Copy it");

    ASSERT_EQ(Settings().AutoReplace().Macros().size(), 1u);
    EXPECT_EQ(Settings().AutoReplace().Macros()[0].Body, "the");
    EXPECT_EQ(Settings().AutoReplace().ActivationKeys(), ";\\{Space}");
    ASSERT_EQ(Settings().CodeTemplates().Macros().size(), 1u);
    EXPECT_EQ(Settings().CodeTemplates().Macros()[0].Name, "ifb");
    EXPECT_EQ(Settings().CodeTemplates().Macros()[0].Description, "if block");
    EXPECT_EQ(Settings().CodeTemplates().Macros()[0].Body, "if | then\rend");
    EXPECT_EQ(Settings().CodeTemplates().TriggerKey, scAlt | 'J');

    ExpectErrors({
        {"%%keys caCUT ('ab')", "Single character specifier expected"},
        {"%%keys caCUT ([ctrl] [shift])", "Key specification required"},
        {"%%keys caCUT ([ctrl 'x')", "']' expected"},
        {"%%keys caCUT ('x') ''", "Key function name cannot be blank"},
        {"%%keys caCUT (256)", "Range error, value outwith 0 .. 255"},
        {"%%autoreplace 'a' 'b'", "'=' expected"},
        {"%%templates 'a' ('b' = 'c'", "')' expected"},
        {"%%templates hotkey = 'j'", "'(' expected"},
    });
}

TEST_F(ScriptSections, TextsKeptInShortStringsAreCut)
{
    const QByteArray name(300, 'n');
    ASSERT_NO_FATAL_FAILURE(Compile("%%keys caCUT ('x') '" + name + "'\r"
                                    "%%autoreplace actionkeys = '" + QByteArray(300, ';') + "'"));
    EXPECT_EQ(Settings().KeyController().GetCommandName(12).size(), 255);
    EXPECT_EQ(Settings().AutoReplace().ActivationKeys().size(), 255);
    // The tables can be stored.
    TMemoryStream stream;
    EXPECT_NO_THROW(parser_.WriteData(stream));
}

TEST_F(ScriptSections, ScriptFileWithIncludesBesideIt)
{
    TTempTree tree;
    tree.File("lang/names.inc", "#define langname 'From the include'\r");
    tree.File("lang/script.syn", "#include <names.inc>\r%%language name = langname\r");
    tree.File("lang/broken.syn", "%%language\r name = 'x'\r  case = 'y'");

    // Nothing happens while Loaded runs without AutoScriptUpdate, or for a missing file.
    parser_.SetScript(tree.Path("lang/script.syn"));
    parser_.Loaded();
    EXPECT_EQ(Settings().Name, "<Custom language>");
    parser_.AutoScriptUpdate = true;
    parser_.Loaded();
    EXPECT_EQ(Settings().Name, "From the include");
    parser_.SetScript(tree.Path("lang/none.syn"));
    parser_.CompileScriptFile();
    EXPECT_EQ(Settings().Name, "From the include");

    parser_.SetScript(tree.Path("lang/broken.syn"));
    try {
        parser_.CompileScriptFile();
        ADD_FAILURE() << "no error";
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, "** ERROR near line 3, Column 13: Expression expected");
    }
    EXPECT_EQ(parser_.ScriptLine, 2);
    EXPECT_EQ(parser_.ScriptColumn, 12);
    EXPECT_EQ(Settings().Name, "x");
}

TEST_F(ScriptSections, CompiledTablesTokenize)
{
    ASSERT_NO_FATAL_FAILURE(Compile("%%language case = __insensitive\r"
            "%%words 'begin' '[^a-z]' 1 'end' '[^a-z]' 1\r"
            "%%handlers 1 '[a-z]' ? '[^a-z]' 0\r"
            "%%tokens\r"
            "2 '{' '[^}]' '}' 1\r"
            "3 __STD_NUMBER_OR_FP\r"
            "4 __STD_PASCALSTRING\r"
            "5 '<' '[^>]' '>' 1\r"
            "InState 1 (6 '[a-z]' '[a-z]' '[^a-z]' 0)\r"
            "%%states 5 (+1 -0)\r"));
    const std::vector<TTok> expected{{1, "BEGIN"}, {0, " "}, {2, "{x}"}, {0, " "}, {3, "12.5"}, {0, " "},
                                     {4, "'it''s'"}, {0, " "}, {5, "<a>"}, {0, " "}, {6, "ab"}};
    EXPECT_EQ(Tokenize(parser_, "BEGIN {x} 12.5 'it''s' <a> ab"), expected);
}

} // namespace
