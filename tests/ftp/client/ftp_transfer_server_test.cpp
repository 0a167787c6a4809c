// Transfers on 127.0.0.1 against pyftpdlib: every command in both modes at sizes around the
// buffers, uploads of those sizes against vsftpd too, resuming both ways, ASCII line ends both ways, the requests the program uses, and
// data connections through a SOCKS server.
#include "ftp/client/transfer_buffers.h"
#include "support/ftp_server_fixture.h"
#include "support/qt_printers.h"
#include "support/server_required.h"
#include "support/socks_relay.h"
#include "support/vsftpd_write_fixture.h"
#include "ftp/transfer_helpers.h"

#include <QDir>
#include <sys/resource.h>
#include <QRegularExpression>

namespace {

// A logged-in client of its own pyftpdlib user.
struct ServerSession {
    FtpAccount account;
    RecordingClient rc;
    QList<qint64> progress;

    explicit ServerSession(PyFtpServer& server, bool passive) : account(server.AddUser())
    {
        TFtpClient& c = rc.client;
        c.SetHostName("127.0.0.1");
        c.SetPort(QString::number(server.Port()));
        c.SetUserName(account.user);
        c.SetPassWord(account.password);
        c.SetPassive(passive);
        c.OnProgress = [this](TObject*, qint64 count, bool&) { progress << count; };
    }
    // Logs in and sets the binary type (the server starts in ASCII).
    ::testing::AssertionResult Connect()
    {
        if (const int e = Run([&] { rc.client.ConnectAsync(); }); e != 0)
            return ::testing::AssertionFailure() << "login gave " << e;
        if (const int e = Run([&] { rc.client.TypeBinaryAsync(); }); e != 0)
            return ::testing::AssertionFailure() << "TYPE I gave " << e;
        return ::testing::AssertionSuccess();
    }
    int Run(const std::function<void()>& request)
    {
        progress.clear();
        rc.log.clear();
        return rc.Run(request);
    }
    QString Remote(const QString& name) const { return account.home + "/" + name; }
    QString Local(const QString& name) const { return account.home + "-local-" + name; }
    // The statistics line of the last transfer for count bytes, and progress that rose to end
    // (the position in the whole file: a resumed transfer adds its offset).
    ::testing::AssertionResult Reported(qint64 count, qint64 end = -1) const
    {
        if (end < 0)
            end = count;
        static const QRegularExpression stats(
            "^! \\d+ bytes received/sent in \\d+ seconds( \\(\\d+ Bytes/sec\\))?$");
        if (rc.log.filter(stats).size() != 1 ||
            !rc.log.filter(stats).first().startsWith(QStringLiteral("! %1 ").arg(count)))
            return ::testing::AssertionFailure() << "statistics: " << rc.log.join('\n').toStdString();
        for (qsizetype i = 1; i < progress.size(); ++i)
            if (progress[i] < progress[i - 1])
                return ::testing::AssertionFailure() << "progress went back at " << i;
        if (progress.isEmpty() || progress.last() != end)
            return ::testing::AssertionFailure()
                   << "progress ended at " << (progress.isEmpty() ? -1 : progress.last());
        return ::testing::AssertionSuccess();
    }
};

QStringList Lines(const QByteArray& listing)
{
    QStringList lines = QString::fromUtf8(listing).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(FtpTransferServer, FilesOfEverySizeGoBothWaysInBothModes)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    // Around the receive buffer and the send chunk, and larger than the sockets' buffers.
    static_assert(FtpReceiveBufferSize == FtpSendChunkSize);
    const qint64 sizes[] = {
        0, 1, FtpSendChunkSize - 1, FtpSendChunkSize, FtpSendChunkSize + 1, 1 << 20, (4 << 20) + 7};
    for (const bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        ServerSession s(*server, passive);
        TFtpClient& c = s.rc.client;
        ASSERT_TRUE(s.Connect());
        for (const qint64 size : sizes) {
            SCOPED_TRACE(size);
            const QByteArray content = Pattern(size, int(size));
            const QString name = QStringLiteral("f%1").arg(size);
            WriteFile(s.Remote(name), content);
            c.SetHostFileName(name);
            c.SetLocalFileName(s.Local(name));
            EXPECT_EQ(s.Run([&] { c.GetAsync(); }), 0);
            EXPECT_EQ(s.rc.done.value(0).first, ftpGetAsync);
            EXPECT_EQ(FileSha256(s.Local(name)), Sha256(content));
            EXPECT_TRUE(s.Reported(size));

            c.SetHostFileName("up-" + name);
            EXPECT_EQ(s.Run([&] { c.PutAsync(); }), 0);
            EXPECT_EQ(s.rc.done.value(0).first, ftpPutAsync);
            EXPECT_EQ(FileSha256(s.Remote("up-" + name)), Sha256(content));
            EXPECT_TRUE(s.Reported(size));

            c.SetHostFileName(name);
            EXPECT_EQ(s.Run([&] { c.AppendAsync(); }), 0);
            EXPECT_EQ(s.rc.done.value(0).first, ftpAppendAsync);
            EXPECT_EQ(FileSha256(s.Remote(name)), Sha256(content + content));
            EXPECT_TRUE(s.Reported(size));
        }
        EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
    }
}

// vsftpd reads an upload until the data connection closes: the close that follows as soon as the
// send queue has drained must never cut a file short, whatever its size and the mode.
TEST(FtpTransferServer, VsftpdReceivesEveryUploadWhole)
{
    VsftpdWriteServer* server = VsftpdWriteServer::Instance();
    HFTP_NEED_SERVER(server, VsftpdWriteServer::StartError().toStdString());
    const qint64 sizes[] = {0, 1, 1000, FtpSendChunkSize - 1, FtpSendChunkSize + 1, (1 << 20) + 7};
    for (const bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        QString remote;
        const QString local = server->NewFolder(remote);
        RecordingClient rc;
        TFtpClient& c = rc.client;
        c.SetHostName("127.0.0.1");
        c.SetPort(QString::number(server->Port()));
        c.SetUserName("anonymous");
        c.SetPassWord("guest@example.org");
        c.SetPassive(passive);
        ASSERT_EQ(rc.Run([&] { c.ConnectAsync(); }), 0);
        ASSERT_EQ(rc.Run([&] { c.TypeBinaryAsync(); }), 0);
        for (const qint64 size : sizes) {
            SCOPED_TRACE(size);
            const QByteArray content = Pattern(size, int(size) + 3);
            const QString name = QStringLiteral("up%1").arg(size);
            WriteFile(local + "-" + name, content);
            c.SetLocalFileName(local + "-" + name);
            c.SetHostFileName(remote + "/" + name);
            EXPECT_EQ(rc.Run([&] { c.PutAsync(); }), 0);
            EXPECT_EQ(FileSha256(local + "/" + name), Sha256(content));
        }
        EXPECT_EQ(rc.Run([&] { c.QuitAsync(); }), 0);
    }
}

TEST(FtpTransferServer, ListingsOfEverySizeInBothModes)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    for (const bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        ServerSession s(*server, passive);
        TFtpClient& c = s.rc.client;
        // An empty folder, one entry, and a listing of several hundred kilobytes.
        const int counts[] = {0, 1, 2000};
        for (const int count : counts) {
            const QString folder = QStringLiteral("d%1").arg(count);
            QDir().mkpath(s.Remote(folder));
            QStringList names;
            for (int i = 0; i < count; ++i) {
                names << QStringLiteral("%1-%2").arg(i, 5, 10, QChar('0')).arg(QString(150, u'n'));
                WriteFile(s.Remote(folder) + "/" + names.last(), QByteArray::number(i));
            }
            names.sort();
            ASSERT_TRUE(s.Connect());
            c.SetHostFileName(folder);
            for (const bool nlst : {false, true}) {
                SCOPED_TRACE(nlst ? "NLST" : "LIST");
                SCOPED_TRACE(count);
                const QString local = s.Local(folder + (nlst ? "-nlst" : "-list"));
                c.SetLocalFileName(local);
                EXPECT_EQ(s.Run([&] { nlst ? c.LsAsync() : c.DirAsync(); }), 0);
                EXPECT_EQ(s.rc.done.value(0).first, nlst ? ftpLsAsync : ftpDirAsync);
                const QByteArray listing = ReadFile(local);
                EXPECT_TRUE(s.Reported(listing.size()));
                QStringList got;
                for (const QString& line : Lines(listing))
                    got << (nlst ? line.section('/', -1) : line.section(' ', -1));
                got.sort();
                EXPECT_EQ(got, names);
            }
            EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
        }
    }
}

