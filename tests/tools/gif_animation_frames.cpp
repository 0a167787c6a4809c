// A test-only program: plays an animated GIF in a window with a threaded painter and writes the
// first five frames the window shows as PNG files.
//
//   gif_animation_frames <output folder> [<file.gif>]
//
// Without a GIF file it plays a small animation of its own (also written as animation.gif). Run it
// under xvfb-run when there is no display.
#include "imaging/gif_app_extensions.h"
#include "imaging/gif_extensions.h"
#include "imaging/gif_image.h"
#include "imaging/imaging_init.h"
#include "platform/graphics/canvas.h"
#include "platform/platform_init.h"
#include "platform/rtl/application.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

constexpr int FramesToWrite = 5;

// A window that shows its backing image; the painter draws on the image through a canvas.
class AnimationWindow : public QWidget {
public:
    explicit AnimationWindow(QSize size) : backing_(size, QImage::Format_RGB32), canvas_(&backing_)
    {
        backing_.fill(Qt::lightGray);
        setFixedSize(size);
        canvas_.OnChange = [this](TObject*) { update(); };
    }
    TCanvas& Canvas() { return canvas_; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, backing_); }

private:
    QImage backing_;
    TCanvas canvas_;
};

// A red square moving over a striped background: four frames, each restored to the previous picture
// after it shows, looping for ever.
void BuildDemo(TGIFImage& image)
{
    const TGIFColor colours[] = {{240, 240, 240}, {30, 60, 200}, {220, 30, 30}};
    for (const TGIFColor& c : colours)
        image.Header().ColorMap().Add(c);
    auto background = std::make_unique<TGIFSubImage>(&image);
    background->SetBounds(0, 0, 64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            background->SetPixel(x, y, (y / 8) % 2 ? 1 : 0);
    auto loop = std::make_unique<TGIFAppExtNSLoop>(background.get());
    background->Extensions().Add(std::move(loop));
    image.Images().Add(std::move(background));
    for (int i = 0; i < 4; ++i) {
        auto square = std::make_unique<TGIFSubImage>(&image);
        square->SetBounds(uint16_t(4 + i * 14), uint16_t(8 + i * 6), 12, 12);
        std::fill(square->Data(), square->Data() + square->DataSize(), 2);
        auto control = std::make_unique<TGIFGraphicControlExtension>(square.get());
        control->SetDisposal(dmPrevious);
        control->SetDelay(10);
        square->Extensions().Add(std::move(control));
        image.Images().Add(std::move(square));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    initPlatform();
    initImaging();
    if (argc < 2) {
        std::fprintf(stderr, "usage: gif_animation_frames <output folder> [<file.gif>]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    TGIFImage image;
    if (argc > 2) {
        image.LoadFromFile(QString::fromLocal8Bit(argv[2]));
    } else {
        BuildDemo(image);
        image.SaveToFile(folder + QStringLiteral("/animation.gif"));
    }
    AnimationWindow window(QSize(image.Width(), image.Height()));
    window.show();

    int written = 0;
    image.DrawFlags = gdThreaded | gdAnimate | gdRepeat | gdTransparent | gdPaintOnTarget;
    image.OnFramePainted = [&](TObject*) {
        if (written >= FramesToWrite)
            return;
        window.repaint();
        const QString name = QStringLiteral("%1/frame-%2.png").arg(folder).arg(written++);
        if (!window.grab().save(name))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        if (written == FramesToWrite)
            QTimer::singleShot(0, &qt, [] { QApplication::quit(); });
    };
    image.Draw(window.Canvas(), QRect(0, 0, image.Width(), image.Height()));
    QApplication::exec();
    image.StopPainters();
    std::printf("wrote %d frames to %s\n", written, qPrintable(folder));
    return written == FramesToWrite ? 0 : 1;
}
