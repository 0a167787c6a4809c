// Palette cells, hit testing and drop-down placement.
#include "highlighter/options/palette_geometry.h"

namespace palette {

QRect CellRect(QPoint Cell, int AClientWidth)
{
    if (Cell == SwatchCell)
        return QRect(AClientWidth - CellSize, OtherTop + (OtherHeight - 16) / 2, 16, 16);
    return QRect((Cell.x() - 1) * CellSize + 1, (Cell.y() - 1) * CellSize + 1, CellSize - 2, CellSize - 2);
}

QPoint CellAt(QPoint Point, int AClientWidth)
{
    if (Point.x() >= AClientWidth - 19 && Point.x() <= AClientWidth - 1 && Point.y() >= 96 && Point.y() <= 113)
        return SwatchCell;
    if (Point.x() < 0 || Point.y() < 0)
        return NoCell;
    const QPoint cell(Point.x() / CellSize + 1, Point.y() / CellSize + 1);
    if (cell.x() > Columns || cell.y() > Rows)
        return NoCell;
    return cell;
}

QPoint DropPosition(const QRect& ButtonRect, QSize Size, const QRect& WorkArea)
{
    // Work-area edges as the desktop gives them: the right and bottom ones just outside.
    const int workRight = WorkArea.x() + WorkArea.width();
    const int workBottom = WorkArea.y() + WorkArea.height();
    QPoint point(ButtonRect.x(), ButtonRect.y() + ButtonRect.height());
    if (point.y() + Size.height() > workBottom)
        point.setY(ButtonRect.y() - AboveButton);
    if (WorkArea.x() > point.x())
        point.setX(WorkArea.x());
    else if (point.x() + Size.width() > workRight)
        point.setX(workRight - RightClamp);
    return point;
}

} // namespace palette
