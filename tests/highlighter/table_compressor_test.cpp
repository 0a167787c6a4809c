// TCompressor: exact KH containers, round trips of both methods, the advisor, corrupt input and every
// error text of the stream and file modes.
#include "compress_bytes.h"
#include "sample_data.h"

#include "highlighter/compressor_exceptions.h"
#include "highlighter/kh_codec.h"
#include "highlighter/table_compressor.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"
#include "support/file_size_limit.h"
#include "support/limited_stream.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray Content(TCustomMemoryStream& stream)
{
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

void Fill(TMemoryStream& stream, const QByteArray& bytes)
{
    stream.WriteBuffer(bytes.constData(), bytes.size());
    stream.SetPosition(0);
}

// The message of the ECompressorException that Action raises, or "" when it raises none.
template <class Action> QString FailureOf(Action action)
{
    try {
        action();
    } catch (const ECompressorException& e) {
        return e.Message;
    }
    return {};
}

QString DecompressFailure(const QByteArray& container)
{
    return FailureOf([&] { DecompressBytes(container); });
}

// The lengths of the KH blocks of a container.
std::vector<int> BlockLengths(const QByteArray& container)
{
    std::vector<int> lengths;
    for (qsizetype at = 8; at + 2 <= container.size();) {
        const int length = std::uint8_t(container[at]) | std::uint8_t(container[at + 1]) << 8;
        lengths.push_back(length);
        at += 2 + length;
    }
    return lengths;
}

enum Call { Compress, Decompress, Advise };

void Perform(TCompressor& compressor, Call call)
{
    switch (call) {
    case Compress: compressor.Compress(); break;
    case Decompress: compressor.Decompress(); break;
    case Advise: compressor.Advise(); break;
    }
}

const QString MismatchKH =
    QStringLiteral("Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !");
const QString MismatchLZH =
    QStringLiteral("Compressor (LZH decompression) : Original and compressed sizes do not match !");

} // namespace

