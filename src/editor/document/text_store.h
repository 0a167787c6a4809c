// TTextStore, one document: the chain of line records with its counters, the cached line
// lookups, the undo log and the annotations that follow the text (numbered and named bookmarks,
// marks and breakpoints), and the two edits every change of the text is made of.
#pragma once

#include "editor/document/bookmarks.h"
#include "editor/document/breakpoints.h"
#include "editor/document/line_block.h"
#include "editor/document/line_record.h"
#include "editor/document/marks.h"
#include "editor/document/prefix_sums.h"
#include "editor/document/undo_stack.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// How line ends leave the editor: lsCRLF writes CR LF, lsLF the stored CR alone.
enum TSelLineStyle : std::uint8_t { lsCRLF, lsLF };

// Line ends written by GetText and WriteText: the stored CR, CR LF, or LF in its place.
enum class TLineEnds { CR, CRLF, LF };

// What an edit did to the chain.
struct TEditResult {
    TLineRecord* First = nullptr; // the first record holding new or joined text; null when emptied
    TLineRecord* Last = nullptr;  // the last record the edit rebuilt
    bool Emptied = false;         // a delete left no text
    bool SpannedLines = false;    // a delete touched more than one record
    bool WholeLines = false;      // a delete removed whole lines: from a line start through a line end
};

// Invariants: the records from FirstLine to LastLine are linked both ways and none is empty; a CR
// occurs only as the last character of a record; a record with bmContinuation follows a record
// without CR; LineCount is the number of records; TextLength is the sum of their lengths.
// CheckInvariants checks them; debug builds run it after every edit of the editor core.
class TTextStore {
public:
    TTextStore();
    TTextStore(const TTextStore&) = delete;
    TTextStore& operator=(const TTextStore&) = delete;
    ~TTextStore();

    // A description of the first broken invariant (also the TAB flags and the longest line);
    // empty when the store is sound.
    std::string CheckInvariants() const;

    TLineRecord* FirstLine() const { return first_; }
    TLineRecord* LastLine() const { return last_; }
    int LineCount() const { return lineCount_; }
    int TextLength() const { return textLength_; }
    // The longest line: 1 in a new store, 0 after the text was emptied, raised by every edit that
    // makes a longer record and recomputed when an edit removes a record at least this long.
    int LongestLine() const { return longestLine_; }
    void SetLongestLine(int Value) { longestLine_ = Value; }

    // The editor's first visible line (0-based). Its record is cached; edits at or before it drop
    // the cache, which the next lookup rebuilds from the index.
    int TopLine() const { return topLine_; }
    void SetTopLine(int Index);
    TLineRecord* CachedLine() const { return top_.Line; }
    // The top line's record (found again when the cache was dropped) and its start position.
    TLineRecord* TopLineRecord(int* Start = nullptr);

    // The record containing Pos (the last record for a position at or past the end of the text),
    // with its 0-based index and start position; null for an empty store. The record last located
    // answers again while it holds Pos; else the line index finds it.
    TLineRecord* LineAt(int Pos, int* Index = nullptr, int* Start = nullptr);
    // The record with that 0-based index (the last one when it is too large), with its start,
    // from the line index.
    TLineRecord* LineByIndex(int Index, int* Start = nullptr);
    // The position of a record's first character, found through the line index.
    int StartOf(const TLineRecord* Line) const;
    // The characters from Start to End (clamped to the text) with the given line ends.
    std::string GetText(int Start, int End, TLineEnds Ends = TLineEnds::CR);
    void WriteText(TStream& Stream, int Start, int End, TLineEnds Ends);

    // Inserts characters in the store's form (CR line ends, no LF) at Pos, which is clamped to the
    // text. The records that get new text are flagged for repaint and highlighting, and so are the
    // following ones up to VisibleLines + 2 records in all; named bookmarks and marks move.
    TEditResult Insert(int Pos, std::string_view Text, int VisibleLines);
    // Removes the characters from Start to End (ordered and clamped); named bookmarks and marks
    // follow, and an emptied store clears its named bookmarks.
    TEditResult Delete(int Start, int End);
    // Stores the logical line from First to Last (First starts it, Last ends it) anew as records
    // of the given lengths cut from Text, its joined text (with Tokens, its joined token bytes, or
    // null). The records after the first continue it; bookmark and mark bits, line colours and the
    // tracked-line object stay with the line. Returns the last new record.
    TLineRecord* Resegment(TLineRecord* First, TLineRecord* Last, std::string_view Text,
                           const std::uint8_t* Tokens, const std::vector<int>& Lengths);
    // Forwards an edit to both breakpoint lists (see TSM_Breakpoints::AdjustForEdit).
    void ShiftBreakpoints(int Pos, int Delta, bool WholeLines);

    // Counts the changes of the text and of its highlighting: records linked, unlinked or
    // resized, and token bytes cleared. Work that spans events checks it to see the text as it
    // left it.
    unsigned Changes() const { return changes_; }

    // The first line the highlighter must look at again; edits set it when it is unset.
    TLineRecord* HighlightFrom() const { return highlightFrom_; }
    void SetHighlightFrom(TLineRecord* Line) { highlightFrom_ = Line; }
    // Frees every line's token bytes, marks every line for highlighting and starts the
    // highlighter at the first line.
    void ClearHighlighting();

