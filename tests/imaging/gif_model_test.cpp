// The GIF file model: signature and header, frames and their bounds, colour maps, extensions and
// their registries, versions, warnings and the size cap.
#include "gif_test_support.h"
#include "imaging/gif_app_extensions.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_image.h"
#include "imaging/gif_lzw_encoder.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// A 4 × 2 screen with a two-colour global map.
QByteArray Screen(const char* signature = "GIF89a")
{
    return QByteArray(signature) + Bytes({4, 0, 2, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255});
}

// An image descriptor (no local map) and LZW data of Width × Height pixels of colour 1.
QByteArray ImageBlock(int width, int height, int flags = 0)
{
    const std::vector<uint8_t> pixels(size_t(width * height), 1);
    TMemoryStream stream;
    TLZWEncoder().Encode(stream, 1, 2, pixels.data(), false, height, width);
    return Bytes({0x2C, 0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF, height >> 8, flags}) +
           ContentOf(stream);
}

// An image descriptor of any size whose data holds one pixel.
QByteArray OnePixelImage(int width, int height)
{
    return Bytes(
        {0x2C, 0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF, height >> 8, 0, 2, 2, 0x44, 1, 0});
}

const QByteArray Trailer = Bytes({0x3B});

QString FailureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const GIFException& e) {
        return e.Message;
    }
    return {};
}

QString LoadFailure(const QByteArray& data)
{
    TGIFImage image;
    return FailureOf([&] { LoadImage(image, data); });
}

