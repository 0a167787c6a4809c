// TSM_StateSet: a set of the highlighter's parser states 0..255, bit n in word n div 64. The
// tokenizer tests and combines these sets for every token, so they work a word at a time.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>

class TStream;

struct TSM_StateSet {
    std::array<std::uint64_t, 4> Words{};

    static TSM_StateSet Of(std::initializer_list<int> States)
    {
        TSM_StateSet set;
        for (const int s : States)
            set.Include(s);
        return set;
    }
    void Include(int State) { Words[std::size_t(State >> 6)] |= std::uint64_t(1) << (State & 63); }
    bool Contains(int State) const { return (Words[std::size_t(State >> 6)] >> (State & 63)) & 1; }
    bool IsEmpty() const { return !(Words[0] | Words[1] | Words[2] | Words[3]); }
    // True when the two sets have a state in common.
    bool Meets(const TSM_StateSet& Other) const
    {
        return ((Words[0] & Other.Words[0]) | (Words[1] & Other.Words[1]) | (Words[2] & Other.Words[2]) |
                (Words[3] & Other.Words[3])) != 0;
    }
    // The lowest state; -1 for the empty set.
    int Lowest() const
    {
        for (std::size_t i = 0; i < Words.size(); ++i) {
            if (Words[i])
                return int(i) * 64 + std::countr_zero(Words[i]);
        }
        return -1;
    }
    TSM_StateSet& operator|=(const TSM_StateSet& Other)
    {
        for (std::size_t i = 0; i < Words.size(); ++i)
            Words[i] |= Other.Words[i];
        return *this;
    }
    TSM_StateSet& operator&=(const TSM_StateSet& Other)
    {
        for (std::size_t i = 0; i < Words.size(); ++i)
            Words[i] &= Other.Words[i];
        return *this;
    }
    TSM_StateSet& operator-=(const TSM_StateSet& Other)
    {
        for (std::size_t i = 0; i < Words.size(); ++i)
            Words[i] &= ~Other.Words[i];
        return *this;
    }
    friend TSM_StateSet operator|(TSM_StateSet A, const TSM_StateSet& B) { return A |= B; }
    friend TSM_StateSet operator&(TSM_StateSet A, const TSM_StateSet& B) { return A &= B; }
    friend TSM_StateSet operator-(TSM_StateSet A, const TSM_StateSet& B) { return A -= B; }

    friend bool operator==(const TSM_StateSet&, const TSM_StateSet&) = default;
};

// 32 bytes, state n in bit n mod 8 of byte n div 8.
void WriteStateSet(TStream& Stream, const TSM_StateSet& Set);
TSM_StateSet ReadStateSet(TStream& Stream);
