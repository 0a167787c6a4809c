// The KH block coder: one block of at most 32768 bytes as literal, match and run items under 16-bit
// control words, or stored as it is when coding does not make it smaller; and its decoder.
#pragma once

#include <array>
#include <cstdint>

class KhBlockCoder {
public:
    static constexpr int MaxBlock = 32768;
    // Room an output buffer of Encode needs.
    static constexpr int CodedCapacity = MaxBlock + 16;
    // The longest well-formed block: a stored full block.
    static constexpr int MaxBlockLength = MaxBlock + 1;

    // Codes Size (at most MaxBlock) bytes into Out; returns the length of the block.
    int Encode(const std::uint8_t* Data, int Size, std::uint8_t* Out);
    // Decodes a block of Length bytes into Out, which has room for MaxBlock bytes; returns the
    // number of bytes produced. A malformed block raises ECompressorException.
    static int Decode(const std::uint8_t* Block, int Length, std::uint8_t* Out);

private:
    // Last position of each hash of three bytes, 0xFFFF when none.
    std::array<std::uint16_t, 4096> hashTable_;
};
