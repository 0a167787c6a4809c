// Row sizes, colour counts, the web palette, the bitmap reader and the in-memory bitmap writer.
#include "imaging/dib.h"
#include "imaging/gif_exception.h"
#include "platform/graphics/graphics_errors.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QtEndian>

using win::PALETTEENTRY;

namespace {

uint32_t U32(const QByteArray& data, int at)
{
    return qFromLittleEndian<uint32_t>(data.constData() + at);
}
uint16_t U16(const QByteArray& data, int at)
{
    return qFromLittleEndian<uint16_t>(data.constData() + at);
}

win::Palette Greys(int count)
{
    win::Palette palette;
    for (int i = 0; i < count; ++i)
        palette.Entries.push_back({uint8_t(i), uint8_t(i + 1), uint8_t(i + 2), win::PC_NOCOLLAPSE});
    return palette;
}

} // namespace

TEST(DIB, RowsArePaddedToTheAlignment)
{
    struct Case {
        int64_t pixels;
        int bits, alignment;
        int64_t bytes;
    };
    const Case cases[] = {
        {1, 24, 32, 4},
        {5, 24, 32, 16},
        {4, 24, 32, 12},
        {1, 1, 32, 4},
        {33, 1, 32, 8},
        {3, 4, 32, 4},
        {9, 4, 32, 8},
        {2, 8, 8, 2},
        {3, 1, 8, 1},
        {0, 24, 32, 0},
        {65535, 24, 32, 196608},
        {2000000000, 24, 32, 6000000000}, // beyond 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesPerScanline(c.pixels, c.bits, c.alignment), c.bytes)
            << c.pixels << " pixels of " << c.bits << " bits";
}

TEST(DIB, ColourCountsNeedTheSmallestPowerOfTwoThatHoldsThem)
{
    const std::pair<int64_t, int> cases[] = {{0, 0}, {1, 1}, {2, 1},   {3, 2},   {4, 2},   {5, 3},
                                             {8, 3}, {9, 4}, {128, 7}, {129, 8}, {256, 8}, {257, 9}};
    for (const auto& [count, bits] : cases)
        EXPECT_EQ(BitsForColorCount(count), bits) << count;
}

TEST(DIB, WebPaletteStepsEachChannelBy51)
{
    const auto palette = WebPalette();
    ASSERT_EQ(palette.Count(), 216);
    EXPECT_EQ(palette.Entries[0], (PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(palette.Entries[181], (PALETTEENTRY{255, 0, 51, 0}));
    EXPECT_EQ(palette.Entries[2 * 36 + 3 * 6 + 4], (PALETTEENTRY{102, 153, 204, 0}));
    EXPECT_EQ(palette.Entries[215], (PALETTEENTRY{255, 255, 255, 0}));
}

TEST(DIB, ReaderConvertsTheBitmapAndReadsItsOwnRows)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetSize(2, 2);
    bitmap.SetPalette(Greys(4));
    bitmap.ScanLine(1)[1] = 3;
    TDIBReader reader(&bitmap, pf24bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(reader.ScanLine(1), bitmap.ScanLine(1));
    const uint8_t* row = reader.ScanLine(1);
    EXPECT_EQ(std::vector<uint8_t>(row, row + 6), (std::vector<uint8_t>{2, 1, 0, 5, 4, 3}));
    EXPECT_THROW(reader.ScanLine(2), EInvalidGraphicOperation);
}

TEST(DIBWriter, RefusesOtherFormatsAndEmptySizes)
{
    struct Case {
        TPixelFormat format;
        int width, height;
        const char* message;
    };
    const Case cases[] = {
        {pf1bit, 1, 1, "Unsupported PixelFormat"},   {pf4bit, 1, 1, "Unsupported PixelFormat"},
        {pf32bit, 1, 1, "Unsupported PixelFormat"},  {pfDevice, 1, 1, "Unsupported PixelFormat"},
        {pf8bit, 0, 1, "Invalid image dimensions"},  {pf24bit, 1, 0, "Invalid image dimensions"},
        {pf8bit, -3, 2, "Invalid image dimensions"},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        try {
            TDIBWriter writer(&bitmap, c.format, c.width, c.height, {});
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

TEST(DIBWriter, EightBitHeaderCarriesAFullColourTableAndTheImportantCount)
{
    TBitmap bitmap;
    TDIBWriter writer(&bitmap, pf8bit, 5, 3, Greys(16));
    writer.ScanLine(0);
    const QByteArray& file = writer.FileImage();
    const int rows = 3 * 8; // 5 bytes padded to 8
    ASSERT_EQ(file.size(), 14 + 40 + 1024 + rows);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(U32(file, 2), uint32_t(file.size()));
    EXPECT_EQ(U32(file, 6), 0u); // reserved
    EXPECT_EQ(U32(file, 10), 14u + 40 + 1024);
    const struct {
        int at, size;
        uint32_t value;
    } fields[] = {{14, 4, 40}, {18, 4, 5}, {22, 4, 3}, {26, 2, 1},   {28, 2, 8}, {30, 4, 0},
                  {34, 4, 0},  {38, 4, 0}, {42, 4, 0}, {46, 4, 256}, {50, 4, 16}};
    for (const auto& f : fields)
        EXPECT_EQ(f.size == 4 ? U32(file, f.at) : U16(file, f.at), f.value) << "field at " << f.at;
    // Blue, green, red, 0 for each palette entry, then zero entries.
    EXPECT_EQ(file.mid(54, 8), QByteArray::fromHex("0201000003020100"));
    EXPECT_EQ(file.mid(54 + 15 * 4, 4), QByteArray::fromHex("11100f00"));
    EXPECT_EQ(file.mid(54 + 16 * 4, 240 * 4), QByteArray(240 * 4, '\0'));
}

TEST(DIBWriter, TwentyFourBitHeaderHasNoColourTable)
{
    TBitmap bitmap;
    TDIBWriter writer(&bitmap, pf24bit, 5, 2, Greys(16));
    writer.ScanLine(1);
    const QByteArray& file = writer.FileImage();
    EXPECT_EQ(file.size(), 14 + 40 + 2 * 16);
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U16(file, 28), 24);
    EXPECT_EQ(U32(file, 46), 0u);
    EXPECT_EQ(U32(file, 50), 0u);
}

TEST(DIBWriter, RowsAreStoredBottomUp)
{
    TBitmap bitmap;
    TDIBWriter writer(&bitmap, pf24bit, 1, 3, {});
    const uint8_t* row0 = writer.ScanLine(0);
    const auto* bits = reinterpret_cast<const uint8_t*>(writer.FileImage().constData());
    EXPECT_EQ(row0 - bits, 54 + 2 * 4); // row 0 is the last row in memory
    EXPECT_EQ(writer.ScanLine(2) - bits, 54);
    for (int row : {-1, 3}) {
        try {
            writer.ScanLine(row);
            ADD_FAILURE() << "row " << row << " accepted";
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message, "Scan line index out of range");
        }
    }
}

TEST(DIBWriter, FinishingLoadsTheBitmap)
{
    TBitmap bitmap;
    {
        TDIBWriter writer(&bitmap, pf8bit, 3, 2, Greys(3));
        writer.ScanLine(0)[2] = 2;
        writer.ScanLine(1)[0] = 1;
        EXPECT_TRUE(bitmap.Empty()); // nothing reaches the bitmap before the end
    }
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    ASSERT_EQ(bitmap.Palette().Count(), 256); // the whole colour table, flags dropped
    EXPECT_EQ(bitmap.Palette().Entries[2], (PALETTEENTRY{2, 3, 4, 0}));
    EXPECT_EQ(bitmap.Palette().Entries[3], (PALETTEENTRY{0, 0, 0, 0}));
    const QImage image = bitmap.ToImage();
    EXPECT_EQ(image.pixelIndex(2, 0), 2);
    EXPECT_EQ(image.pixelIndex(0, 1), 1);
    EXPECT_EQ(image.pixelIndex(1, 1), 0);

    TDIBWriter colour(&bitmap, pf24bit, 2, 1, {});
    uint8_t* row = colour.ScanLine(0);
    row[3] = 30;
    row[4] = 20;
    row[5] = 10;
    colour.Finish();
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.ToImage().pixel(1, 0), qRgb(10, 20, 30));
    try {
        colour.ScanLine(0);
        ADD_FAILURE() << "a finished writer gave a row";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Image has no DIB");
    }
}

TEST(DIBWriter, WithoutRowsTheBitmapStaysAsItWas)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(2, 2);
    bitmap.ScanLine(0)[0] = 7;
    {
        TDIBWriter writer(&bitmap, pf8bit, 4, 4, Greys(2));
    }
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 7);
}

TEST(DIBWriter, TooLargeABitmapIsRefusedBeforeAnyMemoryIsTaken)
{
    TBitmap bitmap;
    TDIBWriter writer(&bitmap, pf24bit, 65535, 65535, {});
    try {
        writer.ScanLine(0);
        ADD_FAILURE() << "12 GB accepted";
    } catch (const EOutOfMemory& e) {
        EXPECT_EQ(e.Message, "Failed to allocate memory for GIF DIB");
    }
}
