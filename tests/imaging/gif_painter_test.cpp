// The GIF animation painter on a clock that moves only when it waits: delays, speed, loops, the
// frame redirect, disposal, and threaded painters being stopped and their images destroyed.
#include "gif_drawing_support.h"
#include "gif_test_support.h"
#include "imaging/gif_exception.h"
#include "imaging/gif_image.h"
#include "imaging/gif_painter.h"
#include "platform/rtl/application.h"
#include "support/pump.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

namespace {

// Plays the image on a canvas over Target without a thread and keeps, per painted frame, the
// clock's time and the active frame.
struct Play {
    std::vector<uint32_t> times;
    std::vector<int> frames;
    int passes = 0;
    bool ended = false;
};

Play PlayUnthreaded(TGIFImage& image, FakeClock& clock, QImage& target, TGIFDrawOptions flags,
                    const std::function<void(TGIFPainter*, Play&)>& afterFrame = {})
{
    Play play;
    image.DrawFlags = flags | gdPaintOnTarget;
    image.OnPassStart = [&](TObject*) { ++play.passes; };
    image.OnPaintEnd = [&](TObject*) { play.ended = true; };
    image.OnFramePainted = [&](TObject* sender) {
        auto* painter = static_cast<TGIFPainter*>(sender);
        play.times.push_back(clock.Now());
        play.frames.push_back(painter->ActiveImage);
        if (afterFrame)
            afterFrame(painter, play);
    };
    TCanvas canvas(&target);
    image.Draw(canvas, target.rect());
    return play;
}

std::vector<uint32_t> Gaps(const std::vector<uint32_t>& times)
{
    std::vector<uint32_t> gaps;
    for (size_t i = 1; i < times.size(); ++i)
        gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}

// A frame's delay decides the wait before the next frame, in units of 12 ms scaled by the speed.
TEST(GIFPainter, DelaysInUnitsOfTwelveMilliseconds)
{
    struct Case {
        int delay; // -1: no graphic control extension
        int speed;
        bool threaded;
        int64_t wait;
    };
    const Case cases[] = {
        {-1, 100, false, 120}, {0, 100, false, 120},   {1, 100, false, 36},      {2, 100, false, 36},
        {3, 100, false, 36},   {25, 100, false, 300},  {5000, 100, false, 12000}, {10, 200, false, 60},
        {10, 50, false, 240},  {0, 0, false, 12000},   {-1, 100, true, 120},     {2, 100, true, 36},
        {5000, 100, true, 60000}, {10, 200, true, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "delay " << c.delay << " speed " << c.speed << " threaded " << c.threaded);
        FakeClockScope scope;
        TGIFImage image;
        FrameSpec first{0, 0, 2, 2, {}};
        if (c.delay >= 0) {
            first.disposal = 1;
            first.delay = c.delay;
        }
        BuildAnimation(image, 2, 2, {first, {0, 0, 2, 2, {}, -1, 0, -1, 2}});
        image.SpeedPercent = c.speed;
        QImage target(2, 2, QImage::Format_RGB32);
        if (!c.threaded) {
            const Play play = PlayUnthreaded(image, scope.clock, target, gdAnimate);
            ASSERT_EQ(play.times.size(), 2u);
            EXPECT_EQ(int64_t(play.times[1] - play.times[0]), c.wait);
            continue;
        }
        image.DrawFlags = gdThreaded | gdAnimate | gdPaintOnTarget;
        std::atomic<bool> ended = false;
        image.OnPaintEnd = [&](TObject*) { ended = true; };
        TCanvas canvas(&target);
        image.Draw(canvas, target.rect());
        ASSERT_TRUE(pumpUntil([&] { return ended.load(); }));
        ASSERT_TRUE(pumpUntil([&] { return image.Painters().empty(); }));
        // A threaded run waits nothing before frame 0.
        EXPECT_EQ(scope.clock.WakeWaits(), std::vector<int64_t>{c.wait});
    }
}

// The overshoot of a wait, halved, comes off the next one.
TEST(GIFPainter, OvershootIsTakenOffTheNextWait)
{
    struct LateClock : FakeClock {
        void Sleep(uint32_t Ms) override { FakeClock::Sleep(Ms + 10); }
    };
    LateClock clock;
    TAnimationClock* previous = SetAnimationClock(&clock);
    TGIFImage image;
    BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}, 1, 5}, {0, 0, 1, 1, {}, 1, 5}, {0, 0, 1, 1, {}, 1, 5}});
    QImage target(1, 1, QImage::Format_RGB32);
    const Play play = PlayUnthreaded(image, clock, target, gdAnimate);
    SetAnimationClock(previous);
    // Waits of 60 ms overshoot by 10 each: the next wait asks 60 - 5 and really takes 55 + 10.
    EXPECT_EQ(Gaps(play.times), (std::vector<uint32_t>{65, 65}));
}

