// High-level requests against a scripted server: the commands each one sends and the code it
// reports, skipped steps, failing steps, REST, abort, refusals, connection types and the proxy.
#include "support/qt_printers.h"
#include "ftp/transfer_helpers.h"

#include <QTemporaryDir>

namespace {

void Exchange(FakeFtp& f, const QByteArray& cmd, const QByteArray& reply)
{
    f.control.ExpectLine(cmd).Send(reply + "\r\n");
}

void Login(FakeFtp& f)
{
    Exchange(f, "USER u", "331 Password please");
    Exchange(f, "PASS p", "230 Logged in");
}

// A passive receive after PASV: the data comes and the connection closes.
void Receive(FakeFtp& f, const QByteArray& cmd, const QByteArray& data)
{
    f.Passive();
    f.AcceptData();
    Exchange(f, cmd, "150 Here it comes");
    f.SendData(data).CloseData();
    f.control.Send("226 Done\r\n");
}

// A passive send after PASV (or after PASV and REST when rest is given).
void Upload(FakeFtp& f, const QByteArray& cmd, QByteArray* received, const QByteArray& rest = {})
{
    f.Passive();
    if (!rest.isEmpty())
        Exchange(f, rest, "350 Restarting");
    f.AcceptData();
    Exchange(f, cmd, "150 Send it");
    f.ReadData(received);
    f.control.Send("226 Stored\r\n");
}

void Quit(FakeFtp& f)
{
    Exchange(f, "QUIT", "221 Bye");
}

// The client's settings for the table: user u, password p, folder /d, file f, passive.
void Prepare(TFtpClient& c, int port, const QString& local)
{
    c.SetHostName("127.0.0.1");
    c.SetPort(QString::number(port));
    c.SetUserName("u");
    c.SetPassWord("p");
    c.SetHostDirName("/d");
    c.SetHostFileName("f");
    c.SetLocalFileName(local);
    c.SetPassive(true);
}

} // namespace

