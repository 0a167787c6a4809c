// TPTCustomFrame and TPTFrame: a light control that draws a frame or an etched line in its own
// rectangle, with an optional caption inside.
#pragma once

#include "dialogs/framed_control.h"

class TPTCustomFrame : public TPTFramedControl {
    Q_OBJECT
public:
    explicit TPTCustomFrame(TComponent* AOwner = nullptr, QWidget* Parent = nullptr);

protected:
    QRect CaptionRect() const override { return rect(); }
};

class TPTFrame : public TPTCustomFrame {
    Q_OBJECT
public:
    using TPTCustomFrame::TPTCustomFrame;
};