TEST(FtpTransferServer, ResumesBothWays)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const QByteArray content = Pattern(300001, 7);
    const qint64 half = content.size() / 2;
    for (const bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        ServerSession s(*server, passive);
        TFtpClient& c = s.rc.client;
        // Download: the first half is here already; RestartGetAsync asks for the rest.
        WriteFile(s.Remote("big"), content);
        WriteFile(s.Local("big"), content.left(half));
        c.SetHostFileName("big");
        c.SetLocalFileName(s.Local("big"));
        EXPECT_EQ(s.Run([&] { c.RestartGetAsync(); }), 0);
        EXPECT_TRUE(s.rc.log.contains(QStringLiteral("> REST %1").arg(half)));
        EXPECT_EQ(FileSha256(s.Local("big")), Sha256(content));
        EXPECT_EQ(s.progress.first(), half);
        EXPECT_TRUE(s.Reported(content.size() - half, content.size()));

        // Upload: the server has the first half; the rest goes from the offset the caller sets.
        WriteFile(s.Remote("up"), content.left(half));
        WriteFile(s.Local("up"), content);
        ASSERT_TRUE(s.Connect());
        c.SetHostFileName("up");
        c.SetLocalFileName(s.Local("up"));
        c.SetResumeAt(half);
        EXPECT_EQ(s.Run([&] { c.RestPutAsync(); }), 0);
        EXPECT_EQ(s.rc.done.value(0).first, ftpPutAsync);
        EXPECT_EQ(FileSha256(s.Remote("up")), Sha256(content));
        EXPECT_TRUE(s.Reported(content.size() - half, content.size()));
        EXPECT_EQ(c.ResumeAt(), 0);
        EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
    }
}

