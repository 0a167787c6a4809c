// TPainterCanvas: a canvas that draws through a painter already open on a widget, for the time of
// one paint (custom-drawn items, owner-drawn entries).
#pragma once

#include "platform/graphics/canvas.h"

// Draws through Painter (not owned; null: nothing is drawn), each operation with the painter's
// state saved and restored.
// The canvas cannot read back what it drew: CopyImage gives black. Release it (ReleaseHandle)
// before the painter ends, so that a handler keeping the canvas draws nothing afterwards.
class TPainterCanvas : public TCanvas {
public:
    explicit TPainterCanvas(QPainter* Painter) : painter_(Painter) {}

protected:
    void Paint(const std::function<void(QPainter& Painter)>& draw) override;

private:
    QPainter* painter_;
};