TEST(GIFModel, SignatureMayFollowFourBytesOfAnything)
{
    struct Case {
        QByteArray data;
        QString failure;
    };
    const QByteArray rest = ImageBlock(1, 1) + Trailer;
    const Case cases[] = {
        {Screen() + rest, {}},
        {"abcd" + Screen() + rest, {}},
        {"abcde" + Screen() + rest, gifmsg::BadSignature},
        {"ab" + Screen() + rest, gifmsg::BadSignature},
        {Screen("gif12x") + rest, {}},
        {"PNG", gifmsg::PrematureEOF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadFailure(c.data), c.failure) << c.data.left(8).toStdString();
}

TEST(GIFModel, FailedLoadLeavesTheStreamWhereItWas)
{
    auto stream = StreamOf("xxNOT A GIF FILE");
    stream->SetPosition(2);
    TGIFImage image;
    EXPECT_THROW(image.LoadFromStream(*stream), GIFException);
    EXPECT_EQ(stream->Position(), 2);
}

TEST(GIFModel, VersionAndHeaderFlagsAreChosenWhenWriting)
{
    TGIFImage image;
    EXPECT_EQ(FailureOf([&] { SaveImage(image); }), gifmsg::UnsupportedVersion);

    TGIFSubImage* frame = AddFrame(image, 2, 1, {0, 1});
    FillColorMap(frame->ColorMap(), 2);
    QByteArray written = SaveImage(image);
    EXPECT_EQ(written.left(6), "GIF87a");
    EXPECT_EQ(uint8_t(written[10]), 0x77);

    frame->Extensions().Add(std::make_unique<TGIFCommentExtension>(frame));
    FillColorMap(image.Header().ColorMap(), 5);
    image.Header().ColorMap().SetSorted(true);
    written = SaveImage(image);
    EXPECT_EQ(written.left(6), "GIF89a");
    EXPECT_EQ(uint8_t(written[10]), 0x80 | 0x20 | 0x08 | 0x02);
    // Five colours are padded with black to eight.
    EXPECT_EQ(written.mid(13 + 15, 9), QByteArray(9, '\0'));
}

TEST(GIFModel, ZeroBytesBetweenBlocksAreSkippedAndAStrayZeroEndsAFrame)
{
    const QByteArray gce = Bytes({0x21, 0xF9, 4, 0, 10, 0, 0, 0});
    TGIFImage image;
    WarningLog log(image);
    LoadImage(image, Screen() + Bytes({0, 0}) + gce + Bytes({0}) + ImageBlock(2, 2) + Bytes({0}) + Trailer);
    ASSERT_EQ(image.Images().Count(), 2);
    EXPECT_TRUE(image.Images().Items(0)->Empty());
    EXPECT_EQ(image.Images().Items(0)->Extensions().Count(), 1);
    EXPECT_EQ(image.Images().Items(1)->Pixel(1, 1), 1);
    EXPECT_EQ(log.Messages, QStringList{gifmsg::BadExtensionIntroducer});
}

TEST(GIFModel, UnknownBlocksAndTrailersAreWarnedAbout)
{
    TGIFImage image;
    WarningLog log(image);
    LoadImage(image, Screen() + ImageBlock(1, 1) + Bytes({0x55}));
    EXPECT_EQ(image.Images().Count(), 1);
    EXPECT_EQ(log.Messages, (QStringList{gifmsg::UnknownBlockType, gifmsg::BadTrailer}));
}

// A zero width or height takes the screen's, which may itself be 0; frames larger than the
// screen stay as they are.
TEST(GIFModel, FrameSizesOfZeroTakeTheScreenSize)
{
    for (int screenWidth : {0, 4}) {
        QByteArray screen = Screen();
        screen[6] = char(screenWidth);
        TGIFImage image;
        WarningLog log(image);
        LoadImage(image, screen + ImageBlock(0, 2) + ImageBlock(9, 9) + Trailer);
        ASSERT_EQ(image.Images().Count(), 2);
        EXPECT_EQ(image.Images().Items(0)->Width(), screenWidth);
        EXPECT_EQ(image.Images().Items(0)->Empty(), screenWidth == 0);
        EXPECT_EQ(image.Images().Items(1)->Width(), 9);
        EXPECT_EQ(log.Messages.first(), gifmsg::ExceedsScreen);
    }
}

TEST(GIFModel, FramePixelsAreCappedWithAClearFailure)
{
    EXPECT_EQ(LoadFailure(Screen() + OnePixelImage(0xFFFF, 0xFFFF) + Trailer), gifmsg::TooLarge);
    QByteArray many = Screen();
    for (int i = 0; i < 3; ++i)
        many += OnePixelImage(10000, 10000);
    EXPECT_EQ(LoadFailure(many + Trailer), gifmsg::TooLarge);
}

TEST(GIFModel, FrameBoundsWidenTheScreen)
{
    struct Case {
        int screenWidth, screenHeight;
        QStringList warnings;
    };
    const Case cases[] = {
        {0, 0, {}},
        {4, 20, {gifmsg::WidthTooSmall, gifmsg::ExceedsScreen}},
        {4, 4, {gifmsg::WidthTooSmall, gifmsg::HeightTooSmall, gifmsg::ExceedsScreen}},
        {20, 20, {}},
    };
    for (const Case& c : cases) {
        TGIFImage image;
        WarningLog log(image);
        image.Header().SetWidth(uint16_t(c.screenWidth));
        image.Header().SetHeight(uint16_t(c.screenHeight));
        TGIFSubImage frame(&image);
        frame.SetBounds(3, 2, 5, 6);
        EXPECT_EQ(image.Header().Width(), std::max(c.screenWidth, 8));
        EXPECT_EQ(image.Header().Height(), std::max(c.screenHeight, 8));
        EXPECT_EQ(log.Messages, c.warnings);
        EXPECT_EQ(frame.DataSize(), 30);
    }
}

TEST(GIFModel, PixelAccessChecksItsCoordinates)
{
    TGIFImage image;
    TGIFSubImage frame(&image);
    EXPECT_EQ(FailureOf([&] { frame.Pixel(0, 0); }), gifmsg::BadPixelCoordinates);
    frame.SetBounds(0, 0, 3, 2);
    frame.SetPixel(2, 1, 9);
    EXPECT_EQ(frame.Scanline(1)[2], 9);
    for (const auto& at : {std::pair{3, 0}, {0, 2}, {-1, 0}, {0, -1}})
        EXPECT_EQ(FailureOf([&] { frame.Pixel(at.first, at.second); }), gifmsg::BadPixelCoordinates);
}

TEST(GIFModel, AFrameWithALocalMapIsWrittenInRowOrder)
{
    TGIFImage image;
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 3 * 9; ++i)
        pixels.push_back(uint8_t(i / 3 % 4));
    TGIFSubImage* frame = AddFrame(image, 3, 9, pixels);
    FillColorMap(frame->ColorMap(), 4);
    frame->SetInterlaced(true);
    const QByteArray written = SaveImage(image);
    EXPECT_EQ(uint8_t(written[13 + 9]), 0x81);
    TGIFImage read;
    LoadImage(read, written);
    EXPECT_FALSE(read.Images().Items(0)->Interlaced());
    EXPECT_EQ(std::vector<uint8_t>(read.Images().Items(0)->Data(), read.Images().Items(0)->Data() + 27),
              pixels);
}

