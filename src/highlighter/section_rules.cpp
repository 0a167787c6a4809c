// The sections that make the parser's token rules: %%words, %%kwTables, %%handlers and %%tokens,
// with their character specifiers, second parts and end parts.
#include "highlighter/section_compiler.h"
#include "highlighter/script_symbols.h"
#include "highlighter/standard_scanners.h"
#include "highlighter/sym_compiler.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"

namespace {

// Scanner numbers a plain number may give: every entry of the scanner table for a handler's body
// (10..20 there are the standard scanners), the entries 0..13 for the other rules.
constexpr int MaxHandlerBodyScanner = LastStandardScanner;
constexpr int MaxScannerEntry = ScannerCount - 1;
constexpr int MaxEndSpecifiers = 4;

// Adds the characters a standard scanner's token starts with.
void AddScannerStart(TSM_CharGroup& group, int Number)
{
    const auto letters = [&group] {
        group.AddRange('a', 'z');
        group.AddRange('A', 'Z');
    };
    switch (Number) {
    case 10: letters(); group.AddChar('_'); break;
    case 11: group.AddChar('.'); group.AddRange('0', '9'); break;
    case 12: case 14: case 20: group.AddChar('\''); break;
    case 13: case 18: group.AddChar('"'); break;
    case 15: group.AddChar('+'); group.AddChar('-'); group.AddChar('.'); group.AddRange('0', '9'); break;
    case 16: group.AddRange('0', '9'); break;
    case 17: letters(); group.AddRange('0', '9'); break;
    case 19: group.AddChar('/'); break;
    }
}

} // namespace

std::uint16_t TSectionCompiler::SingleGroup(const QByteArray& Spec, TSM_CharGroup& Group) const
{
    int position = 1;
    try {
        Group.Parse(Spec, position);
    } catch (const Exception& e) {
        lexer_.Error(e.Message);
    }
    if (position <= Spec.size())
        Fail(4109);
    return std::uint16_t(parser_.Keywords->Groups().AddGroup(Group));
}

void TSectionCompiler::Words()
{
    Advance();
    while (Token() == tkString) {
        const QByteArray word = StringValue();
        const QByteArray spec = StringAsWritten();
        const std::int32_t token = Expression();
        TSM_StateSet states = TSM_StateSet::Of({0});
        if (Token() == tkOpenBracket)
            states = StateList();
        try {
            RangeCheck(token, 0, 255);
            TSM_CharGroup group;
            int position = 1;
            group.Parse(spec, position);
            parser_.Keywords->AddKeyword(word, parser_.Keywords->CaseFlag, group, states, token);
        } catch (const Exception&) {
            Fail(4108);
        }
        TokenRecord(token, TSM_StateSet::Of({0}) | states);
    }
}

void TSectionCompiler::KwTables()
{
    Advance();
    while (Token() == tkForState) {
        Advance();
        Check(tkOpenBracket, 4100);
        TSM_StateSet states = StateList();
        if (states.IsEmpty())
            states = TSM_StateSet::Of({0});
        Expect(tkEndsWith, 4103);
        const QByteArray endSpec = StringAsWritten();
        Expect(tkOpenParen, 4097);
        std::vector<TKeywordTableWord> words;
        while (Token() != tkCloseParen) {
            const std::int32_t token = Expression();
            Expect(tkIs, 4102);
            words.push_back(TKeywordTableWord{StringAsWritten(), token});
            while (Token() == tkComma) {
                Advance();
                if (Token() != tkString)
                    break;
                words.push_back(TKeywordTableWord{StringAsWritten(), token});
            }
        }
        Advance();
        Settings().AddKeywordTable(states, endSpec, parser_.Keywords->CaseFlag, words);
    }
}

void TSectionCompiler::MatchForm(TTokenRule& Rule)
{
    Advance();
    Expect(tkOpenParen, 4097);
    Rule.ScannerNo = Expression();
    Expect(tkCloseParen, 4098);
    Rule.IsScanner = 1;
    Rule.IsEvent = 1;
    parser_.UsesEvents = true;
}

bool TSectionCompiler::SecondPart(TTokenRule& Rule, int MaxScanner)
{
    if (Token() == tkMatch) {
        MatchForm(Rule);
        return true;
    }
    if (Token() == tkString) {
        TSM_CharGroup group;
        Rule.SetID = SingleGroup(StringAsWritten(), group);
        return false;
    }
    Rule.ScannerNo = Expression();
    RangeCheck(Rule.ScannerNo, 0, MaxScanner);
    Rule.IsScanner = 1;
    return false;
}

