// TCustomSyncWSocket.
#include "ftp/socket/sync_wsocket.h"

#include "platform/rtl/application.h"
#include "platform/system/tick_count.h"

int TCustomSyncWSocket::WaitUntilReady(bool& DoneFlag)
{
    const std::uint32_t Start = win::GetTickCount();
    while (true) {
        if (DoneFlag)
            return 0;
        if ((FTimeout > 0 && win::GetTickCount() - Start >= std::uint32_t(FTimeout)) ||
            (Application && Application->Terminated()) || FTerminated)
            return WaitTimedOut;
        MessagePump();
        win::Sleep(0);
    }
}

int TCustomSyncWSocket::Synchronize(const std::function<void()>& Request, bool& DoneFlag)
{
    DoneFlag = false;
    if (Request)
        Request();
    return WaitUntilReady(DoneFlag);
}
