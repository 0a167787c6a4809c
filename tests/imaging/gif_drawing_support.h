// Helpers of the GIF drawing tests: a canvas that records what is drawn on it, a clock that moves
// only when the painters wait, and animations built from a table of frames.
#pragma once

#include "imaging/gif_image.h"
#include "imaging/gif_painter.h"
#include "platform/graphics/canvas.h"

#include <QImage>
#include <QRect>
#include <atomic>
#include <mutex>
#include <vector>

// Draws like a canvas over its image and keeps the target rectangle of every image drawn.
class RecordingCanvas : public TCanvas {
public:
    explicit RecordingCanvas(QImage* Image = nullptr) : TCanvas(Image) {}

    void DrawImage(const QRect& Dest, const QImage& Source, const QRect& SourceRect) override;

    std::vector<QRect> Draws;
};

// Time stands still but for the waits of the painters, which pass at once. A wait without end on
// the wake event really waits for it.
class FakeClock : public TAnimationClock {
public:
    uint32_t Now() override { return now_; }
    void Sleep(uint32_t Ms) override { now_ += Ms; }
    bool WaitForWake(TEvent& Wake, int64_t Ms) override;

    // The waits asked for on the wake event, in order.
    std::vector<int64_t> WakeWaits();

private:
    std::atomic<uint32_t> now_ = 1000;
    std::mutex mutex_;
    std::vector<int64_t> wakeWaits_;
};

// Puts a fake clock in place for its lifetime.
struct FakeClockScope {
    FakeClockScope() : previous(SetAnimationClock(&clock)) {}
    ~FakeClockScope() { SetAnimationClock(previous); }
    FakeClock clock;
    TAnimationClock* previous;
};

// One frame of a test animation: its place, a pixel value per pixel (row by row; empty: all
// Fill), its graphic control values (Disposal -1: no extension) and transparent index (-1: none).
struct FrameSpec {
    int left, top, width, height;
    std::vector<uint8_t> pixels;
    int disposal = -1;
    int delay = 0;
    int transparent = -1;
    uint8_t fill = 1;
};

// Builds the image: a global map of 8 colours (see Palette8), the screen size, then the frames.
// LoopCount >= 0 adds a loop extension to frame 0.
void BuildAnimation(TGIFImage& Image, int ScreenWidth, int ScreenHeight, const std::vector<FrameSpec>& Frames,
                    int LoopCount = -1);
// The eight colours of BuildAnimation's global map.
QRgb Palette8(int Index);

// The pixels of an image as 0xRRGGBB values, row by row.
std::vector<QRgb> RgbOf(const QImage& Image);
