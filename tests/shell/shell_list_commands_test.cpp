// The shell list's commands over temporary folders: new folders with unique names, renaming in
// place, the default keys, going up, opening entries and the selection's context menu.
#include "shell/shell_list.h"

#include "shell/items_context_menu.h"
#include "shell/shell_command_routines.h"

#include "platform/ui/message_dialogs.h"

#include "support/launch_recorder.h"
#include "shell/shell_list_rows.h"
#include "support/pump.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/temp_tree.h"

#include <QApplication>
#include <QDir>
#include <QTreeView>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace win;

namespace {

// Records the verbs the keys run instead of running them, and opens what the tests drive.
class TSpyShellList : public TPTShellList {
public:
    using TPTCustomShellList::DefaultKeyDown;
    using TPTCustomShellList::Edited;

    HRESULT InvokeSelectionVerb(const TShellVerb& Verb) override
    {
        Verbs.append("selection " + Verb.Text);
        return S_OK;
    }
    HRESULT InvokeFolderVerb(const TShellVerb& Verb) override
    {
        Verbs.append("folder " + Verb.Text);
        return S_OK;
    }

    QStringList Verbs;
};

// A created list showing Folder.
struct TShownList {
    TSpyShellList List;
    explicit TShownList(const QString& Folder, TPTShellListOptions Options = TPTCustomShellList::DefaultOptions)
    {
        List.SetOptions(Options);
        List.SetChangeDelays(20, 20);
        List.SetDesktopNewFolderWait(0);
        List.SetViewStyle(vsReport);
        List.SetMultiSelect(true);
        List.CreateWnd();
        List.Folder()->SetPath(Folder);
    }
    void Select(const QString& Name)
    {
        List.ClearSelection();
        TListItem* item = List.Item(RowOf(List, Name));
        item->SetSelected(true);
        item->SetFocused(true);
    }
};

// The warnings shown while it lives.
struct TWarnings {
    QStringList Texts;
    TMessageDlgHandler Previous = SetMessageDlgHandler([this](const QString& Msg, TMsgDlgType Type, TMsgDlgButtons) {
        EXPECT_EQ(Type, mtWarning);
        Texts.append(Msg);
        return mrOk;
    });
    ~TWarnings() { SetMessageDlgHandler(Previous); }
};

QKeyEvent Key(int Code, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, Code, Modifiers);
}

} // namespace

TEST(ShellListCommands, NewFoldersTakeTheFirstFreeName)
{
    const struct {
        const char* what;
        QStringList present;
        QString created;
    } cases[] = {
        {"an empty folder", {}, "New Folder"},
        {"the first two taken", {"New Folder", "New Folder (2)"}, "New Folder (3)"},
        {"a gap", {"New Folder", "New Folder (3)"}, "New Folder (2)"},
    };
    for (const auto& c : cases) {
        TTempTree tree;
        for (const QString& name : c.present)
            tree.Folder(name);
        QString name;
        EXPECT_TRUE(CreateUniqueFolder(tree.Path(), name)) << c.what;
        EXPECT_EQ(name, c.created) << c.what;
        EXPECT_TRUE(QFileInfo(tree.Path(name)).isDir()) << c.what;
    }

    // All fifty long names taken: the short ones follow.
    TTempTree tree;
    tree.Folder("New Folder");
    for (int n = 2; n <= 50; ++n)
        tree.Folder(QString("New Folder (%1)").arg(n));
    QString name;
    EXPECT_TRUE(CreateUniqueFolder(tree.Path() + "/", name));
    EXPECT_EQ(name, "fldr");
    EXPECT_TRUE(CreateUniqueFolder(tree.Path(), name));
    EXPECT_EQ(name, "fldr2");

    // Both series used up: one warning that the first name exists.
    for (int n = 3; n <= 50; ++n)
        tree.Folder(QString("fldr%1").arg(n));
    TWarnings warnings;
    EXPECT_FALSE(CreateUniqueFolder(tree.Path(), name));
    ASSERT_EQ(warnings.Texts.size(), 1);
    EXPECT_TRUE(warnings.Texts[0].startsWith("Unable to create the folder 'New Folder'\n\n")) << warnings.Texts[0].toStdString();

    // A place without a path makes nothing, least of all in the working directory.
    const QStringList before = QDir::current().entryList();
    EXPECT_FALSE(CreateUniqueFolder("", name));
    EXPECT_EQ(QDir::current().entryList(), before);
    EXPECT_TRUE(warnings.Texts.size() == 1);
}

