// The colour grid, the colour button and its palette: streaming, cells, custom-colour entries,
// placement, picking a colour and the colour dialog's shared custom colours.
#include "highlighter/options/color_array.h"
#include "highlighter/options/color_button_palette.h"
#include "highlighter/options/custom_color_entries.h"
#include "highlighter/options/dfs_color_button.h"
#include "highlighter/options/palette_geometry.h"

#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QTest>
#include <string>
#include <vector>

namespace {

// A grid whose cell (x, y) holds x * 100 + y.
struct TNumberedGrid : TColorArrayClass {
    TNumberedGrid(int XSize, int YSize) : TColorArrayClass(XSize, YSize)
    {
        for (int x = 1; x <= XSize; ++x)
            for (int y = 1; y <= YSize; ++y)
                SetColor(x, y, TColor(x * 100 + y));
    }
};

TEST(ColorArray, StreamsColumnByColumnAndReadsBackTheSameCells)
{
    TNumberedGrid grid(4, 5);
    const std::vector<TStreamedProperty> written = grid.WriteProperties();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0], (TStreamedProperty{QStringLiteral("XSize"), {4}}));
    EXPECT_EQ(written[1], (TStreamedProperty{QStringLiteral("YSize"), {5}}));
    EXPECT_EQ(written[2].Name, QStringLiteral("Colors"));
    ASSERT_EQ(written[2].Values.size(), 20u);
    EXPECT_EQ(std::vector<std::int32_t>(written[2].Values.begin(), written[2].Values.begin() + 6),
              (std::vector<std::int32_t>{101, 102, 103, 104, 105, 201}));

    TColorArrayClass read(1, 1);
    for (const TStreamedProperty& property : written)
        read.ReadProperty(property);
    EXPECT_TRUE(read.Equals(&grid));
    EXPECT_TRUE(grid.Equals(&grid));
    EXPECT_FALSE(grid.Equals(nullptr));
    read.SetColor(2, 3, 0);
    EXPECT_FALSE(read.Equals(&grid));
}

TEST(ColorArray, ANewSizeDiscardsTheColoursAndTheSameSizeKeepsThem)
{
    TNumberedGrid grid(4, 5);
    grid.SetXSize(4);
    grid.SetYSize(5);
    EXPECT_EQ(grid.Color(4, 5), 405);
    grid.SetXSize(3);
    EXPECT_EQ(grid.XSize(), 3);
    EXPECT_EQ(grid.Color(3, 5), 0);

    TColorArrayClass copy(1, 1);
    TNumberedGrid source(4, 5);
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(&source));
}

TEST(ColorArray, CellsOutsideTheGridRaise)
{
    TColorArrayClass grid(4, 5);
    for (const QPoint cell : {QPoint(0, 1), QPoint(5, 1), QPoint(1, 0), QPoint(1, 6)}) {
        try {
            grid.Color(cell.x(), cell.y());
            ADD_FAILURE() << cell.x() << "," << cell.y();
        } catch (const EColorArrayIndexError& e) {
            EXPECT_EQ(e.Message, QStringLiteral("Array index out of bounds"));
        }
    }
    EXPECT_THROW(grid.SetColor(5, 1, 0), EColorArrayIndexError);
}

TEST(CustomColorEntries, WriteAndReadTheLetteredEntries)
{
    TNumberedGrid colors(8, 2);
    const QStringList entries = CustomColorEntries(colors);
    ASSERT_EQ(entries.size(), 16);
    EXPECT_EQ(entries[0], QStringLiteral("ColorA=00000065"));
    EXPECT_EQ(entries[9], QStringLiteral("ColorJ=000000CA"));

    TColorArrayClass read(8, 2);
    ReadCustomColorEntries(entries, read);
    EXPECT_TRUE(read.Equals(&colors));

    // Green from its letter; white for a value that is no number; entries naming no cell skipped.
    ReadCustomColorEntries({QStringLiteral("ColorC=0000FF00"), QStringLiteral("ColorD=zz"),
                            QStringLiteral("ColorZ=00000001"), QStringLiteral("=1"), QStringLiteral("ColorE")},
                           read);
    EXPECT_EQ(read.Color(3, 1), TColor(0x00FF00));
    EXPECT_EQ(read.Color(4, 1), clWhite);
    EXPECT_EQ(read.Color(5, 1), 501);
}

