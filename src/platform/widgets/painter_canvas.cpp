// TPainterCanvas.
#include "platform/widgets/painter_canvas.h"

#include <QPainter>

void TPainterCanvas::Paint(const std::function<void(QPainter& Painter)>& draw)
{
    if (!HandleAllocated() || !painter_ || !painter_->isActive())
        return;
    painter_->save();
    draw(*painter_);
    painter_->restore();
}
