// The tokenizer's stack of state sets.
#include "highlighter/rt_stack.h"

void TRTStack::PushStates(const TSM_StateSet& States)
{
    Push(States, sizeof(TSM_StateSet));
}

TSM_StateSet TRTStack::PopStates()
{
    return Pop();
}
