// BindButtonToAction.
#include "platform/widgets/action_button.h"

#include <QAbstractButton>
#include <QAction>

void BindButtonToAction(QAbstractButton* Button, QAction* Action)
{
    auto follow = [Button, Action] {
        Button->setText(Action->text());
        Button->setEnabled(Action->isEnabled());
    };
    follow();
    QObject::connect(Action, &QAction::changed, Button, follow);
    QObject::connect(Button, &QAbstractButton::clicked, Action, &QAction::trigger);
}
