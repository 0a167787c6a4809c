// The SOCKS client against a scripted SOCKS server: the exact requests of SOCKS 5, 4 and 4A, the
// hand-over of data that follows the reply, every error reply, and the property rules.
#include "ftp/socket/wsocket.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"
#include "support/scripted_server.h"
#include "support/test_resolver.h"

#include <gtest/gtest.h>

namespace {

// The CONNECT of SOCKS 5 for "127.0.0.1" port 21.
const QByteArray Socks5Connect = Bytes({5, 1, 0, 3, 9}) + "127.0.0.1" + Bytes({0, 21});
const QByteArray Socks5Granted = Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0x04, 0x00});

// A socket that goes to 127.0.0.1:21 through the scripted server, recording what it reports.
struct SocksClient {
    TWSocket socket;
    QStringList events;
    QByteArray data;

    explicit SocksClient(const ScriptedServer& Server, const QString& Level = "5")
    {
        socket.SetSocksServer(" 127.0.0.1 ");
        socket.SetSocksPort(QString::number(Server.Port()));
        socket.SetSocksLevel(Level);
        socket.SetAddr("127.0.0.1");
        socket.SetPort("21");
        socket.OnSocksConnected = [this](TObject*, win::WORD E) {
            events << QStringLiteral("socks connected %1").arg(E);
        };
        socket.OnSocksError = [this](TObject*, int E, const QString& Msg) {
            events << QStringLiteral("socks error %1 %2").arg(E).arg(Msg);
        };
        socket.OnSocksAuthState = [this](TObject*, TSocksAuthState S) {
            events << QStringLiteral("auth %1").arg(S);
        };
        socket.OnSessionConnected = [this](TObject*, win::WORD E) {
            events << QStringLiteral("connected %1").arg(E);
        };
        socket.OnSessionClosed = [this](TObject*, win::WORD E) {
            events << QStringLiteral("closed %1").arg(E);
        };
        socket.OnDataAvailable = [this](TObject*, win::WORD) {
            const QByteArray got = socket.ReceiveStr();
            if (!got.isEmpty())
                events << QStringLiteral("data %1").arg(QString::fromLatin1(got));
            data += got;
        };
    }
    bool Saw(const QString& line) const { return events.contains(line); }
};

} // namespace

