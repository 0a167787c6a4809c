// TPopupMenuService: the one way the program shows a popup menu and learns the command chosen,
// so that tests can choose instead of a person.
#pragma once

#include "platform/ui/menu_model.h"

#include <QPoint>
#include <functional>

// Told the help text of the command under the pointer while a menu is up (empty for an entry
// without one).
using TMenuHintHandler = std::function<void(const QString& HelpText)>;

// The widgets install the service that shows a real menu; until then (code without widgets) no
// menu is shown and nothing is chosen.
class TPopupMenuService {
public:
    virtual ~TPopupMenuService() = default;
    // Shows Menu with its top left corner at the screen point At until the user chooses an
    // enabled command or closes it; returns the command's id, 0 for none. OnHint, when set, hears
    // of each command the pointer moves onto.
    virtual unsigned Popup(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint) = 0;
};

// Shows Menu through the service in use.
unsigned TrackPopupMenu(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint = {});
// Installs Service (null: no menus are shown) and returns the one installed before.
TPopupMenuService* SetPopupMenuService(TPopupMenuService* Service);