void TSectionCompiler::EndSpecifiers(TTokenRule& Rule)
{
    const QByteArray spec = StringAsWritten();
    int position = 1;
    while (position <= spec.size()) {
        if (Rule.SetCount == MaxEndSpecifiers)
            Fail(4110);
        TSM_CharGroup group;
        try {
            group.Parse(spec, position);
        } catch (const Exception& e) {
            lexer_.Error(e.Message);
        }
        Rule.Sets[Rule.SetCount++] = std::uint16_t(parser_.Keywords->Groups().AddGroup(group));
    }
}

void TSectionCompiler::Handlers()
{
    Advance();
    while (StartsNumber(Token())) {
        const std::int32_t token = Expression();
        RangeCheck(token, 0, 255);
        THandlerDefinition handler;
        const bool matched = SecondPart(handler.Body, MaxHandlerBodyScanner);
        if (Token() == tkQuestion) {
            handler.Body.Flag = 1;
            Advance();
        }
        if (!matched) {
            if (Token() == tkMatch) {
                MatchForm(handler.End);
                handler.End.Flag = Expression() != 0;
            } else if (Token() == tkString) {
                EndSpecifiers(handler.End);
                handler.End.Flag = Expression() != 0;
            }
        }
        std::unique_ptr<THandlerDefinition>& entry = parser_.Handlers[std::size_t(token)];
        if (entry)
            Fail(4112);
        entry = std::make_unique<THandlerDefinition>(handler);
    }
}

void TSectionCompiler::Tokens()
{
    Advance();
    for (;;) {
        if (StartsNumber(Token())) {
            TokenEntry(-1);
        } else if (Token() == tkInState) {
            Advance();
            const std::int32_t state = Expression();
            RangeCheck(state, 0, 255);
            if (!parser_.StateStartTables[std::size_t(state)])
                parser_.StateStartTables[std::size_t(state)] = std::make_unique<TStateStartBlock>();
            parser_.StateTableStates.Include(state);
            Expect(tkOpenParen, 4097);
            while (StartsNumber(Token()))
                TokenEntry(state);
            Expect(tkCloseParen, 4098);
        } else {
            return;
        }
    }
}

void TSectionCompiler::TokenEntry(int InState)
{
    TTokenDefinition definition;
    const std::int32_t token = Expression();
    RangeCheck(token, 0, 255);
    definition.Token = std::uint8_t(token);

    TSM_CharGroup start;
    if (Token() == tkString) {
        definition.Start.SetID = SingleGroup(StringAsWritten(), start);
    } else {
        const std::int32_t scanner = Expression();
        if (scanner < FirstStandardScanner || scanner > LastStandardScanner)
            Fail(4103);
        AddScannerStart(start, scanner);
        definition.Start.IsScanner = 1;
        definition.Start.ScannerNo = scanner;
        definition.Start.SetID = std::uint16_t(parser_.Keywords->Groups().AddGroup(start));
    }
    if (!definition.Start.IsScanner && !SecondPart(definition.Body, MaxScannerEntry)) {
        if (Token() == tkQuestion) {
            definition.Body.Flag = 1;
            Advance();
        }
        if (Token() == tkMatch) {
            MatchForm(definition.End);
        } else if (Token() == tkString) {
            EndSpecifiers(definition.End);
        } else {
            definition.End.ScannerNo = Expression();
            RangeCheck(definition.End.ScannerNo, 0, MaxScannerEntry);
            definition.End.IsScanner = 1;
        }
        definition.End.Flag = Expression() != 0;
    }
    definition.States = TSM_StateSet::Of({InState < 0 ? 0 : InState});
    if (Token() == tkOpenBracket)
        definition.States |= StateList();

    TStartTable& table = InState < 0 ? parser_.StartTable : parser_.StateStartTables[std::size_t(InState)]->Entries;
    for (int c = 0; c < 256; ++c) {
        if (!start.Contains(std::uint8_t(c)))
            continue;
        if (table[std::size_t(c)])
            Fail(4113);
        table[std::size_t(c)] = std::make_unique<TTokenDefinition>(definition);
    }
    TokenRecord(token, definition.States);
}
