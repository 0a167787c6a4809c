// TMetafile and TMetafileCanvas over QPicture.
#include "platform/graphics/metafile.h"

#include "platform/graphics/graphics_errors.h"
#include "platform/rtl/events.h"

#include <QBuffer>

TMetafile::TMetafile()
{
    SetTransparent(true);
}

void TMetafile::SetPicture(const QPicture& Value)
{
    picture_ = Value;
    const QRect bounds = picture_.boundingRect();
    width_ = bounds.right() + 1;
    height_ = bounds.bottom() + 1;
    if (picture_.isNull())
        width_ = height_ = 0;
    Changed(this);
}

void TMetafile::Draw(TCanvas& ACanvas, const QRect& Rect)
{
    if (!Empty())
        ACanvas.DrawPicture(Rect, picture_, QRect(0, 0, width_, height_));
}

void TMetafile::SetWidth(int Value)
{
    if (Value == width_)
        return;
    width_ = Value;
    Changed(this);
}

void TMetafile::SetHeight(int Value)
{
    if (Value == height_)
        return;
    height_ = Value;
    Changed(this);
}

void TMetafile::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size() - Stream.Position();
    QByteArray data(qsizetype(std::max<int64_t>(size, 0)), Qt::Uninitialized);
    Stream.ReadBuffer(data.data(), data.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QPicture picture;
    if (!picture.load(&buffer))
        throw EInvalidGraphic(QStringLiteral("Metafile is not valid"));
    SetPicture(picture);
}

void TMetafile::SaveToStream(TStream& Stream)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    picture_.save(&buffer);
    Stream.WriteBuffer(data.constData(), data.size());
}

void TMetafile::LoadFromClipboardFormat(unsigned, const TClipboardData&, const win::Palette&)
{
    throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
}

void TMetafile::SaveToClipboardFormat(unsigned&, TClipboardData&, win::Palette&)
{
    throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
}

void TMetafile::Assign(TPersistent* Source)
{
    if (auto* metafile = dynamic_cast<TMetafile*>(Source)) {
        if (metafile != this) {
            picture_ = metafile->picture_;
            width_ = metafile->width_;
            height_ = metafile->height_;
            Changed(this);
        }
        return;
    }
    TGraphic::Assign(Source);
}

int TMetafileCanvas::TRecording::metric(PaintDeviceMetric Metric) const
{
    const bool resolution = Metric == PdmDpiX || Metric == PdmDpiY || Metric == PdmPhysicalDpiX ||
                            Metric == PdmPhysicalDpiY;
    return resolution && pixelsPerInch_ > 0 ? pixelsPerInch_ : QPicture::metric(Metric);
}

TMetafileCanvas::TMetafileCanvas(TMetafile& Metafile, int PixelsPerInch)
    : metafile_(Metafile), recording_(PixelsPerInch)
{
    painter_.begin(&recording_);
}

TMetafileCanvas::~TMetafileCanvas()
{
    painter_.end();
    const int width = metafile_.Width();
    const int height = metafile_.Height();
    metafile_.SetPicture(recording_);
    if (width > 0 && height > 0) {
        metafile_.SetWidth(width);
        metafile_.SetHeight(height);
    }
}

void TMetafileCanvas::Paint(const std::function<void(QPainter&)>& draw)
{
    if (!HandleAllocated() || !painter_.isActive())
        return;
    painter_.save();
    draw(painter_);
    painter_.restore();
    Fire(OnChange, this);
}
