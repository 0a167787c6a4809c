// TSectionCompiler: the second stage of the parser script compiler. It reads the lexer's tokens
// section by section and writes what they say into a parser: its settings, keywords, character
// groups, key map, templates and tables.
#pragma once

#include "editor/language/state_set.h"

#include <QByteArray>
#include <cstdint>

class TSYM_Compiler;
class TSyntaxMemoParser;
class TSM_CharGroup;
class TSM_Settings;
struct TStateTransition;
struct THandlerDefinition;
struct TTokenRule;

class TSectionCompiler {
public:
    // Compiles into Parser, whose tables the caller has reset, from the lexer's first token on.
    TSectionCompiler(TSyntaxMemoParser& Parser, TSYM_Compiler& Lexer);

    // Hands every section to its compiler until the end of the text; a token that opens no
    // section is a "Script syntax error".
    void Run();

    // --- parsing services, on the current token ---
    int Token() const;
    void Advance();
    // Raises the string table's text Message with line and column.
    [[noreturn]] void Fail(int Message) const;
    // Fails with Message unless the current token is Token; Expect then advances past it.
    void Check(int Token, int Message) const;
    void Expect(int Token, int Message);
    // Raises ESyntaxMemo "Range error, value outwith <Low> .. <High>" (no line or column) when
    // Value lies outside.
    static void RangeCheck(std::int64_t Value, std::int64_t Low, std::int64_t High);
    void SkipComma();
    // A number or an expression in brackets starts here.
    static bool StartsNumber(int Token);
    // A number or "(" expression ")".
    std::int32_t Factor();
    // Factors joined left to right by "+", "-" and "or"; any error on the way is an "Expression
    // expected".
    std::int32_t Expression();
    // ["["] states 0..255 (commas optional) "]".
    TSM_StateSet StateList();
    // "[" ["*"] "]": true when the star is written; false without the brackets.
    bool StarFlag();
    // The current string token's value, or as written; then advances. "String value expected"
    // when the token is no string.
    QByteArray StringValue();
    QByteArray StringAsWritten();

private:
    void Language();
    // A colour with its use-default flag: optional "[" "*" "]", then the colour.
    void ColorValue(std::int32_t& Color, std::uint8_t& UseDefault);
    void EditableStyles();
    void ContextStates();
    void Words();
    void KwTables();
    void Handlers();
    void Tokens();
    void TokenEntry(int InState);
    void Map();
    void Effects();
    void States();
    void Containers();
    void Keys();
    void AutoReplace();
    void Templates();

    // A state set, or a single state: alone, or with state 0 (Start).
    TSM_StateSet StatesOrSet(bool WithStateZero);
    // "[" font-style bit numbers "]"; any failure is a "Bad font style specifier".
    std::uint32_t FontStyles();
    // The second part of a handler or token definition; true for the "match" form. A plain number
    // names a scanner 0..MaxScanner.
    bool SecondPart(TTokenRule& Rule, int MaxScanner);
    // An end specifier string of up to four character specifiers.
    void EndSpecifiers(TTokenRule& Rule);
    // "match" "(" number ")".
    void MatchForm(TTokenRule& Rule);
    // The "+" and "-" items of a state transition, in brackets: each a state set or one state.
    void TransitionItems(TStateTransition& Record);
    // "[" modifiers "]" as shortcut bits; none without the bracket.
    std::uint16_t Modifiers();
    std::uint16_t Key();
    // The ID of the single character specifier Spec in the keyword store's group manager.
    std::uint16_t SingleGroup(const QByteArray& Spec, TSM_CharGroup& Group) const;
    // The token record of Token, made with ValidIn on first need (else ValidIn is added).
    TStateTransition& TokenRecord(int Token, const TSM_StateSet& ValidIn);
    TSM_Settings& Settings() const;

    TSyntaxMemoParser& parser_;
    TSYM_Compiler& lexer_;
};
