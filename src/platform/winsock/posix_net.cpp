// The POSIX side of the Winsock stand-in: sockets, options and name services.
#include "platform/winsock/posix_net.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace posixnet {
namespace {

int Flags(bool peek, bool outOfBand)
{
    return MSG_NOSIGNAL | (peek ? MSG_PEEK : 0) | (outOfBand ? MSG_OOB : 0);
}

int OptionName(Option option)
{
    switch (option) {
    case Option::ReuseAddress:
        return SO_REUSEADDR;
    case Option::KeepAlive:
        return SO_KEEPALIVE;
    case Option::Broadcast:
        return SO_BROADCAST;
    case Option::SendBuffer:
        return SO_SNDBUF;
    case Option::ReceiveBuffer:
        return SO_RCVBUF;
    }
    return -1;
}

int LookupError(int code)
{
    switch (code) {
    case EAI_NONAME:
        return 11001;
    case EAI_AGAIN:
        return 11002;
    case EAI_NODATA:
    case EAI_ADDRFAMILY:
        return 11004;
    default:
        return 11003;
    }
}

} // namespace

void IgnoreBrokenPipe() { std::signal(SIGPIPE, SIG_IGN); }

int OpenSocket(int type, int protocol)
{
    return ::socket(AF_INET, (type == 2 ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, protocol);
}

int CloseSocket(int fd) { return ::close(fd); }

int SetNonBlocking(int fd, bool on)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0)
        return -1;
    return ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

int Bind(int fd, const void* address, int length)
{
    return ::bind(fd, static_cast<const sockaddr*>(address), socklen_t(length));
}

int Listen(int fd, int backlog) { return ::listen(fd, backlog); }

int Accept(int fd, void* address, int* length, bool nonBlocking)
{
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    const int result = ::accept4(fd, reinterpret_cast<sockaddr*>(&peer), &size,
                                 SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0));
    if (result >= 0 && address && length) {
        std::memcpy(address, &peer, std::min<std::size_t>(std::size_t(std::max(*length, 0)), size));
        *length = int(size);
    }
    return result;
}

int Connect(int fd, const void* address, int length)
{
    return ::connect(fd, static_cast<const sockaddr*>(address), socklen_t(length));
}

long Send(int fd, const void* data, std::size_t length, bool outOfBand)
{
    return ::send(fd, data, length, Flags(false, outOfBand));
}

long Receive(int fd, void* data, std::size_t length, bool peek, bool outOfBand)
{
    return ::recv(fd, data, length, Flags(peek, outOfBand));
}

long SendTo(int fd, const void* data, std::size_t length, bool outOfBand, const void* address, int addressLength)
{
    return ::sendto(fd, data, length, Flags(false, outOfBand), static_cast<const sockaddr*>(address),
                    socklen_t(addressLength));
}

long ReceiveFrom(int fd, void* data, std::size_t length, bool peek, bool outOfBand, void* address,
                 int* addressLength)
{
    socklen_t size = addressLength ? socklen_t(std::max(*addressLength, 0)) : 0;
    const long result = ::recvfrom(fd, data, length, Flags(peek, outOfBand), static_cast<sockaddr*>(address),
                                   address ? &size : nullptr);
    if (result >= 0 && addressLength)
        *addressLength = int(size);
    return result;
}

int Shutdown(int fd, int how) { return ::shutdown(fd, how == 0 ? SHUT_RD : how == 1 ? SHUT_WR : SHUT_RDWR); }

int SetOption(int fd, Option option, int value)
{
    return ::setsockopt(fd, SOL_SOCKET, OptionName(option), &value, sizeof value);
}

int GetOption(int fd, Option option, int* value)
{
    socklen_t size = sizeof *value;
    return ::getsockopt(fd, SOL_SOCKET, OptionName(option), value, &size);
}

int SetResetOnClose(int fd, bool reset)
{
    const ::linger value{reset ? 1 : 0, 0};
    return ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &value, sizeof value);
}

int TakePendingError(int fd, int* error)
{
    socklen_t size = sizeof *error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, error, &size);
}

int BytesReadable(int fd, int* count) { return ::ioctl(fd, FIONREAD, count); }

int LocalAddress(int fd, void* address, int* length)
{
    socklen_t size = socklen_t(std::max(*length, 0));
    const int result = ::getsockname(fd, static_cast<sockaddr*>(address), &size);
    *length = int(size);
    return result;
}

int PeerAddress(int fd, void* address, int* length)
{
    socklen_t size = socklen_t(std::max(*length, 0));
    const int result = ::getpeername(fd, static_cast<sockaddr*>(address), &size);
    *length = int(size);
    return result;
}

Readiness PollNow(int fd)
{
    pollfd entry{fd, POLLIN | POLLOUT, 0};
    Readiness result;
    if (::poll(&entry, 1, 0) > 0) {
        result.readable = entry.revents & (POLLIN | POLLHUP | POLLERR);
        result.writable = entry.revents & POLLOUT;
    }
    return result;
}

int ResolveName(const std::string& name, std::string& officialName, std::vector<std::uint32_t>& addresses)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    const int code = ::getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (code != 0)
        return LookupError(code);
    officialName = list->ai_canonname ? list->ai_canonname : name;
    addresses.clear();
    for (const addrinfo* it = list; it; it = it->ai_next) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(it->ai_addr);
        const std::uint32_t address = in->sin_addr.s_addr;
        if (std::find(addresses.begin(), addresses.end(), address) == addresses.end())
            addresses.push_back(address);
    }
    ::freeaddrinfo(list);
    return addresses.empty() ? 11004 : 0;
}

int ResolveAddress(std::uint32_t address, std::string& hostName)
{
    sockaddr_in in{};
    in.sin_family = AF_INET;
    in.sin_addr.s_addr = address;
    std::array<char, NI_MAXHOST> host{};
    const int code = ::getnameinfo(reinterpret_cast<const sockaddr*>(&in), sizeof in, host.data(), host.size(),
                                   nullptr, 0, NI_NAMEREQD);
    if (code != 0)
        return LookupError(code);
    hostName = host.data();
    return 0;
}

bool FindService(const char* name, const char* proto, int* port, std::string* officialName)
{
    servent entry{};
    servent* found = nullptr;
    std::array<char, 1024> buffer{};
    if (::getservbyname_r(name, proto, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    *port = ntohs(std::uint16_t(found->s_port));
    *officialName = found->s_name;
    return true;
}

bool FindProtocol(const char* name, int* number, std::string* officialName)
{
    protoent entry{};
    protoent* found = nullptr;
    std::array<char, 1024> buffer{};
    if (::getprotobyname_r(name, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    *number = found->p_proto;
    *officialName = found->p_name;
    return true;
}

} // namespace posixnet
