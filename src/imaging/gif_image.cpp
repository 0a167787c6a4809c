// The GIF file in memory: warnings, progress, version and depth queries, loading and saving.
#include "imaging/gif_image.h"

#include "imaging/gif_exception.h"
#include "platform/rtl/events.h"

TGIFImage::TGIFImage() : header_(this), images_(this)
{
    Clear();
}

TGIFImage::~TGIFImage()
{
    images_.Clear();
}

void TGIFImage::Warning(TObject* Sender, TGIFSeverity Severity, const QString& Message)
{
    Fire(OnGIFWarning, Sender, Severity, Message);
}

void TGIFImage::Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                         const QRect& R, const QString& Msg)
{
    Fire(OnProgress, Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

TGIFVersion TGIFImage::RequiredVersion() const
{
    TGIFVersion version = gvUnknown;
    for (int i = 0; i < images_.Count() && version != gv89a; ++i)
        version = std::max(version, images_.Items(i)->GetVersion());
    return version;
}

int TGIFImage::MaxBitsPerPixel() const
{
    int bits = header_.ColorMap().BitsForCount();
    for (int i = 0; i < images_.Count(); ++i)
        bits = std::max(bits, images_.Items(i)->ColorMap().BitsForCount());
    return bits;
}

void TGIFImage::Clear()
{
    images_.Clear();
    header_.ColorMap().Clear();
    header_.SetWidth(0);
    header_.SetHeight(0);
    header_.UpdateFlags();
    SetPalette({});
}

void TGIFImage::LoadFromStream(TStream& Stream)
{
    const QString message = QStringLiteral("Loading...");
    Progress(this, psStarting, 0, false, {}, message);
    Clear();
    const int64_t start = Stream.Position();
    try {
        header_.LoadFromStream(Stream);
        images_.LoadFromStream(Stream);
        TGIFTrailer(this).LoadFromStream(Stream);
    } catch (...) {
        Stream.SetPosition(start);
        Progress(this, psEnding, 0, true, {}, message);
        throw;
    }
    Progress(this, psEnding, 100, true, {}, message);
}

void TGIFImage::SaveToStream(TStream& Stream)
{
    const QString message = QStringLiteral("Saving...");
    Progress(this, psStarting, 0, false, {}, message);
    try {
        header_.SaveToStream(Stream);
        images_.SaveToStream(Stream);
        TGIFTrailer(this).SaveToStream(Stream);
    } catch (...) {
        Progress(this, psEnding, 0, false, {}, message);
        throw;
    }
    Progress(this, psEnding, 100, false, {}, message);
}

void TGIFImage::ReservePixelBytes(int64_t Delta)
{
    if (Delta > 0 && pixelBytes_ + Delta > PixelByteLimit)
        throw GIFException(gifmsg::TooLarge);
    pixelBytes_ += Delta;
}