TEST(FtpHighLevel, EachRequestRunsItsStepsAndReportsItsCode)
{
    const QByteArray thousand = Pattern(1000);
    struct Case {
        const char* what;
        bool openFirst; // a request without an open step needs a connection
        std::function<void(FakeFtp&, QByteArray*)> script;
        std::function<void(TFtpClient&)> start; // after Prepare
        TFtpRequest rq;
        QString lastResponse; // "" when not checked
        QByteArray local;     // the local file afterwards (null: not checked)
        QByteArray uploaded;  // what the server received (null: not checked)
    } cases[] = {
        {"ConnectAsync",
         false,
         [](FakeFtp& f, QByteArray*) { Login(f); },
         [](TFtpClient& c) { c.ConnectAsync(); },
         ftpConnectAsync,
         "230 Logged in",
         {},
         {}},
        {"ReceiveAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "200 Binary");
             Receive(f, "RETR f", "abc");
             Quit(f);
         },
         [](TFtpClient& c) { c.ReceiveAsync(); },
         ftpReceiveAsync,
         "226 Done",
         "abc",
         {}},
        {"ReceiveAsync without a folder",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "TYPE I", "200 Binary");
             Receive(f, "RETR f", "abc");
             Quit(f);
         },
         [](TFtpClient& c) {
             c.SetHostDirName("");
             c.ReceiveAsync();
         },
         ftpReceiveAsync,
         "226 Done",
         "abc",
         {}},
        {"DirectoryAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Receive(f, "LIST f", "-rw-r--r-- 1 u g 3 Jan 1 10:00 f\r\n");
             Quit(f);
         },
         [](TFtpClient& c) { c.DirectoryAsync(); },
         ftpDirectoryAsync,
         "226 Done",
         "-rw-r--r-- 1 u g 3 Jan 1 10:00 f\r\n",
         {}},
        {"ListAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Receive(f, "NLST f", "f\r\n");
             Quit(f);
         },
         [](TFtpClient& c) { c.ListAsync(); },
         ftpListAsync,
         "226 Done",
         "f\r\n",
         {}},
        {"SystemAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "SYST", "215 UNIX Type: L8");
             Quit(f);
         },
         [](TFtpClient& c) { c.SystemAsync(); },
         ftpSystemAsync,
         "215 UNIX Type: L8",
         {},
         {}},
        {"FileSizeAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "SIZE f", "213 5000000000");
             Quit(f);
         },
         [](TFtpClient& c) { c.FileSizeAsync(); },
         ftpSizeAsync,
         "213 5000000000",
         {},
         {}},
        {"RenameAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "RNFR f", "350 Go on");
             Exchange(f, "RNTO g", "250 Renamed");
             Quit(f);
         },
         [](TFtpClient& c) {
             c.SetLocalFileName("g");
             c.RenameAsync();
         },
         ftpRenameAsync,
         "250 Renamed",
         {},
         {}},
        {"DeleteAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "DELE f", "250 Deleted");
             Quit(f);
         },
         [](TFtpClient& c) { c.DeleteAsync(); },
         ftpDeleteAsync,
         "250 Deleted",
         {},
         {}},
        {"MkdirAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "MKD f", "257 \"/d/f\" created");
             Quit(f);
         },
         [](TFtpClient& c) { c.MkdirAsync(); },
         ftpMkdirAsync,
         "257 \"/d/f\" created",
         {},
         {}},
        {"RmdirAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "RMD f", "250 Removed");
             Quit(f);
         },
         [](TFtpClient& c) { c.RmdirAsync(); },
         ftpRmdirAsync,
         "250 Removed",
         {},
         {}},
        {"DoQuoteAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "SITE CHMOD 600 f", "200 Done");
             Quit(f);
         },
         [](TFtpClient& c) {
             c.SetLocalFileName("SITE CHMOD 600 f");
             c.DoQuoteAsync();
         },
         ftpDoQuoteAsync,
         "200 Done",
         {},
         {}},
        {"TransmitAsync",
         false,
         [](FakeFtp& f, QByteArray* received) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "200 Binary");
             Upload(f, "STOR f", received);
             Quit(f);
         },
         [](TFtpClient& c) { c.TransmitAsync(); },
         ftpPutAsync,
         "226 Stored",
         {},
         "0123456789"},
        {"AppendFileAsync",
         false,
         [](FakeFtp& f, QByteArray* received) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "200 Binary");
             Upload(f, "APPE f", received);
             Quit(f);
         },
         [](TFtpClient& c) { c.AppendFileAsync(); },
         ftpAppendAsync,
         "226 Stored",
         {},
         "0123456789"},
        {"RestGetAsync",
         true,
         [](FakeFtp& f, QByteArray*) {
             f.Passive();
             Exchange(f, "REST 10", "350 Restarting at 10");
             f.AcceptData();
             Exchange(f, "RETR f", "150 Go");
             f.SendData("abc").CloseData();
             f.control.Send("226 Done\r\n");
         },
         [](TFtpClient& c) { c.RestGetAsync(); },
         ftpRestGetAsync,
         "",
         "0123456789abc",
         {}},
        {"RestartGetAsync",
         false,
         [](FakeFtp& f, QByteArray*) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "200 Binary");
             f.Passive();
             Exchange(f, "REST 10", "350 Restarting at 10");
             f.AcceptData();
             Exchange(f, "RETR f", "150 Go");
             f.SendData("abc").CloseData();
             f.control.Send("226 Done\r\n");
             Quit(f);
         },
         [](TFtpClient& c) { c.RestartGetAsync(); },
         ftpRestartGetAsync,
         "226 Done",
         "0123456789abc",
         {}},
        {"RestPutAsync",
         true,
         [](FakeFtp& f, QByteArray* received) { Upload(f, "STOR f", received, "REST 4"); },
         [](TFtpClient& c) {
             c.SetResumeAt(4);
             c.RestPutAsync();
         },
         ftpPutAsync,
         "",
         {},
         "456789"},
        {"RestartPutAsync",
         false,
         [](FakeFtp& f, QByteArray* received) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "200 Binary");
             Upload(f, "STOR f", received, "REST 4");
             Quit(f);
         },
         [](TFtpClient& c) {
             c.SetResumeAt(4);
             c.RestartPutAsync();
         },
         ftpPutAsync,
         "226 Stored",
         {},
         "456789"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString local = dir.filePath("local");
        WriteFile(local, "0123456789");
        FakeFtp fake;
        QByteArray uploaded;
        c.script(fake, &uploaded);
        fake.control.AwaitClose();
        TFtpClient& client = fake.rc.client;
        if (c.openFirst) {
            ASSERT_TRUE(fake.Open());
        } else
            fake.control.Start();
        Prepare(client, fake.control.Port(), local);
        EXPECT_EQ(fake.rc.Run([&] { c.start(client); }), 0) << client.ErrorMessage().toStdString();
        EXPECT_EQ(fake.rc.done, (QList<std::pair<TFtpRequest, int>>{{c.rq, 0}}));
        if (!c.lastResponse.isEmpty()) {
            EXPECT_EQ(client.LastResponse(), c.lastResponse);
        }
        if (!c.local.isNull()) {
            EXPECT_EQ(ReadFile(local), c.local);
        }
        EXPECT_EQ(client.State(), ftpReady);
        if (c.rq == ftpSizeAsync) {
            EXPECT_EQ(client.SizeResult(), 5000000000LL);
        }
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        if (!c.uploaded.isNull()) {
            EXPECT_EQ(uploaded, c.uploaded);
        }
    }
}

