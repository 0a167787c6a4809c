// The main window's tool bars with their pictures and own action lists, its menus, and the
// folder-result boxes over the pane combos.
#include "main_form_fixture.h"

#include "app/app_images.h"
#include "app/remote_list_view.h"
#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "editor/syntax_memo.h"
#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "shell/image_combo.h"
#include "shell/shell_combo.h"
#include "shell/shell_list.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// True when Image has a pixel that is not fully transparent.
bool Drawn(const QImage& Image)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (qAlpha(Image.pixel(x, y)) > 0)
                return true;
    return false;
}

// Every action of Menu and of its submenus.
QList<QAction*> AllActions(const QMenu* Menu)
{
    QList<QAction*> all;
    for (QAction* action : Menu->actions()) {
        all += action;
        if (action->menu())
            all += AllActions(action->menu());
    }
    return all;
}

QStringList Names(const QList<QAction*>& Actions)
{
    QStringList names;
    for (const QAction* action : Actions)
        if (!action->isSeparator())
            names += action->menu() ? action->menu()->objectName() : action->objectName();
    return names;
}

} // namespace

TEST_F(TMainFormTest, EachToolBarOffersItsOwnActionsWithTheirPictures)
{
    TTarnwickFTPApp& form = MakeForm();
    const struct {
        TToolBar* Bar;
        const char* Prefix;
        int ImageSize;
    } bars[] = {{form.tbMain, "actToolbar", 32}, {form.tbMyComputer, "actToolbarMy", 16}, {form.tbRemote, "actToolbarRemote", 16}};
    for (const auto& bar : bars) {
        ASSERT_NE(bar.Bar->ActionList, form.ActionList);
        ASSERT_EQ(bar.Bar->Images->Width(), bar.ImageSize);
        for (const TAction* action : bar.Bar->ActionList->Actions()) {
            const QString name = action->objectName();
            // The main tool bar's names keep the spellings of stored layouts.
            const bool mainName = name.startsWith("actToolbar") || name.startsWith("actToolBar") ||
                                  name.startsWith("actToobar");
            if (bar.Bar == form.tbMain)
                EXPECT_TRUE(mainName && !name.startsWith("actToolbarMy") && !name.startsWith("actToolbarRemote"))
                    << name.toStdString();
            else
                EXPECT_TRUE(name.startsWith(QLatin1String(bar.Prefix))) << name.toStdString();
            // Every button but a separator shows a picture of its tool bar's size.
            if (action->Tag != SeparatorActionTag)
                EXPECT_TRUE(Drawn(bar.Bar->Images->GetImage(action->ImageIndex))) << name.toStdString();
        }
    }
    // The menus' actions are in the window's own list, with their small pictures.
    EXPECT_EQ(form.ActionListOf("actFtpConnect"), form.ActionList);
    EXPECT_FALSE(form.Action("actFtpConnect")->icon().isNull());
    // The binary type shares its number with the log's notice picture, but not its list.
    AppSettings()->TransferMode = 1;
    form.ShowTransferMode();
    EXPECT_EQ(form.Action("actToolbarTypeSet")->ImageIndex, AppImage::TypeBinary);
    EXPECT_NE(form.ImageListToolbar->GetImage(AppImage::TypeBinary).scaled(16, 16),
              form.ImageListSm->GetImage(AppImage::LogNotice));
}

TEST_F(TMainFormTest, ToolButtonsShowPicturesAndKeepTheirWidthWithCaptions)
{
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    for (TToolButton* button : form.tbMain->Buttons())
        if (button->Style() != tbsSeparator) {
            EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
            EXPECT_EQ(button->iconSize(), QSize(32, 32));
            EXPECT_EQ(button->width(), MainButtonHeight);
        }
    form.tbMain->SetShowCaptions(true);
    ApplyButtonSize(*form.tbMain);
    int total = 0;
    for (TToolButton* button : form.tbMain->Buttons()) {
        if (!button->Shown())
            continue;
        total += button->width();
        if (button->Style() == tbsSeparator)
            continue;
        // The caption goes under the picture; the button is as wide as the caption needs.
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_EQ(button->height(), CaptionButtonHeight);
        const int caption = button->fontMetrics().horizontalAdvance(button->text());
        EXPECT_GE(button->width(), std::max(MainButtonHeight, caption));
        EXPECT_LT(button->width(), std::max(MainButtonHeight, caption) + 30) << button->text().toStdString();
    }
    // The whole default bar with its captions fits a screen 1024 pixels wide.
    EXPECT_LT(total, 1000);
}