TEST(GIFPainter, LoopCounts)
{
    struct Case {
        int loops; // -1: no loop extension
        TGIFDrawOptions flags;
        int passes;
    };
    const Case cases[] = {
        {2, gdAnimate | gdRepeat, 3},  {1, gdAnimate | gdRepeat, 2},       {65535, gdAnimate, 1},
        {0, gdAnimate | gdRepeat, 1},  {-1, gdAnimate | gdRepeat, 1},      {2, gdAnimate, 1},
        {0, gdAnimate | gdRepeat | gdRepeatForever, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "loops " << c.loops << " flags " << c.flags);
        FakeClockScope scope;
        TGIFImage image;
        BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}}, {0, 0, 1, 1, {}}}, c.loops);
        QImage target(1, 1, QImage::Format_RGB32);
        const Play play = PlayUnthreaded(image, scope.clock, target, c.flags, [](TGIFPainter* painter, Play& p) {
            if (p.frames.size() == 10) // endless: stop after five passes
                painter->Stop();
        });
        EXPECT_EQ(int(play.frames.size()), 2 * c.passes);
        EXPECT_EQ(play.passes, c.passes - 1);
        EXPECT_TRUE(play.ended);
    }

    // Threaded, a loop count of 0 plays without end.
    TGIFImage image;
    BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}, 1, 1}, {0, 0, 1, 1, {}, 1, 1}}, 0);
    image.DrawFlags = gdThreaded | gdAnimate | gdRepeat | gdPaintOnTarget;
    std::atomic<int> passes = 0;
    image.OnPassStart = [&](TObject*) { ++passes; };
    QImage target(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&target);
    image.Draw(canvas, target.rect());
    EXPECT_TRUE(pumpUntil([&] { return passes >= 3; }));
    image.StopPainters();
    EXPECT_TRUE(image.Painters().empty());
}

// A handler of OnFramePainted that sets the active frame makes the painter go on from there.
TEST(GIFPainter, FramePaintedHandlerRedirects)
{
    FakeClockScope scope;
    TGIFImage image;
    BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}}, {0, 0, 1, 1, {}}, {0, 0, 1, 1, {}}});
    QImage target(1, 1, QImage::Format_RGB32);
    bool redirected = false;
    const Play play = PlayUnthreaded(image, scope.clock, target, gdAnimate, [&](TGIFPainter* painter, Play&) {
        if (painter->ActiveImage == 1 && !redirected) {
            redirected = true;
            painter->ActiveImage = 0;
        }
    });
    EXPECT_EQ(play.frames, (std::vector<int>{0, 1, 0, 1, 2}));
}

// A pass that finds no frame to show ends the run rather than starting the next pass at once:
// a first frame without pixels, or frames taken away while the animation repeats without end.
TEST(GIFPainter, APassWithoutFramesEndsTheRun)
{
    for (bool threaded : {false, true})
        for (bool removed : {false, true}) {
            SCOPED_TRACE(testing::Message() << "threaded " << threaded << " removed " << removed);
            FakeClockScope scope;
            TGIFImage image;
            BuildAnimation(image, 1, 1, {{0, 0, removed ? 1 : 0, removed ? 1 : 0, {}}, {0, 0, 1, 1, {}}}, 0);
            image.DrawFlags =
                (threaded ? gdThreaded : 0) | gdAnimate | gdRepeat | gdRepeatForever | gdPaintOnTarget;
            std::atomic<int> passes = 0;
            std::atomic<bool> ended = false;
            image.OnFramePainted = [&](TObject*) {
                if (removed)
                    image.Images().Clear();
            };
            image.OnPassStart = [&](TObject* sender) {
                if (++passes == 20) // the run would not end: stop it
                    static_cast<TGIFPainter*>(sender)->Stop();
            };
            image.OnPaintEnd = [&](TObject*) { ended = true; };
            QImage target(1, 1, QImage::Format_RGB32);
            TCanvas canvas(&target);
            image.Draw(canvas, target.rect());
            EXPECT_TRUE(pumpUntil([&] { return ended.load(); }));
            EXPECT_LE(passes, 1);
            image.StopPainters();
        }
}

