// The LZH coder and decoder.
#include "highlighter/lzhuf_codec.h"

#include "highlighter/compressor_exceptions.h"
#include "highlighter/lzhuf_tree.h"

#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int RingSize = 4096;
constexpr int MaxMatch = 60;
// Matches this long or shorter are sent as literals.
constexpr int Threshold = 2;
constexpr int MinMatch = Threshold + 1;
// Where the first byte goes in the ring; the ring before it holds spaces.
constexpr int RingStart = RingSize - MaxMatch;
constexpr std::uint8_t RingFill = ' ';
constexpr int ChunkSize = 32768;

// The symbol of a match length follows the 256 literals.
constexpr int LengthSymbol(int length)
{
    return 256 + length - MinMatch;
}

// The fixed code of the upper six bits of a match position (distance - 1): one code of 3 bits,
// three of 4, eight of 5, twelve of 6, twenty-four of 7 and sixteen of 8, assigned in order.
struct PositionCode {
    std::array<std::uint8_t, 64> code{};      // the code in the top bits of a byte
    std::array<std::uint8_t, 64> length{};    // its length in bits
    std::array<std::uint8_t, 256> upperOf{};  // the upper six bits a byte starts with
    std::array<std::uint8_t, 256> lengthOf{}; // and the length of that code
};

constexpr PositionCode MakePositionCode()
{
    constexpr int codesOfLength[] = {0, 0, 0, 1, 3, 8, 12, 24, 16};
    PositionCode t;
    int upper = 0;
    int next = 0;
    for (int length = 3; length <= 8; ++length) {
        for (int i = 0; i < codesOfLength[length]; ++i, ++upper) {
            t.code[upper] = std::uint8_t(next);
            t.length[upper] = std::uint8_t(length);
            for (int b = 0; b < (256 >> length); ++b) {
                t.upperOf[next + b] = std::uint8_t(upper);
                t.lengthOf[next + b] = std::uint8_t(length);
            }
            next += 256 >> length;
        }
    }
    return t;
}

constexpr PositionCode Positions = MakePositionCode();

std::unique_ptr<LzhufTree> NewTree()
{
    try {
        return std::make_unique<LzhufTree>();
    } catch (const std::bad_alloc&) {
        throw ElzhException(QStringLiteral("LZH : Cannot get memory for dictionary tables"));
    }
}

// Collects bits most significant first and passes whole bytes on in chunks.
class BitWriter {
public:
    explicit BitWriter(const ByteSink& sink) : sink_(sink) { buffer_.reserve(ChunkSize); }

    // Appends the low Count (at most 32) bits of Bits.
    void Put(std::uint64_t Bits, int Count)
    {
        bits_ = (bits_ << Count) | (Bits & ((std::uint64_t(1) << Count) - 1));
        pending_ += Count;
        while (pending_ >= 8) {
            pending_ -= 8;
            PutByte(std::uint8_t(bits_ >> pending_));
        }
    }
    // Pads the last byte with zero bits and passes on everything; returns the bytes written in all.
    std::int64_t Finish()
    {
        if (pending_ > 0)
            Put(0, 8 - pending_);
        Flush();
        return written_;
    }

private:
    void PutByte(std::uint8_t byte)
    {
        buffer_.push_back(byte);
        if (buffer_.size() == ChunkSize)
            Flush();
    }
    void Flush()
    {
        if (!buffer_.empty())
            sink_(buffer_.data(), int(buffer_.size()));
        written_ += std::int64_t(buffer_.size());
        buffer_.clear();
    }

    const ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bits_ = 0;
    int pending_ = 0;
    std::int64_t written_ = 0;
};

// Reads bits most significant first; past the end of the input it reads zero bytes and counts them.
class BitReader {
public:
    explicit BitReader(const ByteSource& source) : source_(source), buffer_(ChunkSize) {}

    int Bit() { return int(Bits(1)); }
    // The next Count (at most 24) bits.
    std::uint32_t Bits(int Count)
    {
        while (pending_ < Count) {
            bits_ = (bits_ << 8) | NextByte();
            pending_ += 8;
        }
        pending_ -= Count;
        return std::uint32_t(bits_ >> pending_) & ((1u << Count) - 1);
    }
    // Zero bytes read past the end of the input.
    int PastEnd() const { return pastEnd_; }

private:
    std::uint8_t NextByte()
    {
        if (next_ == filled_ && !ended_) {
            filled_ = source_(buffer_.data(), ChunkSize);
            next_ = 0;
            ended_ = filled_ <= 0;
        }
        if (ended_) {
            ++pastEnd_;
            return 0;
        }
        return buffer_[std::size_t(next_++)];
    }

    const ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    int next_ = 0;
    int filled_ = 0;
    bool ended_ = false;
    int pastEnd_ = 0;
    std::uint64_t bits_ = 0;
    int pending_ = 0;
};

// Greedy LZSS parsing with hash chains over the last RingSize bytes. The data is kept in a window
// with at least RingSize bytes of history before the current position; positions are counted from the
// first byte of the input, and the MaxMatch spaces before it (the decoder's ring) are history too.
class Encoder {
public:
    Encoder(const ByteSource& source, const ByteSink& sink) : source_(source), out_(sink), tree_(NewTree())
    {
        window_.assign(WindowSize, RingFill);
        base_ = -MaxMatch;
        end_ = 0;
        head_.fill(Empty);
        prev_.fill(Empty);
    }

