// JPEG pictures: colour, greyscale, CMYK and progressive files decoded, the picture registry's
// extensions, and damaged, empty and huge files refused with an error instead of a crash.
#include "platform/graphics/jpeg_image.h"

#include "platform/graphics/graphics_errors.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"

#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

enum TJpegKind { jkColour, jkGrey, jkCmyk, jkProgressive };

// A JPEG file image of Width x Height pixels of one colour, written by libjpeg at full quality.
// CMYK files are written as Adobe's programs write them, with the inks inverted.
QByteArray EncodeJpeg(int Width, int Height, QRgb Colour, TJpegKind Kind)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(Width);
    info.image_height = JDIMENSION(Height);
    const int components = Kind == jkGrey ? 1 : Kind == jkCmyk ? 4 : 3;
    info.input_components = components;
    info.in_color_space = Kind == jkGrey ? JCS_GRAYSCALE : Kind == jkCmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (Kind == jkProgressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(Width) * components);
    for (int x = 0; x < Width; ++x) {
        unsigned char* pixel = &row[size_t(x) * components];
        if (Kind == jkGrey) {
            pixel[0] = qGray(Colour);
        } else if (Kind == jkCmyk) {
            // Black ink 0: the inks are the complements of the colour, stored inverted.
            pixel[0] = qRed(Colour);
            pixel[1] = qGreen(Colour);
            pixel[2] = qBlue(Colour);
            pixel[3] = 255;
        } else {
            pixel[0] = qRed(Colour);
            pixel[1] = qGreen(Colour);
            pixel[2] = qBlue(Colour);
        }
    }
    for (int y = 0; y < Height; ++y) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray data(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return data;
}

// Each channel within Tolerance of the expected colour.
bool Near(QRgb Actual, QRgb Expected, int Tolerance = 4)
{
    return std::abs(qRed(Actual) - qRed(Expected)) <= Tolerance &&
           std::abs(qGreen(Actual) - qGreen(Expected)) <= Tolerance &&
           std::abs(qBlue(Actual) - qBlue(Expected)) <= Tolerance;
}

QString FailureOf(const std::function<void()>& Call)
{
    try {
        Call();
    } catch (const EInvalidGraphic& E) {
        return E.Message;
    }
    return "no failure";
}

TEST(JPEGImage, DecodesEachKindOfFile)
{
    const QRgb colour = qRgb(200, 60, 30);
    const struct {
        TJpegKind Kind;
        QRgb Expected;
    } cases[] = {{jkColour, colour}, {jkGrey, qRgb(qGray(colour), qGray(colour), qGray(colour))},
                 {jkCmyk, colour}, {jkProgressive, colour}};
    for (const auto& c : cases) {
        TJPEGImage image;
        int changes = 0;
        image.OnChange = [&](TObject*) { ++changes; };
        const QByteArray data = EncodeJpeg(19, 7, colour, c.Kind);
        image.LoadFromData(data);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(image.Width(), 19);
        EXPECT_EQ(image.Height(), 7);
        EXPECT_EQ(image.Bitmap().PixelFormat(), pf24bit);
        const QImage pixels = image.Bitmap().ToImage();
        for (const QPoint at : {QPoint(0, 0), QPoint(18, 6), QPoint(9, 3)})
            EXPECT_TRUE(Near(pixels.pixel(at), c.Expected))
                << c.Kind << ": " << std::hex << pixels.pixel(at) << " for " << c.Expected;
        // The file image is kept and written back unchanged.
        TMemoryStream stream;
        image.SaveToStream(stream);
        EXPECT_EQ(stream.Size(), data.size());
    }
}

TEST(JPEGImage, OpensThroughThePictureRegistryAndCopies)
{
    QTemporaryDir folder;
    const QByteArray data = EncodeJpeg(4, 3, qRgb(0, 0, 255), jkColour);
    for (const char* name : {"a.jpg", "b.JPEG"}) {
        TFileStream(folder.filePath(name), fmCreate).WriteBuffer(data.constData(), data.size());
        TPicture picture;
        picture.LoadFromFile(folder.filePath(name));
        auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
        ASSERT_NE(jpeg, nullptr) << name;
        EXPECT_EQ(picture.Width(), 4);

        TPicture copy;
        copy.Assign(&picture);
        ASSERT_NE(dynamic_cast<TJPEGImage*>(copy.Graphic()), nullptr);
        EXPECT_EQ(copy.Height(), 3);
        EXPECT_EQ(static_cast<TJPEGImage*>(copy.Graphic())->Data(), data);
    }
    TJPEGImage image;
    image.LoadFromData(data);
    EXPECT_THROW(image.SetWidth(2), EInvalidGraphicOperation);
}

TEST(JPEGImage, RefusesDamagedEmptyAndHugeFiles)
{
    const QByteArray good = EncodeJpeg(16, 16, qRgb(10, 200, 10), jkColour);
    TJPEGImage image;
    image.LoadFromData(good);

    QByteArray huge = good;
    // The frame header's height and width (after FF C0, length and precision): 65500 x 65500.
    const qsizetype sof = huge.indexOf("\xff\xc0");
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xff);
    huge[sof + 6] = char(0xdc);
    huge[sof + 7] = char(0xff);
    huge[sof + 8] = char(0xdc);

    const struct {
        const char* What;
        QByteArray Data;
        const char* Failure;
    } cases[] = {
        {"empty", QByteArray(), "JPEG error: "},
        {"no JPEG", QByteArray("GIF89a....."), "JPEG error: Not a JPEG file: starts with 0x47 0x49"},
        {"header only", good.left(20), "JPEG error: "},
        {"huge", huge, "JPEG image is too large"},
    };
    for (const auto& c : cases) {
        const QString failure = FailureOf([&] { image.LoadFromData(c.Data); });
        EXPECT_TRUE(failure.startsWith(c.Failure)) << c.What << ": " << failure.toStdString();
        // The picture keeps what it held.
        EXPECT_EQ(image.Width(), 16) << c.What;
        EXPECT_EQ(image.Data(), good);
    }

    // A file cut within its pixels (past the scan header) shows what could be read.
    const qsizetype scan = good.indexOf("\xff\xda");
    ASSERT_GT(scan, 0);
    image.LoadFromData(good.left((scan + 14 + good.size()) / 2));
    EXPECT_EQ(image.Width(), 16);
}

} // namespace