TEST(FtpTransferServer, AsciiModeConvertsLineEndsBothWays)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    // Unix text with a lone CR, and line ends on every side of the buffers' edges.
    QByteArray text = "first\nsecond\nthird\rfourth\n";
    while (text.size() < 20000)
        text += QByteArray(text.size() % 97, 'x') + "\n";
    ServerSession s(*server, true);
    TFtpClient& c = s.rc.client;
    ASSERT_TRUE(s.Connect());
    ASSERT_EQ(s.Run([&] { c.TypeAsciiAsync(); }), 0);
    const qint64 wire = text.size() + text.count('\n');

    WriteFile(s.Remote("text"), text);
    c.SetHostFileName("text");
    c.SetLocalFileName(s.Local("text"));
    EXPECT_EQ(s.Run([&] { c.GetAsync(); }), 0);
    EXPECT_TRUE(ReadFile(s.Local("text")) == text);
    EXPECT_TRUE(s.Reported(wire));

    c.SetHostFileName("up-text");
    EXPECT_EQ(s.Run([&] { c.PutAsync(); }), 0);
    EXPECT_TRUE(ReadFile(s.Remote("up-text")) == text);
    EXPECT_TRUE(s.Reported(wire));

    // A file with CR LF line ends arrives with the server's own line ends, not with a doubled CR.
    WriteFile(s.Local("crlf"), "a\r\nb\n");
    c.SetHostFileName("crlf");
    c.SetLocalFileName(s.Local("crlf"));
    EXPECT_EQ(s.Run([&] { c.PutAsync(); }), 0);
    EXPECT_EQ(ReadFile(s.Remote("crlf")), "a\nb\n");
    EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
}

