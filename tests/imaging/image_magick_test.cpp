// ImageMagick as the oracle: it reads the bitmap writer's BMP as Qt does, and the web-palette and
// octree reductions hold their own against its dithered reductions of the same picture.
#include "image_magick.h"
#include "imaging/color_reduction.h"
#include "imaging/dib.h"
#include "support/test_env.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

QString TempFile(const QString& name)
{
    return testRunFolder() + "/tmp/" + name;
}

void Save(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// Red, green and blue bytes of every pixel, row by row.
QByteArray RgbBytes(const QImage& image)
{
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            bytes += char(qRed(c));
            bytes += char(qGreen(c));
            bytes += char(qBlue(c));
        }
    return bytes;
}

} // namespace

TEST(ImageMagick, ReadsTheBitmapWritersFilesAsQtAndTheBitmapDo)
{
    win::Palette palette;
    for (int i = 0; i < 16; ++i)
        palette.Entries.push_back({uint8_t(16 * i), uint8_t(255 - 16 * i), uint8_t(i * 7), 0});
    for (TPixelFormat format : {pf8bit, pf24bit}) {
        SCOPED_TRACE(testing::Message() << "format " << format);
        const int width = 7, height = 3, bytes = format == pf8bit ? 1 : 3;
        TBitmap bitmap;
        TDIBWriter writer(&bitmap, format, width, height, palette);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width * bytes; ++x)
                writer.ScanLine(y)[x] = uint8_t(format == pf8bit ? (x + 3 * y) % 16 : 37 * x + 91 * y);
        const QByteArray file = writer.FileImage();
        writer.Finish();
        const QString path = TempFile(QStringLiteral("writer.bmp"));
        Save(path, file);

        const QByteArray byImageMagick =
            Convert({path, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
        const QImage byQt = QImage::fromData(file, "BMP");
        ASSERT_EQ(byQt.size(), QSize(width, height));
        EXPECT_EQ(RgbBytes(byQt), byImageMagick);
        EXPECT_EQ(RgbBytes(bitmap.ToImage()), byImageMagick);
    }
}

TEST(ImageMagick, DitheredReductionsComeCloseToImageMagicks)
{
    const QString picture = TempFile(QStringLiteral("plasma.ppm"));
    Convert({QStringLiteral("-size"), QStringLiteral("96x64"), QStringLiteral("-seed"), QStringLiteral("3"),
             QStringLiteral("plasma:fractal"), picture});
    TBitmap source;
    source.AssignImage(QImage(picture));
    ASSERT_FALSE(source.Empty());

    struct Case {
        uint8_t method;
        QStringList peer;
        double allowance; // dB below ImageMagick's that still passes
    };
    const Case cases[] = {
        {crWebPalette, {QStringLiteral("-remap"), QStringLiteral("netscape:")}, 0.5},
        {crQuantize, {QStringLiteral("-colors"), QStringLiteral("256")}, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << int(c.method));
        const QString ours = TempFile(QStringLiteral("ours.ppm"));
        const QString theirs = TempFile(QStringLiteral("theirs.ppm"));
        ASSERT_TRUE(QuantizeBitmap(&source, c.method, dmFloydSteinberg, 8, {})->ToImage().save(ours));
        Convert(QStringList{picture, QStringLiteral("-dither"), QStringLiteral("FloydSteinberg")} + c.peer +
                QStringList{theirs});
        const double ourPsnr = Psnr(picture, ours);
        const double theirPsnr = Psnr(picture, theirs);
        RecordProperty(c.method == crWebPalette ? "web_psnr" : "octree_psnr",
                       QStringLiteral("%1 against %2").arg(ourPsnr).arg(theirPsnr).toStdString());
        EXPECT_GE(ourPsnr, theirPsnr - c.allowance);
    }
}