TEST_F(TMainFormTest, MenusHoldTheCommandsAndTheListsOpenTheirPaneMenus)
{
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    QStringList menus;
    for (QAction* menu : form.menuBar()->actions())
        menus += menu->menu()->objectName();
    EXPECT_EQ(menus, (QStringList{"File1", "mnuEdit", "View1", "Commands1", "Settings1", "Help1"}));
    const QStringList commands = Names(form.menuBar()->actions()[3]->menu()->actions());
    for (const char* name : {"actFtpConnect", "popToolbarServers", "actFtpQuit", "actFtpCwd", "actFtpDele", "actFtpGet",
                             "actFtpPut", "actFtpQuote"})
        EXPECT_TRUE(commands.contains(name)) << name;
    EXPECT_TRUE(Names(form.popRemote->actions()).contains("actToolbarRemoteDel"));
    EXPECT_TRUE(Names(form.popMyComputer->actions()).contains("actToolbarMyDel"));
    // Checkable items show their check mark, which a menu would replace by the item's icon.
    QList<QAction*> all = AllActions(form.popRemote) + AllActions(form.popMyComputer);
    for (QAction* menu : form.menuBar()->actions())
        all += AllActions(menu->menu());
    for (const QAction* action : all)
        EXPECT_FALSE(action->isCheckable() && !action->icon().isNull() && action->isIconVisibleInMenu())
            << action->objectName().toStdString();
    EXPECT_TRUE(form.Action("actViewLog")->isCheckable());

    const struct {
        TListView* List;
        QMenu* Menu;
    } panes[] = {{form.lvRemote, form.popRemote}, {form.lvMyComputer, form.popMyComputer}};
    for (const auto& pane : panes) {
        QWidget* viewport = pane.List->View()->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &click);
        EXPECT_TRUE(pane.Menu->isVisible()) << pane.Menu->objectName().toStdString();
        pane.Menu->close();
    }
}

TEST_F(TMainFormTest, FolderBoxesLieInsideTheCombosAndDropThemDown)
{
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const struct {
        QLineEdit* Box;
        TCustomComboBox* Combo;
        QString Text;
    } boxes[] = {{form.txtLocalDirResult, form.cbMyComputer, form.CurrentFolder()},
                 {form.txtRemoteDirResult, form.cbRemoteFolders, QString()}};
    const int image = form.ImageListSm->Width();
    for (const auto& box : boxes) {
        const QRect combo = box.Combo->geometry();
        EXPECT_EQ(box.Box->geometry(), QRect(combo.left() + image + 7, combo.top() + 3,
                                             box.Combo->contentsRect().width() - 3 * image, combo.height() - 6));
        EXPECT_TRUE(box.Box->isVisible());
        EXPECT_EQ(box.Box->text(), box.Text);
    }
    // A window made narrower moves the boxes with their combos.
    form.resize(form.width() - 120, form.height());
    QTRY_COMPARE(form.txtLocalDirResult->width(), form.cbMyComputer->contentsRect().width() - 3 * image);

    // A click on the local box drops its combo down; closing it up shows the box again.
    QTest::mouseClick(form.txtLocalDirResult, Qt::LeftButton);
    EXPECT_FALSE(form.txtLocalDirResult->isVisible());
    form.cbMyComputer->hidePopup();
    QTRY_VERIFY(form.txtLocalDirResult->isVisible());
    EXPECT_EQ(form.txtLocalDirResult->text(), form.CurrentFolder());
}

