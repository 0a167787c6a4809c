// TPopupMenuService: the one way the program shows a popup menu and learns the command chosen,
// so that tests can choose instead of a person.
#pragma once

#include "platform/ui/menu_model.h"

#include <QPoint>

// The widgets install the service that shows a real menu; until then (code without widgets) no
// menu is shown and nothing is chosen.
class TPopupMenuService {
public:
    virtual ~TPopupMenuService() = default;
    // Shows Menu with its top left corner at the screen point At until the user chooses an
    // enabled command or closes it; returns the command's id, 0 for none.
    virtual unsigned Popup(const TMenuModel& Menu, QPoint At) = 0;
};

// Shows Menu through the service in use.
unsigned TrackPopupMenu(const TMenuModel& Menu, QPoint At);
// Installs Service (null: no menus are shown) and returns the one installed before.
TPopupMenuService* SetPopupMenuService(TPopupMenuService* Service);
