// TAction and TActionList.
#include "platform/ui/action_list.h"

#include <QCoreApplication>
#include <QEvent>

TAction::TAction(const QString& Caption, TActionList* List) : QAction(Caption, List)
{
    connect(this, &QAction::triggered, this, [this] {
        if (OnExecute)
            OnExecute(this);
    });
    if (List)
        List->Add(this);
}

void TAction::Update()
{
    if (OnUpdate)
        OnUpdate(this);
}

TActionList::TActionList(QObject* Parent) : QObject(Parent)
{
    idleTimer_.setInterval(UpdateInterval);
    connect(&idleTimer_, &QTimer::timeout, this, &TActionList::UpdateActions);
    idleTimer_.start();
    // Menus are seen as they are about to show, so they never show stale states.
    QCoreApplication::instance()->installEventFilter(this);
}

TActionList::~TActionList()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void TActionList::Add(TAction* Action)
{
    if (!actions_.contains(Action)) {
        actions_.append(Action);
        connect(Action, &QObject::destroyed, this, [this, Action] { actions_.removeAll(Action); });
    }
}

void TActionList::UpdateActions()
{
    const QList<TAction*> actions = actions_; // a handler may add or free actions
    for (TAction* action : actions)
        action->Update();
}

bool TActionList::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::Show && Watched->inherits("QMenu"))
        UpdateActions();
    return false;
}
