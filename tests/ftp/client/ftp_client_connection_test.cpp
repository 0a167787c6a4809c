// The FTP client's control connection against scripted servers: opening, banners, losing the
// connection, QUIT, abort, the order of events, the error path, the blocking wait, and SOCKS.
#include "ftp/ftp_helpers.h"
#include "ftp/socket_helpers.h"
#include "support/qt_printers.h"
#include "support/scripted_server.h"
#include "support/test_resolver.h"

namespace {

// "ftp.test" is 127.0.0.1; every other name is unknown.
win::HostResolver LoopbackResolver()
{
    win::HostResolver resolver;
    resolver.ByName = [](const std::string& name, std::string& official,
                         std::vector<win::u_long>& addresses) {
        if (name != "ftp.test")
            return win::WSAHOST_NOT_FOUND;
        official = name;
        addresses = {win::htonl(win::INADDR_LOOPBACK)};
        return 0;
    };
    return resolver;
}

// Records the client's state names as they change.
QStringList* WatchStates(TFtpClient& client)
{
    auto* states = new QStringList;
    client.OnStateChange = [states, &client](TObject*) { *states << FtpStateName(client.State()); };
    return states;
}

} // namespace

TEST(FtpClientConnection, OpenReportsLookupAndConnectFailuresWithTheirWinsockNumber)
{
    const ResolverScope resolver(LoopbackResolver());
    ScriptedServer server;
    server.Send("220 Ready\r\n").AwaitClose().Start();
    RefusingPort refusing;
    struct Case {
        QString host;
        QString port;
        TFtpState stateAfterCall;
        int error;
        QString response;
    } cases[] = {
        {"127.0.0.1", QString::number(server.Port()), ftpWaitingBanner, 0, "220 Ready"},
        {"nowhere.test", "21", ftpDnsLookup, 11001, "500 Host not found (Winsock error #11001)"},
        {"127.0.0.1", QString::number(refusing.Port()), ftpWaitingBanner, 10061,
         "500 Connection refused (Winsock error #10061)"},
        {"", "21", ftpReady, 10022, "500 DNS lookup: invalid host name. (Winsock error #10022)"},
        {"127.0.0.1", "", ftpReady, 10022, "500 WSocketResolvePort: Invalid Port. (Winsock error #10022)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.host + ":" + c.port).toStdString());
        RecordingClient rc;
        rc.client.SetHostName(c.host);
        rc.client.SetPort(c.port);
        EXPECT_EQ(rc.Run([&] {
            rc.client.OpenAsync();
            EXPECT_EQ(rc.client.State(), c.stateAfterCall);
        }),
                  c.error);
        EXPECT_EQ(rc.client.LastResponse(), c.response);
        EXPECT_EQ(rc.client.State(), ftpReady);
        EXPECT_EQ(rc.client.Connected(), c.error == 0);
        if (c.error != 0) {
            EXPECT_EQ(rc.client.ErrorMessage(), c.response);
            EXPECT_EQ(rc.client.StatusCode(), 500);
        }
    }
}

TEST(FtpClientConnection, AHostNameIsLookedUpWithoutWaiting)
{
    const ResolverScope resolver(LoopbackResolver());
    ScriptedServer server;
    server.Send("220 Ready\r\n").ExpectLine("QUIT").Send("221 Bye\r\n").AwaitClose().Start();
    RecordingClient rc;
    std::unique_ptr<QStringList> states(WatchStates(rc.client));
    rc.client.SetHostName("ftp.test");
    rc.client.SetPort(QString::number(server.Port()));
    EXPECT_EQ(rc.Run([&] {
        rc.client.OpenAsync();
        EXPECT_EQ(rc.client.State(), ftpDnsLookup);
    }),
              0);
    EXPECT_EQ(*states, (QStringList{"Dns Lookup...", "Waiting Banner...", "Connected", "Ready"}));
    EXPECT_EQ(rc.client.ControlSocket()->Addr(), "127.0.0.1");
    EXPECT_EQ(FtpRaised([&] { rc.client.OpenAsync(); }), "FTP component already connected");

    rc.log.clear();
    EXPECT_EQ(rc.Run([&] { rc.client.QuitAsync(); }), 0);
    EXPECT_EQ(rc.log, (QStringList{"> QUIT", "< 221 Bye", "session closed 0", "done 15 0"}));
    EXPECT_FALSE(rc.client.Connected());
}

TEST(FtpClientConnection, BannersAndLostConnectionsEndTheRequestWithTheRightCode)
{
    const QString closed = "421 Connection closed by server.";
    using Request = std::function<void(TFtpClient&)>;
    const Request pwd = [](TFtpClient& c) { c.PwdAsync(); };
    const Request syst = [](TFtpClient& c) { c.SystAsync(); };
    struct Case {
        const char* what;
        std::function<void(ScriptedServer&)> script;
        QList<Request> requests; // after the open; the last one's result is checked
        int error;
        QString response;
        bool sessionConnected;
    } cases[] = {
        {"one-line banner",
         [](ScriptedServer& s) { s.Send("220 Hi\r\n").AwaitClose(); },
         {},
         0,
         "220 Hi",
         true},
        {"multi-line banner",
         [](ScriptedServer& s) { s.Send("220-Welcome\r\n220-230 rules\r\n220 Ready\r\n").AwaitClose(); },
         {},
         0,
         "220 Ready",
         true},
        {"refusing banner",
         [](ScriptedServer& s) { s.Send("421 Too many users\r\n").AwaitClose(); },
         {},
         421,
         "421 Too many users",
         false},
        {"multi-line refusing banner",
         [](ScriptedServer& s) { s.Send("421-Too many\r\n421 users\r\n").AwaitClose(); },
         {},
         421,
         "421 users",
         false},
        {"close before the banner", [](ScriptedServer& s) { s.Close(); }, {}, 421, closed, false},
        {"reset before the banner", [](ScriptedServer& s) { s.Reset(); }, {}, 10054, closed, false},
        {"close under a command",
         [](ScriptedServer& s) { s.Send("220 Hi\r\n").ExpectLine("PWD").Close(); },
         {pwd},
         421,
         closed,
         true},
        {"reset under a command",
         [](ScriptedServer& s) { s.Send("220 Hi\r\n").ExpectLine("SYST").Reset(); },
         {syst},
         10054,
         closed,
         true},
        {"a line that never ends",
         [](ScriptedServer& s) {
             s.Send("220 Hi\r\n").ExpectLine("PWD").Send("257 " + QByteArray(70000, 'x')).AwaitClose();
         },
         {pwd},
         421,
         "421 Reply line too long (over 64 KiB), connection closed.",
         true},
        {"close after an earlier failure",
         [](ScriptedServer& s) {
             s.Send("220 Hi\r\n").ExpectLine("PWD").Send("550 No\r\n").ExpectLine("SYST").Close();
         },
         {pwd, syst},
         421,
         closed,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedServer server;
        c.script(server);
        server.Start();
        RecordingClient rc;
        int error = rc.Open(server.Port());
        for (const Request& request : c.requests) {
            ASSERT_EQ(rc.client.State(), ftpReady);
            error = rc.Run([&] { request(rc.client); });
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(rc.client.LastResponse(), c.response);
        EXPECT_EQ(rc.log.contains("session connected 0"), c.sessionConnected);
        EXPECT_EQ(rc.client.State(), ftpReady);
        if (c.error != 0) {
            EXPECT_FALSE(rc.client.Connected());
            EXPECT_EQ(rc.client.ErrorMessage(), c.response);
        }
        rc.client.AbortAsync();
    }
}

TEST(FtpClientConnection, QuitWhileBusyOrUnconnectedEndsOnce)
{
    // Busy: QUIT follows an unanswered PWD; the first reply is judged as QUIT's, and the
    // connection closes after it.
    ScriptedServer server;
    server.Send("220 Hi\r\n")
        .ExpectLine("PWD")
        .ExpectLine("QUIT")
        .Send("257 \"/\"\r\n221 Bye\r\n")
        .AwaitClose();
    server.Start();
    RecordingClient rc;
    ASSERT_EQ(rc.Open(server.Port()), 0);
    rc.client.PwdAsync();
    EXPECT_EQ(rc.Run([&] { rc.client.QuitAsync(); }), 257);
    ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
    Settle();
    EXPECT_EQ(rc.done.size(), 1);
    EXPECT_FALSE(rc.client.Connected());
    EXPECT_EQ(server.Failure(), "");

    // Unconnected: nothing is sent, and the request ends at once with 0.
    RecordingClient idle;
    EXPECT_EQ(idle.Run([&] { idle.client.QuitAsync(); }), 0);
    EXPECT_EQ(idle.log, (QStringList{"> QUIT", "done 15 0"}));
    EXPECT_EQ(idle.client.State(), ftpReady);
    // A QUIT during the look-up ends it too; the late look-up result connects nothing.
    const ResolverScope resolver(LoopbackResolver());
    idle.client.SetHostName("ftp.test");
    idle.client.OpenAsync();
    EXPECT_EQ(idle.Run([&] { idle.client.QuitAsync(); }), 0);
    Settle();
    EXPECT_EQ(idle.done.size(), 1);
    EXPECT_EQ(idle.client.State(), ftpReady);
    EXPECT_FALSE(idle.client.Connected());
}

TEST(FtpClientConnection, AbortStopsLookupsAndCommandsWithoutAbor)
{
    const ResolverScope resolver(LoopbackResolver());
    RecordingClient rc;
    rc.client.SetHostName("ftp.test");
    EXPECT_EQ(rc.Run([&] {
        rc.client.OpenAsync();
        rc.client.AbortAsync();
        EXPECT_EQ(rc.client.State(), ftpReady);
    }),
              10004);
    EXPECT_EQ(rc.client.LastResponse(), "500 Interrupted system call (Winsock error #10004)");

    ScriptedServer server;
    server.Send("220 Hi\r\n").ExpectLine("PWD").AwaitClose().Start();
    ASSERT_EQ(rc.Open(server.Port()), 0);
    std::unique_ptr<QStringList> states(WatchStates(rc.client));
    rc.client.PwdAsync();
    rc.Run([&] {
        rc.client.AbortAsync();
        EXPECT_EQ(rc.client.State(), ftpReady);
    });
    EXPECT_EQ(*states, (QStringList{"Busy...", "Abort", "Ready"}));
    EXPECT_TRUE(rc.log.contains("session closed 0"));
    ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
    EXPECT_EQ(server.Received(), "PWD\r\n") << "no ABOR goes out";
    EXPECT_EQ(server.Failure(), "");
}

TEST(FtpClientConnection, RequestDoneComesAfterTheLastLineAndOnceOnly)
{
    ScriptedServer server;
    server.Send("220 Hi\r\n")
        .ExpectLine("PWD")
        .Send("257 \"/\"\r\n")
        .ExpectLine("SYST")
        .Send("215 UNIX\r\n")
        .ExpectLine("CWD /x")
        .Send("250 Ok\r\n")
        .Close();
    server.Start();
    RecordingClient rc;
    ASSERT_EQ(rc.Open(server.Port()), 0);
    rc.client.OnResponse = [&](TObject*) { rc.log << "response"; };
    // A request started inside OnRequestDone runs like any other.
    rc.client.OnRequestDone = [&](TObject*, TFtpRequest Rq, win::WORD Error) {
        rc.done << std::pair{Rq, int(Error)};
        rc.log << QStringLiteral("done %1 %2").arg(Rq).arg(Error);
        if (Rq == ftpPwdAsync)
            rc.client.SystAsync();
    };
    rc.log.clear();
    rc.done.clear();
    rc.client.PwdAsync();
    ASSERT_TRUE(pumpUntil([&] { return rc.done.size() == 2; }));
    EXPECT_EQ(rc.log, (QStringList{"> PWD", "response", "< 257 \"/\"", "done 31 0", "> SYST", "response",
                                   "< 215 UNIX", "done 14 0"}));
    // The server closes right behind its reply: one completion, with the reply's result.
    rc.client.SetHostDirName("/x");
    rc.done.clear();
    rc.client.CwdAsync();
    ASSERT_TRUE(pumpUntil([&] { return rc.log.contains("session closed 0"); }));
    Settle();
    EXPECT_EQ(rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpCwdAsync, 0}}));
}

