// The sections that map tokens to styles and states: %%map, %%effects, %%states and %%containers.
#include "highlighter/section_compiler.h"
#include "highlighter/script_symbols.h"
#include "highlighter/sym_compiler.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"

void TSectionCompiler::Map()
{
    Advance();
    while (StartsNumber(Token())) {
        const std::int32_t token = Expression();
        RangeCheck(token, 0, 255);
        const std::int32_t style = Expression();
        RangeCheck(style, 0, 255);
        Settings().SetTokenStyle(token, style);
    }
}

void TSectionCompiler::Effects()
{
    Advance();
    while (StartsNumber(Token())) {
        const std::int32_t style = Expression();
        RangeCheck(style, 0, 255);
        TSM_StyleEffect effect;
        effect.FontStyles = FontStyles();
        effect.Foreground = Expression();
        if (Token() == tkStar) {
            effect.UseDefaultForeground = 1;
            Advance();
        }
        effect.Background = Expression();
        if (Token() == tkStar) {
            effect.UseDefaultBackground = 1;
            Advance();
        }
        if (Token() == tkString && lexer_.GetStringValue().toLower() == "hotspot") {
            effect.Hotspot = 1;
            Advance();
        }
        effect.InUse = 1;
        if (style != 0 && Settings().GetStyleEffects(style).InUse)
            Fail(4114);
        Settings().SetStyleEffects(style, effect);
    }
}

void TSectionCompiler::TransitionItems(TStateTransition& Record)
{
    Expect(tkOpenParen, 4097);
    while (Token() == tkPlus || Token() == tkMinus) {
        const bool add = Token() == tkPlus;
        Advance();
        // One state is a single factor here, so that "+1 +2" reads as two items, not as 3.
        TSM_StateSet states;
        if (Token() == tkOpenBracket) {
            states = StateList();
        } else {
            std::int32_t state = 0;
            try {
                state = Factor();
            } catch (const ESYM_COMP_ERROR&) {
                Fail(4104);
            }
            RangeCheck(state, 0, 255);
            states.Include(state);
        }
        (add ? Record.AddStates : Record.RemoveStates) |= states;
        Record.NoChange = Record.AddStates.IsEmpty() && Record.RemoveStates.IsEmpty();
    }
    Expect(tkCloseParen, 4098);
}

void TSectionCompiler::States()
{
    Advance();
    while (StartsNumber(Token())) {
        const std::int32_t token = Expression();
        RangeCheck(token, 0, 255);
        TStateTransition& record = TokenRecord(token, {});
        std::uint8_t stackOps = 0;
        if (Token() == tkPush || Token() == tkPop) {
            stackOps = Token() == tkPush ? TStateTransition::PushBefore : TStateTransition::PopBefore;
            Advance();
        }
        TransitionItems(record);
        if (Token() == tkPush) {
            stackOps = TStateTransition::PushAfter;
            Advance();
        } else if (Token() == tkPop) {
            stackOps = TStateTransition::PopAfter;
            record.AddStates = TSM_StateSet();
            record.RemoveStates = TSM_StateSet();
            record.NoChange = 1;
            Advance();
        }
        record.StackOps = stackOps;
    }
}

void TSectionCompiler::Containers()
{
    Advance();
    while (StartsNumber(Token())) {
        const std::int32_t token = Expression();
        RangeCheck(token, 0, 255);
        TStateTransition& record = TokenRecord(token, {});
        TransitionItems(record);
        record.IsContainer = 1;
    }
}
