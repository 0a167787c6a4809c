// TPTImageCombo: entry geometry and height, drawing in the list and in the edit part, the items'
// lifetime, and how the drop-down list opens and closes.
#include "shell/image_combo.h"

#include "support/pump.h"

#include "platform/graphics/canvas.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QPainter>
#include <QTest>

namespace {

const QColor Red(255, 0, 0);

// The left-most column of Image in which some pixel is Color; -1 when none is.
int LeftmostColumnOf(const QImage& Image, const QColor& Color)
{
    for (int x = 0; x < Image.width(); ++x)
        for (int y = 0; y < Image.height(); ++y)
            if (Image.pixelColor(x, y) == Color)
                return x;
    return -1;
}

// A list of one plain red image of 16 by 16 pixels.
struct TRedImages : TImageList {
    TRedImages()
    {
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Red);
        Add(red);
    }
};

QImage DrawnEntry(TPTCustomImageCombo& Combo, int Index, bool InList, const QSize& Size = {200, 20})
{
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Combo.DrawEntry(painter, image.rect(), Index, false, InList);
    return image;
}

} // namespace

TEST(ImageComboGeometry, HeightsAndPositions)
{
    const struct {
        int TextHeight, ImageHeight, ItemHeight;
    } heights[] = {{13, 16, 16}, {16, 16, 18}, {13, 0, 15}, {-13, 16, 16}, {-20, 16, 22}};
    for (const auto& h : heights)
        EXPECT_EQ(ImageComboItemHeight(h.TextHeight, h.ImageHeight), h.ItemHeight) << h.TextHeight << " " << h.ImageHeight;

    const QRect item(10, 5, 200, 16);
    EXPECT_EQ(ImageComboImageLeft(item, 0, 12), 12);
    EXPECT_EQ(ImageComboImageLeft(item, 2, 12), 36);
    EXPECT_EQ(ImageComboCaptionRect(item, 12, 16, 30), QRect(31, 5, 33, 16));
    EXPECT_EQ(ImageComboCaptionRect(item, 12, 0, 30), QRect(15, 5, 33, 16));
}

TEST(ImageCombo, HeightFollowsFontAndImageList)
{
    TPTImageCombo combo;
    const int textHeight = combo.fontMetrics().height();
    EXPECT_EQ(combo.ItemHeight(), textHeight + 2);
    TImageList tall(16, textHeight + 10);
    combo.SetImageList(&tall);
    EXPECT_EQ(combo.ItemHeight(), textHeight + 10);
    combo.SetImageList(nullptr);
    QFont big = combo.font();
    big.setPixelSize(40);
    combo.setFont(big);
    EXPECT_EQ(combo.ItemHeight(), combo.fontMetrics().height() + 2);
    EXPECT_EQ(combo.DropDownCount(), 8);
    EXPECT_EQ(combo.IndentPixels(), 12);
}