TEST(FtpClientConnection, RefusalsGoThroughTheErrorPathAndSendNothing)
{
    const ResolverScope resolver(LoopbackResolver());
    ScriptedServer server;
    server.Send("220 Hi\r\n").ExpectLine("PWD").Send("257 \"/\"\r\n").AwaitClose().Start();
    using Request = std::function<void(TFtpClient&)>;
    struct Case {
        const char* what;
        Request request;
        QString text;
    };
    const Case unconnected[] = {
        {"user", [](TFtpClient& c) { c.UserAsync(); }, "UserName emtpy"},
        {"password", [](TFtpClient& c) { c.PassAsync(); }, "Password emtpy"},
        {"folder", [](TFtpClient& c) { c.CwdAsync(); }, "HostDirName emtpy"},
        {"not connected", [](TFtpClient& c) { c.PwdAsync(); }, "FTP component not connected"},
    };
    const Case connected[] = {
        {"line break in a folder",
         [](TFtpClient& c) {
             c.SetHostDirName("a\r\nDELE b");
             c.CwdAsync();
         },
         "Invalid character in command"},
        {"line feed in a file name",
         [](TFtpClient& c) {
             c.SetHostFileName("a\nb");
             c.DeleAsync();
         },
         "Invalid character in command"},
        {"NUL in a new name",
         [](TFtpClient& c) {
             c.SetLocalFileName(QString("a") + QChar(0));
             c.RenToAsync();
         },
         "Invalid character in command"},
        {"quoted command",
         [](TFtpClient& c) {
             c.SetLocalFileName("NOOP\nQUIT");
             c.QuoteAsync();
         },
         "Invalid character in command"},
    };
    for (const bool withOnError : {false, true}) {
        SCOPED_TRACE(withOnError ? "OnError" : "exception");
        RecordingClient rc;
        QStringList errors;
        if (withOnError)
            rc.client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
        const auto refused = [&](const Case& c) {
            SCOPED_TRACE(c.what);
            errors.clear();
            const TFtpState before = rc.client.State();
            const QString raised = FtpRaised([&] { c.request(rc.client); });
            EXPECT_EQ(withOnError ? errors.value(0) : raised, c.text);
            EXPECT_EQ(rc.client.State(), before);
        };
        for (const Case& c : unconnected)
            refused(c);
        // Not ready wins over not connected.
        rc.client.SetHostName("ftp.test");
        rc.client.OpenAsync();
        refused({"not ready", [](TFtpClient& c) { c.PwdAsync(); }, "FTP component not ready"});
        rc.client.AbortAsync();
        Settle();
        EXPECT_EQ(rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpOpenAsync, 10004}}))
            << "refusals end nothing";
        if (withOnError)
            continue;
        ASSERT_EQ(rc.Open(server.Port()), 0);
        for (const Case& c : connected)
            refused(c);
        // Nothing of the refused commands reached the server: the next line it reads is PWD.
        EXPECT_EQ(rc.Run([&] { rc.client.PwdAsync(); }), 0);
        rc.client.AbortAsync();
    }
    Settle();
    ASSERT_TRUE(pumpUntil([&] { return server.Finished(); }));
    EXPECT_EQ(server.Failure(), "");
}

