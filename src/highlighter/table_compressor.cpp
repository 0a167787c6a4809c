// TCompressor: the containers, the two modes with their error texts, and the method advisor.
#include "highlighter/table_compressor.h"

#include "highlighter/compressor_exceptions.h"
#include "highlighter/kh_codec.h"
#include "highlighter/lzhuf_codec.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"

#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr char SignatureKH[4] = {'W', 'R', 'Z', 'L'};
constexpr char SignatureLZH[4] = {'!', 'H', 'Z', 'L'};
constexpr int HeaderSize = 8;
constexpr int BlockSize = KhBlockCoder::MaxBlock;
// Inputs this large or larger are sampled by Advise; smaller ones get LZH.
constexpr std::int64_t AdviseMinimum = 0x18000;

[[noreturn]] void Fail(const QString& text)
{
    throw ECompressorException(text);
}

// The two working buffers of one operation, each with room for a coded KH block.
struct IoBuffers {
    explicit IoBuffers(const char* failure)
    {
        try {
            input.resize(KhBlockCoder::CodedCapacity);
            output.resize(KhBlockCoder::CodedCapacity);
        } catch (const std::bad_alloc&) {
            Fail(QString::fromLatin1(failure));
        }
    }
    std::vector<std::uint8_t> input;
    std::vector<std::uint8_t> output;
};

// The input and output of one Compress or Decompress: the given streams, or the files it opens,
// with the error texts of that mode.
class Channel {
public:
    explicit Channel(const TCompressor& owner)
        : owner_(owner), in_(owner.InputStream), out_(owner.OutputStream)
    {
    }

    bool Streams() const { return owner_.UseStreams; }
    TStream& In() { return *in_; }

    // Stream mode: both streams must be there and tell their position.
    void CheckStreams()
    {
        if (!in_ || in_->Position() < 0)
            Fail(QStringLiteral("Compressor (de)compression : Failed to initialize input stream !"));
        if (!out_ || out_->Position() < 0)
            Fail(QStringLiteral("Compressor (de)compression : Failed to initialize output stream !"));
    }
    void OpenInputFile()
    {
        try {
            inFile_ = std::make_unique<TFileStream>(owner_.InputFile, fmOpenRead | fmShareDenyWrite);
        } catch (const EStreamError&) {
            Fail(QStringLiteral("Compressor (de)compression : Failed to open input file : ") +
                 owner_.InputFile);
        }
        in_ = inFile_.get();
    }
    void CreateOutputFile()
    {
        try {
            outFile_ = std::make_unique<TFileStream>(owner_.OutputFile, fmCreate);
        } catch (const EStreamError&) {
            Fail(QStringLiteral("Compressor (de)compression : Failed to open output file : ") +
                 owner_.OutputFile);
        }
        out_ = outFile_.get();
    }

    // A header, block length or block: all Count bytes or the read error.
    void ReadCoded(void* Buffer, std::int64_t Count)
    {
        if (Transfer([&] { return in_->Read(Buffer, Count); }) != Count)
            Fail(Streams()
                     ? QStringLiteral("Compressor : Error reading from input stream !")
                     : QStringLiteral("Compressor : Error reading from input file : ") + owner_.InputFile);
    }
    // Uncoded input of the named method: all Count bytes or the read error.
    void ReadPlain(void* Buffer, std::int64_t Count, const char* method)
    {
        if (Transfer([&] { return in_->Read(Buffer, Count); }) != Count)
            Fail(Streams() ? QStringLiteral("Compressor : Error reading from input stream ! (%1)").arg(method)
                           : QStringLiteral("Compressor : Error reading from input file : %1 (%2)")
                                 .arg(owner_.InputFile, method));
    }
    // Up to Count bytes of coded input; fewer at its end.
    int ReadSome(void* Buffer, int Count)
    {
        return int(Transfer([&] { return in_->Read(Buffer, Count); }));
    }
    void Write(const void* Buffer, std::int64_t Count)
    {
        if (Transfer([&] { return out_->Write(Buffer, Count); }) != Count)
            WriteFailed();
    }
    // The output is whole: an output file's buffered last bytes are on the disk. Returns Written.
    std::int64_t Finish(std::int64_t Written)
    {
        if (outFile_ && Transfer([&] { outFile_->FlushBuffer(); return std::int64_t(0); }) != 0)
            WriteFailed();
        return Written;
    }

private:
    [[noreturn]] void WriteFailed() const
    {
        Fail(Streams() ? QStringLiteral("Compressor : Error writing to output stream !")
                       : QStringLiteral("Compressor : Error writing to output file : ") + owner_.OutputFile);
    }
    // A stream that raises instead of answering short counts as a short transfer (0 moved).
    template <class Move> static std::int64_t Transfer(Move move)
    {
        try {
            return move();
        } catch (const EStreamError&) {
            return -1;
        }
    }

