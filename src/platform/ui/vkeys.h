// Virtual-key codes, the shift state of a key press, the 16-bit short-cut encoding (key code in
// the low byte, Shift, Ctrl and Alt in the high byte) and the US-layout character-to-key table.
#pragma once

#include <cstdint>

namespace win {

constexpr int VK_BACK = 8;
constexpr int VK_TAB = 9;
constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18; // Alt
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_PRIOR = 33; // Page Up
constexpr int VK_NEXT = 34;  // Page Down
constexpr int VK_END = 35;
constexpr int VK_HOME = 36;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;
constexpr int VK_INSERT = 45;
constexpr int VK_DELETE = 46;
// "0".."9" and "A".."Z" are their ASCII codes.
constexpr int VK_NUMPAD0 = 96;
constexpr int VK_F1 = 112;
constexpr int VK_F12 = 123;
constexpr int VK_F24 = 135;
// Punctuation keys of the US layout.
constexpr int VK_OEM_1 = 0xBA;      // ; :
constexpr int VK_OEM_PLUS = 0xBB;   // = +
constexpr int VK_OEM_COMMA = 0xBC;  // , <
constexpr int VK_OEM_MINUS = 0xBD;  // - _
constexpr int VK_OEM_PERIOD = 0xBE; // . >
constexpr int VK_OEM_2 = 0xBF;      // / ?
constexpr int VK_OEM_3 = 0xC0;      // ` ~
constexpr int VK_OEM_4 = 0xDB;      // [ {
constexpr int VK_OEM_5 = 0xDC;      // \ |
constexpr int VK_OEM_6 = 0xDD;      // ] }
constexpr int VK_OEM_7 = 0xDE;      // ' "

// The key that types Ch on a US keyboard: the virtual key in the low byte, plus 0x100 when Shift
// must be held. -1 for a character no key types (anything outside printable ASCII, backspace,
// TAB, return and escape).
std::int16_t VkKeyScan(char Ch);

} // namespace win

// The modifier keys and mouse buttons held during a key press or click.
using TShiftState = std::uint32_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// A key with its modifiers in 16 bits; 0 is no short cut.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The short cut of Key (a virtual key, 0..255) with the Shift, Ctrl and Alt of Shift; 0 for a key
// outside 0..255.
constexpr TShortCut ShortCut(int Key, TShiftState Shift)
{
    if (Key < 0 || Key > 0xFF)
        return 0;
    TShortCut result = TShortCut(Key);
    if (Shift & ssShift)
        result |= scShift;
    if (Shift & ssCtrl)
        result |= scCtrl;
    if (Shift & ssAlt)
        result |= scAlt;
    return result;
}

// The key and the modifiers of a short cut.
constexpr void ShortCutToKey(TShortCut Value, int& Key, TShiftState& Shift)
{
    Key = Value & 0xFF;
    Shift = 0;
    if (Value & scShift)
        Shift |= ssShift;
    if (Value & scCtrl)
        Shift |= ssCtrl;
    if (Value & scAlt)
        Shift |= ssAlt;
}
