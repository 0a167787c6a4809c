// TBitmap: the pixel layout of each format, rows, resizing, format conversion and BMP loading.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphics_errors.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QtEndian>

using win::PALETTEENTRY;

namespace {

void Shape(TBitmap& bitmap, TPixelFormat format, int width, int height)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
}

// The palette indexes (below 16) of a 1-, 4- or 8-bit bitmap, one string of hex digits per row.
std::vector<std::string> Indexes(const TBitmap& bitmap)
{
    const QImage image = bitmap.ToImage();
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += "0123456789abcdef"[image.pixelIndex(x, y) & 15];
        rows.push_back(row);
    }
    return rows;
}

void SetIndexes(TBitmap& bitmap, const std::vector<std::vector<uint8_t>>& rowBytes)
{
    for (int y = 0; y < int(rowBytes.size()); ++y)
        std::copy(rowBytes[size_t(y)].begin(), rowBytes[size_t(y)].end(), bitmap.ScanLine(y));
}

// A BMP file image: file header, 40-byte information header, colour table (blue, green, red, 0)
// and the stored rows as given.
QByteArray Bmp(int width, int height, int bits, const std::vector<QRgb>& colors, const QByteArray& rows)
{
    const int offset = 14 + 40 + 4 * int(colors.size());
    QByteArray data(offset, '\0');
    auto put32 = [&](int at, uint32_t v) { qToLittleEndian(v, data.data() + at); };
    auto put16 = [&](int at, uint16_t v) { qToLittleEndian(v, data.data() + at); };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, uint32_t(offset + rows.size()));
    put32(10, uint32_t(offset));
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);
    put16(28, uint16_t(bits));
    put32(46, uint32_t(colors.size()));
    for (size_t i = 0; i < colors.size(); ++i) {
        data[int(54 + 4 * i)] = char(qBlue(colors[i]));
        data[int(55 + 4 * i)] = char(qGreen(colors[i]));
        data[int(56 + 4 * i)] = char(qRed(colors[i]));
    }
    return data + rows;
}

} // namespace

TEST(Bitmap, EachFormatLaysOutItsPixelsAsADeviceIndependentBitmap)
{
    struct Case {
        TPixelFormat format;
        int width;
        std::vector<uint8_t> row1; // the first bytes of row 1
        int x;                     // the pixel they set
        int index;                 // its palette index (indexed formats)
        QRgb color;                // its colour (24 bits)
    };
    const Case cases[] = {
        {pf1bit, 10, {0x00, 0x40}, 9, 1, 0},                                     // most significant bit first
        {pf4bit, 5, {0x00, 0x05}, 3, 5, 0},                                      // high half first
        {pf8bit, 3, {0, 0, 7}, 2, 7, 0},                                         // one byte per pixel
        {pf24bit, 2, {0, 0, 0, 0x30, 0x20, 0x10}, 1, 0, qRgb(0x10, 0x20, 0x30)}, // blue, green, red
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << c.format);
        TBitmap bitmap;
        Shape(bitmap, c.format, c.width, 3);
        std::copy(c.row1.begin(), c.row1.end(), bitmap.ScanLine(1));
        const QImage image = bitmap.ToImage();
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const bool set = y == 1 && x == c.x;
                if (c.format == pf24bit)
                    EXPECT_EQ(image.pixel(x, y), set ? c.color : qRgb(0, 0, 0)) << x << "," << y;
                else
                    EXPECT_EQ(image.pixelIndex(x, y), set ? c.index : 0) << x << "," << y;
            }
        }
    }
}

TEST(Bitmap, RowsOutsideTheBitmapAreRefused)
{
    TBitmap empty;
    TBitmap bitmap;
    Shape(bitmap, pf8bit, 3, 2);
    const std::pair<TBitmap*, int> cases[] = {{&bitmap, -1}, {&bitmap, 2}, {&empty, 0}};
    for (const auto& [target, row] : cases) {
        try {
            target->ScanLine(row);
            ADD_FAILURE() << "row " << row << " was accepted";
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message, "Scan line index out of range");
        }
    }
    EXPECT_NO_THROW(bitmap.ScanLine(1));
}

