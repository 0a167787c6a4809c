// TPTShellTree over temporary folders: filling as nodes open, selecting folders, refreshing after
// changes on disk, the link to a shell list, renaming, new folders, the keys and the menu.
#include "shell/shell_tree.h"

#include "shell/items_context_menu.h"

#include "platform/rtl/exception.h"
#include "platform/ui/beep.h"

#include "shell/failing_folder.h"
#include "support/pump.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace win;

namespace {

// Records the verbs instead of running them, and opens what the tests drive.
class TSpyShellTree : public TPTShellTree {
public:
    using TPTCustomShellTree::ChangeNotice;
    using TPTCustomShellTree::DefaultKeyDown;
    using TPTCustomShellTree::Edited;
    using TPTCustomShellTree::FillNode;

    HRESULT InvokeNodeVerb(TTreeNode* Node, const TShellVerb& Verb) override
    {
        Verbs.append(Node ? Node->Text() + " " + Verb.Text : Verb.Text);
        return S_OK;
    }

    QStringList Verbs;
};

// A created tree below Base, with its fills and refreshes counted.
struct TShownTree {
    TSpyShellTree Tree;
    int Fills = 0;
    explicit TShownTree(const QString& Base, TPTShellTreeOptions Options = TPTCustomShellTree::DefaultOptions)
    {
        Tree.SetOptions(Options);
        Tree.SetChangeDelays(30, 30);
        Tree.SetNavigationDelay(30);
        Tree.SetNewFolderWaits(0, 0);
        Tree.HasFocus = [] { return true; };
        Tree.OnFillStart = [this](TObject*) { ++Fills; };
        Tree.BaseFolder()->SetPath(Base);
        Tree.CreateWnd();
        Tree.FillRoot();
    }
    TTreeNode* Top() const { return Tree.TopItem(0); }
};

QStringList Texts(TTreeNode* Node)
{
    QStringList texts;
    for (int index = 0; index < Node->Count(); ++index)
        texts.append(Node->Item(index)->Text());
    return texts;
}

TTreeNode* Child(TTreeNode* Node, const QString& Text)
{
    for (int index = 0; Node && index < Node->Count(); ++index) {
        if (Node->Item(index)->Text() == Text)
            return Node->Item(index);
    }
    return nullptr;
}

QKeyEvent Key(int Code, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, Code, Modifiers);
}

// Counts the beeps while it lives.
struct TBeeps {
    int Count = 0;
    std::function<void()> Previous = SetMessageBeep([this] { ++Count; });
    ~TBeeps() { SetMessageBeep(Previous); }
};

} // namespace

TEST(ShellTree, NodesFillWhenTheyOpenWithFilesAndHiddenFoldersOnRequest)
{
    TTempTree temp;
    temp.Folder("base/b");
    temp.Folder("base/A/inner");
    temp.Folder("base/.hid");
    temp.File("base/file.txt");
    temp.Folder("base/onlyhidden/.secret");
    const QString base = temp.Path("base");
    const struct {
        TPTShellTreeOptions options;
        QStringList top;
    } cases[] = {
        {TPTCustomShellTree::DefaultOptions, {".hid", "A", "b", "onlyhidden"}},
        {TPTCustomShellTree::DefaultOptions & ~ptstoShowHidden, {"A", "b", "onlyhidden"}},
        {TPTCustomShellTree::DefaultOptions | ptstoIncludeNonFolders, {".hid", "A", "b", "onlyhidden", "file.txt"}},
    };
    for (const auto& c : cases) {
        TShownTree shown(base, c.options);
        ASSERT_EQ(shown.Tree.TopCount(), 1);
        EXPECT_EQ(shown.Top()->Text(), "base");
        EXPECT_EQ(Texts(shown.Top()), c.top);
        EXPECT_EQ(shown.Tree.GetSelectedPath(), base);
        // Nodes below are filled only when they open.
        TTreeNode* a = Child(shown.Top(), "A");
        EXPECT_TRUE(a->HasChildren());
        EXPECT_EQ(a->Count(), 0);
        a->SetExpanded(true);
        EXPECT_EQ(Texts(a), QStringList{"inner"});
        // An empty folder has a button only where files are shown too.
        EXPECT_EQ(Child(shown.Top(), "b")->HasChildren(), bool(c.options & ptstoIncludeNonFolders));
    }

    // Hidden folders left out: a folder holding only those loses its button when it opens.
    TShownTree shown(base, TPTCustomShellTree::DefaultOptions & ~ptstoShowHidden);
    TTreeNode* onlyHidden = Child(shown.Top(), "onlyhidden");
    onlyHidden->SetExpanded(true);
    EXPECT_EQ(onlyHidden->Count(), 0);
    EXPECT_FALSE(onlyHidden->HasChildren());
}

