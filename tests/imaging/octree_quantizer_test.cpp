// The octree quantizer: exact palettes for few colours, the depth limit, the merge order and the
// layout with the static colours.
#include "imaging/gif_exception.h"
#include "imaging/octree_quantizer.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

using win::PALETTEENTRY;

namespace {

PALETTEENTRY Entry(QRgb c)
{
    return {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)), 0};
}

std::vector<PALETTEENTRY> Entries(std::initializer_list<QRgb> colours, size_t count)
{
    std::vector<PALETTEENTRY> entries;
    for (QRgb c : colours)
        entries.push_back(Entry(c));
    entries.resize(count);
    return entries;
}

win::Palette Quantize(const Colours& rows, int colorCount, int depth, bool system = false)
{
    TBitmap bitmap;
    FillBitmap(bitmap, rows);
    return QuantizedPaletteFromBitmap(&bitmap, colorCount, depth, system);
}

} // namespace

TEST(OctreeQuantizer, FewerColoursThanTheLimitComeOutExactlyInTreeOrder)
{
    // Tree order follows the interleaved bits, red before green before blue: the top bits of these
    // colours give the children 7, 1, 2, 0 and 4.
    const Colours rows = {{qRgb(200, 200, 200), qRgb(0, 0, 255), qRgb(0, 255, 0)},
                          {qRgb(10, 20, 30), qRgb(255, 0, 0), qRgb(200, 200, 200)}};
    const auto palette = Quantize(rows, 8, 8);
    EXPECT_EQ(palette.Entries, Entries({qRgb(10, 20, 30), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0),
                                        qRgb(200, 200, 200)},
                                       8));
}

TEST(OctreeQuantizer, DepthLimitAveragesColoursThatShareTheirTopBits)
{
    const auto palette = Quantize({{qRgb(10, 10, 10), qRgb(31, 30, 30), qRgb(200, 0, 0)}}, 4, 1);
    EXPECT_EQ(palette.Entries, Entries({qRgb(20, 20, 20), qRgb(200, 0, 0)}, 4));
}

TEST(OctreeQuantizer, MergesTheNewestNodeOfTheDeepestLevelFirst)
{
    // Two pairs that differ only in their last bit: the later pair is merged (its mean blue 254.5
    // truncates), the earlier one stays apart.
    const Colours rows = {{qRgb(0, 0, 0), qRgb(0, 0, 1), qRgb(255, 255, 254), qRgb(255, 255, 255)}};
    EXPECT_EQ(Quantize(rows, 3, 8).Entries, Entries({qRgb(0, 0, 0), qRgb(0, 0, 1), qRgb(255, 255, 254)}, 3));
    // A limit of one merges up to the root: the mean of all pixels.
    const Colours four = {{qRgb(0, 0, 0), qRgb(255, 255, 255)}, {qRgb(255, 0, 0), qRgb(0, 0, 255)}};
    EXPECT_EQ(Quantize(four, 1, 8).Entries, Entries({qRgb(127, 63, 127)}, 1));
}

TEST(OctreeQuantizer, WithSystemColoursTheStaticColoursFrameTheQuantizedOnes)
{
    const auto palette = Quantize({{qRgb(1, 2, 3), qRgb(250, 240, 230)}}, 0, 8, true);
    const auto& statics = win::DefaultPalette().Entries;
    ASSERT_EQ(palette.Count(), 256);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(palette.Entries[size_t(i)], statics[size_t(i)]);
        EXPECT_EQ(palette.Entries[size_t(246 + i)], statics[size_t(10 + i)]);
    }
    EXPECT_EQ(palette.Entries[10], Entry(qRgb(1, 2, 3)));
    EXPECT_EQ(palette.Entries[11], Entry(qRgb(250, 240, 230)));
    for (int i = 12; i < 246; ++i)
        EXPECT_EQ(palette.Entries[size_t(i)], PALETTEENTRY{}) << i;
}

TEST(OctreeQuantizer, SizesThatCannotWorkAreRefused)
{
    struct Case {
        int colorCount, depth;
        const char* message;
    };
    const Case cases[] = {
        {0, 8, "Invalid color count"},      {-1, 8, "Invalid color count"},
        {257, 8, "Invalid color count"},    {16, 0, "Invalid quantizer depth"},
        {16, 9, "Invalid quantizer depth"},
    };
    for (const auto& c : cases) {
        try {
            Quantize({{qRgb(1, 2, 3)}}, c.colorCount, c.depth);
            ADD_FAILURE() << c.colorCount << " colours, depth " << c.depth << ": accepted";
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
    EXPECT_EQ(Quantize({}, 2, 8).Entries, Entries({}, 2)); // an empty picture: black entries
}

TEST(OctreeQuantizer, LargePicturesGiveThePaletteOfPixelByPixelInsertion)
{
    // Large pictures are counted first and built only as deep as merging leaves nodes; the palette
    // must be the one that inserting every pixel and merging gives.
    struct Case {
        int distinct; // colours drawn from a fixed set of this many (0: any colour)
        int limit;
    };
    const Case cases[] = {{0, 256}, {300, 256}, {40, 64}, {5000, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.distinct << " colours, limit " << c.limit);
        uint32_t state = 1;
        const auto next = [&] { return state = state * 1664525u + 1013904223u; };
        std::vector<QRgb> set;
        for (int i = 0; i < c.distinct; ++i)
            set.push_back(next() >> 8);
        Colours rows(512, std::vector<QRgb>(512));
        for (auto& row : rows)
            for (auto& pixel : row)
                pixel = c.distinct ? set[(next() >> 8) % set.size()] : (next() >> 8);

        TColorQuantizer quantizer(c.limit, 8);
        for (const auto& row : rows)
            for (QRgb pixel : row)
                quantizer.InsertColor(uint8_t(qRed(pixel)), uint8_t(qGreen(pixel)), uint8_t(qBlue(pixel)));
        while (quantizer.LeafTotal() > c.limit && quantizer.MergeDeepestNode()) {
        }
        auto expected = quantizer.ColorTable();
        expected.resize(size_t(c.limit));
        EXPECT_EQ(Quantize(rows, c.limit, 8).Entries, expected);
    }
}
