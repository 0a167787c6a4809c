// initPlatform: the locale's formats, the GUI-thread message dispatcher and the Synchronize pump.
#include "platform/platform_init.h"

#include "platform/messages/messages.h"
#include "platform/rtl/format_settings.h"
#include "platform/threads/thread.h"

void initPlatform()
{
    initFormatSettings();
    initMessages();
    initThreads();
}
