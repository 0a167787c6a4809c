// Fuzz target: a GIF image loads any bytes or refuses them with a GIFException, and what loads
// can be drawn and animated without a thread in every drawing mode and written again; nothing is
// read or written outside.
#include "imaging/gif_exception.h"
#include "imaging/gif_image.h"
#include "imaging/gif_painter.h"
#include "platform/graphics/canvas.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Time passes only when the painter sleeps, so that delays cost nothing.
class InstantClock final : public TAnimationClock {
public:
    uint32_t Now() override { return now_; }
    void Sleep(uint32_t Ms) override { now_ += Ms; }
    bool WaitForWake(TEvent&, int64_t) override { return true; }

private:
    uint32_t now_ = 0;
};

// Draws the image once in each mode, rendering its frames anew each time. One pass each: a loop
// count from the file would only make the run long.
void DrawInEveryMode(TGIFImage& image)
{
    static InstantClock clock;
    SetAnimationClock(&clock);
    const TGIFDrawOptions modes[] = {
        gdAnimate | gdTransparent | gdPaintOnTarget | gdClearEachPass,
        gdAnimate | gdTransparent | gdPaintOnTarget | gdTile,
        gdAnimate | gdWebPalette,
        gdTransparent | gdTile,
    };
    for (TGIFDrawOptions mode : modes) {
        image.DrawFlags = mode;
        for (int i = 0; i < image.Images().Count(); ++i)
            image.Images().Items(i)->FreeBitmap();
        image.FreeBitmap();
        QImage target(23, 17, QImage::Format_RGB32);
        target.fill(Qt::gray);
        TCanvas canvas(&target);
        try {
            image.Draw(canvas, QRect(3, 2, 19, 13));
            image.Bitmap();
        } catch (const Exception&) {
        }
    }
}

// The pixel counts of the frames that have pixels (frames of extensions only merge on reading).
std::vector<int64_t> FrameSizes(TGIFImage& image)
{
    std::vector<int64_t> sizes;
    for (int i = 0; i < image.Images().Count(); ++i)
        if (!image.Images().Items(i)->Empty())
            sizes.push_back(image.Images().Items(i)->DataSize());
    return sizes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream input;
    input.WriteBuffer(data, int64_t(size));
    input.SetPosition(0);
    TGIFImage image;
    // Large frames only slow the fuzzer down; the limit itself is tested elsewhere.
    image.PixelByteLimit = int64_t(1) << 16;
    try {
        image.LoadFromStream(input);
    } catch (const GIFException&) {
        return 0;
    }
    DrawInEveryMode(image);
    for (TGIFEncoding encoding : {geLZW, geRLE}) {
        image.Encoding = encoding;
        TMemoryStream output;
        try {
            image.SaveToStream(output);
        } catch (const GIFException&) {
            return 0;
        }
        output.SetPosition(0);
        TGIFImage copy;
        copy.LoadFromStream(output);
        if (FrameSizes(copy) != FrameSizes(image))
            __builtin_trap();
    }
    return 0;
}
