// The session engine against a real server (pyftpdlib on 127.0.0.1): the login and its listing,
// folder trees downloaded, uploaded and deleted, a queue with a file gone missing, and a listing
// full of names that try to leave the folder.
#include "recording_local_pane.h"
#include "session_fixture.h"
#include "support/ftp_server_fixture.h"
#include "support/pump.h"
#include "support/recording_sound_player.h"
#include "support/server_required.h"
#include "support/vsftpd_write_fixture.h"

#include "dialogs/ftp_progress_dlg.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/messages/messages.h"
#include "routines/registry_helpers.h"
#include "session/session_engine.h"
#include "settings/forms/remembered_dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

void WriteFile(const QString& Path, const QByteArray& Content)
{
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << Path.toStdString();
    file.write(Content);
}

// Every path below Folder, relative to it, sorted.
QStringList TreeOf(const QString& Folder)
{
    QStringList paths;
    QDirIterator it(Folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(QDir(Folder).relativeFilePath(it.next()));
    paths.sort();
    return paths;
}

bool SameTrees(const QString& A, const QString& B)
{
    return QProcess::execute(QStringLiteral("diff"), {QStringLiteral("-r"), A, B}) == 0;
}

class SessionServer : public TSessionTest {
protected:
    SessionServer()
    {
        Engine.BindClientEvents();
        UseEventSounds();
        Settings().TransferMode = 1;
        Settings().OverwritePrompt = false;
        Tree.Folder("local");
        Pane.Folder = Tree.Path("local");
    }
    ~SessionServer() override
    {
        if (Client.Connected()) {
            FtpDisconnect(Client);
            pumpUntil([&] { return !Client.Connected(); });
        }
        GetFtpProgressDlgFrm(true);
    }

    QString LastSound() const
    {
        return Player.Played.isEmpty() ? QString() : QFileInfo(Player.Played.last()).completeBaseName();
    }

    // Waits until Condition holds and no request runs, with the end of the last one (posted, and
    // what the engine does on it) handled: the client is ready already before that.
    bool Settled(const std::function<bool()>& Condition)
    {
        return pumpUntil([&] { return Condition() && Client.State() == ftpReady && win::QueuedMessageCount() == 0; },
                         30000);
    }

    // A new user of the server, whose root is Home.
    void AddAccount(PyFtpServer& Server)
    {
        Account = Server.AddUser();
        Home = Account.home;
    }

    // Logs in as that user and waits for the listing of the home folder.
    bool Connect(PyFtpServer& Server) { return Connect(Server.Port(), Account.user, Account.password); }

    bool Connect(int Port, const QString& User, const QString& Password)
    {
        Client.SetHostName(QStringLiteral("127.0.0.1"));
        Client.SetPort(QString::number(Port));
        Client.SetUserName(User);
        Client.SetPassWord(Password);
        Client.SetPassive(true);
        Engine.State.CurrentSiteName = QStringLiteral("loopback");
        FtpConnect(Client);
        return Settled([&] { return !Window.TreeFolder.isEmpty(); });
    }

    // Changes into the remote folder Folder and waits for its listing.
    bool ChangeTo(const QString& Folder)
    {
        Window.TreeFolder.clear();
        FtpChangeDir(Client, Folder);
        return Settled([&] { return !Window.TreeFolder.isEmpty(); });
    }

    void Select(const QStringList& Names)
    {
        for (const QString& name : Names) {
            const int row = Engine.RemoteList.IndexOfCaption(name);
            ASSERT_GT(row, 0) << name.toStdString();
            Engine.RemoteList.SetSelected(row, true);
        }
    }

    bool LogHas(const QString& Line) const { return Engine.Log.Lines().contains(Line); }

    TRecordingSoundPlayer Player;
    TFtpClient2 Client;
    TRecordingLocalPane Pane;
    TSessionEngine Engine{Client, Window, Pane};
    FtpAccount Account;
    QString Home;
};

// vsftpd: Home is a new folder of its own, the current remote folder once logged in.
#define NEED_VSFTPD_LOGIN()                                                                                  \
    VsftpdWriteServer* vsftpd = VsftpdWriteServer::Instance();                                                         \
    HFTP_NEED_SERVER(vsftpd, VsftpdWriteServer::StartError().toStdString());                                      \
    QString remoteHome;                                                                                      \
    Home = vsftpd->NewFolder(remoteHome)

#define NEED_PYFTPDLIB()                                                                                     \
    PyFtpServer* server = PyFtpServer::Instance();                                                           \
    HFTP_NEED_SERVER(server, PyFtpServer::StartError().toStdString());                                       \
    AddAccount(*server)

TEST_F(SessionServer, LoginShowsTheListingAndTheLogHidesThePassword)
{
    NEED_PYFTPDLIB();
    WriteFile(Home + "/readme.txt", "hello");
    QDir().mkpath(Home + "/docs");
    ASSERT_TRUE(Connect(*server));
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, "/");
    ASSERT_EQ(Engine.RemoteList.Count(), 3);
    EXPECT_EQ(Engine.RemoteList.Row(1).Caption(), "docs");
    EXPECT_EQ(Engine.RemoteList.Row(2).Caption(), "readme.txt");
    EXPECT_EQ(Window.Panels[3].last(), "Current Directory is /");

    Settings().LogSave = true;
    ASSERT_TRUE(Engine.Log.SaveLogFile(false));
    QFile log(TSessionLog::LogFilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("> PASS (hidden)")) << text.toStdString();
    EXPECT_FALSE(text.contains(Account.password.toUtf8())) << text.toStdString();
}

