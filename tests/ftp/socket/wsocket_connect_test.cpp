// The socket layer: connecting, refused connections, property rules, resolution errors and the
// error raising path; the send-queue chunk and the error texts.
#include "ftp/socket/winsock_library.h"
#include "ftp/socket/wsocket.h"
#include "ftp/socket/wsocket_resolve.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"
#include "support/test_resolver.h"

#include <gtest/gtest.h>

TEST(WSocketConnect, SuccessRunsTheStatesAndReportsTheAddresses)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    ASSERT_TRUE(pumpUntil([&] { return log.Has("connected 0"); }));
    EXPECT_EQ(log.lines, (QStringList{"state Closed>Opened", "state Opened>Connecting", "state Connecting>Connected",
                                      "connected 0"}));
    EXPECT_EQ(socket.PeerAddr(), "127.0.0.1");
    EXPECT_EQ(socket.PeerPort(), QString::number(listener.Port()));
    EXPECT_EQ(socket.GetXAddr(), "127.0.0.1");
    EXPECT_GT(socket.GetXPort().toInt(), 0);

    socket.SetLingerOnOff(wsLingerOff);
    ASSERT_EQ(socket.SendStr("bye"), 3);
    socket.Close();
    EXPECT_EQ(log.lines.mid(4), (QStringList{"state Connected>Closed", "closed 0"}));
    EXPECT_EQ(socket.PeerAddr(), "error");
    const PeerConnection::Ending ending = peer.ReadToEnd();
    EXPECT_EQ(ending.data, "bye");
    EXPECT_TRUE(ending.eof) << "a close with linger off is graceful";
}

TEST(WSocketConnect, RefusedConnectionReportsTheErrorAndCloses)
{
    RefusingPort refusing;
    TWSocket socket;
    EventLog log;
    log.Attach(socket);
    socket.SetAddr("127.0.0.1");
    socket.SetPort(QString::number(refusing.Port()));
    socket.Connect();
    ASSERT_TRUE(pumpUntil([&] { return socket.State() == wsClosed; }));
    EXPECT_EQ(log.lines, (QStringList{"state Closed>Opened", "state Opened>Connecting", "state Connecting>Connected",
                                      "connected 10061", "state Connected>Closed", "closed 0"}));
    EXPECT_EQ(WSocketErrorDesc(10061), "Connection refused");
}