TEST(FtpHighLevel, StepsThatAreSkippedOrFail)
{
    struct Case {
        const char* what;
        std::function<void(FakeFtp&)> script;
        int error;
        QString lastResponse;
        QString errorMessage;
        bool connected;
        bool passSent;
    } cases[] = {
        // USER answered 230 needs no password.
        {"no password asked", [](FakeFtp& f) { Exchange(f, "USER u", "230 Welcome"); }, 0, "230 Welcome", "",
         true, false},
        // A failing step ends the request at once: no QUIT, the connection stays.
        {"TYPE refused",
         [](FakeFtp& f) {
             Login(f);
             Exchange(f, "CWD /d", "250 Ok");
             Exchange(f, "TYPE I", "504 Not that type");
         },
         504, "504 Not that type", "504 Not that type", true, true},
        {"login refused",
         [](FakeFtp& f) {
             Exchange(f, "USER u", "331 Password please");
             Exchange(f, "PASS p", "530 Wrong");
         },
         530, "530 Wrong", "530 Wrong", true, true},
        // The server goes away under a step.
        {"connection lost",
         [](FakeFtp& f) {
             Login(f);
             f.control.ExpectLine("CWD /d");
         },
         421, "421 Connection closed by server.", "421 Connection closed by server.", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        FakeFtp fake;
        c.script(fake);
        if (c.connected)
            fake.control.AwaitClose();
        else
            fake.control.Close();
        fake.control.Start();
        TFtpClient& client = fake.rc.client;
        Prepare(client, fake.control.Port(), dir.filePath("f"));
        const int error = fake.rc.Run([&] {
            if (std::string(c.what) == "no password asked")
                client.ConnectAsync();
            else
                client.ReceiveAsync();
        });
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(client.LastResponse(), c.lastResponse);
        EXPECT_EQ(client.ErrorMessage(), c.errorMessage);
        EXPECT_EQ(client.Connected(), c.connected);
        EXPECT_FALSE(fake.rc.log.contains("> QUIT"));
        EXPECT_EQ(fake.rc.log.contains("> PASS p"), c.passSent);
        EXPECT_FALSE(QFile::exists(dir.filePath("f")));
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpHighLevel, RestartGetTakesItsOffsetFromTheLocalFile)
{
    const QByteArray old = Pattern(1000);
    struct Case {
        const char* what;
        bool localExists;
        QByteArray restReply; // empty: no REST is sent
        TFtpOptions options;
        qint64 resumeAt; // set before the request
        int error;
        QByteArray local; // afterwards
    } cases[] = {
        {"REST accepted", true, "350 Restarting at 1000", ftpAcceptLF, 0, 0, old + "new"},
        {"no local file", false, "", ftpAcceptLF, 0, 0, "new"},
        {"REST answered without 350", true, "200 REST ignored", ftpAcceptLF, 0, 0, "new"},
        {"REST refused", true, "502 No REST", ftpAcceptLF, 0, 502, old},
        {"offset set by the caller", true, "350 Restarting at 3", ftpAcceptLF | ftpNoAutoResumeAt, 3, 0,
         old.left(3) + "new" + old.mid(6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString local = dir.filePath("local");
        if (c.localExists)
            WriteFile(local, old);
        FakeFtp fake;
        fake.Passive();
        if (!c.restReply.isEmpty())
            Exchange(fake, "REST " + QByteArray::number(c.resumeAt ? c.resumeAt : 1000), c.restReply);
        if (c.error == 0) {
            fake.AcceptData();
            Exchange(fake, "RETR f", "150 Go");
            fake.SendData("new").CloseData();
            fake.control.Send("226 Done\r\n");
        }
        fake.control.AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        Prepare(client, fake.control.Port(), local);
        client.SetOptions(c.options);
        client.SetResumeAt(c.resumeAt);
        QList<qint64> counts;
        client.OnProgress = [&](TObject*, qint64 count, bool&) { counts << count; };
        EXPECT_EQ(fake.rc.Run([&] { client.RestGetAsync(); }), c.error);
        EXPECT_EQ(ReadFile(local), c.local);
        EXPECT_EQ(client.ResumeAt(), c.error == 0 ? 0 : c.resumeAt ? c.resumeAt : 1000);
        if (c.error == 0 && !counts.isEmpty()) {
            EXPECT_EQ(counts.first(), c.restReply.startsWith("350") ? (c.resumeAt ? c.resumeAt : 1000) : 0);
        }
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpHighLevel, AbortEndsARunningRequestWith426)
{
    QTemporaryDir dir;
    FakeFtp fake;
    Login(fake);
    Exchange(fake, "CWD /d", "250 Ok");
    Exchange(fake, "TYPE I", "200 Binary");
    fake.Passive();
    fake.AcceptData();
    Exchange(fake, "RETR f", "150 Go");
    fake.SendData(Pattern(10000));
    fake.control.AwaitClose();
    fake.control.Start();
    TFtpClient& client = fake.rc.client;
    Prepare(client, fake.control.Port(), dir.filePath("f"));
    // The data is arriving when the abort comes.
    client.OnProgress = [&](TObject*, qint64, bool&) {
        if (client.State() == ftpBusy)
            client.AbortAsync();
    };
    ASSERT_EQ(fake.rc.Run([&] { client.ReceiveAsync(); }), 426);
    EXPECT_EQ(fake.rc.done.value(0).first, ftpReceiveAsync);
    EXPECT_EQ(client.ErrorMessage(), "426 Operation aborted.");
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_FALSE(client.Connected());
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpHighLevel, RefusalsOfTheRequestItself)
{
    FakeFtp fake;
    Exchange(fake, "PWD", "257 \"/\"");
    fake.control.AwaitClose();
    ASSERT_TRUE(fake.Open());
    TFtpClient& client = fake.rc.client;
    QStringList errors;
    client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
    client.ConnectAsync();
    client.PwdAsync();
    client.DirAsync();
    client.RetrAsync();
    EXPECT_EQ(errors, (QStringList{"FTP component already connected", "FTP component not ready",
                                   "LocalFileName empty"}));
    ASSERT_TRUE(pumpUntil([&] { return !fake.rc.done.isEmpty(); }));
    EXPECT_EQ(fake.rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpPwdAsync, 0}}));
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

// A step that cannot start ends its request, so the error handler can start another one: an
// empty user name in ConnectAsync is answered by sending USER alone, which goes on as USER.
TEST(FtpHighLevel, ARefusedStepEndsTheRequestAndARetryWorks)
{
    FakeFtp fake;
    Login(fake);
    fake.control.AwaitClose();
    fake.control.Start();
    TFtpClient& client = fake.rc.client;
    Prepare(client, fake.control.Port(), "");
    client.SetUserName("");
    QStringList errors;
    client.OnError = [&](TObject*, QString& Msg) {
        errors << Msg;
        EXPECT_EQ(client.State(), ftpReady);
        client.SetUserName("u");
        client.UserAsync();
    };
    client.OnRequestDone = [&](TObject*, TFtpRequest Rq, win::WORD Error) {
        fake.rc.done << std::pair{Rq, int(Error)};
        if (Rq == ftpUserAsync && client.StatusCode() == 331)
            client.PassAsync();
    };
    client.ConnectAsync();
    ASSERT_TRUE(pumpUntil([&] { return fake.rc.done.size() == 2; }));
    EXPECT_EQ(errors, QStringList{"UserName emtpy"});
    EXPECT_EQ(fake.rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpUserAsync, 0}, {ftpPassAsync, 0}}));
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpHighLevel, ConnectionTypes)
{
    struct Case {
        TFtpConnectionType type;
        bool passiveAsked;
        bool passive;
    } cases[] = {
        {ftpDirect, false, false},
        {ftpDirect, true, true},
        {ftpProxy, false, true},
        {ftpSocks4, false, true},
        {ftpSocks4A, false, true},
        {ftpSocks5, false, true},
        {TFtpConnectionType(9), false, false},
    };
    FakeFtp fake;
    fake.control.AwaitClose();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        RecordingClient rc;
        rc.client.SetConnectionType(c.type);
        rc.client.SetPassive(c.passiveAsked);
        EXPECT_EQ(rc.client.ConnectionType(), c.type <= ftpSocks5 ? c.type : ftpDirect);
        EXPECT_EQ(rc.client.Passive(), c.passive);
    }
    ASSERT_TRUE(fake.Open());
    TFtpClient& client = fake.rc.client;
    QStringList errors;
    client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
    client.SetConnectionType(ftpSocks5);
    EXPECT_EQ(errors, QStringList{"FTP component connected"});
    EXPECT_EQ(client.ConnectionType(), ftpDirect);
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpHighLevel, ProxyLoginNamesTheServerInTheUserName)
{
    // A client whose fixed proxy port can point at the scripted proxy.
    struct ProxyClient : TFtpClient {
        void SetProxyPortForTest(const QString& Port) { FProxyPort = Port; }
    };
    FakeFtp proxy;
    Exchange(proxy, "USER u@ftp.far.test", "331 Password please");
    Exchange(proxy, "PASS p", "230 Logged in through the proxy");
    proxy.control.AwaitClose();
    proxy.control.Start();
    BasicRecordingClient<ProxyClient> rc;
    rc.client.SetConnectionType(ftpProxy);
    rc.client.SetProxyServer("127.0.0.1");
    rc.client.SetProxyPortForTest(QString::number(proxy.control.Port()));
    rc.client.SetHostName("ftp.far.test"); // never looked up: the proxy is
    rc.client.SetPort("21");
    rc.client.SetUserName("u");
    rc.client.SetPassWord("p");
    EXPECT_EQ(rc.Run([&] { rc.client.ConnectAsync(); }), 0);
    EXPECT_EQ(rc.client.LastResponse(), "230 Logged in through the proxy");
    EXPECT_TRUE(rc.client.Passive());
    rc.client.AbortAsync();
    EXPECT_TRUE(proxy.ScriptDone());
}

