// The client's event handlers: the dialogue in the log with passwords hidden, errors, time-outs,
// the closing of the connection and the once-a-second progress.
#include "recording_local_pane.h"
#include "session_fixture.h"
#include "support/pump.h"
#include "support/recording_ftp_client.h"
#include "support/tick_count_scope.h"

#include "dialogs/ftp_progress_dlg.h"
#include "session/session_engine.h"

#include "platform/widgets/label.h"

#include <QLabel>
#include <QProgressBar>

namespace {

class ClientEvents : public TSessionTest {
protected:
    ClientEvents() { Engine.BindClientEvents(); }
    ~ClientEvents() override { GetFtpProgressDlgFrm(true); }

    // Delivers the messages posted so far.
    void Deliver()
    {
        bool marked = false;
        const win::HWND marker = win::AllocateHWnd([&](win::TMessage&) { marked = true; });
        win::PostMessage(marker, win::WM_USER, 0, 0);
        ASSERT_TRUE(pumpUntil([&] { return marked; }));
        win::DeallocateHWnd(marker);
    }

    TRecordingFtpClient Client;
    TRecordingLocalPane Pane;
    TSessionEngine Engine{Client, Window, Pane};
};

TEST(HidePassword, CutsThePasswordOfEveryPassCommand)
{
    const std::pair<QString, QString> cases[] = {
        {"> PASS secret", "> PASS (hidden)"},
        {"> pass secret", "> pass (hidden)"},
        {"> Pass", "> Pass (hidden)"},
        {"> USER bob", "> USER bob"},
        {"< 230 Login successful.", "< 230 Login successful."},
        {"> PASSIVE mode", "> PASS (hidden)"},
        {"> passage", "> passage"},
    };
    for (const auto& [line, logged] : cases)
        EXPECT_EQ(HidePassword(line), logged) << line.toStdString();
}

TEST_F(ClientEvents, DisplayNeverLogsThePassword)
{
    QString line = "> PASS s3cret";
    Client.OnDisplay(&Client, line);
    EXPECT_EQ(Engine.Log.Lines(), QStringList{"> PASS (hidden)"});
    Settings().LogSave = true;
    ASSERT_TRUE(Engine.Log.SaveLogFile(false));
    QFile file(TSessionLog::LogFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("> PASS (hidden)"));
    EXPECT_FALSE(text.contains("s3cret"));
}

TEST_F(ClientEvents, ErrorsOfFolderCommandsKeepTheSessionOthersEndIt)
{
    struct Case {
        TFtpRequest request;
        bool ends;
    };
    for (const Case& c : {Case{ftpCwdAsync, false}, Case{ftpTypeSetAsync, false}, Case{ftpOpenAsync, true},
                          Case{ftpQuitAsync, true}}) {
        SCOPED_TRACE(FtpRequestName(c.request).toStdString());
        Client.Requests.clear();
        Window.Panels[3].clear();
        Window.Animation.clear();
        Client.SetRequestType(c.request);
        Client.SetStatusCode(550);
        QString text = " No such file";
        Client.OnError(&Client, text);
        const QString message =
            "FTP Error: Unable to perform task. '" + FtpRequestName(c.request) + "' StatusCode: (550) No such file";
        EXPECT_EQ(Engine.Log.Lines().last(), "* " + message);
        EXPECT_EQ(Window.Panels[3].value(0), message);
        EXPECT_EQ(Window.Animation, std::vector<bool>{false});
        EXPECT_EQ(Client.Requests.contains("AbortAsync"), c.ends);
    }
}

TEST_F(ClientEvents, TimeOutNamesWhatTimedOutAndFreesTheSession)
{
    Engine.State.GetTransferQueue() = {{"/a", false}, {"/b", false}};
    Engine.State.Recursing = true;
    Client.SetRequestType(ftpGetAsync);
    Client.RequestTimer()->SetEnabled(true);
    Client.OnTimeOut()(Client.RequestTimer());
    EXPECT_EQ(Engine.Log.Lines().last(),
              "* GetAsync terminated by application due to a network or server-side timeout. Please try again.");
    EXPECT_FALSE(Client.RequestTimer()->Enabled());
    EXPECT_TRUE(Engine.State.GetTransferQueue().empty());
    EXPECT_FALSE(Engine.State.Recursing);

    Client.SetRequestType(ftpPutAsync);
    Client.OnTimeOut()(Client.RequestTimer());
    EXPECT_EQ(Window.Panels[3].last(),
              "Upload terminated by application due to a network or server-side timeout. Please try again.");
}

TEST_F(ClientEvents, ADroppedConnectionEndsTheSessionAndAsksForTheBox)
{
    Client.SetRequestType(ftpNone);
    Client.SetStatusCode(226);
    Window.RemoteRows = 3;
    Client.OnSessionClosed(&Client, 10054);
    Deliver();
    EXPECT_EQ(Engine.Log.Lines().last(), "* FTP Error: Unable to perform task. 'None' StatusCode: (226) The internet "
                                         "connection has been dropped. Please check your network connection.");
    EXPECT_EQ(Window.Panels[3].last(), "The internet connection has been dropped. Please check your network connection.");
    EXPECT_EQ(Window.OfflineShown.size(), 1u);
    EXPECT_EQ(Window.Messages, std::vector<unsigned>{1024 + 39});
}

TEST_F(ClientEvents, ProgressUpdatesOnceASecond)
{
    TTickCountScope clock;
    Tree.File("up.bin", QByteArray(1000, 'x'));
    Client.SetRequestType(ftpPutAsync);
    Client.SetLocalFileName(Tree.Path("up.bin"));
    Client.SetHostFileName("up.bin");
    Engine.State.CurrentRemoteFolder = "/pub/";
    Engine.ResetProgressCounters();
    bool abort = false;
    for (int i = 1; i <= 20; ++i) {
        Client.OnProgress(&Client, i * 10, abort);
        clock.Advance(40);
    }
    EXPECT_EQ(Window.Panels[3], QStringList{"Transferred 10 bytes of 1000 bytes"});
    clock.Advance(300);
    Client.OnProgress(&Client, 500, abort);
    EXPECT_EQ(Window.Panels[3].last(), "Transferred 500 bytes of 1000 bytes");
    TFtpProgressDlgFrm* progress = GetFtpProgressDlgFrm();
    EXPECT_EQ(progress->prg->value(), 50);
    EXPECT_EQ(progress->lblTo->text(), "/pub/up.bin");
    EXPECT_FALSE(abort);
    EXPECT_TRUE(Client.RequestTimer()->Enabled());
}

TEST_F(ClientEvents, AZeroByteFileShowsNoPercentage)
{
    TTickCountScope clock;
    Client.SetRequestType(ftpGetAsync);
    Engine.DownloadSize = 0;
    Engine.ResetProgressCounters();
    GetFtpProgressDlgFrm()->Reset();
    bool abort = false;
    Client.OnProgress(&Client, 0, abort);
    EXPECT_EQ(GetFtpProgressDlgFrm()->prg->value(), 0);
    EXPECT_EQ(Window.Panels[3], QStringList{"Transferred 0 bytes of 0 bytes"});
}

TEST_F(ClientEvents, CancelsFromTheProgressWindow)
{
    TTickCountScope clock;
    TFtpProgressDlgFrm* progress = GetFtpProgressDlgFrm();
    Client.SetRequestType(ftpGetAsync);
    Engine.DownloadSize = 100;
    Engine.State.Recursing = true;

    // This file only.
    progress->AbortRequested = true;
    bool abort = false;
    Client.OnProgress(&Client, 10, abort);
    EXPECT_TRUE(abort);
    EXPECT_FALSE(progress->AbortRequested);
    EXPECT_EQ(Window.Panels[3].last(), "File Download cancelled by user");

    // The whole queue, outside a transfer: the waiting state goes.
    Client.SetRequestType(ftpCwdAsync);
    progress->StopRequested = true;
    Engine.State.Recursing = true;
    Engine.State.AfterTransferPending = true;
    Engine.State.RecursionBaseFolder = "/base/";
    Engine.State.OpenAfterDownload = true;
    Engine.State.PendingFolder = "/p/";
    Engine.State.PendingRenameTarget = "new";
    Engine.PendingSiteNode = "site";
    abort = false;
    Client.OnProgress(&Client, 10, abort);
    EXPECT_FALSE(abort);
    EXPECT_FALSE(progress->StopRequested);
    EXPECT_FALSE(Engine.State.Recursing);
    EXPECT_FALSE(Engine.State.AfterTransferPending);
    EXPECT_EQ(Engine.State.RecursionBaseFolder, "");
    EXPECT_FALSE(Engine.State.OpenAfterDownload);
    EXPECT_EQ(Engine.State.PendingFolder, "");
    EXPECT_EQ(Engine.State.PendingRenameTarget, "");
    EXPECT_EQ(Engine.PendingSiteNode, "");
}

} // namespace