    const TCompressor& owner_;
    TStream* in_;
    TStream* out_;
    std::unique_ptr<TFileStream> inFile_;
    std::unique_ptr<TFileStream> outFile_;
};

void WriteHeader(Channel& channel, const char (&signature)[4], std::uint32_t size)
{
    const std::uint8_t header[HeaderSize] = {std::uint8_t(signature[0]), std::uint8_t(signature[1]),
                                             std::uint8_t(signature[2]), std::uint8_t(signature[3]),
                                             std::uint8_t(size),         std::uint8_t(size >> 8),
                                             std::uint8_t(size >> 16),   std::uint8_t(size >> 24)};
    channel.Write(header, HeaderSize);
}

std::uint32_t LittleEndian(const std::uint8_t* bytes, int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value |= std::uint32_t(bytes[i]) << (8 * i);
    return value;
}

} // namespace

TCompressor::TCompressor()
{
    try {
        kh_ = std::make_unique<KhBlockCoder>();
    } catch (const std::bad_alloc&) {
        throw ECompressorKHCompressor(QStringLiteral("CompressorKH : no memory for HASH table"));
    }
}

TCompressor::~TCompressor() = default;

std::int64_t TCompressor::Compress()
{
    const std::uint8_t method = Method == MethodAdvise ? std::uint8_t(Advise()) : Method;
    IoBuffers buffers("Compressor (de)compression : Failed to get memory for I/O buffers !");
    Channel channel(*this);

    // The size stored is that of the bytes packed: from the input's position to its end.
    std::int64_t size = 0;
    if (UseStreams) {
        size = InputStream ? InputStream->Size() : -1;
        if (size < 0)
            Fail(QStringLiteral("Compressor compression : Failed to obtain the size of the input stream !"));
        channel.CheckStreams();
        size = std::max<std::int64_t>(0, size - InputStream->Position());
    } else {
        size = FileSizeOf(InputFile);
        if (size < 0)
            Fail(QStringLiteral("Compressor compression : Failed to obtain the size of : ") + InputFile);
        channel.OpenInputFile();
        channel.CreateOutputFile();
    }
    if (size > std::numeric_limits<std::uint32_t>::max())
        Fail(QStringLiteral("Compressor compression : The input is larger than 4 GiB !"));

    std::int64_t written = HeaderSize;
    if (method == MethodLZH) {
        WriteHeader(channel, SignatureLZH, std::uint32_t(size));
        std::int64_t left = size;
        const ByteSource source = [&](std::uint8_t* buffer, int capacity) {
            const int n = int(std::min<std::int64_t>(capacity, left));
            channel.ReadPlain(buffer, n, "LZH");
            left -= n;
            return n;
        };
        written +=
            LzhufEncode(source, [&](const std::uint8_t* data, int count) { channel.Write(data, count); });
        return channel.Finish(written);
    }

    WriteHeader(channel, SignatureKH, std::uint32_t(size));
    std::int64_t left = size;
    int n = 0;
    do {
        n = int(std::min<std::int64_t>(BlockSize, left));
        channel.ReadPlain(buffers.input.data(), n, "Compressor/KH");
        left -= n;
        const int length = kh_->Encode(buffers.input.data(), n, buffers.output.data());
        const std::uint8_t lengthBytes[2] = {std::uint8_t(length), std::uint8_t(length >> 8)};
        channel.Write(lengthBytes, 2);
        channel.Write(buffers.output.data(), length);
        written += 2 + length;
    } while (n == BlockSize);
    return channel.Finish(written);
}

