// GIF frames as pictures: rendering with masks, drawing scaled and tiled, transparency, and
// turning bitmaps, icons and metafiles into frames.
#include "gif_drawing_support.h"
#include "gif_test_support.h"
#include "imaging/color_reduction.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_image.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/metafile.h"
#include "support/qt_printers.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace {

// Tiled, a frame is drawn at its own size once per screen-sized tile of the rectangle, offset by
// its place in the screen.
TEST(GIFFrameDrawing, TilesAtScreenSteps)
{
    struct Case {
        QRect rect;
        std::vector<int> xs, ys;
    };
    const Case cases[] = {
        {QRect(0, 0, 50, 50), {2, 22, 42}, {3, 23, 43}},
        {QRect(5, 7, 50, 50), {7, 27, 47}, {10, 30, 50}},
        {QRect(0, 0, 20, 20), {2}, {3}},
        {QRect(0, 0, 2, 3), {}, {}},
    };
    TGIFImage image;
    BuildAnimation(image, 20, 20, {{2, 3, 10, 10, {}}});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.x() << "," << c.rect.y());
        RecordingCanvas canvas;
        image.Images().Items(0)->Draw(canvas, c.rect, false, true);
        std::vector<QRect> expected;
        for (int y : c.ys)
            for (int x : c.xs)
                expected.push_back(QRect(x, y, 10, 10));
        EXPECT_EQ(canvas.Draws, expected);
    }
}

// Without tiling the frame goes to its place in the screen scaled into the rectangle.
TEST(GIFFrameDrawing, ScalesItsPlaceIntoTheRectangle)
{
    struct Case {
        int screenWidth, screenHeight;
        QRect frame, rect, expected;
    };
    const Case cases[] = {
        {20, 20, QRect(2, 3, 10, 10), QRect(0, 0, 20, 20), QRect(2, 3, 10, 10)},
        {20, 20, QRect(2, 3, 10, 10), QRect(0, 0, 40, 60), QRect(4, 9, 20, 30)},
        {20, 20, QRect(2, 3, 10, 10), QRect(100, 50, 10, 10), QRect(101, 52, 5, 5)}, // 1.5 rounds up
        {30, 10, QRect(0, 0, 30, 10), QRect(5, 5, 7, 3), QRect(5, 5, 7, 3)},
        {21, 21, QRect(7, 7, 7, 7), QRect(0, 0, 10, 10), QRect(3, 3, 4, 4)},
    };
    for (const Case& c : cases) {
        TGIFImage image;
        BuildAnimation(image, c.screenWidth, c.screenHeight,
                       {{c.frame.x(), c.frame.y(), c.frame.width(), c.frame.height(), {}}});
        RecordingCanvas canvas;
        image.Images().Items(0)->Draw(canvas, c.rect, false, false);
        EXPECT_EQ(canvas.Draws, std::vector<QRect>{c.expected}) << c.rect.x() << " " << c.rect.width();
    }
    // A screen without size stands for the frame; tiling by it steps by the frame.
    TGIFImage image;
    BuildAnimation(image, 4, 4, {{0, 0, 4, 4, {}}});
    image.Header().SetWidth(0);
    RecordingCanvas canvas;
    image.Images().Items(0)->Draw(canvas, QRect(0, 0, 9, 4), false, false);
    image.Images().Items(0)->Draw(canvas, QRect(0, 0, 9, 4), false, true);
    EXPECT_EQ(canvas.Draws, (std::vector<QRect>{QRect(0, 0, 9, 4), QRect(0, 0, 4, 4), QRect(4, 0, 4, 4),
                                                QRect(8, 0, 4, 4)}));
}

