// The serpentine walk and the exact output of each ditherer on small pictures.
#include "imaging/dithering.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

using Pixel = std::array<uint8_t, 3>;
using Picture = std::vector<std::vector<Pixel>>;

// The eight corners of the colour cube, index = 4 × red bit + 2 × green bit + blue bit. The
// nearest corner takes each channel to 0 below 128 and to 255 from 128 on, so every pixel shows
// three independent decisions.
win::Palette Corners()
{
    win::Palette palette;
    for (int i = 0; i < 8; ++i)
        palette.Entries.push_back(
            {uint8_t(i & 4 ? 255 : 0), uint8_t(i & 2 ? 255 : 0), uint8_t(i & 1 ? 255 : 0), 0});
    return palette;
}

// 8 × 6 pixels with channels from 60 to 199, drawn from a linear congruential sequence.
Picture Fixture()
{
    uint32_t state = 37;
    Picture picture(6, std::vector<Pixel>(8));
    for (auto& row : picture)
        for (auto& pixel : row)
            for (auto& channel : pixel) {
                state = (state * 1103515245u + 12345u) & 0x7FFFFFFF;
                channel = uint8_t(60 + (state >> 16) % 140);
            }
    return picture;
}

// Walks the picture as the colour reduction does, one string of indexes per row ('.' skipped).
std::vector<std::string> Walk(TDitherEngine& ditherer, const Picture& picture,
                              const std::set<std::pair<int, int>>& skipped = {})
{
    std::vector<std::string> rows;
    for (int y = 0; y < int(picture.size()); ++y) {
        std::string row(picture[size_t(y)].size(), '?');
        for (int x = ditherer.Column(); x >= 0 && x < ditherer.Width(); x += ditherer.Direction()) {
            if (skipped.count({x, y})) {
                ditherer.Skip();
                row[size_t(x)] = '.';
                continue;
            }
            const Pixel& p = picture[size_t(y)][size_t(x)];
            uint8_t r, g, b;
            row[size_t(x)] = char('0' + ditherer.Dither(p[0], p[1], p[2], r, g, b));
        }
        ditherer.AdvanceRow();
        rows.push_back(row);
    }
    return rows;
}

using Factory = std::function<std::unique_ptr<TDitherEngine>(int, TColorLookup*)>;
template <class T> Factory Make()
{
    return [](int width, TColorLookup* lookup) { return std::make_unique<T>(width, lookup); };
}

} // namespace

TEST(DitherEngine, WalksSerpentineAndTurnsRoundAtEachRow)
{
    TMonochromeLookup lookup;
    for (int width : {1, 4}) {
        TDitherEngine engine(width, &lookup);
        std::vector<int> columns;
        for (int row = 0; row < 3; ++row) {
            for (int x = engine.Column(); x >= 0 && x < width; x += engine.Direction()) {
                columns.push_back(engine.Column());
                uint8_t r, g, b;
                engine.Dither(0, 0, 0, r, g, b);
            }
            engine.AdvanceRow();
        }
        const std::vector<int> expected =
            width == 1 ? std::vector<int>{0, 0, 0} : std::vector<int>{0, 1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3};
        EXPECT_EQ(columns, expected);
    }
}

// Each expected picture was worked out from the ditherer's weights on a full error matrix:
// corrected = input + (error + divisor ÷ 2) ÷ divisor, truncated toward zero and clamped; even rows
// run left to right, odd rows right to left, and "ahead" follows the row's direction.
TEST(ErrorDiffusion, EachDithererGivesItsExactPatternInBothDirections)
{
    struct Case {
        const char* name;
        Factory make;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"none",
         Make<TDitherEngine>(),
         {"30451227", "17404273", "41460552", "16071267", "04247555", "44702640"}},
        {"Floyd-Steinberg",
         Make<TFloydSteinbergDitherer>(),
         {"30470727", "07434161", "41616152", "27071247", "14256525", "44342250"}},
        {"Stucki",
         Make<TStuckiDitherer>(),
         {"30471227", "25614271", "41661546", "16071607", "05307151", "44742642"}},
        {"Sierra",
         Make<TSierraDitherer>(),
         {"30451227", "35634271", "41661556", "16071267", "04347051", "45702640"}},
        {"Jarvis-Judice-Ninke",
         Make<TJaJuNiDitherer>(),
         {"30451227", "35634253", "41661546", "16071267", "04347151", "45702640"}},
        {"Stevenson-Arce",
         Make<TSteveArcheDitherer>(),
         {"30451227", "17604277", "41671552", "34073607", "14245145", "45702260"}},
        {"Burkes",
         Make<TBurkesDitherer>(),
         {"30471227", "07434071", "41670756", "16071225", "05247541", "40752242"}},
    };
    const Picture picture = Fixture();
    for (const auto& c : cases) {
        TFastColorLookup lookup(Corners());
        auto ditherer = c.make(8, &lookup);
        EXPECT_EQ(Walk(*ditherer, picture), c.expected) << c.name;
    }
}

TEST(ErrorDiffusion, SkippedPixelSpreadsNothingAndTheOthersKeepTheirColumns)
{
    // Worked out as above, with pixel (1, 0) left out: it takes no correction and spreads nothing.
    const Picture flat(2, std::vector<Pixel>(4, Pixel{100, 150, 200}));
    TFastColorLookup lookup(Corners());
    TFloydSteinbergDitherer skipping(4, &lookup);
    EXPECT_EQ(Walk(skipping, flat, {{1, 0}}), (std::vector<std::string>{"3.35", "5353"}));
    TFloydSteinbergDitherer plain(4, &lookup);
    EXPECT_EQ(Walk(plain, flat), (std::vector<std::string>{"3531", "7127"}));
}

TEST(ErrorDiffusion, OnePixelWideColumnPassesItsErrorDown)
{
    // 100 → black (error 100, 5/16 below); 100 + 31 → white (error -124); 100 - 38 → black.
    const Picture column(3, std::vector<Pixel>(1, Pixel{100, 100, 100}));
    TMonochromeLookup lookup;
    TFloydSteinbergDitherer ditherer(1, &lookup);
    EXPECT_EQ(Walk(ditherer, column), (std::vector<std::string>{"0", "1", "0"}));
}
