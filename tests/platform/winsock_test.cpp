// The Winsock stand-in: readiness messages and their re-enabling rules, error numbers, handles that
// are never reused, look-ups through a test resolver, address texts and the session.
#include "platform/threads/sync_objects.h"
#include "platform/winsock/winsock.h"
#include "support/pump.h"
#include "support/tcp_peer.h"
#include "support/test_resolver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

using namespace win;

namespace {

constexpr UINT SelectMsg = WM_USER + 1;
constexpr UINT LookupMsg = WM_USER + 2;
constexpr UINT Marker = WM_USER + 99;
constexpr long AllEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;

// A message target that records the notifications it receives.
struct Recorder {
    std::vector<TMessage> got;
    int markers = 0;
    HWND wnd = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == Marker)
            ++markers;
        else
            got.push_back(m);
    });
    ~Recorder() { DeallocateHWnd(wnd); }

    // The events of s, in the order they arrived, each with its error.
    std::vector<std::pair<long, int>> Events(SOCKET s) const
    {
        std::vector<std::pair<long, int>> events;
        for (const TMessage& m : got) {
            if (m.Msg == SelectMsg && m.WParam == s)
                events.emplace_back(WSAGETSELECTEVENT(m.LParam), WSAGETSELECTERROR(m.LParam));
        }
        return events;
    }
    int Count(SOCKET s, long event) const
    {
        int count = 0;
        for (const auto& [e, error] : Events(s))
            count += e == event;
        return count;
    }
    // Returns once every readiness that is true now has been posted and delivered: the first
    // marker lets the notifiers run, the second delivers what they posted.
    void Settle()
    {
        for (int round = 0; round < 2; ++round) {
            const int target = markers + 1;
            PostMessage(wnd, Marker, 0, 0);
            ASSERT_TRUE(pumpUntil([&] { return markers == target; }));
        }
    }
};

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(win::u_short(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

const sockaddr* Raw(const sockaddr_in& address) { return reinterpret_cast<const sockaddr*>(&address); }

int LocalPort(SOCKET s)
{
    sockaddr_in address{};
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

using Events = std::vector<std::pair<long, int>>;

class Winsock : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override { WSACleanup(); }

    // A socket registered for every event and connecting to port.
    SOCKET ConnectAsync(int port)
    {
        const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        EXPECT_NE(s, INVALID_SOCKET);
        EXPECT_EQ(WSAAsyncSelect(s, rec.wnd, SelectMsg, AllEvents), 0);
        EXPECT_EQ(connect(s, Raw(Loopback(port)), sizeof(sockaddr_in)), SOCKET_ERROR);
        EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
        return s;
    }

    // A listening socket on a free loopback port, not registered.
    SOCKET ListenLoopback()
    {
        const SOCKET l = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        EXPECT_EQ(bind(l, Raw(Loopback(0)), sizeof(sockaddr_in)), 0);
        EXPECT_EQ(listen(l, 5), 0);
        return l;
    }

    Recorder rec;
};

} // namespace

TEST_F(Winsock, ConnectReadAndCloseFollowTheReEnablingRules)
{
    PeerListener listener;
    const SOCKET s = ConnectAsync(listener.Port());
    PeerConnection peer = listener.Accept();
    ASSERT_TRUE(peer.Valid());
    ASSERT_TRUE(pumpUntil([&] { return rec.Events(s).size() >= 2; }));
    rec.Settle();
    EXPECT_EQ(rec.Events(s), (Events{{FD_CONNECT, 0}, {FD_WRITE, 0}})) << "FD_WRITE once the connection is up";

    ASSERT_TRUE(peer.Write("hello"));
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_READ) == 1; }));
    ASSERT_TRUE(peer.Write(" world"));
    rec.Settle();
    EXPECT_EQ(rec.Count(s, FD_READ), 1) << "no new FD_READ before recv";

    char buffer[64];
    ASSERT_EQ(recv(s, buffer, 4, 0), 4);
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_READ) == 2; })) << "recv re-enables, data remains";

    peer.Close();
    rec.Settle();
    EXPECT_EQ(rec.Count(s, FD_CLOSE), 0) << "FD_CLOSE waits until every byte was read";
    ASSERT_EQ(recv(s, buffer, sizeof buffer, 0), 7);
    EXPECT_EQ(QByteArray(buffer, 7), "o world");
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_CLOSE) == 1; }));
    EXPECT_EQ(recv(s, buffer, sizeof buffer, 0), 0);
    rec.Settle();
    EXPECT_EQ(rec.Events(s).back(), std::make_pair(long(FD_CLOSE), 0));
    EXPECT_EQ(rec.Count(s, FD_CLOSE), 1) << "FD_CLOSE comes once";
    EXPECT_EQ(closesocket(s), 0);
}

