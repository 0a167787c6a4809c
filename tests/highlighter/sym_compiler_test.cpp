// The script lexer and preprocessor: reserved words and their word boundary, macros, conditionals,
// includes, numbers, string literals and their escapes, stray characters, and where errors are
// reported; the predefined symbols against their published lists.
#include "script_lexer.h"

#include "highlighter/script_symbols.h"
#include "highlighter/word_store.h"

#include "support/qt_printers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <map>

namespace {

struct TLexCase {
    const char* Script;
    const char* Expected;
};

QString At(int Line, int Column, const QString& Message)
{
    return QStringLiteral("! ** ERROR near line %1, Column %2: %3").arg(Line).arg(Column).arg(Message);
}

TEST(ScriptLexer, TokensMacrosAndConditionals)
{
    const TLexCase cases[] = {
        // Reserved words ignore case and end at a word boundary.
        {"name NAME Name", "21 21 21 93"},
        {"name=", "21 25 93"},
        {"namex", "! ** ERROR near line 1, Column 6: Identifier \"namex\" Unknown"},
        {"%%handler %%HANDLERS %%kwtables InState", "26 26 75 63 93"},
        {"=()[],+-?|*", "25 35 36 40 41 37 38 39 42 67 72 93"},
        // Stray characters.
        {"#pragma once", "! ** ERROR near line 1, Column 2: Unknown character in input stream: #$23"},
        {"name \"x\"", "21 ! ** ERROR near line 1, Column 7: Unknown character in input stream: #$22"},
        {"name / 2", "21 ! ** ERROR near line 1, Column 7: Unknown character in input stream: #$2f"},
        // Comments and blanks; lines and columns count from 1.
        {"// note\r/* a\r b */ name\r\t  case", "21 22 93"},
        {"\r\r  @", "! ** ERROR near line 3, Column 4: Unknown character in input stream: #$40"},
        {"name /* never closed", "21 93"},
        // Numbers are decimal and wrap.
        {"clRed 007 4294967297", "91:255 91:7 91:1 93"},
        {"0x10", "91:0 ! ** ERROR near line 1, Column 5: Identifier \"x10\" Unknown"},
        // Macros, also of reserved words.
        {"#define name case\rname", "22 93"},
        {"#define A b\r#define B a\rname A", "21 ! ** ERROR near line 3, Column 9: Recursive expansion of macro 'a'"},
        {"ver200", "! ** ERROR near line 1, Column 13: Recursive expansion of macro 'ver200'"},
        {"#define Foo foo\rFoo", "! ** ERROR near line 2, Column 4: Identifier \"Foo\" Unknown"},
        {"#define name case\r#define NAME Name\rname", "22 93"},
        {"#define e\r#ifdef e\rname\r#endif\re case", "21 22 93"},
        {"#define two   clRed  \rtwo", "91:255 93"},
        {"#define", "! ** ERROR near line 1, Column 8: Macro name expected"},
        {"#define 1", "! ** ERROR near line 1, Column 9: Macro name expected"},
        // Conditionals.
        {"#ifdef ver200\rname\r#else\rcase\r#endif", "21 93"},
        {"#ifndef ver200\rname\r#else\rcase\r#endif", "22 93"},
        {"#ifdef nothing\r#ifdef ver200\rname\r#else\rcase\r#endif\roptions #pragma 'x\r#else\rgutter\r#endif",
         "44 93"},
        {"#ifdef nothing\r#define foo 1\r#endif\r#ifdef foo\rname\r#endif\rcase", "22 93"},
        {"#ifdef\r", "! ** ERROR near line 2, Column 1: Macro name expected after #ifdef"},
        {"#ifdef nothing\rname", "93"},
        {"name\r#endif", "21 ! ** ERROR near line 2, Column 7: Script syntax error"},
        {"#else", "! ** ERROR near line 1, Column 6: Script syntax error"},
        {"#ifdef ver200\r#endif\r#endif", "! ** ERROR near line 3, Column 7: Script syntax error"},
        // Strings.
        {"'a\\nb' '\\x41' '\\101' 'it\\'s'", "92:a\rb 92:A 92:A 92:it's 93"},
        {"'ab\\\r   \\cd' '\r'", "92:abcd 92:\r 93"},
        {"'never closed", "92:never closed 93"},
        // One more quote after the closing one is consumed.
        {"'a''b'", "92:a ! ** ERROR near line 1, Column 6: Identifier \"b\" Unknown"},
    };
    for (const TLexCase& c : cases)
        EXPECT_EQ(Lex(c.Script), QString::fromUtf8(c.Expected)) << c.Script;
}

TEST(ScriptLexer, DirectiveWordsLongerThanTheirLimitAreUnknown)
{
    const QByteArray longWord(256, 'd');
    EXPECT_EQ(Lex("#" + longWord), At(1, 2, "Unknown character in input stream: #$23"));
    EXPECT_EQ(Lex("#" + QByteArray(255, 'd') + " name"),
              At(1, 2, "Unknown character in input stream: #$23"));
}

TEST(ScriptLexer, LinuxLineEndsCountAsLines)
{
    EXPECT_EQ(Lex("#define x case\nx\n\n  @"), "22 " + At(4, 4, "Unknown character in input stream: #$40"));
    EXPECT_EQ(Lex("'ab\\\n  cd'"), "92:abcd 93");
    EXPECT_EQ(Lex("name\r\n\r\n @"), "21 " + At(3, 3, "Unknown character in input stream: #$40"));
}

TEST(ScriptLexer, EscapesOfStringValues)
{
    const TLexCase cases[] = {
        {"'\\b\\t\\r\\n\\e\\s'", "92:\b\t\n\r\x1b  93"},
        {"'\\B\\T\\R\\N\\E\\S'", "92:\b\t\n\r\x1b  93"},
        {"'\\x4a\\X4A\\x' 'z'", "92:JJ 92:z 93"},
        {"'\\x141'", "92:A 93"},
        {"'\\0101' '\\\\' 'a\\'", "92:A 92:\\ 92:a' 93"},
        {"'ab\\0cd'", "92:ab 93"},
    };
    for (const TLexCase& c : cases)
        EXPECT_EQ(Lex(c.Script), QString::fromUtf8(c.Expected)) << c.Script;
}

TEST(ScriptLexer, Includes)
{
    TTempTree tree;
    tree.File("inc/case.inc", "case\r");
    tree.File("inc/bad.inc", "case\r  x");
    tree.File("inc/self.inc", "#include <self.inc>\r");
    tree.File("inc/macro.inc", "#define fromfile options\r");
    const QString folder = tree.Path("inc");
    const QByteArray quoted = "#include \"" + tree.Path("inc/case.inc").toUtf8() + "\"\rname";
    const TLexCase cases[] = {
        {"#include <case.inc>\rname", "22 21 93"},
        {"#include <case.inc> name", "22 21 93"},
        {"#include <macro.inc>\rfromfile", "23 93"},
        {"#include <bad.inc>\rname", "22 ! ** ERROR near line 2, Column 4: Identifier \"x\" Unknown"},
        {"#include <missing.inc>", "! ** ERROR near line 1, Column 23: Unable to open #include file <missing.inc>"},
        {"#include \"missing.inc\"", "! ** ERROR near line 1, Column 23: Unable to open #include file \"missing.inc\""},
        {"#include <case.inc\rname", "! ** ERROR near line 1, Column 19: #include filename missing terminating >"},
        {"#include \"case.inc", "! ** ERROR near line 1, Column 19: #include filename missing terminating \""},
        {"#include case.inc", "! ** ERROR near line 1, Column 10: #include filename not enclosed in \"...\" or <...>"},
        {"#include <>", "! ** ERROR near line 1, Column 12: Unable to open #include file <>"},
        {"#ifdef nothing\r#include <missing.inc>\r#endif name", "21 93"},
    };
    for (const TLexCase& c : cases) {
        const QString lexed = Lex(c.Script, folder);
        EXPECT_TRUE(lexed.startsWith(QString::fromUtf8(c.Expected))) << c.Script << " gave " << lexed.toStdString();
    }
    EXPECT_EQ(Lex(quoted, "/nowhere"), "22 21 93");
    // An include of itself; the name is the file's, lower-cased.
    EXPECT_TRUE(Lex("#include <self.inc>", folder).contains("Recursive expansion of macro '-file-: "));
    // Without a folder, a name in angle brackets stands as written.
    EXPECT_TRUE(Lex("#include <case.inc>").contains("Unable to open #include file <case.inc>"));
}

TEST(WordStore, StoresWordsWithoutCaseAndMatchesTheLongest)
{
    TWordStore store;
    store.AddToken("%%Handler", 26);
    store.AddToken("%%handlers", 26);
    store.AddToken("name", 21);
    store.AddToken("=", 25);
    store.AddToken("==", 99);
    store.AddString("Macro", "1");
    store.AddString("MACRO", "2");
    EXPECT_TRUE(store.Contains("NAME"));
    EXPECT_FALSE(store.Contains("nam"));
    EXPECT_FALSE(store.Contains(""));
    EXPECT_EQ(store.GetString("macro"), QByteArray("2"));
    EXPECT_EQ(store.GetString("name"), std::nullopt);

    const struct {
        const char* Text;
        int Token;
        int Length;
    } matches[] = {
        {"%%HANDLERS x", 26, 10}, {"%%handler x", 26, 9}, {"%%handlersx", -1, 0}, {"name=", 21, 4},
        {"names", -1, 0},         {"===", 99, 2},          {"nam", -1, 0},         {"", -1, 0},
    };
    for (const auto& m : matches) {
        const char* position = m.Text;
        EXPECT_EQ(store.MatchToken(position), m.Token) << m.Text;
        EXPECT_EQ(position - m.Text, m.Length) << m.Text;
    }
    store.Clear();
    EXPECT_FALSE(store.Contains("name"));
}

// The symbols as their lists publish them: "name" value pairs, one group per text.
const char* const PublishedSymbols[] = {
    R"("pt_DEFAULT" 0, "_use_" 1, "_discard_" 0, "__insensitive" 0, "__sensitive" 1, "_edge" 0,
       "_default_gutter" 34, "_DEFAULT_START_ANCHOR" 0, "__DEFAULT_OPTIONS" 67099632)",
    R"("__OPT_LINE_NUMBERS" 1 "__OPT_SYNTAX_HIGHLIGHT" 16 "__OPT_PRINT_WRAP" 32 "__OPT_PRINT_LINENOS" 64
       "__OPT_PRINT_FILENAME" 128 "__OPT_PRINT_DATE" 256 "__OPT_PRINT_PAGENOS" 512 "__OPT_WORDWRAP" 1024
       "__OPT_AUTOINDENT" 2048 "__OPT_TABCOLUMN" 4096 "__OPT_WRAP_OVERRIDE" 8192 "__WORD_SELECT" 16384
       "__OPT_SHOW_RIGHT_MARGIN" 32768 "__OPT_SHOW_RMARGIN" 32768 "__OPT_SHOW_GUTTER" 65536
       "__OPT_SHOW_WRAPCOLUMN" 131072 "__OPT_TITLE_AS_FILENAME" 262144 "__OPT_PROCESS_DROP_FILES" 524288
       "__OPT_BLOCK_CURSOR" 1048576 "__OPT_WRAP_GLYPH" 2097152 "__OPT_COLUMN_TRACK" 4194304
       "__OPT_USE_TAB" 8388608 "__OPT_SMART_FILL" 16777216 "__OPT_OLE_DRAG_SOURCE" 33554432
       "__OPT_SHOW_CONTROL_CHARS" 67108864 "__OPT_CARET_AFTER_EOL" 134217728)",
    R"("_PASCAL_CHAR" 0, "_WEB_CHAR" 1, "_ORIGINAL_CHAR" 2)",
    R"("__STD_IDENTIFIER" 10, "__STD_NUMBER_OR_FP" 11, "__STD_PASCALSTRING" 12, "__STD_C_STRING" 13,
       "__STD_C_CHAR" 14, "__STD_C_NUMBER_OR_FP_SIGNED" 15, "__STD_NUMBER" 16, "__STD_MAIL_URL" 17,
       "__STD_HTML_STRING" 18, "__STD_JS_LINE_COMMENT" 19, "__STD_C_STRING_SQ" 20)",
    R"("fsBold" 0, "fsItalic" 1, "fsUnderline" 2, "fsStrikeout" 3)",
    R"("clBlue" 16711680, "clAqua" 16776960, "clBlack" 0, "clDkGray" 8421504, "clFuchsia" 16711935,
       "clGray" 8421504, "clGreen" 32768, "clLime" 65280, "clLtGray" 12632256, "clMaroon" 128,
       "clNavy" 8388608, "clOlive" 32896, "clPurple" 8388736, "clRed" 255, "clSilver" 12632256,
       "clTeal" 8421376, "clWhite" 16777215, "clYellow" 65535)",
    R"("caLEFT" 0, "caRIGHT" 1, "caLINEHOME" 2, "caLINEEND" 3, "caUP" 4, "caDOWN" 5, "caPAGEUP" 6,
       "caPAGEDOWN" 7, "caWORDLEFT" 8, "caWORDRIGHT" 9, "caDOCSTART" 10, "caDOCEND" 11, "caCUT" 12,
       "caCOPY" 13, "caPASTE" 14, "caDELETE" 15, "caBACKSPACE" 16, "caBLOCKIND" 17, "caBLOCKUND" 18,
       "caINSTOGGLE" 19, "caSETBOOKMARK0" 20, "caSETBOOKMARK9" 29, "caGOTOBOOKMARK0" 30,
       "caGOTOBOOKMARK9" 39, "caDELETELINE" 40, "caUNDO" 41, "caREDO" 42, "caDELPREVWORD" 43,
       "caPRINTSEL" 44, "caDELNEXTWORD" 45)",
    R"("LEFT" 37, "RIGHT" 39, "UP" 38, "DOWN" 40, "PGUP" 33, "PGDN" 34, "HOME" 36, "END" 35, "DELETE" 46,
       "BACKSPACE" 8, "INSERT" 45, "F1" 112, "F12" 123, "None" 0)",
    R"("ANSI_CHARSET" 0, "DEFAULT_CHARSET" 1, "SYMBOL_CHARSET" 2, "SHIFTJIS_CHARSET" 128,
       "HANGEUL_CHARSET" 129, "GB2312_CHARSET" 134, "CHINESEBIG5_CHARSET" 136, "OEM_CHARSET" 255,
       "JOHAB_CHARSET" 130, "HEBREW_CHARSET" 177, "ARABIC_CHARSET" 178, "GREEK_CHARSET" 161,
       "TURKISH_CHARSET" 162, "THAI_CHARSET" 222, "EASTEUROPE_CHARSET" 238, "RUSSIAN_CHARSET" 204,
       "MAC_CHARSET" 77, "BALTIC_CHARSET" 186)",
};

