// The request wrappers with a client that records the requests started instead of sending them,
// the runner's error texts, and the request timer of TFtpClient2.
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/string_list.h"
#include "platform/system/files.h"
#include "routines/path_routines.h"
#include "platform/ui/screen.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "ftp/transfer_helpers.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <array>

namespace {

// Records each request started, with the properties the wrapper set and the timer's state.
struct RecordingClient2 : TFtpClient2 {
    QStringList started;
    bool raise = false;

    void Record(const char* request)
    {
        started << QStringLiteral("%1 host=%2 dir=%3 local=%4 tag=%5 tag2=%6 timer=%7/%8")
                       .arg(QLatin1String(request), HostFileName(), HostDirName(), LocalFileName())
                       .arg(Tag)
                       .arg(Tag2())
                       .arg(RequestTimer()->Enabled() ? "on" : "off")
                       .arg(RequestTimer()->Interval());
        if (raise)
            throw FtpException(QStringLiteral("boom"));
    }
    void ConnectAsync() override { Record("ConnectAsync"); }
    void UserAsync() override { Record("UserAsync"); }
    void PassAsync() override { Record("PassAsync"); }
    void QuitAsync() override { Record("QuitAsync"); }
    void AbortAsync() override { Record("AbortAsync"); }
    void DirAsync() override { Record("DirAsync"); }
    void MkdAsync() override { Record("MkdAsync"); }
    void CwdAsync() override { Record("CwdAsync"); }
    void PwdAsync() override { Record("PwdAsync"); }
    void CDupAsync() override { Record("CDupAsync"); }
    void RmdAsync() override { Record("RmdAsync"); }
    void DeleAsync() override { Record("DeleAsync"); }
    void SystAsync() override { Record("SystAsync"); }
    void RenAsync() override { Record("RenAsync"); }
    void TypeBinaryAsync() override
    {
        SetBinary(true);
        Record("TypeBinaryAsync");
    }
    void TypeAsciiAsync() override
    {
        SetBinary(false);
        Record("TypeAsciiAsync");
    }
    // As after the server accepted the client's current type.
    void ServerAcceptedType() { FConfirmedType = Binary() ? 'I' : 'A'; }
    void PutAsync() override { Record("PutAsync"); }
    void GetAsync() override { Record("GetAsync"); }
    void QuoteAsync() override { Record("QuoteAsync"); }
};

} // namespace

