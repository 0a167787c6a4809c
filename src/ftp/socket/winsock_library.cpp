// Starting and releasing Windows Sockets for the socket layer.
#include "ftp/socket/winsock_library.h"

#include "ftp/socket/wsocket_errors.h"

namespace {

// Used on the GUI thread only, like the socket objects that count here.
int SocketObjects = 0;
bool Loaded = false;
win::WSADATA StartupData{};

void Unload()
{
    if (!Loaded)
        return;
    Loaded = false;
    win::WSACleanup();
}

} // namespace

void WSocketLoadWinsock()
{
    if (Loaded)
        return;
    const int error = win::WSAStartup(win::MAKEWORD(1, 1), &StartupData);
    if (error != 0)
        throw ESocketException(QStringLiteral("%1: WSAStartup error #%2").arg(QLatin1String("wsock32.dll")).arg(error));
    Loaded = true;
}

bool WSocketWinsockLoaded() { return Loaded; }

win::WSADATA WinsockInfo()
{
    WSocketLoadWinsock();
    const win::WSADATA data = StartupData;
    if (SocketObjects < 1)
        Unload();
    return data;
}

void WSocketAddObject()
{
    WSocketLoadWinsock();
    ++SocketObjects;
}

void WSocketRemoveObject()
{
    if (--SocketObjects < 1)
        Unload();
}