// Disposal 3 after disposal 1 draws the frame straight onto the canvas; the composed picture
// keeps what it had, so the frame is gone when the next frame shows.
TEST(GIFPainter, RestoreToPreviousAfterKeep)
{
    FakeClockScope scope;
    TGIFImage image;
    BuildAnimation(image, 4, 1,
                   {{0, 0, 4, 1, {}, 1, 0, -1, 1}, {1, 0, 2, 1, {}, 3, 0, -1, 2}, {3, 0, 1, 1, {}, 1, 0, -1, 3}});
    image.DrawFlags = gdAnimate | gdPaintOnTarget | gdTransparent;
    QImage target(4, 1, QImage::Format_RGB32);
    target.fill(Qt::black);
    RecordingCanvas canvas(&target);
    std::vector<std::vector<QRgb>> shown;
    image.OnFramePainted = [&](TObject*) { shown.push_back(RgbOf(target)); };
    image.Draw(canvas, target.rect());
    const QRgb red = Palette8(1) & 0xFFFFFF, green = Palette8(2) & 0xFFFFFF, blue = Palette8(3) & 0xFFFFFF;
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], (std::vector<QRgb>{red, red, red, red}));
    EXPECT_EQ(shown[1], (std::vector<QRgb>{red, green, green, red}));
    EXPECT_EQ(shown[2], (std::vector<QRgb>{red, red, red, blue}));
    // Frame 1 went to the canvas at its own place; the others as copies of the whole picture.
    EXPECT_EQ(canvas.Draws, (std::vector<QRect>{QRect(0, 0, 4, 1), QRect(1, 0, 2, 1), QRect(0, 0, 4, 1)}));
}

// Disposal 2 restores the frame's area to BackColor, or, drawing transparently, to what the canvas
// showed before the animation.
TEST(GIFPainter, RestoreToBackground)
{
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        FakeClockScope scope;
        TGIFImage image;
        BuildAnimation(image, 3, 1, {{1, 0, 2, 1, {}, 2, 0, -1, 1}, {0, 0, 1, 1, {}, 1, 0, -1, 3}});
        image.BackColor = TColor(win::RGB(0, 255, 0));
        image.DrawFlags = gdAnimate | gdPaintOnTarget | (transparent ? gdTransparent : 0);
        QImage target(3, 1, QImage::Format_RGB32);
        target.fill(qRgb(9, 9, 9));
        TCanvas canvas(&target);
        std::vector<std::vector<QRgb>> shown;
        image.OnFramePainted = [&](TObject*) { shown.push_back(RgbOf(target)); };
        image.Draw(canvas, target.rect());
        const QRgb before = transparent ? qRgb(9, 9, 9) & 0xFFFFFF : qRgb(0, 255, 0) & 0xFFFFFF;
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0], (std::vector<QRgb>{qRgb(9, 9, 9) & 0xFFFFFF, Palette8(1) & 0xFFFFFF,
                                               Palette8(1) & 0xFFFFFF}));
        EXPECT_EQ(shown[1], (std::vector<QRgb>{Palette8(3) & 0xFFFFFF, before, before}));
    }
}

// A threaded painter stopped during a long wait ends at once; at speed 0 it waits until woken.
TEST(GIFPainter, ThreadedStopCutsWaitsShort)
{
    for (int speed : {100, 0}) {
        SCOPED_TRACE(speed);
        TGIFImage image;
        BuildAnimation(image, 2, 1, {{0, 0, 2, 1, {}, 1, 50000}, {0, 0, 2, 1, {}, 1, 50000}});
        image.SpeedPercent = speed;
        image.DrawFlags = gdThreaded | gdAnimate | gdPaintOnTarget;
        std::atomic<int> painted = 0;
        image.OnFramePainted = [&](TObject*) { ++painted; };
        QImage target(2, 1, QImage::Format_RGB32);
        TCanvas canvas(&target);
        image.Draw(canvas, target.rect());
        ASSERT_TRUE(pumpUntil([&] { return painted == 1; }));
        QElapsedTimer timer;
        timer.start();
        image.StopPainters();
        EXPECT_LT(timer.elapsed(), 5000);
        EXPECT_TRUE(image.Painters().empty());
        EXPECT_EQ(painted, 1);
    }
}

// Without gdPaintOnTarget a threaded Draw returns once the first frame is in the cache bitmap and
// copies it; later Draws copy the cache.
TEST(GIFPainter, ThreadedDrawThroughTheCache)
{
    TGIFImage image;
    BuildAnimation(image, 2, 1, {{0, 0, 2, 1, {}, 1, 50000, -1, 4}, {0, 0, 2, 1, {}, 1, 1, -1, 5}});
    QImage target(4, 2, QImage::Format_RGB32);
    target.fill(Qt::black);
    RecordingCanvas canvas(&target);
    image.Draw(canvas, target.rect());
    EXPECT_EQ(RgbOf(target), std::vector<QRgb>(8, Palette8(4) & 0xFFFFFF));
    ASSERT_NE(image.DrawPainter, nullptr);
    image.Draw(canvas, target.rect());
    EXPECT_EQ(canvas.Draws.size(), 2u);
    image.StopPainters();
    EXPECT_EQ(image.DrawPainter, nullptr);
    EXPECT_EQ(image.Bitmap()->Width(), 2); // made again from frame 0
}

