// TPTShellList over temporary folders: filling, hidden entries, the file filter, admission,
// refreshing after changes on disk, busy lists, enumeration errors and device changes.
#include "shell/shell_list.h"

#include "shell/device_change_handler.h"

#include "platform/rtl/exception.h"
#include "platform/shellapi/volumes.h"

#include "shell/failing_folder.h"
#include "shell/shell_list_rows.h"
#include "support/pump.h"
#include "support/temp_tree.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Opens what the tests drive directly.
class TTestShellList : public TPTShellList {
public:
    using TPTCustomShellList::DeviceChange;
    using TPTCustomShellList::FillList;
};

// A list created and showing Folder, with fills counted.
struct TShownList {
    TTestShellList List;
    int Fills = 0;
    explicit TShownList(const QString& Folder, TPTShellListOptions Options = TPTCustomShellList::DefaultOptions)
    {
        List.SetOptions(Options);
        List.SetChangeDelays(20, 20);
        List.OnFillStart = [this](TObject*) { ++Fills; };
        List.CreateWnd();
        List.Folder()->SetPath(Folder);
    }
};

} // namespace

TEST(ShellList, FillsFilesAndFoldersWithHiddenEntriesCutAndShownOnlyOnRequest)
{
    TTempTree tree;
    tree.File("b.txt");
    tree.File(".hidden");
    tree.Folder("a");
    TShownList shown(tree.Path());
    TTestShellList& list = shown.List;
    EXPECT_EQ(Names(list), (QStringList{".hidden", "a", "b.txt"}));
    EXPECT_TRUE(list.Item(RowOf(list, ".hidden"))->Cut());
    EXPECT_FALSE(list.Item(RowOf(list, "b.txt"))->Cut());
    EXPECT_TRUE(list.GetItemData(RowOf(list, "a"))->IsFolder());
    EXPECT_TRUE(list.Item(0)->Focused());

    list.SetOptions(list.Options() & ~ptsloShowHidden);
    EXPECT_EQ(Names(list), (QStringList{"a", "b.txt"}));
    list.SetOptions(list.Options() | ptsloShowHidden);
    EXPECT_EQ(Names(list), (QStringList{".hidden", "a", "b.txt"}));
}

TEST(ShellList, FileFilterShowsFoldersAndTheMatchingFiles)
{
    TTempTree tree;
    for (const char* name : {"A.GIF", "b.jpg", "c.png", "x.txt", "xy.txt"})
        tree.File(name);
    tree.Folder("sub.png");
    const QStringList all{"A.GIF", "b.jpg", "c.png", "sub.png", "x.txt", "xy.txt"};
    const struct {
        QString Filter;
        QStringList Expected;
    } cases[] = {
        {"", all},
        {"*", all},
        {"*.*", all},
        {"*.gif;*.jpg", {"A.GIF", "b.jpg", "sub.png"}},
        {";;*.gif;", {"A.GIF", "sub.png"}},
        {"?.txt", {"sub.png", "x.txt"}},
        {"../*", {"sub.png"}},
    };
    TShownList shown(tree.Path());
    for (const auto& c : cases) {
        shown.List.SetFileFilter(c.Filter);
        shown.List.Fill();
        EXPECT_EQ(Names(shown.List), c.Expected) << c.Filter.toStdString();
    }
}

TEST(ShellList, AVirtualFolderIsNeverFiltered)
{
    TShownList shown({});
    shown.List.Folder()->SetSpecialFolder(csidlDrives);
    const int rows = shown.List.Count();
    ASSERT_GT(rows, 0);
    shown.List.SetFileFilter(QStringLiteral("*.none"));
    EXPECT_EQ(shown.List.Count(), rows);
}

TEST(ShellList, LinkedTreeHidesFileSystemFoldersAndOnAddItemVetoes)
{
    struct TTree : TPTShellListPartner {
        void ShowPidl(win::LPCITEMIDLIST) override {}
        void FlushPendingChanges() override {}
        void GoUp(int) override {}
    } tree;
    TTempTree temp;
    temp.File("keep.txt");
    temp.File("veto.txt");
    temp.Folder("folder");
    TShownList shown(temp.Path(), TPTCustomShellList::DefaultOptions | ptsloHideFoldersWhenLinkedToTree);
    EXPECT_EQ(Names(shown.List), (QStringList{"folder", "keep.txt", "veto.txt"}));
    shown.List.SetShellTree(&tree);
    shown.List.OnAddItem = [](TObject*, win::IShellFolder* Folder, win::LPCITEMIDLIST, win::LPCITEMIDLIST Item,
                              win::ULONG, bool& Allow) {
        QString name;
        Folder->GetDisplayNameOf(Item, win::SHGDN_INFOLDER, &name);
        Allow = name != QLatin1String("veto.txt");
    };
    shown.List.Fill();
    EXPECT_EQ(Names(shown.List), QStringList{"keep.txt"});
}