TEST_F(TMainFormTest, TheMenuBarReachesEveryEditorCommandAndTheEditMenuFollowsTheEditor)
{
    TTarnwickFTPApp& form = MakeForm();
    form.resize(900, 640);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QList<QAction*> reachable;
    for (QAction* menu : form.menuBar()->actions())
        reachable += AllActions(menu->menu());
    // The editor's commands (the Div button only drops down its alignments, which the menu holds).
    for (TAction* action : form.ActionList->Actions()) {
        const QString name = action->objectName();
        if ((name.startsWith("actEdit") || name.startsWith("actFileSave")) && name != "actEditDiv")
            EXPECT_TRUE(reachable.contains(action)) << name.toStdString();
    }
    const QStringList edit = Names(form.mnuEdit->actions());
    for (const char* name : {"actEditUndo", "actEditRedo", "actEditCut", "actEditCopy", "actEditPaste", "actFileSelectAll",
                             "ToggleBookmark1", "GotoBookmark1", "mniEditHighlighter", "EditorOptions1"})
        EXPECT_TRUE(edit.contains(name)) << name;
    EXPECT_EQ(form.Action("actEditPaste")->text().toStdString(), "&Paste");
    EXPECT_EQ(form.Action("actFtpPreviewImage")->text().toStdString(), "Pre&view Image");

    // Enabled while the editor has the focus on the first page of the bottom area.
    Tree.File("page.txt", "one\ntwo\nthree\n");
    form.ShowEditTab();
    ASSERT_TRUE(form.OpenDocument(Tree.Path("page.txt"), QString()));
    form.SynMemo->setFocus();
    form.UpdateActions();
    EXPECT_TRUE(form.mnuEdit->isEnabled());
    form.lvRemote->View()->setFocus();
    form.UpdateActions();
    EXPECT_FALSE(form.mnuEdit->isEnabled());

    // Copy and cut want a selection, paste text on the clipboard.
    form.SynMemo->setFocus();
    QApplication::clipboard()->setText("clip");
    form.UpdateActions();
    EXPECT_FALSE(form.Action("actEditCopy")->isEnabled());
    EXPECT_TRUE(form.Action("actEditPaste")->isEnabled());
    form.SynMemo->SelectAll();
    QApplication::clipboard()->clear();
    form.UpdateActions();
    EXPECT_TRUE(form.Action("actEditCut")->isEnabled());
    EXPECT_FALSE(form.Action("actEditPaste")->isEnabled());

    // "Bookmark &2" of Toggle sets bookmark 2 at the caret; of Goto it brings the caret back.
    form.SynMemo->SetSelStart(4);
    form.findChild<QAction*>("Bookmark22")->trigger();
    int line = 0, column = 0;
    ASSERT_TRUE(form.SynMemo->GetBookmarkPos(2, line, column));
    EXPECT_EQ(line, 2);
    EXPECT_FALSE(form.SynMemo->GetBookmarkPos(3, line, column));
    form.SynMemo->SetSelStart(0);
    form.findChild<QAction*>("Bookmark21")->trigger();
    EXPECT_EQ(form.SynMemo->GetSelStart(), 4);
}

TEST_F(TMainFormTest, TheToolbarsMenuShowsAndHidesEachToolBar)
{
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto item = [&form](const char* Name) { return form.Toolbars1->findChild<QAction*>(Name); };
    form.tbMain->SetToolbarVisible(false);
    Q_EMIT form.Toolbars1->aboutToShow();
    EXPECT_FALSE(item("MainToolbar1")->isChecked());
    EXPECT_TRUE(item("MyComputer1")->isChecked());
    EXPECT_TRUE(item("MySite1")->isChecked());

    // Hiding the remote pane's tool bar moves its folder box up with the combo.
    const int comboTop = form.cbRemoteFolders->y();
    item("MySite1")->trigger();
    EXPECT_FALSE(form.tbRemote->Container()->isVisible());
    EXPECT_FALSE(form.tbRemote->ToolbarVisible());
    QTRY_VERIFY(form.cbRemoteFolders->y() < comboTop);
    EXPECT_EQ(form.txtRemoteDirResult->y(), form.cbRemoteFolders->y() + 3);
    item("MainToolbar1")->trigger();
    EXPECT_TRUE(form.tbMain->Container()->isVisible());
    Q_EMIT form.Toolbars1->aboutToShow();
    EXPECT_TRUE(item("MainToolbar1")->isChecked());
    EXPECT_FALSE(item("MySite1")->isChecked());
}
