// The end of each request: what the engine starts next, what it shows and logs, the sound it
// plays and the state it leaves, for the login, folder changes, listings, transfers and failures.
#include "input_prompts.h"
#include "recording_local_pane.h"
#include "session_fixture.h"
#include "support/recording_ftp_client.h"
#include "support/recording_sound_player.h"
#include "support/scripted_prompts.h"

#include "dialogs/ftp_progress_dlg.h"
#include "platform/system/temp_files.h"
#include "routines/password_scrambling.h"
#include "session/session_engine.h"
#include "settings/upload_profiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

class RequestDone : public TSessionTest {
protected:
    RequestDone()
    {
        UseEventSounds();
        Settings().TransferMode = 1;
        Tree.Folder("local");
        Pane.Folder = Tree.Path("local");
        Client.SetHostName("ftp.example.org");
        Engine.State.CurrentSiteName = "site";
        Engine.State.CurrentRemoteFolder = "/home/";
    }
    ~RequestDone() override
    {
        GetFtpProgressDlgFrm(true);
        UploadProfiles(1);
    }

    // The names of the sound files played, in order.
    QStringList Sounds() const
    {
        QStringList names;
        for (const QString& file : Player.Played)
            names.append(QFileInfo(file).completeBaseName());
        return names;
    }

    void Done(TFtpRequest Request, int Error, int Reply, const QString& Response = {})
    {
        Client.SetRequestType(Request);
        Client.SetStatusCode(Reply);
        Client.SetLastResponse(Response.isEmpty() ? QString::number(Reply) + " reply" : Response);
        Engine.FtpClientRequestDone(Request, Error);
    }

    QString LastPanel3() const { return Window.Panels[3].isEmpty() ? QString() : Window.Panels[3].last(); }
    QString LastLogLine() const { return Engine.Log.Lines().isEmpty() ? QString() : Engine.Log.Lines().last(); }

    TRecordingSoundPlayer Player;
    TRecordingFtpClient Client;
    TRecordingLocalPane Pane;
    TSessionEngine Engine{Client, Window, Pane};
};

// One finished request and what follows it.
struct Row {
    const char* name;
    TFtpRequest request;
    int error;
    int reply;
    std::function<void(TSessionEngine&, TRecordingFtpClient&)> before;
    QStringList requests; // started next
    QString panel3;       // the last text of panel 3
    QStringList sounds;
    std::function<void(TSessionEngine&, TRecordingFtpClient&, TRecordingWindow&)> after;
};