// The mask marks the pixels of the transparent index (most significant bit first); a transparent
// frame that never uses its index has no mask and draws opaque.
TEST(GIFFrameDrawing, MasksAndTransparentDrawing)
{
    TGIFImage image;
    BuildAnimation(image, 10, 1,
                   {{0, 0, 10, 1, {1, 3, 3, 1, 1, 1, 1, 1, 1, 3}, 1, 0, 3},
                    {0, 0, 10, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1, 0, 3}});
    TGIFSubImage* used = image.Images().Items(0);
    TGIFSubImage* unused = image.Images().Items(1);
    ASSERT_TRUE(used->HasTransparencyMask());
    EXPECT_EQ(used->Mask()->ScanLine(0)[0], 0x60);
    EXPECT_EQ(used->Mask()->ScanLine(0)[1] & 0xC0, 0x40);
    EXPECT_EQ(used->GetBitmap()->PixelFormat(), pf8bit);
    EXPECT_FALSE(unused->HasTransparencyMask());

    QImage target(10, 1, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    TCanvas canvas(&target);
    used->Draw(canvas, QRect(0, 0, 10, 1), true, false);
    EXPECT_EQ(target.pixel(1, 0) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF);
    EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFF, Palette8(1) & 0xFFFFFF);
    used->Draw(canvas, QRect(0, 0, 10, 1), false, false);
    EXPECT_EQ(target.pixel(1, 0) & 0xFFFFFF, Palette8(3) & 0xFFFFFF);
    unused->Draw(canvas, QRect(0, 0, 10, 1), true, false);
    EXPECT_EQ(RgbOf(target), std::vector<QRgb>(10, Palette8(1) & 0xFFFFFF));
}

// In a web-palette rendering the transparent pixels take the web colour nearest the transparent
// colour, so even white keeps its index inside the palette.
TEST(GIFFrameRendering, WebPaletteKeepsTheTransparentIndexInThePalette)
{
    TGIFImage image;
    BuildAnimation(image, 3, 1, {{0, 0, 3, 1, {7, 1, 7}, 1, 0, 7}});
    image.DrawFlags = gdWebPalette;
    ASSERT_TRUE(image.WebPaletteInUse());
    TGIFSubImage* frame = image.Images().Items(0);
    const uint8_t* row = frame->GetBitmap()->ScanLine(0);
    EXPECT_EQ(row[0], 215);
    EXPECT_EQ(row[2], 215);
    EXPECT_EQ(row[1], 5 * 36);
    EXPECT_EQ(frame->GetBitmap()->Palette().Entries[215], (win::PALETTEENTRY{255, 255, 255, 0}));
    ASSERT_TRUE(frame->HasTransparencyMask());
    EXPECT_EQ(frame->Mask()->ScanLine(0)[0] & 0xE0, 0xA0);
}

// A large frame renders through a bitmap first set to 1 bit per pixel and comes out as 8 bits per
// pixel, with a progress step before every 32nd row.
TEST(GIFFrameRendering, LargeFrameWithProgress)
{
    TGIFImage image;
    std::vector<uint8_t> pixels(1000 * 600);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t((i / 7) % 8);
    BuildAnimation(image, 1000, 600, {{0, 0, 1000, 600, pixels}});
    QStringList log;
    image.OnProgress = [&](TObject*, TProgressStage stage, uint8_t percent, bool, const QRect&, const QString& msg) {
        log << QStringLiteral("%1 %2 %3").arg(int(stage)).arg(percent).arg(msg);
    };
    TBitmap* bitmap = image.Images().Items(0)->GetBitmap();
    ASSERT_EQ(bitmap->PixelFormat(), pf8bit);
    ASSERT_EQ(bitmap->Width(), 1000);
    EXPECT_EQ(bitmap->ScanLine(599)[999], pixels.back());
    EXPECT_EQ(bitmap->ScanLine(300)[123], pixels[300 * 1000 + 123]);
    ASSERT_EQ(log.size(), 2 + 19);
    EXPECT_EQ(log.front(), QStringLiteral("0 0 Rendering..."));
    EXPECT_EQ(log[2], QStringLiteral("1 5 Rendering...")); // row 32 of 600
    EXPECT_EQ(log.back(), QStringLiteral("2 100 Rendering..."));
}