TEST(GIFModel, ColorMapsAddFindAndDelete)
{
    TGIFImage image;
    WarningLog log(image);
    TGIFGlobalColorMap& map = image.Header().ColorMap();
    EXPECT_EQ(FailureOf([&] { map.Color(0); }), gifmsg::EmptyColorTable);
    const TGIFColor red{255, 0, 0}, blue{0, 0, 255};
    map.Add(red);
    map.Add(blue);
    map.Add(red);
    EXPECT_EQ(map.IndexOf(red), 2);
    map.SetSorted(true);
    EXPECT_EQ(map.IndexOf(red), 0);
    EXPECT_EQ(map.IndexOf({1, 2, 3}), -1);
    EXPECT_EQ(map.AddIfAbsent(blue), 1);
    EXPECT_EQ(map.Color(7), red);
    EXPECT_EQ(log.Messages, QStringList{gifmsg::BadColorIndex});
    EXPECT_EQ(FailureOf([&] { map.Delete(3); }), gifmsg::BadColorIndex);
    map.Delete(0);
    EXPECT_EQ(map.Color(0), blue);
    EXPECT_FALSE(map.Sorted());

    FillColorMap(map, 256);
    EXPECT_EQ(FailureOf([&] { map.Add(red); }), gifmsg::ColorTableOverflow);

    const uint8_t quads[] = {1, 2, 3, 0, 4, 5, 6, 0};
    map.FillFromRGBQuads(quads, 2);
    EXPECT_EQ(map.Count(), 2);
    EXPECT_EQ(map.Color(1), (TGIFColor{6, 5, 4}));
    const win::Palette palette = map.MakePaletteHandle();
    ASSERT_EQ(palette.Count(), 2);
    EXPECT_EQ(palette.Entries[0], (win::PALETTEENTRY{3, 2, 1, win::PC_NOCOLLAPSE}));
}

TEST(GIFModel, ColorMapChangesDropThePalettesMadeFromThem)
{
    TGIFImage image;
    TGIFSubImage* frame = AddFrame(image, 1, 1, {0});
    image.SetPalette(win::DefaultPalette());
    frame->SetPalette(win::DefaultPalette());
    frame->ColorMap().Add({1, 1, 1});
    EXPECT_TRUE(frame->StoredPalette().IsEmpty());
    EXPECT_FALSE(image.StoredPalette().IsEmpty());
    image.Header().ColorMap().Add({1, 1, 1});
    EXPECT_TRUE(image.StoredPalette().IsEmpty());
}

