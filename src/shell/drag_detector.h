// TDragDetector: when a press on an item of a shell control becomes a drag, and where the menu of
// a right click that did not shows.
#pragma once

#include <QPoint>
#include <Qt>
#include <optional>

// A left or right button pressed on an item begins a drag once the pointer moves the platform's
// drag distance with the button held. A right click asks for its menu at the press; the menu
// waits for the release and is dropped when the press became a drag.
class TDragDetector {
public:
    // Button went down at Pos; OnItem: an item lies there.
    void Press(Qt::MouseButton Button, QPoint Pos, bool OnItem);
    // The pointer moved to Pos with Buttons held: the index of the drag's button (0 left,
    // 1 right) when a drag begins now.
    std::optional<int> Move(QPoint Pos, Qt::MouseButtons Buttons);
    // A menu asked for by the mouse at Pos: true when it waits for the right button's release.
    bool DeferMenu(QPoint Pos);
    // Button went up: where the waiting menu shows now, if one waits.
    std::optional<QPoint> Release(Qt::MouseButton Button);

private:
    Qt::MouseButton button_ = Qt::NoButton;
    QPoint start_;
    std::optional<QPoint> pendingMenu_;
};
