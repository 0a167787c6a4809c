// Hand-built parser tables and a whole-text tokenizer run.
#include "table_builder.h"

#include "editor/document/ed_stream.h"
#include "editor/document/memo_core.h"

#include <gtest/gtest.h>

namespace {

// A character group read from its specification.
struct ParsedGroup : TSM_CharGroup {
    explicit ParsedGroup(const char* Spec)
    {
        int position = 1;
        Parse(Spec, position);
    }
};

} // namespace

TTableBuilder::TTableBuilder(TSyntaxMemoParser& Parser) : parser_(Parser)
{
    parser_.ResetTables();
}

std::uint16_t TTableBuilder::Group(const char* Spec)
{
    return std::uint16_t(parser_.Keywords->Groups().AddGroup(ParsedGroup(Spec)));
}

TTokenRule TTableBuilder::Chars(const char* Spec, bool EndFirst)
{
    TTokenRule rule;
    rule.Flag = EndFirst;
    rule.SetID = Group(Spec);
    return rule;
}

TTokenRule TTableBuilder::Scanner(int Number, bool Flag)
{
    TTokenRule rule;
    rule.Flag = Flag;
    rule.IsScanner = 1;
    rule.ScannerNo = Number;
    return rule;
}

TTokenRule TTableBuilder::Event(int ParseID, bool Flag)
{
    TTokenRule rule = Scanner(ParseID, Flag);
    rule.IsEvent = 1;
    return rule;
}

TTokenRule TTableBuilder::End(std::initializer_list<const char*> Specs, bool Consume)
{
    TTokenRule rule;
    rule.Flag = Consume;
    for (const char* spec : Specs)
        rule.Sets[rule.SetCount++] = Group(spec);
    return rule;
}

void TTableBuilder::Word(const char* Text, int Token, TSM_StateSet States, const char* EndSpec)
{
    parser_.Keywords->AddKeyword(Text, parser_.Keywords->CaseFlag, ParsedGroup(EndSpec), States, Token);
    Transition(Token).ValidIn |= States;
}

TTokenDefinition& TTableBuilder::Token(int Token, const char* StartSpec, TTokenRule Body, TTokenRule End,
                                       TSM_StateSet Extra, int InState)
{
    TTokenDefinition definition;
    definition.Start.SetID = Group(StartSpec);
    definition.Body = Body;
    definition.End = End;
    definition.Token = std::uint8_t(Token);
    definition.States = TSM_StateSet::Of({InState >= 0 ? InState : 0}) | Extra;
    return File(std::move(definition), StartSpec, InState);
}

TTokenDefinition& TTableBuilder::Single(int Token, const char* StartSpec, TSM_StateSet Extra, int InState)
{
    // The end rule without groups holds at once, and end-first tests it before the body.
    return this->Token(Token, StartSpec, Scanner(0, true), {}, Extra, InState);
}

TTokenDefinition& TTableBuilder::ScannerToken(int Token, int Number, const char* StartSpec, TSM_StateSet Extra,
                                              int InState)
{
    TTokenDefinition definition;
    definition.Start = Scanner(Number);
    definition.Start.SetID = Group(StartSpec);
    definition.Token = std::uint8_t(Token);
    definition.States = TSM_StateSet::Of({InState >= 0 ? InState : 0}) | Extra;
    return File(std::move(definition), StartSpec, InState);
}

TTokenDefinition& TTableBuilder::File(TTokenDefinition Definition, const char* StartSpec, int InState)
{
    TStateTransition& transition = Transition(Definition.Token);
    transition.ValidIn |= Definition.States;
    TStartTable& table = Table(InState);
    const ParsedGroup group(StartSpec);
    TTokenDefinition* first = nullptr;
    for (int c = 0; c < 256; ++c) {
        if (group.Contains(std::uint8_t(c))) {
            table[c] = std::make_unique<TTokenDefinition>(Definition);
            if (!first)
                first = table[c].get();
        }
    }
    EXPECT_NE(first, nullptr) << "no start character in " << StartSpec;
    return *first;
}

TStartTable& TTableBuilder::Table(int InState)
{
    if (InState < 0)
        return parser_.StartTable;
    auto& block = parser_.StateStartTables[std::size_t(InState)];
    if (!block)
        block = std::make_unique<TStateStartBlock>();
    parser_.StateTableStates.Include(InState);
    return block->Entries;
}

THandlerDefinition& TTableBuilder::Handler(int Token, TTokenRule Body, TTokenRule End)
{
    auto& handler = parser_.Handlers[std::size_t(Token)];
    handler = std::make_unique<THandlerDefinition>(THandlerDefinition{Body, End});
    return *handler;
}

TStateTransition& TTableBuilder::Transition(int Token)
{
    auto& transition = parser_.Transitions[std::size_t(Token)];
    if (!transition)
        transition = std::make_unique<TStateTransition>();
    return *transition;
}

TStateTransition& TTableBuilder::States(int Token, TSM_StateSet Add, TSM_StateSet Remove, std::uint8_t StackOps,
                                        bool Container)
{
    TStateTransition& transition = Transition(Token);
    transition.AddStates = Add;
    transition.RemoveStates = Remove;
    transition.NoChange = Add.IsEmpty() && Remove.IsEmpty();
    transition.StackOps = StackOps;
    transition.IsContainer = Container;
    return transition;
}

void TTableBuilder::Finish()
{
    for (TSM_StateSet& states : parser_.ContextStates) {
        if (states.IsEmpty())
            states = parser_.DefaultStates;
    }
    parser_.NoStateTables = parser_.StateTableStates.IsEmpty();
}

std::vector<TTok> Tokenize(TSyntaxMemoParser& Parser, std::string_view Text, int ContextToken)
{
    TMemoCore memo;
    memo.SetText(Text);
    TEdStream stream(&memo);
    stream.SetRange(memo.TextStore().FirstLine(), 0, 0);
    Parser.ResetState(std::uint8_t(ContextToken));
    std::vector<TTok> tokens;
    const std::string text(Text);
    while (!stream.EndOfText()) {
        const int start = stream.GetPosition();
        int length = 0;
        const int token = Parser.NextToken(nullptr, stream, length);
        EXPECT_GE(length, 1) << "at " << start;
        EXPECT_EQ(stream.GetPosition(), start + length) << "at " << start;
        if (length < 1 || stream.GetPosition() != start + length)
            break;
        tokens.emplace_back(token, text.substr(std::size_t(start), std::size_t(length)));
    }
    return tokens;
}
