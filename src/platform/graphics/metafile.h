// TMetafile: a recorded drawing (a QPicture) played back at any size, and TMetafileCanvas, the
// canvas that records one.
#pragma once

#include "platform/graphics/canvas.h"
#include "platform/graphics/graphic.h"

#include <QPainter>
#include <QPicture>

class TMetafile : public TGraphic {
public:
    TMetafile();

    const QPicture& Picture() const { return picture_; }
    void SetPicture(const QPicture& Value);

    // Plays the recording scaled from the metafile's size into Rect.
    void Draw(TCanvas& ACanvas, const QRect& Rect) override;
    bool Empty() const override { return picture_.isNull(); }
    // The size the recording is played at; it starts as the recording's bounding size.
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    // The recording in Qt's picture format.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    // Both fail with "Unsupported clipboard format".
    void LoadFromClipboardFormat(unsigned AFormat, const TClipboardData& AData,
                                 const win::Palette& APalette) override;
    void SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette) override;

    void Assign(TPersistent* Source) override;

private:
    QPicture picture_;
    int width_ = 0;
    int height_ = 0;
};

// Records what is drawn on it; the metafile receives the recording when the canvas is freed, at
// the size it had (or the recording's own size when it had none). The recording claims
// PixelsPerInch as its resolution (0: the screen's), so that fonts are made for the device the
// metafile stands for; fonts sized in pixels play back true to scale.
class TMetafileCanvas : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile& Metafile, int PixelsPerInch = 0);
    ~TMetafileCanvas() override;

    // The painter that records, for drawing beyond the canvas's own operations.
    QPainter& Painter() { return painter_; }

protected:
    QPaintDevice* Device() override { return &recording_; }
    const QImage* Pixels() override { return nullptr; }
    void Paint(const std::function<void(QPainter& Painter)>& draw) override;

private:
    // A picture that reports a chosen resolution.
    class TRecording : public QPicture {
    public:
        explicit TRecording(int PixelsPerInch) : pixelsPerInch_(PixelsPerInch) {}

    protected:
        int metric(PaintDeviceMetric Metric) const override;

    private:
        int pixelsPerInch_;
    };

    TMetafile& metafile_;
    TRecording recording_;
    QPainter painter_;
};
