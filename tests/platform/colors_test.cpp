// System colours without a display, colour conversion, and the numbered string table.
#include "platform/graphics/colors.h"
#include "platform/rtl/resource_strings.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursAreWindowsStandardWithoutADisplay)
{
    // The tests run on the offscreen platform.
    EXPECT_EQ(ColorToRGB(clBtnFace), win::RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clHighlight), win::RGB(0, 120, 215));
    EXPECT_EQ(ColorToRGB(clHighlightText), win::RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), 0u);
    EXPECT_EQ(win::GetSysColor(99), 0u);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToQColor(win::RGB(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(clHighlight), QColor(0, 120, 215));
}

TEST(ResourceStrings, LoadsByNumber)
{
    EXPECT_EQ(LoadStr(4146), QStringLiteral("Cursor left"));
    EXPECT_EQ(LoadStr(4193), QStringLiteral("Scroll display down one line"));
    EXPECT_EQ(LoadStr(4257), QStringLiteral("Bad key specifier"));
    EXPECT_EQ(LoadStr(4145), QString());
    EXPECT_EQ(LoadStr(-1), QString());
}
