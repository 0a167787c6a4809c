// The main window's panes offline: the log's drawing and commands, the remote folder combo, the
// active pane with the routing and enabling of the shared commands, and the delete question.
#include "main_form_fixture.h"

#include "app/app_images.h"
#include "app/log_line_delegate.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "app/status_bar_main.h"
#include "dialogs/list_box_hrz.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/shell_list.h"
#include "dialogs/web_address.h"
#include "support/launch_recorder.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QUrl>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QMenu>
#include <QProgressBar>
#include <QTest>

TEST(LogLines, ArePicturedByTheirFirstCharacter)
{
    const struct {
        const char* Line;
        int Image;
        const char* Text;
    } rows[] = {
        {"! Session opened", AppImage::LogNotice, " Session opened"},
        {"* FTP Error", AppImage::LogError, " FTP Error"},
        {"< 230 Login successful.", AppImage::LogReply, " 230 Login successful."},
        {"> PASS (hidden)", AppImage::LogCommand, " PASS (hidden)"},
        {"Winsock version 1.1", AppImage::LogPlain, "Winsock version 1.1"},
        {"", AppImage::LogPlain, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LogLineImage(row.Line), row.Image) << row.Line;
        EXPECT_EQ(LogLineText(row.Line), row.Text) << row.Line;
    }
}

TEST(RemoteDeletePrompt, NamesOneEntryCountsSeveralAndWarnsOfFolders)
{
    const auto files = [](std::initializer_list<const char*> Paths) {
        std::vector<TQueueEntry> queue;
        for (const char* path : Paths)
            queue.push_back({QString::fromUtf8(path), QString::fromUtf8(path).endsWith('/')});
        return queue;
    };
    TDeletePrompt one = RemoteDeletePrompt(files({"/pub/a.txt"}));
    EXPECT_EQ(one.Text, "Are you sure you want to permanently delete 'a.txt'?");
    EXPECT_EQ(one.Caption, "Confirm File/Folder Delete");
    TDeletePrompt three = RemoteDeletePrompt(files({"/pub/a.txt", "/pub/b.txt", "/pub/c.txt"}));
    EXPECT_EQ(three.Text, "Are you sure you want to permanently delete these 3 items from the server?");
    EXPECT_EQ(three.Caption, "Confirm Multiple File/Folder Delete");
    TDeletePrompt folder = RemoteDeletePrompt(files({"/pub/docs/"}));
    EXPECT_EQ(folder.Text, "** Warning ** You have folders selected. All the contents will be permanently deleted from "
                           "the server. Would you like to continue?");
    EXPECT_EQ(folder.Caption, "Confirm File/Folder Delete");
}

TEST_F(TMainFormTest, LogShowsPicturedLinesAndCopiesAndClears)
{
    TTarnwickFTPApp& form = MakeForm();
    TSessionEngine& engine = form.Engine();
    const int before = form.lbFtpDisplayLog->count();
    EXPECT_EQ(form.lbFtpDisplayLog->item(before - 1)->text(), "Tarnwick Halyard FTP 5.2.0.0");
    engine.Log.AddLogLine("! Session opened at noon");
    engine.Log.AddLogLine("> USER anna");
    ASSERT_EQ(form.lbFtpDisplayLog->count(), before + 2);
    EXPECT_EQ(form.lbFtpDisplayLog->currentRow(), before + 1);

    // The notice's picture is drawn at the line's left.
    form.resize(800, 600);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect noticeRect = form.lbFtpDisplayLog->visualItemRect(form.lbFtpDisplayLog->item(before));
    const QImage shot = form.lbFtpDisplayLog->viewport()->grab().toImage();
    const QImage notice = form.ImageListSm->GetImage(AppImage::LogNotice).convertToFormat(shot.format());
    const QPoint at(noticeRect.left() + 2, noticeRect.top() + (noticeRect.height() - 16) / 2);
    EXPECT_EQ(shot.copy(QRect(at, QSize(16, 16))).pixel(8, 8), notice.pixel(8, 8));

    QApplication::clipboard()->clear();
    form.lbFtpDisplayLog->clearSelection();
    form.popLog->actions()[0]->trigger(); // nothing selected: nothing copied
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
    form.lbFtpDisplayLog->setCurrentRow(before + 1);
    form.popLog->actions()[0]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "> USER anna");
    form.popLog->actions()[1]->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith("! Session opened at noon\r\n> USER anna"));

    // Clearing saves the log first, whatever LogSave says.
    AppSettings()->LogSave = false;
    form.popLog->actions()[3]->trigger();
    EXPECT_EQ(form.lbFtpDisplayLog->count(), 0);
    EXPECT_TRUE(engine.Log.Lines().isEmpty());
    QFile file(TSessionLog::LogFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("> USER anna"));
}

TEST_F(TMainFormTest, RemoteFolderComboSpellsThePathAndGoesUp)
{
    TTarnwickFTPApp& form = MakeForm();
    form.SetRemoteFolderCombo("/");
    ASSERT_EQ(form.cbRemoteFolders->count(), 1);
    EXPECT_EQ(form.cbRemoteFolders->GetComboItem(0)->ImageIndex(), form.SystemFolderOpen);
    EXPECT_EQ(form.GetRemoteComboPath(), "/");

    form.SetRemoteFolderCombo("/home/web/");
    ASSERT_EQ(form.cbRemoteFolders->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form.cbRemoteFolders->GetComboItem(i)->Indent, i);
        EXPECT_EQ(form.cbRemoteFolders->GetComboItem(i)->ImageIndex(),
                  i == 2 ? form.SystemFolderOpen : form.SystemFolderClosed);
    }
    EXPECT_EQ(form.cbRemoteFolders->GetComboItem(1)->Caption(), "home");
    EXPECT_EQ(form.cbRemoteFolders->currentIndex(), 2);
    EXPECT_EQ(form.GetRemoteComboPath(), "/home/web/");
}

