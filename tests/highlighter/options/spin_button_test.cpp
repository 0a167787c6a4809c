// The spin button: the layout of its halves, the repetition while held down, keys and glyphs.
#include "highlighter/options/spin_button.h"

#include <gtest/gtest.h>

#include <QMetaObject>
#include <QTest>
#include <QTimer>
#include <string>

namespace {

TEST(SpinButton, NarrowWidthsGrowAndTheHalvesOverlapByOnePixel)
{
    TSpinButton spin;
    EXPECT_EQ(spin.size(), QSize(20, 25));
    spin.SetBounds(3, 4, 10, 25);
    EXPECT_EQ(spin.geometry(), QRect(3, 4, 15, 25));
    EXPECT_EQ(spin.UpButton()->geometry(), QRect(0, 0, 15, 12));
    EXPECT_EQ(spin.DownButton()->geometry(), QRect(0, 11, 15, 14));

    // A resize from outside keeps the rule too.
    spin.show();
    spin.resize(8, 30);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(spin.width(), 15);
    EXPECT_EQ(spin.UpButton()->geometry(), QRect(0, 0, 15, 15));
    EXPECT_EQ(spin.DownButton()->geometry(), QRect(0, 14, 15, 16));
}

// The repetition, with the button's own timer driven by hand: what is counted is the order of the
// clicks and the intervals asked for, not milliseconds.
TEST(SpinButton, HeldDownItRepeatsAfterTheFirstDelayThenFasterAndClicksAtRelease)
{
    TSpinButton spin;
    spin.show();
    std::string clicks;
    spin.OnUpClick = [&](TObject*) { clicks += 'u'; };
    spin.OnDownClick = [&](TObject*) { clicks += 'd'; };
    TTimerSpeedButton* up = spin.UpButton();
    ASSERT_EQ(up->RepeatTimer(), nullptr);

    QTest::mousePress(up, Qt::LeftButton, {}, up->rect().center());
    QTimer* timer = up->RepeatTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 400);
    EXPECT_EQ(clicks, "");

    const auto tick = [&] { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); };
    tick();
    EXPECT_EQ(timer->interval(), 100);
    tick();
    tick();
    EXPECT_EQ(clicks, "uuu");

    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(clicks, "uuuu");
    // A tick that comes late, after the release, clicks nothing.
    tick();
    EXPECT_EQ(clicks, "uuuu");

    // The down half: a press and release without ticks is one click.
    QTest::mouseClick(spin.DownButton(), Qt::LeftButton, {}, spin.DownButton()->rect().center());
    EXPECT_EQ(clicks, "uuuud");
    EXPECT_EQ(spin.FocusedButton(), spin.DownButton());
}

TEST(SpinButton, ArrowKeysClickTheirHalfAndSpaceTheFocusedOne)
{
    TSpinButton spin;
    spin.show();
    std::string clicks;
    spin.OnUpClick = [&](TObject*) { clicks += 'u'; };
    spin.OnDownClick = [&](TObject*) { clicks += 'd'; };
    QTest::keyClick(&spin, Qt::Key_Down);
    QTest::keyClick(&spin, Qt::Key_Space);
    QTest::keyClick(&spin, Qt::Key_Up);
    QTest::keyClick(&spin, Qt::Key_Space);
    EXPECT_EQ(clicks, "ddu" "u");
}

TEST(SpinButton, APressGivesTheFocusToTheFocusControl)
{
    QWidget form;
    auto* edit = new QWidget(&form);
    edit->setFocusPolicy(Qt::StrongFocus);
    auto* spin = new TSpinButton(&form);
    spin->SetFocusControl(edit);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton, {}, spin->UpButton()->rect().center());
    EXPECT_TRUE(edit->hasFocus());

    // Without a focus control (the one set was freed) the spin button takes it.
    delete edit;
    EXPECT_EQ(spin->FocusControl(), nullptr);
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton, {}, spin->DownButton()->rect().center());
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_TRUE(spin->DownButton()->FocusRect());
    EXPECT_FALSE(spin->UpButton()->FocusRect());
}

TEST(SpinButton, NoGlyphRestoresTheBuiltInArrowWithOneGlyph)
{
    TSpinButton spin;
    const QImage builtIn = spin.UpButton()->Glyph().toImage();
    ASSERT_FALSE(builtIn.isNull());

    QPixmap strip(24, 8);
    strip.fill(Qt::red);
    spin.SetUpGlyph(strip);
    spin.SetUpNumGlyphs(3);
    EXPECT_EQ(spin.UpButton()->NumGlyphs(), 3);
    EXPECT_EQ(spin.UpButton()->iconSize(), QSize(8, 8));

    spin.SetUpGlyph(QPixmap());
    EXPECT_EQ(spin.UpButton()->Glyph().toImage(), builtIn);
    EXPECT_EQ(spin.UpButton()->NumGlyphs(), 1);
    // The two halves show different arrows.
    EXPECT_NE(spin.DownButton()->Glyph().toImage(), builtIn);
}

} // namespace
