// Pixel coding: the LZW decoder on good and broken data, the LZW and run-length encoders, and the
// sub-block writer.
#include "gif_test_support.h"
#include "imaging/gif_lzw_decoder.h"
#include "imaging/gif_lzw_encoder.h"
#include "imaging/gif_rle_encoder.h"
#include "imaging/gif_writer.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Decoded {
    std::vector<uint8_t> pixels;
    QStringList warnings;
    int64_t position = 0;
};

Decoded Decode(const QByteArray& data, int width, int height, bool interlaced = false, uint8_t fill = 0)
{
    Decoded result;
    result.pixels.assign(size_t(width * height), fill);
    auto stream = StreamOf(data);
    DecodeLZW(*stream, result.pixels.data(), width, height, interlaced,
              [&](const QString& message) { result.warnings << message; });
    result.position = stream->Position();
    return result;
}

template <class Encoder>
QByteArray Encode(const std::vector<uint8_t>& pixels, int width, int height, int bits,
                  bool interlaced = false)
{
    TMemoryStream stream;
    Encoder().Encode(stream, bits, 1 << bits, pixels.data(), interlaced, height, width);
    return ContentOf(stream);
}

// Codes packed as the decoder reads them (width growing with the decoder's table), in one
// sub-block, after the code-size byte and before the 0 byte.
QByteArray CodeStream(int initialSize, const std::vector<int>& codes)
{
    const int clear = 1 << initialSize;
    int width = initialSize + 1, nextFree = clear + 2;
    bool first = true;
    uint64_t bits = 0;
    int count = 0;
    QByteArray packed;
    for (int code : codes) {
        bits |= uint64_t(code) << count;
        count += width;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
        if (code == clear) {
            width = initialSize + 1;
            nextFree = clear + 2;
            first = true;
        } else if (first) {
            first = false;
        } else if (nextFree < 4096 && ++nextFree >= 1 << width && width < 12) {
            ++width;
        }
    }
    if (count > 0)
        packed.append(char(bits & 0xFF));
    return Bytes({initialSize, int(packed.size())}) + packed + Bytes({0});
}

std::vector<uint8_t> Noise(size_t count, int colors, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> pixels(count);
    for (uint8_t& pixel : pixels)
        pixel = uint8_t(random() % unsigned(colors));
    return pixels;
}

TEST(GIFCoding, OnePixelIsClearPixelEndInOneSubBlock)
{
    const QByteArray expected = Bytes({0x02, 0x02, 0x44, 0x01, 0x00});
    EXPECT_EQ(Encode<TLZWEncoder>({0}, 1, 1, 1), expected);
    EXPECT_EQ(Encode<TRLEEncoder>({0}, 1, 1, 1), expected);
    const Decoded decoded = Decode(expected + Bytes({0x3B}), 1, 1, false, 1);
    EXPECT_EQ(decoded.pixels, std::vector<uint8_t>{0});
    EXPECT_EQ(decoded.position, 5);
    EXPECT_EQ(decoded.warnings, QStringList());
}

// Broken and unusual data ends the frame early: the rest keeps the fill value, the stream ends up
// after the data's 0 byte, and nothing is read or written outside.
TEST(GIFCoding, DecoderStopsSafelyOnBrokenData)
{
    struct Case {
        const char* name;
        QByteArray data;
        std::vector<uint8_t> pixels;
        QStringList warnings;
        int64_t position;
    };
    const QByteArray trailing = Bytes({0x3B});
    const QByteArray onePixel = Bytes({0x02, 0x02, 0x44, 0x01});
    const std::vector<Case> cases = {
        {"ends after the clear code", CodeStream(2, {4, 4}) + trailing, {7, 7, 7, 7, 7, 7}, {}, 4},
        {"data after the end code is skipped",
         onePixel + Bytes({3, 1, 2, 3, 0}) + trailing,
         {0, 7, 7, 7, 7, 7},
         {},
         9},
        {"code size above 11",
         Bytes({12, 2, 0xFF, 0xFF, 0}) + trailing,
         {7, 7, 7, 7, 7, 7},
         {gifmsg::BadData},
         5},
        {"sub-block longer than the data",
         Bytes({2, 5, 0x44}),
         {0, 7, 7, 7, 7, 7},
         {gifmsg::PrematureEOF},
         3},
        {"no data at all", {}, {7, 7, 7, 7, 7, 7}, {}, 0},
        {"undefined first code",
         CodeStream(2, {4, 7, 0, 5}) + trailing,
         {7, 7, 7, 7, 7, 7},
         {gifmsg::BadData},
         5},
        {"code whose prefix is itself",
         CodeStream(2, {4, 0, 7, 0, 7, 5}) + trailing,
         {0, 0, 0, 0, 7, 7},
         {gifmsg::CircularTableEntry},
         6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = Decode(c.data, 6, 1, false, 7);
        EXPECT_EQ(decoded.pixels, c.pixels);
        EXPECT_EQ(decoded.warnings, c.warnings);
        EXPECT_EQ(decoded.position, c.position);
    }
}

// Codes that refer to each other in a loop would expand without end; the bounded stack stops them.
TEST(GIFCoding, CodeLoopsEndTheFrameInsteadOfOverrunning)
{
    std::vector<int> codes = {8, 0, 12, 11, 0};
    codes.insert(codes.end(), 20, 11);
    codes.push_back(9);
    const Decoded decoded = Decode(CodeStream(3, codes), 100, 100, false, 3);
    EXPECT_TRUE(decoded.warnings.contains(gifmsg::CircularTableEntry))
        << decoded.warnings.join(';').toStdString();
    EXPECT_EQ(decoded.pixels.back(), 3);
}

// Whatever either encoder writes, at any depth and in either row order, decodes to the same pixels.
TEST(GIFCoding, EncodersRoundTripThroughTheDecoder)
{
    struct Size {
        int width, height;
    };
    std::vector<Size> sizes = {{1, 1}, {300, 1}, {17, 23}, {64, 64}};
    for (int height = 1; height <= 9; ++height)
        sizes.push_back({5, height});
    for (int bits = 1; bits <= 8; ++bits)
        for (bool interlaced : {false, true})
            for (const Size size : sizes) {
                std::vector<uint8_t> pixels =
                    Noise(size_t(size.width * size.height), 1 << bits, unsigned(bits));
                for (size_t i = 0; i < pixels.size() / 2; ++i)
                    pixels[i] = uint8_t(i / 37 % (1 << bits));
                for (bool rle : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "bits " << bits << " interlaced " << interlaced << " rle " << rle << " "
                                 << size.width << "x" << size.height);
                    const QByteArray data =
                        rle ? Encode<TRLEEncoder>(pixels, size.width, size.height, bits, interlaced)
                            : Encode<TLZWEncoder>(pixels, size.width, size.height, bits, interlaced);
                    EXPECT_EQ(uint8_t(data[0]), std::max(bits, 2));
                    const Decoded decoded = Decode(data, size.width, size.height, interlaced);
                    EXPECT_EQ(decoded.pixels, pixels);
                    EXPECT_EQ(decoded.warnings, QStringList());
                    EXPECT_EQ(decoded.position, data.size());
                }
            }
}

