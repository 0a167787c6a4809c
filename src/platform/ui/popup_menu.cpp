// TrackPopupMenu through the installed popup-menu service.
#include "platform/ui/popup_menu.h"

#include <utility>

namespace {

TPopupMenuService* Installed = nullptr;

} // namespace

unsigned TrackPopupMenu(const TMenuModel& Menu, QPoint At, const TMenuHintHandler& OnHint)
{
    return Installed ? Installed->Popup(Menu, At, OnHint) : 0;
}

TPopupMenuService* SetPopupMenuService(TPopupMenuService* Service)
{
    return std::exchange(Installed, Service);
}
