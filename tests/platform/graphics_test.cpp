// The picture classes: canvas drawing and copying, bitmaps as graphics, icons, metafiles, the
// picture registry and the clipboard.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/clipboard.h"
#include "platform/graphics/graphics_errors.h"
#include "platform/graphics/icon.h"
#include "platform/graphics/metafile.h"
#include "platform/graphics/picture.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

QImage Filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Drawing scales by the nearest pixel, leaves out pixels of alpha 0, and copies between canvases.
TEST(Canvas, DrawsScalesFillsAndCopies)
{
    QImage target = Filled(8, 4, qRgb(255, 255, 255));
    TCanvas canvas(&target);
    int changes = 0;
    canvas.OnChange = [&](TObject*) { ++changes; };

    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgba(0, 0, 0, 0));
    canvas.DrawImage(QRect(0, 0, 4, 2), source, source.rect());
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(2, 0), qRgb(255, 255, 255)); // transparent source pixel

    canvas.BrushColor = TColor(win::RGB(0, 0, 255));
    canvas.FillRect(QRect(4, 0, 2, 2));
    EXPECT_EQ(target.pixel(5, 1), qRgb(0, 0, 255));

    TBitmap bitmap;
    bitmap.SetSize(4, 2);
    bitmap.Canvas().CopyRect(QRect(0, 0, 4, 2), canvas, QRect(2, 0, 4, 2));
    EXPECT_EQ(QColor(bitmap.ToImage().pixel(0, 0)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(bitmap.ToImage().pixel(2, 0)), QColor(0, 0, 255));
    EXPECT_EQ(changes, 2);
    // Outside the canvas a copy reads black.
    EXPECT_EQ(QColor(canvas.CopyImage(QRect(7, 3, 2, 2)).pixel(1, 1)), QColor(Qt::black));
}

TEST(Canvas, HandleExpiresWithTheCanvasOrItsRelease)
{
    QImage target = Filled(2, 2, qRgb(0, 0, 0));
    std::weak_ptr<const void> handle;
    {
        TCanvas canvas(&target);
        handle = canvas.Handle();
        EXPECT_FALSE(handle.expired());
        canvas.ReleaseHandle();
        EXPECT_TRUE(handle.expired());
        canvas.FillRect(QRect(0, 0, 2, 2)); // nothing to draw on now
        EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
        canvas.SetImage(&target);
        handle = canvas.Handle();
    }
    EXPECT_TRUE(handle.expired());
}

// Painting on an indexed bitmap turns it to 24 bits; a transparent bitmap draws without its
// transparent colour (by default the colour of its bottom-left pixel).
TEST(BitmapGraphic, PaintsIn24BitsAndDrawsTransparently)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetPalette(win::Palette{{{0, 0, 0, 0}, {255, 0, 0, 0}}});
    bitmap.SetSize(2, 2);
    bitmap.ScanLine(0)[1] = 1;
    bitmap.Canvas().FillRectWith(QRect(1, 1, 1, 1), TColor(win::RGB(0, 255, 0)));
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(QColor(bitmap.ToImage().pixel(1, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(bitmap.ToImage().pixel(1, 1)), QColor(0, 255, 0));

    bitmap.SetTransparent(true);
    QImage target = Filled(2, 2, qRgb(9, 9, 9));
    TCanvas canvas(&target);
    canvas.Draw(0, 0, bitmap);
    EXPECT_EQ(target.pixel(0, 0), qRgb(9, 9, 9)); // black, as at the bottom left
    EXPECT_EQ(target.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 255, 0));
}