TEST(FtpRequestWrappers, EachWrapperShowsItsStatusSetsItsPropertiesAndStartsItsRequest)
{
    const QString listing = GetAppFolder(false) + "FTP.tmp";
    struct Case {
        std::function<void(TFtpClient2&)> call;
        QString status; // "" when none is shown
        QString started;
        bool hourglass;
    } cases[] = {
        {[](TFtpClient2& c) { FtpConnect(c); }, "Connecting to ftp.test...",
         "ConnectAsync host=old dir=/old local=/tmp/old tag=0 tag2=0 timer=on/7000", true},
        {[](TFtpClient2& c) { FtpSendUser(c); }, "Logging in user \"joe\"...",
         "UserAsync host=old dir=/old local=/tmp/old tag=5 tag2=0 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpSendPassword(c); }, "Sending password (hidden)",
         "PassAsync host=old dir=/old local=/tmp/old tag=5 tag2=0 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpDisconnect(c); }, "Disconnecting from ftp.test...",
         "QuitAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpGetDirListing(c, "pub", ""); }, "Retrieving directory listing...",
         "DirAsync host=pub dir= local=" + listing + " tag=5 tag2=6 timer=on/7000", true},
        {[](TFtpClient2& c) { FtpGetDirListing(c, "", "/tmp/list"); }, "Retrieving directory listing...",
         "DirAsync host= dir= local=/tmp/list tag=5 tag2=6 timer=on/7000", true},
        {[](TFtpClient2& c) { FtpMakeDir(c, "new dir"); }, "Creating new folder 'new dir'...",
         "MkdAsync host=new dir dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", true},
        {[](TFtpClient2& c) { FtpChangeDir(c, "/pub"); }, "Changing folder to /pub...",
         "CwdAsync host=old dir=/pub local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpChangeDir(c, ""); }, "* Cannot change folders. Directory name is empty.", "",
         false},
        {[](TFtpClient2& c) { FtpPrintWorkingDir(c); }, "",
         "PwdAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpChangeDirUp(c); }, "Changing directory up...",
         "CDupAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpRemoveDir(c, "/pub/gone/"); }, "Deleting directory '/pub/gone/'...",
         "RmdAsync host=/pub/gone dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpDeleteFile(c, "a.txt"); }, "Deleting 'a.txt'...",
         "DeleAsync host=a.txt dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpSystem(c); }, "",
         "SystAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpRename(c, "/pub/new.txt", "/pub/old.txt"); },
         "Renaming 'old.txt' to 'new.txt'...",
         "RenAsync host=/pub/old.txt dir=/old local=/pub/new.txt tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpSetTransferType(c, false, -1); }, "TypeSet to ASCII",
         "TypeAsciiAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpSetTransferType(c, true, 10); }, "TypeSet to Binary",
         "TypeBinaryAsync host=old dir=/old local=/tmp/old tag=10 tag2=6 timer=on/7000", false},
        // Remote names are taken as given, a colon included.
        {[](TFtpClient2& c) { FtpUpload(c, "/home/u/12:30.txt", "/logs/12:30.txt", true); },
         "File Upload Transmitting /logs/12:30.txt...",
         "PutAsync host=/logs/12:30.txt dir=/old local=/home/u/12:30.txt tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpDownload(c, "/home/u/a.txt", "/pub/a.txt", true); },
         "File Download Receiving /pub/a.txt...",
         "GetAsync host=/pub/a.txt dir=/old local=/home/u/a.txt tag=5 tag2=6 timer=on/7000", false},
        // Another type first: only TYPE goes out, with the request to resume in Tag.
        {[](TFtpClient2& c) { FtpDownload(c, "/home/u/a.txt", "/pub/a.txt", false); },
         "File Download Receiving /pub/a.txt...",
         "TypeAsciiAsync host=/pub/a.txt dir=/old local=/home/u/a.txt tag=10 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpUpload(c, "/home/u/a.txt", "a.txt", false); },
         "File Upload Transmitting a.txt...",
         "TypeAsciiAsync host=a.txt dir=/old local=/home/u/a.txt tag=17 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpSendCommand(c, "SITE HELP"); }, "Sending command SITE HELP...",
         "QuoteAsync host=old dir=/old local=SITE HELP tag=5 tag2=6 timer=on/7000", false},
        {[](TFtpClient2& c) { FtpAbort(c); }, "",
         "AbortAsync host=old dir=/old local=/tmp/old tag=5 tag2=6 timer=off/7000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.started.toStdString());
        WriteFile(listing, "old listing");
        RecordingClient2 client;
        client.SetHostName("ftp.test");
        client.SetUserName("joe");
        client.SetHostFileName("old");
        client.SetHostDirName("/old");
        client.SetLocalFileName("/tmp/old");
        client.SetTimeout(7);
        client.Tag = 5;
        client.SetTag2(6);
        client.ServerAcceptedType();
        QStringList statuses;
        client.OnFtpDisplayStatusEx = [&](TObject*, QString& Msg) { statuses << Msg; };
        int resets = 0;
        client.OnResetProgressCounters = [&] { ++resets; };
        c.call(client);
        EXPECT_EQ(statuses.value(0), c.status);
        EXPECT_EQ(client.started, c.started.isEmpty() ? QStringList() : QStringList{c.started});
        EXPECT_EQ(resets, c.started.isEmpty() ? 0 : 1);
        const QCursor* cursor = QGuiApplication::overrideCursor();
        EXPECT_EQ(cursor && cursor->shape() == Qt::WaitCursor, c.hourglass);
        if (c.started.startsWith("DirAsync host=pub")) {
            EXPECT_FALSE(FileExists(listing));
        }
        if (c.started.startsWith("AbortAsync")) {
            EXPECT_EQ(client.HostFileName() + client.HostDirName() + client.LocalFileName(), "");
            EXPECT_EQ(client.Tag2(), 0);
            EXPECT_FALSE(client.RequestTimer()->Enabled());
        }
        if (c.started.startsWith("UserAsync") || c.started.startsWith("PassAsync")) {
            EXPECT_EQ(client.Tag, 0);
        }
        FtpAbort(client); // the default cursor again
    }
    DeleteFile(listing);
}

TEST(FtpRequestWrappers, TheFirstTransferOfASessionSetsTheTypeEvenWhenTheFlagMatches)
{
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "upload" : "download");
        RecordingClient2 client;
        const auto transfer = [&] {
            if (upload)
                FtpUpload(client, "/home/u/a.bin", "a.bin", true);
            else
                FtpDownload(client, "/home/u/a.bin", "a.bin", true);
        };
        ASSERT_TRUE(client.Binary());
        transfer();
        const QString tag = upload ? "17" : "10";
        ASSERT_EQ(client.started.size(), 1);
        EXPECT_TRUE(client.started[0].startsWith("TypeBinaryAsync host=a.bin")) << client.started[0].toStdString();
        EXPECT_TRUE(client.started[0].contains(" tag=" + tag + " ")) << client.started[0].toStdString();
        // The request-done handler calls the wrapper again once the server accepted the type.
        client.ServerAcceptedType();
        transfer();
        ASSERT_EQ(client.started.size(), 2);
        EXPECT_TRUE(client.started[1].startsWith(upload ? "PutAsync" : "GetAsync")) << client.started[1].toStdString();
    }
}

