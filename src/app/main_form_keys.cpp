// TTarnwickFTPApp: the short-cut hook that gives Delete and F2 to a label or a text being edited,
// and the short cuts of keys that reach the window while it is not the active one.
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "platform/ui/action_list.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>

namespace {

// Takes the next key press that reaches one widget: the key Key runs Command instead of going to
// the widget; any other key goes on as usual. Frees itself after that one press.
class TNextKeyPress : public QObject {
public:
    TNextKeyPress(QWidget& Target, int Key, std::function<void()> Command)
        : QObject(&Target), key_(Key), command_(std::move(Command))
    {
        Target.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::KeyPress)
            return false;
        Watched->removeEventFilter(this);
        deleteLater();
        if (static_cast<QKeyEvent*>(Event)->key() != key_)
            return false;
        command_();
        return true;
    }

private:
    int key_;
    std::function<void()> command_;
};

// True when Focus is Control or lies inside it.
bool Within(const QWidget* Control, const QWidget* Focus)
{
    return Focus && (Control == Focus || Control->isAncestorOf(Focus));
}

} // namespace

bool TTarnwickFTPApp::event(QEvent* Event)
{
    // A short-cut override no control of the window took comes up to the window.
    if (Event->type() == QEvent::ShortcutOverride && KeyShortCutRouting(*static_cast<QKeyEvent*>(Event)))
        return true;
    return QMainWindow::event(Event);
}

void TTarnwickFTPApp::keyPressEvent(QKeyEvent* Event)
{
    // The short cuts see only the keys of the active window; a key that reaches the window when it
    // is not (sent to it while another program's window is active) runs its command from here.
    const QKeySequence typed(QKeyCombination(Event->modifiers() & ~Qt::KeypadModifier, Qt::Key(Event->key())));
    for (TAction* action : std::as_const(actions_))
        if (!action->shortcut().isEmpty() && action->shortcut() == typed) {
            Event->accept();
            ExecuteAction(action->objectName());
            return;
        }
    QMainWindow::keyPressEvent(Event);
}

bool TTarnwickFTPApp::TextBeingEdited(QWidget* Focus) const
{
    const auto inside = [Focus](const QWidget* Control) { return Within(Control, Focus); };
    return inside(pnlEdit) || (inside(lvRemote) && lvRemote->IsEditing()) ||
           (inside(lvMyComputer) && lvMyComputer->IsEditing()) || (inside(tvRemote) && tvRemote->IsEditing()) ||
           (inside(tvMyComputer) && tvMyComputer->IsEditing());
}

bool TTarnwickFTPApp::KeyShortCutRouting(QKeyEvent& Event)
{
    if ((Event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QWidget* focus = QApplication::focusWidget();
    // Accepting the override sends the key to the focused control instead of the short cuts; a
    // command the window runs itself takes the key press that follows, so the control never sees
    // it (and two actions sharing the key never make it ambiguous).
    const auto runInstead = [focus](int Key, std::function<void()> Command) {
        if (focus)
            new TNextKeyPress(*focus, Key, std::move(Command));
        else
            Command();
    };
    switch (Event.key()) {
    case Qt::Key_Delete:
        if (!TextBeingEdited(focus))
            runInstead(Qt::Key_Delete, [this] { DeleteInPane(); });
        Event.accept();
        return true;
    case Qt::Key_F2:
        // A focused tree edits its own label; elsewhere the rename command of the active pane.
        if (!Within(tvRemote, focus) && !Within(tvMyComputer, focus))
            runInstead(Qt::Key_F2, [this] { ExecuteAction(QStringLiteral("actFtpRen")); });
        Event.accept();
        return true;
    default:
        return false;
    }
}