// Optimising sorts the colours by use, drops the unused ones and rewrites the pixels and the
// transparent index; the global map only touches the frames that use it.
TEST(GIFModel, OptimizeSortsColoursByUse)
{
    TGIFImage image;
    FillColorMap(image.Header().ColorMap(), 4);
    TGIFSubImage* global = AddFrame(image, 6, 1, {2, 2, 2, 0, 0, 1});
    auto* gce = new TGIFGraphicControlExtension(global);
    global->Extensions().Add(std::unique_ptr<TGIFExtension>(gce));
    gce->SetTransparent(true);
    gce->SetTransparentColorIndex(1);
    TGIFSubImage* local = AddFrame(image, 2, 1, {3, 3});
    FillColorMap(local->ColorMap(), 4);
    const TGIFColor c0 = image.Header().ColorMap().Color(0), c1 = image.Header().ColorMap().Color(1),
                    c2 = image.Header().ColorMap().Color(2);

    EXPECT_TRUE(image.Header().ColorMap().Optimize());
    TGIFGlobalColorMap& map = image.Header().ColorMap();
    EXPECT_TRUE(map.Sorted());
    ASSERT_EQ(map.Count(), 3);
    EXPECT_EQ(map.Color(0), c2);
    EXPECT_EQ(map.Color(1), c0);
    EXPECT_EQ(map.Color(2), c1);
    EXPECT_EQ(std::vector<uint8_t>(global->Data(), global->Data() + 6),
              (std::vector<uint8_t>{0, 0, 0, 1, 1, 2}));
    EXPECT_EQ(gce->TransparentColorIndex(), 2);
    EXPECT_EQ(local->Pixel(0, 0), 3);

    EXPECT_TRUE(local->ColorMap().Optimize());
    EXPECT_EQ(local->ColorMap().Count(), 1);
    EXPECT_EQ(local->Pixel(1, 0), 0);

    TGIFImage empty;
    FillColorMap(empty.Header().ColorMap(), 4);
    EXPECT_FALSE(empty.Header().ColorMap().Optimize());
}

TEST(GIFModel, GraphicControlExtensionFollowsTheFrame)
{
    TGIFImage image;
    WarningLog log(image);
    const QByteArray transparent = Bytes({0x21, 0xF9, 4, 1, 5, 0, 7, 0});
    const QByteArray opaque = Bytes({0x21, 0xF9, 4, 0x08, 5, 0, 0xFF, 0});
    LoadImage(image, Screen() + transparent + ImageBlock(1, 1) + opaque + ImageBlock(1, 1) + Trailer);
    EXPECT_EQ(log.Messages, QStringList{gifmsg::BadColorIndex});
    TGIFSubImage* first = image.Images().Items(0);
    ASSERT_NE(first->GraphicControlExtension(), nullptr);
    EXPECT_TRUE(first->Transparent());
    EXPECT_EQ(first->GraphicControlExtension()->TransparentColorIndex(), 0);
    EXPECT_EQ(first->GraphicControlExtension()->Delay(), 5);
    TGIFGraphicControlExtension* second = image.Images().Items(1)->GraphicControlExtension();
    EXPECT_EQ(second->TransparentColorIndex(), 0xFF);
    EXPECT_EQ(second->Disposal(), dmBackground);

    first->Extensions().Delete(0);
    EXPECT_FALSE(first->Transparent());
    EXPECT_EQ(first->GraphicControlExtension(), nullptr);
}

// Reads the extensions before one frame from the bytes.
QString ExtensionFailure(const QByteArray& extensions, TGIFImage& image)
{
    return FailureOf([&] { LoadImage(image, Screen() + extensions + ImageBlock(1, 1) + Trailer); });
}

