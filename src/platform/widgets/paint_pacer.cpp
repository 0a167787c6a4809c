// TPaintPacer.
#include "platform/widgets/paint_pacer.h"

#include "platform/system/tick_count.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

TPaintPacer::TPaintPacer(QWidget* Window) : QObject(Window), window_(Window)
{
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, [this] { PaintDue(); });
    window_->installEventFilter(this);
}

bool TPaintPacer::eventFilter(QObject* Watched, QEvent* Event)
{
    // The window's pending changes are painted by the update request it is sent (at once for an
    // immediate repaint, from the event loop otherwise).
    if (Watched != window_ || Event->type() != QEvent::UpdateRequest || passing_)
        return false;
    if (due_.isActive())
        return true;
    const std::uint32_t now = win::GetTickCount();
    const std::uint32_t since = now - lastPaint_;
    if (painted_ && since < FrameMs) {
        due_.start(int(FrameMs - since));
        return true;
    }
    painted_ = true;
    lastPaint_ = now;
    return false;
}

void TPaintPacer::PaintDue()
{
    lastPaint_ = win::GetTickCount();
    passing_ = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window_, &request);
    passing_ = false;
}
