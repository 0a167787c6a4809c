// TImageList: adding, overlays, drawing in the normal and selected styles, and shared images.
#include "platform/graphics/image_list.h"

#include "platform/graphics/canvas.h"

#include <gtest/gtest.h>

namespace {

QImage Filled(int Size, QColor Color)
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Color);
    return image;
}

// A red square with a transparent right half, and an overlay with only its top-left pixel set.
struct TDrawingFixture {
    TImageList List{4, 4};
    QImage Target{8, 8, QImage::Format_ARGB32};
    TCanvas Canvas{&Target};

    TDrawingFixture()
    {
        QImage half = Filled(4, Qt::red);
        for (int y = 0; y < 4; ++y)
            for (int x = 2; x < 4; ++x)
                half.setPixelColor(x, y, Qt::transparent);
        List.Add(half);
        QImage dot = Filled(4, Qt::transparent);
        dot.setPixelColor(0, 0, Qt::blue);
        List.Add(dot);
        Target.fill(Qt::white);
    }
};

} // namespace

TEST(ImageList, AddsImagesAtItsSizeAndKeepsOverlays)
{
    TImageList list(16, 16);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.HandleAllocated());
    EXPECT_EQ(list.Add(Filled(16, Qt::red)), 0);
    EXPECT_EQ(list.Add(Filled(32, Qt::green)), 1); // scaled down
    EXPECT_EQ(list.Add(Filled(8, Qt::blue)), 2);   // centred
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetImage(1).size(), QSize(16, 16));
    EXPECT_EQ(list.GetImage(1).pixelColor(8, 8), QColor(Qt::green));
    EXPECT_EQ(list.GetImage(2).pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(list.GetImage(2).pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_TRUE(list.GetImage(3).isNull());

    EXPECT_EQ(list.OverlayImage(0), -1);
    EXPECT_TRUE(list.Overlay(2, 0));
    EXPECT_EQ(list.OverlayImage(0), 2);
    EXPECT_FALSE(list.Overlay(3, 1));
    EXPECT_FALSE(list.Overlay(0, 15));

    // A new size starts a new set of images.
    list.SetWidth(32);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, DrawsNormalSelectedAndWithAnOverlay)
{
    TDrawingFixture f;
    f.List.Overlay(1, 0);
    f.List.Draw(f.Canvas, 2, 2, 0);
    EXPECT_EQ(f.Target.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(f.Target.pixelColor(4, 2), QColor(Qt::white)); // transparent part
    EXPECT_EQ(f.Target.pixelColor(1, 1), QColor(Qt::white));

    f.Target.fill(Qt::white);
    f.List.DrawOverlay(f.Canvas, 0, 0, 0, 0);
    EXPECT_EQ(f.Target.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(f.Target.pixelColor(1, 0), QColor(Qt::red));

    // Selected: half the blend colour over the image's own pixels only.
    f.Target.fill(Qt::white);
    f.List.DrawingStyle = dsSelected;
    f.List.BlendColor = clBlack;
    f.List.Draw(f.Canvas, 0, 0, 0);
    const QColor blended = f.Target.pixelColor(0, 0);
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_EQ(blended.green(), 0);
    EXPECT_EQ(f.Target.pixelColor(3, 0), QColor(Qt::white));

    // Normal with a background colour fills the whole cell first.
    f.Target.fill(Qt::white);
    f.List.DrawingStyle = dsNormal;
    f.List.BkColor = clBlack;
    f.List.Draw(f.Canvas, 0, 0, 0);
    EXPECT_EQ(f.Target.pixelColor(3, 3), QColor(Qt::black));

    // Nothing for an index out of range.
    f.Target.fill(Qt::white);
    f.List.Draw(f.Canvas, 0, 0, 7);
    f.List.Draw(f.Canvas, 0, 0, -1);
    EXPECT_EQ(f.Target.pixelColor(0, 0), QColor(Qt::white));
}

TEST(ImageList, SharedImagesBelongToTheListThatMadeThem)
{
    auto owner = std::make_unique<TImageList>(16, 16);
    owner->Add(Filled(16, Qt::red));
    {
        TImageList sharing;
        sharing.ShareImages = true;
        sharing.SetHandle(owner->Handle());
        EXPECT_EQ(sharing.Count(), 1);
        owner->Add(Filled(16, Qt::green)); // seen through the handle at once
        EXPECT_EQ(sharing.Count(), 2);
        EXPECT_EQ(sharing.GetImage(1).pixelColor(0, 0), QColor(Qt::green));
    } // the sharing list leaves the images alone
    EXPECT_EQ(owner->Count(), 2);

    // A list taking another list's images frees its own first (ASan checks both ways).
    TImageList other(32, 32);
    other.Add(Filled(32, Qt::blue));
    other.SetHandle(owner->Handle());
    other.ShareImages = true;
    EXPECT_EQ(other.Width(), 16);
    EXPECT_EQ(other.Count(), 2);
    owner.reset();
    other.SetHandle(nullptr);
}