TEST(GIFModel, CommentsSplitIntoSubBlocksAndReadBackAsStrings)
{
    TGIFImage image;
    TGIFSubImage* frame = AddFrame(image, 1, 1, {0});
    auto comment = std::make_unique<TGIFCommentExtension>(frame);
    comment->Text = QStringList{QString(300, QLatin1Char('a'))};
    TMemoryStream stream;
    comment->SaveToStream(stream);
    const QByteArray bytes = ContentOf(stream);
    ASSERT_EQ(bytes.size(), 2 + 1 + 255 + 1 + 45 + 1);
    EXPECT_EQ(uint8_t(bytes[2]), 255);
    EXPECT_EQ(uint8_t(bytes[258]), 45);

    TGIFImage read;
    EXPECT_EQ(ExtensionFailure(bytes + Bytes({0x21, 0xFE, 3, 'a', 0, 'b', 0}), read), QString());
    auto* readComment = dynamic_cast<TGIFCommentExtension*>(read.Images().Items(0)->Extensions().Items(0));
    ASSERT_NE(readComment, nullptr);
    EXPECT_EQ(readComment->Text,
              (QStringList{QString(255, QLatin1Char('a')), QString(45, QLatin1Char('a'))}));
    auto* cut = dynamic_cast<TGIFCommentExtension*>(read.Images().Items(0)->Extensions().Items(1));
    EXPECT_EQ(cut->Text, QStringList{QStringLiteral("a")});
}

TEST(GIFModel, ApplicationExtensionsResolveByIdentifier)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString failure;
        const char* kind; // the class read, when it loads
    };
    const QByteArray netscape = Bytes({0x21, 0xFF, 11}) + "NETSCAPE2.0";
    const Case cases[] = {
        {"loop", netscape + Bytes({3, 1, 2, 0, 0}), {}, "loop"},
        {"loop with buffer", netscape + Bytes({3, 1, 2, 0, 5, 2, 1, 0, 0, 0, 0}), {}, "loop"},
        {"short loop", netscape + Bytes({2, 1, 2, 0}), gifmsg::BadData, nullptr},
        {"animexts", Bytes({0x21, 0xFF, 11}) + "ANIMEXTS1.0" + Bytes({3, 1, 0, 0, 0}), {}, "loop"},
        {"unknown", Bytes({0x21, 0xFF, 11}) + "ABCDEFGH123" + Bytes({2, 'x', 'y', 0}), {}, "unknown"},
        {"size 10", Bytes({0x21, 0xFF, 10}) + "ABCDEFGH12" + Bytes({1, 'z', 0}), {}, "unknown"},
        {"size 9", Bytes({0x21, 0xFF, 9}) + "ABCDEFGH1" + Bytes({0}), gifmsg::BadAppBlockSize, nullptr},
        {"size 12", Bytes({0x21, 0xFF, 12}) + "ABCDEFGH1234" + Bytes({1, 'z', 0}), {}, "application"},
        {"unregistered label", Bytes({0x21, 0x02, 1, 0, 0}), gifmsg::UnknownExtension, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGIFImage image;
        EXPECT_EQ(ExtensionFailure(c.bytes, image), c.failure);
        if (!c.kind)
            continue;
        TGIFExtension* extension = image.Images().Items(0)->Extensions().Items(0);
        const QString kind = dynamic_cast<TGIFAppExtNSLoop*>(extension) ? QStringLiteral("loop")
                             : dynamic_cast<TGIFUnknownAppExtension*>(extension)
                                 ? QStringLiteral("unknown")
                                 : QStringLiteral("application");
        EXPECT_EQ(kind, QString::fromLatin1(c.kind));
    }
}

TEST(GIFModel, ApplicationPayloadsAreWrittenBack)
{
    struct Case {
        QByteArray read, written;
    };
    const QByteArray netscape = Bytes({0x21, 0xFF, 11}) + "NETSCAPE2.0";
    const Case cases[] = {
        {netscape + Bytes({3, 1, 2, 0, 5, 2, 0xE8, 3, 0, 0, 0}),
         netscape + Bytes({3, 1, 2, 0, 5, 2, 0xE8, 3, 0, 0, 0})},
        {netscape + Bytes({3, 0x11, 2, 0, 4, 0x0C, 9, 9, 9, 0}), netscape + Bytes({3, 1, 2, 0, 0})},
        {Bytes({0x21, 0xFF, 10}) + "ABCDEFGH12" + Bytes({1, 'z', 2, 'x', 'y', 0}),
         Bytes({0x21, 0xFF, 11}) + "ABCDEFGH12" + Bytes({0, 1, 'z', 2, 'x', 'y', 0})},
    };
    for (const Case& c : cases) {
        TGIFImage image;
        ASSERT_EQ(ExtensionFailure(c.read, image), QString());
        TMemoryStream stream;
        image.Images().Items(0)->Extensions().Items(0)->SaveToStream(stream);
        EXPECT_EQ(ContentOf(stream).toHex(), c.written.toHex());
    }
}

