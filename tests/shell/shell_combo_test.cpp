// TPTShellCombo over a mount table of the test's own: the entries from the desktop down to the
// current folder, going up, the links to a tree or a list, and the page dialog's combo and list.
#include "shell/shell_combo.h"

#include "shell/pidl_routines.h"

#include "platform/rtl/exception.h"
#include "platform/shellapi/file_info.h"

#include "shell/shell_list_rows.h"
#include "support/qt_printers.h"
#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

// Opens what the tests drive.
class TTestCombo : public TPTShellCombo {
public:
    using TPTCustomShellCombo::SortPidls;

    // "<indent> <caption>" of every entry, captions filled as drawing fills them.
    QStringList Entries()
    {
        QStringList entries;
        for (int index = 0; index < count(); ++index) {
            TPTImageComboItem* item = GetComboItem(index);
            GetItemData(item);
            entries.append(QString::number(item->Indent) + ' ' + item->Caption());
        }
        return entries;
    }
    QString Selected()
    {
        const QStringList entries = Entries();
        return currentIndex() < 0 ? QString() : entries[currentIndex()];
    }
    // Picks entry Index as the user does.
    void Pick(int Index)
    {
        setCurrentIndex(Index);
        activated(Index);
    }
};

// Home, "/" and a second volume on a temporary folder; the combo is created.
class ShellCombo : public ::testing::Test {
protected:
    ShellCombo()
    {
        tree.Folder("home");
        tree.Folder("vol/a/.cfg/deep");
        combo.CreateWnd();
    }
    QString Vol(const QString& Relative = {}) const { return tree.Path(Relative.isEmpty() ? "vol" : "vol/" + Relative); }

    TTempTree tree;
    THomeScope home{tree.Path("home")};
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1") +
                                                     MountLine(2, tree.Path("vol").toUtf8(), "xfs", "/dev/sdb1")};
    TTestCombo combo;
};

// A folder whose order asks the combo to sort again while it sorts.
class TReentrantFolder final : public TRefCounted<IShellFolder> {
public:
    HRESULT ParseDisplayName(HWND, const QString&, LPITEMIDLIST*, ULONG*) override { return E_NOTIMPL; }
    HRESULT EnumObjects(HWND, DWORD, Ref<IEnumIDList>*) override { return E_NOTIMPL; }
    HRESULT BindToObject(LPCITEMIDLIST, Ref<IShellFolder>*) override { return E_NOTIMPL; }
    HRESULT CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override
    {
        QList<LPITEMIDLIST> none;
        TTestCombo::SortPidls(this, none);
        return S_OK;
    }
    HRESULT GetAttributesOf(std::span<const LPCITEMIDLIST>, ULONG*) override { return E_NOTIMPL; }
    HRESULT GetDisplayNameOf(LPCITEMIDLIST, DWORD, QString*) override { return E_NOTIMPL; }
    HRESULT SetNameOf(HWND, LPCITEMIDLIST, const QString&, DWORD, LPITEMIDLIST*) override { return E_NOTIMPL; }
    HRESULT GetUIObjectOf(HWND, std::span<const LPCITEMIDLIST>, TUIObject, void**) override { return E_NOTIMPL; }
};

} // namespace

TEST_F(ShellCombo, ShowsTheDesktopComputerTheVolumesAndTheChainOfTheCurrentFolder)
{
    combo.GetFolder()->SetPath(Vol("a/.cfg/deep"));
    EXPECT_EQ(combo.Entries(), (QStringList{"0 Desktop", "1 Home", "1 Computer", "2 File System", "2 vol", "3 a",
                                            "4 .cfg", "5 deep"}));
    EXPECT_EQ(combo.currentIndex(), 7);
    LPITEMIDLIST deep = nullptr;
    ASSERT_EQ(PathToPidl(Vol("a/.cfg/deep"), deep), S_OK);
    const TPidl owned(deep);
    EXPECT_EQ(combo.GetComboItem(7)->ImageIndex(), GetPidlIconIndex(deep, SHGFI_SMALLICON | SHGFI_OPENICON));
    EXPECT_EQ(ComparePidls(combo.EntryData(7)->AbsolutePidl(), deep), 0);

    // The desktop: its children and the volumes, the desktop's entry selected.
    combo.GetFolder()->Clear();
    EXPECT_EQ(combo.Entries(), (QStringList{"0 Desktop", "1 Home", "1 Computer", "2 File System", "2 vol"}));
    EXPECT_EQ(combo.currentIndex(), 0);

    // A volume itself is the current folder, drawn open.
    combo.GetFolder()->SetPath(Vol());
    EXPECT_EQ(combo.Selected(), "2 vol");
}

