// The GIF picture class: loading, saving, palettes, the cache bitmap, drawing and its painters,
// copying and the clipboard.
#include "imaging/gif_image.h"

#include "imaging/dib.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_painter.h"
#include "imaging/gif_picture_registration.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/clipboard.h"
#include "platform/graphics/mul_div.h"
#include "platform/rtl/events.h"

#include <atomic>

namespace {

std::atomic<bool> ThePaletteDisplay = false;

const QString NoColorTable = QStringLiteral("No global or local color table defined");

// Clears a flag on every way out, unless its owner is gone.
class FlagScope {
public:
    FlagScope(bool& flag, std::shared_ptr<bool> alive) : flag_(flag), alive_(std::move(alive)) { flag_ = true; }
    ~FlagScope()
    {
        if (*alive_)
            flag_ = false;
    }

private:
    bool& flag_;
    std::shared_ptr<bool> alive_;
};

} // namespace

bool PaletteDisplay()
{
    return ThePaletteDisplay;
}

void SetPaletteDisplay(bool Value)
{
    ThePaletteDisplay = Value;
}

TGIFImage::TGIFImage() : header_(this), images_(this)
{
    Clear();
}

TGIFImage::~TGIFImage()
{
    StopPainters();
    {
        painterLock_->Enter();
        for (TGIFPainter* painter : painters_)
            painter->ForgetImage();
        painters_.clear();
        DrawPainter = nullptr;
        painterLock_->Leave();
    }
    *alive_ = false;
    bitmap_.reset();
    images_.Clear();
}

void TGIFImage::Warning(TObject* Sender, TGIFSeverity Severity, const QString& Message)
{
    Fire(OnGIFWarning, Sender, Severity, Message);
}

bool TGIFImage::WebPaletteInUse() const
{
    return (DrawFlags & gdWebPalette) && (!(DrawFlags & gdWebPaletteLowColour) || PaletteDisplay());
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

TColor TGIFImage::BackgroundColor()
{
    const TGIFColor color = header_.ColorMap().Color(header_.BackgroundColorIndex());
    return TColor(win::RGB(color.Red, color.Green, color.Blue));
}

void TGIFImage::Clear()
{
    StopPainters();
    StopDrawPainter();
    FreeBitmap();
    images_.Clear();
    header_.ColorMap().Clear();
    header_.SetWidth(0);
    header_.SetHeight(0);
    header_.UpdateFlags();
    SetPalette({});
}

void TGIFImage::SetScreenSize(int Value, bool width)
{
    for (int i = 0; i < images_.Count(); ++i) {
        const TGIFSubImage* frame = images_.Items(i);
        if (width ? frame->Left() + frame->Width() > Value : frame->Top() + frame->Height() > Value)
            throw GIFException(width ? gifmsg::WidthTooSmall : gifmsg::HeightTooSmall);
    }
    if (Value == (width ? Width() : Height()))
        return;
    StopPainters();
    const auto value = uint16_t(std::clamp(Value, 0, 0xFFFF));
    if (width)
        header_.SetWidth(value);
    else
        header_.SetHeight(value);
    FreeBitmap();
    Changed(this);
}

void TGIFImage::SetWidth(int Value)
{
    SetScreenSize(Value, true);
}

void TGIFImage::SetHeight(int Value)
{
    SetScreenSize(Value, false);
}

win::Palette TGIFImage::GetPalette()
{
    if (paletteQuery_)
        throw GIFException(NoColorTable);
    FlagScope query(paletteQuery_, alive_);
    if (bitmap_ && !bitmap_->Palette().IsEmpty())
        return bitmap_->Palette();
    if (!palette_.IsEmpty())
        return palette_;
    if (WebPaletteInUse()) {
        palette_ = WebPalette();
        return palette_;
    }
    if (header_.ColorMap().Count() > 0) {
        palette_ = header_.ColorMap().MakePaletteHandle();
        return palette_;
    }
    if (images_.Count() > 0)
        return images_.Items(0)->GetPalette();
    return {};
}

void TGIFImage::SetPalette(const win::Palette& Value)
{
    if (Value == palette_)
        return;
    palette_ = Value;
    if (bitmap_ && bitmap_->Palette() != Value) {
        FreeBitmap();
        PaletteModified = true;
        Changed(this);
    }
}

TBitmap* TGIFImage::Bitmap()
{
    if (bitmap_ || Empty())
        return bitmap_.get();
    auto bitmap = std::make_unique<TBitmap>();
    TGIFSubImage* first = images_.Items(0);
    if (first->Left() == 0 && first->Top() == 0 && first->Width() == Width() && first->Height() == Height()) {
        if (TBitmap* rendered = first->GetBitmap())
            bitmap->Assign(*rendered);
    } else {
        bitmap = NewScreenBitmap();
        first->Draw(bitmap->Canvas(), QRect(0, 0, Width(), Height()), false, false);
    }
    bitmap_ = std::move(bitmap);
    return bitmap_.get();
}

std::unique_ptr<TBitmap> TGIFImage::NewScreenBitmap()
{
    if (int64_t(Width()) * Height() > PixelByteLimit)
        throw GIFException(gifmsg::TooLarge);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPalette(GetPalette());
    bitmap->SetSize(Width(), Height());
    return bitmap;
}

void TGIFImage::FreeBitmap()
{
    bitmap_.reset();
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

void TGIFImage::LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData, const win::Palette&)
{
    const TClipboardData data = AData.IsEmpty() ? Clipboard().GetAsHandle(AFormat) : AData;
    if (AFormat == GIFClipboardFormat() && !data.Bytes.isEmpty()) {
        TMemoryStream stream;
        stream.WriteBuffer(data.Bytes.constData(), data.Bytes.size());
        stream.SetPosition(0);
        LoadFromStream(stream);
        return;
    }
    if (AFormat == win::CF_BITMAP && !data.Picture.isNull()) {
        TBitmap bitmap;
        bitmap.AssignImage(data.Picture);
        Assign(&bitmap);
        return;
    }
    throw GIFException(QStringLiteral("Unsupported clipboard format"));
}

void TGIFImage::SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette)
{
    if (Empty())
        return;
    Bitmap()->SaveToClipboardFormat(AFormat, AData, APalette);
    TMemoryStream stream;
    SaveToStream(stream);
    TClipboardData file;
    file.Bytes = QByteArray(stream.Memory(), qsizetype(stream.Size()));
    if (!Clipboard().SetAsHandle(GIFClipboardFormat(), file))
        throw GIFException(QStringLiteral("Failed to store GIF on clipboard"));
}

void TGIFImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        return;
    }
    auto* gif = dynamic_cast<TGIFImage*>(Source);
    if (!gif) {
        Clear();
        auto frame = std::make_unique<TGIFSubImage>(this);
        frame->Assign(Source);
        images_.Add(std::move(frame));
        FreeBitmap();
        Changed(this);
        return;
    }

    Clear();
    // The copy reports through the source's handlers while it is made.
    OnProgress = gif->OnProgress;
    OnGIFWarning = gif->OnGIFWarning;
    const QString message = QStringLiteral("Copying...");
    const auto forgetHandlers = [this] {
        OnProgress = {};
        OnGIFWarning = {};
    };
    Progress(this, psStarting, 0, false, {}, message);
    try {
        header_.Assign(gif->header_);
        PainterPriority = gif->PainterPriority;
        BackColor = gif->BackColor;
        DrawFlags = gif->DrawFlags;
        ReductionMethod = gif->ReductionMethod;
        DitherMethod = gif->DitherMethod;
        const int count = gif->images_.Count();
        for (int i = 0; i < count; ++i) {
            auto frame = std::make_unique<TGIFSubImage>(this);
            frame->Assign(gif->images_.Items(i));
            images_.Add(std::move(frame));
            Progress(this, psRunning, uint8_t(win::MulDiv(i + 1, 100, count)), false, {}, message);
        }
    } catch (...) {
        Progress(this, psEnding, 0, false, {}, message);
        forgetHandlers();
        throw;
    }
    Progress(this, psEnding, 100, false, {}, message);
    forgetHandlers();
    Changed(this);
}

void TGIFImage::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        if (TBitmap* cache = Bitmap())
            bitmap->Assign(*cache);
        else
            bitmap->SetSize(0, 0);
        return;
    }
    TGraphic::AssignTo(Dest);
}

int TGIFImage::AddFrame(TPersistent* Source)
{
    if (!dynamic_cast<TGraphic*>(Source) && !dynamic_cast<TGIFSubImage*>(Source))
        throw GIFException(QStringLiteral("Object type not supported for operation"));
    auto frame = std::make_unique<TGIFSubImage>(this);
    frame->Assign(Source);
    return AddFrame(std::move(frame));
}

int TGIFImage::AddFrame(std::unique_ptr<TGIFSubImage> Frame)
{
    const int index = images_.Add(std::move(Frame));
    FreeBitmap();
    Changed(this);
    return index;
}