TEST_F(SessionServer, RecursiveDownloadCopiesTheTreeAndComesBackToItsBase)
{
    NEED_PYFTPDLIB();
    WriteFile(Home + "/top/a.txt", "a");
    WriteFile(Home + "/top/sub1/b.bin", QByteArray(5000, '\x01'));
    WriteFile(Home + "/top/sub1/deep/c.txt", "c\r\nline\n");
    QDir().mkpath(Home + "/top/sub2");
    WriteFile(Home + "/sibling.txt", "not selected");
    ASSERT_TRUE(Connect(*server));
    Select({"top"});

    ASSERT_TRUE(Engine.DownloadSelection(nullptr, true, false, {}));
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed"; }));
    EXPECT_TRUE(SameTrees(Home + "/top", Tree.Path("local/top")));
    EXPECT_EQ(TreeOf(Tree.Path("local")), (QStringList{"top", "top/a.txt", "top/sub1", "top/sub1/b.bin", "top/sub1/deep",
                                                       "top/sub1/deep/c.txt", "top/sub2"}));
    EXPECT_EQ(Pane.Folder, Tree.Path("local"));
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, "/");
    EXPECT_FALSE(Engine.State.Recursing);
    EXPECT_EQ(Player.Played.count(Tree.Path("completed.wav")), 1);
}

TEST_F(SessionServer, RecursiveUploadMakesEveryFolderEvenAnEmptyOne)
{
    NEED_PYFTPDLIB();
    WriteFile(Tree.Path("local/up/x.txt"), "x");
    WriteFile(Tree.Path("local/up/nested/y.txt"), "y");
    Tree.Folder("local/up/empty");
    StoreRememberedAnswer(MainFormRegKey, "HideLocalRecurseDlg");
    ASSERT_TRUE(Connect(*server));
    Pane.Selected = {Tree.Path("local/up")};

    ASSERT_TRUE(Engine.UploadSelection(nullptr));
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed" && Engine.RemoteList.IndexOfCaption("up") > 0; }));
    EXPECT_TRUE(SameTrees(Tree.Path("local/up"), Home + "/up"));
    EXPECT_TRUE(QFileInfo(Home + "/up/empty").isDir());
    EXPECT_EQ(Pane.Folder, Tree.Path("local"));
    EXPECT_TRUE(LogHas("> MKD empty"));
}

