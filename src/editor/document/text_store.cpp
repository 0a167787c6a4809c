// The text store: construction, chain upkeep, line lookups and reading text out.
#include "editor/document/text_store.h"

#include "platform/rtl/streams.h"

#include <algorithm>
#include <numeric>

TTextStore::TTextStore() : undoLog_(std::make_unique<TUndoStack>())
{
    ++instances_;
}

TTextStore::~TTextStore()
{
    FreeChain();
    --instances_;
}

void TTextStore::FreeChain()
{
    for (TLineRecord* line = first_; line;) {
        TLineRecord* next = line->Next;
        FreeRecord(line);
        line = next;
    }
    first_ = last_ = nullptr;
    lineCount_ = 0;
    textLength_ = 0;
    lengthCounts_.clear();
    blocks_.clear();
    blockPool_.clear();
    spareBlocks_.clear();
    staleFrom_ = 0;
    top_ = lastLocated_ = {};
    highlightFrom_ = nullptr;
}

// --- chain upkeep ---

TLineRecord* TTextStore::NewRecord(std::string_view Text)
{
    auto* record = new TLineRecord;
    record->Text.assign(Text);
    if (Text.find('\t') != std::string_view::npos)
        record->Flags |= lfHasTab;
    return record;
}

void TTextStore::LinkAfter(TLineRecord* Prev, TLineRecord* Record)
{
    TLineRecord* next = Prev ? Prev->Next : first_;
    Record->Prev = Prev;
    Record->Next = next;
    (Prev ? Prev->Next : first_) = Record;
    (next ? next->Prev : last_) = Record;
    ++changes_;
    ++lineCount_;
    CountLength(Record->Length(), +1);
    IndexAdd(Record);
}

void TTextStore::Unlink(TLineRecord* Record)
{
    IndexRemove(Record);
    (Record->Prev ? Record->Prev->Next : first_) = Record->Next;
    (Record->Next ? Record->Next->Prev : last_) = Record->Prev;
    Record->Prev = Record->Next = nullptr;
    ++changes_;
    --lineCount_;
    CountLength(Record->Length(), -1);
}

void TTextStore::Discard(TLineRecord* Record)
{
    Unlink(Record);
    FreeRecord(Record);
}

void TTextStore::Replace(TLineRecord* Old, TLineRecord* Record)
{
    Record->Prev = Old->Prev;
    Record->Next = Old->Next;
    (Old->Prev ? Old->Prev->Next : first_) = Record;
    (Old->Next ? Old->Next->Prev : last_) = Record;
    Old->Prev = Old->Next = nullptr;
    // In the index, the old record's length first: the new record then counts as resized.
    TLineBlock& block = *Old->Block;
    block.Put(block.EntryOf(Old), Record, Old->Length());
    Record->Block = &block;
    Old->Block = nullptr;
    Resized(Record, Old->Length());
}

void TTextStore::CountLength(int Length, int Delta)
{
    if (std::size_t(Length) >= lengthCounts_.size())
        lengthCounts_.resize(std::size_t(Length) + 1, 0);
    lengthCounts_[std::size_t(Length)] += Delta;
    while (!lengthCounts_.empty() && lengthCounts_.back() == 0)
        lengthCounts_.pop_back();
}

void TTextStore::Resized(TLineRecord* Record, int OldLength)
{
    ++changes_;
    CountLength(OldLength, -1);
    CountLength(Record->Length(), +1);
    TLineBlock& block = *Record->Block;
    block.SetLength(block.EntryOf(Record), Record->Length());
    block.Chars += Record->Length() - OldLength;
    BlockChanged(block, 0, Record->Length() - OldLength);
}

void TTextStore::BlockChanged(const TLineBlock& Block, int Lines, int Chars)
{
    if (Block.Slot >= staleFrom_)
        return;
    lineSums_.Add(Block.Slot, Lines);
    charSums_.Add(Block.Slot, Chars);
}

void TTextStore::RebuildIndex() const
{
    recountLines_.clear();
    recountChars_.clear();
    for (std::size_t b = std::size_t(staleFrom_); b < blocks_.size(); ++b) {
        blocks_[b]->Slot = int(b);
        recountLines_.push_back(blocks_[b]->Count);
        recountChars_.push_back(blocks_[b]->Chars);
    }
    lineSums_.Replace(staleFrom_, recountLines_);
    charSums_.Replace(staleFrom_, recountChars_);
    staleFrom_ = int(blocks_.size());
}

