// System colours and colour conversion.
#include "platform/graphics/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace win {

namespace {

// Windows' standard system colours, by index.
constexpr std::array<COLORREF, 31> StandardColors = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 0, 0),       // desktop
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(0, 120, 215),   // highlight
    RGB(255, 255, 255), // highlighted text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // disabled text
    RGB(0, 0, 0),       // button text
    RGB(0, 0, 0),       // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // dark 3-D shadow
    RGB(227, 227, 227), // light 3-D
    RGB(0, 0, 0),       // tool-tip text
    RGB(255, 255, 225), // tool-tip background
    RGB(0, 0, 0),       // (unused)
    RGB(0, 102, 204),   // hot-tracked item
    RGB(185, 209, 234), // active caption gradient
    RGB(215, 228, 242), // inactive caption gradient
    RGB(51, 153, 255),  // menu highlight
    RGB(240, 240, 240), // menu bar
};

std::optional<QPalette::ColorRole> PaletteRole(int Index)
{
    switch (Index) {
    case COLOR_WINDOW: return QPalette::Base;
    case COLOR_WINDOWTEXT: return QPalette::Text;
    case COLOR_HIGHLIGHT: return QPalette::Highlight;
    case COLOR_HIGHLIGHTTEXT: return QPalette::HighlightedText;
    case COLOR_BTNFACE: return QPalette::Button;
    case COLOR_BTNTEXT: return QPalette::ButtonText;
    case COLOR_BTNSHADOW: return QPalette::Mid;
    case COLOR_BTNHIGHLIGHT: return QPalette::Light;
    case COLOR_3DDKSHADOW: return QPalette::Shadow;
    case COLOR_3DLIGHT: return QPalette::Midlight;
    case COLOR_INFOTEXT: return QPalette::ToolTipText;
    case COLOR_INFOBK: return QPalette::ToolTipBase;
    default: return std::nullopt;
    }
}

bool HasDisplay()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

COLORREF GetSysColor(int Index)
{
    if (Index < 0 || Index >= int(StandardColors.size()))
        return 0;
    if (const auto role = PaletteRole(Index); role && HasDisplay()) {
        const QColor c = QGuiApplication::palette().color(QPalette::Active, *role);
        return RGB(c.red(), c.green(), c.blue());
    }
    return StandardColors[std::size_t(Index)];
}

} // namespace win

win::COLORREF ColorToRGB(TColor Color)
{
    if (Color & clSystemColor)
        return win::GetSysColor(Color & 0xFF);
    return win::COLORREF(Color);
}

QColor ColorToQColor(TColor Color)
{
    const win::COLORREF rgb = ColorToRGB(Color);
    return QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
}
