// TIcon over an ARGB image.
#include "platform/graphics/icon.h"

#include "platform/graphics/canvas.h"
#include "platform/graphics/graphics_errors.h"

#include <QBuffer>
#include <QImageReader>

TIcon::TIcon()
{
    SetTransparent(true);
}

void TIcon::SetImage(const QImage& Value)
{
    image_ = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_ARGB32);
    Changed(this);
}

void TIcon::Draw(TCanvas& ACanvas, const QRect& Rect)
{
    if (!Empty())
        ACanvas.DrawImage(Rect, image_, image_.rect());
}

void TIcon::SetWidth(int)
{
    throw EInvalidGraphicOperation(QStringLiteral("Cannot change the size of an icon"));
}

void TIcon::SetHeight(int Value)
{
    SetWidth(Value);
}

std::unique_ptr<TBitmap> TIcon::MaskBitmap() const
{
    auto mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(pf1bit);
    mask->SetSize(Width(), Height());
    for (int y = 0; y < Height(); ++y) {
        uint8_t* bits = mask->ScanLine(y);
        const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        for (int x = 0; x < Width(); ++x)
            if (qAlpha(row[x]) == 0)
                bits[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
    return mask;
}

void TIcon::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size() - Stream.Position();
    if (size <= 0 || size > MaxBitmapBytes)
        throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    Stream.ReadBuffer(data.data(), size);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
    SetImage(image);
}

void TIcon::SaveToStream(TStream& Stream)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (Empty() || !image_.save(&buffer, "ico"))
        throw EInvalidGraphicOperation(QStringLiteral("Icon image is not valid"));
    Stream.WriteBuffer(data.constData(), data.size());
}

void TIcon::LoadFromClipboardFormat(unsigned, const TClipboardData&, const win::Palette&)
{
    throw EInvalidGraphic(QStringLiteral("Clipboard does not support Icons"));
}

void TIcon::SaveToClipboardFormat(unsigned&, TClipboardData&, win::Palette&)
{
    throw EInvalidGraphic(QStringLiteral("Clipboard does not support Icons"));
}

void TIcon::Assign(TPersistent* Source)
{
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        if (icon != this)
            SetImage(icon->image_);
        return;
    }
    TGraphic::Assign(Source);
}
