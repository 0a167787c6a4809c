// initPlatformWidgets: MessageDlg shows its message forms and MessageBeep rings the display's bell.
#include "platform/widgets/platform_widgets_init.h"

#include "platform/ui/beep.h"
#include "platform/widgets/message_form.h"

#include <QApplication>

void initPlatformWidgets()
{
    SetMessageDlgHandler(ShowMessageForm);
    SetMessageBeep([] { QApplication::beep(); });
}
