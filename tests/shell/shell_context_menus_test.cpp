// The shell's context menus as the controls show them: verbs looked up and run, the selection's
// menu with rename and the shell's commands, hints, and the small routines around them.
#include "shell/items_context_menu.h"
#include "shell/shell_routines.h"
#include "shell/shell_verbs.h"

#include "shell/pidl_routines.h"

#include "platform/ole/cida.h"
#include "platform/shellapi/ref.h"
#include "platform/graphics/clipboard_format.h"
#include "platform/widgets/form.h"

#include "platform/fake_data_object.h"
#include "platform/shell_item_fixture.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace win;

namespace {

// A context menu of fixed commands that records what it is asked to run.
class TSpyContextMenu final : public TRefCounted<IContextMenu> {
public:
    HRESULT QueryContextMenu(TMenuModel& Menu, UINT Index, UINT IdFirst, UINT, UINT) override
    {
        for (const auto& [offset, verb] : commands_) {
            TMenuItem item;
            item.Id = IdFirst + offset;
            item.Text = verb;
            Index = UINT(Menu.Insert(Index, std::move(item))) + 1;
        }
        return HRESULT(20);
    }
    HRESULT GetCommandString(UINT Offset, UINT Type, QString* Text) override
    {
        for (const auto& [offset, verb] : commands_) {
            if (offset == Offset && Type == GCS_VERBA) {
                *Text = verb;
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }
    HRESULT InvokeCommand(const CMINVOKECOMMANDINFO& Info) override
    {
        Invoked.push_back(Info.Offset);
        EXPECT_TRUE(Info.Verb.isEmpty());
        EXPECT_EQ(Info.nShow, SW_SHOWNORMAL);
        return S_OK;
    }

    std::vector<UINT> Invoked;

private:
    const std::vector<std::pair<UINT, QString>> commands_{
        {CMD_OPEN, "open"}, {CMD_COPY, "copy"}, {CMD_DELETE, "delete"}, {CMD_PROPERTIES, "properties"}};
};

// A menu service that moves the pointer over every command of the menu (submenus too) before
// closing it without a choice.
class THoveringMenus final : public TPopupMenuService {
public:
    THoveringMenus() : previous_(SetPopupMenuService(this)) {}
    ~THoveringMenus() override { SetPopupMenuService(previous_); }

    unsigned Popup(const TMenuModel& Menu, QPoint, const TMenuHintHandler& OnHint) override
    {
        Hover(Menu, OnHint);
        return 0;
    }

private:
    static void Hover(const TMenuModel& Menu, const TMenuHintHandler& OnHint)
    {
        for (const TMenuItem& item : Menu.Items()) {
            if (item.HasSubmenu)
                Hover(item.Submenu, OnHint);
            else if (item.Id && OnHint)
                OnHint(item.HelpText);
        }
    }

    TPopupMenuService* previous_;
};

class ShellContextMenus : public ::testing::Test {
protected:
    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    TDataHomeScope dataHome{tree.Path("data")};
};

} // namespace

TEST(ShellVerbs, TextVerbsAreFoundWithoutCaseAndNumbersAreOffsets)
{
    const struct {
        QString verb; // empty: the offset below
        UINT offset;
        HRESULT result;
        std::vector<UINT> invoked;
    } cases[] = {
        {"Delete", 0, S_OK, {CMD_DELETE}},
        {"delete", 0, S_OK, {CMD_DELETE}},
        {"PROPERTIES", 0, S_OK, {CMD_PROPERTIES}},
        {{}, CMD_RENAME, S_OK, {CMD_RENAME}},
        {{}, 0, S_OK, {CMD_OPEN}},
        // A verb no command carries runs nothing (least of all the default command).
        {"paste", 0, E_INVALIDARG, {}},
        {"", 0, E_INVALIDARG, {}},
        {{}, 0x10000, E_INVALIDARG, {}},
    };
    for (const auto& c : cases) {
        const Ref<TSpyContextMenu> menu(new TSpyContextMenu);
        const HRESULT result = c.verb.isNull() ? InvokeVerb(nullptr, menu.get(), c.offset)
                                               : InvokeVerb(nullptr, menu.get(), c.verb);
        EXPECT_EQ(result, c.result) << c.verb.toStdString() << " " << c.offset;
        EXPECT_EQ(menu->Invoked, c.invoked) << c.verb.toStdString() << " " << c.offset;
    }
}

TEST_F(ShellContextMenus, TheSelectionMenuOffersRenameOnlyWhereTheControlEditsNames)
{
    const struct {
        QString focusedPath;
        bool readOnly;
        UINT flags;
    } cases[] = {
        {"/x/a.txt", false, CMF_EXPLORE | CMF_CANRENAME},
        {"/x/a.txt", true, CMF_EXPLORE},
        {"", false, CMF_EXPLORE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectionMenuFlags(c.focusedPath, c.readOnly), c.flags) << c.focusedPath.toStdString();

    tree.File("work/a.txt");
    tree.File("work/b.txt");
    const TShellItems one = ShellItems(tree.Path("work"), {"a.txt"});
    const TShellItems two = ShellItems(tree.Path("work"), {"a.txt", "b.txt"});
    TScriptedMenus menus;
    menus.Then(CloseMenu()).Then(CloseMenu()).Then(CloseMenu());
    const QPoint at(10, 20);
    EXPECT_TRUE(PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), one.Lists(),
                                      SelectionMenuFlags(tree.Path("work/a.txt"), false), at, {}));
    EXPECT_TRUE(PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), one.Lists(),
                                      SelectionMenuFlags(tree.Path("work/a.txt"), true), at, {}));
    EXPECT_TRUE(PopupItemsContextMenu(nullptr, two.Folder.get(), tree.Path("work"), two.Lists(),
                                      SelectionMenuFlags(tree.Path("work/a.txt"), false), at, {}));
    ASSERT_EQ(menus.Shown().size(), 3u);
    EXPECT_TRUE(menus.Shown()[0].Find(ShellCommandFirstId + RenameCommandOffset));
    EXPECT_FALSE(menus.Shown()[1].Find(ShellCommandFirstId + RenameCommandOffset));
    EXPECT_FALSE(menus.Shown()[2].Find(ShellCommandFirstId + RenameCommandOffset));
    EXPECT_TRUE(menus.Shown()[2].Find(ShellCommandFirstId + CMD_DELETE));

    // Nothing selected: no menu.
    EXPECT_FALSE(PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), {}, CMF_EXPLORE, at, {}));
}