std::size_t TTextStore::PlaceOf(const TLineBlock* Block) const
{
    if (Block->Slot < staleFrom_)
        return std::size_t(Block->Slot);
    return std::size_t(std::find(blocks_.begin() + staleFrom_, blocks_.end(), Block) - blocks_.begin());
}

TLineBlock* TTextStore::NewBlock()
{
    if (spareBlocks_.empty())
        return &blockPool_.emplace_back();
    // A block is given back empty, owing nothing.
    TLineBlock* block = spareBlocks_.back();
    spareBlocks_.pop_back();
    return block;
}

// A record joins the block of its predecessor (the first record, its successor's); between
// two blocks, the smaller one, so that an edit that replaces a block's first record again and
// again (each line of the text in turn) leaves the blocks as they were.
void TTextStore::IndexAdd(TLineRecord* Record)
{
    TLineBlock* block = nullptr;
    int at = 0;
    TLineBlock* following = Record->Next ? Record->Next->Block : nullptr;
    if (Record->Prev && following && following->First() == Record->Next &&
        following->Count < Record->Prev->Block->Count) {
        block = following;
    } else if (Record->Prev) {
        block = Record->Prev->Block;
        at = block->EntryOf(Record->Prev) + 1;
    } else if (Record->Next) {
        block = following;
    } else {
        IndexChangedFrom(blocks_.size());
        block = NewBlock();
        block->Slot = int(blocks_.size());
        blocks_.push_back(block);
    }
    Record->Block = block;
    block->Insert(at, Record, Record->Length());
    block->Chars += Record->Length();
    BlockChanged(*block, 1, Record->Length());
    if (block->Count > 2 * BlockSize)
        SplitBlock(block);
}

void TTextStore::IndexRemove(TLineRecord* Record)
{
    TLineBlock* block = Record->Block;
    block->Erase(block->EntryOf(Record));
    block->Chars -= Record->Length();
    BlockChanged(*block, -1, -Record->Length());
    Record->Block = nullptr;
    if (block->Count == 0) {
        const std::size_t place = PlaceOf(block);
        blocks_.erase(blocks_.begin() + std::ptrdiff_t(place));
        IndexChangedFrom(place);
        spareBlocks_.push_back(block);
    }
}

// The second half of the block's records becomes a block of its own.
void TTextStore::SplitBlock(TLineBlock* Block)
{
    const std::size_t place = PlaceOf(Block);
    TLineBlock* half = NewBlock();
    half->Slot = int(place) + 1;
    Block->MoveTail(Block->Count / 2, *half);
    for (int at = 0; at < half->Count; ++at)
        half->Records[std::size_t(at)]->Block = half;
    half->Chars = std::accumulate(half->Lengths.begin(), half->Lengths.begin() + half->Count, 0);
    Block->Chars -= half->Chars;
    blocks_.insert(blocks_.begin() + std::ptrdiff_t(place) + 1, half);
    IndexChangedFrom(place);
}

TTextStore::TLocated TTextStore::Find(int Pos, int Index) const
{
    if (IndexStale())
        RebuildIndex();
    const int slot = Index < 0 ? charSums_.Find(Pos) : lineSums_.Find(Index);
    const TLineBlock& block = *blocks_[std::size_t(slot)];
    TLocated found{nullptr, lineSums_.Before(slot), charSums_.Before(slot)};
    int at = 0;
    if (Index < 0) {
        for (; at + 1 < block.Count && Pos >= found.Start + block.Lengths[std::size_t(at)]; ++at)
            found.Start += block.Lengths[std::size_t(at)];
    } else {
        at = std::min(Index - found.Index, block.Count - 1);
        found.Start += std::accumulate(block.Lengths.begin(), block.Lengths.begin() + at, 0);
    }
    found.Index += at;
    found.Line = block.Records[std::size_t(at)];
    block.Looked = at;
    return found;
}

int TTextStore::StartOf(const TLineRecord* Line) const
{
    if (IndexStale())
        RebuildIndex();
    const TLineBlock& block = *Line->Block;
    return charSums_.Before(block.Slot) +
           std::accumulate(block.Lengths.begin(), block.Lengths.begin() + block.EntryOf(Line), 0);
}

void TTextStore::OweHighlighting(TLineRecord* Line, int Count)
{
    TLineBlock* block = Line->Block;
    int at = block->EntryOf(Line);
    for (;;) {
        block->Owe(at, Count);
        Count -= block->Count - at;
        if (Count <= 0)
            return;
        // A counted block's successor stands in the next place; past the counted ones, the
        // block of the record after its last one.
        if (block->Slot < staleFrom_) {
            const std::size_t next = std::size_t(block->Slot) + 1;
            if (next == blocks_.size())
                return;
            block = blocks_[next];
        } else {
            const TLineRecord* next = block->Last()->Next;
            if (!next)
                return;
            block = next->Block;
        }
        at = 0;
    }
}