    std::int64_t Run()
    {
        Fill();
        for (std::int64_t q = -MaxMatch; q < 0; ++q)
            Insert(q);
        std::int64_t p = 0;
        while (p < end_) {
            if (end_ - p < MaxMatch + 2)
                Fill();
            int distance = 0;
            const int length = LongestMatch(p, distance);
            if (length >= MinMatch) {
                Symbol(LengthSymbol(length));
                const int position = distance - 1;
                const int upper = position >> 6;
                out_.Put(Positions.code[upper] >> (8 - Positions.length[upper]), Positions.length[upper]);
                out_.Put(std::uint64_t(position & 63), 6);
            } else {
                Symbol(At(p));
            }
            const int step = length >= MinMatch ? length : 1;
            for (int i = 0; i < step; ++i)
                Insert(p + i);
            p += step;
        }
        return out_.Finish();
    }

private:
    static constexpr int HashBits = 13;
    static constexpr int MaxChain = 128;
    static constexpr int WindowSize = RingSize + MaxMatch + 2 * ChunkSize;
    static constexpr std::int64_t Empty = std::numeric_limits<std::int64_t>::min() / 2;

    std::uint8_t At(std::int64_t position) const { return window_[std::size_t(position - base_)]; }
    const std::uint8_t* Ptr(std::int64_t position) const { return window_.data() + (position - base_); }

    static int Hash(const std::uint8_t* p)
    {
        const std::uint32_t key = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        return int((key * 2654435761u) >> (32 - HashBits));
    }

    // Moves the window on so that RingSize bytes of history stay, and reads input after the data.
    void Fill()
    {
        if (ended_)
            return;
        const std::int64_t keepFrom = std::max(base_, end_ - RingSize - MaxMatch - 2);
        const std::int64_t kept = end_ - keepFrom;
        std::memmove(window_.data(), Ptr(keepFrom), std::size_t(kept));
        base_ = keepFrom;
        std::int64_t room = WindowSize - kept;
        while (room > 0 && !ended_) {
            const int n =
                source_(window_.data() + (end_ - base_), int(std::min<std::int64_t>(room, ChunkSize)));
            ended_ = n <= 0;
            if (n > 0) {
                end_ += n;
                room -= n;
            }
        }
    }

    void Insert(std::int64_t position)
    {
        if (position + MinMatch > end_)
            return;
        const int h = Hash(Ptr(position));
        prev_[std::size_t(position & (RingSize - 1))] = head_[std::size_t(h)];
        head_[std::size_t(h)] = position;
    }

    // The longest earlier copy (up to MaxMatch) of the bytes at p within RingSize bytes back.
    int LongestMatch(std::int64_t p, int& distance) const
    {
        const int limit = int(std::min<std::int64_t>(MaxMatch, end_ - p));
        if (limit < MinMatch)
            return 0;
        const std::uint8_t* here = Ptr(p);
        int best = Threshold;
        std::int64_t candidate = head_[std::size_t(Hash(here))];
        for (int chain = MaxChain; chain > 0 && p - candidate <= RingSize; --chain) {
            const std::uint8_t* there = Ptr(candidate);
            if (there[best] == here[best]) {
                int length = 0;
                while (length < limit && there[length] == here[length])
                    ++length;
                if (length > best) {
                    best = length;
                    distance = int(p - candidate);
                    if (best == limit)
                        break;
                }
            }
            candidate = prev_[std::size_t(candidate & (RingSize - 1))];
        }
        return best > Threshold ? best : 0;
    }

    void Symbol(int symbol)
    {
        std::uint64_t code = 0;
        const int length = tree_->CodeOf(symbol, code);
        out_.Put(code, length);
        tree_->Update(symbol);
    }

    const ByteSource& source_;
    BitWriter out_;
    std::unique_ptr<LzhufTree> tree_;
    std::vector<std::uint8_t> window_;
    std::int64_t base_; // position of window_[0]
    std::int64_t end_;  // position after the last byte read
    bool ended_ = false;
    std::array<std::int64_t, std::size_t(1) << HashBits> head_;
    std::array<std::int64_t, RingSize> prev_;
};

} // namespace

std::int64_t LzhufEncode(const ByteSource& Source, const ByteSink& Sink)
{
    return Encoder(Source, Sink).Run();
}

std::int64_t LzhufDecode(const ByteSource& Source, std::uint32_t Size, const ByteSink& Sink)
{
    // Zero bytes past the end accepted as padding; a well-formed input needs none.
    constexpr int Margin = 4;
    const std::unique_ptr<LzhufTree> tree = NewTree();
    BitReader in(Source);
    std::array<std::uint8_t, RingSize> ring;
    ring.fill(0);
    std::memset(ring.data(), RingFill, RingStart);
    int r = RingStart;
    std::vector<std::uint8_t> out;
    out.reserve(ChunkSize);
    std::int64_t produced = 0;
    auto put = [&](std::uint8_t byte) {
        ring[std::size_t(r)] = byte;
        r = (r + 1) & (RingSize - 1);
        out.push_back(byte);
        if (out.size() == ChunkSize) {
            Sink(out.data(), int(out.size()));
            out.clear();
        }
        ++produced;
    };
    while (produced < std::int64_t(Size)) {
        const int symbol = tree->Walk([&] { return in.Bit(); });
        tree->Update(symbol);
        if (symbol < 256) {
            put(std::uint8_t(symbol));
        } else {
            std::uint32_t bits = in.Bits(8);
            const int upper = Positions.upperOf[bits];
            const int extra = Positions.lengthOf[bits] - 2;
            bits = (bits << extra) | in.Bits(extra);
            const int position = (upper << 6) | int(bits & 63);
            const int from = r - position - 1;
            const int length = symbol - LengthSymbol(0);
            for (int i = 0; i < length; ++i)
                put(ring[std::size_t((from + i) & (RingSize - 1))]);
        }
        if (in.PastEnd() > Margin)
            break;
    }
    if (!out.empty())
        Sink(out.data(), int(out.size()));
    return produced;
}
