// The editor core's undo: the recorder, undo blocks, undo and redo, and Modified.
#include "editor/document/memo_core.h"

#include "editor/document/syntax_memo_error.h"

// Kinds of the recorder:
//   1  A = 1: an edit is about to replace the selection with Text (phase 1);
//      A = 2: the edit is done (phase 2): pushes the edit step
//   2  A = block ID: pushes a block begin        3  A = block ID: pushes a block end
//   6  recording on    7  recording off          8  empties the log
//   9  B blanks were removed at position A       10 the first B characters of Text were inserted at A
// It does nothing while recording is off (except kind 6), without a log, or for kinds from 11 up.
// Any other call (phase 1 while an edit is pending, phase 2 without one, another kind below 11)
// empties the log, beeps and raises "Bad transaction log entry".
void TMemoCore::RecordUndo(int Kind, int A, int B, std::string_view Text)
{
    TUndoStack* log = GetUndoStack();
    if ((!recording_ && Kind != 6) || !log || Kind >= 11)
        return;
    switch (Kind) {
    case 1:
        if (A == 1 && !pending_) {
            pending_ = true;
            pendingStart_ = selStart_;
            pendingEnd_ = selEnd_;
            pendingOld_ = SelText(TLineEnds::CR);
            pendingNew_.assign(Text);
            return;
        }
        if (A == 2 && pending_) {
            pending_ = false;
            log->PushEdit(pendingStart_, pendingEnd_, std::move(pendingOld_), std::move(pendingNew_),
                          selStart_, selEnd_);
            pendingOld_.clear();
            pendingNew_.clear();
            log->Trim();
            return;
        }
        break;
    case 2: log->PushBlockMarker(umBlockBegin, A, selStart_, selEnd_); return;
    case 3: log->PushBlockMarker(umBlockEnd, A, selStart_, selEnd_); return;
    case 6: recording_ = true; return;
    case 7: recording_ = false; return;
    case 8: log->Empty(); return;
    case 9:
        log->PushEdit(A, A + B, std::string(std::size_t(std::max(B, 0)), ' '), {}, A, A);
        log->Trim();
        return;
    case 10:
        log->PushEdit(A, A, {}, std::string(Text.substr(0, std::size_t(std::max(B, 0)))), A + B, A + B);
        log->Trim();
        return;
    default: break;
    }
    log->Empty();
    pending_ = false;
    Beep();
    throw ESyntaxMemo(QStringLiteral("Bad transaction log entry"));
}

void TMemoCore::BeginUndoBlock(int ID)
{
    TUndoStack* log = GetUndoStack();
    if (!log || log->BlockOpen || undoing_)
        return;
    log->BlockOpen = true;
    log->OpenBlockID = ID;
    RecordUndo(2, ID);
}

// Blocks do not nest: only the ID that opened the block closes it.
void TMemoCore::EndUndoBlock(int ID)
{
    TUndoStack* log = GetUndoStack();
    if (!log || !log->BlockOpen || log->OpenBlockID != ID)
        return;
    RecordUndo(3, ID);
    log->BlockOpen = false;
    log->OpenBlockID = 0;
}

void TMemoCore::Undo()
{
    TUndoStack* log = GetUndoStack();
    if (log && log->Count() >= 1)
        RunSteps(true);
}

void TMemoCore::Redo()
{
    TUndoStack* log = GetUndoStack();
    if (log && !log->AtTop())
        RunSteps(false);
}

// Takes one step back (or forward); inside a block it goes on to the block's other end. Text
// changes made here are not recorded.
void TMemoCore::RunSteps(bool Back)
{
    TUndoStack& log = *GetUndoStack();
    const TUndoStep::TKind opening = Back ? TUndoStep::BlockEnd : TUndoStep::BlockBegin;
    bool inBlock = false;
    int blockID = 0;
    undoing_ = true;
    recording_ = false;
    try {
        do {
            // A block whose other end was trimmed away ends at the end of the log.
            if (Back ? log.Count() < 1 : log.AtTop())
                break;
            const TUndoStep step = Back ? log.ReadStepBack() : log.ReadStepForward();
            if (step.Kind == TUndoStep::Edit) {
                if (Back) {
                    // The new text stands from the before-selection's start to the after-selection.
                    const int start = std::min(step.BeforeStart, step.BeforeEnd);
                    SetSelection(start, std::max(step.AfterStart, step.AfterEnd), true);
                    if (inBlock && (blockID == ubIndent || blockID == ubUnindent))
                        TextStore().SetHighlightFrom(nullptr);
                    ReplaceSelection(*step.OldText);
                    SetSelection(step.BeforeStart, step.BeforeEnd, true);
                } else {
                    SetSelection(step.BeforeStart, step.BeforeEnd, true);
                    ReplaceSelection(*step.NewText);
                    SetSelection(step.AfterStart, step.AfterEnd, true);
                }
            } else if (step.Kind == opening) {
                inBlock = true;
                blockID = step.ID;
            } else {
                inBlock = false;
                SetSelection(step.BeforeStart, step.BeforeEnd, true);
            }
            if (inBlock)
                UpdateHighlighting();
        } while (inBlock);
    } catch (...) {
        undoing_ = false;
        recording_ = true;
        throw;
    }
    undoing_ = false;
    recording_ = true;
    UpdateHighlighting();
    Changed();
}

bool TMemoCore::CanUndo() const
{
    return GetUndoStack() && GetUndoStack()->Count() > 0;
}

bool TMemoCore::CanRedo() const
{
    return GetUndoStack() && !GetUndoStack()->AtTop();
}

bool TMemoCore::Modified() const
{
    return GetUndoStack() && GetUndoStack()->Modified();
}

void TMemoCore::SetModified(bool Value)
{
    if (!Value)
        RecordUndo(8);
}
