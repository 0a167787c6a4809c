// TBusyLoop: a filter on the application drops user input meant for the windows it froze.
#include "platform/zip/busy_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

namespace {

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::Close: return true;
    default: return false;
    }
}

} // namespace

TBusyLoop::TBusyLoop()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        for (QWindow* window : QGuiApplication::topLevelWindows())
            if (window->isVisible())
                frozen_.emplace_back(window);
    }
    QCoreApplication::instance()->installEventFilter(this);
}

TBusyLoop::~TBusyLoop()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void TBusyLoop::Run()
{
    if (!quit_)
        loop_.exec();
}

void TBusyLoop::Quit()
{
    quit_ = true;
    loop_.quit();
}

bool TBusyLoop::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsUserInput(event->type()) || !watched->isWindowType())
        return false;
    for (const QPointer<QWindow>& window : frozen_) {
        if (window == watched) {
            event->ignore(); // a refused close leaves the window open
            return true;
        }
    }
    return false;
}