TEST_F(SessionServer, QueueSkipsAFileDeletedAfterTheListing)
{
    NEED_PYFTPDLIB();
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        WriteFile(Home + "/" + name, QByteArray("content of ") + name);
    ASSERT_TRUE(Connect(*server));
    ASSERT_TRUE(QFile::remove(Home + "/2.txt"));
    Select({"1.txt", "2.txt", "3.txt"});

    ASSERT_TRUE(Engine.DownloadSelection(nullptr, false, false, {}));
    ASSERT_TRUE(Settled([&] { return Engine.State.GetTransferQueue().empty() && LastSound() == "get"; }));
    EXPECT_EQ(TreeOf(Tree.Path("local")), (QStringList{"1.txt", "3.txt"}));
    EXPECT_TRUE(Window.Panels[3].contains("* The file '2.txt' does not exist"));
    QFile third(Tree.Path("local/3.txt"));
    ASSERT_TRUE(third.open(QIODevice::ReadOnly));
    EXPECT_EQ(third.readAll(), "content of 3.txt");
}

TEST_F(SessionServer, RecursiveDeleteKeepsTheSiblingsAndNeverChangesUpByName)
{
    NEED_PYFTPDLIB();
    WriteFile(Home + "/gone/x.txt", "x");
    WriteFile(Home + "/gone/sub/y.txt", "y");
    QDir().mkpath(Home + "/gone/sub/empty");
    WriteFile(Home + "/keep/z.txt", "z");
    WriteFile(Home + "/keep.txt", "k");
    ASSERT_TRUE(Connect(*server));
    Select({"gone"});
    Engine.RemoteList.CollectSelection(Engine.State.GetTransferQueue(), Engine.State.CurrentRemoteFolder, true);

    Engine.DeleteQueued();
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed" && Engine.RemoteList.IndexOfCaption("gone") < 0; }));
    EXPECT_EQ(TreeOf(Home), (QStringList{"keep", "keep.txt", "keep/z.txt"}));
    EXPECT_FALSE(LogHas("> CWD .."));
    EXPECT_TRUE(LogHas("> RMD gone"));
}

TEST_F(SessionServer, FilesDroppedOnAFolderRowGoIntoThatFolder)
{
    NEED_PYFTPDLIB();
    QDir().mkpath(Home + "/inbox");
    WriteFile(Tree.Path("local/one.txt"), "1");
    WriteFile(Tree.Path("local/two.txt"), "2");
    ASSERT_TRUE(Connect(*server));
    Pane.Selected = {Tree.Path("local/one.txt"), Tree.Path("local/two.txt")};

    Engine.RemoteListDrop(Engine.RemoteList.IndexOfCaption("inbox"));
    ASSERT_TRUE(Settled([&] { return LastSound() == "put" && Engine.RemoteList.IndexOfCaption("two.txt") > 0; }));
    EXPECT_EQ(TreeOf(Home), (QStringList{"inbox", "inbox/one.txt", "inbox/two.txt"}));
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, "/inbox/");
}

