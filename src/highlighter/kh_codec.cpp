// The KH block coder and decoder.
#include "highlighter/kh_codec.h"

#include "highlighter/compressor_exceptions.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t StoredBlock = 0x80;
constexpr std::uint8_t CodedBlock = 0x40;
constexpr std::uint16_t NoPosition = 0xFFFF;
constexpr int ItemsPerControlWord = 16;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MaxOffset = 4095;

int Hash(const std::uint8_t* p)
{
    const std::uint32_t key = (((std::uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2];
    return int(((key * 40543u) >> 4) & 4095);
}

void StoreControlWord(std::uint8_t* at, std::uint32_t word)
{
    at[0] = std::uint8_t(word >> 8);
    at[1] = std::uint8_t(word);
}

[[noreturn]] void Corrupt(const char* what)
{
    throw ECompressorException(QStringLiteral("Compressor (decompression Compressor/KH) : %1 !").arg(what));
}

} // namespace

int KhBlockCoder::Encode(const std::uint8_t* Data, int Size, std::uint8_t* Out)
{
    hashTable_.fill(NoPosition);
    int o = 0;
    Out[o++] = CodedBlock;
    int controlAt = o;
    o += 2;
    std::uint32_t control = 0;
    int items = 0;
    int p = 0;
    while (p < Size && o <= Size) {
        if (items == ItemsPerControlWord) {
            StoreControlWord(Out + controlAt, control);
            controlAt = o;
            o += 2;
            control = 0;
            items = 0;
        }
        const std::uint8_t value = Data[p];
        const int runLimit = std::min(MaxRun, Size - p);
        int run = 1;
        while (run < runLimit && Data[p + run] == value)
            ++run;

        bool item = true; // a run or a match; false for a literal
        if (run >= MinRun) {
            Out[o++] = 0;
            Out[o++] = std::uint8_t((run - MinRun) >> 8);
            Out[o++] = std::uint8_t(run - MinRun);
            Out[o++] = value;
            p += run;
        } else {
            int length = 0;
            int offset = 0;
            // Only a position with three bytes left can start a match: the hash never reads past the block.
            if (p + MinMatch <= Size) {
                const int h = Hash(Data + p);
                const std::uint16_t candidate = hashTable_[h];
                hashTable_[h] = std::uint16_t(p);
                if (candidate != NoPosition && p - candidate <= MaxOffset) {
                    offset = p - candidate;
                    const int limit = std::min(MaxMatch, Size - p);
                    while (length < limit && Data[candidate + length] == Data[p + length])
                        ++length;
                }
            }
            if (length >= MinMatch) {
                const int code = offset * 16 + (length - MinMatch);
                Out[o++] = std::uint8_t(code >> 8);
                Out[o++] = std::uint8_t(code);
                p += length;
            } else {
                Out[o++] = value;
                p += 1;
                item = false;
            }
        }
        control = (control << 1) | (item ? 1 : 0);
        ++items;
    }
    StoreControlWord(Out + controlAt, control << (ItemsPerControlWord - items));

    if (o > Size) {
        Out[0] = StoredBlock;
        std::copy(Data, Data + Size, Out + 1);
        return Size + 1;
    }
    return o;
}

int KhBlockCoder::Decode(const std::uint8_t* Block, int Length, std::uint8_t* Out)
{
    if (Length < 2)
        return 0;
    if (Block[0] == StoredBlock) {
        if (Length > MaxBlockLength)
            Corrupt("Stored block longer than 32768 bytes");
        std::memcpy(Out, Block + 1, std::size_t(Length - 1));
        return Length - 1;
    }
    if (Block[0] != CodedBlock)
        Corrupt("Unknown block kind");
    if (Length <= 3)
        return 0; // a control word without items

    int in = 1;
    int out = 0;
    // Bytes left in the block, checked before every part of an item is read.
    auto need = [&](int count) {
        if (Length - in < count)
            Corrupt("Block ends inside an item");
    };
    auto room = [&](int count) {
        if (MaxBlock - out < count)
            Corrupt("Block decodes to more than 32768 bytes");
    };
    while (in < Length) {
        need(2);
        const std::uint32_t control = (std::uint32_t(Block[in]) << 8) | Block[in + 1];
        in += 2;
        for (int bit = ItemsPerControlWord - 1; bit >= 0 && in < Length; --bit) {
            if ((control >> bit & 1) == 0) {
                room(1);
                Out[out++] = Block[in++];
                continue;
            }
            need(2);
            const std::uint8_t b0 = Block[in];
            const std::uint8_t b1 = Block[in + 1];
            if (b0 == 0 && (b1 >> 4) == 0) {
                need(4);
                const int count = b1 * 256 + Block[in + 2] + MinRun;
                room(count);
                std::memset(Out + out, Block[in + 3], std::size_t(count));
                out += count;
                in += 4;
                continue;
            }
            const int offset = b0 * 16 + (b1 >> 4);
            const int count = (b1 & 15) + MinMatch;
            if (offset > out)
                Corrupt("Match reaches before the start of the block");
            room(count);
            for (int i = 0; i < count; ++i, ++out)
                Out[out] = Out[out - offset];
            in += 2;
        }
    }
    return out;
}
