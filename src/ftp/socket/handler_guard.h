// HandlerGuard: tells whether a socket is still the one an event handler was called for.
#pragma once

#include "ftp/socket/custom_wsocket.h"

#include <QPointer>

// A handler may free its socket, or close it and open it again; code that goes on after firing an
// event checks Unchanged first.
class HandlerGuard {
public:
    explicit HandlerGuard(TCustomWSocket* Socket) : socket_(Socket), handle_(Socket->HSocket()) {}
    bool Unchanged() const { return socket_ && socket_->HSocket() == handle_; }

private:
    QPointer<TCustomWSocket> socket_;
    win::SOCKET handle_;
};
