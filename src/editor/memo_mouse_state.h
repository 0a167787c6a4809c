// TMemoMouseState: what the editor control remembers of the mouse between its events: the click
// mode with the time of the last press, tracking, a pending or running drag of the selection, the
// margin line being dragged, and the hover states.
#pragma once

#include <QPoint>
#include <cstdint>

struct TMemoMouseState {
    // 1 single, 2 double, 3 triple, 4 quadruple click.
    int ClickMode = 1;
    // The time of the last press (ClickClock milliseconds); none yet while unset.
    std::int64_t PressTime = 0;
    bool Pressed = false;
    // The record index of the last press in the text (for the triple click).
    int ClickedLine = -1;
    // The left button is down and moves extend the selection.
    bool Tracking = false;
    // The button went down inside the selection: a move starts a drag, a release places the caret.
    bool PendingDrag = false;
    bool Dragging = false;
    // The pointer is over the right-margin or wrap-column line, or one of them is being dragged
    // (RightMarginDrag tells which), with the column it is drawn at (-1: not shown).
    bool MarginHover = false;
    bool MarginDrag = false;
    bool RightMarginDrag = false;
    int MarginColumn = -1;
    // The pointer is over a hot spot.
    bool HyperlinkHover = false;
    // The last pointer position seen (client point).
    QPoint Pointer{-1, -1};
    // The wheel's angle not yet turned into lines.
    int WheelRest = 0;
};
