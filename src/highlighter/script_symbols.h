// The parser script language's vocabulary: the token numbers with their written forms, and the
// symbols every script starts with.
#pragma once

#include <cstdint>
#include <vector>

// Token numbers of the script lexer.
enum TScriptToken : int {
    tkLanguageSection = 20,
    tkName = 21,
    tkCase = 22,
    tkOptions = 23,
    tkWordsSection = 24,
    tkEquals = 25,
    tkHandlerSection = 26,
    tkTokensSection = 27,
    tkMapSection = 28,
    tkEffectsSection = 29,
    tkExampleText = 33,
    tkEditableStyles = 34,
    tkOpenParen = 35,
    tkCloseParen = 36,
    tkComma = 37,
    tkPlus = 38,
    tkMinus = 39,
    tkOpenBracket = 40,
    tkCloseBracket = 41,
    tkQuestion = 42,
    tkWordWrapColumn = 43,
    tkGutter = 44,
    tkAnchor = 45,
    tkStatesSection = 46,
    tkIndentStep = 47,
    tkWrapOverride = 48,
    tkContainersSection = 49,
    tkKeysSection = 50,
    tkShift = 51,
    tkCtrl = 52,
    tkAlt = 53,
    tkStartState = 54,
    tkSelTextColor = 55,
    tkSelTextBack = 56,
    tkRightMargin = 57,
    tkFontName = 58,
    tkFontSize = 59,
    tkTabColumns = 60,
    tkTabDefault = 61,
    tkContextStates = 62,
    tkInState = 63,
    tkBoundStates = 64,
    tkGutterColor = 65,
    tkMatch = 66,
    tkBar = 67,
    tkAutoReplaceSection = 68,
    tkTemplatesSection = 69,
    tkMarginColor = 70,
    tkMarginWidth = 71,
    tkStar = 72,
    tkActionKeys = 73,
    tkHotKey = 74,
    tkKwTablesSection = 75,
    tkForState = 76,
    tkEndsWith = 77,
    tkIs = 78,
    tkPush = 79,
    tkPop = 80,
    tkOr = 81,
    tkFontCharSet = 82,
    tkIdentifier = 90,
    tkNumber = 91,
    tkString = 92,
    tkEndOfText = 93,
    tkStrayChar = 94,
    tkGutterFontName = 95,
    tkGutterFontSize = 96,
    tkGutterFontColor = 97,
    tkGutterFontStyle = 98,
};

struct TScriptWord {
    const char* Text;
    int Token;
};

// Every written form of a reserved word or punctuation ("%%handler" and "%%handlers" both give 26).
const std::vector<TScriptWord>& ScriptReservedWords();

struct TPredefinedSymbol {
    const char* Name;
    const char* Value; // the replacement text
};

// The macros a script starts with, in the order they are defined: general values, option bits,
// character schemes, standard scanners, font styles, colours, editor commands, key names and
// character sets.
const std::vector<TPredefinedSymbol>& PredefinedSymbols();
