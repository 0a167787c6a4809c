// TGIFPainter: plays a GIF animation onto a canvas: frame delays, loops, disposal back buffers and
// the image's paint events; threaded or inside Draw. TAnimationClock: the clock and waits it uses.
#pragma once

#include "imaging/gif_image.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/threads/sync_objects.h"
#include "platform/threads/thread.h"

#include <QRect>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>

// The painters' clock in milliseconds and their two kinds of waiting; tests put in their own.
class TAnimationClock {
public:
    virtual ~TAnimationClock() = default;
    virtual uint32_t Now() = 0;
    // The non-threaded wait: sleeps about Ms milliseconds.
    virtual void Sleep(uint32_t Ms) = 0;
    // The threaded wait: waits on Wake for Ms milliseconds (negative: without end); true when the
    // event ended the wait.
    virtual bool WaitForWake(TEvent& Wake, int64_t Ms) = 0;
};

// The clock in use (a steady clock by default); returns the one it replaces. Set it only while no
// painter runs.
TAnimationClock* SetAnimationClock(TAnimationClock* Clock);

class TGIFPainter final : public TThread {
public:
    // Starts painting Image on Canvas in Rect with Flags. Nothing is made for an empty image or a
    // rectangle without area (OwnerRef is then cleared). A one-frame image is painted without a
    // thread and without animation. The painter stores itself in OwnerRef (when given), joins the
    // image's painters and takes its events. A threaded painter is returned suspended (Resume
    // starts it); otherwise the animation runs at once, the painter frees itself, none is returned,
    // and a failure of the run passes on from here.
    static TGIFPainter* Start(TGIFImage* Image, TCanvas& Canvas, const QRect& Rect, TGIFDrawOptions Flags,
                              TGIFPainter** OwnerRef);
    ~TGIFPainter() override;

    // Ends the run at its next check: terminates, wakes a waiting thread and lets a suspended one
    // start so that it can end.
    void Stop();

    bool Threaded() const { return flags_ & gdThreaded; }
    TGIFDrawOptions Flags() const { return flags_; }
    // Whether a frame has been painted.
    bool Drawn() const { return drawn_; }
    // Whether this painter paints on Canvas in Rect.
    bool PaintsOn(const TCanvas& Canvas, const QRect& Rect) const { return canvas_ == &Canvas && rect_ == Rect; }
    // True while one of its steps runs on the GUI thread (its events among them).
    bool Busy() const { return busy_ > 0; }
    // The image, or none once the image is gone.
    TGIFImage* Image() const { return image_; }
    // Lets go of the image: the run ends at its next step and never touches the image again.
    void ForgetImage();

    // The frame being shown (-1 outside a run). An OnFramePainted handler may set it to continue
    // from another frame.
    int ActiveImage = -1;

    TNotifyEvent OnPaintStart;
    TNotifyEvent OnFramePaint;
    TNotifyEvent OnFramePainted;
    TNotifyEvent OnPassStart;
    TNotifyEvent OnPaintEnd;

protected:
    void Execute() override;

private:
    TGIFPainter(TGIFImage* Image, TCanvas& Canvas, const QRect& Rect, TGIFDrawOptions Flags,
                TGIFPainter** OwnerRef);

    // The run, keeping a failure.
    void Run();
    void Animate();
    // Runs step on the GUI thread (directly when not threaded), marked busy.
    void Step(const std::function<void()>& step);
    // Fires an event of the painter on the GUI thread.
    void FireEvent(const TNotifyEvent& event);
    // Waits Ms milliseconds as the painter's kind waits; false when the wait was cut short.
    void Wait(int64_t wait, uint32_t& last, int64_t& lastDelay);
    bool CanvasAlive() const { return !canvasHandle_.expired(); }
    void Paint(TGIFSubImage* frame);
    void DirectPaint(TGIFSubImage* frame);
    void ComposingPaint(TGIFSubImage* frame);
    void RestoreFrameArea(TGIFSubImage* frame);
    // The frame's rectangle scaled into the painter's rectangle, relative to its top-left corner.
    QRect ScaledFrameRect(TGIFSubImage* frame) const;
    // The end of the run: leaves the image and frees the back buffers.
    void Done();
    // Reports a kept failure of a threaded run on the GUI thread.
    void ReportFailure();

    TGIFImage* image_;
    TCanvas* canvas_;
    std::weak_ptr<const void> canvasHandle_;
    QRect rect_;
    TGIFDrawOptions flags_;
    int speed_;
    TColor background_ = clBlack;
    uint8_t disposal_ = 1;
    uint8_t previousDisposal_ = 1;
    std::unique_ptr<TBitmap> backgroundBitmap_;
    std::unique_ptr<TBitmap> previousBitmap_;
    std::unique_ptr<TBitmap> savedBackground_;
    std::atomic<bool> drawn_ = false;
    TGIFPainter** ownerRef_;
    TEvent wake_{false, false};
    std::exception_ptr failure_;
    int busy_ = 0;
    bool done_ = false;
};
