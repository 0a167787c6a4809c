// Transfers against a scripted server that also plays the data connection: the order of the final
// reply and the close, refused and failing transfers, data connections that cannot be made,
// aborts, uploads in active mode, the local file of a refused download.
#include "ftp/client/transfer_buffers.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "ftp/transfer_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Watches the client: "< 226" seen, data connection closed.
struct Watch {
    Flag replied;
    Flag dataClosed;

    explicit Watch(RecordingClient& rc)
    {
        rc.client.OnDisplay = [this, &rc](TObject*, QString& Msg) {
            rc.log << Msg;
            if (Msg.startsWith("< 226"))
                replied.Set();
        };
        rc.client.DataSocket()->OnChangeState = [this](TObject*, TSocketState, TSocketState New) {
            if (New == wsClosed)
                dataClosed.Set();
        };
    }
};

} // namespace

TEST(FtpTransferFake, ReceiveEndsOnceWhicheverOfReplyAndCloseComesLast)
{
    enum Order { ReplyFirst, CloseFirst, Reply125Then226, Reply125Only };
    for (const Order order : {ReplyFirst, CloseFirst, Reply125Then226, Reply125Only}) {
        SCOPED_TRACE(order);
        QTemporaryDir dir;
        FakeFtp fake;
        Watch watch(fake.rc);
        fake.Passive();
        fake.control.ExpectLine("RETR a.txt");
        fake.AcceptData();
        fake.control.Send(order >= Reply125Then226 ? "125 Go\r\n" : "150 Go\r\n");
        fake.SendData("hello");
        if (order == CloseFirst) {
            fake.CloseData().WaitFor(watch.dataClosed, "data close");
            fake.control.Send("226 Done\r\n");
        } else {
            fake.control.Send(order == Reply125Only ? "125 Still going\r\n" : "226 Done\r\n");
            // The client has taken the reply before the data connection closes.
            if (order != Reply125Only)
                fake.WaitFor(watch.replied, "226");
            fake.CloseData();
        }
        fake.control.AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("a.txt");
        client.SetLocalFileName(dir.filePath("a.txt"));
        EXPECT_EQ(fake.rc.Run([&] { client.GetAsync(); }), 0);
        EXPECT_EQ(fake.rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpGetAsync, 0}}));
        EXPECT_EQ(ReadFile(dir.filePath("a.txt")), "hello");
        EXPECT_TRUE(
            fake.rc.log.filter(QRegularExpression("^! 5 bytes received/sent in \\d+ seconds")).size() == 1)
            << fake.rc.log.join('\n').toStdString();
        // Nothing else comes later.
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        EXPECT_EQ(fake.rc.done.size(), 1);
    }
}

