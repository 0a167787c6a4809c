// The undo log: records, save point, trimming, step reading and the undo-list walk.
#include "editor/document/undo_stack.h"

#include "editor/document/syntax_memo_error.h"

#include <limits>

namespace {

std::uint32_t SizeOf(const TUndoRecord& Record)
{
    return 16 + std::uint32_t(Record.Text.size());
}

bool IsMarker(const TUndoNode* Node, int Role)
{
    const TUndoRecord& record = TUndoStack::RecordOf(Node);
    return record.Kind == urMarker && record.Value == Role;
}

// The nearest marker of the role at or below From.
TUndoNode* FindBack(TUndoNode* From, int Role)
{
    for (TUndoNode* node = From; node; node = node->Older) {
        if (IsMarker(node, Role))
            return node;
    }
    return nullptr;
}

// The nearest marker of the role at or above From.
TUndoNode* FindForward(TUndoNode* From, int Role)
{
    for (TUndoNode* node = From; node; node = node->Newer) {
        if (IsMarker(node, Role))
            return node;
    }
    return nullptr;
}

// The selection recorded between a marker and its partner.
bool SameSelection(const TUndoNode* A, const TUndoNode* B)
{
    if (!A || !B)
        return false;
    const TUndoRecord& a = TUndoStack::RecordOf(A);
    const TUndoRecord& b = TUndoStack::RecordOf(B);
    return a.Kind == urSelection && b.Kind == urSelection && a.Data == b.Data && a.Second == b.Second;
}

} // namespace

int TUndoStack::TopEntryID() const
{
    return Top() ? RecordOf(Top()).Value : 0;
}

void TUndoStack::SetSavePoint()
{
    saveCount_ = Count();
    saveID_ = TopEntryID();
}

void TUndoStack::MarkUnsaved()
{
    // No count of records matches it.
    saveCount_ = std::numeric_limits<int>::max();
    saveID_ = -1;
}

bool TUndoStack::Modified() const
{
    if (saveCount_ < 0)
        return Count() > 0;
    if (Count() != saveCount_)
        return true;
    if (Count() == 0)
        return false;
    return TopEntryID() != saveID_;
}

int TUndoStack::DropOldest()
{
    return RemoveBottom().Kind;
}

void TUndoStack::Trim()
{
    if (ByteLimit < 0)
        return;
    while (ByteTotal() > std::uint32_t(ByteLimit) && Bottom()) {
        DropOldest();
        while (Bottom() && DropOldest() != urMarker) {
        }
    }
}

void TUndoStack::Empty()
{
    Clear();
    saveCount_ = -1;
    saveID_ = -1;
    walk_ = nullptr;
}

void TUndoStack::PushRecord(TUndoRecord Record)
{
    const std::uint32_t size = SizeOf(Record);
    Push(std::move(Record), size);
}

void TUndoStack::PushEdit(int BeforeStart, int BeforeEnd, std::string OldText, std::string NewText,
                          int AfterStart, int AfterEnd)
{
    PushRecord({umEdit, urMarker, usEdit, 0, {}});
    PushRecord({0, urSelection, BeforeStart, BeforeEnd, {}});
    PushRecord({0, urText, 0, 0, std::move(OldText)});
    PushRecord({0, urText, 0, 0, std::move(NewText)});
    PushRecord({0, urSelection, AfterStart, AfterEnd, {}});
    PushRecord({umEdit, urMarker, usEdit, 0, {}});
}

void TUndoStack::PushBlockMarker(int Role, int ID, int SelStart, int SelEnd)
{
    PushRecord({Role, urMarker, ID, 0, {}});
    PushRecord({0, urSelection, SelStart, SelEnd, {}});
    PushRecord({Role, urMarker, ID, 0, {}});
}

void TUndoStack::BadState(TUndoNode* Cursor, int Count)
{
    RestoreCursor(Cursor, Count);
    throw ESyntaxMemo(QStringLiteral("Bad do/undo stack state"));
}

const TUndoRecord& TUndoStack::Read(bool Back, TUndoNode* Cursor, int Count)
{
    if (Back ? !Current() : AtTop())
        BadState(Cursor, Count);
    return Back ? StepBack() : StepForward();
}

