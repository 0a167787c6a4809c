// Composed animation frames against ImageMagick's -coalesce and Qt's GIF reader: the painter's
// composition of every disposal method, Optimize keeping the composed frames, and the web-palette
// rendering beside ImageMagick's remapping to the same palette.
#include "gif_drawing_support.h"
#include "gif_test_support.h"
#include "image_magick.h"
#include "imaging/gif_image.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

namespace {

constexpr int ScreenWidth = 16;
constexpr int ScreenHeight = 12;

std::vector<uint8_t> Pattern(int width, int height, const std::function<uint8_t(int x, int y)>& value)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(value(x, y));
    return pixels;
}

// Every disposal method, transparency, a local colour map, and frames that repeat what is below
// them, so that Optimize finds work in every pass.
void BuildFixture(TGIFImage& image)
{
    const auto base = [](int x, int y) { return uint8_t((x + y) % 4 + 1); };
    std::vector<uint8_t> repeat = Pattern(ScreenWidth, ScreenHeight, base);
    for (int y = 4; y < 7; ++y)
        for (int x = 9; x < 13; ++x)
            repeat[size_t(y * ScreenWidth + x)] = 6;
    BuildAnimation(
        image, ScreenWidth, ScreenHeight,
        {
            {0, 0, ScreenWidth, ScreenHeight, Pattern(ScreenWidth, ScreenHeight, base), 1, 5},
            {2, 2, 6, 4, Pattern(6, 4, [](int x, int y) { return uint8_t((x * y) % 3 == 0 ? 0 : 5); }), 2, 5, 0},
            {8, 3, 5, 5, {}, 3, 5, -1, 5},
            {1, 6, 4, 4, Pattern(4, 4, [](int x, int) { return uint8_t(x % 2 ? 0 : 7); }), 3, 5, 0},
            {6, 8, 7, 3, {}, 0, 5, -1, 6},
            {0, 0, ScreenWidth, ScreenHeight,
             Pattern(ScreenWidth, ScreenHeight, [](int x, int y) { return uint8_t(x == y ? 7 : 0); }), 2, 5, 0},
            {12, 0, 3, 3, {}, 1, 5, -1, 2},
            {5, 5, 6, 6, Pattern(6, 6, [&](int x, int y) { return x < 3 ? base(x + 5, y + 5) : uint8_t(3); }), 1, 5,
             7},
            {0, 0, ScreenWidth, ScreenHeight, repeat, 1, 5},
        },
        0);
    // Frame 4 brings colours of its own.
    TGIFSubImage* local = image.Images().Items(4);
    for (int i = 0; i < 8; ++i)
        local->ColorMap().Add({uint8_t(i * 30), uint8_t(255 - i * 30), 90});
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The frames of a vertical strip of ScreenHeight-high frames.
std::vector<QImage> FramesOfStrip(const QString& path)
{
    const QImage strip(path);
    std::vector<QImage> frames;
    for (int y = 0; y + ScreenHeight <= strip.height(); y += ScreenHeight)
        frames.push_back(strip.copy(0, y, strip.width(), ScreenHeight).convertToFormat(QImage::Format_ARGB32));
    return frames;
}

std::vector<QImage> QtFrames(const QString& path)
{
    QImageReader reader(path, "gif");
    std::vector<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.push_back(frame.convertToFormat(QImage::Format_ARGB32));
    return frames;
}

// The pixels that differ: ours against an oracle's frame, where the oracle's transparent pixels
// (or its own colour for areas restored to the background) must show the background we drew on.
int Differences(const QImage& ours, const QImage& oracle, QRgb background, QRgb restored = 0)
{
    int wrong = 0;
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) {
            QRgb theirs = oracle.pixel(x, y);
            if (qAlpha(theirs) == 0 || (restored && theirs == restored && ours.pixel(x, y) == background))
                theirs = background;
            wrong += (ours.pixel(x, y) & 0xFFFFFF) != (theirs & 0xFFFFFF);
        }
    return wrong;
}

// The pixels as text, one row per line, "-" for transparent ones.
QString RgbaOf(const QImage& image)
{
    QString text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            text += qAlpha(c) == 0 ? QStringLiteral("------ ")
                                   : QStringLiteral("%1 ").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        }
        text += QLatin1Char('\n');
    }
    return text;
}

