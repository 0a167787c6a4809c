// The Winsock session, the socket table and the socket calls.
#include "platform/winsock/posix_net.h"
#include "platform/winsock/winsock_internal.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

namespace win {
namespace detail {
namespace {

struct Session {
    std::mutex mutex;
    int startCount = 0;
    SOCKET nextSocket = 1;
    std::map<SOCKET, std::shared_ptr<SocketEntry>> sockets;
};

Session& S()
{
    static Session* session = new Session; // lives until the process ends: worker threads may still ask
    return *session;
}

// Copies a sockaddr_in-sized address in after checking its size and family.
bool ReadAddress(const sockaddr* name, int namelen, sockaddr_in& address)
{
    if (!name || namelen < int(sizeof(sockaddr_in))) {
        Fail(WSAEFAULT);
        return false;
    }
    std::memcpy(&address, name, sizeof address);
    if (address.sin_family != AF_INET) {
        Fail(WSAEAFNOSUPPORT);
        return false;
    }
    return true;
}

bool CheckAddressBuffer(const sockaddr* name, const int* namelen)
{
    if (!name || !namelen || *namelen < int(sizeof(sockaddr_in))) {
        Fail(WSAEFAULT);
        return false;
    }
    return true;
}

int Check(long result) { return result < 0 ? FailWithErrno() : int(result); }

} // namespace

bool Started()
{
    std::lock_guard lock(S().mutex);
    return S().startCount > 0;
}

bool RequireStarted()
{
    if (Started())
        return true;
    Fail(WSANOTINITIALISED);
    return false;
}

std::shared_ptr<SocketEntry> FindSocket(SOCKET s)
{
    std::lock_guard lock(S().mutex);
    if (S().startCount == 0) {
        Fail(WSANOTINITIALISED);
        return nullptr;
    }
    auto it = S().sockets.find(s);
    if (it == S().sockets.end()) {
        Fail(WSAENOTSOCK);
        return nullptr;
    }
    return it->second;
}

std::shared_ptr<SocketEntry> LookupSocket(SOCKET s)
{
    std::lock_guard lock(S().mutex);
    auto it = S().sockets.find(s);
    return it == S().sockets.end() ? nullptr : it->second;
}

SOCKET AddSocket(std::shared_ptr<SocketEntry> entry)
{
    std::lock_guard lock(S().mutex);
    const SOCKET s = S().nextSocket++;
    S().sockets.emplace(s, std::move(entry));
    return s;
}

std::shared_ptr<SocketEntry> TakeSocket(SOCKET s)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (entry) {
        std::lock_guard lock(S().mutex);
        S().sockets.erase(s);
    }
    return entry;
}

std::vector<std::pair<SOCKET, std::shared_ptr<SocketEntry>>> TakeAllSockets()
{
    std::lock_guard lock(S().mutex);
    std::vector<std::pair<SOCKET, std::shared_ptr<SocketEntry>>> all(S().sockets.begin(), S().sockets.end());
    S().sockets.clear();
    return all;
}

namespace {

void CloseEntry(SOCKET s, SocketEntry& entry)
{
    BeforeClose(s, entry);
    if (entry.type == SOCK_STREAM)
        posixnet::SetResetOnClose(entry.fd, entry.lingerValue.l_onoff && entry.lingerValue.l_linger == 0);
    posixnet::CloseSocket(entry.fd);
}

} // namespace
} // namespace detail

using namespace detail;

int WSAStartup(WORD versionRequested, WSADATA* data)
{
    const int major = versionRequested & 0xFF;
    const int minor = versionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1))
        return WSAVERNOTSUPPORTED;
    if (!data)
        return WSAEFAULT;
    *data = WSADATA{};
    data->wVersion = MAKEWORD(1, 1);
    data->wHighVersion = MAKEWORD(1, 1);
    std::strcpy(data->szDescription, "WinSock 1.1 over POSIX sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 32767;
    data->iMaxUdpDg = 65467;
    std::lock_guard lock(S().mutex);
    if (S().startCount++ == 0)
        posixnet::IgnoreBrokenPipe();
    return 0;
}

int WSACleanup()
{
    {
        std::lock_guard lock(S().mutex);
        if (S().startCount == 0)
            return Fail(WSANOTINITIALISED);
        if (--S().startCount > 0)
            return 0;
    }
    for (auto& [s, entry] : TakeAllSockets())
        CloseEntry(s, *entry);
    CancelAllLookups();
    return 0;
}