TEST_F(RequestDone, TableOfRequestsRepliesAndErrors)
{
    const auto tag = [](int Tag) { return [Tag](TSessionEngine&, TRecordingFtpClient& C) { C.Tag = Tag; }; };
    const Row rows[] = {
        {"USER 331 sends the password", ftpUserAsync, 0, 331, {}, {"PassAsync"}, {}, {}, {}},
        {"PASS 230 completes the login", ftpPassAsync, 0, 230, {}, {"PwdAsync"}, "Connected to ftp.example.org",
         {"connect"},
         [](TSessionEngine&, TRecordingFtpClient& C, TRecordingWindow& W) {
             EXPECT_EQ(C.Tag, TagLogin);
             EXPECT_EQ(W.Captions.value(1), "Connected to site (ftp.example.org)");
             EXPECT_EQ(W.HistoryClears, 1);
         }},
        {"PWD 257 during the login asks for the system", ftpPwdAsync, 0, 257,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = TagLogin;
             C.SetDirResult("/pub/in");
         },
         {"SystAsync"}, "Current Directory is /pub/in/", {},
         [](TSessionEngine& E, TRecordingFtpClient&, TRecordingWindow& W) {
             EXPECT_EQ(E.State.CurrentRemoteFolder, "/pub/in/");
             EXPECT_EQ(W.History, QStringList{"/pub/in/"});
         }},
        {"SYST 215 without a start folder lists", ftpSystAsync, 0, 215, tag(TagLogin), {"DirAsync"}, {}, {},
         [](TSessionEngine& E, TRecordingFtpClient& C, TRecordingWindow& W) {
             EXPECT_EQ(C.Tag, 0);
             EXPECT_EQ(W.ComboFolder, "/home/");
             EXPECT_EQ(W.ListingsShown, 1);
             const QString cache = E.State.GetDirResultList().at("/home/");
             EXPECT_TRUE(QFileInfo(cache).fileName().startsWith("HFT")) << cache.toStdString();
             EXPECT_EQ(QFileInfo(cache).absolutePath() + "/", win::GetTempPath());
             EXPECT_EQ(C.LocalFileName(), cache);
         }},
        {"SYST 215 with a start folder changes into it", ftpSystAsync, 0, 215,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = TagLogin;
             C.SetHostDirName("/pub");
         },
         {"CwdAsync /pub"}, {}, {}, {}},
        {"SYST refused with 500 moves on all the same", ftpSystAsync, 500, 500,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = TagLogin;
             C.SetHostDirName("/pub");
         },
         {"CwdAsync /pub"}, {}, {"error"}, {}},
        {"SYST 215 after the login does nothing", ftpSystAsync, 0, 215, tag(0), {}, {}, {}, {}},
        {"CWD 250 asks for the folder", ftpCwdAsync, 0, 250,
         [](TSessionEngine&, TRecordingFtpClient& C) { C.SetHostDirName("/pub"); }, {"PwdAsync"},
         "Change Folder to /pub Successful", {}, {}},
        {"PWD 257 after a folder change lists", ftpPwdAsync, 0, 257,
         [](TSessionEngine&, TRecordingFtpClient& C) { C.SetDirResult("/pub"); }, {"DirAsync"},
         "Current Directory is /pub/", {}, {}},
        {"error 11001 on the connect request ends the session", ftpConnectAsync, 11001, 0, {}, {"AbortAsync"},
         "Error: 11001 in Request: ConnectAsync. Please check your internet connection.", {"error", "completed"},
         [](TSessionEngine& E, TRecordingFtpClient&, TRecordingWindow&) {
             EXPECT_EQ(E.Log.Lines().last(),
                       "* Error: 11001 in Request: ConnectAsync. Please check your internet connection. 0 reply");
         }},
        {"error 10060 on a listing ends the session too", ftpDirAsync, 10060, 0, {}, {"AbortAsync"},
         "Error: 10060 in Request: DirAsync. Check your server profile settings and try again.", {"error", "completed"},
         {}},
        {"error 502 on a folder command only shows the reply", ftpMkdAsync, 502, 502, {}, {}, "* 502 reply 502 MkdAsync",
         {"error"}, {}},
        {"350 shows the reply", ftpRenAsync, 350, 350, {}, {}, "* 350 reply 350 RenAsync", {"error"}, {}},
        {"TYPE 200 with Tag 10 starts the download", ftpTypeSetAsync, 0, 200,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = RecurseDownload;
             C.SetBinary(true);
             C.ConfirmType();
             C.SetLocalFileName("/l/a.bin");
             C.SetHostFileName("a.bin");
         },
         {"GetAsync a.bin"}, "TypeSet to Binary", {},
         [](TSessionEngine&, TRecordingFtpClient& C, TRecordingWindow&) { EXPECT_EQ(C.Tag, 0); }},
        {"TYPE 200 with Tag 17 starts the upload", ftpTypeSetAsync, 0, 200,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = RecurseUpload;
             C.SetBinary(true);
             C.ConfirmType();
             C.SetLocalFileName("/l/a.bin");
             C.SetHostFileName("a.bin");
         },
         {"PutAsync a.bin"}, "TypeSet to Binary", {}, {}},
        {"TYPE 200 with Tag 0 only shows the type", ftpTypeSetAsync, 0, 200,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.Tag = 0;
             C.SetBinary(false);
         },
         {}, "TypeSet to ASCII", {}, {}},
        {"MKD 257 while an upload recurses changes into the new folder", ftpMkdAsync, 0, 257,
         [](TSessionEngine& E, TRecordingFtpClient& C) {
             E.State.Recursing = true;
             E.State.PendingRecursionRequest = RecurseUpload;
             C.SetHostFileName("new");
         },
         {"CwdAsync new"}, "Successfully created \"new\" remote folder", {},
         [](TSessionEngine&, TRecordingFtpClient&, TRecordingWindow& W) { EXPECT_EQ(W.Tree, QStringList{"created new"}); }},
        {"MKD 257 otherwise lists", ftpMkdAsync, 0, 257,
         [](TSessionEngine&, TRecordingFtpClient& C) { C.SetHostFileName("new"); }, {"DirAsync"}, {}, {}, {}},
        {"MKD 550 ends the queue", ftpMkdAsync, 550, 550,
         [](TSessionEngine& E, TRecordingFtpClient& C) {
             E.State.GetTransferQueue() = {{"/l/x", false}};
             C.SetHostFileName("new");
         },
         {}, "* 550 reply", {"error"},
         [](TSessionEngine& E, TRecordingFtpClient&, TRecordingWindow&) { EXPECT_TRUE(E.State.GetTransferQueue().empty()); }},
        {"CWD 550 stops the queue and forgets the folder after the listing", ftpCwdAsync, 550, 550,
         [](TSessionEngine& E, TRecordingFtpClient& C) {
             E.State.GetTransferQueue() = {{"/home/x", false}};
             C.SetHostDirName("/gone");
             C.SetDirResult("/home");
         },
         {"DirAsync"}, "Current Directory is /home/", {"error"},
         [](TSessionEngine& E, TRecordingFtpClient&, TRecordingWindow& W) {
             EXPECT_TRUE(W.Panels[3].contains("* The folder '/gone' does not exist"));
             EXPECT_TRUE(E.State.GetTransferQueue().empty());
             EXPECT_EQ(E.State.AfterRequestAction, RequestDropMissingFolder);
             EXPECT_EQ(E.State.MissingFolder, "/gone");
         }},
        {"GET 550 skips the file and fetches the next", ftpGetAsync, 550, 550,
         [](TSessionEngine& E, TRecordingFtpClient& C) {
             E.State.PendingRecursionRequest = RecurseDownload;
             E.State.GetTransferQueue() = {{"/home/b", false}, {"/home/c", false}};
             C.SetHostFileName("b");
             C.SetBinary(true);
             C.ConfirmType();
         },
         {"GetAsync c"}, "* The file 'b' does not exist", {"error"}, {}},
        {"426 ends the queue without the completion sound", ftpGetAsync, 426, 426,
         [](TSessionEngine& E, TRecordingFtpClient&) { E.State.GetTransferQueue() = {{"/home/x", false}}; }, {},
         "* 426 reply 426 GetAsync", {"error"},
         [](TSessionEngine& E, TRecordingFtpClient&, TRecordingWindow&) { EXPECT_TRUE(E.State.GetTransferQueue().empty()); }},
        {"a listing ended by 250 keeps the session", ftpDirAsync, 0, 250, {}, {}, "Current Directory is /home/", {}, {}},
        {"a listing ended by another reply ends it", ftpDirAsync, 0, 200, {}, {"QuitAsync"}, {}, {}, {}},
        {"QUIT ends the session", ftpQuitAsync, 0, 221, {}, {"AbortAsync"}, "Disconnected from ftp.example.org",
         {"completed"}, {}},
        {"a single upload refreshes the listing", ftpPutAsync, 0, 226,
         [](TSessionEngine&, TRecordingFtpClient& C) {
             C.SetLocalFileName("/l/up.txt");
             C.SetHostFileName("up.txt");
         },
         {"PwdAsync"}, "File Upload of up.txt Successful", {"put"}, {}},
        {"DELE 250 deletes the next queued file", ftpDeleAsync, 0, 250,
         [](TSessionEngine& E, TRecordingFtpClient& C) {
             E.State.PendingRecursionRequest = RecurseDeleteFile;
             E.State.GetTransferQueue() = {{"/home/a", false}, {"/home/b", false}};
             C.SetHostFileName("a");
         },
         {"DeleAsync b"}, "Successfully deleted 'a'", {}, {}},
        {"RMD 550 goes on with the queue", ftpRmdAsync, 550, 550,
         [](TSessionEngine& E, TRecordingFtpClient&) {
             E.State.PendingRecursionRequest = RecurseDeleteFolder;
             E.State.GetTransferQueue() = {{"/home/d/", true}, {"/home/b", false}};
         },
         {"DeleAsync b"}, "* 550 reply", {"error"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Client.Tag = 0;
        Client.SetHostDirName({});
        Client.Requests.clear();
        Window.Panels[3].clear();
        Window.Tree.clear();
        Window.History.clear();
        Player.Played.clear();
        Engine.State.ResetTransferQueue(false, false);
        Engine.State.CurrentRemoteFolder = "/home/";
        Engine.State.AfterRequestAction = 0;
        Window.HistoryClears = 0;
        if (row.before)
            row.before(Engine, Client);
        Player.Played.clear();
        Done(row.request, row.error, row.reply);
        EXPECT_EQ(Client.Requests, row.requests);
        if (!row.panel3.isEmpty())
            EXPECT_EQ(LastPanel3(), row.panel3);
        EXPECT_EQ(Sounds(), row.sounds);
        if (row.after)
            row.after(Engine, Client, Window);
    }
}