TEST(SocksWSocket, Socks5RequestsAreExactAndTheDataBehindTheReplyComesFirst)
{
    struct Case {
        const char* what;
        TSocksAuthentication auth;
        QString user;
        QByteArray greeting;
        int method;
        QStringList authEvents;
    } cases[] = {
        {"no authentication", socksNoAuthentication, "user", Bytes({5, 1, 0}), 0, {}},
        {"user code without a name", socksAuthenticateUsercode, "", Bytes({5, 1, 0}), 0, {}},
        {"user code chosen", socksAuthenticateUsercode, "user", Bytes({5, 2, 0, 2}), 2, {"auth 0", "auth 1"}},
        {"user code not required", socksAuthenticateUsercode, "user", Bytes({5, 2, 0, 2}), 0, {"auth 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedServer server;
        server.Expect(c.greeting).Send(Bytes({5, c.method}));
        if (c.method == 2)
            server.Expect(Bytes({1, 4}) + "user" + Bytes({6}) + "secret").Send(Bytes({1, 0}));
        // The reply and the first bytes of the far side arrive in one packet.
        server.Expect(Socks5Connect).Send(Socks5Granted + "220 hello\r\n").AwaitClose();
        server.Start();

        SocksClient client(server);
        client.socket.SetSocksAuthentication(c.auth);
        client.socket.SetSocksUsercode(c.user);
        client.socket.SetSocksPassword("secret");
        client.socket.Connect();
        ASSERT_TRUE(pumpUntil([&] { return client.data == "220 hello\r\n" || server.Finished(); }));
        const QStringList expected = QStringList{"socks connected 0"} + c.authEvents +
                                     QStringList{"connected 0", "data 220 hello\r\n"};
        EXPECT_EQ(client.events, expected);
        EXPECT_EQ(client.socket.BoundAddr(), "127.0.0.1");
        EXPECT_EQ(client.socket.BoundPort(), "1024");
        client.socket.Close();
        ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
        EXPECT_EQ(server.Failure(), "");
    }
}

TEST(SocksWSocket, Socks4And4ARequestsAreExact)
{
    const ResolverScope resolver;
    struct Case {
        QString level;
        QString addr;
        QString user;
        QByteArray request;
    } cases[] = {
        {"4", "127.0.0.1", "", Bytes({4, 1, 0, 21, 127, 0, 0, 1, 0})},
        {"4", "alpha.test", "joe", Bytes({4, 1, 0, 21, 10, 0, 0, 1}) + "joe" + Bytes({0})},
        {"4a", "127.0.0.1", "", Bytes({4, 1, 0, 21, 0, 0, 0, 1, 0}) + "127.0.0.1" + Bytes({0})},
        {"4A", "ftp.example.test", "joe",
         Bytes({4, 1, 0, 21, 0, 0, 0, 1}) + "joe" + Bytes({0}) + "ftp.example.test" + Bytes({0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.level + " " + c.addr).toStdString());
        ScriptedServer server;
        // The banner after the reply stays in the socket and comes through the ordinary path.
        server.Expect(c.request).Send(Bytes({0, 90, 0, 0, 0, 0, 0, 0}) + "220 hi\r\n").AwaitClose();
        server.Start();

        SocksClient client(server, c.level);
        EXPECT_EQ(client.socket.SocksLevel(), c.level.toUpper());
        client.socket.SetAddr(c.addr);
        client.socket.SetSocksUsercode(c.user);
        client.socket.SetSocksAuthentication(socksAuthenticateUsercode);
        client.socket.Connect();
        ASSERT_TRUE(pumpUntil([&] { return client.data == "220 hi\r\n" || server.Finished(); }));
        EXPECT_EQ(client.events, (QStringList{"socks connected 0", "connected 0", "data 220 hi\r\n"}));
        client.socket.Close();
        ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
        EXPECT_EQ(server.Failure(), "");
    }
}

TEST(SocksWSocket, EveryFailedNegotiationReportsTheCodeAndCloses)
{
    const QByteArray method = Bytes({5, 1, 0});
    struct Case {
        QString level;
        QByteArray expect;
        QByteArray reply;
        int code;
        QString text;
    } cases[] = {
        {"5", method, Bytes({5, 0xFF}), 20003, "authentification method not acceptable"},
        {"5", method, Bytes({5, 2}), 20003, "authentification method not acceptable"},
        {"5", method, Bytes({4, 0}), 20002, "socks version error"},
        {"5", method, Bytes({5, 0, 7}), 20001, "too much data availaible"},
        {"5", method + Socks5Connect, Bytes({5, 0}) + Bytes({5, 5, 0, 1}), 20008, "connection refused"},
        {"5", method + Socks5Connect, Bytes({5, 0}) + Bytes({5, 2, 0, 1}), 20005,
         "connection not allowed by ruleset"},
        {"5", method + Socks5Connect, Bytes({5, 0}) + Bytes({5, 0, 0, 9, 0, 0}), 20011,
         "address type not supported"},
        {"4", Bytes({4, 1, 0, 21, 127, 0, 0, 1, 0}), Bytes({0, 91, 0, 0, 0, 0, 0, 0}), 20016,
         "request rejected or failed"},
        {"4A", Bytes({4, 1, 0, 21, 0, 0, 0, 1, 0}) + "127.0.0.1" + Bytes({0}),
         Bytes({0, 93, 0, 0, 0, 0, 0, 0}), 20015, "authentification failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ScriptedServer server;
        if (c.expect.startsWith(method) && c.expect.size() > method.size())
            server.Expect(method)
                .Send(c.reply.left(2))
                .Expect(c.expect.mid(method.size()))
                .Send(c.reply.mid(2));
        else
            server.Expect(c.expect).Send(c.reply);
        server.AwaitClose().Start();

        SocksClient client(server, c.level);
        client.socket.Connect();
        ASSERT_TRUE(pumpUntil([&] { return client.socket.State() == wsClosed; }));
        const QString code = QString::number(c.code);
        EXPECT_EQ(client.events, (QStringList{"socks connected 0", "socks error " + code + " " + c.text,
                                              "connected " + code, "closed " + code}));
        ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
        EXPECT_EQ(server.Failure(), "");
        // The close forgot the SOCKS settings.
        EXPECT_EQ(client.socket.SocksServer(), "");
        EXPECT_EQ(client.socket.SocksLevel(), "5");
    }
}

TEST(SocksWSocket, ACloseWhileWaitingForTheAuthenticationReplyIsAnAuthenticationFailure)
{
    ScriptedServer server;
    server.Expect(Bytes({5, 2, 0, 2}))
        .Send(Bytes({5, 2}))
        .Expect(Bytes({1, 1}) + "u" + Bytes({1}) + "p")
        .Close();
    server.Start();
    SocksClient client(server);
    client.socket.SetSocksAuthentication(socksAuthenticateUsercode);
    client.socket.SetSocksUsercode("u");
    client.socket.SetSocksPassword("p");
    client.socket.Connect();
    ASSERT_TRUE(pumpUntil([&] { return client.socket.State() == wsClosed; }));
    EXPECT_EQ(client.events, (QStringList{"socks connected 0", "auth 0", "auth 2", "closed 0"}));
}

TEST(SocksWSocket, ARefusedSocksServerIsAnOrdinaryConnectFailure)
{
    RefusingPort refusing;
    TWSocket socket;
    QStringList events;
    socket.SetSocksServer("127.0.0.1");
    socket.SetSocksPort(QString::number(refusing.Port()));
    socket.SetAddr("127.0.0.1");
    socket.SetPort("21");
    socket.OnSocksConnected = [&](TObject*, win::WORD E) {
        events << QStringLiteral("socks connected %1").arg(E);
    };
    socket.OnSessionConnected = [&](TObject*, win::WORD E) {
        events << QStringLiteral("connected %1").arg(E);
    };
    socket.Connect();
    ASSERT_TRUE(pumpUntil([&] { return socket.State() == wsClosed; }));
    EXPECT_EQ(events, (QStringList{"socks connected 10061", "connected 10061"}));
}

TEST(SocksWSocket, PropertyRulesAndRefusals)
{
    PeerListener listener;
    TWSocket socket;
    EXPECT_EQ(socket.SocksLevel(), "5");
    for (const QString level : {"4", "4a", "4A", "5"}) {
        socket.SetSocksLevel(level);
        EXPECT_EQ(socket.SocksLevel(), level.toUpper());
    }
    for (const QString level : {"", "4B", "6", " 5"})
        EXPECT_EQ(RaisedMessage([&] { socket.SetSocksLevel(level); }),
                  "Invalid socks level. Must be 4, 4A or 5.");

    socket.SetSocksServer("127.0.0.1");
    EXPECT_EQ(RaisedMessage([&] { socket.Listen(); }), "Listening is not supported thru socks server");
    socket.SetProto("udp");
    socket.SetAddr("127.0.0.1");
    socket.SetPort("21");
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }),
              "tcp is the only protocol supported thru socks server");
    socket.SetProto("tcp");
    socket.SetAddr(QString(256, u'a'));
    socket.SetSocksPort("1080");
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), "Socks host name longer than 255 bytes");
    socket.SetAddr("127.0.0.1");
    socket.SetSocksAuthentication(socksAuthenticateUsercode);
    socket.SetSocksUsercode("u");
    socket.SetSocksPassword(QString(256, u'p'));
    EXPECT_EQ(RaisedMessage([&] { socket.Connect(); }), "Socks password longer than 255 bytes");
    EXPECT_EQ(socket.State(), wsClosed);

    socket.SetSocksServer("");
    PeerConnection peer;
    ASSERT_TRUE(ConnectToPeer(socket, listener, peer));
    EXPECT_EQ(RaisedMessage([&] { socket.SetSocksServer("x"); }), "Can't change socks server if not closed");
    EXPECT_EQ(RaisedMessage([&] { socket.SetSocksPort("1"); }), "Can't change socks port if not closed");
    EXPECT_EQ(RaisedMessage([&] { socket.SetSocksLevel("4"); }), "Can't change socks level if not closed");
    // Without a SOCKS server the socket connected directly.
    EXPECT_EQ(socket.PeerPort(), QString::number(listener.Port()));
}