TEST_F(ShellContextMenus, RenameIsLeftToTheControlAndOtherCommandsRun)
{
    tree.File("work/a.txt");
    const TShellItems one = ShellItems(tree.Path("work"), {"a.txt"});
    int renames = 0;
    int refreshes = 0;
    TItemsMenuHandlers handlers;
    handlers.StartRename = [&] { ++renames; };
    handlers.Refresh = [&] { ++refreshes; };
    const UINT flags = CMF_EXPLORE | CMF_CANRENAME;

    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("Rename")).Then(ChooseMenuItem("Create Link"));
    PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), one.Lists(), flags, {}, handlers);
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(tree.List("work"), QStringList{"a.txt"});

    PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), one.Lists(), flags, {}, handlers);
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(tree.List("work"), QStringList({"Link to a.txt", "a.txt"}));
    // Only folders on network paths (two backslashes) are refreshed at once; none here.
    EXPECT_EQ(refreshes, 0);
}

TEST_F(ShellContextMenus, TheHintIsTheHelpTextOfTheCommandUnderThePointer)
{
    tree.File("work/a.txt");
    tree.File("data/tarnwick-halyard/SendTo/alpha.txt");
    const TShellItems one = ShellItems(tree.Path("work"), {"a.txt"});
    QStringList hints;
    TItemsMenuHandlers handlers;
    handlers.OnPopupHint = [&](const QString& Hint) { hints += Hint; };
    THoveringMenus menus;
    PopupItemsContextMenu(nullptr, one.Folder.get(), tree.Path("work"), one.Lists(), CMF_EXPLORE, {}, handlers);
    ASSERT_GE(hints.size(), 3);
    EXPECT_EQ(hints[0], "Opens the selected items.");
    EXPECT_EQ(hints[1], ""); // the Send To entry
    EXPECT_TRUE(hints.contains("Prepares the selected items to be copied by a paste."));
}

