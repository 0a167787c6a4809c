// TCustomSyncWSocket: a blocking wait that pumps messages until a flag is set.
#pragma once

#include "ftp/socket/line_wsocket.h"

class TCustomSyncWSocket : public TCustomLineWSocket {
public:
    // What WaitUntilReady returns when it gives up.
    static constexpr int WaitTimedOut = 12001;

    using TCustomLineWSocket::TCustomLineWSocket;

    // Milliseconds WaitUntilReady waits at most; 0 waits without limit.
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value) { FTimeout = Value; }

    // Pumps messages until DoneFlag is set (returns 0). Returns 12001 once the timeout has passed,
    // the application is terminating, or the socket's own pumping met a quit message.
    virtual int WaitUntilReady(bool& DoneFlag);
    // Clears DoneFlag, runs Request when one is given, then waits as WaitUntilReady does.
    virtual int Synchronize(const std::function<void()>& Request, bool& DoneFlag);

private:
    int FTimeout = 0;
};
