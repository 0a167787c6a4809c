// The geometry of the colour button's palette window: its cells, the other-colour swatch, hit
// testing and where the window drops down.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace palette {

constexpr int Columns = 4;
constexpr int Rows = 5;
constexpr int CellSize = 18;
constexpr int ClientWidth = 72;
// The "&Other" button: its top, its height, and its width (client width less 22).
constexpr int OtherTop = 98;
constexpr int OtherHeight = 21;
constexpr int OtherWidth = ClientWidth - 22;
constexpr int ClientHeight = OtherTop + OtherHeight + 2;
// The two lines under the grid.
constexpr int ShadowLineY = 93;
constexpr int HighlightLineY = 94;
// Where the window goes instead when it would pass the work area: this far above the button, or
// this far left of the work area's right edge.
constexpr int AboveButton = 121;
constexpr int RightClamp = 78;

// The cell the swatch of the other colour stands for.
constexpr QPoint SwatchCell{0, 0};
constexpr QPoint NoCell{-1, -1};

// The square of grid cell (X, Y), both from 1, or of the swatch (0, 0).
QRect CellRect(QPoint Cell, int AClientWidth = ClientWidth);
// The cell under a client point: a grid cell, the swatch, or NoCell.
QPoint CellAt(QPoint Point, int AClientWidth = ClientWidth);
// The top-left corner of the dropped palette (Size with its frame) for a button at ButtonRect
// (screen coordinates) within the desktop's WorkArea.
QPoint DropPosition(const QRect& ButtonRect, QSize Size, const QRect& WorkArea);

} // namespace palette