TEST(ShellListCommands, AFolderThatCannotBeMadeIsReportedOncePerSeries)
{
    TTempTree tree;
    tree.File("file");
    TWarnings warnings;
    QString name;
    EXPECT_FALSE(CreateUniqueFolder(tree.Path("file"), name));
    // Each series ends on its own error and says so; no claim that a name exists follows.
    ASSERT_EQ(warnings.Texts.size(), 2);
    EXPECT_TRUE(warnings.Texts[0].startsWith("Unable to create the folder 'New Folder'\n\n"));
    EXPECT_TRUE(warnings.Texts[1].startsWith("Unable to create the folder 'fldr'\n\n"));
    EXPECT_NE(warnings.Texts[0].section("\n\n", 1), "");
    EXPECT_EQ(tree.List(), QStringList{"file"});
}

TEST(ShellListCommands, ANewFolderIsListedAndItsNameEdited)
{
    TTempTree tree;
    tree.Folder("New Folder");
    TShownList shown(tree.Path());
    TSpyShellList& list = shown.List;
    list.show();
    ASSERT_TRUE(list.CreateNewFolder(true));
    ASSERT_TRUE(pumpUntil([&] { return list.IsEditing(); }));
    ASSERT_TRUE(list.ItemFocused());
    EXPECT_EQ(list.GetItemData(list.ItemFocused()->Index())->GetFileName(), "New Folder (2)");
    EXPECT_TRUE(QFileInfo(tree.Path("New Folder (2)")).isDir());

    // Computer has no folder to make one in.
    TShownList computer("");
    computer.List.Folder()->SetSpecialFolder(csidlDrives);
    EXPECT_FALSE(computer.List.CreateNewFolder(true));
    EXPECT_FALSE(computer.List.IgnoreNextChange());
}

TEST(ShellListCommands, RenamingNeverReplacesAnotherEntry)
{
    TTempTree tree;
    tree.File("a.txt", "A");
    tree.File("b.txt", "B");
    TShownList shown(tree.Path());
    TSpyShellList& list = shown.List;
    TListItem* a = list.Item(RowOf(list, "a.txt"));

    QString name = "b.txt";
    list.Edited(*a, name);
    EXPECT_EQ(tree.Read("a.txt"), "A");
    EXPECT_EQ(tree.Read("b.txt"), "B");
    EXPECT_EQ(list.GetItemData(a->Index())->GetFileName(), "a.txt");
    // The refused rename leaves no notice to be swallowed.
    EXPECT_FALSE(list.IgnoreNextChange());

    name = "c.txt";
    list.Edited(*a, name);
    EXPECT_EQ(tree.List(), QStringList({"b.txt", "c.txt"}));
    EXPECT_EQ(list.GetItemData(a->Index())->GetFileName(), "c.txt");
    EXPECT_EQ(a->Caption(), "c.txt");
    EXPECT_TRUE(list.IgnoreNextChange());
}

TEST(ShellListCommands, TheDefaultKeysRunTheirCommandsAndAreConsumed)
{
    TTempTree tree;
    tree.File("a.txt");
    tree.File("b.txt");
    TShownList shown(tree.Path());
    TSpyShellList& list = shown.List;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString verb; // empty: none
    } cases[] = {
        {Qt::Key_C, Qt::ControlModifier, "selection copy"},
        {Qt::Key_X, Qt::ControlModifier, "selection cut"},
        {Qt::Key_V, Qt::ControlModifier, "folder paste"},
        {Qt::Key_Delete, Qt::NoModifier, "selection delete"},
        {Qt::Key_Delete, Qt::ShiftModifier, "selection delete"},
    };
    for (const auto& c : cases) {
        list.Verbs.clear();
        QKeyEvent key = Key(c.key, c.modifiers);
        EXPECT_TRUE(list.DefaultKeyDown(key)) << c.verb.toStdString();
        EXPECT_EQ(list.Verbs, QStringList{c.verb});
    }

    // The keys reach the list through its view, which never sees the consumed ones.
    list.Verbs.clear();
    QKeyEvent copy = Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::sendEvent(list.ReportView(), &copy));
    EXPECT_EQ(list.Verbs, QStringList{"selection copy"});

    // Keys of no command pass on; no command runs while a caption is edited or without the option.
    QKeyEvent other = Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(list.DefaultKeyDown(other));
    list.SetOptions(list.Options() & ~ptsloDefaultKeyHandling);
    QKeyEvent del = Key(Qt::Key_Delete);
    EXPECT_FALSE(list.DefaultKeyDown(del));
    list.SetOptions(list.Options() | ptsloDefaultKeyHandling);

    // Ctrl+A selects all; F5 fills again, which loses the selection.
    QKeyEvent all = Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(list.DefaultKeyDown(all));
    EXPECT_EQ(list.SelCount(), 2);
    QKeyEvent f5 = Key(Qt::Key_F5);
    EXPECT_TRUE(list.DefaultKeyDown(f5));
    EXPECT_EQ(list.SelCount(), 0);
    EXPECT_EQ(list.Count(), 2);

    // F2 edits the focused row's caption.
    list.show();
    shown.Select("a.txt");
    QKeyEvent f2 = Key(Qt::Key_F2);
    EXPECT_TRUE(list.DefaultKeyDown(f2));
    EXPECT_TRUE(list.IsEditing());
}

