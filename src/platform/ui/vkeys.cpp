// The US keyboard layout's character-to-key table.
#include "platform/ui/vkeys.h"

#include <cstring>

namespace win {

namespace {

constexpr std::int16_t Shifted = 0x100;

// The characters Shift types on the digit keys 0..9.
constexpr char ShiftedDigits[] = ")!@#$%^&*(";

// The punctuation keys with the character they type alone and with Shift.
struct TPunctuationKey {
    int Key;
    char Plain;
    char Shift;
};
constexpr TPunctuationKey PunctuationKeys[] = {
    {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
};

} // namespace

std::int16_t VkKeyScan(char Ch)
{
    if (Ch >= 'a' && Ch <= 'z')
        return std::int16_t(Ch - 'a' + 'A');
    if (Ch >= 'A' && Ch <= 'Z')
        return std::int16_t(Shifted | Ch);
    if (Ch >= '0' && Ch <= '9')
        return std::int16_t(Ch);
    if (Ch != '\0') {
        if (const char* digit = std::strchr(ShiftedDigits, Ch))
            return std::int16_t(Shifted | ('0' + (digit - ShiftedDigits)));
    }
    for (const TPunctuationKey& key : PunctuationKeys) {
        if (key.Plain == Ch)
            return std::int16_t(key.Key);
        if (key.Shift == Ch)
            return std::int16_t(Shifted | key.Key);
    }
    switch (Ch) {
    case ' ': return VK_SPACE;
    case '\b': return VK_BACK;
    case '\t': return VK_TAB;
    case '\r': return VK_RETURN;
    case '\x1b': return VK_ESCAPE;
    default: return -1;
    }
}

} // namespace win
