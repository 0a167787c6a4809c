// HTMLColor and its table of colour names.
#include "dialogs/html_colors.h"

#include "platform/graphics/colors.h"

#include <QPalette>

namespace {

struct TNamedColor {
    const char* Name;
    // A standard colour as 0xRRGGBB, or a system colour by its index and its palette role.
    unsigned Rgb;
    int SystemIndex;
    QPalette::ColorRole Role;
};

constexpr QPalette::ColorRole NoRole = QPalette::NoRole;

// The sixteen standard colours, then the system colours 1 to 24 in their order.
const TNamedColor NamedColors[] = {
    {"clred", 0xFF0000, 0, NoRole},
    {"clblack", 0x000000, 0, NoRole},
    {"clblue", 0x0000FF, 0, NoRole},
    {"clgreen", 0x008000, 0, NoRole},
    {"claqua", 0x00FFFF, 0, NoRole},
    {"clyellow", 0xFFFF00, 0, NoRole},
    {"clfuchsia", 0xFF00FF, 0, NoRole},
    {"clwhite", 0xFFFFFF, 0, NoRole},
    {"cllime", 0x00FF00, 0, NoRole},
    {"clsilver", 0xC0C0C0, 0, NoRole},
    {"clgray", 0x808080, 0, NoRole},
    {"clolive", 0x808000, 0, NoRole},
    {"clnavy", 0x000080, 0, NoRole},
    {"clpurple", 0x800080, 0, NoRole},
    {"clteal", 0x008080, 0, NoRole},
    {"clmaroon", 0x800000, 0, NoRole},
    {"clbackground", 0, win::COLOR_BACKGROUND, NoRole},
    {"clactivecaption", 0, win::COLOR_ACTIVECAPTION, NoRole},
    {"clinactivecaption", 0, win::COLOR_INACTIVECAPTION, NoRole},
    {"clmenu", 0, win::COLOR_MENU, QPalette::Window},
    {"clwindow", 0, win::COLOR_WINDOW, QPalette::Base},
    {"clwindowframe", 0, win::COLOR_WINDOWFRAME, QPalette::Shadow},
    {"clmenutext", 0, win::COLOR_MENUTEXT, QPalette::WindowText},
    {"clwindowtext", 0, win::COLOR_WINDOWTEXT, QPalette::Text},
    {"clcaptiontext", 0, win::COLOR_CAPTIONTEXT, NoRole},
    {"clactiveborder", 0, win::COLOR_ACTIVEBORDER, NoRole},
    {"clinactiveborder", 0, win::COLOR_INACTIVEBORDER, NoRole},
    {"clappworkspace", 0, win::COLOR_APPWORKSPACE, NoRole},
    {"clhighlight", 0, win::COLOR_HIGHLIGHT, QPalette::Highlight},
    {"clhighlighttext", 0, win::COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText},
    {"clbtnface", 0, win::COLOR_BTNFACE, QPalette::Button},
    {"clbtnshadow", 0, win::COLOR_BTNSHADOW, QPalette::Dark},
    {"clgraytext", 0, win::COLOR_GRAYTEXT, QPalette::PlaceholderText},
    {"clbtntext", 0, win::COLOR_BTNTEXT, QPalette::ButtonText},
    {"clinactivecaptiontext", 0, win::COLOR_INACTIVECAPTIONTEXT, NoRole},
    {"clbtnhighlight", 0, win::COLOR_BTNHIGHLIGHT, QPalette::Light},
    {"cl3ddkshadow", 0, win::COLOR_3DDKSHADOW, QPalette::Shadow},
    {"cl3dlight", 0, win::COLOR_3DLIGHT, QPalette::Midlight},
    {"clinfotext", 0, win::COLOR_INFOTEXT, QPalette::ToolTipText},
    {"clinfobk", 0, win::COLOR_INFOBK, QPalette::ToolTipBase},
};

QColor NamedColor(const QString& Name, const QPalette& Palette)
{
    for (const TNamedColor& entry : NamedColors) {
        if (Name != QLatin1String(entry.Name))
            continue;
        if (entry.SystemIndex == 0)
            return QColor::fromRgb(QRgb(entry.Rgb));
        if (entry.Role != NoRole)
            return Palette.color(entry.Role);
        return ColorToQColor(clSystemColor | entry.SystemIndex);
    }
    return Qt::black;
}

} // namespace

QColor HTMLColor(const QString& Value, const QPalette& Palette)
{
    if (Value.contains(QLatin1String("cl")))
        return NamedColor(Value.toLower().trimmed(), Palette);
    const qsizetype hash = Value.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return {};
    bool ok = false;
    const unsigned rgb = Value.mid(hash + 1, 6).toUInt(&ok, 16);
    if (!ok || Value.mid(hash + 1, 6).size() != 6)
        return {};
    return QColor::fromRgb(QRgb(rgb));
}