TEST_F(RequestDone, LoginWithAStartFolderListsAfterTheSecondFolderReply)
{
    Client.SetHostDirName("/pub");
    Done(ftpConnectAsync, 0, 230);
    Client.SetDirResult("/home/bob");
    Done(ftpPwdAsync, 0, 257);
    Done(ftpSystAsync, 0, 215);
    Done(ftpCwdAsync, 0, 250);
    Client.SetDirResult("/pub");
    Done(ftpPwdAsync, 0, 257);
    EXPECT_EQ(Client.Requests, (QStringList{"PwdAsync", "SystAsync", "CwdAsync /pub", "PwdAsync", "DirAsync"}));
    EXPECT_EQ(Window.History, (QStringList{"/home/bob/", "/pub/"}));
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, "/pub/");
}

TEST_F(RequestDone, ListingFillsTheListFromItsCacheFileAndForgetsAMissingFolder)
{
    Engine.ListCurrentFolder();
    const QString cache = Engine.State.GetDirResultList().at("/home/");
    QFile file(cache);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("-rw-r--r--   1 u g     3000 Jan 15 10:30 a.txt\r\n"
               "drwxr-xr-x   2 u g     4096 Jan 15 10:30 sub\r\n");
    file.close();
    Engine.State.AfterRequestAction = RequestDropMissingFolder;
    Engine.State.MissingFolder = "/home/gone/";
    Engine.State.GetRemoteTreePathList()["/home/gone/"] = 3;

    Done(ftpDirAsync, 0, 226);
    ASSERT_EQ(Engine.RemoteList.Count(), 3);
    EXPECT_EQ(Engine.RemoteList.Row(1).Caption(), "sub");
    EXPECT_EQ(Engine.RemoteList.Row(2).Caption(), "a.txt");
    EXPECT_EQ(Window.TreeFolder, "/home/");
    EXPECT_EQ(Window.Tree, QStringList{"removed /home/gone/"});
    EXPECT_TRUE(Engine.State.GetRemoteTreePathList().empty());
    EXPECT_EQ(Engine.State.AfterRequestAction, 0);

    // A newer listing of the same folder replaces the older cache file.
    Engine.ListCurrentFolder();
    EXPECT_FALSE(QFileInfo::exists(cache));
}