class GIFAnimationOracle : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new QTemporaryDir;
        TGIFImage image;
        BuildFixture(image);
        WriteFile(Path("animation.gif"), SaveImage(image));
        image.Optimize(opTrimFrames | opTransparentRepeats | opRemoveUnused | opSortColorMaps, 0, 0, 8);
        WriteFile(Path("optimized.gif"), SaveImage(image));
        // One run of ImageMagick makes every oracle file.
        const auto coalesce = [](const char* name) {
            return QStringList{QStringLiteral("("),     Path(name),
                               QStringLiteral("-coalesce"), QStringLiteral("+repage"),
                               QStringLiteral("-append"),   QStringLiteral("-write"),
                               QStringLiteral("PNG32:") + Path(name) + QStringLiteral(".png"),
                               QStringLiteral(")")};
        };
        Convert(QStringList{QStringLiteral("-respect-parentheses")}
                << coalesce("animation.gif") << coalesce("optimized.gif")
                << QStringList{QStringLiteral("("),      QStringLiteral("-seed"),
                               QStringLiteral("5"),      QStringLiteral("-size"),
                               QStringLiteral("64x48"),  QStringLiteral("plasma:fractal"),
                               QStringLiteral("-colors"), QStringLiteral("200"),
                               QStringLiteral("-write"), Path("plasma.gif"),
                               QStringLiteral("-dither"), QStringLiteral("FloydSteinberg"),
                               QStringLiteral("-remap"), QStringLiteral("netscape:"),
                               QStringLiteral("-write"), QStringLiteral("PNG24:") + Path("plasma-web.png"),
                               QStringLiteral(")"),      QStringLiteral("null:")});
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

    static QString Path(const char* name) { return folder_->filePath(QString::fromLatin1(name)); }

    static QTemporaryDir* folder_;
};

QTemporaryDir* GIFAnimationOracle::folder_ = nullptr;

// The painter composes every frame as ImageMagick and Qt compose them.
TEST_F(GIFAnimationOracle, PainterComposesLikeCoalesce)
{
    FakeClockScope scope;
    TGIFImage image;
    BuildFixture(image);
    const QRgb background = qRgb(17, 34, 51);
    image.BackColor = TColor(win::RGB(17, 34, 51));
    image.DrawFlags = gdAnimate | gdTransparent | gdPaintOnTarget;
    QImage target(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    target.fill(background);
    TCanvas canvas(&target);
    std::vector<QImage> ours;
    image.OnFramePainted = [&](TObject*) { ours.push_back(target.copy()); };
    image.Draw(canvas, target.rect());

    const std::vector<QImage> magick = FramesOfStrip(Path("animation.gif.png"));
    const std::vector<QImage> qt = QtFrames(Path("animation.gif"));
    ASSERT_EQ(ours.size(), 9u);
    ASSERT_EQ(magick.size(), ours.size());
    ASSERT_EQ(qt.size(), ours.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(Differences(ours[i], magick[i], background), 0) << "ImageMagick, frame " << i;
        // Qt restores to opaque white.
        EXPECT_EQ(Differences(ours[i], qt[i], background, qRgb(255, 255, 255)), 0) << "Qt, frame " << i;
    }
}

// Optimising changes the file but not one composed pixel.
TEST_F(GIFAnimationOracle, OptimizeKeepsTheComposedFrames)
{
    const std::vector<QImage> before = FramesOfStrip(Path("animation.gif.png"));
    const std::vector<QImage> after = FramesOfStrip(Path("optimized.gif.png"));
    ASSERT_EQ(before.size(), 9u);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(RgbaOf(after[i]), RgbaOf(before[i])) << "ImageMagick, frame " << i;
    const std::vector<QImage> qtBefore = QtFrames(Path("animation.gif"));
    const std::vector<QImage> qtAfter = QtFrames(Path("optimized.gif"));
    ASSERT_EQ(qtAfter.size(), qtBefore.size());
    for (size_t i = 0; i < qtBefore.size(); ++i)
        EXPECT_EQ(RgbaOf(qtAfter[i]), RgbaOf(qtBefore[i])) << "Qt, frame " << i;

    // The passes had work to do: frames were trimmed and made transparent.
    QFile file(Path("optimized.gif"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TGIFImage optimized;
    LoadImage(optimized, file.readAll());
    EXPECT_EQ(optimized.Images().Items(3)->Width(), 3);
    EXPECT_TRUE(optimized.Images().Items(8)->Transparent());
    EXPECT_LT(QFileInfo(Path("optimized.gif")).size(), QFileInfo(Path("animation.gif")).size());
}

// On a palette display frames render through the web palette with Floyd-Steinberg dithering, about
// as close to the picture as ImageMagick's remapping to the same palette.
TEST_F(GIFAnimationOracle, WebPaletteRenderingMatchesImageMagicksRemap)
{
    SetPaletteDisplay(true);
    QFile file(Path("plasma.gif"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TGIFImage image;
    LoadImage(image, file.readAll());
    ASSERT_TRUE(image.WebPaletteInUse());
    TBitmap* bitmap = image.Images().Items(0)->GetBitmap();
    SetPaletteDisplay(false);
    ASSERT_EQ(bitmap->PixelFormat(), pf8bit);
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            ASSERT_LT(bitmap->ScanLine(y)[x], 216);
    const QString ours = Path("plasma-ours.png");
    ASSERT_TRUE(bitmap->ToImage().convertToFormat(QImage::Format_RGB32).save(ours));
    const double oursToPicture = Psnr(ours, Path("plasma.gif"));
    const double magickToPicture = Psnr(Path("plasma-web.png"), Path("plasma.gif"));
    EXPECT_GT(oursToPicture, magickToPicture - 1.5) << oursToPicture << " against " << magickToPicture;
    EXPECT_GT(Psnr(ours, Path("plasma-web.png")), 20.0);
}

} // namespace
