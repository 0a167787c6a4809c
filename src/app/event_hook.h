// TEventHook: runs a handler for the events a widget receives, before the widget sees them.
#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

// Owned by the watched object. The handler answers true for an event it has taken.
class TEventHook : public QObject {
public:
    TEventHook(QObject* Watched, std::function<bool(QEvent* Event)> Handler)
        : QObject(Watched), handler_(std::move(Handler))
    {
        Watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override { return handler_(Event); }

private:
    std::function<bool(QEvent*)> handler_;
};
