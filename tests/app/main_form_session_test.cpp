// The main window against pyftpdlib on loopback: the listing and the site tree after the login, the
// properties command changing a file's mode on the server, the remote delete, and the close
// query while a session is open.
#include "loopback_login.h"

#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "app/status_bar_main.h"
#include "dialogs/close_app_dlg.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/ftp_properties_dlg.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/rtl/application.h"
#include "platform/ui/action_list.h"
#include "platform/ui/modal_results.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "support/ftp_server_fixture.h"
#include "support/pump.h"
#include "support/pump.h"
#include "support/scripted_prompts.h"
#include "support/server_required.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class MainFormSession : public TLoopbackFormTest {
protected:
    void SetUp() override
    {
        TLoopbackFormTest::SetUp();
        if (!server_)
            return;
        QDir(account_.home).mkdir("docs");
        QDir(account_.home).mkdir("www");
        for (const char* name : {"b.txt", "a.txt"}) {
            QFile file(account_.home + '/' + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("some text\n");
        }
    }

    // Makes the window and logs in; true once the home folder is listed.
    bool Connect()
    {
        TTarnwickFTPApp& form = MakeForm();
        form.resize(900, 640);
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            return false;
        StartLogin(form);
        return Settled([&] { return form.lvRemote->Count() > 1 && !form.lvRemote->Retrieving(); });
    }
    bool Settled(const std::function<bool()>& Condition)
    {
        return pumpUntil([&] { return Condition() && Form->FtpClient().State() == ftpReady; }, 20000);
    }
    int Row(const QString& Caption) { return Form->Engine().RemoteList.IndexOfCaption(Caption); }
    // The local list's row of the entry Name; null while it has none.
    TListItem* LocalRow(const QString& Name)
    {
        TPTShellList& list = *Form->lvMyComputer;
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetItemData(i) && list.GetItemData(i)->GetPath().endsWith('/' + Name))
                return list.Item(i);
        return nullptr;
    }
    void Focus(const QString& Caption)
    {
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        Form->lvRemote->View()->setFocus();
        TListItem* item = Form->lvRemote->Item(Caption == ".." ? 0 : Row(Caption));
        ASSERT_TRUE(item) << Caption.toStdString();
        Form->lvRemote->ClearSelection();
        item->SetSelected(true);
        Form->lvRemote->SetItemFocused(item);
        QApplication::processEvents();
    }
};

TEST_F(MainFormSession, ShowsTheListingTheComboAndTheLogAfterTheLogin)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    TTarnwickFTPApp& form = *Form;
    QStringList captions;
    for (int i = 0; i < form.lvRemote->Count(); ++i)
        captions += form.lvRemote->View()->model()->index(i, 0).data().toString();
    // "..", the folders, then the files (in the server's order).
    ASSERT_EQ(captions.size(), 5);
    EXPECT_EQ(captions[0], "..");
    EXPECT_EQ(QSet<QString>(captions.begin() + 1, captions.begin() + 3), QSet<QString>({"docs", "www"}));
    EXPECT_EQ(QSet<QString>(captions.begin() + 3, captions.end()), QSet<QString>({"a.txt", "b.txt"}));
    EXPECT_EQ(form.GetRemoteComboPath(), "/");
    const QStringList& log = form.Engine().Log.Lines();
    EXPECT_TRUE(log.contains("> PASS (hidden)"));
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const QString& Line) { return Line.startsWith("< 230"); }));
    EXPECT_FALSE(form.StatusBarMain->PanelText(1).isEmpty());

    // The shared commands now work on the remote pane.
    form.lvRemote->View()->setFocus();
    QApplication::processEvents();
    form.UpdateActions();
    for (const char* name : {"actFtpCwd", "actFtpCDup", "actFtpDir", "actFtpQuit", "actFtpTerminate"})
        EXPECT_TRUE(form.Action(name)->isEnabled()) << name;
    EXPECT_FALSE(form.Action("actFtpConnect")->isEnabled());
    Focus("..");
    form.UpdateActions();
    EXPECT_FALSE(form.Action("actToolbarRemoteDel")->isEnabled());
    Focus("a.txt");
    form.UpdateActions();
    EXPECT_TRUE(form.Action("actToolbarRemoteDel")->isEnabled());
    EXPECT_TRUE(form.Action("actToolbarDelete")->isEnabled());

    // The caption names the site while connected and is the program's title again offline.
    EXPECT_TRUE(form.windowTitle().startsWith(Application->Title() + " - ")) << form.windowTitle().toStdString();
    form.ExecuteAction("actFtpQuit");
    EXPECT_TRUE(pumpUntil([&] { return form.fraRemoteSite->Caption() == "Offline"; }, 10000));
    EXPECT_EQ(form.windowTitle(), Application->Title());
}

