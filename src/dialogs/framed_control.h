// TPTFramedControl: what the group and the frame controls share: the style, caption, alignment,
// frame space, default drawing and the paint event.
#pragma once

#include "dialogs/frame_style.h"
#include "platform/rtl/object.h"

#include <QWidget>
#include <functional>

class QPainter;

// Painting: the background in the window colour when DefaultDrawing is set, the frame (where the
// control draws it, FramePainted), the caption for every style but the group's when DefaultDrawing
// is set, and OnPaint last.
class TPTFramedControl : public QWidget, public TComponent {
    Q_OBJECT
public:
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool Value);
    int FrameSpace() const { return frameSpace_; }
    void SetFrameSpace(int Value);
    TPTFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TPTFrameStyle Value);
    QString Caption() const { return caption_; }
    virtual void SetCaption(const QString& Value);

    std::function<void(TObject* Sender, QPainter& Canvas)> OnPaint;

protected:
    TPTFramedControl(TComponent* AOwner, QWidget* Parent, TPTFrameStyle Style);
    // The rectangle the caption is drawn in (narrowed by FrameSpace).
    virtual QRect CaptionRect() const = 0;
    // Draws the frame; the group draws it around its inside, the frame control in its own rectangle.
    virtual void PaintFrame(QPainter& Canvas, const QRect& Rect);

    void paintEvent(QPaintEvent* E) override;

private:
    TAlignment alignment_ = taCenter;
    bool defaultDrawing_ = true;
    int frameSpace_ = 2;
    TPTFrameStyle frameStyle_;
    QString caption_;
};