int TTextStore::MaxRecordLength() const
{
    return lengthCounts_.empty() ? 0 : int(lengthCounts_.size()) - 1;
}

void TTextStore::DropCachesFrom(int Start, bool KeepRecord)
{
    for (TLocated* cache : {&top_, &lastLocated_}) {
        if (cache->Line && (KeepRecord ? cache->Start > Start : cache->Start >= Start))
            cache->Line = nullptr;
    }
}

// --- lookups ---

void TTextStore::SetTopLine(int Index)
{
    if (Index != topLine_ || !top_.Line) {
        topLine_ = Index;
        top_.Line = nullptr;
    }
}

TTextStore::TLocated TTextStore::Locate(int Pos)
{
    Pos = std::clamp(Pos, 0, textLength_);
    const TLocated& last = lastLocated_;
    if (!last.Line || Pos < last.Start || (Pos >= last.Start + last.Line->Length() && last.Line->Next))
        lastLocated_ = Find(Pos, -1);
    return lastLocated_;
}

TLineRecord* TTextStore::LineAt(int Pos, int* Index, int* Start)
{
    TLocated found;
    if (first_)
        found = Locate(Pos);
    if (Index)
        *Index = found.Index;
    if (Start)
        *Start = found.Start;
    return found.Line;
}

TLineRecord* TTextStore::LineByIndex(int Index, int* Start)
{
    TLocated found;
    if (first_) {
        Index = std::clamp(Index, 0, lineCount_ - 1);
        found = Find(0, Index);
    }
    if (Start)
        *Start = found.Start;
    return found.Line;
}

TLineRecord* TTextStore::TopLineRecord(int* Start)
{
    if (!top_.Line && first_) {
        top_ = Find(0, std::clamp(topLine_, 0, lineCount_ - 1));
    }
    if (Start)
        *Start = top_.Start;
    return top_.Line;
}

// --- reading text out ---

std::string TTextStore::GetText(int Start, int End, TLineEnds Ends)
{
    std::string text;
    const auto [start, end] = OrderRange(std::clamp(Start, 0, textLength_), std::clamp(End, 0, textLength_));
    if (start == end)
        return text;
    text.reserve(std::size_t(end - start) + (Ends == TLineEnds::CRLF ? std::size_t(end - start) / 16 : 0));
    int lineStart = 0;
    TLineRecord* line = LineAt(start, nullptr, &lineStart);
    for (int pos = start; line && pos < end; lineStart += line->Length(), line = line->Next) {
        const int from = pos - lineStart;
        const int to = std::min(line->Length(), end - lineStart);
        for (int i = from; i < to; ++i) {
            const char c = line->Text[std::size_t(i)];
            if (c != LineEndChar || Ends == TLineEnds::CR)
                text += c;
            else if (Ends == TLineEnds::CRLF)
                text += "\r\n";
            else
                text += '\n';
        }
        pos = lineStart + to;
    }
    return text;
}

void TTextStore::WriteText(TStream& Stream, int Start, int End, TLineEnds Ends)
{
    // In pieces, so that a large document is never copied whole.
    constexpr int Piece = 1 << 16;
    const auto [start, end] = OrderRange(std::clamp(Start, 0, textLength_), std::clamp(End, 0, textLength_));
    for (int pos = start; pos < end; pos += Piece) {
        const std::string text = GetText(pos, std::min(end, pos + Piece), Ends);
        Stream.WriteBuffer(text.data(), std::int64_t(text.size()));
    }
}

// --- the rest of the document ---

std::unique_ptr<TUndoStack> TTextStore::AttachUndoLog(std::unique_ptr<TUndoStack> Log)
{
    std::swap(Log, undoLog_);
    return Log;
}

TMarkList& TTextStore::EnsureMarks()
{
    if (!marks_)
        marks_ = std::make_unique<TMarkList>();
    return *marks_;
}

void TTextStore::ShiftBreakpoints(int Pos, int Delta, bool WholeLines)
{
    breakpoints_.AdjustForEdit(Pos, Delta, WholeLines);
    codeBreaks_.AdjustForEdit(Pos, Delta, WholeLines);
}

void TTextStore::ClearHighlighting()
{
    for (TLineRecord* line = first_; line; line = line->Next) {
        line->Tokens.reset();
        line->Flags |= lfHighlightIncomplete;
    }
    ++changes_;
    highlightFrom_ = first_;
}