TEST(FtpClientConnection, WaitUntilReadyWaitsForTheResultOrTimesOut)
{
    ScriptedServer server;
    server.Send("220 Hi\r\n").ExpectLine("PWD").Send("257 \"/\"\r\n").ExpectLine("SYST").Send("500 No\r\n");
    server.ExpectLine("CDUP").AwaitClose().Start();
    TFtpClient client;
    client.SetHostName("127.0.0.1");
    client.SetPort(QString::number(server.Port()));
    EXPECT_TRUE(client.Synchronize([&] { client.OpenAsync(); }));
    EXPECT_TRUE(client.Synchronize([&] { client.PwdAsync(); }));
    EXPECT_FALSE(client.Synchronize([&] { client.SystAsync(); }));
    client.SetTimeout(1);
    EXPECT_FALSE(client.Synchronize([&] { client.CDupAsync(); }));
    EXPECT_EQ(client.ErrorMessage(), "426 Timeout");
    EXPECT_EQ(client.StatusCode(), 426);
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_FALSE(client.Connected());
}

TEST(FtpClientConnection, SocksNegotiationFailsTheOpenWithItsCodeAndReconnectsAfterAClose)
{
    const QByteArray greeting("\x05\x01\x00", 3);
    const QByteArray choice("\x05\x00", 2);
    const QByteArray request =
        QByteArray("\x05\x01\x00\x03\x09", 5) + "127.0.0.1" + QByteArray("\x00\x15", 2);
    const QByteArray granted("\x05\x00\x00\x01\x7f\x00\x00\x01\x00\x15", 10);
    ScriptedServer socks;
    socks.Expect(greeting).Send(QByteArray("\x05\xFF", 2)).AwaitClose();
    // The next connections are granted, the banner following the reply in the same packet.
    for (int i = 0; i < 2; ++i)
        socks.Accept()
            .Expect(greeting)
            .Send(choice)
            .Expect(request)
            .Send(granted + "220 Behind\r\n")
            .AwaitClose();
    socks.Start();

    RecordingClient rc;
    rc.client.SetConnectionType(ftpSocks5);
    rc.client.SetSocksServer("127.0.0.1");
    rc.client.SetSocksPort(QString::number(socks.Port()));
    rc.client.SetHostName("127.0.0.1");
    rc.client.SetPort("21");
    EXPECT_EQ(rc.Run([&] { rc.client.OpenAsync(); }), 20003);
    EXPECT_EQ(rc.client.LastResponse(), "500 Not a WinSock error (Winsock error #20003)");
    EXPECT_FALSE(rc.client.Connected());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rc.Run([&] { rc.client.OpenAsync(); }), 0);
        EXPECT_EQ(rc.client.LastResponse(), "220 Behind");
        rc.client.AbortAsync();
        EXPECT_EQ(rc.client.ControlSocket()->SocksServer(), "") << "the socket forgets; the client does not";
        EXPECT_EQ(rc.client.SocksServer(), "127.0.0.1");
    }
    ASSERT_TRUE(pumpUntil([&] { return socks.Finished(); }));
    EXPECT_EQ(socks.Failure(), "");
}