TEST_F(MainFormSession, TheConnectedSitesNodeStandsForTheCurrentFolder)
{
    NEED_SERVER();
    UploadProfiles()->Add()->ItemName = "loopback";
    ASSERT_TRUE(Connect());
    TSiteTree& sites = Form->SiteTree();
    TTreeNode* site = sites.FindSiteNode("loopback");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(sites.NodeOfPath("/"), site);
    EXPECT_EQ(Form->tvRemote->Selected(), site);
    QStringList folders;
    for (int i = 0; i < site->Count(); ++i)
        folders += site->Item(i)->Text();
    EXPECT_EQ(QSet<QString>(folders.begin(), folders.end()), QSet<QString>({"docs", "www"}));
}

TEST_F(MainFormSession, PropertiesChangeTheModeOnTheServer)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    QFile::setPermissions(account_.home + "/a.txt", QFile::ReadOwner | QFile::WriteOwner);
    Focus("a.txt");
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& dialog = static_cast<TFtpPropertiesDlgFrm&>(Dialog);
        dialog.txtNumeric->setText("755");
        dialog.btnOk->click();
    });
    Form->ExecuteAction("actToolbarRemoteProperties");
    ASSERT_EQ(prompts.Shown(), 1);
    EXPECT_TRUE(Form->Engine().Log.Lines().contains("> SITE CHMOD 755 a.txt"));
    const QFile::Permissions expected = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    EXPECT_TRUE(pumpUntil([&] {
        return (QFileInfo(account_.home + "/a.txt").permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)) ==
               expected;
    }));
}

TEST_F(MainFormSession, DeletesTheSelectedFileOnceConfirmed)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    Focus("b.txt");
    {
        TScriptedPrompts prompts;
        prompts.Then(Click("&No"));
        Form->ExecuteAction("actToolbarDelete");
        EXPECT_EQ(prompts.Shown(), 1);
    }
    EXPECT_TRUE(QFile::exists(account_.home + "/b.txt"));
    Focus("b.txt");
    QString said;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        said = static_cast<TConfirmDeleteDlgFrm&>(Dialog).Label1->text();
        Click("&Yes")(Dialog);
    });
    Form->ExecuteAction("actToolbarDelete");
    EXPECT_EQ(said, "Are you sure you want to permanently delete 'b.txt'?");
    EXPECT_TRUE(Settled([&] { return !QFile::exists(account_.home + "/b.txt") && Row("b.txt") < 0; }));
    EXPECT_TRUE(QFile::exists(account_.home + "/a.txt"));
}

TEST_F(MainFormSession, FilesDroppedWhileARequestRunsAreRefused)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    const QString local = Tree.Path("new.txt");
    Tree.File("new.txt", "dropped\n");
    FtpChangeDir(Form->FtpClient(), "docs");
    Form->DropFileTargetDrop({local});
    EXPECT_EQ(Messages, QStringList({"The program is currently busy with an existing transfer. Please try again when the "
                                     "transfer is complete."}));
    ASSERT_TRUE(Settled([&] { return Form->Engine().State.CurrentRemoteFolder == "/docs/" && !Form->lvRemote->Retrieving(); }));
    Form->DropFileTargetDrop({local});
    EXPECT_TRUE(Settled([&] { return QFile::exists(account_.home + "/docs/new.txt"); }));
}

TEST_F(MainFormSession, TerminateWhileARequestRunsAnsweredNoChangesNothing)
{
    NEED_SERVER();
    ASSERT_TRUE(Connect());
    MessageAnswer = mrNo;
    FtpChangeDir(Form->FtpClient(), "docs");
    Form->ExecuteAction("actFtpTerminate");
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].startsWith("An active session is still open."));
    EXPECT_TRUE(Settled([&] { return Form->Engine().State.CurrentRemoteFolder == "/docs/" && !Form->lvRemote->Retrieving(); }));
    EXPECT_TRUE(Form->FtpClient().Connected());
}

TEST_F(MainFormSession, ColumnClicksSortTheFilesAndDoubleClicksEnterFolders)
{
    NEED_SERVER();
    QFile big(account_.home + "/big.bin");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(5000, 'x'));
    big.close();
    ASSERT_TRUE(Connect());
    TRemoteListView& list = *Form->lvRemote;
    const auto caption = [&](int Row) { return list.View()->model()->index(Row, 0).data().toString(); };
    list.OnColumnClick(&list, 1); // by size, ascending
    list.OnColumnClick(&list, 1); // and descending
    EXPECT_EQ(list.SortDirection(), 0);
    EXPECT_EQ(caption(0), "..");
    EXPECT_EQ(caption(3), "big.bin");
    EXPECT_EQ(list.Count(), 6);

    Focus("docs");
    list.OnDblClick(&list);
    EXPECT_TRUE(Settled([&] { return Form->GetRemoteComboPath() == "/docs/" && !list.Retrieving(); }));
    EXPECT_EQ(list.Count(), 1); // an empty folder shows ".." only
    Focus("..");
    list.OnDblClick(&list);
    EXPECT_TRUE(Settled([&] { return Form->GetRemoteComboPath() == "/" && list.Count() == 6; }));
}