TEST_F(TMainFormTest, SharedCommandsFollowTheActivePane)
{
    TTempTree tree;
    tree.Folder("top/inner");
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(form.GoToFolder(tree.Path("top/inner")));
    EXPECT_EQ(form.CurrentFolder(), tree.Path("top/inner"));
    EXPECT_FALSE(form.GoToFolder(tree.Path("missing")));

    // The remote pane active without a session: change folder, up and refresh are off.
    form.lvRemote->View()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form.fraRemoteSite->Active());
    EXPECT_FALSE(form.fraMyComputer->Active());
    form.UpdateActions();
    for (const char* name : {"actFtpCwd", "actFtpCDup", "actFtpDir", "actToolbarUpLevel", "actToolbarRemoteCDup",
                             "actFtpTerminate", "actToolbarDisconnect", "actFtpSearch", "actFtpDele"})
        EXPECT_FALSE(form.Action(name)->isEnabled()) << name;
    for (const char* name : {"actFtpConnect", "actToolbarConnect"})
        EXPECT_TRUE(form.Action(name)->isEnabled()) << name;

    // The local pane active: they work on the local pane; the session's own stay off.
    form.lvMyComputer->View()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form.fraMyComputer->Active());
    form.UpdateActions();
    for (const char* name : {"actFtpCwd", "actFtpCDup", "actFtpDir", "actToolbarUpLevel", "actFtpSearch"})
        EXPECT_TRUE(form.Action(name)->isEnabled()) << name;
    for (const char* name : {"actFtpQuit", "actFtpQuote", "actFtpPwd"})
        EXPECT_FALSE(form.Action(name)->isEnabled()) << name;
    form.ExecuteAction("actFtpCDup");
    QTRY_COMPARE(form.CurrentFolder(), tree.Path("top"));
    EXPECT_EQ(form.GetFocusedPaneKind(), fkLocalList);
}

TEST_F(TMainFormTest, EmptyRemoteListShowsTheLogoUntilAListingComes)
{
    TTarnwickFTPApp& form = MakeForm();
    form.resize(900, 640);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWidget* viewport = form.lvRemote->View()->viewport();
    const QImage& logo = form.lvRemote->Logo;
    const QImage shot = viewport->grab().toImage();
    // The logo's middle is where the list's middle is (8 pixels lower in report style).
    const QPoint middle(viewport->width() / 2, viewport->height() / 2 + 8);
    EXPECT_EQ(shot.pixel(middle - QPoint(0, 20)), logo.convertToFormat(shot.format()).pixel(logo.width() / 2, logo.height() / 2 - 20));

    form.ShowRetrievingListing();
    EXPECT_TRUE(form.aviSearch->isVisible());
    ASSERT_EQ(form.lvRemote->Count(), 1);
    EXPECT_EQ(form.lvRemote->View()->model()->index(0, 0).data().toString(), TRemoteListView::RetrievingText);
    form.Engine().RemoteList.FillRemoteList({"drwxr-xr-x 2 u g 4096 Jan 01 2024 docs",
                                            "-rw-r--r-- 1 u g 10 Jan 01 2024 a.txt"},
                                           false);
    form.RemoteListChanged();
    EXPECT_FALSE(form.aviSearch->isVisible());
    ASSERT_EQ(form.lvRemote->Count(), 3);
    EXPECT_EQ(form.lvRemote->ViewStyle(), vsReport);
    EXPECT_EQ(form.StatusBarMain->PanelText(2).left(12), "2 object(s) ");

    // The hints: ".." names the way up, a file its type and size.
    const auto hintAt = [&](int Row) {
        QWidget* viewport = form.lvRemote->View()->viewport();
        const QRect rect = form.lvRemote->View()->visualRect(form.lvRemote->View()->model()->index(Row, 0));
        QHelpEvent help(QEvent::ToolTip, rect.center(), viewport->mapToGlobal(rect.center()));
        QApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(hintAt(0), "Up One Level");
    EXPECT_EQ(hintAt(2), " Type: " + form.Engine().RemoteList.Row(2).TypeName() + "  \r\n Size: 10 bytes");
}

TEST_F(TMainFormTest, FilesDroppedWithoutASessionOpenTheConnectDialog)
{
    TTarnwickFTPApp& form = MakeForm();
    TScriptedPrompts prompts;
    QString title;
    prompts.Then([&](QDialog& Dialog) {
        title = Dialog.windowTitle();
        Dialog.reject();
    });
    form.DropFileTargetDrop({Tree.Path()});
    EXPECT_EQ(title, "Connect to Server");
}

TEST_F(TMainFormTest, HelpOpensTheWebPagesAndLocalSearchTheHomeFolder)
{
    TTarnwickFTPApp& form = MakeForm();
    TLaunchRecorder launcher;
    form.ExecuteAction("actToolbarHelp");
    form.ExecuteAction("actToolbarMySearch");
    ASSERT_EQ(launcher.launches.size(), 2u);
    EXPECT_EQ(launcher.launches[0].Url, QUrl(ProgramWebAddress + "help/"));
    EXPECT_EQ(launcher.launches[1].Url, QUrl::fromLocalFile(QDir::homePath()));
}
