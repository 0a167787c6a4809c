// TUndoStack, the undo log of one document: steps of undo records on a TStack, grouped into
// numbered blocks, with the save point, the Modified answer and the undo-list walk. The log is
// data: the editor core reads its steps to undo and redo them.
#pragma once

#include "editor/document/stack.h"

#include <cstdint>
#include <string>

// The kind word of a record; the numbers are those of the stored log.
enum TUndoRecordKind : std::int32_t {
    urSelection = 0,
    urText = 1,
    urMarker = 5,
};

// The first word of a marker: what it brackets.
enum TUndoMarkerRole : std::int32_t {
    umEdit = 0,
    umBlockBegin = 2,
    umBlockEnd = 3,
};

// The step kind that edit-step markers carry; marker data from FirstBlockID up are block IDs.
constexpr int usEdit = 1;
constexpr int FirstBlockID = 13;

// The kinds of the editor's undo recorder (TMemoCore::RecordUndo), the one entry through which
// the log is written.
enum TUndoRecorderKind : int {
    rkEdit = 1,           // A = rpOpen: an edit is about to happen; A = rpClose: it is done
    rkBlockBegin = 2,     // A = block ID
    rkBlockEnd = 3,       // A = block ID
    rkRecordingOn = 6,
    rkRecordingOff = 7,
    rkEmpty = 8,          // empties the log
    rkBlanksRemoved = 9,  // B blanks (or the first B characters of Text) were removed at A
    rkCharsInserted = 10, // the first B characters of Text were inserted at A
    rkFirstIgnored = 11,  // this kind and those above it are ignored
};

// The phases of an rkEdit recording.
enum TUndoRecorderPhase : int {
    rpOpen = 1,
    rpClose = 2,
};

// Block IDs, by what opens them.
constexpr int ubDrop = 13;
constexpr int ubTyping = 14;
constexpr int ubKeyCommand = 15;
constexpr int ubPaste = 16;
constexpr int ubCut = 17;
constexpr int ubTemplate = 18;
constexpr int ubIndent = 19;
constexpr int ubUnindent = 20;
constexpr int ubKeyCommand21 = 21;
constexpr int ubKeyCommand22 = 22;
constexpr int ubFindReplace = 23;
constexpr int ubReplaceSelection = 24;
constexpr int ubReplaceAll = 34;

// One data block of the log. A selection keeps its two positions unordered, as they were.
struct TUndoRecord {
    std::int32_t Value = 0;  // markers: a TUndoMarkerRole
    std::int32_t Kind = 0;   // a TUndoRecordKind
    std::int32_t Data = 0;   // selection start; marker: step kind or block ID
    std::int32_t Second = 0; // selection end
    std::string Text;        // text records; empty for no text
};

// One step read back or forward from the log. Edit: Before is the selection before the edit,
// After the one after it, OldText what it removed and NewText what it inserted. Block marker:
// Before is the selection recorded with it.
struct TUndoStep {
    enum TKind { Edit, BlockBegin, BlockEnd };
    TKind Kind = Edit;
    int ID = 0; // the step kind of an edit, else the block ID
    int BeforeStart = 0;
    int BeforeEnd = 0;
    int AfterStart = 0;
    int AfterEnd = 0;
    const std::string* OldText = nullptr;
    const std::string* NewText = nullptr;
};

// Requests of Enumerate; uwMerge may be added to uwPrevious and uwNext.
constexpr int uwStart = 1;
constexpr int uwPeekPrevious = 4;
constexpr int uwPeekNext = 8;
constexpr int uwPrevious = 16;
constexpr int uwNext = 32;
constexpr int uwMerge = 0x1000000;
// Results of Enumerate beside block IDs, 1 and 0.
constexpr int uwStarted = 8000;
constexpr int uwBadRequest = 8001;
constexpr int uwNoEntry = 8002;

using TUndoNode = TStackNode<TUndoRecord>;

struct TUndoWalkResult {
    int BlockID = 0;           // the peeked block
    TUndoNode* Node = nullptr; // the node to hand to TMemoCore::UndoRedoTo after uwPrevious or uwNext
};

// A well-formed log is a run of steps, each bracketed by two equal markers:
//   edit:        marker(umEdit, usEdit), selection before, old text, new text, selection after, marker
//   block begin: marker(umBlockBegin, ID), selection, marker
//   block end:   marker(umBlockEnd, ID), selection, marker
class TUndoStack : public TStack<TUndoRecord> {
public:
    // The first word of the top record, 0 when the log is empty.
    int TopEntryID() const;
    void SetSavePoint();
    // The text counts as changed since it was saved, whatever the log holds, until the next save
    // point or Empty.
    void MarkUnsaved();
    int SaveCount() const { return saveCount_; }
    int SaveID() const { return saveID_; }
    bool Modified() const;

    // No limit when negative; otherwise Trim keeps the byte total at or below it.
    std::int32_t ByteLimit = -1;
    // Removes the oldest record; returns its kind.
    int DropOldest();
    // Drops whole steps from the bottom while the byte total is above a set limit.
    void Trim();
    // Drops every record; the save point becomes "never".
    void Empty();

    void PushEdit(int BeforeStart, int BeforeEnd, std::string OldText, std::string NewText, int AfterStart,
                  int AfterEnd);
    // Role umBlockBegin or umBlockEnd.
    void PushBlockMarker(int Role, int ID, int SelStart, int SelEnd);

    // Step the cursor over one whole step. A malformed step raises ESyntaxMemo "Bad do/undo stack
    // state" and leaves the cursor where it was.
    TUndoStep ReadStepBack() { return ReadStep(true); }
    TUndoStep ReadStepForward() { return ReadStep(false); }

    // The undo-list walk: see the request and result constants.
    int Enumerate(int Request, TUndoWalkResult& Result);
    // The position of Node counted from the bottom (0-based); -1 when Node is null or not in the
    // log.
    int IndexOf(const TUndoNode* Node) const;

    // The block being recorded.
    bool BlockOpen = false;
    int OpenBlockID = 0;

    static const TUndoRecord& RecordOf(const TUndoNode* Node) { return Node->Data; }

private:
    void PushRecord(TUndoRecord Record);
    [[noreturn]] void BadState(TUndoNode* Cursor, int Count);
    const TUndoRecord& Read(bool Back, TUndoNode* Cursor, int Count);
    TUndoStep ReadStep(bool Back);
    int TakePrevious(bool Merge, TUndoWalkResult& Result);
    int TakeNext(bool Merge, TUndoWalkResult& Result);

    int saveCount_ = -1;
    int saveID_ = -1;
    TUndoNode* walk_ = nullptr;
    bool walkAtEnd_ = false;
};
