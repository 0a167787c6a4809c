// The stock palettes: the 20 static colours and the project's fixed halftone palette.
#include "platform/graphics/palette.h"

namespace win {

const Palette& DefaultPalette()
{
    static const Palette palette{{
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
        {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
        {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
    }};
    return palette;
}

Palette CreateHalftonePalette()
{
    const auto& statics = DefaultPalette().Entries;
    Palette palette;
    palette.Entries.reserve(256);
    palette.Entries.insert(palette.Entries.end(), statics.begin(), statics.begin() + 10);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.Entries.push_back({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51), 0});
    for (int k = 1; k <= 20; ++k) {
        const auto grey = uint8_t((k * 255 + 10) / 21);
        palette.Entries.push_back({grey, grey, grey, 0});
    }
    palette.Entries.insert(palette.Entries.end(), statics.begin() + 10, statics.end());
    return palette;
}

} // namespace win