// The requests the main window uses, one after another on one connection.
TEST(FtpTransferServer, ConnectListDownloadUpload)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    ServerSession s(*server, false);
    TFtpClient& c = s.rc.client;
    WriteFile(s.Remote("a.txt"), "alpha");
    ASSERT_EQ(s.Run([&] { c.ConnectAsync(); }), 0);
    EXPECT_EQ(s.rc.done.value(0).first, ftpConnectAsync);
    ASSERT_EQ(s.Run([&] { c.TypeBinaryAsync(); }), 0);
    c.SetHostFileName("");
    c.SetLocalFileName(s.Local("listing"));
    EXPECT_EQ(s.Run([&] { c.DirAsync(); }), 0);
    EXPECT_TRUE(ReadFile(s.Local("listing")).endsWith(" a.txt\r\n"));
    c.SetHostFileName("a.txt");
    c.SetLocalFileName(s.Local("a.txt"));
    EXPECT_EQ(s.Run([&] { c.GetAsync(); }), 0);
    EXPECT_EQ(ReadFile(s.Local("a.txt")), "alpha");
    c.SetHostFileName("b.txt");
    EXPECT_EQ(s.Run([&] { c.PutAsync(); }), 0);
    EXPECT_EQ(ReadFile(s.Remote("b.txt")), "alpha");
    // A missing remote file: 550, and the local file stays as it was.
    c.SetHostFileName("missing.txt");
    EXPECT_EQ(s.Run([&] { c.GetAsync(); }), 550);
    EXPECT_EQ(ReadFile(s.Local("a.txt")), "alpha");
    EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
}

// The process's file size limit for as long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

TEST(FtpTransferServer, ADownloadWhoseLocalWritesFailEndsWithTheCauseAndTheNextRequestWorks)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    const QByteArray content = Pattern(3 * FtpReceiveBufferSize + 7);
    for (const bool passive : {false, true}) {
        ServerSession s(*server, passive);
        struct Case {
            const char* what;
            QString local;
            rlim_t limit;
            QString cause;
        } cases[] = {
            {"a full disk", "/dev/full", RLIM_INFINITY, "No space left on device"},
            {"the file size limit", s.Local("limited"), 100000, "File too large"},
        };
        TFtpClient& c = s.rc.client;
        QStringList errors;
        c.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
        WriteFile(s.Remote("f"), content);
        ASSERT_TRUE(s.Connect());
        for (const Case& k : cases) {
            SCOPED_TRACE(std::string(passive ? "passive, " : "active, ") + k.what);
            errors.clear();
            s.rc.done.clear();
            c.SetHostFileName("f");
            c.SetLocalFileName(k.local);
            {
                FileSizeLimit limit(k.limit);
                c.GetAsync();
                ASSERT_TRUE(pumpUntil([&] { return !errors.isEmpty(); }));
            }
            EXPECT_EQ(errors, QStringList{QStringLiteral("Cannot write to file \"%1\". %2").arg(k.local, k.cause)});
            EXPECT_TRUE(s.rc.done.isEmpty());
            EXPECT_EQ(c.State(), ftpReady);
            if (k.local != "/dev/full") {
                EXPECT_FALSE(QFile::exists(k.local));
            }
            // The next requests read their own replies.
            EXPECT_EQ(s.Run([&] { c.PwdAsync(); }), 0);
            EXPECT_EQ(c.DirResult(), "/");
            c.SetLocalFileName(s.Local("f"));
            EXPECT_EQ(s.Run([&] { c.GetAsync(); }), 0);
            EXPECT_EQ(Sha256(ReadFile(s.Local("f"))), Sha256(content));
            EXPECT_TRUE(errors.size() == 1) << errors.join('\n').toStdString();
        }
        EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
    }
}

TEST(FtpTransferServer, EveryDataConnectionGoesThroughSocks)
{
    PyFtpServer* server = PyFtpServer::Instance();
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());
    SocksRelay relay;
    ServerSession s(*server, false);
    TFtpClient& c = s.rc.client;
    c.SetConnectionType(ftpSocks5);
    c.SetSocksServer("127.0.0.1");
    c.SetSocksPort(QString::number(relay.Port()));
    WriteFile(s.Remote("a.txt"), "alpha");
    ASSERT_TRUE(s.Connect());
    for (int i = 0; i < 2; ++i) {
        c.SetLocalFileName(s.Local(QStringLiteral("list%1").arg(i)));
        EXPECT_EQ(s.Run([&] { c.DirAsync(); }), 0);
        EXPECT_TRUE(ReadFile(s.Local(QStringLiteral("list%1").arg(i))).endsWith(" a.txt\r\n"));
    }
    EXPECT_EQ(s.Run([&] { c.QuitAsync(); }), 0);
    const QList<int> ports = relay.ConnectedPorts();
    ASSERT_EQ(ports.size(), 3);
    EXPECT_EQ(ports[0], server->Port());
    EXPECT_NE(ports[1], server->Port());
    EXPECT_NE(ports[2], server->Port());
}
