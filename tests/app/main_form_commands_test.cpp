// The main window's remaining commands offline: the short cuts and the routing of Delete and F2,
// the hidden maintenance commands, the remote list's column clicks, the transfer-mode cycle and
// the local folder a mirrored download goes to.
#include "main_form_fixture.h"

#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "dialogs/list_box_hrz.h"
#include "platform/ui/action_list.h"
#include "platform/ui/modal_results.h"
#include "session/session_engine.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

// The site names under "My Sites", in order.
QStringList SiteNames(TTarnwickFTPApp& Form)
{
    QStringList names;
    TTreeNode* root = Form.SiteTree().Root();
    for (int i = 0; root && i < root->Count(); ++i)
        names += root->Item(i)->Text();
    return names;
}

} // namespace

class MainFormCommands : public TMainFormTest {
protected:
    // The window shown and active.
    TTarnwickFTPApp& ShowForm()
    {
        TTarnwickFTPApp& form = MakeForm();
        form.resize(900, 640);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }
};

TEST_F(MainFormCommands, CommandsCarryTheirShortCuts)
{
    TTarnwickFTPApp& form = MakeForm();
    const struct {
        const char* Action;
        const char* Keys;
    } rows[] = {
        {"actHelpReloadAppSettings", "Alt+Shift+Backspace"}, {"actHelpDumpEditedFiles", "Ctrl+Shift+F11"},
        {"actHelpDumpDirResultList", "Ctrl+Shift+F12"},      {"actHelpShowViewDirList", "Ctrl+Alt+D"},
        {"actHelpShowTreeView", "Ctrl+Alt+T"},               {"actHelpShowMyComputer", "Ctrl+Alt+M"},
        {"actHelpShowPrintPreview", "Ctrl+Alt+P"},           {"actEditPrint", "Ctrl+P"},
        {"actEditFind", "Ctrl+F"},                           {"actEditReplace", "Ctrl+R"},
        {"actFtpDele", "Del"},                               {"actToolbarDelete", "Del"},
        {"actToolbarMyDel", "Del"},                          {"actToolbarRemoteDel", "Del"},
        {"actFtpRen", "F2"},                                 {"actFileRenameLocal", "F2"},
    };
    for (const auto& row : rows) {
        TAction* action = form.Action(row.Action);
        ASSERT_TRUE(action) << row.Action;
        EXPECT_EQ(action->shortcut(), QKeySequence::fromString(row.Keys, QKeySequence::PortableText)) << row.Action;
    }
    // The main tool bar's Make ZIP button exists and works as the remote pane's.
    ASSERT_TRUE(form.Action("actToobarMakeZip"));
    EXPECT_EQ(form.Action("actToobarMakeZip")->ImageIndex, 71);
}

TEST_F(MainFormCommands, DeleteGoesToTheLabelBeingRenamedAndF2ToTheFocusedTree)
{
    TTempTree tree;
    tree.File("folder/file.txt", "text");
    TTarnwickFTPApp& form = ShowForm();
    ASSERT_TRUE(form.GoToFolder(tree.Path("folder")));
    TPTShellList& list = *form.lvMyComputer;
    QTRY_COMPARE(list.Count(), 1);
    list.View()->setFocus();
    list.SetItemFocused(list.Item(0));
    list.Item(0)->SetSelected(true);

    // F2 on the list renames the row; Delete then deletes characters of the label.
    QTest::keyClick(list.View(), Qt::Key_F2);
    QTRY_VERIFY(list.IsEditing());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "ile.txt");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(QFileInfo::exists(tree.Path("folder/file.txt")));

    // F2 in the local tree edits the tree's label, not a row of the list.
    TPTShellTree& localTree = *form.tvMyComputer;
    QTRY_VERIFY(localTree.Selected());
    localTree.setFocus();
    QTest::keyClick(&localTree, Qt::Key_F2);
    EXPECT_TRUE(localTree.IsEditing());
    EXPECT_FALSE(list.IsEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

TEST_F(MainFormCommands, ASecondClickOnTheSortColumnReversesIt)
{
    TTarnwickFTPApp& form = MakeForm();
    TRemoteListView& list = *form.lvRemote;
    list.SetSortColumn(0);
    list.SetSortDirection(1);
    const struct {
        int Column;
        int SortColumn;
        int Direction;
    } clicks[] = {{0, 0, 0}, {0, 0, 1}, {2, 2, 1}, {2, 2, 0}, {1, 1, 0}};
    for (const auto& click : clicks) {
        list.OnColumnClick(&list, click.Column);
        EXPECT_EQ(list.SortColumn(), click.SortColumn) << click.Column;
        EXPECT_EQ(list.SortDirection(), click.Direction) << click.Column;
    }
}

TEST_F(MainFormCommands, ReloadingTheSettingsShowsEachSiteOnce)
{
    UploadProfiles()->Add()->ItemName = "beta";
    UploadProfiles()->Add()->ItemName = "alpha";
    UploadProfiles()->Save();
    TTarnwickFTPApp& form = MakeForm();
    form.SiteTree().BuildSiteTree();
    const QStringList before = SiteNames(form);
    ASSERT_EQ(before, QStringList({"alpha", "beta"}));
    const QString logLine = "! Application Settings were reloaded successfully.";

    MessageAnswer = mrNo;
    form.ExecuteAction("actHelpReloadAppSettings");
    EXPECT_FALSE(form.Engine().Log.Lines().contains(logLine));

    MessageAnswer = mrYes;
    form.ExecuteAction("actHelpReloadAppSettings");
    EXPECT_EQ(Messages.last(), "Would you like to reload ALL application settings?");
    EXPECT_EQ(SiteNames(form), before);
    EXPECT_EQ(UploadProfiles()->Profiles()->Count(), 2);
    EXPECT_EQ(form.Engine().Log.Lines().last(), logLine);
}

TEST_F(MainFormCommands, DumpsReplaceTheLogWithTheList)
{
    TTarnwickFTPApp& form = MakeForm();
    form.Engine().Log.AddLogLine("! an earlier line");
    form.Engine().State.EditorTempFiles() = {"/tmp/b~ED.html", "/tmp/a~ED.txt"};
    MessageAnswer = mrYes;
    form.ExecuteAction("actHelpDumpEditedFiles");
    const QStringList lines = form.Engine().Log.Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("! Edited Files for the current application session - ")) << lines[0].toStdString();
    EXPECT_EQ(lines.mid(1), QStringList({"/tmp/a~ED.txt", "/tmp/b~ED.html"}));
    EXPECT_EQ(form.lbFtpDisplayLog->count(), 3);
    EXPECT_EQ(Messages.last(), "Would you like to dump the Edited Files list into the info window?");

    // The cached listings need a session.
    form.ExecuteAction("actHelpDumpDirResultList");
    EXPECT_EQ(Messages.last(),
              "The FtpClient client is currently offline and the DirResult Lookup List is unavailable.");
    EXPECT_EQ(form.Engine().Log.Lines(), lines);
}