// The desktop is the root whether or not its folder exists in the home folder.
TEST(ShellTree, TheDesktopRootIsNamedWithOrWithoutItsFolder)
{
    for (const bool withFolder : {true, false}) {
        SCOPED_TRACE(withFolder);
        TTempTree temp;
        temp.Folder("home/work");
        if (withFolder)
            temp.Folder("home/Desktop");
        THomeScope home(temp.Path("home"));
        TSpyShellTree tree;
        tree.CreateWnd();
        tree.FillRoot();
        ASSERT_EQ(tree.TopCount(), 1);
        EXPECT_EQ(tree.TopItem(0)->Text(), "Desktop");
        EXPECT_EQ(Texts(tree.TopItem(0)), (QStringList{"Home", "Computer"}));
    }
}

TEST(ShellTree, AnUnreadableFolderKeepsItsButtonAndRaisesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    TTempTree temp;
    temp.Folder("base/locked/inner");
    TShownTree shown(temp.Path("base"));
    ASSERT_EQ(::chmod(QFile::encodeName(temp.Path("base/locked")).constData(), 0), 0);
    TTreeNode* locked = Child(shown.Top(), "locked");
    locked->SetExpanded(true);
    EXPECT_EQ(locked->Count(), 0);
    EXPECT_TRUE(locked->HasChildren());
    ::chmod(QFile::encodeName(temp.Path("base/locked")).constData(), 0755);
}

TEST(ShellTree, AFolderThatCannotBeListedKeepsItsButtonAndOtherErrorsRaise)
{
    TTempTree temp;
    temp.Folder("base/a/inner");
    TShownTree shown(temp.Path("base"));
    TTreeNode* a = Child(shown.Top(), "a");
    const HRESULT denied = HRESULT_FROM_WIN32(5);

    // Not listed at all: the button stays and nothing is said.
    const Ref<IShellFolder> unlisted(new TFailingFolder(S_FALSE, denied));
    EXPECT_FALSE(shown.Tree.FillNode(unlisted.get(), a));
    EXPECT_TRUE(a->HasChildren());

    // Stopped with E_FAIL: what came is shown, silently.
    const Ref<IShellFolder> stopped(new TFailingFolder(E_FAIL));
    EXPECT_TRUE(shown.Tree.FillNode(stopped.get(), a));
    EXPECT_EQ(a->Count(), 1);

    // Any other code raises its text.
    const Ref<IShellFolder> failing(new TFailingFolder(denied));
    try {
        shown.Tree.FillNode(failing.get(), a);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, SystemMessage(denied));
    }
}

TEST(ShellTree, SelectingAFolderOpensEachAncestorAndAnUnreachableOneBeeps)
{
    TTempTree temp;
    temp.Folder("base/a/b/c");
    temp.Folder("base/x/gone");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;

    tree.SetFolderPath(temp.Path("base/a/b/c"));
    ASSERT_TRUE(tree.Selected());
    EXPECT_EQ(tree.GetSelectedPath(), temp.Path("base/a/b/c"));
    EXPECT_TRUE(Child(shown.Top(), "a")->Expanded());
    EXPECT_TRUE(Child(Child(shown.Top(), "a"), "b")->Expanded());

    // The base itself, and the desktop, select the top node.
    tree.SetFolderPath(temp.Path("base"));
    EXPECT_EQ(tree.Selected(), shown.Top());
    tree.Folder()->Clear();
    EXPECT_EQ(tree.Selected(), shown.Top());

    // A folder that went before its parent was opened: the walk stops there with one beep.
    TPTShellLocator gone;
    gone.SetPath(temp.Path("base/x/gone"));
    ASSERT_TRUE(QDir(temp.Path("base/x")).rmdir("gone"));
    TBeeps beeps;
    tree.SetFolderPidl(gone.GetPidl());
    EXPECT_EQ(beeps.Count, 1);
    EXPECT_EQ(tree.GetSelectedPath(), temp.Path("base/x"));
}

