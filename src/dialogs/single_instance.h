// The accessor of a window that lives once, from first use to program end.
#pragma once

#include <QCoreApplication>
#include <QPointer>

// With Free false: the window of TWindow, made on first call. With Free true: frees the window
// (when there is one) and returns null. Whatever is left is freed when the application goes.
template <class TWindow>
TWindow* SingleInstance(bool Free)
{
    static QPointer<TWindow> instance;
    if (Free) {
        delete instance.data();
        return nullptr;
    }
    if (!instance) {
        static const bool freedAtEnd = [] {
            qAddPostRoutine([] { SingleInstance<TWindow>(true); });
            return true;
        }();
        Q_UNUSED(freedAtEnd);
        instance = new TWindow();
    }
    return instance;
}
