// The section compiler's dispatch and its parsing services: tokens, numbers, expressions, state
// sets and star flags.
#include "highlighter/section_compiler.h"
#include "highlighter/script_symbols.h"
#include "highlighter/sym_compiler.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"

#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"

TSectionCompiler::TSectionCompiler(TSyntaxMemoParser& Parser, TSYM_Compiler& Lexer) : parser_(Parser), lexer_(Lexer)
{
}

TSM_Settings& TSectionCompiler::Settings() const
{
    return parser_.Settings();
}

void TSectionCompiler::Run()
{
    while (Token() != tkEndOfText) {
        switch (Token()) {
        case tkLanguageSection: Language(); break;
        case tkWordsSection: Words(); break;
        case tkHandlerSection: Handlers(); break;
        case tkTokensSection: Tokens(); break;
        case tkMapSection: Map(); break;
        case tkEffectsSection: Effects(); break;
        case tkStatesSection: States(); break;
        case tkContainersSection: Containers(); break;
        case tkKeysSection: Keys(); break;
        case tkAutoReplaceSection: AutoReplace(); break;
        case tkTemplatesSection: Templates(); break;
        case tkKwTablesSection: KwTables(); break;
        default: Fail(4103);
        }
    }
}

int TSectionCompiler::Token() const
{
    return lexer_.Token();
}

void TSectionCompiler::Advance()
{
    lexer_.NextToken();
}

void TSectionCompiler::Fail(int Message) const
{
    lexer_.Error(Format(LoadStr(Message)));
}

void TSectionCompiler::Check(int Token, int Message) const
{
    if (lexer_.Token() != Token)
        Fail(Message);
}

void TSectionCompiler::Expect(int Token, int Message)
{
    Check(Token, Message);
    Advance();
}

void TSectionCompiler::RangeCheck(std::int64_t Value, std::int64_t Low, std::int64_t High)
{
    if (Value < Low || Value > High)
        throw ESyntaxMemo(Format(LoadStr(4130), {Low, High}));
}

bool TSectionCompiler::StartsNumber(int Token)
{
    return Token == tkNumber || Token == tkOpenParen;
}

void TSectionCompiler::SkipComma()
{
    if (Token() == tkComma)
        Advance();
}

std::int32_t TSectionCompiler::Factor()
{
    if (Token() == tkOpenParen) {
        Advance();
        const std::int32_t value = Expression();
        Expect(tkCloseParen, 4098);
        return value;
    }
    Check(tkNumber, 4103);
    const std::int32_t value = lexer_.Number();
    Advance();
    return value;
}

std::int32_t TSectionCompiler::Expression()
{
    try {
        std::uint32_t value = std::uint32_t(Factor());
        for (;;) {
            if (Token() == tkPlus) {
                Advance();
                value += std::uint32_t(Factor());
            } else if (Token() == tkMinus) {
                Advance();
                value -= std::uint32_t(Factor());
            } else if (Token() == tkOr) {
                Advance();
                value |= std::uint32_t(Factor());
            } else {
                return std::int32_t(value);
            }
        }
    } catch (const ESYM_COMP_ERROR&) {
        Fail(4104);
    }
}

TSM_StateSet TSectionCompiler::StateList()
{
    if (Token() == tkOpenBracket)
        Advance();
    TSM_StateSet states;
    while (Token() != tkCloseBracket && Token() != tkEndOfText) {
        const std::int32_t state = Expression();
        RangeCheck(state, 0, 255);
        states.Include(state);
        SkipComma();
    }
    Expect(tkCloseBracket, 4101);
    return states;
}

TSM_StateSet TSectionCompiler::StatesOrSet(bool WithStateZero)
{
    if (Token() == tkOpenBracket)
        return StateList();
    const std::int32_t state = Expression();
    RangeCheck(state, 0, 255);
    TSM_StateSet states = TSM_StateSet::Of({state});
    if (WithStateZero)
        states.Include(0);
    return states;
}

bool TSectionCompiler::StarFlag()
{
    if (Token() != tkOpenBracket)
        return false;
    Advance();
    bool star = false;
    if (Token() == tkStar) {
        star = true;
        Advance();
    }
    Expect(tkCloseBracket, 4101);
    return star;
}

QByteArray TSectionCompiler::StringValue()
{
    Check(tkString, 4102);
    const QByteArray value = lexer_.GetStringValue();
    Advance();
    return value;
}

QByteArray TSectionCompiler::StringAsWritten()
{
    Check(tkString, 4102);
    const QByteArray text = lexer_.StringText();
    Advance();
    return text;
}

std::uint32_t TSectionCompiler::FontStyles()
{
    try {
        Expect(tkOpenBracket, 4100);
        std::uint32_t styles = 0;
        while (Token() != tkCloseBracket) {
            const std::uint32_t bit = std::uint32_t(Expression()) & 0xFF;
            if (bit < 8)
                styles |= 1u << bit;
            SkipComma();
        }
        Advance();
        return styles;
    } catch (const ESYM_COMP_ERROR&) {
        Fail(4115);
    }
}

TStateTransition& TSectionCompiler::TokenRecord(int Token, const TSM_StateSet& ValidIn)
{
    std::unique_ptr<TStateTransition>& record = parser_.Transitions[std::size_t(Token)];
    if (!record) {
        record = std::make_unique<TStateTransition>();
        record->ValidIn = ValidIn.IsEmpty() ? TSM_StateSet::Of({0}) : ValidIn;
    } else {
        record->ValidIn |= ValidIn;
    }
    return *record;
}
