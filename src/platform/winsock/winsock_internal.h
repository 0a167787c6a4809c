// What the files of the Winsock stand-in share: the socket table, error helpers and the hooks by
// which the calls keep the readiness notifications' re-enabling rules.
#pragma once

#include "platform/winsock/winsock.h"

#include <memory>

namespace win::detail {

struct SelectNotifiers; // async_select.cpp

// One open socket. Flags change only on the thread that uses the socket (the GUI thread once the
// socket is registered with WSAAsyncSelect).
struct SocketEntry {
    SocketEntry(int fd, int type);
    ~SocketEntry();

    const int fd;
    const int type; // SOCK_STREAM or SOCK_DGRAM
    bool nonBlocking = false;
    bool listening = false;
    bool connecting = false;
    bool connected = false;
    bool connectFailed = false;
    bool closeSeen = false;      // FD_CLOSE was posted (or its condition met)
    bool awaitingRecv = false;   // FD_READ was posted; the next recv re-enables it
    bool awaitingAccept = false; // FD_ACCEPT was posted; the next accept re-enables it
    bool writeWanted = false;    // a send would have blocked; FD_WRITE follows when space frees
    linger lingerValue{0, 0};

    // WSAAsyncSelect registration; mask 0 means none.
    HWND wnd = nullptr;
    UINT msg = 0;
    long mask = 0;
    std::unique_ptr<SelectNotifiers> notifiers;
};

// Sets the calling thread's last error and returns SOCKET_ERROR.
int Fail(int error);
// Fail with errno turned into the Winsock number.
int FailWithErrno();
// The Winsock number for an errno value (winsock_errors.cpp).
int ErrorFromErrno(int error);

bool Started();
// Fails with WSANOTINITIALISED before WSAStartup; returns Started().
bool RequireStarted();
// The entry of s; null (with WSANOTINITIALISED or WSAENOTSOCK set) when there is none.
std::shared_ptr<SocketEntry> FindSocket(SOCKET s);
// The entry of s or null, leaving the last error alone.
std::shared_ptr<SocketEntry> LookupSocket(SOCKET s);
SOCKET AddSocket(std::shared_ptr<SocketEntry> entry);
std::shared_ptr<SocketEntry> TakeSocket(SOCKET s);
// Removes every socket (the last WSACleanup).
std::vector<std::pair<SOCKET, std::shared_ptr<SocketEntry>>> TakeAllSockets();

// Readiness bookkeeping (async_select.cpp). Each is called after the named call on socket s.
void AfterRecv(SOCKET s, SocketEntry& entry);
void AfterAccept(SOCKET s, SocketEntry& entry);
void AfterListen(SOCKET s, SocketEntry& entry);
void AfterSendWouldBlock(SOCKET s, SocketEntry& entry);
void AfterConnectStarted(SOCKET s, SocketEntry& entry);
// A non-blocking connect that failed at once still reports through FD_CONNECT, as Winsock does.
void AfterConnectFailed(SOCKET s, SocketEntry& entry, int error);
// Drops the registration and the socket's queued notifications; before the descriptor is closed.
void BeforeClose(SOCKET s, SocketEntry& entry);

// Ends every running look-up without a message (async_lookup.cpp; the last WSACleanup).
void CancelAllLookups();

} // namespace win::detail