    // The undo log; may be detached (null). Attaching returns the log that was attached.
    TUndoStack* UndoLog() const { return undoLog_.get(); }
    std::unique_ptr<TUndoStack> AttachUndoLog(std::unique_ptr<TUndoStack> Log);

    // The marks, null until the first is added.
    TMarkList* Marks() const { return marks_.get(); }
    TMarkList& EnsureMarks();
    TCustomBookmarks& NamedBookmarks() { return namedBookmarks_; }
    TSM_Breakpoints& Breakpoints() { return breakpoints_; }
    TSM_CodeBreak& CodeBreaks() { return codeBreaks_; }

    // The 1-based column of numbered bookmark N (0..9); 0 when it is not set.
    int BookmarkColumn(int N) const { return bookmarkColumns_[std::size_t(N)]; }
    void SetBookmarkColumn(int N, int Column) { bookmarkColumns_[std::size_t(N)] = std::uint16_t(Column); }

    TSelLineStyle SelLineStyle = lsCRLF;

    // The number of stores alive in the process (documents parked and shown).
    static int Instances() { return instances_; }

private:
    static inline int instances_ = 0;
    // A record whose index and start position are known.
    struct TLocated {
        TLineRecord* Line = nullptr;
        int Index = 0;
        int Start = 0;
    };
    std::string CheckLineIndex() const;
    // The record that holds Pos (Index < 0) or line Index, through the line index: the block from
    // the running totals, the record from the block's lengths.
    TLocated Find(int Pos, int Index) const;
    TLocated Locate(int Pos);
    // Marks Count records from Line on (fewer at the end of the text) for highlighting. Their
    // blocks owe them the flag until they are read, so that an edit does not fetch the
    // screenful of records after it from all over the heap.
    void OweHighlighting(TLineRecord* Line, int Count);
    // Drops the cached records at or after a changed record (after it, when the record itself
    // stays).
    void DropCachesFrom(int Start, bool KeepRecord);

    // Chain upkeep: every record enters and leaves through these, so that the counters and the
    // table of line lengths stay right.
    TLineRecord* NewRecord(std::string_view Text);
    void LinkAfter(TLineRecord* Prev, TLineRecord* Record);
    void Unlink(TLineRecord* Record);
    void Discard(TLineRecord* Record);
    // Links Record in the place of Old, which leaves the chain: one record rebuilt in place.
    void Replace(TLineRecord* Old, TLineRecord* Record);
    static void FreeRecord(TLineRecord* Record) { delete Record; }
    void CountLength(int Length, int Delta);
    // The line index follows every record that enters or leaves the chain, and every change of
    // a record's length in place (Resized).
    void IndexAdd(TLineRecord* Record);
    void IndexRemove(TLineRecord* Record);
    void SplitBlock(TLineBlock* Block);
    // The place of a block in blocks_.
    std::size_t PlaceOf(const TLineBlock* Block) const;
    // A block came or went at Place: the blocks from there on are counted again when next needed.
    void IndexChangedFrom(std::size_t Place) { staleFrom_ = std::min(staleFrom_, int(Place)); }
    bool IndexStale() const
    {
        return staleFrom_ != int(blocks_.size()) || lineSums_.Size() != int(blocks_.size());
    }
    // Counts a change of a block's lines and characters in the running totals.
    void BlockChanged(const TLineBlock& Block, int Lines, int Chars);
    // Numbers the blocks from staleFrom_ on again and recomputes their running totals.
    void RebuildIndex() const;
    void Resized(TLineRecord* Record, int OldLength);
    int MaxRecordLength() const;
    void FreeChain();

    TLineRecord* first_ = nullptr;
    TLineRecord* last_ = nullptr;
    int lineCount_ = 0;
    int textLength_ = 0;
    int longestLine_ = 1;
    int topLine_ = 0;
    TLocated top_;
    TLocated lastLocated_;
    // lengthCounts_[n]: the number of records of length n; its last entry is never 0.
    std::vector<int> lengthCounts_;
    // The line index: the chain cut into blocks of BlockSize to 2 * BlockSize records (fewer
    // after deletes), in chain order. A position or line number finds its block by the counts and
    // its record by the block's lengths.
    static constexpr int BlockSize = 32;
    std::vector<TLineBlock*> blocks_;
    // The blocks themselves lie side by side in blockPool_ (a deque keeps their places), so that
    // reaching a block seldom waits for memory; a block that empties is kept for the next one.
    std::deque<TLineBlock> blockPool_;
    std::vector<TLineBlock*> spareBlocks_;
    TLineBlock* NewBlock();
    // The running totals of the blocks' lines and characters. The blocks from staleFrom_ on came,
    // went or moved since they were counted; the next lookup counts them again. A block before
    // staleFrom_ has its place as its Slot; one after it, a Slot of at least staleFrom_.
    mutable TPrefixSums lineSums_;
    mutable TPrefixSums charSums_;
    mutable int staleFrom_ = 0;
    mutable std::vector<int> recountLines_; // RebuildIndex's counts, kept to save allocating them
    mutable std::vector<int> recountChars_;
    TLineRecord* highlightFrom_ = nullptr;
    unsigned changes_ = 0;
    std::array<std::uint16_t, 10> bookmarkColumns_{};
    std::unique_ptr<TUndoStack> undoLog_;
    std::unique_ptr<TMarkList> marks_;
    TCustomBookmarks namedBookmarks_;
    TSM_Breakpoints breakpoints_;
    TSM_CodeBreak codeBreaks_;
};
