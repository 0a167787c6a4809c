// TDragImageService: the drag image a drop target shows while a drag is over it. The desktop
// offers neither a shell drag-image helper nor a common-controls drag image, so the program's
// service has no image and does nothing; tests put in one that records the calls.
#pragma once

#include <QPoint>

class QWidget;

class TDragImageService {
public:
    virtual ~TDragImageService() = default;

    // The drag image of the drag in progress and its hot spot; false when there is none.
    virtual bool GetDragImage(QPoint& HotSpot) = 0;
    // Makes the target's transparent image the drag cursor, with the image's hot spot.
    virtual void SetDragCursorImage(QPoint HotSpot) = 0;
    // Shows the image over Window at Point (relative to the window's rectangle).
    virtual void DragEnter(QWidget* Window, QPoint Point) = 0;
    virtual void DragMove(QPoint Point) = 0;
    virtual void DragLeave(QWidget* Window) = 0;
    virtual void DragShowNolock(bool Show) = 0;
};

// The program's service: no drag image.
class TNoDragImage : public TDragImageService {
public:
    bool GetDragImage(QPoint&) override { return false; }
    void SetDragCursorImage(QPoint) override {}
    void DragEnter(QWidget*, QPoint) override {}
    void DragMove(QPoint) override {}
    void DragLeave(QWidget*) override {}
    void DragShowNolock(bool) override {}
};
