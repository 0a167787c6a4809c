// TLineRecord, one stored line of a document, its flag and bookmark bits, and the routines that
// measure and normalise line text.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Line flags.
constexpr std::uint32_t lfRepaint = 0x1;             // the line must be repainted
constexpr std::uint32_t lfHighlightIncomplete = 0x2; // the line must be highlighted again
constexpr std::uint32_t lfHasTab = 0x4;              // the line holds a TAB
constexpr std::uint32_t lfNeedsHighlight = 0x10;     // the highlighter starts at this line

// Bookmark word: bits 0..9 are the numbered bookmarks; bit 12 marks a record that continues the
// previous record's line (which then has no line end). The other bits ride along unchanged.
constexpr std::uint16_t bmNumbered = 0x03FF;
constexpr std::uint16_t bmContinuation = 0x1000;

// The one line-end character of the store; LF never occurs in it.
constexpr char LineEndChar = '\r';
// A record without a line end is cut after this many characters when text is inserted.
constexpr int MaxRecordLength = 2047;
// A line this long (or longer) makes the editor re-wrap the whole text.
constexpr int ReWrapLength = 2048;
// Line colours: no colour of its own.
constexpr std::int32_t clNoLineColor = -1;

struct TLineBlock;
struct TLineRecord;

// The tracked-line object of a line: the store keeps Line pointing at the record that owns it
// when an edit rebuilds the line.
class TLineTrack {
public:
    virtual ~TLineTrack() = default;
    TLineRecord* Line = nullptr;
};

// One record of the doubly linked line chain. A record holds one line including its CR; the
// last line of a document has none, and a record without CR that is followed by another is
// continued by it (bmContinuation on the follower). Records are never empty.
struct TLineRecord {
    std::string Text;
    // One token byte per character, written by the highlighter; null when the line has not been
    // highlighted since its text last changed.
    std::unique_ptr<std::uint8_t[]> Tokens;
    std::unique_ptr<TLineTrack> Track;
    // The line flags, except that lfHighlightIncomplete may still be owed by the record's block:
    // read and clear that one through SettledFlags.
    std::uint32_t Flags = 0;
    std::uint16_t Bookmarks = 0;
    std::uint16_t MarkGlyphs = 0;
    // The line's own colours; a background of clNoLineColor means it has none.
    std::int32_t Background = clNoLineColor;
    std::int32_t TextColor = clNoLineColor;
    TLineRecord* Next = nullptr;
    TLineRecord* Prev = nullptr;
    // The block of the line index that holds the record (kept by the store).
    TLineBlock* Block = nullptr;

    int Length() const { return int(Text.size()); }
    bool EndsLine() const { return !Text.empty() && Text.back() == LineEndChar; }
    bool IsContinuation() const { return (Bookmarks & bmContinuation) != 0; }
    // The first and the last record of the logical line the record belongs to.
    TLineRecord* LogicalFirst();
    TLineRecord* LogicalLast();
    // The line flags with every flag the record's block owes its records handed over.
    std::uint32_t& SettledFlags();
    // Moves a tracked-line object onto this record, pointing it back here.
    void TakeTrack(std::unique_ptr<TLineTrack> Track);
};

// The pair as (smaller, larger).
std::pair<int, int> OrderRange(int A, int B);

using TCharSet = std::bitset<256>;
// One bit per character of the text.
TCharSet StrToCharSet(std::string_view Text);

// Replaces Dest with Source in the store's form: CR LF, LF CR and a lone LF become one CR, TAB
// stays, every other character below 32 becomes ".". A pair is only recognised inside Source, so
// a block that ends in LF ends in CR. Returns the new length.
int NormalizeLineEnds(std::string& Dest, std::string_view Source);
