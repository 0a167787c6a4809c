// TDragDetector.
#include "shell/drag_detector.h"

#include <QApplication>
#include <utility>

void TDragDetector::Press(Qt::MouseButton Button, QPoint Pos, bool OnItem)
{
    pendingMenu_.reset();
    const bool dragButton = Button == Qt::LeftButton || Button == Qt::RightButton;
    button_ = dragButton && OnItem ? Button : Qt::NoButton;
    start_ = Pos;
}

std::optional<int> TDragDetector::Move(QPoint Pos, Qt::MouseButtons Buttons)
{
    if (button_ == Qt::NoButton || !(Buttons & button_) ||
        (Pos - start_).manhattanLength() < QApplication::startDragDistance())
        return std::nullopt;
    const int index = button_ == Qt::RightButton ? 1 : 0;
    button_ = Qt::NoButton;
    pendingMenu_.reset();
    return index;
}

bool TDragDetector::DeferMenu(QPoint Pos)
{
    if (button_ != Qt::RightButton)
        return false;
    pendingMenu_ = Pos;
    return true;
}

std::optional<QPoint> TDragDetector::Release(Qt::MouseButton Button)
{
    if (Button == button_)
        button_ = Qt::NoButton;
    return Button == Qt::RightButton ? std::exchange(pendingMenu_, std::nullopt) : std::nullopt;
}
