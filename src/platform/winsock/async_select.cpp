// WSAAsyncSelect: socket readiness seen by Qt socket notifiers, posted as FD_* messages under
// Winsock's re-enabling rules.
//
// A notifier is switched off as soon as its condition has been posted and on again by the call that
// re-enables the event (recv for FD_READ, accept for FD_ACCEPT, a send that would block for
// FD_WRITE), so a condition that stays true is posted once, not in a loop.
#include "platform/winsock/posix_net.h"
#include "platform/winsock/winsock_internal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>

namespace win::detail {

struct SelectNotifiers {
    QSocketNotifier reader;
    QSocketNotifier writer;

    // Both start switched off without being watched first: a data connection of a queue of small
    // files makes a pair of them for each file.
    explicit SelectNotifiers(int fd) : reader(QSocketNotifier::Read), writer(QSocketNotifier::Write)
    {
        reader.setSocket(fd);
        writer.setSocket(fd);
    }
};

SocketEntry::SocketEntry(int fd, int type) : fd(fd), type(type) {}
SocketEntry::~SocketEntry() = default;

namespace {

void Post(SOCKET s, const SocketEntry& entry, long event, int error)
{
    if (entry.mask & event)
        PostMessage(entry.wnd, entry.msg, s, MAKELONG(WORD(event), WORD(error)));
}

// Switches the notifiers on exactly while a condition may be posted.
void Update(SocketEntry& entry)
{
    if (!entry.notifiers)
        return;
    bool read;
    if (entry.listening)
        read = !entry.awaitingAccept;
    else if (entry.type == SOCK_DGRAM)
        read = !entry.awaitingRecv;
    else
        read = entry.connected && !entry.awaitingRecv && !entry.closeSeen;
    const bool write = entry.connecting || (entry.connected && entry.writeWanted);
    entry.notifiers->reader.setEnabled(read);
    entry.notifiers->writer.setEnabled(write);
}

void ReadReady(SOCKET s, SocketEntry& entry)
{
    if (entry.listening) {
        entry.awaitingAccept = true;
        Post(s, entry, FD_ACCEPT, 0);
        return;
    }
    if (entry.type == SOCK_DGRAM) {
        entry.awaitingRecv = true;
        Post(s, entry, FD_READ, 0);
        return;
    }
    // Data first; the close is reported once every byte has been read.
    char byte;
    const long peeked = posixnet::Receive(entry.fd, &byte, 1, true, false);
    if (peeked > 0) {
        entry.awaitingRecv = true;
        Post(s, entry, FD_READ, 0);
        return;
    }
    const int error = peeked == 0 ? 0 : ErrorFromErrno(errno);
    if (error == WSAEWOULDBLOCK)
        return;
    entry.closeSeen = true;
    Post(s, entry, FD_CLOSE, error);
}

void WriteReady(SOCKET s, SocketEntry& entry)
{
    if (entry.connecting) {
        entry.connecting = false;
        int error = 0;
        posixnet::TakePendingError(entry.fd, &error);
        if (error == ECONNRESET) {
            // The peer took the connection and reset it before this side looked: the connect
            // succeeded, and the connection closed with the reset.
            entry.connected = true;
            entry.writeWanted = false;
            entry.closeSeen = true;
            Post(s, entry, FD_CONNECT, 0);
            Post(s, entry, FD_CLOSE, ErrorFromErrno(error));
            return;
        }
        if (error != 0) {
            entry.connectFailed = true;
            Post(s, entry, FD_CONNECT, ErrorFromErrno(error));
            return;
        }
        entry.connected = true;
        entry.writeWanted = false;
        Post(s, entry, FD_CONNECT, 0);
        Post(s, entry, FD_WRITE, 0);
        return;
    }
    if (entry.writeWanted) {
        entry.writeWanted = false;
        Post(s, entry, FD_WRITE, 0);
    }
}

template <void (*Ready)(SOCKET, SocketEntry&)>
void Activated(SOCKET s)
{
    std::shared_ptr<SocketEntry> entry = LookupSocket(s);
    if (!entry || !entry->notifiers)
        return;
    Ready(s, *entry);
    Update(*entry);
}

bool OnGuiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

void AfterRecv(SOCKET, SocketEntry& entry)
{
    entry.awaitingRecv = false;
    Update(entry);
}

void AfterAccept(SOCKET, SocketEntry& entry)
{
    entry.awaitingAccept = false;
    Update(entry);
}

void AfterListen(SOCKET, SocketEntry& entry) { Update(entry); }

void AfterSendWouldBlock(SOCKET, SocketEntry& entry)
{
    entry.writeWanted = true;
    Update(entry);
}

void AfterConnectStarted(SOCKET, SocketEntry& entry) { Update(entry); }

void AfterConnectFailed(SOCKET s, SocketEntry& entry, int error)
{
    entry.connectFailed = true;
    if (entry.notifiers)
        Post(s, entry, FD_CONNECT, error);
}

void BeforeClose(SOCKET s, SocketEntry& entry)
{
    entry.notifiers.reset();
    if (entry.wnd) {
        const UINT msg = entry.msg;
        RemoveMessages(entry.wnd, [s, msg](const TMessage& m) { return m.Msg == msg && m.WParam == s; });
    }
}

} // namespace win::detail

namespace win {

using namespace detail;

int WSAAsyncSelect(SOCKET s, HWND wnd, UINT msg, long event)
{
    if (!OnGuiThread())
        return Fail(WSAEINVAL);
    std::shared_ptr<SocketEntry> entry = FindSocket(s);
    if (!entry)
        return SOCKET_ERROR;
    if (event != 0 && !IsWindow(wnd))
        return Fail(WSAEINVAL);
    if (posixnet::SetNonBlocking(entry->fd, true) < 0)
        return FailWithErrno();
    entry->nonBlocking = true;
    entry->wnd = wnd;
    entry->msg = msg;
    entry->mask = event;
    if (event == 0) {
        entry->notifiers.reset();
        return 0;
    }
    if (!entry->notifiers) {
        entry->notifiers = std::make_unique<SelectNotifiers>(entry->fd);
        QObject::connect(&entry->notifiers->reader, &QSocketNotifier::activated, [s] { Activated<ReadReady>(s); });
        QObject::connect(&entry->notifiers->writer, &QSocketNotifier::activated, [s] { Activated<WriteReady>(s); });
    }
    // A new registration re-enables every event; conditions already true are posted now.
    entry->awaitingRecv = false;
    entry->awaitingAccept = false;
    const posixnet::Readiness now = posixnet::PollNow(entry->fd);
    if (entry->connected && entry->type == SOCK_STREAM) {
        if (now.writable)
            Post(s, *entry, FD_WRITE, 0);
        else
            entry->writeWanted = true;
    }
    const bool canRead = entry->listening || entry->type == SOCK_DGRAM || (entry->connected && !entry->closeSeen);
    if (now.readable && canRead)
        ReadReady(s, *entry);
    Update(*entry);
    return 0;
}

} // namespace win