TEST(ScriptLexer, PredefinedSymbolsAsPublished)
{
    std::map<QString, QString> defined;
    for (const TPredefinedSymbol& symbol : PredefinedSymbols())
        EXPECT_TRUE(defined.emplace(symbol.Name, symbol.Value).second) << symbol.Name;

    std::map<QString, QString> published{{"ver200", "ver200"}};
    const QRegularExpression pair(R"re("(\w+)" (\d+))re");
    for (const char* group : PublishedSymbols) {
        for (const QRegularExpressionMatch& m : pair.globalMatch(QString::fromUtf8(group)))
            published[m.captured(1)] = m.captured(2);
    }
    // The runs the lists give by their ends.
    for (int i = 1; i <= 8; ++i) {
        published[QStringLiteral("caSETBOOKMARK%1").arg(i)] = QString::number(20 + i);
        published[QStringLiteral("caGOTOBOOKMARK%1").arg(i)] = QString::number(30 + i);
    }
    for (int i = 2; i <= 11; ++i)
        published[QStringLiteral("F%1").arg(i)] = QString::number(111 + i);
    EXPECT_EQ(defined, published);

    // Each one is defined when a script starts, and reads as its number.
    for (const auto& [name, value] : published) {
        if (name != "ver200")
            EXPECT_EQ(Lex(name.toUtf8()), "91:" + value + " 93") << name.toStdString();
    }
}

} // namespace