TEST(ShellTree, NoticesWithinThePauseGiveOneRefreshAndOwnChangesNone)
{
    TTempTree temp;
    temp.Folder("base/old");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;

    // Two notices in a row restart one pause: one refresh.
    const int fills = shown.Fills;
    tree.ChangeNotice();
    tree.ChangeNotice();
    ASSERT_TRUE(pumpUntil([&] { return shown.Fills > fills; }));
    EXPECT_EQ(shown.Fills, fills + 1);

    // Changes on disk reach the tree through its watcher.
    temp.Folder("base/new");
    ASSERT_TRUE(QDir(temp.Path("base")).rmdir("old"));
    ASSERT_TRUE(pumpUntil([&] { return Texts(shown.Top()) == QStringList{"new"}; }));

    // The tree's own rename is no change to refresh for.
    const int before = shown.Fills;
    QString name = "renamed";
    tree.Edited(*Child(shown.Top(), "new"), name);
    EXPECT_EQ(Texts(shown.Top()), QStringList{"renamed"});
    EXPECT_TRUE(QFileInfo(temp.Path("base/renamed")).isDir());
    ASSERT_TRUE(pumpUntil([&] { return !tree.IgnoreNextChange(); }));
    EXPECT_EQ(shown.Fills, before);
}

TEST(ShellTree, DeletingTheSelectedFolderOutsideSelectsItsParent)
{
    TTempTree temp;
    temp.Folder("base/a/b");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;
    tree.SetFolderPath(temp.Path("base/a/b"));
    ASSERT_TRUE(QDir(temp.Path("base/a")).rmdir("b"));
    tree.Refresh();
    EXPECT_EQ(tree.GetSelectedPath(), temp.Path("base/a"));
    EXPECT_EQ(tree.Folder()->GetPath(), temp.Path("base/a"));
}

TEST(ShellTree, ARefreshAskedForWhileTheMenuIsUpRunsAfterIt)
{
    TTempTree temp;
    temp.Folder("base/a");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;
    TTreeNode* a = Child(shown.Top(), "a");
    bool pendingInMenu = false;
    QString menuText;
    TScriptedMenus menus;
    menus.Then([&](const TMenuModel& Menu) -> unsigned {
        menuText = DescribeMenu(Menu);
        tree.Refresh();
        pendingInMenu = tree.RefreshPending();
        return 0;
    });
    tree.ShowNodeMenuAt(a, tree.visualRect(tree.IndexOfNode(a)).center());
    EXPECT_TRUE(pendingInMenu);
    EXPECT_FALSE(tree.RefreshPending());
    EXPECT_TRUE(menuText.contains("Rename")) << menuText.toStdString();
    EXPECT_TRUE(menuText.contains("Send To")) << menuText.toStdString();

    // A command runs and the tree shows what it did.
    menus.Then(ChooseMenuItem("Create Link"));
    tree.ShowNodeMenuAt(a, tree.visualRect(tree.IndexOfNode(a)).center());
    EXPECT_EQ(Texts(shown.Top()), QStringList({"a", "Link to a"}));

    // Rename from the menu edits the label; a notice meanwhile waits until the editor is gone,
    // even when the edit is cancelled.
    tree.show();
    menus.Then(ChooseMenuItem("Rename"));
    tree.ShowNodeMenuAt(a, tree.visualRect(tree.IndexOfNode(a)).center());
    ASSERT_TRUE(tree.IsEditing());
    const int fills = shown.Fills;
    tree.ChangeNotice();
    EXPECT_TRUE(tree.RefreshPending());
    auto* editor = tree.viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(pumpUntil([&] { return !tree.RefreshPending(); }));
    EXPECT_EQ(shown.Fills, fills + 1);
}