// Bitmaps of 1, 4 and 8 bits keep their palette and indexes; 24-bit bitmaps without reduction
// collect their colours in order of first appearance.
TEST(GIFFrameConversion, BitmapsOfEveryDepth)
{
    const win::Palette four{{{0, 0, 0, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}}};
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit}) {
        SCOPED_TRACE(int(format));
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetPalette(format == pf1bit ? win::Palette{{four.Entries[0], four.Entries[1]}} : four);
        bitmap.SetSize(9, 2);
        const int top = format == pf1bit ? 1 : 3;
        // Row 0: 0, 1, ..., row 1 the highest index at x = 8.
        for (int x = 0; x < 9; ++x) {
            const int value = x % (top + 1);
            uint8_t* row = bitmap.ScanLine(0);
            if (format == pf1bit)
                row[x >> 3] |= uint8_t(value << (7 - (x & 7)));
            else if (format == pf4bit)
                row[x >> 1] |= uint8_t((x & 1) ? value : value << 4);
            else
                row[x] = uint8_t(value);
        }
        TGIFImage image;
        image.Assign(&bitmap);
        ASSERT_EQ(image.Images().Count(), 1);
        TGIFSubImage* frame = image.Images().Items(0);
        EXPECT_EQ(frame->Width(), 9);
        EXPECT_EQ(image.Width(), 9);
        EXPECT_EQ(frame->ColorMap().Count(), format == pf1bit ? 2 : format == pf4bit ? 4 : 4);
        EXPECT_EQ(frame->ColorMap().Color(1), (TGIFColor{10, 20, 30}));
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(frame->Pixel(x, 0), x % (top + 1)) << x;
        EXPECT_EQ(frame->Pixel(8, 1), 0);
    }

    TBitmap bitmap;
    FillBitmap(bitmap, {{qRgb(5, 5, 5), qRgb(9, 9, 9), qRgb(5, 5, 5), qRgb(1, 2, 3)},
                        {qRgb(7, 7, 7), qRgb(1, 2, 3), qRgb(9, 9, 9), qRgb(7, 7, 7)}});
    TGIFImage image;
    image.ReductionMethod = crNone;
    image.AddFrame(&bitmap);
    TGIFSubImage* frame = image.Images().Items(0);
    ASSERT_EQ(frame->ColorMap().Count(), 4);
    EXPECT_EQ(frame->ColorMap().Color(0), (TGIFColor{5, 5, 5}));
    EXPECT_EQ(frame->ColorMap().Color(1), (TGIFColor{9, 9, 9}));
    EXPECT_EQ(frame->ColorMap().Color(2), (TGIFColor{1, 2, 3}));
    EXPECT_EQ(frame->ColorMap().Color(3), (TGIFColor{7, 7, 7}));
    EXPECT_EQ(std::vector<uint8_t>(frame->Data(), frame->Data() + 8), (std::vector<uint8_t>{0, 1, 0, 2, 3, 2, 1, 3}));
    // The caller's bitmap is not changed.
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
}

TEST(GIFFrameConversion, TrueColourReductionAndOverflow)
{
    TBitmap bitmap;
    Colours rows(1);
    for (int i = 0; i < 300; ++i)
        rows[0].push_back(qRgb(i % 256, i / 256, 77));
    FillBitmap(bitmap, rows);
    TGIFImage image;
    image.ReductionMethod = crNone;
    try {
        image.AddFrame(&bitmap);
        ADD_FAILURE() << "no failure";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, gifmsg::ColorTableOverflow);
    }
    // The default reduction maps into the web palette.
    TGIFImage web;
    web.AddFrame(&bitmap);
    TGIFSubImage* frame = web.Images().Items(0);
    EXPECT_LE(frame->ColorMap().Count(), 216);
    EXPECT_EQ(frame->ColorMap().Color(frame->Pixel(0, 0)), (TGIFColor{0, 0, 51}));
}

