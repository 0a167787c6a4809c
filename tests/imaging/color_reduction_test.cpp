// QuantizeBitmap: the palette of each method, the lookups it picks, and the parameters it refuses.
#include "imaging/color_reduction.h"
#include "imaging/dib.h"
#include "imaging/gif_exception.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

using win::PALETTEENTRY;

namespace {

std::vector<int> IndexesOf(const TBitmap& bitmap)
{
    const QImage image = bitmap.ToImage();
    std::vector<int> indexes;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indexes.push_back(image.pixelIndex(x, y));
    return indexes;
}

std::vector<QRgb> ColoursOfPalette(const win::Palette& palette, int count)
{
    std::vector<QRgb> colours;
    for (int i = 0; i < count; ++i) {
        const auto& e = palette.Entries[size_t(i)];
        colours.push_back(qRgb(e.peRed, e.peGreen, e.peBlue));
    }
    return colours;
}

std::unique_ptr<TBitmap> Reduce(const Colours& rows, uint8_t method, uint8_t dither = dmNone, int bits = 8,
                                const win::Palette& given = {})
{
    TBitmap bitmap;
    FillBitmap(bitmap, rows);
    return QuantizeBitmap(&bitmap, method, dither, bits, given);
}

} // namespace

TEST(QuantizeBitmap, MethodNoneCopiesAt24BitsWhateverTheDitherer)
{
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(2, 1);
    source.SetPalette(win::Palette{{{10, 20, 30, 0}, {40, 50, 60, 0}}});
    source.ScanLine(0)[1] = 1;
    for (uint8_t dither = 0; dither <= 7; ++dither) {
        const auto result = QuantizeBitmap(&source, crNone, dither, 8, {});
        EXPECT_EQ(result->PixelFormat(), pf24bit);
        EXPECT_EQ(ColoursOf(*result), (Colours{{qRgb(10, 20, 30), qRgb(40, 50, 60)}})) << int(dither);
    }
    EXPECT_EQ(source.PixelFormat(), pf8bit); // the source is left as it was
}

TEST(QuantizeBitmap, EachMethodWritesItsPaletteAndLooksUpInIt)
{
    const Colours picture = {{qRgb(128, 128, 128), qRgb(127, 127, 127), qRgb(255, 0, 51), qRgb(250, 0, 0)}};
    const win::Palette given{{{9, 9, 9, 0}, {250, 10, 10, 0}}};
    struct Case {
        uint8_t method;
        win::Palette palette;
        std::vector<int> indexes;
    };
    const auto greys = [](std::initializer_list<int> values) {
        win::Palette palette;
        for (int v : values)
            palette.Entries.push_back({uint8_t(v), uint8_t(v), uint8_t(v), 0});
        return palette;
    };
    win::Palette allGreys;
    for (int i = 0; i < 256; ++i)
        allGreys.Entries.push_back({uint8_t(i), uint8_t(i), uint8_t(i), 0});
    const Case cases[] = {
        {crDefaultPalette, win::DefaultPalette(), {12, 12, 13, 13}}, // grey 128, red
        // Greys 134 and 121 own the cache keys of 128 and 127; the cube holds (255, 0, 51) and red.
        {crHalftonePalette, win::CreateHalftonePalette(), {236, 235, 191, 190}},
        {crFourGreys, greys({0, 128, 192, 255}), {1, 1, 0, 0}},
        {crMonochrome, greys({0, 255}), {1, 0, 0, 0}}, // 32768 is above 32512
        {crGrayScale, allGreys, {128, 127, 82, 75}},
        {crWebPalette, WebPalette(), {86, 86, 181, 144}},
        {crGivenPalette, given, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << int(c.method));
        const auto result = Reduce(picture, c.method, dmNone, 8, given);
        EXPECT_EQ(result->PixelFormat(), pf8bit);
        ASSERT_EQ(result->Palette().Count(), 256);
        EXPECT_EQ(ColoursOfPalette(result->Palette(), c.palette.Count()),
                  ColoursOfPalette(c.palette, c.palette.Count()));
        EXPECT_EQ(IndexesOf(*result), c.indexes);
    }
}

TEST(QuantizeBitmap, OctreeMethodsReproduceAPictureOfFewColours)
{
    const Colours picture = {{qRgb(41, 42, 43), qRgb(200, 100, 50)}, {qRgb(200, 100, 50), qRgb(7, 250, 9)}};
    for (uint8_t method : {crQuantize, crQuantizeSystemColors}) {
        for (uint8_t dither : {dmNone, dmFloydSteinberg, dmStevensonArce}) {
            const auto result = Reduce(picture, method, dither, 2);
            EXPECT_EQ(ColoursOf(*result), picture) << int(method) << "/" << int(dither);
        }
    }
    const auto system = Reduce(picture, crQuantizeSystemColors);
    EXPECT_EQ(IndexesOf(*system), (std::vector<int>{10, 12, 12, 11}));
}

TEST(QuantizeBitmap, UnknownMethodsGiveAnEmptyBitmapAndBadSizesFail)
{
    const Colours picture = {{qRgb(1, 2, 3)}};
    EXPECT_TRUE(Reduce(picture, crWebPalette, 7)->Empty());
    EXPECT_TRUE(Reduce(picture, 10, dmFloydSteinberg)->Empty());
    EXPECT_TRUE(Reduce(picture, crGivenPalette, dmNone, 8, {})->Empty()); // no colours to choose from
    EXPECT_FALSE(Reduce(picture, crWebPalette, dmNone, 0)->Empty());      // the bits count only for 7

    struct Case {
        Colours picture;
        uint8_t method;
        int bits;
        const char* message;
    };
    const Case cases[] = {
        {picture, crQuantize, 0, "Invalid palette bits"},
        {picture, crQuantize, 9, "Invalid palette bits"},
        {{}, crWebPalette, 8, "Invalid image dimensions"},
    };
    for (const auto& c : cases) {
        try {
            Reduce(c.picture, c.method, dmNone, c.bits);
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

TEST(QuantizeBitmap, OnePixelWideColumnIsDitheredOncePerRow)
{
    const Colours column = {{qRgb(100, 100, 100)}, {qRgb(100, 100, 100)}, {qRgb(100, 100, 100)}};
    EXPECT_EQ(IndexesOf(*Reduce(column, crMonochrome, dmFloydSteinberg)), (std::vector<int>{0, 1, 0}));
}