SOCKET socket(int af, int type, int protocol)
{
    if (!RequireStarted())
        return INVALID_SOCKET;
    if (af != AF_INET) {
        Fail(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_STREAM && type != SOCK_DGRAM) {
        Fail(WSAESOCKTNOSUPPORT);
        return INVALID_SOCKET;
    }
    const int fd = posixnet::OpenSocket(type, protocol);
    if (fd < 0) {
        FailWithErrno();
        return INVALID_SOCKET;
    }
    return AddSocket(std::make_shared<SocketEntry>(fd, type));
}

int closesocket(SOCKET s)
{
    std::shared_ptr<SocketEntry> entry = TakeSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    CloseEntry(s, *entry);
    return 0;
}

int bind(SOCKET s, const sockaddr* name, int namelen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    sockaddr_in address;
    if (!entry || !ReadAddress(name, namelen, address))
        return SOCKET_ERROR;
    return Check(posixnet::Bind(entry->fd, &address, sizeof address));
}

int listen(SOCKET s, int backlog)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (entry->type != SOCK_STREAM)
        return Fail(WSAEOPNOTSUPP);
    if (posixnet::Listen(entry->fd, backlog) < 0)
        return FailWithErrno();
    entry->listening = true;
    AfterListen(s, *entry);
    return 0;
}

SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return INVALID_SOCKET;
    if (!entry->listening) {
        Fail(WSAEINVAL);
        return INVALID_SOCKET;
    }
    if (addr && !CheckAddressBuffer(addr, addrlen))
        return INVALID_SOCKET;
    const int fd = posixnet::Accept(entry->fd, addr, addr ? addrlen : nullptr, entry->nonBlocking);
    const int error = errno;
    AfterAccept(s, *entry);
    if (fd < 0) {
        Fail(ErrorFromErrno(error));
        return INVALID_SOCKET;
    }
    auto accepted = std::make_shared<SocketEntry>(fd, SOCK_STREAM);
    accepted->connected = true;
    accepted->nonBlocking = entry->nonBlocking;
    return AddSocket(std::move(accepted));
}

int connect(SOCKET s, const sockaddr* name, int namelen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    sockaddr_in address;
    if (!entry || !ReadAddress(name, namelen, address))
        return SOCKET_ERROR;
    if (entry->listening)
        return Fail(WSAEINVAL);
    if (entry->type == SOCK_STREAM && entry->connected)
        return Fail(WSAEISCONN);
    if (entry->connecting)
        return Fail(WSAEALREADY);
    const int result = posixnet::Connect(entry->fd, &address, sizeof address);
    const int error = result < 0 ? errno : 0;
    if (entry->type == SOCK_DGRAM)
        return result < 0 ? Fail(ErrorFromErrno(error)) : 0;
    if (result == 0 && !entry->nonBlocking) {
        entry->connected = true;
        return 0;
    }
    if (result == 0 || error == EINPROGRESS) {
        // A non-blocking connect always completes through FD_CONNECT, as on Winsock.
        entry->connecting = true;
        AfterConnectStarted(s, *entry);
        return Fail(WSAEWOULDBLOCK);
    }
    const int mapped = ErrorFromErrno(error);
    const bool reportedLater = mapped == WSAECONNREFUSED || mapped == WSAETIMEDOUT ||
                               mapped == WSAENETUNREACH || mapped == WSAEHOSTUNREACH;
    if (entry->nonBlocking && reportedLater) {
        AfterConnectFailed(s, *entry, mapped);
        return Fail(WSAEWOULDBLOCK);
    }
    return Fail(mapped);
}

int send(SOCKET s, const char* buf, int len, int flags)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    const long sent = posixnet::Send(entry->fd, buf, std::size_t(len), flags & MSG_OOB);
    if (sent < 0) {
        const int error = ErrorFromErrno(errno);
        if (error == WSAEWOULDBLOCK)
            AfterSendWouldBlock(s, *entry);
        return Fail(error);
    }
    // A short send means the buffer is full, as a send that would block.
    if (sent < len)
        AfterSendWouldBlock(s, *entry);
    return int(sent);
}

int recv(SOCKET s, char* buf, int len, int flags)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    long received = 0;
    int error = 0;
    if (len > 0) {
        received = posixnet::Receive(entry->fd, buf, std::size_t(len), flags & MSG_PEEK, flags & MSG_OOB);
        error = errno;
    }
    AfterRecv(s, *entry);
    return received < 0 ? Fail(ErrorFromErrno(error)) : int(received);
}

int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    sockaddr_in address;
    if (!entry || !ReadAddress(to, tolen, address))
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    const long sent = posixnet::SendTo(entry->fd, buf, std::size_t(len), flags & MSG_OOB, &address, sizeof address);
    if (sent < 0) {
        const int error = ErrorFromErrno(errno);
        if (error == WSAEWOULDBLOCK)
            AfterSendWouldBlock(s, *entry);
        return Fail(error);
    }
    return int(sent);
}