std::int64_t TCompressor::Decompress()
{
    IoBuffers buffers("Compressor (de)compression : Failed to get memory for I/O buffers !");
    Channel channel(*this);
    if (UseStreams)
        channel.CheckStreams();
    else
        channel.OpenInputFile();

    std::uint8_t header[HeaderSize];
    channel.ReadCoded(header, 4);
    const bool kh = std::memcmp(header, SignatureKH, 4) == 0;
    if (!kh && std::memcmp(header, SignatureLZH, 4) != 0)
        Fail(UseStreams ? QStringLiteral("Compressor decompression : input stream contains no valid header !")
                        : InputFile + QStringLiteral(
                                          " : Compressor decompression : this file has no valid header !"));
    // Nothing replaces the output file before the input is known to be a container.
    if (!UseStreams)
        channel.CreateOutputFile();
    channel.ReadCoded(header + 4, 4);
    const std::uint32_t size = LittleEndian(header + 4, 4);

    std::int64_t written = 0;
    if (!kh) {
        written = LzhufDecode(
            [&](std::uint8_t* buffer, int capacity) { return channel.ReadSome(buffer, capacity); }, size,
            [&](const std::uint8_t* data, int count) { channel.Write(data, count); });
        if (written != size)
            Fail(QStringLiteral(
                "Compressor (LZH decompression) : Original and compressed sizes do not match !"));
        return channel.Finish(written);
    }

    int n = 0;
    do {
        std::uint8_t lengthBytes[2];
        channel.ReadCoded(lengthBytes, 2);
        const int length = int(LittleEndian(lengthBytes, 2));
        if (length > KhBlockCoder::MaxBlockLength)
            Fail(
                QStringLiteral("Compressor (decompression Compressor/KH) : Block longer than 32769 bytes !"));
        channel.ReadCoded(buffers.input.data(), length);
        n = KhBlockCoder::Decode(buffers.input.data(), length, buffers.output.data());
        channel.Write(buffers.output.data(), n);
        written += n;
    } while (n == BlockSize);
    if (written != size)
        Fail(QStringLiteral(
            "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !"));
    return channel.Finish(written);
}

int TCompressor::Advise()
{
    // The input stream goes back to where it was, however Advise ends.
    struct PositionKeeper {
        TStream* stream;
        std::int64_t position;
        ~PositionKeeper()
        {
            if (stream)
                stream->SetPosition(position);
        }
    };
    const QString noSize = QStringLiteral("Compressor advise : can not get size of inputstream !");
    if (UseStreams && !InputStream)
        Fail(noSize);
    PositionKeeper keeper{UseStreams ? InputStream : nullptr, UseStreams ? InputStream->Position() : 0};
    IoBuffers buffers("Compressor advise : Error getting I/O buffers");

    std::unique_ptr<TFileStream> file;
    TStream* in = InputStream;
    std::int64_t size = 0;
    if (UseStreams) {
        size = InputStream->Size();
        if (size < 0)
            Fail(noSize);
        if (InputStream->Seek(0, soBeginning) != 0)
            Fail(QStringLiteral("Compressor edvise : can not initialize the input stream!"));
    } else {
        size = FileSizeOf(InputFile);
        if (size < 0)
            Fail(QStringLiteral("Compressor advise : can not get the size of : ") + InputFile);
        try {
            file = std::make_unique<TFileStream>(InputFile, fmOpenRead | fmShareDenyWrite);
        } catch (const EStreamError&) {
            Fail(QStringLiteral("Compressor advise : can open input file : ") + InputFile);
        }
        in = file.get();
    }

    if (size < AdviseMinimum) {
        Method = MethodLZH;
        return MethodLZH;
    }
    std::int64_t coded = 0;
    for (const std::int64_t at : {size / 3, 2 * size / 3}) {
        const std::int64_t start = at / BlockSize * BlockSize;
        if (in->Seek(start, soBeginning) != start || in->Read(buffers.input.data(), BlockSize) != BlockSize)
            Fail(UseStreams ? QStringLiteral("Compressor advise : input stream read error !")
                            : QStringLiteral("Compressor advise : read error on input file : ") + InputFile);
        coded += kh_->Encode(buffers.input.data(), BlockSize, buffers.output.data());
    }
    return coded < std::int64_t(AdviseThreshold) * 2 * BlockSize / 100 ? MethodKH : MethodLZH;
}
