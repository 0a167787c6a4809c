// Colour conversion and the fixed table of system colours.
#include "platform/graphics/colors.h"

#include <array>

TColor ColorToRGB(TColor Color)
{
    // The classic default colours of the system colour indexes 0 to 30.
    static constexpr std::array<TColor, 31> SystemColors = {
        RGBColor(192, 192, 192), RGBColor(0, 128, 128),   RGBColor(0, 0, 128),     RGBColor(128, 128, 128),
        RGBColor(192, 192, 192), RGBColor(255, 255, 255), RGBColor(0, 0, 0),       RGBColor(0, 0, 0),
        RGBColor(0, 0, 0),       RGBColor(255, 255, 255), RGBColor(192, 192, 192), RGBColor(192, 192, 192),
        RGBColor(128, 128, 128), RGBColor(0, 0, 128),     RGBColor(255, 255, 255), RGBColor(192, 192, 192),
        RGBColor(128, 128, 128), RGBColor(128, 128, 128), RGBColor(0, 0, 0),       RGBColor(192, 192, 192),
        RGBColor(255, 255, 255), RGBColor(0, 0, 0),       RGBColor(192, 192, 192), RGBColor(0, 0, 0),
        RGBColor(255, 255, 225), RGBColor(0, 0, 0),       RGBColor(0, 0, 255),     RGBColor(16, 132, 208),
        RGBColor(181, 181, 181), RGBColor(0, 0, 128),     RGBColor(192, 192, 192)};
    if (Color & clSystemColor) {
        const TColor index = Color & 0xFF;
        return index < SystemColors.size() ? SystemColors[index] : clBlack;
    }
    return Color & 0xFFFFFF;
}

QColor ToQColor(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}