TEST(FtpClientConnection, AnExceptionInAContinuationEndsTheRequestInsteadOfLeavingItStuck)
{
    ScriptedServer server;
    server.Send("220 Hi\r\n").AwaitClose();
    server.Accept().Send("220 Hi\r\n").ExpectLine("PWD").Send("257 \"/\"\r\n").AwaitClose();
    server.Start();
    RecordingClient rc;
    QStringList errors;
    rc.client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };

    // While opening: the open fails like a failed connect.
    rc.client.OnSessionConnected = [](TObject*, win::WORD) { throw Exception("handler failed"); };
    EXPECT_EQ(rc.Open(server.Port()), 10022);
    EXPECT_EQ(rc.client.LastResponse(), "500 handler failed (Winsock error #10022)");
    EXPECT_EQ(rc.client.State(), ftpReady);
    EXPECT_FALSE(rc.client.Connected());

    // Later: the request ends as a refusal, through OnError, and the client is ready again.
    rc.client.OnSessionConnected = nullptr;
    ASSERT_EQ(rc.Open(server.Port()), 0);
    rc.client.OnResponse = [](TObject*) { throw Exception("response handler failed"); };
    rc.done.clear();
    rc.client.PwdAsync();
    ASSERT_TRUE(pumpUntil([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors, QStringList{"response handler failed"});
    Settle();
    EXPECT_TRUE(rc.done.isEmpty());
    EXPECT_EQ(rc.client.State(), ftpReady);
    EXPECT_TRUE(rc.client.Connected());
    rc.client.AbortAsync();
}