TEST(PaletteGeometry, CellsSwatchAndNothing)
{
    struct TCase {
        QPoint Point;
        QPoint Cell;
    };
    const TCase cases[] = {
        {{0, 0}, {1, 1}},     {{17, 17}, {1, 1}},   {{18, 0}, {2, 1}},    {{71, 89}, {4, 5}},
        {{10, 91}, {-1, -1}}, {{53, 96}, {0, 0}},   {{71, 113}, {0, 0}},  {{52, 100}, {-1, -1}},
        {{60, 114}, {-1, -1}}, {{60, 95}, {-1, -1}}, {{-1, 5}, {-1, -1}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(palette::CellAt(c.Point), c.Cell) << c.Point.x() << "," << c.Point.y();
    EXPECT_EQ(palette::ClientHeight, 121);
    EXPECT_EQ(palette::CellRect(palette::SwatchCell), QRect(54, 100, 16, 16));
}

TEST(PaletteGeometry, DropsBelowTheButtonOrAboveItAndStaysInTheWorkArea)
{
    const QRect work(0, 0, 1280, 1000);
    const QSize size(72, 121);
    struct TCase {
        QRect Button;
        QPoint Place;
    };
    const TCase cases[] = {
        {{100, 100, 45, 22}, {100, 122}},   // below
        {{100, 900, 45, 22}, {100, 779}},   // 121 above the button's top
        {{-10, 100, 45, 22}, {0, 122}},     // the work area's left
        {{1250, 100, 45, 22}, {1202, 122}}, // the work area's right less 78
    };
    for (const TCase& c : cases)
        EXPECT_EQ(palette::DropPosition(c.Button, size, work), c.Place) << c.Button.x() << "," << c.Button.y();
}

TEST(ColorButton, APaletteOpensWithTheColourHotOrOnTheSwatch)
{
    TDFSColorButton button;
    EXPECT_EQ(button.size(), QSize(45, 22));
    button.show();
    button.SetColor(TColor(win::RGB(0, 127, 0)));
    button.DropDown();
    ASSERT_NE(button.Palette(), nullptr);
    EXPECT_EQ(button.Palette()->HotCell(), QPoint(2, 3));
    button.Palette()->close();
    EXPECT_EQ(button.Palette(), nullptr);

    button.SetColor(TColor(win::RGB(1, 2, 3)));
    button.DropDown();
    EXPECT_EQ(button.Palette()->HotCell(), QPoint(-1, -1));
    EXPECT_EQ(button.Palette()->OtherColor(), TColor(win::RGB(1, 2, 3)));
    QTest::keyClick(button.Palette(), Qt::Key_Escape);
    EXPECT_EQ(button.Palette(), nullptr);
}

TEST(ColorButton, AClickOnACellSetsTheColourAndFiresTheChange)
{
    TDFSColorButton button;
    button.show();
    int changes = 0;
    button.OnColorChange = [&](TObject*) { ++changes; };
    QTest::mouseClick(&button, Qt::LeftButton);
    TTSM_DFSColorButtonPalette* dropped = button.Palette();
    ASSERT_NE(dropped, nullptr);
    QTest::mouseClick(dropped, Qt::LeftButton, {}, palette::CellRect({1, 2}).center());
    EXPECT_EQ(button.Color(), TColor(win::RGB(255, 0, 0)));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(button.Palette(), nullptr);

    // A click beside the cells closes it and changes nothing.
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(button.Palette(), Qt::LeftButton, {}, QPoint(10, 95));
    EXPECT_EQ(button.Palette(), nullptr);
    EXPECT_EQ(changes, 1);
}

// Each button's custom colours go into the colour dialog and come back to that button only; the
// dialog's shared slots are as they were afterwards.
TEST(ColorButton, TheOtherButtonKeepsEachButtonsCustomColoursApart)
{
    QColorDialog::setCustomColor(0, QColor(9, 9, 9));
    TDFSColorButton first;
    TDFSColorButton second;
    first.CustomColors().SetColor(1, 1, TColor(win::RGB(10, 20, 30)));
    second.CustomColors().SetColor(1, 1, TColor(win::RGB(40, 50, 60)));
    first.show();

    QColor seen;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& dialog) {
        seen = QColorDialog::customColor(0);
        QColorDialog::setCustomColor(1, QColor(0, 0, 255));
        static_cast<QColorDialog&>(dialog).setCurrentColor(QColor(200, 100, 0));
        dialog.accept();
    });
    first.DropDown();
    first.Palette()->btnOther->click();
    EXPECT_EQ(seen, QColor(10, 20, 30));
    EXPECT_EQ(first.Color(), TColor(win::RGB(200, 100, 0)));
    EXPECT_EQ(first.OtherColor(), clBtnFace);
    EXPECT_EQ(first.Palette(), nullptr);
    EXPECT_EQ(first.CustomColors().Color(2, 1), TColor(win::RGB(0, 0, 255)));
    EXPECT_EQ(second.CustomColors().Color(1, 1), TColor(win::RGB(40, 50, 60)));
    EXPECT_EQ(second.CustomColors().Color(2, 1), clWhite);
    EXPECT_EQ(QColorDialog::customColor(0), QColor(9, 9, 9));
}

} // namespace
