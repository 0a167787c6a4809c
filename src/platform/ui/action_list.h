// TAction and TActionList: commands shared by menus, buttons and tool bars, with a tag, a picture
// index and an update handler that the list runs when the program is idle.
#pragma once

#include "platform/rtl/object.h"

#include <QAction>
#include <QList>
#include <QTimer>
#include <functional>

class TActionList;

// A QAction with the class library's extras. OnExecute runs when the action is triggered;
// OnUpdate sets its enabled state, caption and check mark from the program's state.
class TAction : public QAction {
    Q_OBJECT
public:
    // Caption may hold "&" before the accelerator letter. The action joins List when given.
    explicit TAction(const QString& Caption = {}, TActionList* List = nullptr);

    int Tag = 0;
    // Index into the image list of the list's menus and tool bars; -1 for none.
    int ImageIndex = -1;
    // A menu the action drops down (a tool button's drop-down), or null.
    QObject* HelpContext = nullptr;

    std::function<void(TAction* Sender)> OnExecute;
    std::function<void(TAction* Sender)> OnUpdate;

    // Runs OnUpdate when there is one.
    void Update();
};

// Runs the OnUpdate of each of its actions: on a short timer while the event loop is idle, just
// before any menu is shown, and on demand (UpdateActions).
class TActionList : public QObject {
    Q_OBJECT
public:
    explicit TActionList(QObject* Parent = nullptr);
    ~TActionList() override;

    void Add(TAction* Action);
    const QList<TAction*>& Actions() const { return actions_; }
    // Runs every action's OnUpdate now.
    void UpdateActions();

    // Milliseconds between the idle update passes.
    static constexpr int UpdateInterval = 150;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QList<TAction*> actions_;
    QTimer idleTimer_;
};
