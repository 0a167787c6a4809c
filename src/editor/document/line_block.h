// TLineBlock, one block of the text store's line index: a run of consecutive records in chain
// order, their lengths side by side in one row and their addresses in another, and the number of
// their characters. Finding a record inside a block reads the rows only; the records themselves,
// scattered over the heap, are not visited on the way.
#pragma once

#include <array>
#include <cstdint>

struct TLineRecord;

struct TLineBlock {
    // The store splits a block that grows past 64 records, so a block holds one more at most.
    static constexpr int Capacity = 65;

    std::array<int, Capacity> Lengths;
    std::array<TLineRecord*, Capacity> Records;
    int Count = 0;
    int Chars = 0;
    int Slot = 0; // its place in the index
    // Bit i: record i owes the flag lfHighlightIncomplete, which it takes when its flags are
    // next read (TLineRecord::SettledFlags). An edit that flags the screenful after it sets bits
    // here instead of visiting every record.
    std::uint64_t Owed = 0;
    // Where EntryOf last found a record; an edit asks for the same record again and again.
    mutable int Looked = 0;

    TLineRecord* First() const { return Records[0]; }
    TLineRecord* Last() const { return Records[std::size_t(Count - 1)]; }
    // The place of a record of the block.
    int EntryOf(const TLineRecord* Record) const;

    // Puts a record at At, moving the records from there on one place up.
    void Insert(int At, TLineRecord* Record, int Length);
    // Takes the record at At out (it keeps the flag it owes).
    void Erase(int At);
    // Puts a record in the place of the one at At, which leaves (keeping the flag it owes).
    void Put(int At, TLineRecord* Record, int Length);
    void SetLength(int At, int Length) { Lengths[std::size_t(At)] = Length; }
    // Moves the records from From on into To, which is empty.
    void MoveTail(int From, TLineBlock& To);

    // The records from At on, Count of them at most, owe lfHighlightIncomplete.
    void Owe(int At, int Count);
    // Hands every owed flag to its record.
    void Settle();

private:
    void SettleOne(int At);
};
