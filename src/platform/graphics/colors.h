// TColor: colours as 0x00BBGGRR, system colours as 0x80000000 | index, and their conversion.
#pragma once

#include <QColor>
#include <cstdint>

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
// No colour at all, and the default colour of the caller's choice.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clBtnFace = clSystemColor | 15;

constexpr TColor RGBColor(uint8_t Red, uint8_t Green, uint8_t Blue)
{
    return TColor(Red) | TColor(Green) << 8 | TColor(Blue) << 16;
}
constexpr uint8_t RedOf(TColor Color) { return uint8_t(Color); }
constexpr uint8_t GreenOf(TColor Color) { return uint8_t(Color >> 8); }
constexpr uint8_t BlueOf(TColor Color) { return uint8_t(Color >> 16); }

// The plain colour of Color: system colours come from a fixed table of the classic defaults
// (unknown indexes give black); other colours lose their top byte.
TColor ColorToRGB(TColor Color);
QColor ToQColor(TColor Color);
