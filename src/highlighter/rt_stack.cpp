// The tokenizer's stack of state sets.
#include "highlighter/rt_stack.h"

#include <memory>

TRTStack::TRTStack()
{
    Disposer = [](void* Data) { delete static_cast<TSM_StateSet*>(Data); };
}

void TRTStack::PushStates(const TSM_StateSet& States)
{
    auto block = std::make_unique<TSM_StateSet>(States);
    Push(block.get(), sizeof(TSM_StateSet));
    block.release();
}

TSM_StateSet TRTStack::PopStates()
{
    const std::unique_ptr<TSM_StateSet> block(static_cast<TSM_StateSet*>(Pop()));
    return *block;
}
