// The Make Zip command of the main window against pyftpdlib on loopback: the remote folder is
// downloaded into the scratch folder and packed into a dated archive whose entries and bytes are
// the server's, a folder of empty folders gives no archive, Cancel keeps the earlier archive, and
// starting from the tree on another folder lists that folder before it asks.
#include "loopback_login.h"

#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "shell/pt_tree_view.h"
#include "dialogs/basic_progress_frm.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/date_time.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "session/zip_archive.h"
#include "support/ftp_server_fixture.h"
#include "support/pump.h"
#include "support/scripted_menus.h"
#include "support/scripted_prompts.h"
#include "support/server_required.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

namespace {

// The archive's comment, then a line "name size md5" per file entry, sorted, read with python's
// zipfile.
QStringList ReadArchive(const QString& Path)
{
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, zipfile, hashlib\n"
                  "z = zipfile.ZipFile(sys.argv[1])\n"
                  "print(z.comment.decode())\n"
                  "for i in sorted(z.infolist(), key=lambda i: i.filename):\n"
                  "    print(i.filename, i.file_size, hashlib.md5(z.read(i)).hexdigest())\n",
                  Path});
    if (!python.waitForFinished(20000) || python.exitCode() != 0)
        return {"python failed: " + QString::fromUtf8(python.readAllStandardError())};
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The same lines for the files below Folder.
QStringList ReadTree(const QString& Folder)
{
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, os, hashlib\n"
                  "base = sys.argv[1]\n"
                  "rows = []\n"
                  "for root, dirs, files in os.walk(base):\n"
                  "    for f in files:\n"
                  "        p = os.path.join(root, f)\n"
                  "        rows.append('%s %d %s' % (os.path.relpath(p, base), os.path.getsize(p),\n"
                  "                    hashlib.md5(open(p, 'rb').read()).hexdigest()))\n"
                  "print('\\n'.join(sorted(rows)))\n",
                  Folder});
    python.waitForFinished(20000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << Path.toStdString();
    file.write(Bytes);
}

QByteArray RandomBytes(int Size)
{
    QByteArray bytes(Size, '\0');
    for (char& c : bytes)
        c = char(QRandomGenerator::global()->generate());
    return bytes;
}

} // namespace

class MainFormZip : public TLoopbackFormTest {
protected:
    void SetUp() override
    {
        TLoopbackFormTest::SetUp();
        if (!server_)
            return;
        // /x/ holds nested files and an empty folder; /e/ only empty folders.
        WriteFile(account_.home + "/x/a.txt", "some text\n");
        WriteFile(account_.home + "/x/sub/b.bin", RandomBytes(70000));
        WriteFile(account_.home + "/x/sub/deeper/c.txt", QByteArray(5000, 'c'));
        QDir(account_.home).mkpath("x/empty");
        QDir(account_.home).mkpath("e/one/two");
        QDir(account_.home).mkpath("e/three");
        QDir().mkpath(Tree.Path("local"));
        QDir().mkpath(Tree.Path("zips"));
    }
    // Makes the window with the local pane on "local" and the archives going to "zips/", logs in
    // and goes to Folder; true once it is listed.
    bool ConnectTo(const QString& Folder)
    {
        // The site's node in the tree stands for the session's folders.
        UploadProfiles()->Add()->ItemName = "loopback";
        TTarnwickFTPApp& form = MakeForm();
        AppSettings()->ZipSaveFolder = Tree.Path("zips") + '/';
        form.resize(900, 640);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form) || !form.GoToFolder(Tree.Path("local")))
            return false;
        StartLogin(form);
        if (!Listed("/"))
            return false;
        if (Folder != "/")
            FtpChangeDir(form.FtpClient(), Folder);
        return Listed(Folder);
    }
    bool Listed(const QString& Folder)
    {
        return pumpUntil(
            [&] {
                return Form->Engine().State.CurrentRemoteFolder == Folder && Form->lvRemote->Count() > 1 &&
                       !Form->lvRemote->Retrieving() && Form->FtpClient().State() == ftpReady;
            },
            20000);
    }
    QString ArchiveName() const { return ZipArchiveName(Tree.Path("zips") + '/', "loopback", Now()); }
    // Runs Make Zip until the archive is made or refused (the test's script answers its windows).
    void MakeZip()
    {
        Form->UpdateActions();
        ASSERT_TRUE(Form->Action("actToolbarRemoteMakeZip")->isEnabled());
        Form->ExecuteAction("actToolbarRemoteMakeZip");
        ASSERT_TRUE(pumpUntil([&] { return Form->ZipReturnFolder.isEmpty() && !Form->Engine().State.AfterTransferPending; },
                              30000));
        QApplication::processEvents();
    }
    // A step that keeps the text of the window and clicks Button.
    TScriptedPrompts::TStep Answer(QString& Text, const QString& Button)
    {
        return [&Text, Button](QDialog& Dialog) {
            Text = Describe(Dialog);
            Click(Button)(Dialog);
        };
    }
};

