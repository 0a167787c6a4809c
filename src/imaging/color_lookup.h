// Colour lookups: each maps a colour to the index of a palette entry and gives that entry's colour.
#pragma once

#include "platform/graphics/palette.h"
#include "platform/rtl/object.h"

#include <array>
#include <cstdint>
#include <vector>

class TColorLookup : public TObject {
public:
    // The palette index for a colour; R, G, B receive the colour of that entry.
    virtual uint8_t Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) = 0;

    // The number of palette entries the lookup serves.
    int Colors() const { return colors_; }

protected:
    explicit TColorLookup(int AColors) : colors_(AColors) {}

private:
    int colors_;
};

// The nearest entry of a palette (up to 256 entries) by the sum of the channel differences, the
// lowest index winning ties. Answers are cached per 15-bit colour key (5 bits of each channel), so
// colours that share a key share the first answer found for it; each entry's own key is taken by
// the first entry that has that key. With no entries every colour gives index 0 and black.
class TFastColorLookup final : public TColorLookup {
public:
    explicit TFastColorLookup(const win::Palette& Palette);

    uint8_t Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) override;

private:
    static constexpr uint16_t Empty = 0xFFFF;
    static int Key(uint8_t red, uint8_t green, uint8_t blue)
    {
        return (red >> 3) | ((green & 0xF8) << 2) | ((blue & 0xF8) << 7);
    }

    std::vector<win::PALETTEENTRY> palette_;
    std::vector<uint16_t> cache_;
};

// The web palette: each channel's level is (c + 3) ÷ 51, the index 36 × red + 6 × green + blue level.
class TNetscapeColorLookup final : public TColorLookup {
public:
    TNetscapeColorLookup() : TColorLookup(216) {}

    uint8_t Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) override;
};

// 256 greys: the index is the grey (77 × red + 150 × green + 29 × blue) ÷ 256.
class TGrayScaleLookup final : public TColorLookup {
public:
    TGrayScaleLookup() : TColorLookup(256) {}

    uint8_t Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) override;
};

// Black (index 0) when 77 × red + 150 × green + 29 × blue is at most 32512, else white (index 1).
class TMonochromeLookup final : public TColorLookup {
public:
    TMonochromeLookup() : TColorLookup(2) {}

    uint8_t Lookup(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t& R, uint8_t& G, uint8_t& B) override;
};