TEST(GIFModel, LaterRegistrationsWin)
{
    RegisterExtension(0x66, GIFExtensionClass<TGIFTextExtension>());
    RegisterExtension(0x66, GIFExtensionClass<TGIFCommentExtension>());
    EXPECT_EQ(FindExtension(0x66), GIFExtensionClass<TGIFCommentExtension>());
    TGIFImage image;
    EXPECT_EQ(ExtensionFailure(Bytes({0x21, 0x66, 0}), image), gifmsg::ExtensionLabelMismatch);

    RegisterAppExtension("TESTTEST1.0", GIFExtensionClass<TGIFUnknownAppExtension>());
    RegisterAppExtension("TESTTEST1.0", GIFExtensionClass<TGIFAppExtNSLoop>());
    EXPECT_EQ(FindAppExtension("TESTTEST1.0"), GIFExtensionClass<TGIFAppExtNSLoop>());
    EXPECT_EQ(FindAppExtension("NETSCAPE2.0"), GIFExtensionClass<TGIFAppExtNSLoop>());
    EXPECT_EQ(FindExtension(0x02), nullptr);
}

TEST(GIFModel, PlainTextKeepsItsGridAndText)
{
    TGIFImage image;
    const QByteArray text =
        Bytes({0x21, 0x01, 12, 1, 0, 2, 0, 30, 0, 8, 0, 6, 8, 1, 0, 5}) + "Hello" + Bytes({0});
    ASSERT_EQ(ExtensionFailure(text, image), QString());
    auto* plain = dynamic_cast<TGIFTextExtension*>(image.Images().Items(0)->Extensions().Items(0));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GridWidth, 30);
    EXPECT_EQ(plain->CellHeight, 8);
    EXPECT_EQ(plain->Text, QStringList{QStringLiteral("Hello")});
    TMemoryStream stream;
    plain->SaveToStream(stream);
    EXPECT_EQ(ContentOf(stream), text);
    EXPECT_EQ(ExtensionFailure(Bytes({0x21, 0x01, 12, 1, 0}), image), gifmsg::PrematureEOF);
}

} // namespace

namespace {

TEST(GIFModel, LoadingAndSavingReportProgress)
{
    TGIFImage image;
    QStringList reports;
    image.OnProgress = [&](TObject*, TProgressStage stage, uint8_t percent, bool, const QRect&,
                           const QString& msg) {
        reports << QStringLiteral("%1 %2 %3").arg(int(stage)).arg(percent).arg(msg);
    };
    LoadImage(image, Screen() + ImageBlock(2, 2) + ImageBlock(2, 2) + Trailer);
    EXPECT_EQ(reports, (QStringList{QStringLiteral("0 0 Loading..."), QStringLiteral("1 68 Loading..."),
                                    QStringLiteral("1 98 Loading..."), QStringLiteral("2 100 Loading...")}));
    reports.clear();
    SaveImage(image);
    EXPECT_EQ(reports, (QStringList{QStringLiteral("0 0 Saving..."), QStringLiteral("1 50 Saving..."),
                                    QStringLiteral("1 100 Saving..."), QStringLiteral("2 100 Saving...")}));
    reports.clear();
    EXPECT_EQ(FailureOf([&] {
                  LoadImage(image, Screen() + Bytes({0x21, 0x02, 0}));
              }),
              gifmsg::UnknownExtension);
    EXPECT_EQ(reports.last(), QStringLiteral("2 0 Loading..."));
}

} // namespace
