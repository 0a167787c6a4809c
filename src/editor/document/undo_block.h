// TUndoBlock: an undo block of an editor open for the lifetime of a scope, closed on every path
// out of it.
#pragma once

#include "editor/document/memo_core.h"

class TUndoBlock {
public:
    TUndoBlock(TMemoCore& Memo, int ID) : memo_(Memo), id_(ID) { memo_.BeginUndoBlock(id_); }
    ~TUndoBlock() { memo_.EndUndoBlock(id_); }
    TUndoBlock(const TUndoBlock&) = delete;
    TUndoBlock& operator=(const TUndoBlock&) = delete;

private:
    TMemoCore& memo_;
    int id_;
};
