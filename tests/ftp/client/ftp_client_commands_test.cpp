// The single commands of the FTP client against a scripted server: exact command lines, accepted
// and refused replies, reply information, the proxy user line, and the refusals of the error path.
#include "ftp/ftp_helpers.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "support/scripted_server.h"

namespace {

struct CommandCase {
    const char* cmd;                        // the line the server must read
    std::function<void(TFtpClient&)> start; // sets the client up and starts the request
    TFtpRequest rq;
    QByteArray accepted;
    QByteArray refused;
};

const QList<CommandCase>& CommandCases()
{
    static const QList<CommandCase> cases = {
        {"USER joe",
         [](TFtpClient& c) {
             c.SetUserName("joe");
             c.UserAsync();
         },
         ftpUserAsync, "331 Password", "530 No"},
        {"USER joe", [](TFtpClient& c) { c.UserAsync(); }, ftpUserAsync, "230 In", "421 Bye"},
        {"PASS pw",
         [](TFtpClient& c) {
             c.SetPassWord("pw");
             c.PassAsync();
         },
         ftpPassAsync, "230 In", "530 Bad"},
        {"CWD /pub",
         [](TFtpClient& c) {
             c.SetHostDirName("/pub");
             c.CwdAsync();
         },
         ftpCwdAsync, "250 Ok", "550 No"},
        {"CWD /pub", [](TFtpClient& c) { c.CwdAsync(); }, ftpCwdAsync, "200 Ok", "350 Odd"},
        {"SYST", [](TFtpClient& c) { c.SystAsync(); }, ftpSystAsync, "215 UNIX Type: L8", "500 What"},
        {"SIZE a b",
         [](TFtpClient& c) {
             c.SetHostFileName("a b");
             c.SizeAsync();
         },
         ftpSizeAsync, "213 12", "550 No"},
        {"MKD a b", [](TFtpClient& c) { c.MkdAsync(); }, ftpMkdAsync, "257 \"/a b\" created", "250 Odd"},
        {"RMD a b", [](TFtpClient& c) { c.RmdAsync(); }, ftpRmdAsync, "250 Gone", "550 No"},
        {"DELE a b", [](TFtpClient& c) { c.DeleAsync(); }, ftpDeleAsync, "250 Gone", "450 Busy"},
        {"RNFR a b", [](TFtpClient& c) { c.RenFromAsync(); }, ftpRenFromAsync, "350 Go on", "550 No"},
        {"RNTO new",
         [](TFtpClient& c) {
             c.SetLocalFileName("new");
             c.RenToAsync();
         },
         ftpRenToAsync, "250 Done", "553 No"},
        {"PWD", [](TFtpClient& c) { c.PwdAsync(); }, ftpPwdAsync, "257 \"/\"", "550 No"},
        {"CDUP", [](TFtpClient& c) { c.CDupAsync(); }, ftpCDupAsync, "250 Up", "200 Odd"},
        {"TYPE I", [](TFtpClient& c) { c.TypeBinaryAsync(); }, ftpTypeSetAsync, "200 Binary", "504 No"},
        {"TYPE A", [](TFtpClient& c) { c.TypeAsciiAsync(); }, ftpTypeSetAsync, "200 Ascii", "504 No"},
        {"TYPE A", [](TFtpClient& c) { c.TypeSetAsync(); }, ftpTypeSetAsync, "200 Ascii", "500 No"},
        {"SITE X",
         [](TFtpClient& c) {
             c.SetLocalFileName("SITE X");
             c.QuoteAsync();
         },
         ftpQuoteAsync, "350 Fine", "450 Busy"},
        {"SITE X", [](TFtpClient& c) { c.QuoteAsync(); }, ftpQuoteAsync, "200 Fine", "500 No"},
    };
    return cases;
}

// A client logged in to nothing: connected to a scripted server past its banner.
struct FakeSession {
    ScriptedServer server;
    RecordingClient rc;

