// The GIF animation painter: the run with its delays and loops, direct and composing paints, and
// starting, stopping and ending painters.
#include "imaging/gif_painter.h"

#include "imaging/gif_app_extensions.h"
#include "imaging/gif_extensions.h"
#include "platform/graphics/mul_div.h"
#include "platform/rtl/application.h"
#include "platform/rtl/events.h"

#include <QThread>
#include <chrono>
#include <climits>
#include <thread>

namespace {

// Delays count in units of 12 ms; a frame without a delay shows for 10 units, none for fewer than
// 3, and a painter without a thread waits at most 1000.
constexpr int DelayUnitMs = 12;
constexpr int DefaultDelay = 10;
constexpr int MinimumDelay = 3;
constexpr int MaximumUnthreadedDelay = 1000;
// The wait of a painter without a thread at a speed of 0 or below, and its longest single sleep.
constexpr int64_t StalledWaitMs = 12000;
constexpr uint32_t SleepStepMs = 100;

class SteadyClock final : public TAnimationClock {
public:
    uint32_t Now() override
    {
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count());
    }
    void Sleep(uint32_t Ms) override { QThread::msleep(Ms); }
    bool WaitForWake(TEvent& Wake, int64_t Ms) override
    {
        return Wake.WaitFor(long(std::min<int64_t>(Ms, LONG_MAX))) == wrSignaled;
    }
};

SteadyClock TheSteadyClock;
std::atomic<TAnimationClock*> TheClock = &TheSteadyClock;

} // namespace

TAnimationClock* SetAnimationClock(TAnimationClock* Clock)
{
    return TheClock.exchange(Clock ? Clock : &TheSteadyClock);
}

TGIFPainter* TGIFPainter::Start(TGIFImage* Image, TCanvas& Canvas, const QRect& Rect, TGIFDrawOptions Flags,
                                TGIFPainter** OwnerRef)
{
    if (!Image || Image->Empty() || Rect.isEmpty()) {
        if (OwnerRef)
            *OwnerRef = nullptr;
        return nullptr;
    }
    if (Image->Images().Count() == 1)
        Flags &= TGIFDrawOptions(~(gdThreaded | gdAnimate));
    auto* painter = new TGIFPainter(Image, Canvas, Rect, Flags, OwnerRef);
    if (OwnerRef)
        *OwnerRef = painter;
    Image->PainterLock().Enter();
    Image->Painters().push_back(painter);
    Image->PainterLock().Leave();
    painter->OnPaintStart = Image->OnPaintStart;
    painter->OnFramePaint = Image->OnFramePaint;
    painter->OnFramePainted = Image->OnFramePainted;
    painter->OnPassStart = Image->OnPassStart;
    painter->OnPaintEnd = Image->OnPaintEnd;

    if (painter->Threaded()) {
        painter->SetPriority(Image->PainterPriority);
        painter->FreeOnTerminate = true;
        painter->OnTerminate = [painter](TObject*) {
            // The painter leaves the image even when reporting its failure fails: it is freed next.
            struct Finish {
                TGIFPainter* painter;
                ~Finish() { painter->Done(); }
            } finish{painter};
            painter->ReportFailure();
        };
        return painter;
    }
    std::unique_ptr<TGIFPainter> owned(painter);
    painter->Run();
    painter->Done();
    const std::exception_ptr failure = painter->failure_;
    owned.reset();
    if (failure)
        std::rethrow_exception(failure);
    return nullptr;
}

