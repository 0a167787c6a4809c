// The text store: construction, chain upkeep, line lookups and reading text out.
#include "editor/document/text_store.h"

#include "platform/rtl/streams.h"

#include <algorithm>
#include <cstdlib>

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
    FreeLineChain(first_);
    first_ = last_ = nullptr;
    lineCount_ = 0;
    textLength_ = 0;
    lengthCounts_.clear();
    blocks_.clear();
    indexStale_ = true;
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
    FreeLine(Record);
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
    Record->Block->Chars += Record->Length() - OldLength;
    BlockChanged(*Record->Block, 0, Record->Length() - OldLength);
}

void TTextStore::BlockChanged(const TLineBlock& Block, int Lines, int Chars)
{
    if (indexStale_)
        return;
    lineSums_.Add(Block.Slot, Lines);
    charSums_.Add(Block.Slot, Chars);
}

void TTextStore::RebuildIndex() const
{
    std::vector<int> lines(blocks_.size());
    std::vector<int> chars(blocks_.size());
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        blocks_[b]->Slot = int(b);
        lines[b] = blocks_[b]->Lines;
        chars[b] = blocks_[b]->Chars;
    }
    lineSums_.Assign(lines);
    charSums_.Assign(chars);
    indexStale_ = false;
}

// A record joins the block of its predecessor (the first record, its successor's); between
// two blocks, the smaller one, so that an edit that replaces a block's first record again and
// again (each line of the text in turn) leaves the blocks as they were.
void TTextStore::IndexAdd(TLineRecord* Record)
{
    TLineBlock* block = nullptr;
    TLineBlock* following = Record->Next ? Record->Next->Block : nullptr;
    if (Record->Prev && following && following->First == Record->Next &&
        following->Lines < Record->Prev->Block->Lines) {
        block = following;
        block->First = Record;
    } else if (Record->Prev) {
        block = Record->Prev->Block;
    } else if (Record->Next) {
        block = Record->Next->Block;
        block->First = Record;
    } else {
        blocks_.push_back(std::make_unique<TLineBlock>());
        block = blocks_.back().get();
        block->First = Record;
        indexStale_ = true;
    }
    Record->Block = block;
    ++block->Lines;
    block->Chars += Record->Length();
    BlockChanged(*block, 1, Record->Length());
    if (block->Lines > 2 * BlockSize)
        SplitBlock(block);
}

void TTextStore::IndexRemove(TLineRecord* Record)
{
    TLineBlock* block = Record->Block;
    --block->Lines;
    block->Chars -= Record->Length();
    BlockChanged(*block, -1, -Record->Length());
    Record->Block = nullptr;
    if (block->Lines == 0) {
        std::erase_if(blocks_, [block](const std::unique_ptr<TLineBlock>& B) { return B.get() == block; });
        indexStale_ = true;
        return;
    }
    if (block->First == Record)
        block->First = Record->Next;
}

// The second half of the block's records becomes a block of its own.
void TTextStore::SplitBlock(TLineBlock* Block)
{
    const auto at = indexStale_ ? std::find_if(blocks_.begin(), blocks_.end(),
                                               [Block](const std::unique_ptr<TLineBlock>& B) { return B.get() == Block; })
                                : blocks_.begin() + Block->Slot;
    auto half = std::make_unique<TLineBlock>();
    TLineRecord* record = Block->First;
    for (int i = 0; i < Block->Lines / 2; ++i)
        record = record->Next;
    half->First = record;
    half->Lines = Block->Lines - Block->Lines / 2;
    for (int i = 0; i < half->Lines; ++i, record = record->Next) {
        record->Block = half.get();
        half->Chars += record->Length();
    }
    Block->Lines -= half->Lines;
    Block->Chars -= half->Chars;
    blocks_.insert(at + 1, std::move(half));
    indexStale_ = true;
}

TTextStore::TLocated TTextStore::BlockStart(int Pos, int Index) const
{
    if (indexStale_)
        RebuildIndex();
    const int slot = Index < 0 ? charSums_.Find(Pos) : lineSums_.Find(Index);
    return {blocks_[std::size_t(slot)]->First, lineSums_.Before(slot), charSums_.Before(slot)};
}

int TTextStore::StartOf(const TLineRecord* Line) const
{
    if (indexStale_)
        RebuildIndex();
    int start = charSums_.Before(Line->Block->Slot);
    for (const TLineRecord* line = Line->Block->First; line != Line; line = line->Next)
        start += line->Length();
    return start;
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

TTextStore::TLocated TTextStore::WalkToPos(TLocated From, int Pos) const
{
    while (From.Line->Next && Pos >= From.Start + From.Line->Length()) {
        From.Start += From.Line->Length();
        From.Line = From.Line->Next;
        ++From.Index;
    }
    while (From.Line->Prev && Pos < From.Start) {
        From.Line = From.Line->Prev;
        From.Start -= From.Line->Length();
        --From.Index;
    }
    return From;
}

TTextStore::TLocated TTextStore::WalkToIndex(TLocated From, int Index) const
{
    while (From.Line->Next && From.Index < Index) {
        From.Start += From.Line->Length();
        From.Line = From.Line->Next;
        ++From.Index;
    }
    while (From.Line->Prev && From.Index > Index) {
        From.Line = From.Line->Prev;
        From.Start -= From.Line->Length();
        --From.Index;
    }
    return From;
}

// The known record nearest to a position (Index < 0) or to an index.
TTextStore::TLocated TTextStore::NearestTo(int Pos, int Index)
{
    const TLocated candidates[] = {BlockStart(Pos, Index), {last_, lineCount_ - 1, textLength_ - last_->Length()},
                                   top_, lastLocated_};
    TLocated best = candidates[0];
    long bestDistance = -1;
    for (const TLocated& candidate : candidates) {
        if (!candidate.Line)
            continue;
        const long distance =
            Index < 0 ? std::labs(long(Pos) - candidate.Start) : std::labs(long(Index) - candidate.Index);
        if (bestDistance < 0 || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

TTextStore::TLocated TTextStore::Locate(int Pos)
{
    Pos = std::clamp(Pos, 0, textLength_);
    lastLocated_ = WalkToPos(NearestTo(Pos, -1), Pos);
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
        found = lastLocated_ = WalkToIndex(NearestTo(0, Index), Index);
    }
    if (Start)
        *Start = found.Start;
    return found.Line;
}

TLineRecord* TTextStore::TopLineRecord(int* Start)
{
    if (!top_.Line && first_) {
        const int index = std::clamp(topLine_, 0, lineCount_ - 1);
        top_ = WalkToIndex(NearestTo(0, index), index);
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
