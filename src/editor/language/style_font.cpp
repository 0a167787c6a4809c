// Style fonts.
#include "editor/language/style_font.h"

#include <algorithm>
#include <cstdlib>

TStyleFont CreateStyleFont(const QString& Name, int PointSize, int Style, int DpiY, std::uint8_t Charset)
{
    const long long product = static_cast<long long>(PointSize) * DpiY;
    const long long rounded = (std::llabs(product) + 36) / 72;
    QFont font(Name);
    font.setPixelSize(std::max(1, int(rounded)));
    font.setBold((Style & fsBold) != 0);
    font.setItalic((Style & fsItalic) != 0);
    font.setUnderline((Style & fsUnderline) != 0);
    font.setStrikeOut((Style & fsStrikeOut) != 0);
    return {font, Charset};
}