TEST(FtpRequestWrappers, AnExceptionFromTheRequestBecomesAnErrorText)
{
    for (const bool handler : {true, false}) {
        RecordingClient2 client;
        client.raise = true;
        QStringList errors;
        if (handler)
            client.OnError = [&](TObject*, QString& Msg) { errors << Msg; };
        QStringList boxes;
        TScriptedPrompts prompts;
        if (!handler)
            prompts.Then([&](QDialog& Dialog) {
                boxes << Describe(Dialog);
                ButtonOf(Dialog, "OK")->click();
            });
        FtpDeleteFile(client, "a.txt");
        const QString text = "Unable to execute request: None. boom. LastResponse: ";
        EXPECT_EQ(errors, handler ? QStringList{text} : QStringList());
        EXPECT_EQ(boxes, handler ? QStringList() : QStringList{"[Warning] " + text});
        EXPECT_TRUE(client.RequestTimer()->Enabled());
    }
}

TEST(FtpRequestWrappers, AFailedRequestLeavesTheDefaultCursorAndWarnsThroughThePromptService)
{
    RecordingClient2 client;
    client.raise = true;
    TScriptedPrompts prompts;
    TCursor duringBox = crHourGlass;
    prompts.Then([&](QDialog& Dialog) {
        duringBox = Screen().Cursor();
        ButtonOf(Dialog, "OK")->click();
    });
    FtpGetDirListing(client, "pub", QString());
    EXPECT_EQ(prompts.Shown(), 1);
    EXPECT_EQ(duringBox, crDefault); // a box is answered with the arrow
    // The request never started, so no request-done will come to end the hourglass: the failure
    // itself ends it.
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(FtpRequestWrappers, NameTablesAndTheWinsockVersion)
{
    EXPECT_EQ(FtpRequestName(ftpNone), "None");
    EXPECT_EQ(FtpRequestName(ftpDirectoryAsync), "ftpDirectoryAsync");
    EXPECT_EQ(FtpRequestName(ftpRqAbort), "RqAbort");
    EXPECT_EQ(FtpRequestName(ftpRestartPutAsync), "RestartPutAsync");
    EXPECT_EQ(FtpStateName(ftpBusy), "Busy...");
    EXPECT_EQ(TransferTypeText(false), "TypeSet to ASCII");
    TStringList lines;
    AddWinsockVersion(lines);
    EXPECT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Strings(0), "Winsock version 1.1");
}

// Real time, bounded: a silent request times out after Timeout seconds and ends; progress re-arms
// the timer.
TEST(FtpClient2Timer, FiresForASilentRequestAndIsRearmedByProgress)
{
    // Data comes in five pieces, 200 ms apart (paced by a timer on this side), for about as long
    // as the time-out; then nothing until the client's time-out handler has run.
    constexpr int Pieces = 5;
    std::array<Flag, Pieces> pace;
    FakeFtp fake;
    Flag timedOut;
    fake.control.ExpectLine("TYPE I").Send("200 Binary\r\n");
    fake.control.ExpectLine("PASV").Send(fake.Pasv227());
    fake.AcceptData();
    fake.control.ExpectLine("RETR f").Send("150 Go\r\n");
    for (int i = 0; i < Pieces; ++i)
        fake.WaitFor(pace[i], "the pace").SendData(QByteArray(100, char('a' + i)));
    fake.WaitFor(timedOut, "the time-out");
    fake.control.AwaitClose();

    fake.control.Start();
    BasicRecordingClient<TFtpClient2> rc;
    TFtpClient2& client = rc.client;
    ASSERT_EQ(rc.Open(fake.control.Port()), 0);
    EXPECT_FALSE(client.RequestTimer()->Enabled());
    EXPECT_EQ(client.RequestTimer()->Interval(), 15000u);
    client.SetTimeout(1);
    client.SetPassive(true);
    QTemporaryDir dir;
    QList<TObject*> senders;
    qint64 countAtTimeOut = -1;
    client.SetOnTimeOut([&](TObject* Sender) {
        senders << Sender;
        countAtTimeOut = client.ByteCount();
        client.RequestTimer()->SetEnabled(false);
        timedOut.Set();
    });
    ASSERT_EQ(rc.Run([&] { client.TypeBinaryAsync(); }), 0);
    rc.done.clear();
    FtpDownload(client, dir.filePath("f"), "f", true);
    EXPECT_EQ(client.RequestTimer()->Interval(), 1000u);
    int paced = 0;
    TTimer pacer;
    pacer.SetInterval(200);
    pacer.OnTimer = [&](TObject*) {
        if (paced < Pieces)
            pace[paced++].Set();
    };
    ASSERT_TRUE(pumpUntil([&] { return !rc.done.isEmpty(); }, 15000));
    // The time-out ended the request.
    EXPECT_EQ(rc.done.value(0), (std::pair<TFtpRequest, int>{ftpGetAsync, 426}));
    EXPECT_EQ(client.ErrorMessage(), "426 Timeout: nothing heard from the server for 1 seconds.");
    EXPECT_EQ(senders, QList<TObject*>{client.RequestTimer()});
    // All data had come before the request fell silent.
    EXPECT_EQ(countAtTimeOut, Pieces * 100);
    client.AbortAsync();
    EXPECT_TRUE(fake.ScriptDone());
}

