// The colour lookups: cached nearest entry, web palette, greys, black and white.
#include "imaging/color_lookup.h"

#include <gtest/gtest.h>

namespace {

struct Answer {
    int index, r, g, b;
    friend bool operator==(const Answer&, const Answer&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Answer& a)
    {
        return os << a.index << " (" << a.r << "," << a.g << "," << a.b << ")";
    }
};

Answer Ask(TColorLookup& lookup, int red, int green, int blue)
{
    uint8_t r, g, b;
    const int index = lookup.Lookup(uint8_t(red), uint8_t(green), uint8_t(blue), r, g, b);
    return {index, r, g, b};
}

win::Palette Colours(std::initializer_list<std::array<int, 3>> colours)
{
    win::Palette palette;
    for (const auto& c : colours)
        palette.Entries.push_back({uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), 0});
    return palette;
}

} // namespace

TEST(FastColorLookup, NearestEntryBySumOfDifferencesLowestIndexOnTies)
{
    TFastColorLookup lookup(Colours({{10, 0, 0}, {0, 10, 0}, {200, 200, 200}}));
    EXPECT_EQ(lookup.Colors(), 3);
    EXPECT_EQ(Ask(lookup, 5, 5, 0), (Answer{0, 10, 0, 0}));            // 10 from both: the first
    EXPECT_EQ(Ask(lookup, 130, 140, 150), (Answer{2, 200, 200, 200})); // 180 against 410 and 410
    TFastColorLookup reversed(Colours({{0, 10, 0}, {10, 0, 0}}));
    EXPECT_EQ(Ask(reversed, 5, 5, 0), (Answer{0, 0, 10, 0}));
}

TEST(FastColorLookup, ColoursSharingACacheKeyShareTheFirstAnswer)
{
    // (0,0,31) and (0,0,24) share a key. The first asked finds entry 1 (9 against 15); the second,
    // nearer entry 0 (8 against 16), still gets entry 1.
    TFastColorLookup lookup(Colours({{0, 0, 16}, {0, 0, 40}}));
    EXPECT_EQ(Ask(lookup, 0, 0, 31), (Answer{1, 0, 0, 40}));
    EXPECT_EQ(Ask(lookup, 0, 0, 24), (Answer{1, 0, 0, 40}));

    // An entry's own key is taken at construction by the first entry with that key: (7,7,7) is
    // an entry itself, but its key belongs to black.
    TFastColorLookup seeded(Colours({{0, 0, 0}, {7, 7, 7}}));
    EXPECT_EQ(Ask(seeded, 7, 7, 7), (Answer{0, 0, 0, 0}));
}

TEST(FastColorLookup, ServesAtMost256EntriesAndNoneForAnEmptyPalette)
{
    win::Palette big;
    big.Entries.assign(300, {1, 2, 3, 0});
    big.Entries[299] = {9, 9, 9, 0};
    TFastColorLookup large(big);
    EXPECT_EQ(large.Colors(), 256);
    EXPECT_EQ(Ask(large, 9, 9, 9).index, 0);

    TFastColorLookup empty(win::Palette{});
    EXPECT_EQ(empty.Colors(), 0);
    EXPECT_EQ(Ask(empty, 50, 60, 70), (Answer{0, 0, 0, 0}));
}

TEST(FixedColorLookups, MapByTheirFormulas)
{
    TNetscapeColorLookup web;
    TGrayScaleLookup grey;
    TMonochromeLookup mono;
    EXPECT_EQ(web.Colors(), 216);
    EXPECT_EQ(grey.Colors(), 256);
    EXPECT_EQ(mono.Colors(), 2);
    struct Case {
        TColorLookup* lookup;
        int red, green, blue;
        Answer expected;
    };
    const Case cases[] = {
        {&web, 255, 0, 51, {181, 255, 0, 51}},
        {&web, 47, 48, 0, {6, 0, 51, 0}}, // (c + 3) ÷ 51: 47 stays at level 0, 48 reaches 1
        {&web, 0, 0, 0, {0, 0, 0, 0}},
        {&web, 255, 255, 255, {215, 255, 255, 255}},
        {&grey, 255, 255, 255, {255, 255, 255, 255}},
        {&grey, 100, 0, 0, {30, 30, 30, 30}},       // 7700 ÷ 256
        {&grey, 0, 0, 255, {28, 28, 28, 28}},       // 7395 ÷ 256
        {&mono, 128, 128, 128, {1, 255, 255, 255}}, // 32768 > 32512
        {&mono, 127, 127, 127, {0, 0, 0, 0}},       // 32512
        {&mono, 255, 0, 0, {0, 0, 0, 0}},
        {&mono, 0, 255, 0, {1, 255, 255, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ask(*c.lookup, c.red, c.green, c.blue), c.expected)
            << c.lookup->ClassName().toStdString() << " " << c.red << "," << c.green << "," << c.blue;
}
