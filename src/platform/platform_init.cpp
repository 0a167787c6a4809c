// initPlatform: creates the GUI-thread message dispatcher and the Synchronize pump.
#include "platform/platform_init.h"

#include "platform/messages/messages.h"
#include "platform/threads/thread.h"

void initPlatform()
{
    initMessages();
    initThreads();
}
