// TPTFramedControl.
#include "dialogs/framed_control.h"

#include "platform/rtl/events.h"

#include <QPainter>

TPTFramedControl::TPTFramedControl(TComponent* AOwner, QWidget* Parent, TPTFrameStyle Style)
    : QWidget(Parent), TComponent(AOwner), frameStyle_(Style)
{
    resize(64, 48);
}

void TPTFramedControl::SetAlignment(TAlignment Value)
{
    alignment_ = Value;
    update();
}

void TPTFramedControl::SetDefaultDrawing(bool Value)
{
    defaultDrawing_ = Value;
    update();
}

void TPTFramedControl::SetFrameSpace(int Value)
{
    frameSpace_ = Value;
    update();
}

void TPTFramedControl::SetFrameStyle(TPTFrameStyle Value)
{
    frameStyle_ = Value;
    update();
}

void TPTFramedControl::SetCaption(const QString& Value)
{
    caption_ = Value;
    update();
}

void TPTFramedControl::PaintFrame(QPainter& Canvas, const QRect& Rect)
{
    PaintFrameStyle(Canvas, Rect, frameStyle_, palette(), caption_, alignment_);
}

void TPTFramedControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (defaultDrawing_)
        painter.fillRect(rect(), palette().color(backgroundRole()));
    PaintFrame(painter, rect());
    if (defaultDrawing_ && frameStyle_ != ptfsGroup) {
        painter.setPen(palette().color(foregroundRole()));
        PaintFrameCaption(painter, CaptionRect(), frameSpace_, caption_, alignment_);
    }
    Fire(OnPaint, this, painter);
}
