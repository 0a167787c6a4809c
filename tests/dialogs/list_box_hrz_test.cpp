// TListBoxHrz: the horizontal extent follows the widest line as lines come and go and the font
// changes; the scroll bar scrolls over it.
#include "dialogs/list_box_hrz.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScrollBar>

namespace {

// A line of about Width pixels in Box's font.
QString LineOfWidth(const TListBoxHrz& Box, int Width)
{
    const QFontMetrics metrics(Box.font());
    QString text;
    while (metrics.horizontalAdvance(text + QLatin1Char('x')) <= Width)
        text += QLatin1Char('x');
    return text;
}

int Extent(const TListBoxHrz& Box, const QString& Text)
{
    return QFontMetrics(Box.font()).horizontalAdvance(Text) + 26;
}

} // namespace

TEST(ListBoxHrz, ExtentFollowsTheWidestLine)
{
    TListBoxHrz box;
    box.resize(200, 100);
    const QString wide = LineOfWidth(box, 500), middle = LineOfWidth(box, 300), narrow = LineOfWidth(box, 50);
    ASSERT_GT(wide.size(), middle.size());
    EXPECT_EQ(box.CurrentWidth(), 0);
    box.addItem(middle);
    EXPECT_EQ(box.CurrentWidth(), Extent(box, middle));
    box.insertItem(0, wide);
    EXPECT_EQ(box.CurrentWidth(), Extent(box, wide));
    box.addItem(narrow); // a shorter line leaves it
    EXPECT_EQ(box.CurrentWidth(), Extent(box, wide));
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), box.CurrentWidth() - box.viewport()->width());

    delete box.takeItem(0); // the widest goes: the next widest
    EXPECT_EQ(box.CurrentWidth(), Extent(box, middle));
    box.clear();
    EXPECT_EQ(box.CurrentWidth(), 0);
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), 0);
}

TEST(ListBoxHrz, FiveHundredPixelLineGives526AndTheMarginIsAdded)
{
    TListBoxHrz box;
    QFont font = box.font();
    font.setPixelSize(12);
    box.setFont(font);
    QString line = LineOfWidth(box, 500);
    const int width = QFontMetrics(font).horizontalAdvance(line);
    box.addItem(line);
    EXPECT_EQ(box.CurrentWidth(), width + 26);
    if (width == 500)
        EXPECT_EQ(box.CurrentWidth(), 526);

    box.Margin = 10;
    box.addItem(line + "xx");
    EXPECT_EQ(box.CurrentWidth(), Extent(box, line + "xx") + 10);
    delete box.takeItem(1);
    EXPECT_EQ(box.CurrentWidth(), Extent(box, line) + 10);
    delete box.takeItem(0);
    EXPECT_EQ(box.CurrentWidth(), 10); // an empty list keeps the margin after a delete
}

TEST(ListBoxHrz, FontChangeMeasuresAgain)
{
    TListBoxHrz box;
    box.addItem("a line of the log");
    QFont big = box.font();
    big.setPixelSize(40);
    box.setFont(big);
    EXPECT_EQ(box.CurrentWidth(), Extent(box, "a line of the log"));
    EXPECT_GT(box.CurrentWidth(), 200);
}