TEST_F(RequestDone, AListingCacheFileThatCannotBeMadeEndsTheListingDisplay)
{
    Tree.File("not-a-folder", "");
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", Tree.Path("not-a-folder").toUtf8());
    Engine.ListCurrentFolder();
    if (saved.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);
    EXPECT_TRUE(Client.Requests.isEmpty());
    EXPECT_TRUE(Engine.State.GetDirResultList().empty());
    EXPECT_TRUE(LastLogLine().startsWith("* ")) << LastLogLine().toStdString();
    EXPECT_EQ(Window.Animation, std::vector<bool>{false});
}

TEST_F(RequestDone, QuoteFollowedByARenameAndTheRenameUpdatesTheList)
{
    Engine.RemoteList.FillRemoteList({"-rw-r--r--   1 u g     3000 Jan 15 10:30 old.txt"}, false);
    Engine.RemoteList.FocusedIndex = 1;
    Engine.State.AfterListingAction = ListingRenameAfterCommand;
    Engine.State.PendingRenameTarget = "new.txt";
    Client.SetLocalFileName("SITE CHMOD 644 old.txt");
    Done(ftpQuoteAsync, 0, 200);
    EXPECT_EQ(Window.Panels[3].first(), "SITE CHMOD 644 old.txt Successful");
    EXPECT_EQ(Client.Requests, QStringList{"RenAsync old.txt new.txt"});
    EXPECT_EQ(Engine.State.AfterListingAction, 0);
    EXPECT_EQ(Engine.State.PendingRenameTarget, "");

    Done(ftpRenAsync, 0, 250);
    EXPECT_EQ(LastPanel3(), "Successfully Renamed 'old.txt' to 'new.txt'");
    EXPECT_EQ(Engine.RemoteList.Row(1).Caption(), "new.txt");
    EXPECT_EQ(Window.Tree, QStringList{"renamed old.txt new.txt"});
}

