// The LZW decoder: variable-length codes of up to 12 bits, least significant bit first, read from
// data sub-blocks, expanded through prefix and suffix tables and a bounded byte stack.
#include "imaging/gif_lzw_decoder.h"

#include "imaging/gif_stream_io.h"
#include "imaging/gif_types.h"

#include <array>

namespace {

constexpr int TableSize = 4096;
constexpr int MaxInitialCodeSize = 11;

// Values the decoder answers besides pixel values.
constexpr int NoData = -1;      // the data ended or broke off
constexpr int EndOfData = -2;   // the end code
constexpr int CorruptData = -3; // a code that cannot be decoded

class Decoder {
public:
    Decoder(TStream& stream, int initialCodeSize, const TGIFWarningHandler& warning)
        : stream_(stream), warning_(warning), initial_(initialCodeSize), clear_(1 << initialCodeSize),
          end_(clear_ + 1)
    {
        for (int i = 0; i < clear_; ++i)
            suffix_[size_t(i)] = uint8_t(i);
        ResetCodes();
    }

    // The next pixel value, or a negative value when there is none.
    int NextValue()
    {
        if (sp_ > 0)
            return stack_[size_t(--sp_)];
        return DecodeCode();
    }

    // Reads past the rest of the data, up to its 0 byte.
    void SkipRest()
    {
        if (!zeroBlockSeen_)
            SkipSubBlocks(stream_);
        zeroBlockSeen_ = true;
    }

private:
    void ResetCodes()
    {
        codeSize_ = initial_ + 1;
        growAt_ = 2 * clear_;
        nextFree_ = clear_ + 2;
    }

    int ReadCode()
    {
        if (returnClear_) {
            returnClear_ = false;
            return clear_;
        }
        if (curBit_ + codeSize_ >= lastBit_ && !Refill())
            return NoData;
        const int at = curBit_ >> 3;
        const uint32_t bits = uint32_t(buffer_[size_t(at)]) | uint32_t(buffer_[size_t(at + 1)]) << 8 |
                              uint32_t(buffer_[size_t(at + 2)]) << 16;
        const int code = int((bits >> (curBit_ & 7)) & ((1u << codeSize_) - 1));
        curBit_ += codeSize_;
        return code;
    }

    // Moves the last two bytes to the front and reads the next sub-block behind them.
    bool Refill()
    {
        if (dataDone_) {
            if (curBit_ >= lastBit_)
                warning_(gifmsg::BitBufferUnderrun);
            return false;
        }
        buffer_[0] = buffer_[size_t(lastByte_ - 2)];
        buffer_[1] = buffer_[size_t(lastByte_ - 1)];
        uint8_t length = 0;
        if (!TryReadByte(stream_, length))
            return false;
        const int64_t got = length > 0 ? stream_.Read(buffer_.data() + 2, length) : 0;
        if (got < length)
            warning_(gifmsg::PrematureEOF);
        if (got == 0) {
            zeroBlockSeen_ = length == 0;
            dataDone_ = true;
        }
        lastByte_ = 2 + int(got);
        curBit_ = (curBit_ - lastBit_) + 16;
        lastBit_ = 8 * lastByte_;
        return curBit_ + codeSize_ <= lastBit_ || Refill();
    }

    bool Push(uint8_t value)
    {
        if (sp_ >= TableSize)
            return false;
        stack_[size_t(sp_++)] = value;
        return true;
    }

    int DecodeCode()
    {
        int code = ReadCode();
        if (code < 0)
            return code;
        if (code == end_)
            return EndOfData;
        if (code == clear_) {
            // Codes below the clear code never change, and those from the next free code on were
            // emptied at the last clear.
            for (int i = clear_ + 2; i < nextFree_; ++i) {
                prefix_[size_t(i)] = 0;
                suffix_[size_t(i)] = 0;
            }
            ResetCodes();
            do
                code = ReadCode();
            while (code == clear_);
            if (code < 0)
                return code;
            if (code == end_)
                return EndOfData;
            if (code >= nextFree_)
                return Corrupt(gifmsg::BadData);
            first_ = old_ = code;
            return suffix_[size_t(code)];
        }

        const int incoming = code;
        if (code >= nextFree_) {
            Push(uint8_t(first_));
            code = old_;
        }
        while (code >= clear_) {
            if (prefix_[size_t(code)] == code || !Push(suffix_[size_t(code)]))
                return Corrupt(gifmsg::CircularTableEntry);
            code = prefix_[size_t(code)];
        }
        first_ = suffix_[size_t(code)];
        if (!Push(uint8_t(first_)))
            return Corrupt(gifmsg::CircularTableEntry);
        if (nextFree_ < TableSize) {
            prefix_[size_t(nextFree_)] = uint16_t(old_);
            suffix_[size_t(nextFree_)] = uint8_t(first_);
            ++nextFree_;
            if (nextFree_ >= growAt_ && growAt_ < TableSize) {
                growAt_ *= 2;
                ++codeSize_;
            }
        }
        old_ = incoming;
        return stack_[size_t(--sp_)];
    }

    int Corrupt(const QString& message)
    {
        warning_(message);
        sp_ = 0;
        return CorruptData;
    }

    TStream& stream_;
    const TGIFWarningHandler& warning_;

    const int initial_;
    const int clear_;
    const int end_;
    int codeSize_ = 0;
    int growAt_ = 0;
    int nextFree_ = 0;
    int first_ = 0;
    int old_ = 0;

    // Two bytes carried over from the previous sub-block, up to 255 new ones, and room for reading
    // three bytes at any bit that is still inside.
    std::array<uint8_t, 2 + 255 + 3> buffer_{};
    int curBit_ = 0;
    int lastBit_ = 0;
    int lastByte_ = 2;
    bool zeroBlockSeen_ = false;
    bool dataDone_ = false;
    bool returnClear_ = true;

    std::array<uint16_t, TableSize> prefix_{};
    std::array<uint8_t, TableSize> suffix_{};
    std::array<uint8_t, TableSize> stack_{};
    int sp_ = 0;
};

// Fills one row; false when the values ran out.
bool FillRow(Decoder& decoder, uint8_t* row, int width)
{
    for (int x = 0; x < width; ++x) {
        const int value = decoder.NextValue();
        if (value < 0)
            return false;
        row[x] = uint8_t(value);
    }
    return true;
}

} // namespace

void DecodeLZW(TStream& Stream, uint8_t* Pixels, int Width, int Height, bool Interlaced,
               const TGIFWarningHandler& Warning)
{
    uint8_t initialCodeSize = 0;
    if (!TryReadByte(Stream, initialCodeSize))
        return;
    if (initialCodeSize > MaxInitialCodeSize) {
        Warning(gifmsg::BadData);
        SkipSubBlocks(Stream);
        return;
    }
    auto decoder = std::make_unique<Decoder>(Stream, initialCodeSize, Warning);
    const int64_t width = Width;
    if (Width > 0 && Height > 0) {
        if (!Interlaced) {
            for (int y = 0; y < Height && FillRow(*decoder, Pixels + y * width, Width); ++y) {
            }
        } else {
            static constexpr int Starts[4] = {0, 4, 2, 1};
            static constexpr int Steps[4] = {8, 8, 4, 2};
            bool more = true;
            for (int pass = 0; pass < 4 && more; ++pass)
                for (int y = Starts[pass]; y < Height && more; y += Steps[pass])
                    more = FillRow(*decoder, Pixels + y * width, Width);
        }
    }
    decoder->SkipRest();
}