TGIFPainter::TGIFPainter(TGIFImage* Image, TCanvas& Canvas, const QRect& Rect, TGIFDrawOptions Flags,
                         TGIFPainter** OwnerRef)
    : TThread(true), image_(Image), canvas_(&Canvas), canvasHandle_(Canvas.Handle()), rect_(Rect),
      flags_(Flags), speed_(Image->SpeedPercent), ownerRef_(OwnerRef)
{
    if (Image->BackColor != clNone)
        background_ = TColor(ColorToRGB(Image->BackColor));
    else if (Image->Header().ColorMap().Count() == 0)
        background_ = TColor(ColorToRGB(clWindow));
    else
        background_ = Image->BackgroundColor();

    bool restoresBackground = flags_ & gdClearEachPass;
    bool restoresPrevious = false;
    for (int i = 0; i < Image->Images().Count(); ++i)
        if (const TGIFGraphicControlExtension* control = Image->Images().Items(i)->GraphicControlExtension()) {
            restoresBackground |= control->Disposal() == dmBackground;
            restoresPrevious |= control->Disposal() == dmPrevious;
        }
    const QRect whole(0, 0, Rect.width(), Rect.height());
    const auto copyOfCanvas = [&] {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(Rect.width(), Rect.height());
        bitmap->Canvas().CopyRect(whole, Canvas, Rect);
        return bitmap;
    };
    if (restoresBackground && (flags_ & gdTransparent))
        savedBackground_ = copyOfCanvas();
    if (restoresBackground || restoresPrevious) {
        backgroundBitmap_ = copyOfCanvas();
        backgroundBitmap_->Canvas().BrushColor = background_;
        previousBitmap_ = std::make_unique<TBitmap>();
        previousBitmap_->SetSize(Rect.width(), Rect.height());
        previousBitmap_->Canvas().BrushColor = background_;
    }
}

TGIFPainter::~TGIFPainter()
{
    if (!Finished()) {
        Stop();
        WaitFor();
    }
}

void TGIFPainter::Stop()
{
    Terminate();
    if (Threaded()) {
        wake_.SetEvent();
        SetPriority(tpNormal);
        Resume();
    }
}

void TGIFPainter::ForgetImage()
{
    image_ = nullptr;
    ownerRef_ = nullptr;
    Stop();
}

void TGIFPainter::Execute()
{
    Run();
}

void TGIFPainter::Run()
{
    try {
        Animate();
    } catch (...) {
        Terminate();
        failure_ = std::current_exception();
    }
}

void TGIFPainter::Step(const std::function<void()>& step)
{
    const auto body = [&] {
        if (!image_)
            return;
        ++busy_;
        struct Leave {
            int& busy;
            ~Leave() { --busy; }
        } leave{busy_};
        step();
    };
    if (Threaded())
        TThread::Synchronize(body);
    else
        body();
}

void TGIFPainter::FireEvent(const TNotifyEvent& event)
{
    Step([&] { Fire(event, this); });
}