// Records every code and the width it goes out with.
template <class Base> class Recording : public Base {
public:
    std::vector<int> codes;
    int widest = 0;
    int clear() const { return this->clearCode_; }

protected:
    void Output(int Code) override
    {
        codes.push_back(Code);
        widest = std::max(widest, this->codeSize_);
        Base::Output(Code);
    }
};

TEST(GIFCoding, LZWClearsWhenTheNextFreeCodeReaches4095AndStaysWithin12Bits)
{
    const std::vector<uint8_t> pixels = Noise(400 * 300, 256, 9);
    Recording<TLZWEncoder> encoder;
    TMemoryStream stream;
    encoder.Encode(stream, 8, 256, pixels.data(), false, 300, 400);
    EXPECT_EQ(encoder.widest, 12);
    std::vector<size_t> clears;
    for (size_t i = 0; i < encoder.codes.size(); ++i)
        if (encoder.codes[i] == encoder.clear())
            clears.push_back(i);
    ASSERT_GT(clears.size(), 3u);
    EXPECT_EQ(clears.front(), 0u);
    // Between clears: one code for each free code from 258 up to 4094, and the one that fills 4095.
    for (size_t i = 1; i < clears.size(); ++i)
        EXPECT_EQ(clears[i] - clears[i - 1] - 1, size_t(4094 - 256)) << "clear " << i;
    EXPECT_EQ(Decode(ContentOf(stream), 400, 300).pixels, pixels);
}

TEST(GIFCoding, RunLengthCodesAOneColourFrameInAFewCodes)
{
    const std::vector<uint8_t> pixels(200 * 100, 3);
    Recording<TRLEEncoder> encoder;
    TMemoryStream stream;
    encoder.Encode(stream, 4, 16, pixels.data(), false, 100, 200);
    EXPECT_LT(encoder.codes.size(), 250u);
    for (int code : encoder.codes)
        EXPECT_TRUE(code == 3 || code >= encoder.clear()) << code;
    EXPECT_EQ(Decode(ContentOf(stream), 200, 100).pixels, pixels);
}

TEST(GIFCoding, APixelOutsideTheColoursFails)
{
    for (bool rle : {false, true}) {
        TMemoryStream stream;
        const std::vector<uint8_t> pixels = {0, 1, 4, 0};
        try {
            if (rle)
                TRLEEncoder().Encode(stream, 2, 4, pixels.data(), false, 1, 4);
            else
                TLZWEncoder().Encode(stream, 2, 4, pixels.data(), false, 1, 4);
            ADD_FAILURE() << "no failure";
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, gifmsg::ColorNotInTable);
        }
        EXPECT_EQ(uint8_t(ContentOf(stream).at(0)), 2);
    }
}

TEST(GIFCoding, WriterPacksSubBlocksOf255AndRefusesReadingAndSeeking)
{
    TMemoryStream out;
    {
        TGIFWriter writer(out);
        const QByteArray data(600, 'x');
        writer.WriteBuffer(data.constData(), data.size());
        char byte = 0;
        EXPECT_THROW(writer.Read(&byte, 1), Exception);
        EXPECT_THROW(writer.Seek(0, soBeginning), Exception);
    }
    const QByteArray written = ContentOf(out);
    ASSERT_EQ(written.size(), 603);
    EXPECT_EQ(uint8_t(written[0]), 255);
    EXPECT_EQ(uint8_t(written[256]), 255);
    EXPECT_EQ(uint8_t(written[512]), 90);
}

} // namespace