TEST(ShellList, ChangesOnDiskRefreshOnlyTheRowsConcerned)
{
    TTempTree tree;
    tree.File("stays.txt");
    tree.File("goes.txt");
    tree.File("grows.txt", "1");
    QStringList deleted;
    TShownList shown(tree.Path());
    TTestShellList& list = shown.List;
    list.OnDeleteItem = [&](TObject*, TListItem*, TPTShListData* Data) { deleted.append(Data->GetFileName()); };
    list.Item(RowOf(list, "stays.txt"))->SetSelected(true);
    list.Item(RowOf(list, "stays.txt"))->SetFocused(true);
    TPTShListData* stays = list.GetItemData(RowOf(list, "stays.txt"));
    EXPECT_EQ(list.GetItemData(RowOf(list, "grows.txt"))->GetSizeText(), "1KB");
    const int fills = shown.Fills;

    tree.File("new.txt");
    ASSERT_TRUE(QFile::remove(tree.Path("goes.txt")));
    ASSERT_TRUE(pumpUntil([&] { return shown.Fills > fills; }));
    EXPECT_EQ(Names(list), (QStringList{"grows.txt", "new.txt", "stays.txt"}));
    EXPECT_EQ(deleted, QStringList{"goes.txt"});
    EXPECT_EQ(list.GetItemData(RowOf(list, "stays.txt")), stays);
    EXPECT_TRUE(list.Item(RowOf(list, "stays.txt"))->Selected());

    // A size change is no name change: the next refresh finds the item changed and re-adds it.
    {
        QFile file(tree.Path("grows.txt"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(2000, 'x'));
    }
    list.Refresh();
    EXPECT_EQ(list.GetItemData(RowOf(list, "grows.txt"))->GetSizeText(), "2KB");
    EXPECT_TRUE(list.Item(RowOf(list, "stays.txt"))->Selected());
}

TEST(ShellList, ABurstOfChangesGivesOneRefreshAfterTheDelay)
{
    TTempTree tree;
    tree.File("first.txt");
    TShownList shown(tree.Path());
    shown.List.SetChangeDelays(150, 5000);
    shown.List.HasFocus = [] { return true; };
    const int fills = shown.Fills;
    for (const char* name : {"one", "two", "three"})
        tree.File(name);
    ASSERT_TRUE(pumpUntil([&] { return shown.List.Count() == 4; }));
    EXPECT_EQ(shown.Fills, fills + 1);
}

TEST(ShellList, ARefreshWhileBusyWaitsAndIsNeverLost)
{
    TTempTree tree;
    tree.File("a.txt");
    TShownList shown(tree.Path());
    shown.List.SetUpdateRunning(true);
    tree.File("b.txt");
    ASSERT_TRUE(pumpUntil([&] { return shown.List.RefreshPending(); }));
    EXPECT_EQ(shown.List.Count(), 1);
    shown.List.SetUpdateRunning(false);
    EXPECT_EQ(Names(shown.List), (QStringList{"a.txt", "b.txt"}));

    // The list's own change is ignored once; a real change after that refreshes.
    shown.List.SetIgnoreNextChange(true);
    tree.File("own.txt");
    ASSERT_TRUE(pumpUntil([&] { return !shown.List.IgnoreNextChange(); }));
    shown.List.FlushPendingChanges(false);
    EXPECT_EQ(shown.List.Count(), 2);
    tree.File("real.txt");
    ASSERT_TRUE(pumpUntil([&] { return shown.List.Count() == 4; }));
}

TEST(ShellList, AnUnreadableFolderGivesAnEmptyList)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    TTempTree tree;
    tree.File("locked/x");
    ASSERT_TRUE(QFile::setPermissions(tree.Path("locked"), {}));
    TShownList shown(tree.Path("locked"));
    EXPECT_EQ(shown.List.Count(), 0);
    QFile::setPermissions(tree.Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ShellList, EnumerationErrorsRaiseTheirTextAndKeepThePreviousFolder)
{
    TTempTree tree;
    TShownList shown(tree.Path());
    const QByteArray before(reinterpret_cast<const char*>(shown.List.FolderPidl()),
                            PidlSize(shown.List.FolderPidl()));
    win::LPITEMIDLIST other = nullptr;
    ASSERT_TRUE(win::SUCCEEDED(PathToPidl(QStringLiteral("/"), other)));
    const win::HRESULT denied = win::HRESULT_FROM_WIN32(5);
    win::Ref<win::IShellFolder> failing(new TFailingFolder(denied));
    try {
        shown.List.FillList(failing.get(), other);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, win::SystemMessage(denied));
    }
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(shown.List.FolderPidl()), PidlSize(shown.List.FolderPidl())),
              before);

    // E_FAIL ends the listing without a message, keeping what came.
    win::Ref<win::IShellFolder> silent(new TFailingFolder(win::E_FAIL));
    shown.List.FillList(silent.get(), other);
    EXPECT_EQ(shown.List.Count(), 1);
    ShellFree(other);
}

TEST(ShellList, ADeviceChangeRefillsComputerOnly)
{
    TTempTree tree;
    TShownList folder(tree.Path());
    TShownList computer({});
    computer.List.Folder()->SetSpecialFolder(csidlDrives);
    const int folderFills = folder.Fills, computerFills = computer.Fills;
    for (const win::WPARAM event : {win::DBT_DEVICEARRIVAL, win::WPARAM(0x0007), win::DBT_DEVICEREMOVECOMPLETE}) {
        win::TMessage message{TPTDeviceChangeHandler::WM_DEVICECHANGE_POSTED, event, 0, 0};
        folder.List.DeviceChange(*DeviceChangeHandler(), message);
        computer.List.DeviceChange(*DeviceChangeHandler(), message);
    }
    EXPECT_EQ(folder.Fills, folderFills);
    EXPECT_EQ(computer.Fills, computerFills + 2);
}