TEST_F(ShellCombo, PickingAndGoingUpMoveTheLinkedTreeOnce)
{
    TPTShellTree shellTree;
    shellTree.SetNavigationDelay(0);
    shellTree.CreateWnd();
    shellTree.FillRoot();
    combo.SetShellTree(&shellTree);
    EXPECT_EQ(shellTree.ShellCombo(), static_cast<TPTShellTreeCombo*>(&combo));
    int treeMoves = 0;
    const TNotifyEvent previous = shellTree.Folder()->OnChange;
    shellTree.Folder()->OnChange = [&](TObject* Sender) {
        ++treeMoves;
        previous(Sender);
    };

    combo.GetFolder()->SetPath(Vol("a/.cfg/deep"));
    EXPECT_EQ(shellTree.GetSelectedPath(), Vol("a/.cfg/deep"));
    EXPECT_EQ(treeMoves, 1);

    combo.GoUp(1);
    EXPECT_EQ(combo.Selected(), "4 .cfg");
    EXPECT_EQ(shellTree.GetSelectedPath(), Vol("a/.cfg"));
    EXPECT_EQ(treeMoves, 2);

    // Picking the volume's entry; the tree moving by itself moves the combo.
    combo.Pick(combo.Entries().indexOf("2 vol"));
    EXPECT_EQ(shellTree.GetSelectedPath(), Vol());
    EXPECT_EQ(combo.Entries().size(), 5);
    shellTree.SetFolderPath(Vol("a"));
    EXPECT_EQ(combo.Selected(), "3 a");

    // A list is not linked while a tree is.
    TPTShellList list;
    combo.SetShellList(&list);
    EXPECT_EQ(combo.ShellList(), nullptr);
    EXPECT_EQ(combo.ShellTree(), &shellTree);

    // Going up from the desktop changes nothing.
    combo.GetFolder()->Clear();
    const int moves = treeMoves;
    combo.GoUp(1);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(treeMoves, moves);
    combo.SetShellTree(nullptr);
    EXPECT_EQ(shellTree.ShellCombo(), nullptr);
}

TEST_F(ShellCombo, ASortStartedWhileOneRunsRaisesAndEntriesFreeTheirData)
{
    Ref<IShellFolder> folder(new TReentrantFolder);
    QList<LPITEMIDLIST> two{ItemListFromBytes(QByteArray("\x04\x00xy", 4)), ItemListFromBytes(QByteArray("\x04\x00zz", 4))};
    try {
        TTestCombo::SortPidls(folder.get(), two);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Recursive call to SortPidls");
    }
    // The sort after it runs.
    Ref<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    EXPECT_NO_THROW(TTestCombo::SortPidls(desktop.get(), two));
    for (LPITEMIDLIST item : two)
        ShellFree(item);

    // Every entry that goes tells of its item once; ASan sees its data freed.
    combo.GetFolder()->SetPath(Vol("a"));
    int deleted = 0;
    combo.OnDeleteItem = [&](TObject*, TPTImageComboItem* Item) {
        EXPECT_NE(Item->Data, nullptr);
        ++deleted;
    };
    const int entries = combo.count();
    combo.DestroyWnd();
    EXPECT_EQ(deleted, entries);
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(ShellCombo, ThePageDialogsComboAndListShowFoldersAndPicturesAndGoUpTogether)
{
    tree.File("vol/a/photo.JPG");
    tree.File("vol/a/logo.gif");
    tree.File("vol/a/notes.txt");
    tree.File("vol/a/shortcut.lnk");
    tree.Folder("vol/a/pics.png");
    TPTShellList list;
    list.SetFileFilter("*.gif;*.jpg;*.png");
    list.CreateWnd();
    combo.SetShellList(&list);
    list.Folder()->SetPath(Vol("a"));
    EXPECT_EQ(combo.Selected(), "3 a");

    QStringList pictures;
    QStringList others;
    for (int index = 0; index < list.Count(); ++index) {
        TPTShListData* data = list.GetItemData(index);
        (data->IsFileSystem() && !data->IsFolder() && !data->IsLink() ? pictures : others).append(data->GetFileName());
    }
    pictures.sort();
    others.sort();
    EXPECT_EQ(pictures, (QStringList{"logo.gif", "photo.JPG"}));
    EXPECT_EQ(others, (QStringList{".cfg", "pics.png"}));
    // Without the filter a link shows too, and is no picture.
    list.SetFileFilter("");
    TPTShListData* link = list.GetItemData(RowOf(list, "shortcut.lnk"));
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->IsLink());

    combo.GoUp(1);
    EXPECT_EQ(combo.Selected(), "2 vol");
    EXPECT_EQ(list.Folder()->GetPath(), Vol());
}
