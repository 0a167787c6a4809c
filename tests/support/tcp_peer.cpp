// PeerConnection, PeerListener and RefusingPort over POSIX sockets.
#include "support/tcp_peer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>

namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Binds a new TCP socket to 127.0.0.1 on a free port; returns the descriptor and sets port.
int BindLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return -1;
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return fd;
}

bool WaitFor(int fd, short events, QDeadlineTimer& deadline)
{
    pollfd entry{fd, events, 0};
    const int remaining = int(std::max<qint64>(deadline.remainingTime(), 0));
    return ::poll(&entry, 1, remaining) > 0;
}

} // namespace

PeerConnection& PeerConnection::operator=(PeerConnection&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

PeerConnection PeerConnection::Connect(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return PeerConnection();
    }
    return PeerConnection(fd);
}

PeerConnection PeerConnection::ConnectFrom(const char* source, int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    const sockaddr_in address = Loopback(port);
    if (::inet_pton(AF_INET, source, &local.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return PeerConnection();
    }
    return PeerConnection(fd);
}

void PeerConnection::SetReceiveBuffer(int bytes)
{
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

bool PeerConnection::Write(const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd_, data.constData() + done, std::size_t(data.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray PeerConnection::Read(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QByteArray data;
    while (data.size() < count && WaitFor(fd_, POLLIN, deadline)) {
        char buffer[65536];
        const ssize_t n = ::recv(fd_, buffer, std::min<std::size_t>(sizeof buffer, std::size_t(count - data.size())), 0);
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    return data;
}

PeerConnection::Chunk PeerConnection::ReadSome(int max, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    Chunk chunk;
    if (!WaitFor(fd_, POLLIN, deadline))
        return chunk;
    QByteArray buffer(std::min(max, 65536), '\0');
    const ssize_t n = ::recv(fd_, buffer.data(), std::size_t(buffer.size()), 0);
    if (n > 0)
        chunk.data = buffer.left(n);
    else
        chunk.ended = true;
    return chunk;
}

PeerConnection::Ending PeerConnection::ReadToEnd(int timeoutMs, int chunk)
{
    QDeadlineTimer deadline(timeoutMs);
    Ending ending;
    QByteArray buffer(chunk, '\0');
    while (WaitFor(fd_, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd_, buffer.data(), std::size_t(chunk), 0);
        if (n > 0) {
            ending.data.append(buffer.constData(), n);
            continue;
        }
        ending.eof = n == 0;
        ending.reset = n < 0 && errno == ECONNRESET;
        break;
    }
    return ending;
}

void PeerConnection::ShutdownWrite() { ::shutdown(fd_, SHUT_WR); }

void PeerConnection::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void PeerConnection::Reset()
{
    const linger hard{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    Close();
}

PeerListener::PeerListener()
{
    fd_ = BindLoopback(port_);
    ::listen(fd_, 128);
}

PeerListener::~PeerListener() { ::close(fd_); }

PeerConnection PeerListener::Accept(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    if (!WaitFor(fd_, POLLIN, deadline))
        return PeerConnection();
    return PeerConnection(::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
}

RefusingPort::RefusingPort() { fd_ = BindLoopback(port_); }

RefusingPort::~RefusingPort() { ::close(fd_); }