TEST_F(ShellContextMenus, ContextMenuOfItemsIsFilledOrLeftEmpty)
{
    tree.File("work/a.txt");
    const TShellItems one = ShellItems(tree.Path("work"), {"a.txt"});
    TMenuModel menu;
    Ref<IContextMenu> contextMenu;
    ASSERT_EQ(GetItemsContextMenu(nullptr, one.Folder.get(), one.Lists(), ShellCommandFirstId, CMF_EXPLORE, menu,
                                  contextMenu),
              S_OK);
    ASSERT_TRUE(contextMenu);
    EXPECT_EQ(DescribeMenu(menu), "*Open, -, Send To [(Empty)], -, Cut, Copy, -, Create Link, Delete, -, Properties");
    EXPECT_EQ(InvokeVerb(nullptr, contextMenu.get(), "LINK"), S_OK);
    EXPECT_TRUE(tree.IsLink("work/Link to a.txt"));

    // A list the namespace cannot read: no menu, nothing kept.
    const TPidl malformed = RawPidl(QByteArray::fromHex("01000000"));
    const LPCITEMIDLIST bad[] = {malformed.get()};
    EXPECT_EQ(GetItemsContextMenu(nullptr, one.Folder.get(), bad, ShellCommandFirstId, CMF_EXPLORE, menu, contextMenu),
              E_INVALIDARG);
    EXPECT_FALSE(contextMenu);
    EXPECT_TRUE(menu.Items().empty());
}

TEST_F(ShellContextMenus, AbsoluteListsSplitIntoFolderParentAndLastItem)
{
    THomeScope home(tree.Path("home"));
    tree.File("home/Desktop/d.txt");
    tree.File("work/a.txt");

    // The desktop parses absolute paths into absolute lists.
    const TShellItems absolute = ShellItems("", {tree.Path("work/a.txt")});
    const TPidl& file = absolute.Items[0];
    Ref<IShellFolder> folder;
    LPITEMIDLIST parent = nullptr;
    LPITEMIDLIST last = nullptr;
    ASSERT_EQ(SplitAbsolutePidl(file.get(), folder, parent, last), S_OK);
    TOwnedPidl ownedParent(parent), ownedLast(last);
    QString name;
    EXPECT_EQ(FolderDisplayName(folder.get(), last, SHGDN_INFOLDER, name), S_OK);
    EXPECT_EQ(name, "a.txt");
    EXPECT_EQ(PidlToPath(parent), tree.Path("work"));

    // The empty list and null stand for the desktop's own folder.
    const TOwnedPidl empty(ItemListFromBytes({}));
    for (LPCITEMIDLIST desktop : {LPCITEMIDLIST(nullptr), LPCITEMIDLIST(empty.get())}) {
        ASSERT_EQ(SplitAbsolutePidl(desktop, folder, parent, last), S_OK);
        TOwnedPidl p(parent), l(last);
        EXPECT_EQ(FolderDisplayName(folder.get(), last, SHGDN_INFOLDER, name), S_OK);
        EXPECT_EQ(name, "Desktop");
        EXPECT_EQ(PidlToPath(parent), tree.Path("home"));
    }
    ASSERT_EQ(GetDesktopParentAndItem(parent, last), S_OK);
    {
        TOwnedPidl p(parent), l(last);
        EXPECT_EQ(PidlToPath(p.get()), tree.Path("home"));
        const TOwnedPidl whole(ConcatPidls(nullptr, p.get(), l.get()));
        EXPECT_EQ(PidlToPath(whole.get()), tree.Path("home/Desktop"));
    }

    // A one-item list: the desktop folder and no parent.
    QList<QByteArray> items;
    ASSERT_TRUE(SplitItemList(file.get(), items));
    const TOwnedPidl first(ItemListFromBytes(items.first()));
    ASSERT_EQ(SplitAbsolutePidl(first.get(), folder, parent, last), S_OK);
    TOwnedPidl l(last);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(FolderDisplayName(folder.get(), last, SHGDN_FORPARSING, name), S_OK);
    EXPECT_EQ(name, "::computer"); // as only the desktop names it

    // Objects of single items, and the desktop's drop target.
    void* object = nullptr;
    ASSERT_EQ(GetUIObjectOfPidl(file.get(), TUIObject::ContextMenu, &object), S_OK);
    static_cast<IContextMenu*>(object)->Release();
    IDropTarget* target = nullptr;
    ASSERT_EQ(GetDesktopDropTarget(&target), S_OK);
    ASSERT_TRUE(target);
    target->Release();
}