// Real time, bounded: whatever stage a request falls silent in, the time-out ends it through
// OnRequestDone, and a new connection works afterwards.
TEST(FtpClient2Timer, ARequestThatFallsSilentAtAnyStageEndsAtTheTimeOut)
{
    struct Case {
        const char* what;
        void (*script)(FakeFtp&);
        void (*start)(TFtpClient2&, const QString& local);
        TFtpRequest request;
    } cases[] = {
        {"no reply at all", [](FakeFtp& f) { f.control.ExpectLine("PWD"); },
         [](TFtpClient2& c, const QString&) { FtpPrintWorkingDir(c); }, ftpPwdAsync},
        {"a reply without a code", [](FakeFtp& f) { f.control.ExpectLine("PWD").Send("hello\r\n"); },
         [](TFtpClient2& c, const QString&) { FtpPrintWorkingDir(c); }, ftpPwdAsync},
        {"a reply ending in a bare CR", [](FakeFtp& f) { f.control.ExpectLine("PWD").Send("257 \"/\"\r"); },
         [](TFtpClient2& c, const QString&) { FtpPrintWorkingDir(c); }, ftpPwdAsync},
        {"150, then nothing",
         [](FakeFtp& f) {
             f.Passive();
             f.AcceptData();
             f.control.ExpectLine("RETR f").Send("150 Go\r\n");
         },
         [](TFtpClient2& c, const QString& local) { FtpDownload(c, local, "f", true); }, ftpGetAsync},
        {"the data, then no final reply",
         [](FakeFtp& f) {
             f.Passive();
             f.AcceptData();
             f.control.ExpectLine("RETR f").Send("150 Go\r\n");
             f.SendData("data").CloseData();
         },
         [](TFtpClient2& c, const QString& local) { FtpDownload(c, local, "f", true); }, ftpGetAsync},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        FakeFtp fake;
        fake.control.ExpectLine("TYPE I").Send("200 Binary\r\n");
        c.script(fake);
        fake.control.AwaitClose().Accept().Send("220 Again\r\n").AwaitClose();
        fake.control.Start();
        BasicRecordingClient<TFtpClient2> rc;
        TFtpClient2& client = rc.client;
        ASSERT_EQ(rc.Open(fake.control.Port()), 0);
        ASSERT_EQ(rc.Run([&] { client.TypeBinaryAsync(); }), 0);
        client.SetTimeout(1);
        client.SetPassive(true);
        int timeOuts = 0;
        client.SetOnTimeOut([&](TObject*) {
            ++timeOuts;
            client.RequestTimer()->SetEnabled(false);
        });
        rc.done.clear();
        c.start(client, dir.filePath("f"));
        ASSERT_TRUE(pumpUntil([&] { return !rc.done.isEmpty(); }, 10000));
        EXPECT_EQ(rc.done, (QList<std::pair<TFtpRequest, int>>{{c.request, 426}}));
        EXPECT_EQ(client.ErrorMessage(), "426 Timeout: nothing heard from the server for 1 seconds.");
        EXPECT_EQ(timeOuts, 1);
        EXPECT_FALSE(client.Connected());
        EXPECT_FALSE(QFile::exists(dir.filePath("f")));
        EXPECT_EQ(rc.Open(fake.control.Port()), 0);
        client.AbortAsync();
        EXPECT_TRUE(fake.ScriptDone());
    }
}
