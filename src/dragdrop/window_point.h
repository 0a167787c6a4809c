// WindowPointFromClient: a point of a control's client area relative to the upper-left corner of
// its window rectangle, as the drag-image calls take it.
#pragma once

#include <QPoint>

class QWidget;

// The point mapped to the screen, less the window's upper-left corner on the screen (the frame's,
// for a top-level window).
QPoint WindowPointFromClient(const QWidget* Handle, QPoint Point);
