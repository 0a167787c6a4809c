// CreateStyleFont: the font of one text style at a device's resolution.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

// Style bits of a text style.
constexpr int fsBold = 1;
constexpr int fsItalic = 2;
constexpr int fsUnderline = 4;
constexpr int fsStrikeOut = 8;

struct TStyleFont {
    QFont Font;
    // The character set asked for; kept with the font, Qt chooses glyphs by itself.
    std::uint8_t Charset = 0;
};

// Name at PointSize points with the style bits, for a device of DpiY pixels per inch (the
// printer's while printing, else the screen's): the pixel size is PointSize * DpiY / 72,
// rounded half away from zero.
TStyleFont CreateStyleFont(const QString& Name, int PointSize, int Style, int DpiY, std::uint8_t Charset);
