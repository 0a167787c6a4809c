// The hot-key edit: keys captured as short cuts.
#include "highlighter/options/sm_hot_key.h"

#include "highlighter/options/guarded.h"

#include "platform/rtl/events.h"
#include "platform/ui/shortcut_text.h"

#include <QKeyEvent>

TSM_HotKey::TSM_HotKey(QWidget* Parent) : QLineEdit(Parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void TSM_HotKey::SetHotKey(TShortCut Value)
{
    hotKey_ = Value;
    setText(ShortCutToText(Value));
    RunGuarded([this] { Fire(OnChange, static_cast<TObject*>(this)); });
}

bool TSM_HotKey::event(QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(Event));
            return true;
        }
    }
    // Short cuts of the window (Enter, Escape, accelerators) do not fire while a key is captured.
    if (Event->type() == QEvent::ShortcutOverride) {
        Event->accept();
        return true;
    }
    return QLineEdit::event(Event);
}

void TSM_HotKey::keyPressEvent(QKeyEvent* Event)
{
    Event->accept();
    int key = VirtualKeyFromQt(Event->key());
    // Digits of the numeric pad are keys of their own.
    if ((Event->modifiers() & Qt::KeypadModifier) && Event->key() >= Qt::Key_0 && Event->key() <= Qt::Key_9)
        key = win::VK_NUMPAD0 + (Event->key() - Qt::Key_0);
    if (key == 0)
        return;
    SetHotKey(ShortCut(key, ShiftStateFromQt(Event->modifiers())));
}