TEST(ShellListCommands, BackspaceGoesUpButNotAboveTheDesktop)
{
    TTempTree tree;
    tree.Folder("sub/deeper");
    TShownList shown(tree.Path("sub/deeper"));
    TSpyShellList& list = shown.List;
    QKeyEvent back = Key(Qt::Key_Backspace);
    EXPECT_TRUE(list.DefaultKeyDown(back));
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path("sub"));
    list.GoUp(1);
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path());

    // The desktop stays where it is.
    list.Folder()->Clear();
    EXPECT_TRUE(list.DefaultKeyDown(back));
    EXPECT_EQ(list.Folder()->GetPidl(), nullptr);

    // A list that may not change its folder stays too.
    list.Folder()->SetPath(tree.Path("sub"));
    list.SetOptions(list.Options() | ptsloDontChangeFolder);
    list.GoUp(1);
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path("sub"));
}

TEST(ShellListCommands, OpeningEntersFoldersAndLinksAndRunsTheRest)
{
    TTempTree tree;
    tree.Folder("folder/inner");
    tree.Folder("target");
    tree.File("target/t.txt");
    tree.Link("link", tree.Path("target"));
    tree.File("file.txt");
    TLaunchRecorder launcher;
    TShownList shown(tree.Path());
    TSpyShellList& list = shown.List;
    int opens = 0;
    bool handle = true;
    list.OnDblClickOpen = [&](TObject*, bool& Handled) {
        ++opens;
        Handled = handle;
    };

    shown.Select("folder");
    list.OpenSelection();
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path("folder"));
    EXPECT_EQ(list.GetItemData(0)->GetFileName(), "inner");

    list.Folder()->SetPath(tree.Path());
    shown.Select("link");
    list.OpenSelection();
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path("target"));

    // A file: OnDblClickOpen first; unhandled, the default command opens it.
    list.Folder()->SetPath(tree.Path());
    shown.Select("file.txt");
    list.OpenSelection();
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(launcher.launches.empty());
    handle = false;
    QKeyEvent enter = Key(Qt::Key_Return);
    EXPECT_TRUE(list.DefaultKeyDown(enter));
    EXPECT_EQ(opens, 2);
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].Url.toLocalFile(), tree.Path("file.txt"));

    // A list that may not change its folder stays.
    list.SetOptions(list.Options() | ptsloDontChangeFolder);
    shown.Select("folder");
    list.OpenSelection();
    EXPECT_EQ(list.Folder()->GetPath(), tree.Path());
}

TEST(ShellListCommands, TheSelectionMenuRenamesInPlaceAndWaitsWithChanges)
{
    TTempTree tree;
    tree.File("a.txt");
    TShownList shown(tree.Path());
    TSpyShellList& list = shown.List;
    list.show();
    shown.Select("a.txt");
    // A refresh asked for while the menu is up runs when it closes.
    bool refreshPendingInMenu = false;
    TScriptedMenus menus;
    menus.Then([&](const TMenuModel&) -> unsigned {
        list.Refresh();
        refreshPendingInMenu = list.RefreshPending();
        return 0;
    });
    list.ShowItemMenuAt(list.ItemIconRect(list.Item(0)).center());
    EXPECT_TRUE(refreshPendingInMenu);
    EXPECT_FALSE(list.RefreshPending());

    // Read-only: no rename offered.
    list.SetReadOnly(true);
    menus.Then([&](const TMenuModel& Menu) -> unsigned {
        EXPECT_FALSE(Menu.Find(ShellCommandFirstId + RenameCommandOffset));
        return 0;
    });
    list.ShowItemMenuAt(list.ItemIconRect(list.Item(0)).center());
    list.SetReadOnly(false);

    menus.Then(ChooseMenuItem("Rename"));
    list.ShowItemMenuAt(list.ItemIconRect(list.Item(0)).center());
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(menus.Shown().size(), 3u);
}