TEST(FtpHighLevel, ARequestThatFailsLeavesNothingArmedForTheNextCommand)
{
    using Done = QList<std::pair<TFtpRequest, int>>;
    struct Case {
        const char* what;
        bool opens; // the failing request opens the connection itself
        void (TCustomFtpCli::*failing)();
        void (TCustomFtpCli::*next)();
        QList<std::pair<QByteArray, QByteArray>> dialogue; // of both requests
        Done done;
    } cases[] = {
        {"a refused rename, then a change of folder", false, &TCustomFtpCli::RenAsync, &TCustomFtpCli::CwdAsync,
         {{"RNFR f", "550 No such file"}, {"CWD /d", "250 Changed"}},
         {{ftpRenAsync, 550}, {ftpCwdAsync, 0}}},
        {"a login refused at USER, then QUIT", true, &TCustomFtpCli::ConnectAsync, &TCustomFtpCli::QuitAsync,
         {{"USER u", "530 Not you"}, {"QUIT", "221 Bye"}},
         {{ftpConnectAsync, 530}, {ftpQuitAsync, 0}}},
        {"a login refused at USER, then USER again", true, &TCustomFtpCli::ConnectAsync,
         &TCustomFtpCli::UserAsync, {{"USER u", "530 Not you"}, {"USER u", "331 Password please"}},
         {{ftpConnectAsync, 530}, {ftpUserAsync, 0}}},
        {"a folder listing refused at CWD, then PWD", true, &TCustomFtpCli::DirectoryAsync,
         &TCustomFtpCli::PwdAsync,
         {{"USER u", "331 Password please"},
          {"PASS p", "230 Logged in"},
          {"CWD /d", "550 No such folder"},
          {"PWD", "257 \"/\""}},
         {{ftpDirectoryAsync, 550}, {ftpPwdAsync, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        FakeFtp fake;
        QByteArray sent;
        for (const auto& [line, reply] : c.dialogue) {
            Exchange(fake, line, reply);
            sent += line + "\r\n";
        }
        fake.control.AwaitClose();
        TFtpClient& client = fake.rc.client;
        if (c.opens)
            fake.control.Start();
        else
            ASSERT_TRUE(fake.Open());
        Prepare(client, fake.control.Port(), dir.filePath("listing"));
        client.SetPassive(true);
        Done done;
        for (auto request : {c.failing, c.next}) {
            fake.rc.Run([&] { (client.*request)(); });
            done += fake.rc.done;
        }
        EXPECT_EQ(done, c.done);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        EXPECT_EQ(fake.control.Received(), sent);
        EXPECT_FALSE(QFile::exists(dir.filePath("listing")));
    }
}