// The close prompt while connected: Cancel stays, "complete the task" closes after the server's
// 221, "immediately" closes at once.
TEST_F(MainFormSession, CloseQueryWhileConnected)
{
    NEED_SERVER();
    const auto answer = [](int Choice) {
        return [Choice](QDialog& Dialog) {
            auto& dialog = static_cast<TCloseAppFrm&>(Dialog);
            if (Choice < 0) {
                dialog.Button2->click();
                return;
            }
            dialog.cbClose->setCurrentIndex(Choice - 1);
            dialog.Button1->click();
        };
    };
    ASSERT_TRUE(Connect());
    {
        TScriptedPrompts prompts;
        prompts.Then(answer(-1));
        EXPECT_FALSE(Form->close());
        EXPECT_TRUE(Form->isVisible());
        EXPECT_TRUE(Form->FtpClient().Connected());
    }
    {
        TScriptedPrompts prompts;
        prompts.Then(answer(1));
        EXPECT_FALSE(Form->close()); // stays open until the session has ended
        EXPECT_TRUE(pumpUntil([&] { return !Form->isVisible(); }, 10000));
        EXPECT_TRUE(Form->Engine().Log.Lines().filter(QRegularExpression("^< 221")).size() == 1);
        EXPECT_FALSE(Form->FtpClient().Connected());
    }
    Form.reset();
    ASSERT_TRUE(Connect());
    TScriptedPrompts prompts;
    prompts.Then(answer(2));
    EXPECT_TRUE(Form->close());
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(MainFormSession, RemoteFilesDroppedOnALocalFolderAreDownloadedIntoIt)
{
    NEED_SERVER();
    const QString local = Tree.Path("local");
    ASSERT_TRUE(QDir().mkpath(local + "/in"));
    ASSERT_TRUE(Connect());
    TTarnwickFTPApp& form = *Form;
    ASSERT_TRUE(form.GoToFolder(local));
    TListItem* in = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (in = LocalRow("in")) != nullptr; }, 5000));
    Focus("b.txt");

    // Only drags of remote entries are taken.
    EXPECT_TRUE(form.lvMyComputerDragOver("lvRemote"));
    EXPECT_FALSE(form.lvMyComputerDragOver("lvMyComputer"));

    // The drop lands on the local folder "in".
    QWidget* viewport = form.lvMyComputer->View()->viewport();
    const QPoint at = viewport->mapFrom(form.lvMyComputer, form.lvMyComputer->ItemRect(in).center());
    QMimeData data;
    data.setData("application/x-tarnwick-remote-items", "lvRemote");
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(Settled([&] { return QFileInfo::exists(local + "/in/b.txt"); }));
    QFile file(local + "/in/b.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "some text\n");
    EXPECT_FALSE(QFileInfo::exists(local + "/in/a.txt"));
    EXPECT_EQ(form.CurrentFolder(), local + "/in");
}

TEST_F(MainFormSession, LocalFilesDraggedOntoARemoteFolderAreUploadedIntoIt)
{
    NEED_SERVER();
    const QString local = Tree.Path("local");
    ASSERT_TRUE(QDir().mkpath(local));
    for (const char* name : {"up.txt", "stay.txt"}) {
        QFile file(local + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("up\n");
    }
    ASSERT_TRUE(Connect());
    TTarnwickFTPApp& form = *Form;
    ASSERT_TRUE(form.GoToFolder(local));
    TListItem* up = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (up = LocalRow("up.txt")) != nullptr; }, 5000));
    form.lvMyComputer->ClearSelection();
    up->SetSelected(true);
    form.lvMyComputer->SetItemFocused(up);

    // The remote list takes its own drag and the local pane's, not the tree's.
    EXPECT_TRUE(form.lvRemoteDragOver("lvRemote"));
    EXPECT_TRUE(form.lvRemoteDragOver("lvMyComputer"));
    EXPECT_FALSE(form.lvRemoteDragOver("tvRemote"));

    // Dropped on the row of "www": the upload goes into that folder.
    const QPoint at = form.lvRemote->ItemRect(form.lvRemote->Item(Row("www"))).center();
    win::ScriptedDragLoop loop({{form.lvRemote, at, win::MK_LBUTTON}, {form.lvRemote, at, 0}});
    win::SetDragLoop(&loop);
    form.lvMyComputer->StartOleDrag(0);
    win::SetDragLoop(nullptr);
    ASSERT_TRUE(Settled([&] { return QFileInfo::exists(account_.home + "/www/up.txt"); }));
    EXPECT_FALSE(QFileInfo::exists(account_.home + "/up.txt"));
    EXPECT_FALSE(QFileInfo::exists(account_.home + "/www/stay.txt"));
}