TEST(WSocketConnect, PropertiesChangeOnlyWhileClosed)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), "Connect: Socket already in use");
    const struct {
        std::function<void()> change;
        QString message;
    } cases[] = {
        {[&] { socket.SetAddr("10.0.0.1"); }, "Cannot change Addr if not closed"},
        {[&] { socket.SetPort("21"); }, "Cannot change Port if not closed"},
        {[&] { socket.SetProto("udp"); }, "Cannot change Proto if not closed"},
        {[&] { socket.SetLocalAddr("127.0.0.1"); }, "Cannot change LocalAddr if not closed"},
        {[&] { socket.SetLocalPort("2121"); }, "Cannot change LocalPort if not closed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RaisedMessage(c.change), c.message);
    EXPECT_EQ(socket.Addr(), "127.0.0.1");

    // With OnError assigned nothing is raised: the handler is told instead.
    int errors = 0;
    socket.OnError = [&](TObject*) { ++errors; };
    socket.SetPort("21");
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(socket.Port(), QString::number(listener.Port()));
}

TEST(WSocketConnect, ResolutionErrorsCarryTheirTexts)
{
    ResolverScope resolver;
    RefusingPort refusing;
    const QString port = QString::number(refusing.Port());
    const struct {
        QString addr, port, proto, message;
    } cases[] = {
        {"", port, "tcp", "WSocketResolveHost: '' Invalid Hostname."},
        {QString(257, 'a'), port, "tcp", QStringLiteral("WSocketResolveHost: '%1' Invalid Hostname.").arg(QString(257, 'a'))},
        {"nowhere.test", port, "tcp", "WSocketResolveHost: Cannot convert host address 'nowhere.test', Error #11001"},
        {"256.1.1.1", port, "tcp", "WSocketResolveHost: Cannot convert host address '256.1.1.1', Error #11001"},
        {"127.0.0.1", "", "tcp", "WSocketResolvePort: Invalid Port."},
        {"127.0.0.1", QString(32, '1'), "tcp", "WSocketResolvePort: Invalid Port."},
        {"127.0.0.1", "70000", "tcp", "WSocketResolvePort: Invalid Port."},
        {"127.0.0.1", "no-such-service", "tcp", "WSocketResolvePort: Cannot convert port 'no-such-service', Error #11004"},
        {"127.0.0.1", port, "", "WSocketResolveProto: Invalid Protocol."},
        {"127.0.0.1", port, QString(32, 'p'), "WSocketResolveProto: Invalid Protocol."},
        {"127.0.0.1", port, "no-such-protocol", "WSocketResolveProto: Cannot convert protocol 'no-such-protocol', Error #11004"},
    };
    for (const auto& c : cases) {
        TWSocket socket;
        socket.SetAddr(c.addr);
        socket.SetPort(c.port);
        socket.SetProto(c.proto);
        EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), c.message)
            << (c.addr + ' ' + c.port + ' ' + c.proto).toStdString();
        EXPECT_EQ(socket.State(), wsClosed);
    }

    TWSocket socket;
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), "Connect: No Port Specified");
    socket.SetPort("21");
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), "Connect: No IP Address Specified");
    EXPECT_EQ(RaisedMessage([&] { socket.SetLocalAddr("localhost"); }), "SetLocalAddr(): Invalid IP address");
    EXPECT_EQ(WSocketResolvePort("ftp", "tcp"), win::htons(21));
    EXPECT_EQ(WSocketResolvePort(" 2121", "tcp"), win::htons(2121));
    EXPECT_EQ(WSocketResolveProto("udp"), 17);
}

TEST(WSocketConnect, BindsToTheLocalAddressAndReadsThePortBack)
{
    PeerListener listener;
    PeerConnection peer;
    TWSocket socket;
    socket.SetLocalAddr(" 127.0.0.1 ");
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    EXPECT_EQ(socket.GetXAddr(), "127.0.0.1");
    EXPECT_NE(socket.LocalPort(), "0");
    EXPECT_EQ(socket.LocalPort(), socket.GetXPort());
}

