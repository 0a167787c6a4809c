// Logical palettes: the entry type, the palette value that stands for a palette handle, and the
// two stock palettes (the 20 static colours and the halftone palette).
#pragma once

#include <cstdint>
#include <vector>

namespace win {

struct PALETTEENTRY {
    uint8_t peRed = 0;
    uint8_t peGreen = 0;
    uint8_t peBlue = 0;
    uint8_t peFlags = 0;

    friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};

// Entry flag: the entry gets a slot of its own even when an equal colour exists.
constexpr uint8_t PC_NOCOLLAPSE = 4;

// A logical palette. Palettes are values here: an empty palette stands for "no palette"
// (a palette handle of 0), and two palettes differ when their entries differ.
struct Palette {
    std::vector<PALETTEENTRY> Entries;

    int Count() const { return int(Entries.size()); }
    bool IsEmpty() const { return Entries.empty(); }

    friend bool operator==(const Palette&, const Palette&) = default;
};

// The stock default palette: the 20 static colours, black first and white last.
const Palette& DefaultPalette();

// The halftone palette, 256 entries: the first ten static colours, a 6 × 6 × 6 colour cube
// (entry 10 + r × 36 + g × 6 + b holds r × 51, g × 51, b × 51), 20 greys between the cube's
// (entry 225 + k holds (k × 255 + 10) ÷ 21 for k = 1..20) and the last ten static colours.
Palette CreateHalftonePalette();

} // namespace win