// Destroying an image while it animates, from outside or from its own handlers, threaded or not.
TEST(GIFPainter, DestroyingTheImageDuringAnimation)
{
    enum Where { Outside, InThreadedHandler, InUnthreadedHandler, InUnthreadedWait };
    for (Where where : {Outside, InThreadedHandler, InUnthreadedHandler, InUnthreadedWait}) {
        SCOPED_TRACE(int(where));
        FakeClockScope scope;
        auto image = std::make_unique<TGIFImage>();
        BuildAnimation(*image, 2, 1, {{0, 0, 2, 1, {}, 2, 1, -1, 1}, {0, 0, 2, 1, {}, 3, 1, -1, 2}}, 0);
        const bool threaded = where == Outside || where == InThreadedHandler;
        image->DrawFlags =
            (threaded ? gdThreaded : 0) | gdAnimate | gdRepeat | gdRepeatForever | gdPaintOnTarget | gdTransparent;
        std::atomic<int> painted = 0;
        image->OnFramePainted = [&](TObject*) {
            if (++painted == 3 && (where == InThreadedHandler || where == InUnthreadedHandler))
                image.reset();
        };
        QImage target(2, 1, QImage::Format_RGB32);
        TCanvas canvas(&target);
        if (where == InUnthreadedWait)
            QTimer::singleShot(0, [&] { image.reset(); });
        image->Draw(canvas, target.rect());
        if (where == Outside) {
            ASSERT_TRUE(pumpUntil([&] { return painted >= 3; }));
            image.reset();
        }
        ASSERT_TRUE(pumpUntil([&] { return !image; }));
        const int final = painted;
        target.fill(Qt::black);
        // Nothing paints any more once the image is gone.
        pumpUntil([] { return false; }, 50);
        EXPECT_EQ(painted, final);
        EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    }
}

// A failure inside a run passes out of Draw without a thread, and is reported through
// OnGIFWarning on the GUI thread with one.
TEST(GIFPainter, FailuresAreReported)
{
    FakeClockScope scope;
    TGIFImage image;
    BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}}, {0, 0, 1, 1, {}}});
    image.OnFramePaint = [](TObject*) { throw GIFException(QStringLiteral("boom")); };
    QImage target(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&target);
    image.DrawFlags = gdAnimate | gdPaintOnTarget;
    EXPECT_THROW(image.Draw(canvas, target.rect()), GIFException);
    EXPECT_TRUE(image.Painters().empty());

    image.DrawFlags = gdThreaded | gdAnimate | gdPaintOnTarget;
    QStringList warnings;
    const Qt::HANDLE gui = QThread::currentThreadId();
    image.OnGIFWarning = [&](TObject*, TGIFSeverity severity, const QString& message) {
        EXPECT_EQ(QThread::currentThreadId(), gui);
        EXPECT_EQ(severity, gsError);
        warnings << message;
    };
    image.Draw(canvas, target.rect());
    ASSERT_TRUE(pumpUntil([&] { return image.Painters().empty(); }));
    EXPECT_EQ(warnings, QStringList{QStringLiteral("boom")});
}

// A warning handler that throws while a threaded run's failure is reported: the failure reaches the
// application, and the painter still leaves the image before it is freed.
TEST(GIFPainter, ThrowingWarningHandlerStillEndsThePainter)
{
    QStringList prompts;
    const TApplication::ExceptionPrompt previous =
        TApplication::SetExceptionPrompt([&](const QString& message) { prompts << message; });
    {
        TGIFImage image;
        BuildAnimation(image, 1, 1, {{0, 0, 1, 1, {}}, {0, 0, 1, 1, {}}});
        image.OnFramePaint = [](TObject*) { throw GIFException(QStringLiteral("boom")); };
        image.OnGIFWarning = [](TObject*, TGIFSeverity, const QString& message) {
            throw GIFException(message + QStringLiteral(" refused"));
        };
        image.DrawFlags = gdThreaded | gdAnimate | gdPaintOnTarget;
        QImage target(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&target);
        image.Draw(canvas, target.rect());
        EXPECT_TRUE(pumpUntil([&] { return !prompts.isEmpty(); }));
        EXPECT_TRUE(image.Painters().empty());
        EXPECT_EQ(image.DrawPainter, nullptr);
        // The freed painter is not stopped again.
        image.StopPainters();
    }
    TApplication::SetExceptionPrompt(previous);
    EXPECT_EQ(prompts, QStringList{QStringLiteral("boom refused")});
}

} // namespace