// A transparent bitmap's transparent pixels get a new black entry marked transparent; a bitmap of
// 256 colours has no room for it and stays opaque.
TEST(GIFFrameConversion, TransparentBitmapsIconsAndMetafiles)
{
    for (int colours : {4, 256}) {
        SCOPED_TRACE(colours);
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf8bit);
        win::Palette palette;
        for (int i = 0; i < colours; ++i)
            palette.Entries.push_back({uint8_t(i), 100, 200, 0});
        bitmap.SetPalette(palette);
        bitmap.SetSize(3, 2);
        bitmap.ScanLine(0)[0] = 2;
        bitmap.ScanLine(0)[1] = 3;
        bitmap.ScanLine(1)[2] = 3; // bottom-left stays 0: the transparent colour
        bitmap.SetTransparent(true);
        TGIFImage image;
        image.Assign(&bitmap);
        TGIFSubImage* frame = image.Images().Items(0);
        if (colours == 256) {
            EXPECT_FALSE(frame->Transparent());
            EXPECT_EQ(frame->ColorMap().Count(), 256);
            continue;
        }
        ASSERT_TRUE(frame->Transparent());
        EXPECT_EQ(frame->ColorMap().Count(), 5);
        EXPECT_EQ(frame->ColorMap().Color(4), (TGIFColor{0, 0, 0}));
        EXPECT_EQ(frame->GraphicControlExtension()->TransparentColorIndex(), 4);
        EXPECT_EQ(std::vector<uint8_t>(frame->Data(), frame->Data() + 6), (std::vector<uint8_t>{2, 3, 4, 4, 4, 3}));
    }

    QImage pixels(2, 2, QImage::Format_ARGB32);
    pixels.fill(qRgba(0, 0, 0, 0));
    pixels.setPixel(0, 0, qRgb(200, 10, 10));
    TIcon icon;
    icon.SetImage(pixels);
    TGIFImage fromIcon;
    fromIcon.Assign(&icon);
    TGIFSubImage* frame = fromIcon.Images().Items(0);
    ASSERT_TRUE(frame->Transparent());
    const int index = frame->GraphicControlExtension()->TransparentColorIndex();
    EXPECT_NE(frame->Pixel(0, 0), index);
    EXPECT_EQ(frame->Pixel(1, 1), index);

    TMetafile metafile;
    metafile.SetWidth(4);
    metafile.SetHeight(2);
    {
        TMetafileCanvas recorder(metafile);
        recorder.FillRectWith(QRect(0, 0, 2, 2), TColor(win::RGB(0, 0, 255)));
    }
    TGIFImage fromMetafile;
    fromMetafile.ReductionMethod = crNone;
    fromMetafile.Assign(&metafile);
    frame = fromMetafile.Images().Items(0);
    ASSERT_TRUE(frame->Transparent());
    const int clear = frame->GraphicControlExtension()->TransparentColorIndex();
    EXPECT_EQ(frame->ColorMap().Color(frame->Pixel(1, 1)), (TGIFColor{0, 0, 255}));
    EXPECT_EQ(frame->Pixel(3, 0), clear);
}

// Indexes past the end of a bitmap's palette show black; the frame's map reaches them with black
// entries, so that the frame can be written and its transparent colour takes an index no pixel has.
TEST(GIFFrameConversion, IndexesPastThePalette)
{
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf8bit);
        bitmap.SetPalette(win::Palette{{{200, 0, 0, 0}, {0, 200, 0, 0}}});
        bitmap.SetSize(3, 1);
        bitmap.ScanLine(0)[1] = 5;
        bitmap.ScanLine(0)[2] = 1;
        bitmap.TransparentColor = TColor(win::RGB(0, 200, 0));
        bitmap.SetTransparent(transparent);
        TGIFImage image;
        image.Assign(&bitmap);
        TGIFSubImage* frame = image.Images().Items(0);
        ASSERT_EQ(frame->ColorMap().Count(), transparent ? 7 : 6);
        EXPECT_EQ(frame->ColorMap().Color(5), (TGIFColor{0, 0, 0}));
        EXPECT_EQ(frame->Pixel(1, 0), 5);
        EXPECT_EQ(frame->Pixel(2, 0), transparent ? 6 : 1);
        TMemoryStream stream;
        image.SaveToStream(stream);
        stream.SetPosition(0);
        TGIFImage copy;
        copy.LoadFromStream(stream);
        TGIFSubImage* read = copy.Images().Items(0);
        EXPECT_EQ(std::vector<uint8_t>(read->Data(), read->Data() + 3),
                  std::vector<uint8_t>(frame->Data(), frame->Data() + 3));
    }
}

// Copying a frame copies its pixels, colours and extensions (and with them its transparency).
TEST(GIFFrameConversion, FramesCopyTheirExtensions)
{
    TGIFImage source;
    BuildAnimation(source, 4, 2, {{1, 0, 3, 2, {1, 2, 3, 3, 2, 1}, 2, 7, 3}});
    FillColorMap(source.Images().Items(0)->ColorMap(), 4);
    TGIFImage copy;
    copy.Assign(&source);
    TGIFSubImage* frame = copy.Images().Items(0);
    EXPECT_EQ(DumpOf(copy), DumpOf(source));
    ASSERT_NE(frame->GraphicControlExtension(), nullptr);
    EXPECT_TRUE(frame->Transparent());
    EXPECT_EQ(frame->GraphicControlExtension()->Delay(), 7);

    TBitmap bitmap;
    bitmap.Assign(frame);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
}

} // namespace