TEST(TableCompressor, KhContainersHaveTheExactLayout)
{
    const struct {
        const char* name;
        QByteArray input;
        QByteArray container;
    } cases[] = {
        {"empty input: one empty stored block", "", Hex("57525a4c00000000 0100 80")},
        {"16 equal bytes: one run item", QByteArray(16, 'v'), Hex("57525a4c10000000 0700 40 8000 00000076")},
        {"15 equal bytes: a literal and a match of 14 at offset 1", QByteArray(15, 'v'),
         Hex("57525a4c0f000000 0600 40 4000 76 001b")},
        {"a run of 4095 and one of 16", QByteArray(4111, 'v'),
         Hex("57525a4c0f100000 0b00 40 c000 000fef76 00000076")},
        {"two bytes: coding does not pay", "ab", Hex("57525a4c02000000 0300 80 6162")},
        {"seventeen items take a second control word", "abcabcabcabcabcabcXYZXYZXYZXYZ0123456789ABCDEFGH",
         Hex("57525a4c30000000 2100 40 1100 616263 003c 58595a 0036 3031323334353637 0000 "
             "38394142434445464748")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray container = CompressBytes(c.input, TCompressor::MethodKH);
        EXPECT_EQ(container, c.container);
        EXPECT_EQ(DecompressBytes(container), c.input);
    }
}

TEST(TableCompressor, FullBlocksEndWithAnEmptyBlockAndDecodingStopsThere)
{
    const QByteArray input = SampleText(32768);
    const QByteArray container = CompressBytes(input, TCompressor::MethodKH);
    const std::vector<int> lengths = BlockLengths(container);
    ASSERT_EQ(lengths.size(), 2u);
    EXPECT_LT(lengths[0], 32768);
    EXPECT_TRUE(container.endsWith(Hex("010080")));

    // Whatever follows the container is neither read nor decoded.
    TMemoryStream in;
    Fill(in, container + "trailing bytes");
    TMemoryStream out;
    TCompressor compressor;
    compressor.UseStreams = true;
    compressor.InputStream = &in;
    compressor.OutputStream = &out;
    EXPECT_EQ(compressor.Decompress(), 32768);
    EXPECT_EQ(in.Position(), container.size());
    EXPECT_EQ(Content(out), input);
}

TEST(TableCompressor, IncompressibleDataIsStored)
{
    const QByteArray input = SampleRandom(40000);
    const QByteArray container = CompressBytes(input, TCompressor::MethodKH);
    EXPECT_EQ(BlockLengths(container), (std::vector<int>{32769, 7233}));
    EXPECT_EQ(std::uint8_t(container[10]), 0x80);
    EXPECT_EQ(container.mid(11, 32768), input.left(32768));
    EXPECT_EQ(container.size(), 8 + 2 + 32769 + 2 + 7233);
}

TEST(TableCompressor, BothMethodsRoundTripEverySize)
{
    const int sizes[] = {0, 1, 2, 3, 15, 16, 17, 32767, 32768, 32769, 65536, 98303, 98304, 1 << 20};
    for (const std::uint8_t method : {TCompressor::MethodKH, TCompressor::MethodLZH}) {
        for (const int size : sizes) {
            for (const QByteArray& input :
                 {SampleZeros(size), SampleText(size, unsigned(size)), SampleRandom(size, 3)}) {
                SCOPED_TRACE("method " + std::to_string(method) + ", " + std::to_string(size) + " bytes");
                const QByteArray container = CompressBytes(input, method);
                EXPECT_EQ(container.left(4), method == TCompressor::MethodKH ? "WRZL" : "!HZL");
                EXPECT_EQ(container.mid(4, 4),
                          QByteArray::fromRawData(reinterpret_cast<const char*>(&size), 4));
                EXPECT_TRUE(DecompressBytes(container) == input);
            }
        }
    }
}

TEST(TableCompressor, RandomSizesAndMixturesRoundTrip)
{
    std::mt19937 random(20240611);
    for (int n = RandomCases(20); n > 0; --n) {
        const int size = int(random() % 150000);
        // Text with random stretches: every item kind, and blocks that flip between coded and stored.
        QByteArray input = SampleText(size, random());
        for (int at = 0; at < size; at += 1 + int(random() % 20000)) {
            const int length = std::min(size - at, int(random() % 5000));
            input.replace(at, length,
                          (random() & 1) ? SampleRandom(length, random())
                                         : QByteArray(length, char(random())));
        }
        for (const std::uint8_t method : {TCompressor::MethodKH, TCompressor::MethodLZH}) {
            SCOPED_TRACE("method " + std::to_string(method) + ", " + std::to_string(size) + " bytes");
            EXPECT_TRUE(DecompressBytes(CompressBytes(input, method)) == input);
        }
    }
}

TEST(TableCompressor, StreamModeTakesTheInputFromItsPositionAndWritesAtTheOutputs)
{
    TMemoryStream in;
    Fill(in, "skipped" + SampleText(5000));
    in.SetPosition(7);
    TMemoryStream out;
    Fill(out, "kept");
    out.Seek(0, soEnd);
    TCompressor compressor;
    compressor.UseStreams = true;
    compressor.InputStream = &in;
    compressor.OutputStream = &out;
    const std::int64_t written = compressor.Compress();
    EXPECT_EQ(written, out.Size() - 4);
    EXPECT_EQ(Content(out).left(4), "kept");
    EXPECT_EQ(DecompressBytes(Content(out).mid(4)), SampleText(5000));
}

TEST(TableCompressor, AdviseSamplesLargeInputsAndGivesSmallOnesLzh)
{
    const struct {
        const char* name;
        QByteArray input;
        std::int32_t threshold;
        int advice;
        std::uint8_t methodAfter;
    } cases[] = {
        {"below 96 KiB", SampleText(98303), 40, TCompressor::MethodLZH, TCompressor::MethodLZH},
        {"large text", SampleText(300000), 40, TCompressor::MethodKH, TCompressor::MethodAdvise},
        {"large random data", SampleRandom(300000), 40, TCompressor::MethodLZH, TCompressor::MethodAdvise},
        {"large text under a stricter threshold", SampleText(300000), 1, TCompressor::MethodLZH,
         TCompressor::MethodAdvise},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream in;
        Fill(in, c.input);
        in.SetPosition(123);
        TCompressor compressor;
        compressor.UseStreams = true;
        compressor.InputStream = &in;
        compressor.Method = TCompressor::MethodAdvise;
        compressor.AdviseThreshold = c.threshold;
        EXPECT_EQ(compressor.Advise(), c.advice);
        EXPECT_EQ(compressor.Method, c.methodAfter);
        EXPECT_EQ(in.Position(), 123);
    }
}

TEST(TableCompressor, CompressWithAdviceUsesTheAdvisedMethod)
{
    EXPECT_EQ(CompressBytes(SampleText(300000), TCompressor::MethodAdvise).left(4), "WRZL");
    EXPECT_EQ(CompressBytes(SampleText(1000), TCompressor::MethodAdvise).left(4), "!HZL");
}

TEST(TableCompressor, ForeignSignatureIsRefusedAndNothingIsWritten)
{
    const QByteArray foreign = "PK\x03\x04" + CompressBytes("content", TCompressor::MethodKH).mid(4);

    TMemoryStream in;
    Fill(in, foreign);
    TMemoryStream out;
    TCompressor streams;
    streams.UseStreams = true;
    streams.InputStream = &in;
    streams.OutputStream = &out;
    EXPECT_EQ(FailureOf([&] { streams.Decompress(); }),
              "Compressor decompression : input stream contains no valid header !");
    EXPECT_EQ(out.Size(), 0);

    const QString input = testRunFolder() + "/foreign.bin";
    const QString output = testRunFolder() + "/foreign.out";
    for (const auto& [name, bytes] : {std::pair{input, foreign}, std::pair{output, QByteArray("precious")}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TCompressor files;
    files.InputFile = input;
    files.OutputFile = output;
    EXPECT_EQ(FailureOf([&] { files.Decompress(); }),
              input + " : Compressor decompression : this file has no valid header !");
    QFile kept(output);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "precious");
}

TEST(TableCompressor, FileModeRoundTripsAndReportsEachFailure)
{
    const QString folder = testRunFolder();
    const QString source = folder + "/source.txt";
    const QString packed = folder + "/packed.bin";
    const QString unpacked = folder + "/unpacked.txt";
    const QString truncated = folder + "/truncated.bin";
    const QString missing = folder + "/missing.txt";
    const QString noFolder = folder + "/no/such/folder/out.bin";
    const QByteArray text = SampleText(70000);
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();

    for (const std::uint8_t method : {TCompressor::MethodKH, TCompressor::MethodLZH}) {
        TCompressor compressor;
        compressor.Method = method;
        compressor.InputFile = source;
        compressor.OutputFile = packed;
        const std::int64_t written = compressor.Compress();
        EXPECT_EQ(written, FileSizeOf(packed));
        compressor.InputFile = packed;
        compressor.OutputFile = unpacked;
        EXPECT_EQ(compressor.Decompress(), text.size());
        QFile result(unpacked);
        ASSERT_TRUE(result.open(QIODevice::ReadOnly));
        EXPECT_TRUE(result.readAll() == text);
    }
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(CompressBytes(text, TCompressor::MethodKH).left(9));
    cut.close();

    const struct {
        Call call;
        QString input;
        QString output;
        QString message;
    } cases[] = {
        {Compress, missing, packed, "Compressor compression : Failed to obtain the size of : " + missing},
        {Compress, folder, packed, "Compressor (de)compression : Failed to open input file : " + folder},
        {Compress, source, noFolder, "Compressor (de)compression : Failed to open output file : " + noFolder},
        {Decompress, missing, unpacked,
         "Compressor (de)compression : Failed to open input file : " + missing},
        {Decompress, packed, noFolder,
         "Compressor (de)compression : Failed to open output file : " + noFolder},
        {Decompress, truncated, unpacked, "Compressor : Error reading from input file : " + truncated},
        {Advise, missing, "", "Compressor advise : can not get the size of : " + missing},
        {Advise, folder, "", "Compressor advise : can open input file : " + folder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TCompressor compressor;
        compressor.InputFile = c.input;
        compressor.OutputFile = c.output;
        EXPECT_EQ(FailureOf([&] { Perform(compressor, c.call); }), c.message);
    }

    // A disk that fills up under the last few bytes of a small output: the bytes still waiting in
    // the file's buffer are written before the call reports success, so the failure is seen.
    for (const std::uint8_t method : {TCompressor::MethodKH, TCompressor::MethodLZH}) {
        TCompressor compressor;
        compressor.Method = method;
        compressor.InputFile = source;
        compressor.OutputFile = packed;
        const FileSizeLimit limit(100);
        EXPECT_EQ(FailureOf([&] { compressor.Compress(); }),
                  "Compressor : Error writing to output file : " + packed);
    }
}

namespace {

// A memory stream that refuses every move of its position (its size it still knows).
class TUnseekableStream : public TMemoryStream {
public:
    std::int64_t Seek(std::int64_t, TSeekOrigin) override { return -1; }
};

} // namespace

TEST(TableCompressor, StreamModeReportsEachFailure)
{
    const QByteArray text = SampleText(200000);
    const QByteArray container = CompressBytes(text, TCompressor::MethodKH);
    using Maker = std::function<TStream*()>; // empty: no stream
    const Maker plain = [] { return new TMemoryStream; };
    const Maker unseekable = [] { return new TUnseekableStream; };
    auto limited = [](std::int64_t limit) -> Maker { return [limit] { return new TLimitedStream(limit); }; };
    const struct {
        const char* name;
        Call call;
        std::uint8_t method;
        Maker input; // filled with the text, or with its container for Decompress
        Maker output;
        QString message;
    } cases[] = {
        {"no input stream",
         Compress,
         TCompressor::MethodKH,
         {},
         plain,
         "Compressor compression : Failed to obtain the size of the input stream !"},
        {"unseekable input", Compress, TCompressor::MethodKH, unseekable, plain,
         "Compressor (de)compression : Failed to initialize input stream !"},
        {"no output stream",
         Compress,
         TCompressor::MethodKH,
         plain,
         {},
         "Compressor (de)compression : Failed to initialize output stream !"},
        {"no input stream",
         Decompress,
         TCompressor::MethodKH,
         {},
         plain,
         "Compressor (de)compression : Failed to initialize input stream !"},
        {"full output", Compress, TCompressor::MethodKH, plain, limited(100),
         "Compressor : Error writing to output stream !"},
        {"full output", Compress, TCompressor::MethodLZH, plain, limited(100),
         "Compressor : Error writing to output stream !"},
        {"full output", Decompress, TCompressor::MethodKH, plain, limited(100),
         "Compressor : Error writing to output stream !"},
        {"input shorter than its size", Compress, TCompressor::MethodKH, limited(50000), plain,
         "Compressor : Error reading from input stream ! (Compressor/KH)"},
        {"input shorter than its size", Compress, TCompressor::MethodLZH, limited(50000), plain,
         "Compressor : Error reading from input stream ! (LZH)"},
        {"truncated container", Decompress, TCompressor::MethodKH, limited(1000), plain,
         "Compressor : Error reading from input stream !"},
        {"no input stream",
         Advise,
         TCompressor::MethodKH,
         {},
         {},
         "Compressor advise : can not get size of inputstream !"},
        {"unseekable input",
         Advise,
         TCompressor::MethodKH,
         unseekable,
         {},
         "Compressor edvise : can not initialize the input stream!"},
        {"input shorter than its size",
         Advise,
         TCompressor::MethodKH,
         limited(50000),
         {},
         "Compressor advise : input stream read error !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.message.toStdString());
        std::unique_ptr<TStream> in(c.input ? c.input() : nullptr);
        if (auto* memory = dynamic_cast<TMemoryStream*>(in.get())) {
            // Filled behind the stream's back: limits and refused seeks apply to the compressor only.
            const QByteArray& bytes = c.call == Decompress ? container : text;
            memory->SetSize(bytes.size());
            std::memcpy(memory->Memory(), bytes.constData(), std::size_t(bytes.size()));
        }
        std::unique_ptr<TStream> out(c.output ? c.output() : nullptr);
        TCompressor compressor;
        compressor.UseStreams = true;
        compressor.Method = c.method;
        compressor.InputStream = in.get();
        compressor.OutputStream = out.get();
        EXPECT_EQ(FailureOf([&] { Perform(compressor, c.call); }), c.message);
    }
}

TEST(TableCompressor, CorruptKhDataIsRefused)
{
    QByteArray runs = Hex("40ff80");
    for (int i = 0; i < 9; ++i)
        runs += Hex("000fef76");
    const struct {
        const char* name;
        QByteArray container;
        QString message;
    } cases[] = {
        {"a match before the start of its block", Hex("57525a4c05000000 0600 40 4000 61 0021"),
         "Compressor (decompression Compressor/KH) : Match reaches before the start of the block !"},
        {"runs past a full block", Hex("57525a4c00800000 2700") + runs,
         "Compressor (decompression Compressor/KH) : Block decodes to more than 32768 bytes !"},
        {"a block longer than a stored full block", Hex("57525a4c00800000 0280 80") + QByteArray(32769, 'x'),
         "Compressor (decompression Compressor/KH) : Block longer than 32769 bytes !"},
        {"a block ending inside a run item", Hex("57525a4c14000000 0500 40 8000 000f"),
         "Compressor (decompression Compressor/KH) : Block ends inside an item !"},
        {"an unknown block kind", Hex("57525a4c01000000 0400 41 0000 61"),
         "Compressor (decompression Compressor/KH) : Unknown block kind !"},
        {"a size that differs from the data", Hex("57525a4c03000000 0300 80 6162"), MismatchKH},
        {"blocks missing", Hex("57525a4c00800000 0300 80 6162"), MismatchKH},
        {"no blocks at all", Hex("57525a4c00000000"), "Compressor : Error reading from input stream !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecompressFailure(c.container), c.message);
    }
}

TEST(TableCompressor, ShortBlocksDecodeToNothing)
{
    for (const char* container : {"57525a4c00000000 0000", "57525a4c00000000 0100 80",
                                  "57525a4c00000000 0100 40", "57525a4c00000000 0300 40 ffff"}) {
        SCOPED_TRACE(container);
        EXPECT_EQ(DecompressBytes(Hex(container)), "");
    }
}

TEST(TableCompressor, CorruptOrTruncatedLzhDataIsASizeMismatch)
{
    const QByteArray container = CompressBytes(SampleText(20000), TCompressor::MethodLZH);
    QByteArray hugeSize = container;
    hugeSize.replace(4, 4, Hex("ffffffff"));
    for (const QByteArray& corrupt : {container.left(container.size() / 2), hugeSize, container.left(9)}) {
        TMemoryStream in;
        Fill(in, corrupt);
        TMemoryStream out;
        TCompressor compressor;
        compressor.UseStreams = true;
        compressor.InputStream = &in;
        compressor.OutputStream = &out;
        EXPECT_EQ(FailureOf([&] { compressor.Decompress(); }), MismatchLZH);
        // At most what the coded bytes can describe, never the size the header claims.
        EXPECT_LE(out.Size(), 60 * 8 * corrupt.size());
    }
}

TEST(TableCompressor, KhCoderReadsOnlyItsBlock)
{
    // Each block lies in memory of its own size, so reading past it is caught by the address sanitizer.
    KhBlockCoder coder;
    std::vector<std::uint8_t> coded(KhBlockCoder::CodedCapacity);
    std::vector<std::uint8_t> decoded(KhBlockCoder::MaxBlock);
    for (int size = 0; size <= 40; ++size) {
        for (const QByteArray& pattern :
             {SampleZeros(size), SampleText(size, unsigned(size)), QByteArray("abcabcab").repeated(6)}) {
            const std::vector<std::uint8_t> block(
                pattern.begin(), pattern.begin() + std::min<qsizetype>(size, pattern.size()));
            const int length = coder.Encode(block.data(), int(block.size()), coded.data());
            const std::vector<std::uint8_t> exact(coded.begin(), coded.begin() + length);
            const int n = KhBlockCoder::Decode(exact.data(), length, decoded.data());
            EXPECT_EQ(std::vector<std::uint8_t>(decoded.begin(), decoded.begin() + n), block) << size;
        }
    }
}
