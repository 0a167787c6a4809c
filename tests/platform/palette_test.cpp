// The stock palettes: the 20 static colours and the fixed halftone palette built around them.
#include "platform/graphics/palette.h"

#include <gtest/gtest.h>

using win::PALETTEENTRY;

TEST(StockPalettes, DefaultPaletteHoldsTheTwentyStaticColours)
{
    const auto& entries = win::DefaultPalette().Entries;
    ASSERT_EQ(entries.size(), 20u);
    EXPECT_EQ(entries[0], (PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(entries[7], (PALETTEENTRY{192, 192, 192, 0}));
    EXPECT_EQ(entries[8], (PALETTEENTRY{192, 220, 192, 0}));
    EXPECT_EQ(entries[9], (PALETTEENTRY{166, 202, 240, 0}));
    EXPECT_EQ(entries[10], (PALETTEENTRY{255, 251, 240, 0}));
    EXPECT_EQ(entries[11], (PALETTEENTRY{160, 160, 164, 0}));
    EXPECT_EQ(entries[13], (PALETTEENTRY{255, 0, 0, 0}));
    EXPECT_EQ(entries[19], (PALETTEENTRY{255, 255, 255, 0}));
}

TEST(StockPalettes, HalftonePaletteIsStaticColoursAroundACubeAndGreys)
{
    const auto halftone = win::CreateHalftonePalette();
    const auto& statics = win::DefaultPalette().Entries;
    ASSERT_EQ(halftone.Count(), 256);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(halftone.Entries[size_t(i)], statics[size_t(i)]) << i;
        EXPECT_EQ(halftone.Entries[size_t(246 + i)], statics[size_t(10 + i)]) << 246 + i;
    }
    EXPECT_EQ(halftone.Entries[10], (PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(halftone.Entries[10 + 5 * 36 + 0 * 6 + 1], (PALETTEENTRY{255, 0, 51, 0}));
    EXPECT_EQ(halftone.Entries[10 + 2 * 36 + 3 * 6 + 4], (PALETTEENTRY{102, 153, 204, 0}));
    EXPECT_EQ(halftone.Entries[225], (PALETTEENTRY{255, 255, 255, 0}));
    EXPECT_EQ(halftone.Entries[226], (PALETTEENTRY{12, 12, 12, 0}));
    EXPECT_EQ(halftone.Entries[229], (PALETTEENTRY{49, 49, 49, 0}));
    EXPECT_EQ(halftone.Entries[245], (PALETTEENTRY{243, 243, 243, 0}));
}
