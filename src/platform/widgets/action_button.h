// BindButtonToAction: a push button that shows an action's caption and enabled state and
// triggers it when clicked.
#pragma once

class QAbstractButton;
class QAction;

// Button takes Action's text and enabled state now and whenever they change; clicking it
// triggers Action.
void BindButtonToAction(QAbstractButton* Button, QAction* Action);
