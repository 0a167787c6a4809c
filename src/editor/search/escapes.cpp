// Character escapes.
#include "editor/search/escapes.h"

#include <cctype>

namespace {

int HexDigit(char C)
{
    const char lower = char(std::tolower(static_cast<unsigned char>(C)));
    if (lower >= '0' && lower <= '9')
        return lower - '0';
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace

TEscape ReadEscape(std::string_view Text, std::size_t& Pos, bool SIsBlank)
{
    const char c = Text[Pos++];
    switch (std::tolower(static_cast<unsigned char>(c))) {
    case 't': return {TEscapeResult::Char, 9};
    case 'r': return {TEscapeResult::Char, 10};
    case 'n': return {TEscapeResult::Char, 13};
    case 'b': return {TEscapeResult::Char, 8};
    case 'f': return {TEscapeResult::Char, 12};
    case 's': return {TEscapeResult::Char, SIsBlank ? ' ' : c};
    case 'x': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && Pos < Text.size() && HexDigit(Text[Pos]) >= 0) {
            value = value * 16 + HexDigit(Text[Pos++]);
            ++digits;
        }
        return {digits ? TEscapeResult::Char : TEscapeResult::NoHexDigit, char(value)};
    }
    default: break;
    }
    if (c < '0' || c > '7')
        return {TEscapeResult::Char, c};
    int value = c - '0';
    for (int digits = 0; digits < 2 && Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '7'; ++digits)
        value = value * 8 + (Text[Pos++] - '0');
    return {value > 255 ? TEscapeResult::OctalTooLarge : TEscapeResult::Char, char(value)};
}