TEST(Bitmap, ResizingKeepsThePixelsInsideAndClearsTheRest)
{
    TBitmap bitmap;
    Shape(bitmap, pf4bit, 3, 2);
    SetIndexes(bitmap, {{0x12, 0x30}, {0x45, 0x60}});
    bitmap.SetSize(2, 3);
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"12", "45", "00"}));
    bitmap.SetWidth(3); // the half byte that held the dropped column is clear again
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"120", "450", "000"}));

    TBitmap colour;
    Shape(colour, pf24bit, 2, 1);
    colour.ScanLine(0)[3] = 9;
    colour.SetHeight(2);
    EXPECT_EQ(colour.ToImage().pixel(1, 0), qRgb(0, 0, 9));
    EXPECT_EQ(colour.ToImage().pixel(1, 1), qRgb(0, 0, 0));

    EXPECT_THROW(bitmap.SetSize(-1, 2), EInvalidGraphicOperation);
    EXPECT_THROW(colour.SetSize(60000, 60000), EOutOfResources);
    EXPECT_EQ(colour.Width(), 2);
}

TEST(Bitmap, IndexedFormatsOfAnEmptyBitmapGetTheirDefaultPalettes)
{
    const auto& statics = win::DefaultPalette().Entries;
    TBitmap bitmap;
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_EQ(bitmap.Palette().Entries, (std::vector<PALETTEENTRY>{statics[0], statics[19]}));
    bitmap.SetPixelFormat(pf4bit); // two entries fit four bits: kept
    EXPECT_EQ(bitmap.Palette().Count(), 2);
    bitmap.SetPalette({});
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.Palette(), win::CreateHalftonePalette());
    bitmap.SetPixelFormat(pf4bit); // 256 entries do not fit: the 16 static colours of four bits
    ASSERT_EQ(bitmap.Palette().Count(), 16);
    EXPECT_EQ(bitmap.Palette().Entries[7], statics[7]);
    EXPECT_EQ(bitmap.Palette().Entries[8], statics[12]);
    EXPECT_EQ(bitmap.Palette().Entries[15], statics[19]);
}

TEST(Bitmap, ConversionKeepsIndexesUpwardsAndTakesTheNearestColourDownwards)
{
    const win::Palette three{{{10, 20, 30, 0}, {200, 0, 0, 0}, {0, 0, 250, 0}}};
    TBitmap bitmap;
    Shape(bitmap, pf4bit, 3, 1);
    bitmap.SetPalette(three);
    SetIndexes(bitmap, {{0x21, 0x00}});

    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"210"}));
    EXPECT_EQ(bitmap.Palette(), three);

    bitmap.SetPixelFormat(pfDevice);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    const uint8_t* row = bitmap.ScanLine(0);
    EXPECT_EQ(std::vector<uint8_t>(row, row + 9), (std::vector<uint8_t>{250, 0, 0, 0, 0, 200, 30, 20, 10}));

    bitmap.SetPalette({});
    bitmap.SetPixelFormat(pf1bit); // dark blue, red and dark grey are all nearer black than white
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"000"}));

    TBitmap colours;
    Shape(colours, pf24bit, 3, 1);
    const uint8_t pixels[] = {10, 10, 10, 245, 240, 250, 0, 0, 250};
    std::copy(std::begin(pixels), std::end(pixels), colours.ScanLine(0));
    colours.SetPixelFormat(pf4bit); // nearest of the 16 static colours: black, white, red
    EXPECT_EQ(Indexes(colours), (std::vector<std::string>{"0f9"}));

    for (TPixelFormat refused : {pf15bit, pf16bit, pf32bit, pfCustom})
        EXPECT_THROW(colours.SetPixelFormat(refused), EInvalidGraphicOperation) << refused;
    EXPECT_EQ(colours.PixelFormat(), pf4bit);
}

