// TLZWEncoder: real LZW coding of a frame's pixels, with THashTable to find the strings it knows.
#pragma once

#include "imaging/gif_encoder.h"

#include <array>
#include <cstdint>

// Open addressing over 8009 slots; a slot holds key << 12 | code, an empty slot all ones.
// Keys are (prefix << 8) | pixel.
class THashTable final : public TObject {
public:
    THashTable() { Clear(); }

    void Clear() { slots_.fill(EmptySlot); }
    void Insert(uint32_t Key, int Code)
    {
        uint32_t slot = Slot(Key);
        const uint32_t step = Step(slot);
        while (slots_[slot] != EmptySlot)
            slot = Next(slot, step);
        slots_[slot] = Key << 12 | uint32_t(Code);
    }
    // The code stored for Key, or -1.
    int Lookup(uint32_t Key) const
    {
        uint32_t slot = Slot(Key);
        const uint32_t step = Step(slot);
        while (slots_[slot] != EmptySlot) {
            if (slots_[slot] >> 12 == Key)
                return int(slots_[slot] & 0xFFF);
            slot = Next(slot, step);
        }
        return -1;
    }

private:
    static constexpr uint32_t Size = 8009;
    static constexpr uint32_t EmptySlot = 0xFFFFFFFF;

    static uint32_t Slot(uint32_t key) { return ((key >> 4) ^ key) % Size; }
    static uint32_t Step(uint32_t slot) { return slot == 0 ? 1 : Size - slot; }
    static uint32_t Next(uint32_t slot, uint32_t step)
    {
        return slot >= step ? slot - step : slot + Size - step;
    }

    std::array<uint32_t, Size> slots_;
};

class TLZWEncoder : public TGIFEncoder {
protected:
    // After a clear the code size returns to the initial size; otherwise it grows once the next
    // free code passes the largest code of the current size, never beyond 12 bits.
    void Output(int Code) override;
    // Also empties the table.
    void ClearTable() override;
    // Each pixel extends the current string while the table knows the extension; otherwise the
    // string's code goes out and the extension gets the next free code, or the table is cleared
    // once the next free code reaches 4095.
    void Compress() override;

private:
    static constexpr int MaxBits = 12;
    static constexpr int ClearAt = 4095;

    int prefix_ = 0;
    int nextFreeCode_ = 0;
    THashTable table_;
};