TEST_F(SessionServer, HostileListingWritesAndDeletesNothingOutsideItsFolder)
{
    NEED_PYFTPDLIB();
    WriteFile(Home + "/base/hostile/good.txt", "good");
    WriteFile(Home + "/base/keep.txt", "keep");
    WriteFile(Home + "/escape", "outside the folder");
    server->SetListing(Home + "/base/hostile",
                       {"drwxr-xr-x   2 u g     4096 Jan 15 10:30 .",
                        "drwxr-xr-x   2 u g     4096 Jan 15 10:30 ..",
                        "-rw-r--r--   1 u g       18 Jan 15 10:30 ../escape",
                        "drwxr-xr-x   2 u g     4096 Jan 15 10:30 ../base",
                        "-rw-r--r--   1 u g        1 Jan 15 10:30 a/b",
                        "lrwxrwxrwx   1 u g        1 Jan 15 10:30 root -> /",
                        "lrwxrwxrwx   1 u g        2 Jan 15 10:30 loop -> ..",
                        "-rw-r--r--   1 u g        4 Jan 15 10:30 good.txt"});
    Tree.Folder("outer/target");
    Pane.Folder = Tree.Path("outer/target");
    ASSERT_TRUE(Connect(*server));
    ASSERT_TRUE(ChangeTo("base"));
    const QStringList around = QDir(Tree.Path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Select({"hostile"});

    ASSERT_TRUE(Engine.DownloadSelection(nullptr, true, false, {}));
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed"; }));
    EXPECT_EQ(TreeOf(Tree.Path("outer")), (QStringList{"target", "target/hostile", "target/hostile/good.txt"}));
    EXPECT_EQ(QDir(Tree.Path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), around);
    EXPECT_EQ(Pane.Folder, Tree.Path("outer/target"));
    EXPECT_FALSE(QFileInfo::exists(Tree.Path("outer/escape")));

    Player.Played.clear();
    Select({"hostile"});
    Engine.RemoteList.CollectSelection(Engine.State.GetTransferQueue(), Engine.State.CurrentRemoteFolder, true);
    Engine.DeleteQueued();
    ASSERT_TRUE(Settled([&] { return Engine.State.PendingRecursionRequest == 0 && LastSound() == "completed" &&
                                     Engine.RemoteList.IndexOfCaption("hostile") < 0; }))
        << Engine.Log.Lines().join('\n').toStdString();
    EXPECT_TRUE(QFile::exists(Home + "/escape"));
    EXPECT_TRUE(QFile::exists(Home + "/base/keep.txt"));
    EXPECT_FALSE(QFileInfo::exists(Home + "/base/hostile"));
    EXPECT_FALSE(LogHas("> CWD .."));
    for (const QString& line : Engine.Log.Lines()) {
        EXPECT_FALSE(line.startsWith("> DELE") && line.contains('/')) << line.toStdString();
        EXPECT_FALSE(line.startsWith("> RMD") && line != "> RMD hostile") << line.toStdString();
        EXPECT_FALSE(line.startsWith("> CWD") && line != "> CWD base" && line != "> CWD hostile" && line != "> CWD /base/")
            << line.toStdString();
    }
}

TEST_F(SessionServer, VsftpdRecursiveDownloadCopiesTheTree)
{
    NEED_VSFTPD_LOGIN();
    WriteFile(Home + "/top/a.txt", "a");
    WriteFile(Home + "/top/sub/b.bin", QByteArray(3000, '\x02'));
    QDir().mkpath(Home + "/top/empty");
    WriteFile(Home + "/sibling.txt", "not selected");
    ASSERT_TRUE(Connect(vsftpd->Port(), "anonymous", "guest@example.org"));
    ASSERT_TRUE(ChangeTo(remoteHome));
    Select({"top"});

    ASSERT_TRUE(Engine.DownloadSelection(nullptr, true, false, {}));
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed"; }));
    EXPECT_TRUE(SameTrees(Home + "/top", Tree.Path("local/top")));
    EXPECT_EQ(TreeOf(Tree.Path("local")), (QStringList{"top", "top/a.txt", "top/empty", "top/sub", "top/sub/b.bin"}));
    EXPECT_EQ(Pane.Folder, Tree.Path("local"));
    EXPECT_EQ(Engine.State.CurrentRemoteFolder, remoteHome + "/");
}

TEST_F(SessionServer, VsftpdRecursiveUploadAndDelete)
{
    NEED_VSFTPD_LOGIN();
    WriteFile(Tree.Path("local/up/x.txt"), "x");
    WriteFile(Tree.Path("local/up/nested/y.txt"), "y");
    Tree.Folder("local/up/empty");
    WriteFile(Home + "/keep.txt", "k");
    StoreRememberedAnswer(MainFormRegKey, "HideLocalRecurseDlg");
    ASSERT_TRUE(Connect(vsftpd->Port(), "anonymous", "guest@example.org"));
    ASSERT_TRUE(ChangeTo(remoteHome));
    Pane.Selected = {Tree.Path("local/up")};

    ASSERT_TRUE(Engine.UploadSelection(nullptr));
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed" && Engine.RemoteList.IndexOfCaption("up") > 0; }));
    EXPECT_TRUE(SameTrees(Tree.Path("local/up"), Home + "/up"));

    Player.Played.clear();
    Select({"up"});
    Engine.RemoteList.CollectSelection(Engine.State.GetTransferQueue(), Engine.State.CurrentRemoteFolder, true);
    Engine.DeleteQueued();
    ASSERT_TRUE(Settled([&] { return LastSound() == "completed" && Engine.RemoteList.IndexOfCaption("up") < 0; }));
    EXPECT_EQ(TreeOf(Home), QStringList{"keep.txt"});
    EXPECT_FALSE(LogHas("> CWD .."));
}

} // namespace
