// TSM_StateSet: a set of the highlighter's parser states 0..255 in 32 bytes, bit n in byte n div 8.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

class TStream;

struct TSM_StateSet {
    std::array<std::uint8_t, 32> Bytes{};

    static TSM_StateSet Of(std::initializer_list<int> States)
    {
        TSM_StateSet set;
        for (const int s : States)
            set.Include(s);
        return set;
    }
    void Include(int State) { Bytes[std::size_t(State >> 3)] |= std::uint8_t(1u << (State & 7)); }
    bool Contains(int State) const { return (Bytes[std::size_t(State >> 3)] >> (State & 7)) & 1; }
    bool IsEmpty() const
    {
        for (const std::uint8_t b : Bytes) {
            if (b)
                return false;
        }
        return true;
    }
    // True when the two sets have a state in common.
    bool Meets(const TSM_StateSet& Other) const
    {
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            if (Bytes[i] & Other.Bytes[i])
                return true;
        }
        return false;
    }
    TSM_StateSet& operator|=(const TSM_StateSet& Other)
    {
        for (std::size_t i = 0; i < Bytes.size(); ++i)
            Bytes[i] |= Other.Bytes[i];
        return *this;
    }

    friend bool operator==(const TSM_StateSet&, const TSM_StateSet&) = default;
};

// The 32 bytes as they are.
void WriteStateSet(TStream& Stream, const TSM_StateSet& Set);
TSM_StateSet ReadStateSet(TStream& Stream);
