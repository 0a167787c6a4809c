// The popup-menu service that shows menu models as QMenus, and the filling of a QMenu from a
// model, which the controls also use for menus they show themselves.
#pragma once

#include "platform/ui/popup_menu.h"

class QAction;
class QMenu;

// Adds the entries of Model to Menu: commands become actions that carry their ids (a grayed one
// disabled, the default one in bold, the help text as status tip, the image as icon), separators
// separators and submenus submenus of Menu (answering typed letters by their OnMenuChar rule).
void FillQMenu(QMenu& Menu, const TMenuModel& Model);
// The command id of an action FillQMenu made; 0 for null and any other action.
unsigned MenuCommandOf(const QAction* Action);

// Runs a QMenu's own loop at the point asked for; the hints are the actions' status tips.
class TQMenuPopupService : public TPopupMenuService {
public:
    unsigned Popup(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint) override;
};
