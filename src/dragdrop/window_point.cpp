// Client points relative to the window rectangle.
#include "dragdrop/window_point.h"

#include <QWidget>

QPoint WindowPointFromClient(const QWidget* Handle, QPoint Point)
{
    const QPoint windowCorner = Handle->isWindow() ? Handle->frameGeometry().topLeft() : Handle->mapToGlobal(QPoint(0, 0));
    return Handle->mapToGlobal(Point) - windowCorner;
}