TEST_F(MainFormZip, PacksTheRemoteFolderIntoTheDatedArchive)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/x/"));
    const QString localBefore = Form->CurrentFolder();
    QString question, result;
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&Make Zip")).Then(Answer(result, "OK"));
    MakeZip();

    EXPECT_TRUE(question.contains("Would you like to archive the current remote folder (/x/) and its contents? "))
        << question.toStdString();
    EXPECT_TRUE(question.contains("The ZIP will then be saved to: '" + Tree.Path("zips") + "/.'"));
    const QString archive = ArchiveName();
    ASSERT_TRUE(QFileInfo::exists(archive)) << archive.toStdString();
    EXPECT_TRUE(result.contains("Successfully archived the current remote folder (/x/) \r\nto the zip file " + archive + "."))
        << result.toStdString();
    const QStringList entries = ReadArchive(archive);
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.first(), "Archived Site: 127.0.0.1, Folder: /x/ with Tarnwick Halyard FTP 5.2");
    EXPECT_EQ(entries.mid(1), ReadTree(account_.home + "/x"));
    EXPECT_EQ(entries.size(), 4);
    EXPECT_TRUE(Form->Engine().Log.Lines().contains("! Successfully archived " + archive));
    // The local pane is back; the scratch folder is empty.
    EXPECT_EQ(Form->CurrentFolder(), localBefore);
    EXPECT_TRUE(QDir(ZipScratchFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
}

TEST_F(MainFormZip, AFolderOfEmptyFoldersGivesNoArchive)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/e/"));
    const QString localBefore = Form->CurrentFolder();
    TScriptedPrompts prompts;
    prompts.Then(Click("&Make Zip"));
    MakeZip();

    EXPECT_TRUE(
        Form->Engine().Log.Lines().contains("* Tarnwick Halyard FTP 5.2 found that there were no files to zip."));
    EXPECT_FALSE(QFileInfo::exists(ArchiveName()));
    EXPECT_EQ(Form->CurrentFolder(), localBefore);
}

TEST_F(MainFormZip, CancelKeepsTheEarlierArchive)
{
    NEED_SERVER();
    // Enough bytes for many progress notices, so Cancel lands while packing.
    WriteFile(account_.home + "/x/sub/large.bin", RandomBytes(3 << 20));
    ASSERT_TRUE(ConnectTo("/x/"));
    WriteFile(ArchiveName(), "earlier archive");
    // Cancel is pressed as soon as the progress window shows.
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<TBasicProgressFrm*>(window); progress && progress->isVisible())
                progress->Button1->click();
    });
    TScriptedPrompts prompts;
    prompts.Then(Click("&Make Zip"));
    canceller.start(0);
    MakeZip();
    canceller.stop();

    EXPECT_EQ(Messages, QStringList({"Zip archiving operation cancelled by user."}));
    QFile earlier(ArchiveName());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier archive");
    EXPECT_TRUE(QDir(ZipScratchFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
}

TEST_F(MainFormZip, FromTheTreeListsAnotherFolderFirst)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/"));
    QString question;
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&No"));
    Form->ZipTreeFolder = "/x/";
    Form->ExecuteAction("actFtpZipDirTV");
    ASSERT_TRUE(pumpUntil([&] { return !question.isEmpty(); }, 20000));
    EXPECT_EQ(Form->Engine().State.CurrentRemoteFolder, "/x/");
    EXPECT_TRUE(question.contains("the current remote folder (/x/)")) << question.toStdString();
    EXPECT_TRUE(Form->ZipTreeFolder.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ArchiveName()));
}

TEST_F(MainFormZip, TheTreesMenuZipsTheFolderOfItsNode)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/"));
    TTreeNode* node = Form->SiteTree().NodeOfPath("/x/");
    ASSERT_TRUE(node);
    QString question;
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("Make Zip Archive..."));
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&Make Zip")).Then(Click("OK"));
    Form->tvRemote->ShowNodeMenuAt(node, Form->tvRemote->NodeTextRect(node).center());
    ASSERT_TRUE(pumpUntil([&] { return !question.isEmpty(); }, 20000));
    ASSERT_TRUE(pumpUntil([&] { return Form->ZipReturnFolder.isEmpty() && !Form->Engine().State.AfterTransferPending; },
                          30000));
    QApplication::processEvents();

    EXPECT_TRUE(question.contains("the current remote folder (/x/)")) << question.toStdString();
    EXPECT_EQ(Form->tvRemote->Selected(), node);
    EXPECT_EQ(ReadArchive(ArchiveName()).mid(1), ReadTree(account_.home + "/x"));
}

TEST_F(MainFormZip, ASelectionZipsOnlyTheSelectedEntries)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/x/"));
    TRemoteListView& list = *Form->lvRemote;
    TListItem* item = list.Item(Form->Engine().RemoteList.IndexOfCaption("a.txt"));
    ASSERT_TRUE(item);
    list.ClearSelection();
    item->SetSelected(true);
    list.SetItemFocused(item);
    QString question;
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&Make Zip")).Then(Click("OK"));
    MakeZip();

    EXPECT_TRUE(question.contains("Would you like to archive the selected remote item(s) and its content(s)? "))
        << question.toStdString();
    const QStringList entries = ReadArchive(ArchiveName());
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[1].startsWith("a.txt 10 ")) << entries[1].toStdString();
}