TEST(FtpTransferFake, ARefusedDownloadLeavesTheLocalFileAlone)
{
    struct Case {
        const char* what;
        QByteArray firstReply;
        QByteArray finalReply; // empty: the first reply refuses
        int error;
        QString notice;
    } cases[] = {
        {"550 on RETR", "550 No such file", "", 550, ""},
        {"451 at the end", "150 Go", "451 Local error", 451, "! RETR Failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString local = dir.filePath("keep.txt");
        WriteFile(local, "the user's own file");
        FakeFtp fake;
        fake.Passive();
        fake.control.ExpectLine("RETR keep.txt");
        fake.AcceptData();
        fake.control.Send(c.firstReply + "\r\n");
        if (!c.finalReply.isEmpty())
            fake.control.Send(c.finalReply + "\r\n");
        fake.CloseData();
        fake.control.AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("keep.txt");
        client.SetLocalFileName(local);
        client.SetResumeAt(0);
        EXPECT_EQ(fake.rc.Run([&] { client.GetAsync(); }), c.error);
        EXPECT_EQ(client.ErrorMessage(), c.finalReply.isEmpty() ? c.firstReply : c.finalReply);
        if (!c.notice.isEmpty()) {
            EXPECT_TRUE(fake.rc.log.contains(c.notice));
        }
        // Also when the server accepted and then failed the transfer.
        EXPECT_EQ(ReadFile(local), "the user's own file");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
        EXPECT_EQ(client.State(), ftpReady);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, APassiveDataConnectionThatCannotBeMadeEndsWith550)
{
    RefusingPort refusing;
    const QByteArray refusedReply = "227 Entering Passive Mode (127,0,0,1," +
                                    QByteArray::number(refusing.Port() / 256) + "," +
                                    QByteArray::number(refusing.Port() % 256) + ")";
    struct Case {
        QByteArray reply;
        QString response;
    } cases[] = {
        {refusedReply, "Unable to establish data connection, error #10061"},
        {"227 Entering Passive Mode (127,0,0,1,4)", "Unable to establish data connection, bad passive reply: "
                                                    "\"227 Entering Passive Mode (127,0,0,1,4)\""},
        {"227 Entering Passive Mode (127,0,0,1,x,1)",
         "Unable to establish data connection, bad passive reply: "
         "\"227 Entering Passive Mode (127,0,0,1,x,1)\""},
        {"200 PASV is fine", "Unable to establish data connection, bad passive reply: \"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toStdString());
        QTemporaryDir dir;
        FakeFtp fake;
        fake.control.ExpectLine("PASV").Send(c.reply + "\r\n");
        // The command goes out only once the data connection stands: here never, so that no
        // late answer to it can be taken for the answer to PWD.
        fake.control.ExpectLine("PWD").Send("257 \"/\"\r\n").AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("f");
        client.SetLocalFileName(dir.filePath("f"));
        EXPECT_EQ(fake.rc.Run([&] { client.GetAsync(); }), 550);
        EXPECT_EQ(client.LastResponse(), c.response);
        EXPECT_EQ(client.ErrorMessage(), c.response);
        EXPECT_EQ(client.StatusCode(), 550);
        EXPECT_FALSE(QFile::exists(dir.filePath("f")));
        EXPECT_EQ(client.DataSocket()->State(), wsClosed);
        // The control connection goes on.
        EXPECT_EQ(fake.rc.Run([&] { client.PwdAsync(); }), 0);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, PassiveDataGoesToTheControlHostWhateverTheReplyNames)
{
    QTemporaryDir dir;
    FakeFtp fake;
    fake.control.ExpectLine("PASV").Send(fake.Pasv227("10,0,0,5"));
    fake.control.ExpectLine("LIST");
    fake.AcceptData();
    fake.control.Send("150 Here\r\n");
    fake.SendData("line\r\n").CloseData();
    fake.control.Send("226 Done\r\n").AwaitClose();
    ASSERT_TRUE(fake.Open());
    TFtpClient& client = fake.rc.client;
    client.SetPassive(true);
    client.SetLocalFileName(dir.filePath("list"));
    EXPECT_EQ(fake.rc.Run([&] { client.DirAsync(); }), 0);
    EXPECT_EQ(ReadFile(dir.filePath("list")), "line\r\n");
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpTransferFake, ActiveUploadStartsOnceWhetherTheConnectionComesBeforeOrAfterThe150)
{
    const QByteArray content = Pattern(2 * FtpSendChunkSize + 100);
    for (const bool connectFirst : {true, false}) {
        SCOPED_TRACE(connectFirst ? "connect, then 150" : "150, then connect");
        QTemporaryDir dir;
        WriteFile(dir.filePath("up.bin"), content);
        FakeFtp fake;
        QByteArray received;
        fake.Active();
        fake.control.ExpectLine("STOR up.bin");
        if (connectFirst) {
            fake.ConnectData();
            fake.control.Send("150 Send\r\n");
        } else {
            fake.control.Send("150 Send\r\n");
            fake.ConnectData();
        }
        fake.ReadData(&received);
        fake.control.Send("226 Stored\r\n").AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetHostFileName("up.bin");
        client.SetLocalFileName(dir.filePath("up.bin"));
        EXPECT_EQ(fake.rc.Run([&] { client.PutAsync(); }), 0);
        EXPECT_EQ(fake.rc.done.value(0).first, ftpPutAsync);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        EXPECT_EQ(Sha256(received), Sha256(content));
    }
}

TEST(FtpTransferFake, ActiveModeTakesTheDataConnectionOnlyFromTheServer)
{
    QTemporaryDir dir;
    FakeFtp fake;
    PeerConnection intruder;
    fake.Active();
    fake.control.ExpectLine("RETR f");
    fake.control.Do([&] {
        // Another host of the loopback network gets there first.
        const QList<QByteArray> fields = fake.portLine.mid(5).split(',');
        intruder =
            PeerConnection::ConnectFrom("127.0.0.2", fields.value(4).toInt() * 256 + fields.value(5).toInt());
        if (!intruder.Valid())
            return QStringLiteral("the intruder could not connect");
        intruder.Write("injected");
        // The client closes it at once.
        const PeerConnection::Ending ending = intruder.ReadToEnd();
        return ending.eof || ending.reset ? QString() : QStringLiteral("the intruder was not sent away");
    });
    fake.ConnectData();
    fake.control.Send("150 Go\r\n");
    fake.SendData("genuine").CloseData();
    fake.control.Send("226 Done\r\n").AwaitClose();
    ASSERT_TRUE(fake.Open());
    TFtpClient& client = fake.rc.client;
    client.SetHostFileName("f");
    client.SetLocalFileName(dir.filePath("f"));
    EXPECT_EQ(fake.rc.Run([&] { client.GetAsync(); }), 0);
    EXPECT_EQ(ReadFile(dir.filePath("f")), "genuine");
    EXPECT_TRUE(fake.rc.log.contains("! Data connection from 127.0.0.2 refused"));
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpTransferFake, UploadsThatEndEarly)
{
    struct Case {
        const char* what;
        QByteArray content;
        bool cancel;
        bool abortOnProgress;
        int error;
        QString notice;
    } cases[] = {
        {"cancelled before it starts", "data", true, false, 426, "! 426 Transmit cancelled by application"},
        {"empty file", "", false, false, 0, "! 0 bytes received/sent in 0 seconds"},
        {"aborted by progress, server answers 226", Pattern(3 * FtpSendChunkSize), false, true, 426,
         "! Abort requested"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        WriteFile(dir.filePath("up"), c.content);
        FakeFtp fake;
        QByteArray received;
        if (!c.cancel) {
            fake.Passive();
            fake.AcceptData();
            fake.control.ExpectLine("STOR up").Send("150 Send\r\n");
            fake.ReadData(&received);
            fake.control.Send("226 Stored\r\n");
        }
        fake.control.AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("up");
        client.SetLocalFileName(dir.filePath("up"));
        client.OnReadyToTransmit = [&](TObject*, bool& cancel) { cancel = c.cancel; };
        int progressCalls = 0;
        client.OnProgress = [&](TObject*, qint64, bool& abort) {
            abort = c.abortOnProgress && ++progressCalls == 2;
        };
        EXPECT_EQ(fake.rc.Run([&] { c.cancel ? client.StorAsync() : client.PutAsync(); }), c.error);
        EXPECT_EQ(fake.rc.done.value(0).first, ftpPutAsync);
        EXPECT_TRUE(fake.rc.log.filter(c.notice).size() == 1) << fake.rc.log.join('\n').toStdString();
        if (c.cancel) {
            EXPECT_EQ(client.ErrorMessage(), "426 Transmit cancelled by application");
        }
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        if (c.abortOnProgress) {
            EXPECT_LT(received.size(), c.content.size());
        } else if (!c.cancel) {
            EXPECT_EQ(received, c.content);
        }
    }
}

TEST(FtpTransferFake, DownloadsThatEndEarly)
{
    struct Case {
        const char* what;
        bool reset;
        bool abortOnProgress;
        int error;
        QString notice;
    } cases[] = {
        {"data connection reset", true, false, 10054, ""},
        {"aborted by progress, server answers 226", false, true, 426, "! Abort requested"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        FakeFtp fake;
        Watch watch(fake.rc);
        Flag receiving;
        fake.Passive();
        fake.control.ExpectLine("RETR f");
        fake.AcceptData();
        fake.control.Send("150 Go\r\n");
        fake.SendData(Pattern(5000));
        if (c.reset) {
            // Once the client is reading, the connection breaks.
            fake.WaitFor(receiving, "the first data");
            fake.control.Do([&] {
                fake.data.Reset();
                return QString();
            });
        } else {
            // The server has sent everything and answers 226, but the client had asked to stop.
            fake.WaitFor(watch.dataClosed, "the client's close");
            fake.CloseData();
        }
        fake.control.Send("226 Done\r\n").AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("f");
        client.SetLocalFileName(dir.filePath("f"));
        client.OnProgress = [&](TObject*, qint64, bool& abort) {
            abort = c.abortOnProgress;
            receiving.Set();
        };
        EXPECT_EQ(fake.rc.Run([&] { client.GetAsync(); }), c.error);
        if (!c.notice.isEmpty()) {
            EXPECT_TRUE(fake.rc.log.contains(c.notice));
        }
        if (c.abortOnProgress) {
            EXPECT_EQ(client.ErrorMessage(), "426 Operation aborted.");
        }
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, DisplayedDataComesInPiecesAtLineEnds)
{
    FakeFtp fake;
    Flag firstPiece;
    fake.Passive();
    fake.control.ExpectLine("LIST");
    fake.AcceptData();
    fake.control.Send("150 Here\r\n");
    fake.SendData("\r\nfirst\r\nsec").WaitFor(firstPiece, "the first pieces");
    fake.SendData("ond\r\n\r\nthird\n").CloseData();
    fake.control.Send("226 Done\r\n").AwaitClose();
    ASSERT_TRUE(fake.Open());
    TFtpClient& client = fake.rc.client;
    client.SetPassive(true);
    client.SetDisplayFileFlag(true);
    QStringList pieces;
    client.OnDisplayFile = [&](TObject*, QString& Msg) {
        pieces << Msg;
        if (Msg == "sec")
            firstPiece.Set();
    };
    EXPECT_EQ(fake.rc.Run([&] { client.DirAsync(); }), 0);
    EXPECT_EQ(pieces, (QStringList{"", "first", "sec", "ond", "third"}));
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

TEST(FtpTransferFake, ALocalFileThatCannotBeUsedEndsTheRequestThroughOnError)
{
    struct Case {
        const char* what;
        bool upload;
        QString error;
    } cases[] = {
        {"upload of a missing file", true, "Cannot open file \"%1/missing/up\". No such file or directory"},
        {"download into a missing folder", false,
         "Cannot create file \"%1/missing/down\". No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        FakeFtp fake;
        fake.Passive();
        if (!c.upload) {
            fake.control.ExpectLine("RETR down");
            fake.AcceptData();
            fake.control.Send("150 Go\r\n");
            // The client drops the data connection; the answer to RETR comes before PWD's.
            fake.control.Do([&] {
                fake.data.ReadToEnd();
                return QString();
            });
            fake.control.Send("426 Connection closed; transfer aborted.\r\n");
        }
        fake.control.ExpectLine("PWD").Send("257 \"/\"\r\n").AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        QStringList errors;
        client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
        client.SetPassive(true);
        client.SetHostFileName(c.upload ? "up" : "down");
        client.SetLocalFileName(dir.filePath(c.upload ? "missing/up" : "missing/down"));
        c.upload ? client.PutAsync() : client.GetAsync();
        ASSERT_TRUE(pumpUntil([&] { return !errors.isEmpty(); }));
        EXPECT_EQ(errors, QStringList{c.error.arg(dir.path())});
        EXPECT_EQ(client.State(), ftpReady);
        // No OnRequestDone for the refused request; the next one reports its own code.
        EXPECT_EQ(fake.rc.Run([&] { client.PwdAsync(); }), 0);
        EXPECT_EQ(fake.rc.done, (QList<std::pair<TFtpRequest, int>>{{ftpPwdAsync, 0}}));
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

namespace {

// The start of a passive upload or download of "f": the data connection, the command and its 150.
void StartPassiveTransfer(FakeFtp& fake, bool upload)
{
    fake.Passive();
    if (upload) {
        fake.AcceptData();
        fake.control.ExpectLine("STOR f").Send("150 Send\r\n");
    } else {
        fake.control.ExpectLine("RETR f");
        fake.AcceptData();
        fake.control.Send("150 Go\r\n");
    }
}

// The whole of a passive transfer of "f" that goes well: content sent, or the upload read into
// *received, then 226.
void PlayPassiveTransfer(FakeFtp& fake, bool upload, const QByteArray& content, QByteArray* received)
{
    StartPassiveTransfer(fake, upload);
    if (upload)
        fake.ReadData(received);
    else
        fake.SendData(content).CloseData();
    fake.control.Send("226 Done\r\n").AwaitClose();
}

// Opens the client of fake and runs PutAsync or GetAsync of "f" with the local file local.
int RunPassiveTransfer(FakeFtp& fake, bool upload, const QString& local)
{
    if (!fake.Open())
        return -1;
    TFtpClient& client = fake.rc.client;
    client.SetPassive(true);
    client.SetHostFileName("f");
    client.SetLocalFileName(local);
    return fake.rc.Run([&] { upload ? client.PutAsync() : client.GetAsync(); });
}

} // namespace

TEST(FtpTransferFake, ATransferKeepsTheTypeItStartedWithWhenTheTypeIsChangedMeanwhile)
{
    // A type change asked for while a binary transfer runs is refused ("not ready"); the bytes of
    // the running transfer must stay untouched all the same.
    const QByteArray content = "line\r\nbare\nlone\r" + Pattern(2 * FtpSendChunkSize) + "end\r\n";
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "upload" : "download");
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        if (upload)
            WriteFile(local, content);
        FakeFtp fake;
        QByteArray received;
        PlayPassiveTransfer(fake, upload, content, &received);
        TFtpClient& client = fake.rc.client;
        QStringList errors;
        client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
        bool changed = false;
        client.OnProgress = [&](TObject*, qint64, bool&) {
            if (!std::exchange(changed, true))
                client.TypeAsciiAsync();
        };
        EXPECT_EQ(RunPassiveTransfer(fake, upload, local), 0);
        EXPECT_EQ(errors, QStringList{"FTP component not ready"});
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
        EXPECT_EQ(Sha256(upload ? received : ReadFile(local)), Sha256(content));
    }
}

TEST(FtpTransferFake, AnAbortFromTheProgressHandlerEndsTheTransferWith426)
{
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "upload" : "download");
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        if (upload)
            WriteFile(local, Pattern(3 * FtpSendChunkSize));
        FakeFtp fake;
        StartPassiveTransfer(fake, upload);
        if (!upload)
            fake.SendData(Pattern(5000));
        fake.control.AwaitClose();
        TFtpClient& client = fake.rc.client;
        // The user's stop button, handled while the progress event runs.
        client.OnProgress = [&](TObject*, qint64, bool&) { client.AbortAsync(); };
        EXPECT_EQ(RunPassiveTransfer(fake, upload, local), 426);
        EXPECT_EQ(client.ErrorMessage(), "426 Operation aborted.");
        EXPECT_EQ(client.State(), ftpReady);
        EXPECT_EQ(client.DataSocket()->State(), wsClosed);
        EXPECT_TRUE(fake.ScriptDone());
        EXPECT_EQ(fake.rc.done.size(), 1);
    }
}

TEST(FtpTransferFake, AControlConnectionLostBeforeTheDataEndedFailsTheTransfer)
{
    // The server answers 226 while data is still coming, then its control connection goes: what
    // arrived is not known to be the whole file.
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "upload" : "download");
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        if (upload)
            WriteFile(local, Pattern(64 * FtpSendChunkSize));
        FakeFtp fake;
        Flag dataSeen;
        StartPassiveTransfer(fake, upload);
        if (upload) {
            fake.control.Do([&] {
                return fake.data.Read(1000).size() == 1000 ? QString() : QStringLiteral("no data came");
            });
        } else {
            fake.SendData("the first part");
            fake.WaitFor(dataSeen, "the first part");
        }
        fake.control.Send("226 Done\r\n").Close();
        TFtpClient& client = fake.rc.client;
        client.OnProgress = [&](TObject*, qint64, bool&) { dataSeen.Set(); };
        EXPECT_EQ(RunPassiveTransfer(fake, upload, local), 421);
        EXPECT_EQ(client.ErrorMessage(), "421 Connection closed by server.");
        EXPECT_EQ(client.State(), ftpReady);
        EXPECT_FALSE(client.Connected());
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, AnUploadWhoseDataConnectionTheServerCutShortFails)
{
    // The server closes the data connection before it has the whole file, then answers 226 all
    // the same: the copy on the server is incomplete.
    for (const int readFirst : {0, 1000}) {
        SCOPED_TRACE(readFirst);
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        WriteFile(local, Pattern(64 * FtpSendChunkSize));
        FakeFtp fake;
        fake.Passive();
        fake.AcceptData();
        fake.control.ExpectLine("STOR f");
        if (readFirst == 0)
            fake.CloseData();
        fake.control.Send("150 Send\r\n");
        if (readFirst > 0) {
            fake.control.Do([&] {
                return fake.data.Read(readFirst).size() == readFirst ? QString()
                                                                     : QStringLiteral("no data came");
            });
            fake.CloseData();
        }
        fake.control.Send("226 Done\r\n").AwaitClose();
        // A reset of the connection, or the close itself, tells of the incomplete upload.
        const int error = RunPassiveTransfer(fake, true, local);
        EXPECT_TRUE(error == 426 || error == 10053 || error == 10054 || error == 10058) << error;
        if (error == 426) {
            EXPECT_EQ(fake.rc.client.ErrorMessage(),
                      "426 Data connection closed before the whole file was sent.");
        }
        fake.rc.client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, TheTransferPhaseSaysWhereATransferStands)
{
    const char* const names[] = {"Idle", "Connecting", "Starting", "Running", "Finishing", "Failing", "Ended"};
    for (int phase = ftpTransferIdle; phase <= ftpTransferEnded; ++phase)
        EXPECT_EQ(FtpTransferPhaseName(TFtpTransferPhase(phase)), names[phase]);
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "upload" : "download");
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        if (upload)
            WriteFile(local, "data");
        FakeFtp fake;
        QByteArray received;
        PlayPassiveTransfer(fake, upload, "data", &received);
        TFtpClient& client = fake.rc.client;
        EXPECT_EQ(client.TransferPhase(), ftpTransferIdle);
        QList<TFtpTransferPhase> seen;
        client.OnProgress = [&](TObject*, qint64, bool&) { seen << client.TransferPhase(); };
        EXPECT_EQ(RunPassiveTransfer(fake, upload, local), 0);
        ASSERT_FALSE(seen.isEmpty());
        EXPECT_EQ(seen.first(), ftpTransferRunning);
        EXPECT_EQ(client.TransferPhase(), ftpTransferEnded);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, ADownloadShorterThanTheAnnouncedSizeFails)
{
    struct Case {
        const char* what;
        QByteArray existing; // the local file before; empty: none
        int resumeAt;        // a REST offset the server accepts; 0: none
        QByteArray reply150;
        QByteArray data;
        int error;
        QString message;
        QByteArray after; // the local file after; empty: none
    } cases[] = {
        {"short, new file", "", 0, "150 Opening BINARY mode data connection for f (5000 bytes).", Pattern(1000),
         426, "426 Transfer incomplete: 1000 of 5000 bytes received.", ""},
        {"short, replacing a file", "old", 0, "150 f (5000 bytes)", Pattern(1000), 426,
         "426 Transfer incomplete: 1000 of 5000 bytes received.", "old"},
        {"whole", "", 0, "150 f (1000 bytes)", Pattern(1000), 0, "", Pattern(1000)},
        {"whole, counting the resume offset", Pattern(3000).left(1000), 1000, "150 f (3000 BYTES)",
         Pattern(3000).mid(1000), 0, "", Pattern(3000)},
        {"resumed beyond the end", Pattern(3000), 3000, "150 f (2000 bytes)", "", 554,
         "554 Cannot resume at 3000: the file has only 2000 bytes.", Pattern(3000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString local = dir.filePath("f");
        if (!c.existing.isEmpty())
            WriteFile(local, c.existing);
        FakeFtp fake;
        fake.Passive();
        if (c.resumeAt > 0)
            fake.control.ExpectLine("REST " + QByteArray::number(c.resumeAt)).Send("350 Restarting\r\n");
        fake.control.ExpectLine("RETR f");
        fake.AcceptData();
        fake.control.Send(c.reply150 + "\r\n");
        if (c.error == 554) {
            // The client drops the data connection at once.
            fake.control.Do([&] {
                fake.data.ReadToEnd();
                return QString();
            });
            fake.control.Send("426 Connection closed\r\n");
        } else {
            fake.SendData(c.data).CloseData();
            fake.control.Send("226 Done\r\n");
        }
        fake.control.AwaitClose();
        ASSERT_TRUE(fake.Open());
        TFtpClient& client = fake.rc.client;
        client.SetPassive(true);
        client.SetHostFileName("f");
        client.SetLocalFileName(local);
        client.SetOptions(ftpAcceptLF | ftpNoAutoResumeAt);
        client.SetResumeAt(c.resumeAt);
        EXPECT_EQ(fake.rc.Run([&] { c.resumeAt > 0 ? client.RestGetAsync() : client.GetAsync(); }), c.error);
        if (c.error != 0) {
            EXPECT_EQ(client.ErrorMessage(), c.message);
        }
        EXPECT_EQ(ReadFile(local), c.after);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.after.isEmpty() ? 0 : 1);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}

TEST(FtpTransferFake, ADownloadReplacesAFileOnlyOnceItHasSucceeded)
{
    struct Case {
        const char* what;
        bool abort;
        bool viaLink; // the local name is a link to the file
    } cases[] = {{"succeeded", false, false}, {"aborted", true, false}, {"through a link", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString file = dir.filePath("f");
        const QString local = c.viaLink ? dir.filePath("link") : file;
        WriteFile(file, "the old file");
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        if (c.viaLink)
            ASSERT_TRUE(QFile::link("f", local));
        FakeFtp fake;
        StartPassiveTransfer(fake, false);
        fake.SendData(Pattern(5000));
        if (!c.abort)
            fake.CloseData().control.Send("226 Done\r\n");
        fake.control.AwaitClose();
        TFtpClient& client = fake.rc.client;
        QByteArray whileRunning;
        client.OnProgress = [&](TObject*, qint64, bool&) {
            whileRunning = ReadFile(file);
            if (c.abort)
                client.AbortAsync();
        };
        EXPECT_EQ(RunPassiveTransfer(fake, false, local), c.abort ? 426 : 0);
        EXPECT_EQ(whileRunning, "the old file");
        EXPECT_EQ(ReadFile(file), c.abort ? QByteArray("the old file") : Pattern(5000));
        EXPECT_EQ(QFile::permissions(file),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                      QFileDevice::WriteUser | QFileDevice::ReadGroup);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), c.viaLink ? 2 : 1);
        if (c.viaLink) {
            EXPECT_EQ(QFileInfo(local).symLinkTarget(), file);
        }
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}