TEST_F(MainFormCommands, HidingTheTreesOptionHidesTheTreesAndItsCommand)
{
    TTarnwickFTPApp& form = ShowForm();
    TScriptedPrompts prompts;
    prompts.Then(Click("&Hide")).Then(Click("&Show")).Then(Click("Cancel"));
    form.ExecuteAction("actHelpShowTreeView");
    EXPECT_FALSE(form.Action("actViewTrees")->isVisible());
    EXPECT_FALSE(AppSettings()->ViewTreesMni);
    EXPECT_TRUE(form.tvRemote->isHidden());

    form.ExecuteAction("actHelpShowTreeView");
    EXPECT_TRUE(form.Action("actViewTrees")->isVisible());
    EXPECT_TRUE(AppSettings()->ViewTrees);
    EXPECT_FALSE(form.tvRemote->isHidden());

    form.ExecuteAction("actHelpShowTreeView");
    EXPECT_TRUE(form.Action("actViewTrees")->isVisible());
}

TEST_F(MainFormCommands, TheTypeButtonCyclesThroughTheThreeModes)
{
    TTarnwickFTPApp& form = MakeForm();
    AppSettings()->TransferMode = 2;
    TAction& typeSet = *form.Action("actToolbarTypeSet");
    const struct {
        int Mode;
        const char* Caption;
        int Image;
    } cycle[] = {{0, "Ascii Mode", 26}, {1, "Binary Mode", 25}, {2, "Auto Mode", 24}, {0, "Ascii Mode", 26}};
    for (const auto& step : cycle) {
        form.ExecuteAction("actToolbarTypeSet");
        EXPECT_EQ(AppSettings()->TransferMode, step.Mode);
        EXPECT_EQ(typeSet.text(), step.Caption);
        EXPECT_EQ(typeSet.ImageIndex, step.Image);
    }
    // The menu lists Auto, Binary and ASCII; its items set the mode, and it shows the mode set.
    const QList<QAction*> items = form.popTypeSet->actions();
    ASSERT_EQ(items.size(), 3);
    items[1]->trigger();
    EXPECT_EQ(AppSettings()->TransferMode, 1);
    EXPECT_EQ(typeSet.text(), "Binary Mode");
    AppSettings()->TransferMode = 2;
    form.popTypeSetPopup();
    EXPECT_TRUE(items[0]->isChecked());
}

TEST_F(MainFormCommands, MirroredFoldersStayInsideTheLocalFolder)
{
    TTempTree tree;
    tree.Folder("local");
    TTarnwickFTPApp& form = MakeForm();
    ASSERT_TRUE(form.GoToFolder(tree.Path("local")));
    EXPECT_EQ(form.MirrorLocalFolder("/pub/a.txt"), tree.Path("local") + '/');
    EXPECT_EQ(form.MirrorLocalFolder("/pub/sub/"), tree.Path("local/sub") + '/');
    EXPECT_TRUE(QFileInfo(tree.Path("local/sub")).isDir());
    EXPECT_EQ(form.CurrentFolder(), tree.Path("local/sub"));
    for (const char* hostile : {"/pub/../", "/pub/./", "/pub/a\nb/"})
        EXPECT_EQ(form.MirrorLocalFolder(hostile), "") << hostile;
    EXPECT_FALSE(QFileInfo::exists(tree.Path("local/sub/a\nb")));
}
