// The group, pane and frame controls: the inset of every style, the caption's and the font's part
// in the group's inset, and the colours of the drawn edges under a fixed palette.
#include "dialogs/pt_frame.h"
#include "dialogs/pt_group.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

struct TInsetCase {
    TPTFrameStyle Style;
    QMargins Inset;
};

// A palette whose roles are told apart by their colours.
QPalette FixedPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(200, 200, 200));
    palette.setColor(QPalette::Dark, QColor(128, 0, 0));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 128));
    palette.setColor(QPalette::Button, QColor(0, 128, 0));
    palette.setColor(QPalette::Light, QColor(255, 255, 0));
    palette.setColor(QPalette::WindowText, QColor(255, 0, 255));
    return palette;
}

const QColor Sentinel(1, 2, 3);

QImage Rendered(QWidget& Control)
{
    QImage image(Control.size(), QImage::Format_RGB32);
    image.fill(Sentinel);
    Control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(FrameControls, DefaultsOfTheThreeControls)
{
    TPTGroup group;
    TPTFrame frame;
    TPTPane pane;
    EXPECT_EQ(group.FrameStyle(), ptfsGroup);
    EXPECT_EQ(frame.FrameStyle(), ptfsLowered);
    EXPECT_EQ(pane.FrameStyle(), ptfsLowered);
    EXPECT_EQ(pane.MinSize, 20);
    for (TPTFramedControl* control : std::initializer_list<TPTFramedControl*>{&group, &frame, &pane}) {
        EXPECT_EQ(control->size(), QSize(64, 48));
        EXPECT_EQ(control->FrameSpace(), 2);
        EXPECT_TRUE(control->DefaultDrawing());
        EXPECT_EQ(control->Alignment(), taCenter);
    }
    EXPECT_EQ(pane.contentsMargins(), QMargins(2, 2, 2, 2));
}

TEST(FrameControls, EveryStyleInsetsTheGroupsInside)
{
    const TInsetCase cases[] = {
        {ptfsNone, {0, 0, 0, 0}},     {ptfsGroup, {2, 2, 2, 2}},     {ptfsLowered, {2, 2, 2, 2}},
        {ptfsRaised, {2, 2, 2, 2}},   {ptfsDint, {1, 1, 1, 1}},      {ptfsBump, {1, 1, 1, 1}},
        {ptfsSingle, {1, 1, 1, 1}},   {ptfsHorzLine, {0, 2, 0, 0}},  {ptfsHorzEdge, {0, 2, 0, 2}},
        {ptfsVertLine, {2, 0, 0, 0}}, {ptfsVertEdge, {2, 0, 2, 0}},
    };
    TPTGroup group;
    group.resize(100, 80);
    for (const TInsetCase& c : cases) {
        group.SetFrameStyle(c.Style);
        EXPECT_EQ(group.contentsMargins(), c.Inset) << "style " << c.Style;
        EXPECT_EQ(group.contentsRect(), QRect(QPoint(), group.size()).marginsRemoved(c.Inset));
    }
}

TEST(FrameControls, CaptionedGroupReservesTheHeightOfZeroAndFollowsItsFont)
{
    TPTGroup group;
    EXPECT_EQ(group.contentsMargins().top(), 2);
    group.SetCaption("Site");
    EXPECT_EQ(group.contentsMargins().top(), QFontMetrics(group.font()).size(0, "0").height());
    QFont big = group.font();
    big.setPixelSize(40);
    group.setFont(big);
    EXPECT_EQ(group.contentsMargins().top(), QFontMetrics(big).size(0, "0").height());
    EXPECT_GT(group.contentsMargins().top(), 30);
    group.SetCaption("");
    EXPECT_EQ(group.contentsMargins().top(), 2);
}

TEST(FrameControls, EdgePixelsOfTheDrawnStyles)
{
    const QPalette palette = FixedPalette();
    const QColor shadow = palette.color(QPalette::Dark), darkShadow = palette.color(QPalette::Shadow),
                 face = palette.color(QPalette::Button), highlight = palette.color(QPalette::Light),
                 windowFrame = palette.color(QPalette::WindowText), back = palette.color(QPalette::Window);
    // Pixels: outer top-left, inner top-left, inner bottom-right, outer bottom-right, and the middle.
    struct {
        TPTFrameStyle Style;
        QColor OuterTL, InnerTL, InnerBR, OuterBR;
    } const cases[] = {
        {ptfsLowered, shadow, darkShadow, face, highlight},
        {ptfsRaised, highlight, face, shadow, darkShadow},
        {ptfsDint, shadow, back, back, highlight},
        {ptfsBump, highlight, back, back, shadow},
        {ptfsSingle, windowFrame, back, back, windowFrame},
    };
    TPTFrame frame;
    frame.setPalette(palette);
    frame.resize(40, 30);
    for (const auto& c : cases) {
        frame.SetFrameStyle(c.Style);
        const QImage image = Rendered(frame);
        EXPECT_EQ(QColor(image.pixel(0, 0)), c.OuterTL) << c.Style;
        EXPECT_EQ(QColor(image.pixel(1, 1)), c.InnerTL) << c.Style;
        EXPECT_EQ(QColor(image.pixel(38, 28)), c.InnerBR) << c.Style;
        EXPECT_EQ(QColor(image.pixel(39, 29)), c.OuterBR) << c.Style;
        EXPECT_EQ(QColor(image.pixel(20, 15)), back) << c.Style;
    }
    // A horizontal line of height 2: shadow over highlight, and nothing else.
    frame.SetFrameStyle(ptfsHorzLine);
    frame.resize(40, 2);
    const QImage line = Rendered(frame);
    for (int x : {0, 20, 39}) {
        EXPECT_EQ(QColor(line.pixel(x, 0)), shadow);
        EXPECT_EQ(QColor(line.pixel(x, 1)), highlight);
    }
}

TEST(FrameControls, WithoutDefaultDrawingNoBackgroundAndOnPaintComesLast)
{
    TPTGroup group;
    group.setPalette(FixedPalette());
    group.resize(40, 30);
    group.SetFrameStyle(ptfsSingle);
    group.SetDefaultDrawing(false);
    int painted = 0;
    group.OnPaint = [&](TObject* Sender, QPainter& Canvas) {
        EXPECT_EQ(Sender, &group);
        ++painted;
        Canvas.fillRect(QRect(30, 20, 1, 1), Qt::red); // over what the control drew
    };
    const QImage image = Rendered(group);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(QColor(image.pixel(20, 15)), Sentinel);
    EXPECT_EQ(QColor(image.pixel(0, 0)), FixedPalette().color(QPalette::WindowText));
    EXPECT_EQ(QColor(image.pixel(30, 20)), QColor(Qt::red));
}
