// TCustomSocksWSocket: the SOCKS client layer of the socket class tree. No SOCKS server can be set
// yet, so every call passes straight through to the plain socket.
#pragma once

#include "ftp/custom_wsocket.h"

class TCustomSocksWSocket : public TCustomWSocket {
public:
    using TCustomWSocket::TCustomWSocket;

protected:
    // True while a SOCKS negotiation reads the socket's data itself (line mode then stands aside).
    bool SocksNegotiating() const { return false; }
};