TEST(ShellTree, ALinkedListFollowsClicksAtOnceAndKeyboardBrowsingAfterAPause)
{
    TTempTree temp;
    temp.Folder("base/a");
    temp.Folder("base/b");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;
    TPTShellList list;
    list.CreateWnd();
    tree.SetShellList(&list);
    tree.resize(300, 300);
    tree.show();
    EXPECT_EQ(list.Folder()->GetPath(), temp.Path("base"));

    TTreeNode* a = Child(shown.Top(), "a");
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(tree.IndexOfNode(a)).center());
    EXPECT_EQ(list.Folder()->GetPath(), temp.Path("base/a"));
    // A right click (the menu's) leaves the selection where it is.
    TTreeNode* b = Child(shown.Top(), "b");
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualRect(tree.IndexOfNode(b)).center());
    EXPECT_EQ(tree.Selected(), a);

    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.GetSelectedPath(), temp.Path("base/b"));
    EXPECT_EQ(list.Folder()->GetPath(), temp.Path("base/a"));
    ASSERT_TRUE(pumpUntil([&] { return list.Folder()->GetPath() == temp.Path("base/b"); }));

    // Renaming the folder shown moves the list along.
    QString name = "bee";
    tree.Edited(*tree.Selected(), name);
    EXPECT_EQ(tree.Folder()->GetPath(), temp.Path("base/bee"));
    EXPECT_EQ(list.Folder()->GetPath(), temp.Path("base/bee"));

    // A refused rename keeps the label.
    name = "a";
    tree.Edited(*tree.Selected(), name);
    EXPECT_EQ(tree.Selected()->Text(), "bee");
    EXPECT_FALSE(tree.IgnoreNextChange());

    // The list going up goes through the tree.
    list.GoUp(1);
    EXPECT_EQ(tree.Selected(), shown.Top());
    EXPECT_EQ(list.Folder()->GetPath(), temp.Path("base"));
    tree.SetShellList(nullptr);
}

TEST(ShellTree, NewFoldersTakeAFreeNameAndTheirLabelIsEdited)
{
    TTempTree temp;
    temp.Folder("base/New Folder");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;
    tree.show();
    ASSERT_TRUE(tree.CreateNewFolder());
    EXPECT_TRUE(QFileInfo(temp.Path("base/New Folder (2)")).isDir());
    EXPECT_EQ(Texts(shown.Top()), QStringList({"New Folder", "New Folder (2)"}));
    EXPECT_TRUE(tree.IsEditing());
    EXPECT_EQ(tree.currentIndex(), tree.IndexOfNode(Child(shown.Top(), "New Folder (2)")));
}

TEST(ShellTree, TheDefaultKeysRunTheirVerbsAndAreConsumed)
{
    TTempTree temp;
    temp.Folder("base/a");
    TShownTree shown(temp.Path("base"));
    TSpyShellTree& tree = shown.Tree;
    tree.SetSelected(Child(shown.Top(), "a"));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString verb;
    } cases[] = {
        {Qt::Key_X, Qt::ControlModifier, "a cut"},
        {Qt::Key_C, Qt::ControlModifier, "a copy"},
        {Qt::Key_V, Qt::ControlModifier, "a paste"},
        {Qt::Key_Delete, Qt::NoModifier, "a delete"},
        {Qt::Key_Delete, Qt::ShiftModifier, "a delete"},
    };
    for (const auto& c : cases) {
        tree.Verbs.clear();
        QKeyEvent key = Key(c.key, c.modifiers);
        EXPECT_TRUE(tree.DefaultKeyDown(key)) << c.verb.toStdString();
        EXPECT_EQ(tree.Verbs, QStringList{c.verb});
    }
    QKeyEvent other = Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(tree.DefaultKeyDown(other));

    // F5 finds a new folder; F2 edits the selected label.
    temp.Folder("base/b");
    QKeyEvent f5 = Key(Qt::Key_F5);
    EXPECT_TRUE(tree.DefaultKeyDown(f5));
    EXPECT_EQ(Texts(shown.Top()), QStringList({"a", "b"}));
    tree.show();
    QKeyEvent f2 = Key(Qt::Key_F2);
    EXPECT_TRUE(tree.DefaultKeyDown(f2));
    EXPECT_TRUE(tree.IsEditing());
}