TEST(Bitmap, LoadsBottomUpAndTopDownBmpsSkippingRowPadding)
{
    // 3 × 2 pixels of 4 bits: rows of 4 bytes, the last half byte and two bytes padding (0xA, 0xEE).
    const QByteArray bottomUp = Bmp(3, 2, 4, {qRgb(1, 2, 3), qRgb(250, 251, 252)},
                                    QByteArray::fromHex("011AEEEE"
                                                        "101AEEEE"));
    TBitmap bitmap;
    bitmap.LoadFromBMP(bottomUp);
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"101", "011"}));
    EXPECT_EQ(bitmap.Palette().Entries, (std::vector<PALETTEENTRY>{{1, 2, 3, 0}, {250, 251, 252, 0}}));

    // 2 × 2 pixels of 24 bits stored top-down (negative height): rows of 8 bytes.
    TBitmap colour;
    colour.LoadFromBMP(Bmp(2, -2, 24, {},
                           QByteArray::fromHex("0000FF00FF00EEEE"
                                               "FF0000FFFFFFEEEE")));
    EXPECT_EQ(colour.PixelFormat(), pf24bit);
    const QImage image = colour.ToImage();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));

    // 1 bit, colour table size from the bit count when "colours used" is 0.
    TBitmap mono;
    QByteArray monoData = Bmp(9, 1, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, QByteArray::fromHex("80800000"));
    qToLittleEndian<uint32_t>(0, monoData.data() + 46);
    mono.LoadFromBMP(monoData);
    EXPECT_EQ(Indexes(mono), (std::vector<std::string>{"100000001"}));
    EXPECT_EQ(mono.Palette().Count(), 2);
}

TEST(Bitmap, BrokenBmpDataIsRefusedAndTheBitmapKept)
{
    const QByteArray good = Bmp(2, 2, 8, {qRgb(0, 0, 0), qRgb(9, 9, 9)},
                                QByteArray::fromHex("0100AAAA"
                                                    "0001AAAA"));
    struct Case {
        const char* what;
        int at;
        std::vector<uint8_t> bytes; // written little-endian at `at`; at < 0: cut the data to -at bytes
    };
    const Case cases[] = {
        {"short", -60, {}},
        {"rows cut", -(int(good.size()) - 1), {}},
        {"not BM", 1, {'X'}},
        {"bits offset past the end", 10, {0xFF, 0xFF, 0, 0}},
        {"bits offset inside the headers", 10, {20, 0, 0, 0}},
        {"small information header", 14, {12, 0, 0, 0}},
        {"width 0", 18, {0, 0, 0, 0}},
        {"negative width", 18, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"height 0", 22, {0, 0, 0, 0}},
        {"two planes", 26, {2, 0}},
        {"16 bits", 28, {16, 0}},
        {"32 bits", 28, {32, 0}},
        {"compressed", 30, {1, 0, 0, 0}},
        {"too many colours", 46, {0x01, 0x01, 0, 0}},
        {"huge height", 22, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        QByteArray data = good;
        if (c.at < 0)
            data.truncate(-c.at);
        for (size_t i = 0; i < c.bytes.size(); ++i)
            data[int(c.at + i)] = char(c.bytes[i]);
        TBitmap bitmap;
        Shape(bitmap, pf8bit, 1, 1);
        try {
            bitmap.LoadFromBMP(data);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, "Bitmap image is not valid") << c.what;
        }
        EXPECT_EQ(bitmap.Width(), 1) << c.what;
    }
    TBitmap bitmap;
    bitmap.LoadFromBMP(good);
    EXPECT_EQ(Indexes(bitmap), (std::vector<std::string>{"01", "10"}));
}

TEST(Bitmap, QImagesComeInByTheirKindAndGoOutWithTheirPalette)
{
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    TBitmap bitmap;
    bitmap.AssignImage(indexed);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_EQ(bitmap.Palette().Entries, (std::vector<PALETTEENTRY>{{1, 2, 3, 0}, {4, 5, 6, 0}}));
    EXPECT_EQ(bitmap.ToImage().pixel(0, 0), qRgb(4, 5, 6));

    QImage mono(3, 1, QImage::Format_MonoLSB);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(2, 0, 1);
    bitmap.AssignImage(mono);
    EXPECT_EQ(bitmap.PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0x20);

    QImage argb(1, 1, QImage::Format_ARGB32);
    argb.fill(qRgb(7, 8, 9));
    bitmap.AssignImage(argb);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 9);
    EXPECT_TRUE(bitmap.Palette().IsEmpty());

    TBitmap copy;
    copy.Assign(bitmap);
    copy.ScanLine(0)[0] = 1; // the copy's pixels are its own
    EXPECT_EQ(bitmap.ScanLine(0)[0], 9);
}
