// The keys that ask for a context menu from the keyboard: the menu key alone, or Shift+F10.
#pragma once

#include <QKeyEvent>

inline bool IsContextMenuKey(const QKeyEvent& Event)
{
    return (Event.key() == Qt::Key_Menu && Event.modifiers() == Qt::NoModifier) ||
           (Event.key() == Qt::Key_F10 && Event.modifiers() == Qt::ShiftModifier);
}
