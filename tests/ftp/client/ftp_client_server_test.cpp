// The FTP client against real servers: pyftpdlib on 127.0.0.1, directly and through danted.
#include "ftp/ftp_helpers.h"
#include "platform/system/name_encoding.h"
#include "support/dante_fixture.h"
#include "support/ftp_server_fixture.h"
#include "support/qt_printers.h"
#include "support/server_required.h"

#include <QFile>
#include <sys/stat.h>

TEST(FtpClientServer, LogsInAndWorksWithFolders)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const FtpAccount account = server->AddUser();
    QFile file(account.home + "/data.bin");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(12345, 'x'));
    file.close();

    RecordingClient rc;
    TFtpClient& client = rc.client;
    ASSERT_EQ(rc.Open(server->Port()), 0);
    EXPECT_TRUE(client.LastResponse().startsWith("220 "));
    ASSERT_TRUE(rc.Login(account.user, account.password));
    EXPECT_EQ(rc.Run([&] { client.PwdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/");
    EXPECT_EQ(rc.Run([&] { client.SystAsync(); }), 0);
    EXPECT_EQ(client.LastResponse(), "215 UNIX Type: L8");

    // A name with a quote and non-ASCII characters reaches the disk byte for byte, and comes back
    // from the reply with its doubled quote undone.
    const QByteArray rawName = "caf\xc3\xa9 \"dir\"";
    client.SetHostFileName(DecodeName(rawName));
    EXPECT_EQ(rc.Run([&] { client.MkdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/" + DecodeName(rawName));
    struct stat info {};
    EXPECT_EQ(::stat((account.home.toUtf8() + "/" + rawName).constData(), &info), 0);

    client.SetHostDirName(DecodeName(rawName));
    EXPECT_EQ(rc.Run([&] { client.CwdAsync(); }), 0);
    // (pyftpdlib does not double the quotes in its CWD reply; its PWD reply does.)
    EXPECT_EQ(rc.Run([&] { client.PwdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/" + DecodeName(rawName));
    EXPECT_EQ(rc.Run([&] { client.CDupAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/");
    EXPECT_EQ(rc.Run([&] { client.RmdAsync(); }), 0);
    EXPECT_NE(::stat((account.home.toUtf8() + "/" + rawName).constData(), &info), 0);
    EXPECT_EQ(rc.Run([&] { client.RmdAsync(); }), 550);
    EXPECT_TRUE(client.ErrorMessage().startsWith("550 "));

    EXPECT_EQ(rc.Run([&] { client.TypeBinaryAsync(); }), 0);
    client.SetHostFileName("data.bin");
    EXPECT_EQ(rc.Run([&] { client.SizeAsync(); }), 0);
    EXPECT_EQ(client.SizeResult(), 12345);

    rc.log.clear();
    EXPECT_EQ(rc.Run([&] { client.QuitAsync(); }), 0);
    EXPECT_EQ(rc.log, (QStringList{"> QUIT", "< 221 Goodbye.", "session closed 0", "done 15 0"}));
    EXPECT_FALSE(client.Connected());
}

TEST(FtpClientServer, EachEndKeepsItsRequestsCodeWhenTheNextRequestStartsBeforeItIsReported)
{
    // The client is ready once a request ends, before its end is reported: an event already
    // waiting in the queue (a key, a drop) may start the next request in between.
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const FtpAccount account = server->AddUser();
    RecordingClient rc;
    TFtpClient& client = rc.client;
    ASSERT_EQ(rc.Open(server->Port()), 0);
    ASSERT_TRUE(rc.Login(account.user, account.password));
    bool queued = false;
    client.OnStateChange = [&](TObject*) {
        if (client.State() == ftpReady && !queued) {
            queued = true;
            QMetaObject::invokeMethod(&client, [&] { client.SystAsync(); }, Qt::QueuedConnection);
        }
    };
    rc.done.clear();
    client.PwdAsync();
    ASSERT_TRUE(pumpUntil([&] { return rc.done.size() == 2; })) << rc.log.join('\n').toStdString();
    QStringList ends;
    for (const auto& [request, error] : rc.done)
        ends << QStringLiteral("%1 %2").arg(FtpRequestName(request)).arg(error);
    EXPECT_EQ(ends.join(", ").toStdString(),
              QString(FtpRequestName(ftpPwdAsync) + " 0, " + FtpRequestName(ftpSystAsync) + " 0").toStdString());
    EXPECT_EQ(client.LastResponse(), "215 UNIX Type: L8");
}

TEST(FtpClientServer, AWrongPasswordGives530AndALongBannerLogsIn)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const FtpAccount account = server->AddUser();
    // pyftpdlib sends a long greeting as "220-<text>" followed by "220 ".
    const QString banner(90, u'b');
    server->SetBanner(banner);
    RecordingClient rc;
    ASSERT_EQ(rc.Open(server->Port()), 0);
    server->SetBanner("Ready.");
    EXPECT_TRUE(rc.log.contains("< 220-" + banner));
    rc.client.SetUserName(account.user);
    rc.client.SetPassWord("wrong");
    EXPECT_EQ(rc.Run([&] { rc.client.UserAsync(); }), 0);
    EXPECT_EQ(rc.Run([&] { rc.client.PassAsync(); }), 530);
    EXPECT_TRUE(rc.client.ErrorMessage().startsWith("530 "));
    rc.client.AbortAsync();
}

TEST(FtpClientServer, ReachesTheServerThroughDanted)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    struct Case {
        const char* what;
        DanteServer::Method method;
        TFtpConnectionType type;
        QString password;
        int error;
        QList<int> authStates;
    } cases[] = {
        {"SOCKS 5", DanteServer::NoAuthentication, ftpSocks5, "", 0, {}},
        {"SOCKS 5 with a password",
         DanteServer::UserPassword,
         ftpSocks5,
         DanteServer::Password(),
         0,
         {socksAuthStart, socksAuthSuccess}},
        {"SOCKS 5 with a wrong password",
         DanteServer::UserPassword,
         ftpSocks5,
         "wrong",
         20015,
         {socksAuthStart}},
        {"SOCKS 4", DanteServer::NoAuthentication, ftpSocks4, "", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DanteServer* dante = DanteServer::Instance(c.method);
        HFTP_NEED_SERVER(dante, DanteServer::StartError().toStdString());
        const FtpAccount account = server->AddUser();
        RecordingClient rc;
        TFtpClient& client = rc.client;
        client.SetConnectionType(c.type);
        client.SetSocksServer("127.0.0.1");
        client.SetSocksPort(QString::number(dante->Port()));
        client.SetSocksUserCode(c.password.isEmpty() ? QString() : DanteServer::User());
        client.SetSocksPassword(c.password);
        QList<int> authStates;
        client.ControlSocket()->OnSocksAuthState = [&](TObject*, TSocksAuthState S) { authStates << S; };
        QString peerPort;
        client.ControlSocket()->OnChangeState = [&](TObject*, TSocketState, TSocketState New) {
            if (New == wsConnected)
                peerPort = client.ControlSocket()->PeerPort();
        };
        EXPECT_EQ(rc.Open(server->Port()), c.error);
        EXPECT_EQ(authStates, c.authStates);
        // The connection went to danted, which connected on to the FTP server.
        EXPECT_EQ(peerPort, QString::number(dante->Port()));
        if (c.error != 0) {
            EXPECT_EQ(client.LastResponse(),
                      QStringLiteral("500 Not a WinSock error (Winsock error #%1)").arg(c.error));
            continue;
        }
        EXPECT_TRUE(client.LastResponse().startsWith("220 "));
        ASSERT_TRUE(rc.Login(account.user, account.password));
        EXPECT_EQ(rc.Run([&] { client.PwdAsync(); }), 0);
        EXPECT_EQ(client.DirResult(), "/");
        EXPECT_EQ(rc.Run([&] { client.QuitAsync(); }), 0);
    }
}