TEST_F(RequestDone, RefusedPasswordIsAskedAgainAndStoredScrambled)
{
    TUploadProfileItem* profile = UploadProfiles()->Add();
    profile->ItemName = "site";
    profile->Username = "bob";
    profile->SavePassword = true;
    Client.SetUserName("bob");
    TScriptedPrompts prompts;
    prompts.Then(AnswerInput("right"));
    Done(ftpPassAsync, 530, 530);
    EXPECT_EQ(Client.Requests, QStringList{"PassAsync"});
    EXPECT_EQ(Client.PassWord(), "right");
    EXPECT_EQ(PasswordFromStore(profile->Password), "right");
    EXPECT_NE(profile->Password, "right");
    EXPECT_EQ(Window.Panels[3], QStringList{"Invalid Password for ftp.example.org"});
}

TEST_F(RequestDone, FolderThatCannotBeCreatedAsksForAnotherName)
{
    Client.SetHostFileName("/home/taken");
    for (const auto& [button, action] : {std::pair{"&Yes", QStringList{"actFtpMkd"}}, {"&No", QStringList{}}}) {
        SCOPED_TRACE(button);
        Window.Actions.clear();
        Engine.State.GetTransferQueue() = {{"/l/x", false}};
        QString asked;
        TScriptedPrompts prompts;
        prompts.Then([&, button = QString(button)](QDialog& Dialog) {
            asked = Describe(Dialog);
            Click(button)(Dialog);
        });
        Done(ftpMkdAsync, 521, 521, "521 \"taken\" exists");
        EXPECT_TRUE(asked.contains("The folder \"taken\" could not be created. Would you like to try another folder name?"))
            << asked.toStdString();
        EXPECT_EQ(Window.Actions, action);
        EXPECT_EQ(LastPanel3(), "* 521 \"taken\" exists");
        EXPECT_EQ(Engine.State.GetTransferQueue().empty(), action.isEmpty());
    }
}

