// initPlatformWidgets: MessageDlg shows its message forms, popup menus are QMenus, properties
// sheets dialogs, MessageBeep rings the display's bell and the system icons the theme lacks come
// from the style.
#include "platform/widgets/platform_widgets_init.h"

#include "platform/ui/beep.h"
#include "platform/widgets/message_form.h"
#include "platform/widgets/popup_menu_service.h"
#include "platform/widgets/properties_form.h"
#include "platform/widgets/style_icons.h"

#include <QApplication>

void initPlatformWidgets()
{
    SetMessageDlgHandler(ShowMessageForm);
    static TQMenuPopupService popupMenus;
    SetPopupMenuService(&popupMenus);
    SetPropertiesSheetHandler(ShowPropertiesForm);
    SetMessageBeep([] { QApplication::beep(); });
    win::SetSystemIconFallback(StyleIcon);
}