TUndoStep TUndoStack::ReadStep(bool Back)
{
    TUndoNode* cursor = Current();
    const int count = Count();
    const TUndoRecord& marker = Read(Back, cursor, count);
    if (marker.Kind != urMarker)
        BadState(cursor, count);
    TUndoStep step;
    step.ID = marker.Data;
    if (marker.Data < FirstBlockID) {
        // In log order: selection before, old text, new text, selection after, closing marker.
        const TUndoRecord* read[5];
        for (const TUndoRecord*& record : read)
            record = &Read(Back, cursor, count);
        const TUndoRecord& before = Back ? *read[3] : *read[0];
        const TUndoRecord& oldText = Back ? *read[2] : *read[1];
        const TUndoRecord& newText = Back ? *read[1] : *read[2];
        const TUndoRecord& after = Back ? *read[0] : *read[3];
        const TUndoRecord& closing = *read[4];
        if (before.Kind != urSelection || oldText.Kind != urText || newText.Kind != urText ||
            after.Kind != urSelection || closing.Kind != urMarker || closing.Data != marker.Data)
            BadState(cursor, count);
        step.BeforeStart = before.Data;
        step.BeforeEnd = before.Second;
        step.AfterStart = after.Data;
        step.AfterEnd = after.Second;
        step.OldText = &oldText.Text;
        step.NewText = &newText.Text;
        return step;
    }
    if (marker.Value != umBlockBegin && marker.Value != umBlockEnd)
        BadState(cursor, count);
    const TUndoRecord& selection = Read(Back, cursor, count);
    const TUndoRecord& other = Read(Back, cursor, count);
    if (selection.Kind != urSelection || other.Kind != urMarker || other.Value != marker.Value ||
        other.Data != marker.Data)
        BadState(cursor, count);
    step.Kind = marker.Value == umBlockBegin ? TUndoStep::BlockBegin : TUndoStep::BlockEnd;
    step.BeforeStart = selection.Data;
    step.BeforeEnd = selection.Second;
    return step;
}

int TUndoStack::Enumerate(int Request, TUndoWalkResult& Result)
{
    const bool merge = (Request & uwMerge) != 0;
    switch (Request & ~uwMerge) {
    case uwStart:
        walk_ = Current();
        walkAtEnd_ = !Current() && !Bottom();
        return uwStarted;
    case uwPeekPrevious: {
        TUndoNode* end = FindBack(walk_, umBlockEnd);
        if (!end)
            return 0;
        Result.BlockID = RecordOf(end).Data;
        return 1;
    }
    case uwPeekNext: {
        if (walkAtEnd_)
            return 0;
        TUndoNode* begin = FindForward(walk_ ? walk_ : Bottom(), umBlockBegin);
        if (!begin || begin == Top())
            return 0;
        Result.BlockID = RecordOf(begin).Data;
        return 1;
    }
    case uwPrevious: return TakePrevious(merge, Result);
    case uwNext: return TakeNext(merge, Result);
    default: return uwBadRequest;
    }
}

int TUndoStack::TakePrevious(bool Merge, TUndoWalkResult& Result)
{
    TUndoNode* end = FindBack(walk_, umBlockEnd);
    if (!end)
        return uwNoEntry;
    const int id = RecordOf(end).Data;
    while (true) {
        // Back over the block's two begin markers; the walk stands before the block.
        TUndoNode* upperBegin = FindBack(end, umBlockBegin);
        TUndoNode* lowerBegin = upperBegin ? FindBack(upperBegin->Older, umBlockBegin) : nullptr;
        walk_ = lowerBegin ? lowerBegin->Older : nullptr;
        Result.Node = end;
        if (!Merge || !upperBegin)
            return id;
        // A neighbour with the same ID that ended where this block began is taken too.
        TUndoNode* previous = FindBack(walk_, umBlockEnd);
        if (!previous || RecordOf(previous).Data != id || !SameSelection(previous->Older, upperBegin->Older))
            return id;
        end = previous;
    }
}

int TUndoStack::TakeNext(bool Merge, TUndoWalkResult& Result)
{
    if (walkAtEnd_ || walk_ == Top())
        return uwNoEntry;
    TUndoNode* begin = FindForward(walk_ ? walk_ : Bottom(), umBlockBegin);
    if (!begin)
        return uwNoEntry;
    const int id = RecordOf(begin).Data;
    bool taken = false;
    while (true) {
        // Forward over the block's two end markers, then one node more.
        TUndoNode* lowerEnd = FindForward(begin, umBlockEnd);
        TUndoNode* upperEnd = lowerEnd ? FindForward(lowerEnd->Newer, umBlockEnd) : nullptr;
        if (!upperEnd)
            return taken ? id : uwNoEntry;
        taken = true;
        Result.Node = upperEnd;
        walkAtEnd_ = !upperEnd->Newer;
        walk_ = walkAtEnd_ ? upperEnd : upperEnd->Newer;
        if (!Merge || walkAtEnd_)
            return id;
        // A neighbour with the same ID that began where this block ended is taken too.
        TUndoNode* next = FindForward(walk_, umBlockBegin);
        if (!next || next == Top() || RecordOf(next).Data != id ||
            !SameSelection(next->Newer, upperEnd->Older))
            return id;
        begin = next;
    }
}

int TUndoStack::IndexOf(const TUndoNode* Node) const
{
    int index = 0;
    for (const TUndoNode* node = Bottom(); node; node = node->Newer, ++index) {
        if (node == Node)
            return index;
    }
    return -1;
}
