// TRTStack: the tokenizer's run-time stack of state sets.
#pragma once

#include "editor/document/stack.h"
#include "editor/language/state_set.h"

// Each push keeps a copy of the set, counted at the set's size.
class TRTStack : public TStack<TSM_StateSet> {
public:
    void PushStates(const TSM_StateSet& States);
    // The set pushed last; EStackError "Stack underflow" when the stack is empty.
    TSM_StateSet PopStates();
};
