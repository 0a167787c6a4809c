// TCanvas: drawing onto a picture in memory (an image, a bitmap, a widget's backing image or a
// metafile) over QPainter: filling, drawing graphics and images, and copying between canvases.
#pragma once

#include "platform/graphics/colors.h"
#include "platform/rtl/object.h"

#include <QImage>
#include <QRect>
#include <functional>
#include <memory>

class QPainter;
class QPicture;
class TGraphic;

class TCanvas : public TObject {
public:
    // A canvas over Image (not owned), or over nothing: then it draws nothing and copies black.
    explicit TCanvas(QImage* Image = nullptr);
    ~TCanvas() override;

    // The colour FillRect fills with.
    TColor BrushColor = clWhite;
    // Fired after every drawing operation (a widget repaints its backing image then).
    std::function<void(TObject* Sender)> OnChange;

    void FillRect(const QRect& R);
    // Draws the graphic at its own size with its top-left corner at X, Y.
    void Draw(int X, int Y, TGraphic& Graphic);
    // Draws the graphic scaled into R.
    void StretchDraw(const QRect& R, TGraphic& Graphic);
    // Copies SourceRect of Source into Dest of this canvas, scaled.
    void CopyRect(const QRect& Dest, TCanvas& Source, const QRect& SourceRect);

    // The drawing primitives every operation ends in. DrawImage scales SourceRect of Source into
    // Dest by the nearest pixel; pixels of alpha 0 leave the canvas as it is.
    virtual void DrawImage(const QRect& Dest, const QImage& Source, const QRect& SourceRect);
    virtual void FillRectWith(const QRect& R, TColor Color);
    // Plays a recorded picture whose frame is Bounds into Dest, scaled.
    virtual void DrawPicture(const QRect& Dest, const QPicture& Picture, const QRect& Bounds);
    // What the canvas shows in R, at R's size (black outside the canvas; empty for a canvas whose
    // pixels cannot be read).
    virtual QImage CopyImage(const QRect& R);

    // A token standing for the canvas's device context: it expires when the canvas is freed or
    // released. Whoever keeps a canvas pointer beyond a call checks it before drawing.
    std::weak_ptr<const void> Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Lets go of the device: the handle expires and the canvas draws nothing until SetImage.
    void ReleaseHandle();
    void SetImage(QImage* Image);

protected:
    // The device to paint on and the pixels to read; null when there is none.
    virtual QPaintDevice* Device() { return image_; }
    virtual const QImage* Pixels() { return image_; }
    // Runs draw with a painter on the device, then reports the change.
    virtual void Paint(const std::function<void(QPainter& Painter)>& draw);

private:
    QImage* image_;
    std::shared_ptr<const int> handle_;
};
