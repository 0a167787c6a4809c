// The editor core's undo: the recorder, undo blocks, undo and redo, and Modified.
#include "editor/document/memo_core.h"

#include "editor/document/memo_strings.h"
#include "editor/document/syntax_memo_error.h"

#include <optional>

// The recorder's kinds are TUndoRecorderKind. An rkEdit with rpOpen remembers the edit about to
// replace the selection with Text; with rpClose it pushes the edit step. It does nothing while
// recording is off (except rkRecordingOn), without a log, or from rkFirstIgnored up. Any other call
// (rpOpen while an edit is pending, rpClose without one, another kind below rkFirstIgnored)
// empties the log, beeps and raises "Bad transaction log entry".
void TMemoCore::RecordUndo(int Kind, int A, int B, std::string_view Text)
{
    TUndoStack* log = GetUndoStack();
    if ((!recording_ && Kind != rkRecordingOn) || !log || Kind >= rkFirstIgnored)
        return;
    switch (Kind) {
    case rkEdit:
        if (A == rpOpen && !pending_) {
            pending_ = true;
            pendingStart_ = selStart_;
            pendingEnd_ = selEnd_;
            pendingOld_ = SelText(TLineEnds::CR);
            pendingNew_.assign(Text);
            return;
        }
        if (A == rpClose && pending_) {
            pending_ = false;
            log->PushEdit(pendingStart_, pendingEnd_, std::move(pendingOld_), std::move(pendingNew_),
                          selStart_, selEnd_);
            pendingOld_.clear();
            pendingNew_.clear();
            log->Trim();
            return;
        }
        break;
    case rkBlockBegin: log->PushBlockMarker(umBlockBegin, A, selStart_, selEnd_); return;
    case rkBlockEnd: log->PushBlockMarker(umBlockEnd, A, selStart_, selEnd_); return;
    case rkRecordingOn: recording_ = true; return;
    case rkRecordingOff: recording_ = false; return;
    case rkEmpty: log->Empty(); return;
    case rkBlanksRemoved:
        // The removed characters when they are given (an un-indent removes TABs too), else blanks.
        log->PushEdit(A, A + B,
                      Text.empty() ? std::string(std::size_t(std::max(B, 0)), ' ')
                                   : std::string(Text.substr(0, std::size_t(std::max(B, 0)))),
                      {}, A, A);
        log->Trim();
        return;
    case rkCharsInserted:
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
    RecordUndo(rkBlockBegin, ID);
}

// Blocks do not nest: only the ID that opened the block closes it.
void TMemoCore::EndUndoBlock(int ID)
{
    TUndoStack* log = GetUndoStack();
    if (!log || !log->BlockOpen || log->OpenBlockID != ID)
        return;
    RecordUndo(rkBlockEnd, ID);
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

void TMemoCore::UndoRedoTo(const TUndoNode* Target)
{
    TUndoStack* log = GetUndoStack();
    const int targetIndex = log ? log->IndexOf(Target) : -1;
    if (targetIndex < 0)
        return;
    const bool lock = PaintingEnabled();
    if (lock)
        Lines().BeginUpdate();
    try {
        if (targetIndex <= log->IndexOf(log->Current())) {
            // Each undo moves the cursor down; one that cannot (another log is attached) ends the walk.
            while (log->Count() > 0 && log->Current() != Target) {
                const int before = log->Count();
                Undo();
                if (log->Count() == before)
                    break;
            }
            Undo();
        } else {
            while (log->Current() != Target && !log->AtTop()) {
                const TUndoNode* before = log->Current();
                Redo();
                if (log->Current() == before)
                    break;
            }
        }
    } catch (...) {
        if (lock)
            Lines().EndUpdate();
        throw;
    }
    if (lock)
        Lines().EndUpdate();
}

// Takes one step back (or forward); inside a block it goes on to the block's other end. Text
// changes made here are not recorded.
void TMemoCore::RunSteps(bool Back)
{
    TUndoStack& log = *GetUndoStack();
    const TUndoStep::TKind opening = Back ? TUndoStep::BlockEnd : TUndoStep::BlockBegin;
    bool inBlock = false;
    int blockID = 0;
    // A block's steps are highlighted together once they are all done.
    std::optional<THighlightHold> hold;
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
                hold.emplace(*this);
            } else {
                inBlock = false;
                SetSelection(step.BeforeStart, step.BeforeEnd, true);
            }
        } while (inBlock);
    } catch (...) {
        undoing_ = false;
        recording_ = true;
        throw;
    }
    undoing_ = false;
    recording_ = true;
    hold.reset();
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
        RecordUndo(rkEmpty);
    else if (TUndoStack* log = GetUndoStack())
        log->MarkUnsaved();
}
