// The rows of a line-index block and the flags its records owe.
#include "editor/document/line_block.h"

#include "editor/document/line_record.h"

#include <algorithm>

namespace {

// The bits of places From..63.
std::uint64_t BitsFrom(int From)
{
    return From >= 64 ? 0 : ~std::uint64_t(0) << From;
}

} // namespace

// The place looked at last, then the last record (text is read and pasted at a block's end),
// then every place from the first.
int TLineBlock::EntryOf(const TLineRecord* Record) const
{
    if (Looked < Count && Records[std::size_t(Looked)] == Record)
        return Looked;
    if (Records[std::size_t(Count - 1)] == Record)
        return Looked = Count - 1;
    int at = 0;
    while (Records[std::size_t(at)] != Record)
        ++at;
    return Looked = at;
}

void TLineBlock::Insert(int At, TLineRecord* Record, int Length)
{
    // The record in the last place a bit can name takes its flag now: the shift drops that bit.
    if (Count >= 64)
        SettleOne(63);
    std::copy_backward(Lengths.begin() + At, Lengths.begin() + Count, Lengths.begin() + Count + 1);
    std::copy_backward(Records.begin() + At, Records.begin() + Count, Records.begin() + Count + 1);
    Lengths[std::size_t(At)] = Length;
    Records[std::size_t(At)] = Record;
    ++Count;
    const std::uint64_t below = Owed & ~BitsFrom(At);
    Owed = below | ((Owed & BitsFrom(At)) << 1);
}

void TLineBlock::Erase(int At)
{
    SettleOne(At);
    std::copy(Lengths.begin() + At + 1, Lengths.begin() + Count, Lengths.begin() + At);
    std::copy(Records.begin() + At + 1, Records.begin() + Count, Records.begin() + At);
    --Count;
    const std::uint64_t below = Owed & ~BitsFrom(At);
    Owed = below | ((Owed & BitsFrom(At + 1)) >> 1);
    Looked = 0;
}

void TLineBlock::Put(int At, TLineRecord* Record, int Length)
{
    SettleOne(At);
    Lengths[std::size_t(At)] = Length;
    Records[std::size_t(At)] = Record;
}

void TLineBlock::MoveTail(int From, TLineBlock& To)
{
    // A record beyond the last place a bit can name owes nothing.
    To.Count = Count - From;
    std::copy(Lengths.begin() + From, Lengths.begin() + Count, To.Lengths.begin());
    std::copy(Records.begin() + From, Records.begin() + Count, To.Records.begin());
    To.Owed = From >= 64 ? 0 : Owed >> From;
    To.Looked = 0;
    Owed &= ~BitsFrom(From);
    Count = From;
    Looked = 0;
}

void TLineBlock::Owe(int At, int Count)
{
    const int end = std::min(At + Count, this->Count);
    if (At < end)
        Owed |= BitsFrom(At) & ~BitsFrom(end);
    // A place beyond the bits (a block about to be split) takes its flag at once.
    for (int at = std::max(At, 64); at < end; ++at)
        Records[std::size_t(at)]->Flags |= lfHighlightIncomplete;
}

void TLineBlock::Settle()
{
    for (std::uint64_t bits = Owed; bits; bits &= bits - 1)
        Records[std::size_t(__builtin_ctzll(bits))]->Flags |= lfHighlightIncomplete;
    Owed = 0;
}

void TLineBlock::SettleOne(int At)
{
    if (At < 64 && (Owed >> At & 1)) {
        Records[std::size_t(At)]->Flags |= lfHighlightIncomplete;
        Owed &= ~(std::uint64_t(1) << At);
    }
}