    FakeSession() { server.Send("220 Fake ready\r\n"); }
    ::testing::AssertionResult Open()
    {
        server.Start();
        const int error = rc.Open(server.Port());
        if (error != 0)
            return ::testing::AssertionFailure() << "open gave " << error;
        rc.log.clear();
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST(FtpClientCommands, EachCommandSendsItsLineAndJudgesTheReply)
{
    FakeSession session;
    for (const CommandCase& c : CommandCases()) {
        session.server.ExpectLine(c.cmd).Send(c.accepted + "\r\n");
        session.server.ExpectLine(c.cmd).Send(c.refused + "\r\n");
    }
    session.server.AwaitClose();
    ASSERT_TRUE(session.Open());
    TFtpClient& client = session.rc.client;
    for (const CommandCase& c : CommandCases()) {
        SCOPED_TRACE(c.cmd);
        EXPECT_EQ(session.rc.Run([&] { c.start(client); }), 0);
        EXPECT_EQ(session.rc.done.last().first, c.rq);
        EXPECT_EQ(client.LastResponse(), c.accepted);
        EXPECT_EQ(client.ErrorMessage(), "");
        EXPECT_EQ(client.State(), ftpReady);

        EXPECT_EQ(session.rc.Run([&] { c.start(client); }), c.refused.left(3).toInt());
        EXPECT_EQ(client.ErrorMessage(), c.refused);
        EXPECT_EQ(client.StatusCode(), c.refused.left(3).toInt());
    }
    client.AbortAsync();
    ASSERT_TRUE(pumpUntil([&] { return session.server.Finished(); }));
    EXPECT_EQ(session.server.Failure(), "");
}

TEST(FtpClientCommands, TheTypeCountsAsSetOnlyOnceTheServerAcceptedItOnThisConnection)
{
    FakeSession first;
    first.server.ExpectLine("TYPE I").Send("504 No\r\n").ExpectLine("TYPE I").Send("200 Binary\r\n");
    first.server.ExpectLine("QUIT").Send("221 Bye\r\n").AwaitClose();
    ASSERT_TRUE(first.Open());
    TFtpClient& client = first.rc.client;
    EXPECT_TRUE(client.Binary());
    EXPECT_FALSE(client.TypeConfirmed()) << "a new session has the server's default type";
    EXPECT_EQ(first.rc.Run([&] { client.TypeBinaryAsync(); }), 504);
    EXPECT_FALSE(client.TypeConfirmed());
    EXPECT_EQ(first.rc.Run([&] { client.TypeBinaryAsync(); }), 0);
    EXPECT_TRUE(client.TypeConfirmed());
    client.SetBinary(false);
    EXPECT_FALSE(client.TypeConfirmed());
    client.SetBinary(true);
    EXPECT_EQ(first.rc.Run([&] { client.QuitAsync(); }), 0);
    ASSERT_TRUE(pumpUntil([&] { return first.server.Finished(); }));

    ScriptedServer second;
    second.Send("220 Again\r\n").AwaitClose();
    second.Start();
    EXPECT_EQ(first.rc.Open(second.Port()), 0);
    EXPECT_FALSE(client.TypeConfirmed()) << "the next connection starts over";
    client.AbortAsync();
    ASSERT_TRUE(pumpUntil([&] { return second.Finished(); }));
    EXPECT_EQ(first.server.Failure(), "");
    EXPECT_EQ(second.Failure(), "");
}

TEST(FtpClientCommands, MultiLineRepliesCompleteOnceOnTheirLastLine)
{
    FakeSession session;
    session.server.ExpectLine("PASS pw")
        .Send("230-Welcome\r\n230-Rules:\r\n226 this is text\r\n")
        .Send("230 Logged in\r\n")
        .ExpectLine("PWD")
        .Send("257 \"/\"\r\n")
        .AwaitClose();
    ASSERT_TRUE(session.Open());
    TFtpClient& client = session.rc.client;
    QStringList responses;
    client.OnResponse = [&](TObject*) { responses << client.LastResponse(); };
    client.SetPassWord("pw");
    EXPECT_EQ(session.rc.Run([&] { client.PassAsync(); }), 0);
    EXPECT_EQ(session.rc.log, (QStringList{"> PASS pw", "< 230 Logged in", "done 3 0"}));
    EXPECT_EQ(responses, (QStringList{"230-Welcome", "230-Rules:", "226 this is text", "230 Logged in"}));
    // The next reply belongs to the next command.
    EXPECT_EQ(session.rc.Run([&] { client.PwdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/");
    client.AbortAsync();
}

TEST(FtpClientCommands, ReplyInformation)
{
    struct Case {
        QByteArray reply;
        std::function<void(TFtpClient&)> start;
        QByteArray cmd;
        QString dir;
        qint64 size;
    } cases[] = {
        {"257 \"/pub\" is current", [](TFtpClient& c) { c.PwdAsync(); }, "PWD", "/pub", 0},
        {"257 \"/say \"\"hi\"\"\" made", [](TFtpClient& c) { c.MkdAsync(); }, "MKD x", "/say \"hi\"", 0},
        {"250 no quote here", [](TFtpClient& c) { c.CwdAsync(); }, "CWD x", "", 0},
        {"250 \"/a\" now", [](TFtpClient& c) { c.CDupAsync(); }, "CDUP", "/a", 0},
        {"213 123456", [](TFtpClient& c) { c.SizeAsync(); }, "SIZE x", "/a", 123456},
        {"213 5000000000", [](TFtpClient& c) { c.SizeAsync(); }, "SIZE x", "/a", 5000000000},
        // Telnet commands before the code, and a 0xFF byte of the name sent as IAC IAC.
        {"\xFF\xFB\x01" "257 \"/a\xFF\xFF\" is current", [](TFtpClient& c) { c.PwdAsync(); }, "PWD",
         DecodeName(QByteArray("/a\xFF")), 5000000000},
    };
    FakeSession session;
    for (const Case& c : cases)
        session.server.ExpectLine(c.cmd).Send(c.reply + "\r\n");
    session.server.AwaitClose();
    ASSERT_TRUE(session.Open());
    TFtpClient& client = session.rc.client;
    client.SetHostFileName("x");
    client.SetHostDirName("x");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        EXPECT_EQ(session.rc.Run([&] { c.start(client); }), 0);
        EXPECT_EQ(client.DirResult(), c.dir);
        EXPECT_EQ(client.SizeResult(), c.size);
    }
    client.AbortAsync();
}

TEST(FtpClientCommands, PasvReplyIsKeptOnlyInPassiveMode)
{
    FakeSession session;
    const QByteArray pasv = "227 Entering Passive Mode (127,0,0,1,4,1)";
    session.server.ExpectLine("PASV").Send(pasv + "\r\n").ExpectLine("PASV").Send(pasv + "\r\n").AwaitClose();
    ASSERT_TRUE(session.Open());
    TFtpClient& client = session.rc.client;
    client.SetLocalFileName("PASV");
    EXPECT_EQ(session.rc.Run([&] { client.QuoteAsync(); }), 0);
    EXPECT_EQ(client.PasvResponse(), "");
    client.SetPassive(true);
    EXPECT_EQ(session.rc.Run([&] { client.QuoteAsync(); }), 0);
    EXPECT_EQ(client.PasvResponse(), pasv);
    client.AbortAsync();
}

// A client whose proxy port is the scripted proxy's (the client's own is fixed to "ftp").
struct ProxiedClient : TFtpClient {
    void SetProxyPort(int Port) { FProxyPort = QString::number(Port); }
};

TEST(FtpClientCommands, ProxyUserLineNamesTheServerAndItsPort)
{
    struct Case {
        QString port;
        QByteArray line;
    } cases[] = {
        {"ftp", "USER joe@ftp.example.test"},
        {"FTP", "USER joe@ftp.example.test"},
        {"21", "USER joe@ftp.example.test"},
        {"2121", "USER joe@ftp.example.test:2121"},
    };
    ScriptedServer proxy;
    proxy.Send("220 Proxy ready\r\n");
    for (const Case& c : cases)
        proxy.ExpectLine(c.line).Send("331 Password\r\n");
    proxy.AwaitClose().Start();

    BasicRecordingClient<ProxiedClient> rc;
    ProxiedClient& client = rc.client;
    client.SetConnectionType(ftpProxy);
    EXPECT_TRUE(client.Passive());
    client.SetPassive(false);
    EXPECT_TRUE(client.Passive()) << "only a direct connection may be active";
    client.SetProxyPort(proxy.Port());
    client.SetProxyServer("127.0.0.1");
    // The server's name is never looked up: the proxy is.
    client.SetHostName("ftp.example.test");
    client.SetUserName("joe");
    ASSERT_EQ(rc.Run([&] { client.OpenAsync(); }), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port.toStdString());
        client.SetPort(c.port);
        EXPECT_EQ(rc.Run([&] { client.UserAsync(); }), 0);
    }
    EXPECT_EQ(FtpRaised([&] { client.SetConnectionType(ftpDirect); }), "FTP component connected");
    client.AbortAsync();
    ASSERT_TRUE(pumpUntil([&] { return proxy.Finished(); }));
    EXPECT_EQ(proxy.Failure(), "");
}