TEST_F(Winsock, WriteIsReportedAgainOnlyAfterASendWouldBlock)
{
    PeerListener listener;
    const SOCKET s = ConnectAsync(listener.Port());
    PeerConnection peer = listener.Accept();
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_WRITE) == 1; }));
    const int small = 4096;
    ASSERT_EQ(setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&small), sizeof small), 0);

    const QByteArray chunk(65536, 'x');
    qsizetype sent = 0;
    int result;
    for (int i = 0; i < 1000 && (result = send(s, chunk.constData(), int(chunk.size()), 0)) > 0; ++i)
        sent += result;
    ASSERT_EQ(result, SOCKET_ERROR);
    ASSERT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    rec.Settle();
    EXPECT_EQ(rec.Count(s, FD_WRITE), 1);

    EXPECT_EQ(peer.Read(int(sent)).size(), sent);
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_WRITE) == 2; }));
    rec.Settle();
    EXPECT_EQ(rec.Count(s, FD_WRITE), 2);
    closesocket(s);
}

TEST_F(Winsock, RegistrationPostsConditionsThatAreAlreadyTrue)
{
    const SOCKET l = ListenLoopback();
    PeerConnection first = PeerConnection::Connect(LocalPort(l));
    ASSERT_TRUE(first.Write("xyz"));
    first.Close();

    ASSERT_EQ(WSAAsyncSelect(l, rec.wnd, SelectMsg, FD_ACCEPT), 0);
    rec.Settle();
    EXPECT_EQ(rec.Events(l), (Events{{FD_ACCEPT, 0}}));

    const SOCKET a = accept(l, nullptr, nullptr);
    ASSERT_NE(a, INVALID_SOCKET);
    ASSERT_EQ(WSAAsyncSelect(a, rec.wnd, SelectMsg, FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE), 0);
    rec.Settle();
    EXPECT_EQ(rec.Events(a), (Events{{FD_WRITE, 0}, {FD_READ, 0}})) << "connected, with data waiting";
    char buffer[8];
    EXPECT_EQ(recv(a, buffer, sizeof buffer, 0), 3);
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(a, FD_CLOSE) == 1; })) << "the close that was waiting too";

    // FD_ACCEPT comes again only after accept.
    PeerConnection second = PeerConnection::Connect(LocalPort(l));
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(l, FD_ACCEPT) == 2; }));
    PeerConnection third = PeerConnection::Connect(LocalPort(l));
    rec.Settle();
    EXPECT_EQ(rec.Count(l, FD_ACCEPT), 2);
    closesocket(accept(l, nullptr, nullptr));
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(l, FD_ACCEPT) == 3; }));
    closesocket(a);
    closesocket(l);
}

TEST_F(Winsock, RefusedConnectIsReportedThroughFdConnectOnly)
{
    RefusingPort refusing;
    const SOCKET s = ConnectAsync(refusing.Port());
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_CONNECT) == 1; }));
    rec.Settle();
    EXPECT_EQ(rec.Events(s), (Events{{FD_CONNECT, WSAECONNREFUSED}}));
    closesocket(s);
}