void TGIFPainter::Animate()
{
    TAnimationClock& clock = *TheClock.load();
    // The frame at ActiveImage while a step runs; none when it is gone or has no pixels.
    const auto activeFrame = [this]() -> TGIFSubImage* {
        TGIFImageList& frames = image_->Images();
        if (ActiveImage < 0 || ActiveImage >= frames.Count() || frames.Items(ActiveImage)->Empty())
            return nullptr;
        return frames.Items(ActiveImage);
    };

    ActiveImage = 0;
    FireEvent(OnPaintStart);
    drawn_ = false;
    int loopsLeft = 1;
    int loopStart = 0;
    bool loopSeen = false;
    int delay = Threaded() ? 0 : 1;
    previousDisposal_ = dmNoDisposal;
    uint32_t last = clock.Now();
    int64_t lastDelay = 0;
    const bool repeatForever = flags_ & gdRepeatForever;

    while ((loopsLeft != 0 || repeatForever) && !Terminated()) {
        ActiveImage = loopStart;
        if (drawn_)
            FireEvent(OnPassStart);
        // A pass that has no frame to show ends the run: the next would find none either.
        bool shown = false;
        for (;;) {
            bool present = false;
            Step([&] { present = activeFrame() != nullptr; });
            if (!present || Terminated())
                break;
            shown = true;

            if (delay > 0) {
                Step([&] {
                    if (TGIFSubImage* frame = activeFrame())
                        frame->GetBitmap();
                });
                const uint32_t now = clock.Now();
                int64_t wait;
                if (speed_ < 1) {
                    wait = Threaded() ? -1 : StalledWaitMs;
                } else {
                    const int64_t overshoot = (int64_t(int32_t(now - last)) - lastDelay) / 2;
                    wait = win::MulDiv(int(std::clamp<int64_t>(int64_t(delay) * DelayUnitMs - overshoot, INT_MIN,
                                                               INT_MAX)),
                                       100, speed_);
                    lastDelay = wait;
                }
                last = now;
                Wait(wait, last, lastDelay);
            } else {
                std::this_thread::yield();
            }
            if (Terminated())
                break;
            FireEvent(OnFramePaint);
            if (Terminated())
                break;

            int nextDelay = DefaultDelay;
            Step([&] {
                TGIFSubImage* frame = activeFrame();
                if (!frame)
                    return;
                disposal_ = dmNoDisposal;
                TGIFExtensionList& extensions = frame->Extensions();
                for (int i = 0; i < extensions.Count(); ++i) {
                    TGIFExtension* extension = extensions.Items(i);
                    if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension)) {
                        disposal_ = control->Disposal();
                    } else if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(extension); loop && !loopSeen) {
                        loopSeen = true;
                        loopsLeft = loop->Loops;
                        if (loop->Loops >= 1 && loop->Loops <= 65534)
                            ++loopsLeft;
                        if (loopsLeft == 0 || repeatForever) {
                            if (Threaded())
                                loopsLeft = -1;
                        }
                        loopStart = ActiveImage;
                    }
                }
                if (!Terminated())
                    Paint(frame);
                previousDisposal_ = disposal_;
                if (const TGIFGraphicControlExtension* control = frame->GraphicControlExtension();
                    control && control->Delay() != 0) {
                    nextDelay = std::max<int>(control->Delay(), MinimumDelay);
                    if (!Threaded())
                        nextDelay = std::min(nextDelay, MaximumUnthreadedDelay);
                }
            });
            delay = nextDelay;

            const int shown = ActiveImage;
            FireEvent(OnFramePainted);
            if (Terminated())
                break;
            if (ActiveImage == shown)
                ++ActiveImage;
            if (!(flags_ & gdAnimate))
                break;
        }
        if (!shown)
            break;
        if (loopsLeft > 0)
            --loopsLeft;
        if (!((flags_ & gdAnimate) && (flags_ & gdRepeat)))
            break;
    }
    ActiveImage = -1;
    FireEvent(OnPaintEnd);
}

void TGIFPainter::Wait(int64_t wait, uint32_t& last, int64_t& lastDelay)
{
    TAnimationClock& clock = *TheClock.load();
    if (Threaded()) {
        bool woken = false;
        if (wait >= 1)
            woken = clock.WaitForWake(wake_, wait);
        else if (speed_ == 0)
            woken = clock.WaitForWake(wake_, -1);
        if (woken) {
            lastDelay = 0;
            last = clock.Now();
        }
        return;
    }
    // Without a thread the wait sleeps in short steps and keeps the messages flowing.
    int64_t left = std::max<int64_t>(wait, 1);
    while (left > 0 && !Terminated()) {
        const uint32_t start = clock.Now();
        clock.Sleep(uint32_t(std::min<int64_t>(left, SleepStepMs)));
        left -= int64_t(clock.Now() - start);
        if (Application) {
            Application->ProcessMessages();
            if (Application->Terminated())
                Terminate();
        }
    }
}

void TGIFPainter::Paint(TGIFSubImage* frame)
{
    // A canvas that went away (or let go of its device) ends the painter.
    if (!CanvasAlive()) {
        Terminate();
        return;
    }
    if (backgroundBitmap_)
        ComposingPaint(frame);
    else
        DirectPaint(frame);
}