TEST(ImageCombo, IndentsOnlyInTheList)
{
    TRedImages images;
    TPTImageCombo combo;
    combo.SetImageList(&images);
    combo.AddItem("top", 0, 0);
    combo.AddItem("second level", 0, 2);
    combo.AddItem({}, 0, 1);
    EXPECT_EQ(LeftmostColumnOf(DrawnEntry(combo, 0, true), Red), 2);
    EXPECT_EQ(LeftmostColumnOf(DrawnEntry(combo, 1, true), Red), 2 + 24);
    EXPECT_EQ(LeftmostColumnOf(DrawnEntry(combo, 1, false), Red), 2);

    // A caption draws text right of the image; an entry without one shows the image alone.
    const auto hasDarkPixels = [](const QImage& Image) {
        for (int x = 20; x < Image.width(); ++x)
            for (int y = 0; y < Image.height(); ++y)
                if (qGray(Image.pixel(x, y)) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasDarkPixels(DrawnEntry(combo, 0, false)));
    EXPECT_FALSE(hasDarkPixels(DrawnEntry(combo, 2, false)));

    // The edit part of the shown combo draws the current entry unindented.
    combo.resize(200, 30);
    combo.show();
    combo.setCurrentIndex(1);
    const QImage shown = combo.grab().toImage();
    const int left = LeftmostColumnOf(shown, Red);
    EXPECT_GE(left, 0);
    EXPECT_LT(left, 24);
}

TEST(ImageCombo, HandlersFillOrDrawEntries)
{
    TRedImages images;
    TPTImageCombo combo;
    combo.SetImageList(&images);
    combo.AddItem("filled later", -1, 0);
    std::vector<TPTImageComboItem*> asked;
    combo.OnGetItemData = [&](TObject*, TPTImageComboItem* Item) {
        asked.push_back(Item);
        Item->SetImageIndex(0);
    };
    EXPECT_EQ(LeftmostColumnOf(DrawnEntry(combo, 0, true), Red), 2);
    EXPECT_EQ(asked, std::vector<TPTImageComboItem*>{combo.GetComboItem(0)});

    // A drawing handler draws the entry instead, on the combo's canvas.
    combo.OnDrawItem = [&](TObject* Control, int Index, const QRect& Rect, bool Selected) {
        EXPECT_EQ(Control, &combo);
        EXPECT_EQ(Index, 0);
        EXPECT_FALSE(Selected);
        ASSERT_NE(combo.Canvas(), nullptr);
        combo.Canvas()->FillRectWith(Rect.adjusted(50, 0, 0, 0), 0x0000FF);
    };
    EXPECT_EQ(LeftmostColumnOf(DrawnEntry(combo, 0, true), Red), 50);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(combo.Canvas(), nullptr);
}

TEST(ImageCombo, EveryEntryThatGoesFiresOnDeleteItemOnce)
{
    std::vector<TPTImageComboItem*> deleted;
    const auto track = [&](TPTCustomImageCombo& Combo) {
        Combo.OnDeleteItem = [&](TObject* Sender, TPTImageComboItem* Item) {
            EXPECT_EQ(Sender, &Combo);
            EXPECT_FALSE(Item->Caption().isEmpty()); // still alive
            deleted.push_back(Item);
        };
    };
    std::vector<TPTImageComboItem*> added;
    {
        TPTImageCombo combo;
        track(combo);
        for (const char* caption : {"a", "b", "c"})
            added.push_back(combo.AddItem(caption, 0, 0));
        EXPECT_EQ(combo.GetComboItem(1), added[1]);
        EXPECT_EQ(added[2]->Index, 2);
        combo.removeItem(1);
        EXPECT_EQ(deleted, std::vector<TPTImageComboItem*>{added[1]});
        combo.Clear();
        EXPECT_EQ(deleted, (std::vector<TPTImageComboItem*>{added[1], added[0], added[2]}));
        EXPECT_EQ(combo.count(), 0);
    }
    deleted.clear();
    added.clear();
    {
        TPTImageCombo combo;
        track(combo);
        added.push_back(combo.AddItem("x", 0, 0));
        added.push_back(combo.AddItem("y", 0, 1));
        combo.addItem("a plain entry");
        EXPECT_EQ(combo.GetComboItem(2), nullptr);
        EXPECT_EQ(combo.GetComboItem(-1), nullptr);
    }
    EXPECT_EQ(deleted, added);
}

TEST(ImageCombo, DownOpensTheListAndClosingTellsHow)
{
    TPTImageCombo combo;
    combo.AddItem("a", 0, 0);
    combo.AddItem("b", 0, 0);
    QStringList events;
    combo.OnDropDown = [&](TObject*) { events << "DropDown"; };
    combo.OnChange = [&](TObject*) { events << "Change"; };
    combo.OnSelEndOk = [&](TObject*) { events << "SelEndOk"; };
    combo.OnSelEndCancel = [&](TObject*) { events << "SelEndCancel"; };
    combo.OnCloseUp = [&](TObject*) { events << "CloseUp"; };
    combo.show();

    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.currentIndex(), 0);
    QTest::keyClick(combo.view(), Qt::Key_Down);
    QTest::keyClick(combo.view(), Qt::Key_Return);
    EXPECT_TRUE(pumpUntil([&] { return events.contains("CloseUp"); }));
    EXPECT_EQ(events, QStringList({"DropDown", "Change", "SelEndOk", "CloseUp"}));
    EXPECT_EQ(combo.currentIndex(), 1);

    events.clear();
    QTest::keyClick(&combo, Qt::Key_Down);
    QTest::keyClick(combo.view(), Qt::Key_Escape);
    EXPECT_TRUE(pumpUntil([&] { return events.contains("CloseUp"); }));
    EXPECT_EQ(events, QStringList({"DropDown", "SelEndCancel", "CloseUp"}));
}
