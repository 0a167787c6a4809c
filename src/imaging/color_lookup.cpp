// The colour lookups: cached nearest palette entry, web palette, greys and black and white.
#include "imaging/color_lookup.h"

#include <algorithm>
#include <cstdlib>

TFastColorLookup::TFastColorLookup(const win::Palette& Palette)
    : TColorLookup(std::min(Palette.Count(), 256)),
      palette_(Palette.Entries.begin(), Palette.Entries.begin() + Colors()), cache_(32768, Empty)
{
    for (int i = 0; i < Colors(); ++i) {
        const auto& e = palette_[size_t(i)];
        auto& slot = cache_[size_t(Key(e.peRed, e.peGreen, e.peBlue))];
        if (slot == Empty)
            slot = uint16_t(i);
    }
}

uint8_t TFastColorLookup::Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B)
{
    if (palette_.empty()) {
        R = G = B = 0;
        return 0;
    }
    auto& slot = cache_[size_t(Key(Red, Green, Blue))];
    if (slot == Empty) {
        int best = 0;
        int bestDistance = 0x30000;
        for (size_t i = 0; i < palette_.size(); ++i) {
            const auto& e = palette_[i];
            const int distance =
                std::abs(Red - e.peRed) + std::abs(Green - e.peGreen) + std::abs(Blue - e.peBlue);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = int(i);
            }
        }
        slot = uint16_t(best);
    }
    const auto& e = palette_[slot];
    R = e.peRed;
    G = e.peGreen;
    B = e.peBlue;
    return uint8_t(slot);
}

uint8_t TNetscapeColorLookup::Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G,
                                     uint8_t& B)
{
    const int red = (Red + 3) / 51;
    const int green = (Green + 3) / 51;
    const int blue = (Blue + 3) / 51;
    R = uint8_t(red * 51);
    G = uint8_t(green * 51);
    B = uint8_t(blue * 51);
    return uint8_t(36 * red + 6 * green + blue);
}

uint8_t TGrayScaleLookup::Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B)
{
    const auto grey = uint8_t((77 * Red + 150 * Green + 29 * Blue) >> 8);
    R = G = B = grey;
    return grey;
}

uint8_t TMonochromeLookup::Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G,
                                  uint8_t& B)
{
    const bool white = 77 * Red + 150 * Green + 29 * Blue > 0x7F00;
    R = G = B = white ? 255 : 0;
    return white ? 1 : 0;
}
