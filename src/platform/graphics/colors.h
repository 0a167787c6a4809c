// Colours as the class library keeps them: TColor is a COLORREF (0x00BBGGRR) or, with the top bit
// set, a reference to a system colour; the system colours themselves; and conversion to QColor.
#pragma once

#include <QColor>
#include <cstdint>

namespace win {

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int R, int G, int B)
{
    return COLORREF(R & 0xFF) | COLORREF(G & 0xFF) << 8 | COLORREF(B & 0xFF) << 16;
}

// System colour indexes.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_ACTIVEBORDER = 10;
constexpr int COLOR_INACTIVEBORDER = 11;
constexpr int COLOR_APPWORKSPACE = 12;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_HOTLIGHT = 26;
constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
constexpr int COLOR_MENUHILIGHT = 29;
constexpr int COLOR_MENUBAR = 30;

// The colour of a system colour index. With a display, the colours that have a counterpart in
// the application's palette (window, text, highlight, buttons, tool tips) come from
// it; without one (no GUI application, or the offscreen and minimal platforms) and for the
// others, Windows' standard colours, so that output made without a display never depends on the
// machine. An unknown index gives 0.
COLORREF GetSysColor(int Index);

} // namespace win

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
// No colour at all, and the default colour of the caller's choice.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
// System colour references: the index with the top bit set.
constexpr TColor clSystemColor = TColor(0x80000000u);
constexpr TColor clWindow = clSystemColor | win::COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | win::COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | win::COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | win::COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | win::COLOR_BTNFACE;

// The COLORREF a colour stands for: system colour references are looked up, others kept.
win::COLORREF ColorToRGB(TColor Color);
QColor ColorToQColor(TColor Color);