int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry || (from && !CheckAddressBuffer(from, fromlen)))
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return Fail(WSAEFAULT);
    const long received = posixnet::ReceiveFrom(entry->fd, buf, std::size_t(len), flags & MSG_PEEK,
                                                flags & MSG_OOB, from, from ? fromlen : nullptr);
    const int error = errno;
    AfterRecv(s, *entry);
    return received < 0 ? Fail(ErrorFromErrno(error)) : int(received);
}

int shutdown(SOCKET s, int how)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (how < SD_RECEIVE || how > SD_BOTH)
        return Fail(WSAEINVAL);
    return Check(posixnet::Shutdown(entry->fd, how));
}

namespace {

bool IntOption(int optname, posixnet::Option& option)
{
    switch (optname) {
    case SO_REUSEADDR:
        option = posixnet::Option::ReuseAddress;
        return true;
    case SO_KEEPALIVE:
        option = posixnet::Option::KeepAlive;
        return true;
    case SO_BROADCAST:
        option = posixnet::Option::Broadcast;
        return true;
    case SO_SNDBUF:
        option = posixnet::Option::SendBuffer;
        return true;
    case SO_RCVBUF:
        option = posixnet::Option::ReceiveBuffer;
        return true;
    default:
        return false;
    }
}

} // namespace

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!optval)
        return Fail(WSAEFAULT);
    if (level != SOL_SOCKET)
        return Fail(WSAENOPROTOOPT);
    if (optname == SO_LINGER) {
        if (entry->type != SOCK_STREAM)
            return Fail(WSAENOPROTOOPT);
        if (optlen < int(sizeof(linger)))
            return Fail(WSAEFAULT);
        // Applied when the socket is closed: on with 0 seconds resets the connection; otherwise
        // the close is graceful and never blocks the caller.
        std::memcpy(&entry->lingerValue, optval, sizeof(linger));
        return 0;
    }
    posixnet::Option option;
    if (!IntOption(optname, option))
        return Fail(WSAENOPROTOOPT);
    if (optlen < int(sizeof(int)))
        return Fail(WSAEFAULT);
    int value;
    std::memcpy(&value, optval, sizeof value);
    return Check(posixnet::SetOption(entry->fd, option, value));
}

int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!optval || !optlen)
        return Fail(WSAEFAULT);
    if (level != SOL_SOCKET)
        return Fail(WSAENOPROTOOPT);
    if (optname == SO_LINGER) {
        if (*optlen < int(sizeof(linger)))
            return Fail(WSAEFAULT);
        std::memcpy(optval, &entry->lingerValue, sizeof(linger));
        *optlen = sizeof(linger);
        return 0;
    }
    int value = 0;
    posixnet::Option option;
    if (optname == SO_ERROR) {
        if (posixnet::TakePendingError(entry->fd, &value) < 0)
            return FailWithErrno();
        value = value ? ErrorFromErrno(value) : 0;
    } else if (optname == SO_TYPE) {
        value = entry->type;
    } else if (IntOption(optname, option)) {
        if (posixnet::GetOption(entry->fd, option, &value) < 0)
            return FailWithErrno();
    } else {
        return Fail(WSAENOPROTOOPT);
    }
    if (*optlen < int(sizeof value))
        return Fail(WSAEFAULT);
    std::memcpy(optval, &value, sizeof value);
    *optlen = sizeof value;
    return 0;
}

int ioctlsocket(SOCKET s, long cmd, u_long* argp)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (!argp)
        return Fail(WSAEFAULT);
    if (cmd == FIONREAD) {
        int count = 0;
        if (posixnet::BytesReadable(entry->fd, &count) < 0)
            return FailWithErrno();
        *argp = u_long(count);
        return 0;
    }
    if (cmd == FIONBIO) {
        const bool on = *argp != 0;
        if (!on && entry->mask != 0)
            return Fail(WSAEINVAL); // a registered socket stays non-blocking
        if (posixnet::SetNonBlocking(entry->fd, on) < 0)
            return FailWithErrno();
        entry->nonBlocking = on;
        return 0;
    }
    return Fail(WSAEINVAL);
}

int getsockname(SOCKET s, sockaddr* name, int* namelen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry || !CheckAddressBuffer(name, namelen))
        return SOCKET_ERROR;
    return Check(posixnet::LocalAddress(entry->fd, name, namelen));
}

int getpeername(SOCKET s, sockaddr* name, int* namelen)
{
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry || !CheckAddressBuffer(name, namelen))
        return SOCKET_ERROR;
    return Check(posixnet::PeerAddress(entry->fd, name, namelen));
}

} // namespace win