TEST_F(Winsock, AConnectionResetBeforeItsConnectWasSeenConnectsAndThenCloses)
{
    PeerListener listener;
    const SOCKET s = ConnectAsync(listener.Port());
    // The peer accepts and resets before this side has pumped a single message.
    PeerConnection peer = listener.Accept();
    ASSERT_TRUE(peer.Valid());
    peer.Reset();
    ASSERT_TRUE(pumpUntil([&] { return rec.Count(s, FD_CLOSE) == 1; }));
    rec.Settle();
    const Events events = rec.Events(s);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), std::make_pair(long(FD_CONNECT), 0)) << "the connection was made";
    EXPECT_EQ(events.back(), std::make_pair(long(FD_CLOSE), int(WSAECONNRESET)));
    EXPECT_EQ(rec.Count(s, FD_CLOSE), 1);
    closesocket(s);
}

TEST_F(Winsock, CallsReportWinsockErrorNumbers)
{
    const SOCKET l = ListenLoopback();
    const SOCKET other = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_EQ(bind(other, Raw(Loopback(LocalPort(l))), sizeof(sockaddr_in)), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEADDRINUSE);
    EXPECT_EQ(accept(other, nullptr, nullptr), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    EXPECT_EQ(connect(l, Raw(Loopback(1)), sizeof(sockaddr_in)), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
    const SOCKET udp = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    EXPECT_EQ(listen(udp, 1), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEOPNOTSUPP);
    EXPECT_EQ(recv(SOCKET(123456789), nullptr, 0, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);

    // Blocking calls on an unregistered socket; a reset peer gives 10054, never SIGPIPE.
    const SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(connect(client, Raw(Loopback(LocalPort(l))), sizeof(sockaddr_in)), 0);
    const SOCKET server = accept(l, nullptr, nullptr);
    const linger hard{1, 0};
    setsockopt(server, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    closesocket(server);
    int result = 0;
    for (int i = 0; i < 100 && (result = send(client, "x", 1, 0)) == 1; ++i) {
    }
    EXPECT_EQ(result, SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAECONNRESET);
    for (SOCKET s : {l, other, udp, client})
        closesocket(s);
}

TEST_F(Winsock, ClosingDropsQueuedNotificationsAndHandlesAreNeverReused)
{
    const SOCKET l = ListenLoopback();
    PeerConnection peer = PeerConnection::Connect(LocalPort(l));
    ASSERT_TRUE(peer.Write("data"));
    const SOCKET a = accept(l, nullptr, nullptr);
    ASSERT_EQ(WSAAsyncSelect(a, rec.wnd, SelectMsg, AllEvents), 0);
    ASSERT_GE(QueuedMessageCount(), 2) << "FD_WRITE and FD_READ wait in the queue";
    ASSERT_EQ(closesocket(a), 0);
    rec.Settle();
    EXPECT_TRUE(rec.Events(a).empty());

    const SOCKET next = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    EXPECT_GT(next, a);
    EXPECT_EQ(closesocket(a), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
    closesocket(next);
    closesocket(l);
}

namespace {

QStringList Addresses(const hostent* host)
{
    QStringList list;
    for (char** item = host->h_addr_list; *item; ++item) {
        in_addr address;
        std::memcpy(&address.s_addr, *item, sizeof address.s_addr);
        list << QString::fromLatin1(inet_ntoa(address));
    }
    return list;
}

} // namespace

TEST_F(Winsock, LookupsCompleteAsMessagesWithTheResolversAnswer)
{
    ResolverScope scope;
    alignas(hostent) char buffer[MAXGETHOSTSTRUCT];

    const HANDLE ok = WSAAsyncGetHostByName(rec.wnd, LookupMsg, "alpha.test", buffer, sizeof buffer);
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return !rec.got.empty(); }));
    EXPECT_EQ(rec.got[0].Msg, LookupMsg);
    EXPECT_EQ(rec.got[0].WParam, reinterpret_cast<WPARAM>(ok));
    EXPECT_EQ(WSAGETASYNCERROR(rec.got[0].LParam), 0);
    const auto* host = reinterpret_cast<const hostent*>(buffer);
    EXPECT_STREQ(host->h_name, "alpha.test");
    EXPECT_EQ(Addresses(host), (QStringList{"10.0.0.1", "10.0.0.2"}));

    const HANDLE missing = WSAAsyncGetHostByName(rec.wnd, LookupMsg, "beta.test", buffer, sizeof buffer);
    ASSERT_NE(missing, ok) << "task handles are never reused";
    ASSERT_TRUE(pumpUntil([&] { return rec.got.size() == 2; }));
    EXPECT_EQ(WSAGETASYNCERROR(rec.got[1].LParam), WSAHOST_NOT_FOUND);

    const win::u_long address = htonl(0x0A000001);
    WSAAsyncGetHostByAddr(rec.wnd, LookupMsg, reinterpret_cast<const char*>(&address), 4, AF_INET, buffer,
                          sizeof buffer);
    ASSERT_TRUE(pumpUntil([&] { return rec.got.size() == 3; }));
    EXPECT_EQ(WSAGETASYNCERROR(rec.got[2].LParam), 0);
    EXPECT_STREQ(host->h_name, "alpha.test");

    const hostent* blocking = gethostbyname("alpha.test");
    ASSERT_NE(blocking, nullptr);
    EXPECT_EQ(Addresses(blocking).size(), 2);
    EXPECT_EQ(gethostbyname("beta.test"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
}

TEST_F(Winsock, CancelledLookupSendsNothingAndLeavesTheBufferAlone)
{
    auto release = std::make_shared<TEvent>();
    auto started = std::make_shared<TEvent>();
    HostResolver slow = TestResolver();
    slow.ByName = [release, started, fixed = slow.ByName](const std::string& name, std::string& official,
                                                          std::vector<win::u_long>& addresses) {
        started->SetEvent();
        release->WaitFor(5000);
        return fixed(name, official, addresses);
    };
    ResolverScope scope(slow);
    alignas(hostent) char buffer[MAXGETHOSTSTRUCT];
    std::memset(buffer, 0x5A, sizeof buffer);

    const HANDLE task = WSAAsyncGetHostByName(rec.wnd, LookupMsg, "alpha.test", buffer, sizeof buffer);
    ASSERT_EQ(started->WaitFor(5000), wrSignaled);
    EXPECT_EQ(WSACancelAsyncRequest(task), 0);
    release->SetEvent();

    // A later look-up reports; the cancelled one never does.
    alignas(hostent) char other[MAXGETHOSTSTRUCT];
    WSAAsyncGetHostByName(rec.wnd, LookupMsg, "alpha.test", other, sizeof other);
    ASSERT_TRUE(pumpUntil([&] { return !rec.got.empty(); }));
    rec.Settle();
    ASSERT_EQ(rec.got.size(), 1u);
    EXPECT_NE(rec.got[0].WParam, reinterpret_cast<WPARAM>(task));
    EXPECT_EQ(std::count(buffer, buffer + sizeof buffer, 0x5A), long(sizeof buffer));
    EXPECT_EQ(WSACancelAsyncRequest(task), SOCKET_ERROR) << "nothing left to cancel";
}

TEST(WinsockNames, DottedAddressesAreFourDecimalNumbers)
{
    const struct {
        const char* text;
        const char* expected; // null: INADDR_NONE
    } cases[] = {
        {"127.0.0.1", "127.0.0.1"},   {"192.168.001.010", "192.168.1.10"}, {" 10.1.2.3 ", "10.1.2.3"},
        {"0.0.0.0", "0.0.0.0"},       {"256.1.1.1", nullptr},              {"1.2.3", nullptr},
        {"1.2.3.4.5", nullptr},       {"1.2.3.x", nullptr},                {"0x7f.0.0.1", nullptr},
        {"", nullptr},                {"1..2.3", nullptr},                 {"99999999999.1.1.1", nullptr},
    };
    for (const auto& c : cases) {
        const win::u_long address = inet_addr(c.text);
        if (!c.expected) {
            EXPECT_EQ(address, INADDR_NONE) << c.text;
            continue;
        }
        EXPECT_STREQ(inet_ntoa(in_addr{address}), c.expected) << c.text;
    }
    const win::u_short port = htons(0x1234);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&port)[0], 0x12) << "network order is big-endian";
    EXPECT_EQ(ntohs(port), 0x1234);
    EXPECT_EQ(ntohl(htonl(0x01020304)), 0x01020304u);
}

TEST_F(Winsock, ServicesAndProtocolsHaveBuiltInFallbacks)
{
    const struct {
        const char* name;
        int port;
    } services[] = {{"ftp", 21}, {"ftp-data", 20}, {"telnet", 23}, {"http", 80}, {"socks", 1080}};
    for (const auto& service : services) {
        const servent* entry = getservbyname(service.name, "tcp");
        ASSERT_NE(entry, nullptr) << service.name;
        EXPECT_EQ(ntohs(win::u_short(entry->s_port)), service.port) << service.name;
    }
    EXPECT_EQ(getservbyname("no-such-service", "tcp"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANO_DATA);

    const struct {
        const char* name;
        int number;
    } protocols[] = {{"tcp", 6}, {"udp", 17}, {"icmp", 1}};
    for (const auto& protocol : protocols) {
        const protoent* entry = getprotobyname(protocol.name);
        ASSERT_NE(entry, nullptr) << protocol.name;
        EXPECT_EQ(entry->p_proto, protocol.number);
    }
    EXPECT_EQ(getprotobyname("no-such-protocol"), nullptr);
}

TEST(WinsockSession, StartupCountsAndTheLastCleanupClosesEverything)
{
    WSADATA data;
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(socket(AF_INET, SOCK_STREAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    PeerListener listener;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(connect(s, Raw(Loopback(listener.Port())), sizeof(sockaddr_in)), 0);
    PeerConnection peer = listener.Accept();

    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(send(s, "a", 1, 0), 1) << "still started once";
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(send(s, "b", 1, 0), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    const PeerConnection::Ending ending = peer.ReadToEnd();
    EXPECT_EQ(ending.data, "a");
    EXPECT_TRUE(ending.eof) << "the last cleanup closed the socket";
}

// Sockets are opened, registered, connected and closed in waves while their notifications are in
// flight; every notification must name a socket that is open when it is delivered.
TEST_F(Winsock, StressNoNotificationReachesAClosedOrNewerSocket)
{
    const int total = qEnvironmentVariableIntValue("HFTP_SOCKET_STRESS") > 0
                          ? qEnvironmentVariableIntValue("HFTP_SOCKET_STRESS")
                          : 10000;
    const int wave = 100;
    std::set<SOCKET> open;
    SOCKET newest = 0;
    int misdelivered = 0;
    int delivered = 0;
    const SOCKET l = ListenLoopback();
    const int port = LocalPort(l);
    RefusingPort refusing;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg != SelectMsg)
            return;
        ++delivered;
        if (!open.count(SOCKET(m.WParam)))
            ++misdelivered;
        if (SOCKET(m.WParam) == l && WSAGETSELECTEVENT(m.LParam) == FD_ACCEPT)
            closesocket(accept(l, nullptr, nullptr));
    });
    open.insert(l);
    ASSERT_EQ(WSAAsyncSelect(l, wnd, SelectMsg, FD_ACCEPT), 0);

    for (int done = 0; done < total; done += wave) {
        std::vector<SOCKET> batch;
        for (int i = 0; i < wave; ++i) {
            const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            ASSERT_NE(s, INVALID_SOCKET);
            ASSERT_GT(s, newest) << "handles only grow";
            newest = s;
            open.insert(s);
            WSAAsyncSelect(s, wnd, SelectMsg, AllEvents);
            connect(s, Raw(Loopback(i % 3 ? port : refusing.Port())), sizeof(sockaddr_in));
            batch.push_back(s);
        }
        QCoreApplication::processEvents();
        for (int i = 0; i < wave; i += 2) {
            open.erase(batch[i]);
            closesocket(batch[i]);
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        for (int i = 1; i < wave; i += 2) {
            open.erase(batch[i]);
            closesocket(batch[i]);
        }
    }
    pumpUntil([] { return QueuedMessageCount() == 0; });
    DeallocateHWnd(wnd);
    closesocket(l);
    EXPECT_EQ(misdelivered, 0);
    EXPECT_GT(delivered, 0);
}