TEST(IconAndMetafile, MasksAndRecordings)
{
    QImage pixels(3, 2, QImage::Format_ARGB32);
    pixels.fill(qRgba(0, 0, 0, 0));
    pixels.setPixel(1, 0, qRgb(10, 20, 30));
    TIcon icon;
    icon.SetImage(pixels);
    const std::unique_ptr<TBitmap> mask = icon.MaskBitmap();
    EXPECT_EQ(mask->ScanLine(0)[0] & 0xE0, 0xA0);
    EXPECT_EQ(mask->ScanLine(1)[0] & 0xE0, 0xE0);
    EXPECT_THROW(icon.SetWidth(5), EInvalidGraphicOperation);
    TMemoryStream stream;
    icon.SaveToStream(stream);
    stream.SetPosition(0);
    TIcon read;
    read.LoadFromStream(stream);
    EXPECT_EQ(read.Image().pixel(1, 0), qRgb(10, 20, 30));

    TMetafile metafile;
    metafile.SetWidth(4);
    metafile.SetHeight(4);
    {
        TMetafileCanvas recorder(metafile);
        recorder.FillRectWith(QRect(0, 0, 2, 2), TColor(win::RGB(255, 0, 0)));
    }
    EXPECT_EQ(metafile.Width(), 4);
    QImage target = Filled(8, 8, qRgb(255, 255, 255));
    TCanvas canvas(&target);
    canvas.StretchDraw(QRect(0, 0, 8, 8), metafile);
    EXPECT_EQ(target.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(Picture, LoadsByExtensionAndRefusesUnknownOnes)
{
    QTemporaryDir folder;
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.SaveToFile(folder.filePath(QStringLiteral("a.BMP")));

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(folder.filePath(QStringLiteral("a.BMP")));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 1);

    try {
        picture.LoadFromFile(folder.filePath(QStringLiteral("a.xyz")));
        ADD_FAILURE() << "no failure";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Unknown picture file extension (.xyz)"));
    }
    EXPECT_EQ(picture.Width(), 3); // kept

    EXPECT_THROW(picture.LoadFromFile(folder.filePath(QStringLiteral("missing.bmp"))), EFOpenError);
    EXPECT_TRUE(TPicture::SupportsClipboardFormat(win::CF_BITMAP));
    EXPECT_THROW(picture.LoadFromClipboardFormat(0xBFFF, {}, {}), EInvalidGraphic);

    // Assigning copies a graphic of a registered class; another class fails and the picture stays.
    TBitmap wide;
    wide.SetSize(5, 1);
    picture.Assign(&wide);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_NE(picture.Graphic(), &wide);
    EXPECT_EQ(picture.Width(), 5);
    TMetafile metafile;
    EXPECT_THROW(picture.Assign(&metafile), EConvertError);
    EXPECT_EQ(picture.Width(), 5);
}

TEST(Clipboard, GathersFormatsBetweenOpenAndClose)
{
    const unsigned format = win::RegisterClipboardFormat(QStringLiteral("Test Bytes"));
    EXPECT_EQ(win::RegisterClipboardFormat(QStringLiteral("test bytes")), format);
    EXPECT_GE(format, 0xC000u);

    TBitmap bitmap;
    bitmap.SetSize(2, 3);
    Clipboard().Open();
    Clipboard().Assign(&bitmap);
    TClipboardData bytes;
    bytes.Bytes = "abc";
    EXPECT_TRUE(Clipboard().SetAsHandle(format, bytes));
    Clipboard().Close();
    EXPECT_EQ(Clipboard().GetAsHandle(format).Bytes, QByteArray("abc"));
    EXPECT_EQ(Clipboard().GetAsHandle(win::CF_BITMAP).Picture.size(), QSize(2, 3));

    // Outside Open one format replaces the content.
    EXPECT_TRUE(Clipboard().SetAsHandle(format, bytes));
    EXPECT_FALSE(Clipboard().HasFormat(win::CF_BITMAP));
    EXPECT_FALSE(Clipboard().SetAsHandle(0x1234, bytes));

    TPicture picture;
    EXPECT_THROW(picture.LoadFromClipboardFormat(win::CF_BITMAP, Clipboard().GetAsHandle(win::CF_BITMAP), {}),
                 EInvalidGraphic);
}

TEST(Persistent, AssignBetweenUnrelatedClassesFails)
{
    TBitmap bitmap;
    TIcon icon;
    try {
        icon.Assign(&bitmap);
        ADD_FAILURE() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Cannot assign a TBitmap to a TIcon"));
    }
}

} // namespace
