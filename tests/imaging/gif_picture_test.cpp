// The GIF picture class: the picture registry, the edge cases of an empty or one-frame image, size
// and palette rules, copying, the clipboard and optimisation without an oracle.
#include "gif_drawing_support.h"
#include "gif_test_support.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_image.h"
#include "imaging/gif_picture_registration.h"
#include "platform/graphics/clipboard.h"
#include "platform/graphics/picture.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

template <class E> QString FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const E& e) {
        return e.Message;
    }
    return QStringLiteral("no failure");
}

TEST(GIFPicture, OpensThroughThePictureRegistry)
{
    QTemporaryDir folder;
    TGIFImage image;
    BuildAnimation(image, 3, 2, {{0, 0, 3, 2, {1, 2, 3, 4, 5, 6}}});
    image.SaveToFile(folder.filePath(QStringLiteral("x.Gif")));

    TPicture picture;
    picture.LoadFromFile(folder.filePath(QStringLiteral("x.Gif")));
    auto* loaded = dynamic_cast<TGIFImage*>(picture.Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(DumpOf(*loaded), DumpOf(image));
    EXPECT_TRUE(TPicture::SupportsClipboardFormat(GIFClipboardFormat()));
    EXPECT_EQ(win::ClipboardFormatName(GIFClipboardFormat()), QStringLiteral("GIF Image"));
}

TEST(GIFPicture, EmptyImage)
{
    TGIFImage image;
    EXPECT_TRUE(image.Empty());
    RecordingCanvas canvas;
    image.Draw(canvas, QRect(0, 0, 10, 10));
    EXPECT_TRUE(canvas.Draws.empty());
    EXPECT_TRUE(image.Painters().empty());
    unsigned format = 0;
    TClipboardData data;
    win::Palette palette;
    image.SaveToClipboardFormat(format, data, palette);
    EXPECT_TRUE(data.IsEmpty());
    image.Optimize(0x1F, 9, 0, 8);
    EXPECT_EQ(FailureOf<GIFException>([&] { SaveImage(image); }), gifmsg::UnsupportedVersion);
    EXPECT_TRUE(image.GetPalette().IsEmpty());
}

// A one-frame image is drawn directly, with no painter; so is any image without gdAnimate.
TEST(GIFPicture, StillImagesDrawWithoutAPainter)
{
    TGIFImage image;
    BuildAnimation(image, 4, 4, {{1, 1, 2, 2, {}}});
    int painterEvents = 0;
    image.OnPaintStart = [&](TObject*) { ++painterEvents; };
    RecordingCanvas canvas;
    image.Draw(canvas, QRect(0, 0, 8, 8));
    EXPECT_EQ(canvas.Draws, std::vector<QRect>{QRect(2, 2, 4, 4)});
    EXPECT_EQ(painterEvents, 0);

    BuildAnimation(image, 4, 4, {{0, 0, 4, 4, {}}, {0, 0, 2, 2, {}}});
    image.DrawFlags &= TGIFDrawOptions(~gdAnimate);
    canvas.Draws.clear();
    image.Draw(canvas, QRect(0, 0, 4, 4));
    EXPECT_EQ(canvas.Draws, std::vector<QRect>{QRect(0, 0, 4, 4)});
    EXPECT_EQ(painterEvents, 0);
}

TEST(GIFPicture, SizeAndPaletteRules)
{
    TGIFImage image;
    BuildAnimation(image, 10, 10, {{2, 3, 5, 4, {}}});
    int changes = 0;
    image.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(FailureOf<GIFException>([&] { image.SetWidth(6); }), gifmsg::WidthTooSmall);
    EXPECT_EQ(FailureOf<GIFException>([&] { image.SetHeight(6); }), gifmsg::HeightTooSmall);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(changes, 0);
    ASSERT_NE(image.Bitmap(), nullptr);
    image.SetWidth(7);
    EXPECT_EQ(image.Width(), 7);
    EXPECT_EQ(changes, 1);

    // A huge logical screen fails clearly before its bitmap takes any memory.
    TGIFImage huge;
    BuildAnimation(huge, 65535, 65535, {{0, 0, 2, 2, {}}, {1, 1, 2, 2, {}}});
    RecordingCanvas canvas;
    EXPECT_EQ(FailureOf<GIFException>([&] { huge.Draw(canvas, QRect(0, 0, 10, 10)); }), gifmsg::TooLarge);
    EXPECT_EQ(FailureOf<GIFException>([&] { huge.Bitmap(); }), gifmsg::TooLarge);
    EXPECT_TRUE(huge.Painters().empty());

    // The palette comes from the global map, is stored, and a nested query fails.
    const win::Palette palette = image.GetPalette();
    EXPECT_EQ(palette.Count(), 8);
    EXPECT_EQ(image.StoredPalette(), palette);
    image.Header().ColorMap().Add({1, 2, 3}); // drops the palette
    EXPECT_TRUE(image.StoredPalette().IsEmpty());
    // Without any colours frame 0 asks the image again, which is a nested query.
    TGIFImage colourless;
    BuildAnimation(colourless, 1, 1, {{0, 0, 1, 1, {}}});
    colourless.Header().ColorMap().Clear();
    EXPECT_EQ(FailureOf<GIFException>([&] { colourless.GetPalette(); }),
              QStringLiteral("No global or local color table defined"));

    // The web palette is handed out when it is in use: always without the low-colour flag, and
    // with it only on a palette display.
    TGIFImage web;
    BuildAnimation(web, 1, 1, {{0, 0, 1, 1, {}}});
    EXPECT_EQ(web.GetPalette().Count(), 8);
    web.SetPalette({});
    web.DrawFlags = gdWebPalette;
    EXPECT_EQ(web.GetPalette().Count(), 216);
    web.SetPalette({});
    web.DrawFlags = gdWebPalette | gdWebPaletteLowColour;
    EXPECT_EQ(web.GetPalette().Count(), 8);
}

TEST(GIFPicture, LoadingFailuresLeaveTheStreamWhereItWas)
{
    TGIFImage image;
    TMemoryStream stream;
    stream.WriteBuffer("xxxxNOT A GIF FILE", 18);
    stream.SetPosition(3);
    EXPECT_EQ(FailureOf<GIFException>([&] { image.LoadFromStream(stream); }), gifmsg::BadSignature);
    EXPECT_EQ(stream.Position(), 3);
}

// Copying takes the header, frames and drawing settings, reports through the source's progress and
// warning handlers meanwhile, and leaves them unset afterwards.
TEST(GIFPicture, AssignCopiesTheListedFields)
{
    TGIFImage source;
    BuildAnimation(source, 5, 3, {{0, 0, 5, 3, {}, 1, 4}, {1, 1, 2, 2, {}, 2, 4, 0}}, 3);
    source.Header().SetAspectRatio(49);
    source.DrawFlags = gdAnimate | gdTile;
    source.ReductionMethod = 4;
    source.DitherMethod = 2;
    source.PainterPriority = tpHigher;
    source.BackColor = TColor(win::RGB(1, 2, 3));
    source.PaletteBits = 3;
    source.SpeedPercent = 50;
    source.Encoding = geRLE;
    QStringList progress;
    source.OnProgress = [&](TObject*, TProgressStage stage, uint8_t percent, bool, const QRect&, const QString& msg) {
        progress << QStringLiteral("%1 %2 %3").arg(int(stage)).arg(percent).arg(msg);
    };
    TGIFImage target;
    target.OnGIFWarning = [](TObject*, TGIFSeverity, const QString&) {};
    target.Assign(&source);
    EXPECT_EQ(DumpOf(target), DumpOf(source));
    EXPECT_EQ(target.DrawFlags, source.DrawFlags);
    EXPECT_EQ(target.ReductionMethod, 4);
    EXPECT_EQ(target.DitherMethod, 2);
    EXPECT_EQ(target.PainterPriority, tpHigher);
    EXPECT_EQ(target.BackColor, TColor(win::RGB(1, 2, 3)));
    EXPECT_EQ(target.PaletteBits, 8);
    EXPECT_EQ(target.SpeedPercent, 100);
    EXPECT_EQ(target.Encoding, geLZW);
    EXPECT_FALSE(target.OnProgress);
    EXPECT_FALSE(target.OnGIFWarning);
    EXPECT_EQ(progress, (QStringList{QStringLiteral("0 0 Copying..."), QStringLiteral("1 50 Copying..."),
                                     QStringLiteral("1 100 Copying..."), QStringLiteral("2 100 Copying...")}));

    EXPECT_EQ(FailureOf<GIFException>([&] { target.AddFrame(&target.Header()); }),
              QStringLiteral("Object type not supported for operation"));
}

TEST(GIFPicture, Clipboard)
{
    TGIFImage image;
    BuildAnimation(image, 3, 2, {{0, 0, 3, 2, {1, 2, 3, 4, 5, 6}}});
    Clipboard().Assign(&image);
    EXPECT_TRUE(Clipboard().HasFormat(GIFClipboardFormat()));
    EXPECT_EQ(Clipboard().GetAsHandle(win::CF_BITMAP).Picture.size(), QSize(3, 2));

    TGIFImage fromGIF;
    fromGIF.LoadFromClipboardFormat(GIFClipboardFormat(), {}, {});
    EXPECT_EQ(DumpOf(fromGIF), DumpOf(image));

    TGIFImage fromBitmap;
    fromBitmap.ReductionMethod = 0;
    fromBitmap.LoadFromClipboardFormat(win::CF_BITMAP, {}, {});
    ASSERT_EQ(fromBitmap.Images().Count(), 1);
    EXPECT_EQ(fromBitmap.Images().Items(0)->ColorMap().Color(fromBitmap.Images().Items(0)->Pixel(2, 1)),
              (TGIFColor{255, 0, 255}));

    EXPECT_EQ(FailureOf<GIFException>([&] { fromGIF.LoadFromClipboardFormat(1, {}, {}); }),
              QStringLiteral("Unsupported clipboard format"));
}

TEST(GIFPicture, OptimizeChecksTheReductionMethod)
{
    TGIFImage image;
    BuildAnimation(image, 2, 1, {{0, 0, 2, 1, {1, 2}}});
    const QString before = DumpOf(image);
    EXPECT_EQ(FailureOf<GIFException>([&] { image.Optimize(opQuantizeColors, 9, 0, 8); }),
              QStringLiteral("Invalid reduction method"));
    image.Optimize(opQuantizeColors, 6, 0, 8);
    image.Optimize(opQuantizeColors | opRemoveUnused, 9, 0, 8);
    EXPECT_EQ(DumpOf(image), before);
}

// Unused transparency, comments and loop extensions of a still image go; colour maps are sorted.
TEST(GIFPicture, OptimizeRemovesWhatNothingShows)
{
    TGIFImage image;
    BuildAnimation(image, 4, 1, {{0, 0, 4, 1, {3, 3, 5, 3}, 1, 0, 2}}, 0);
    auto comment = std::make_unique<TGIFCommentExtension>(image.Images().Items(0));
    comment->Text << QStringLiteral("hello");
    image.Images().Items(0)->Extensions().Add(std::move(comment));
    image.Optimize(opRemoveUnused | opSortColorMaps, 0, 0, 8);
    TGIFSubImage* frame = image.Images().Items(0);
    EXPECT_EQ(frame->Extensions().Count(), 0);
    EXPECT_FALSE(frame->Transparent());
    EXPECT_EQ(image.Header().ColorMap().Count(), 2);
    EXPECT_EQ(std::vector<uint8_t>(frame->Data(), frame->Data() + 4), (std::vector<uint8_t>{0, 0, 1, 0}));
}

} // namespace