TEST_F(ShellContextMenus, AllowedDropEffectsComeFromTheItemsOfTheData)
{
    tree.File("work/a.txt");
    tree.File("work/b.txt");
    const TShellItems files = ShellItems(tree.Path("work"), {"a.txt", "b.txt"});
    const TShellItems absolute = ShellItems("", {tree.Path("work")});
    const TPidl& work = absolute.Items[0];
    QList<QByteArray> workItems; // Computer, the volume, the folders down to "work"
    ASSERT_TRUE(SplitItemList(work.get(), workItems));
    const QByteArray end(2, '\0');
    const CLIPFORMAT idList = CLIPFORMAT(RegisterClipboardFormat("Shell IDList Array"));
    const auto offering = [&](const QByteArray& Block) {
        ComPtr<FakeDataObject> data = MakeComObject<FakeDataObject>();
        data->Offer(idList, Block);
        return data;
    };
    constexpr DWORD C = DROPEFFECT_COPY, M = DROPEFFECT_MOVE, L = DROPEFFECT_LINK;
    const struct {
        const char* what;
        QByteArray block; // empty: no "Shell IDList Array" at all
        DWORD effects;
    } cases[] = {
        {"no item lists", {}, C | M | L},
        {"a broken block", "\x05", C | M | L},
        {"files", MakeCida({PidlBytes(work.get()), PidlBytes(files.Items[0].get()), PidlBytes(files.Items[1].get())}),
         C | M | L},
        {"a volume", MakeCida({workItems[0] + end, workItems[1] + end}), C | L},
        {"Computer", MakeCida({end, workItems[0] + end}), 0},
    };
    for (const auto& c : cases) {
        const ComPtr<FakeDataObject> data = c.block.isEmpty() ? MakeComObject<FakeDataObject>() : offering(c.block);
        EXPECT_EQ(GetAllowedDropEffects(data.Get()), c.effects) << c.what;
    }
}

TEST(ShellRoutines, TheOwnerWindowIsTheFormAtTheTop)
{
    TForm form;
    QWidget inForm(&form);
    QWidget alone;
    QWidget inAlone(&alone);
    EXPECT_EQ(GetParentFormHandle(&inForm), reinterpret_cast<HWND>(&form));
    EXPECT_EQ(GetParentFormHandle(&form), reinterpret_cast<HWND>(&form));
    EXPECT_EQ(GetParentFormHandle(&inAlone), nullptr);
    EXPECT_EQ(GetParentFormHandle(nullptr), nullptr);
}
