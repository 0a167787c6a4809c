// Helpers of the GIF drawing tests.
#include "gif_drawing_support.h"

#include "gif_test_support.h"
#include "imaging/gif_app_extensions.h"
#include "imaging/gif_extensions.h"

void RecordingCanvas::DrawImage(const QRect& Dest, const QImage& Source, const QRect& SourceRect)
{
    Draws.push_back(Dest);
    TCanvas::DrawImage(Dest, Source, SourceRect);
}

bool FakeClock::WaitForWake(TEvent& Wake, int64_t Ms)
{
    {
        std::lock_guard lock(mutex_);
        wakeWaits_.push_back(Ms);
    }
    if (Ms < 0)
        return Wake.WaitFor(-1) == wrSignaled;
    now_ += uint32_t(Ms);
    return false;
}

std::vector<int64_t> FakeClock::WakeWaits()
{
    std::lock_guard lock(mutex_);
    return wakeWaits_;
}

QRgb Palette8(int Index)
{
    static const QRgb colours[8] = {qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(0, 0, 255),
                                    qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 255)};
    return colours[Index & 7];
}

void BuildAnimation(TGIFImage& Image, int ScreenWidth, int ScreenHeight, const std::vector<FrameSpec>& Frames,
                    int LoopCount)
{
    Image.Clear();
    for (int i = 0; i < 8; ++i)
        Image.Header().ColorMap().Add({uint8_t(qRed(Palette8(i))), uint8_t(qGreen(Palette8(i))),
                                       uint8_t(qBlue(Palette8(i)))});
    Image.Header().SetWidth(uint16_t(ScreenWidth));
    Image.Header().SetHeight(uint16_t(ScreenHeight));
    for (size_t f = 0; f < Frames.size(); ++f) {
        const FrameSpec& spec = Frames[f];
        std::vector<uint8_t> pixels = spec.pixels;
        if (pixels.empty())
            pixels.assign(size_t(spec.width * spec.height), spec.fill);
        auto frame = std::make_unique<TGIFSubImage>(&Image);
        frame->SetBounds(uint16_t(spec.left), uint16_t(spec.top), uint16_t(spec.width), uint16_t(spec.height));
        std::copy(pixels.begin(), pixels.end(), frame->Data());
        if (f == 0 && LoopCount >= 0) {
            auto loop = std::make_unique<TGIFAppExtNSLoop>(frame.get());
            loop->Loops = uint16_t(LoopCount);
            frame->Extensions().Add(std::move(loop));
        }
        if (spec.disposal >= 0 || spec.transparent >= 0 || spec.delay > 0) {
            auto control = std::make_unique<TGIFGraphicControlExtension>(frame.get());
            control->SetDisposal(uint8_t(std::max(spec.disposal, 0)));
            control->SetDelay(uint16_t(spec.delay));
            if (spec.transparent >= 0) {
                control->SetTransparentColorIndex(uint8_t(spec.transparent));
                control->SetTransparent(true);
            }
            frame->Extensions().Add(std::move(control));
        }
        Image.Images().Add(std::move(frame));
    }
}

std::vector<QRgb> RgbOf(const QImage& Image)
{
    std::vector<QRgb> pixels;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            pixels.push_back(Image.pixel(x, y) & 0xFFFFFF);
    return pixels;
}