TEST(WSocketConnect, SendOnAnUnconnectedSocketFailsWith10057)
{
    TWSocket socket;
    EXPECT_EQ(RaisedMessage([&] { EXPECT_EQ(socket.Send("x", 1), -1); }),
              "Error 10057 in function Send\r\nSocket is not connected");

    int errors = 0;
    socket.OnError = [&](TObject*) { ++errors; };
    EXPECT_EQ(socket.Send("x", 1), -1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(socket.LastError(), 10057) << "the handler finds the number in LastError";
}

TEST(WSocketConnect, DatagramsGoToTheConnectedAddress)
{
    TWSocket server;
    EventLog serverLog;
    serverLog.Attach(server);
    QByteArray received;
    int fromPort = 0;
    server.OnDataAvailable = [&](TObject*, win::WORD) {
        char buffer[64];
        win::sockaddr_in from{};
        int fromLen = sizeof from;
        const int count = server.ReceiveFrom(buffer, sizeof buffer, from, fromLen);
        if (count > 0) {
            received.append(buffer, count);
            fromPort = win::ntohs(from.sin_port);
        }
    };
    server.SetProto("udp");
    server.SetAddr("127.0.0.1");
    server.SetPort("0");
    server.Listen();
    EXPECT_EQ(serverLog.lines, (QStringList{"state Closed>Bound", "state Bound>Listening", "state Listening>Connected",
                                            "connected 0"}));

    TWSocket client;
    EventLog log;
    log.Attach(client);
    client.SetProto("udp");
    client.SetAddr("127.0.0.1");
    client.SetPort(server.GetXPort());
    client.Connect();
    EXPECT_EQ(log.lines, (QStringList{"state Closed>Opened", "state Opened>Connected", "connected 0"}));
    EXPECT_EQ(client.SendStr("ping"), 4);
    ASSERT_TRUE(pumpUntil([&] { return received == "ping"; }));
    EXPECT_EQ(QString::number(fromPort), client.LocalPort());
}

TEST(WSocketParts, DottedAddressTestAndErrorTexts)
{
    const struct {
        const char* text;
        bool dotted;
    } cases[] = {{"1.2.3.4", true},     {" 10.0.0.255 ", true}, {"192.168.001.010", true}, {"256.0.0.1", false},
                 {"1.2.3", false},      {"1.2.3.4.", false},    {"a.b.c.d", false},        {"", false},
                 {"1.2.3.4 x", false}, {"１.2.3.4", false}};
    for (const auto& c : cases)
        EXPECT_EQ(WSocketIsDottedIP(QString::fromUtf8(c.text)), c.dotted) << c.text;

    EXPECT_EQ(WSocketErrorDesc(0), "No Error");
    EXPECT_EQ(WSocketErrorDesc(10054), "Connection reset by peer");
    EXPECT_EQ(WSocketErrorDesc(11004), "No Data");
    EXPECT_EQ(WSocketErrorDesc(12345), "Not a WinSock error");
    EXPECT_EQ(win::inet_ntoa(WSocketResolveHost("192.168.001.010")), std::string("192.168.1.10"))
        << "leading zeros are decimal, not octal";
}

TEST(WSocketParts, SendChunkAppendsPeeksAndRemoves)
{
    TBuffer chunk(0);
    EXPECT_EQ(chunk.BufSize(), 1514);
    int len = -1;
    EXPECT_EQ(chunk.Peek(len), nullptr);
    EXPECT_EQ(len, 0);

    TBuffer small(8);
    EXPECT_EQ(small.Write("abcdef", 6), 6);
    EXPECT_EQ(small.Write("ghijk", 5), 2) << "at most the free space";
    EXPECT_EQ(small.Write("x", 1), 0);
    EXPECT_EQ(small.Remove(3), 3);
    const char* unread = small.Peek(len);
    EXPECT_EQ(QByteArray(unread, len), "defgh");
    small.SetBufSize(4);
    EXPECT_EQ(small.BufSize(), 8) << "never below the written bytes";
    EXPECT_EQ(small.Remove(100), 5);
    EXPECT_EQ(small.Peek(len), nullptr);
    EXPECT_EQ(small.Write("12345678", 8), 8) << "emptied, the whole block is free again";
}

TEST(WSocketLibrary, TheLastSocketReleasesWinsockAndTheNextLoadsIt)
{
    { TWSocket earlier; }
    ASSERT_FALSE(WSocketWinsockLoaded()) << "another test left a socket behind";
    {
        TWSocket first;
        EXPECT_TRUE(WSocketWinsockLoaded());
        TWSocket second;
    }
    EXPECT_FALSE(WSocketWinsockLoaded());
    EXPECT_EQ(win::socket(win::AF_INET, win::SOCK_STREAM, 0), win::INVALID_SOCKET);
    EXPECT_EQ(win::WSAGetLastError(), win::WSANOTINITIALISED) << "Windows Sockets was cleaned up";
    {
        TWSocket again;
        EXPECT_TRUE(WSocketWinsockLoaded());
    }
    const win::WSADATA info = WinsockInfo();
    EXPECT_EQ(info.wVersion, win::MAKEWORD(1, 1));
    EXPECT_FALSE(WSocketWinsockLoaded()) << "reading the information alone releases at once";
}