void TGIFImage::DrawCache(TCanvas& ACanvas, const QRect& Rect)
{
    TBitmap* cache = bitmap_.get();
    if (!cache || cache->Empty())
        return;
    const QImage image = cache->ToImage();
    if (!(DrawFlags & gdTile)) {
        ACanvas.DrawImage(Rect, image, image.rect());
        return;
    }
    for (int y = Rect.top(); y < Rect.top() + Rect.height(); y += image.height())
        for (int x = Rect.left(); x < Rect.left() + Rect.width(); x += image.width())
            ACanvas.DrawImage(QRect(x, y, image.width(), image.height()), image, image.rect());
}

void TGIFImage::Draw(TCanvas& ACanvas, const QRect& Rect)
{
    if (drawing_ || Empty())
        return;
    const std::shared_ptr<bool> alive = alive_;
    FlagScope drawing(drawing_, alive);

    if (images_.Count() == 1 || !(DrawFlags & gdAnimate)) {
        images_.Items(0)->Draw(ACanvas, Rect, DrawFlags & gdTransparent, DrawFlags & gdTile);
        return;
    }
    if (bitmap_ && !(DrawFlags & gdPaintOnTarget)) {
        DrawCache(ACanvas, Rect);
        return;
    }

    const std::shared_ptr<TCriticalSection> lock = painterLock_;
    const std::lock_guard guard(*lock);
    if (DrawPainter && DrawPainter->PaintsOn(ACanvas, Rect))
        return;
    StopDrawPainter();
    if (!*alive)
        return;

    TCanvas* target = &ACanvas;
    QRect targetRect = Rect;
    if (!(DrawFlags & gdPaintOnTarget)) {
        auto cache = NewScreenBitmap();
        if (cache->Empty())
            return;
        cache->Canvas().CopyRect(QRect(0, 0, Width(), Height()), ACanvas, Rect);
        bitmap_ = std::move(cache);
        target = &bitmap_->Canvas();
        targetRect = QRect(0, 0, Width(), Height());
    }

    TGIFPainter* painter = TGIFPainter::Start(this, *target, targetRect, DrawFlags, &DrawPainter);
    if (!*alive)
        return;
    if (painter && painter->Threaded()) {
        painter->Resume();
        if (!(DrawFlags & gdPaintOnTarget)) {
            // The first frame shows before Draw returns; the painter's steps run here meanwhile.
            while (*alive && DrawPainter == painter && !painter->Drawn() && !painter->Terminated())
                CheckSynchronize(50);
        }
    }
    if (*alive && !(DrawFlags & gdPaintOnTarget))
        DrawCache(ACanvas, Rect);
}

void TGIFImage::StopDrawPainter()
{
    const std::shared_ptr<bool> alive = alive_;
    painterLock_->Enter();
    TGIFPainter* painter = DrawPainter;
    if (painter) {
        painter->Stop();
        painterLock_->Leave();
        if (painter->Threaded())
            WaitForPainters([painter](TGIFPainter* p) { return p == painter; });
    } else {
        painterLock_->Leave();
    }
    if (*alive)
        FreeBitmap();
}

void TGIFImage::StopPainters()
{
    const std::shared_ptr<bool> alive = alive_;
    painterLock_->Enter();
    for (TGIFPainter* painter : painters_)
        painter->Stop();
    painterLock_->Leave();
    WaitForPainters([](TGIFPainter*) { return true; });
    if (*alive)
        FreeBitmap();
}

void TGIFImage::WaitForPainters(const std::function<bool(TGIFPainter*)>& waitFor)
{
    const std::shared_ptr<bool> alive = alive_;
    for (;;) {
        // A step run below may free the image.
        if (!*alive)
            return;
        bool waiting = false;
        painterLock_->Enter();
        for (size_t i = 0; i < painters_.size();) {
            TGIFPainter* painter = painters_[i];
            if (!painter->Threaded() || !waitFor(painter)) {
                ++i;
                continue;
            }
            if (painter->Busy()) {
                // Its step is on this thread's stack (a handler of its event is stopping it): it
                // cannot end before we return, so it lets go of the image instead.
                painter->ForgetImage();
                if (DrawPainter == painter)
                    DrawPainter = nullptr;
                painters_.erase(painters_.begin() + std::ptrdiff_t(i));
                continue;
            }
            waiting = true;
            ++i;
        }
        painterLock_->Leave();
        if (!waiting)
            return;
        // A stopped painter ends within one of its steps, which run here.
        CheckSynchronize(50);
    }
}