TEST_F(RequestDone, BackgroundExceptionAsksWhetherToReset)
{
    for (const auto& [button, reset] : {std::pair{"&Yes", true}, {"&No", false}}) {
        SCOPED_TRACE(button);
        Client.Requests.clear();
        QString asked;
        TScriptedPrompts prompts;
        prompts.Then([&, button = QString(button)](QDialog& Dialog) {
            asked = Describe(Dialog);
            Click(button)(Dialog);
        });
        Exception error("socket gone");
        bool canClose = !reset;
        Engine.FtpClientBgException(error, canClose);
        EXPECT_EQ(canClose, reset);
        EXPECT_TRUE(asked.contains("Client Background Exception: socket gone\r\nWould you like to reset the server connection?") ||
                    asked.contains("Client Background Exception: socket gone\nWould you like to reset the server connection?"))
            << asked.toStdString();
        EXPECT_EQ(Client.Requests.contains("AbortAsync"), reset);
    }
}

TEST_F(RequestDone, RecursionLeavesAFolderThatTurnsOutToBeAnAncestor)
{
    Engine.State.CurrentRemoteFolder = "/base/";
    const std::vector<TQueueEntry> list = {{"/base/link/", true, true, "elsewhere"}};
    ASSERT_TRUE(Engine.DownloadSelection(&list, true, false, {}));
    EXPECT_EQ(Client.Requests, QStringList{"CwdAsync link"});
    EXPECT_EQ(Pane.Folder, Tree.Path("local/link"));

    Done(ftpCwdAsync, 0, 250);
    Client.SetDirResult("/");
    Done(ftpPwdAsync, 0, 257);
    EXPECT_EQ(LastLogLine(),
              "* The folder '/base/link/' leads to '/', a folder this transfer has already visited, and is skipped.");
    EXPECT_EQ(Pane.Folder, Tree.Path("local"));
    Client.SetDirResult("/base");
    Done(ftpCwdAsync, 0, 250);
    Done(ftpPwdAsync, 0, 257);
    Player.Played.clear();
    Done(ftpDirAsync, 0, 226);
    EXPECT_EQ(Client.Requests, (QStringList{"CwdAsync link", "PwdAsync", "CwdAsync /base/", "PwdAsync", "DirAsync"}));
    EXPECT_EQ(Sounds(), (QStringList{"get", "completed"}));
    EXPECT_FALSE(Engine.State.Recursing);
}

TEST_F(RequestDone, RecursionNeverFollowsALinkBackIntoItsTree)
{
    Engine.State.CurrentRemoteFolder = "/base/";
    for (const QString& target : {"/", "..", "../base/", "/base", "."}) {
        SCOPED_TRACE(target.toStdString());
        Client.Requests.clear();
        const std::vector<TQueueEntry> list = {{"/base/link/", true, true, target}};
        ASSERT_TRUE(Engine.DownloadSelection(&list, true, false, {}));
        EXPECT_TRUE(Client.Requests.isEmpty());
        EXPECT_TRUE(LastLogLine().startsWith("* The link '/base/link/' is not followed")) << LastLogLine().toStdString();
        EXPECT_FALSE(QFileInfo::exists(Tree.Path("local/link")));
    }
}

TEST_F(RequestDone, ALocalFolderThatCannotBeMadeStopsTheRecursion)
{
    Tree.File("local/docs", "a file where the folder would go");
    Engine.State.CurrentRemoteFolder = "/base/";
    const std::vector<TQueueEntry> list = {{"/base/docs/", true}, {"/base/other.txt", false}};
    ASSERT_TRUE(Engine.DownloadSelection(&list, true, false, {}));
    EXPECT_TRUE(Client.Requests.isEmpty());
    EXPECT_EQ(LastLogLine(), "* The local folder '" + Tree.Path("local/docs") + "' cannot be made; the transfer stops.");
    EXPECT_FALSE(Engine.State.Recursing);
    EXPECT_TRUE(Engine.State.GetTransferQueue().empty());
    EXPECT_EQ(Pane.Folder, Tree.Path("local"));
}

} // namespace