void TGIFPainter::DirectPaint(TGIFSubImage* frame)
{
    frame->Draw(*canvas_, rect_, flags_ & gdTransparent, flags_ & gdTile);
    drawn_ = true;
}

void TGIFPainter::ComposingPaint(TGIFSubImage* frame)
{
    const QRect whole(0, 0, rect_.width(), rect_.height());
    const bool transparent = flags_ & gdTransparent;
    const bool tile = flags_ & gdTile;
    if ((flags_ & gdClearEachPass) && ActiveImage == 0)
        RestoreFrameArea(frame);
    if (disposal_ == dmPrevious) {
        if (previousDisposal_ < dmBackground) {
            frame->Draw(*canvas_, rect_, transparent, tile);
        } else {
            previousBitmap_->Canvas().CopyRect(whole, backgroundBitmap_->Canvas(), whole);
            frame->Draw(previousBitmap_->Canvas(), whole, transparent, tile);
            canvas_->CopyRect(rect_, previousBitmap_->Canvas(), whole);
        }
    } else {
        frame->Draw(backgroundBitmap_->Canvas(), whole, transparent, tile);
        canvas_->CopyRect(rect_, backgroundBitmap_->Canvas(), whole);
        if (disposal_ == dmBackground)
            RestoreFrameArea(frame);
    }
    drawn_ = true;
}

QRect TGIFPainter::ScaledFrameRect(TGIFSubImage* frame) const
{
    const int screenWidth = image_->Width();
    const int screenHeight = image_->Height();
    if (screenWidth <= 0 || screenHeight <= 0)
        return QRect(0, 0, rect_.width(), rect_.height());
    const int left = win::MulDiv(frame->Left(), rect_.width(), screenWidth);
    const int top = win::MulDiv(frame->Top(), rect_.height(), screenHeight);
    const int right = win::MulDiv(frame->Left() + frame->Width(), rect_.width(), screenWidth);
    const int bottom = win::MulDiv(frame->Top() + frame->Height(), rect_.height(), screenHeight);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void TGIFPainter::RestoreFrameArea(TGIFSubImage* frame)
{
    const auto restore = [&](const QRect& area) {
        if ((flags_ & gdTransparent) && savedBackground_)
            backgroundBitmap_->Canvas().CopyRect(area, savedBackground_->Canvas(), area);
        else
            backgroundBitmap_->Canvas().FillRectWith(area, background_);
    };
    const int screenWidth = image_->Width();
    const int screenHeight = image_->Height();
    if ((flags_ & gdTile) && frame->Width() < screenWidth && frame->Height() < screenHeight) {
        for (int y = frame->Top(); y < rect_.height(); y += screenHeight)
            for (int x = frame->Left(); x < rect_.width(); x += screenWidth)
                restore(QRect(x, y, frame->Width(), frame->Height()));
        return;
    }
    restore(ScaledFrameRect(frame));
}

void TGIFPainter::ReportFailure()
{
    if (!failure_)
        return;
    try {
        std::rethrow_exception(failure_);
    } catch (...) {
        WithCaughtException([this](Exception& E) {
            if (image_ && image_->OnGIFWarning)
                image_->Warning(this, gsError, E.Message);
            else
                TApplication::ReportException(E);
        });
    }
}

void TGIFPainter::Done()
{
    if (done_)
        return;
    done_ = true;
    if (image_) {
        image_->PainterLock().Enter();
        if (ownerRef_ && *ownerRef_ == this)
            *ownerRef_ = nullptr;
        std::vector<TGIFPainter*>& painters = image_->Painters();
        painters.erase(std::remove(painters.begin(), painters.end(), this), painters.end());
        image_->PainterLock().Leave();
    }
    image_ = nullptr;
    ownerRef_ = nullptr;
    backgroundBitmap_.reset();
    previousBitmap_.reset();
    savedBackground_.reset();
}
