// The Send To submenu: the entries of the Send To folder in order, the items of a selection sent
// to a folder or a program, names that would leave the folder, and the letters typed in the menu.
#include "shell/items_context_menu.h"
#include "shell/send_to_list.h"
#include "shell/send_to_menu.h"
#include "shell/send_to_target.h"

#include "platform/ole/drop_files.h"
#include "platform/rtl/exception.h"

#include "platform/fake_data_object.h"
#include "shell/drag_drop_fixtures.h"
#include "platform/shell_item_fixture.h"
#include "support/launch_recorder.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

class SendTo : public ::testing::Test {
protected:
    SendTo()
    {
        tree.File("send/alpha.txt");
        tree.File("send/Zeta.desktop", "[Desktop Entry]\nType=Application\nName=Zeta\nExec=/bin/zeta %F\n");
        tree.File("send/.hidden");
        tree.Folder("send/sub");
        tree.Folder("inbox");
        tree.Link("send/zulu", tree.Path("inbox"));
        tree.File("work/a.txt", "a");
        tree.File("work/b b.txt", "b");
        // The program's Send To folder, found below the data folder.
        tree.Link("data/tarnwick-halyard/SendTo", tree.Path("send"));
    }

    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    TDataHomeScope dataHome{tree.Path("data")};
};

} // namespace

TEST_F(SendTo, EntriesAreTheFolderFilesAndLinksSortedWithoutExtensions)
{
    const TShellItems items = ShellItems(tree.Path("work"), {"a.txt"});
    TScriptedMenus menus;
    menus.Then(CloseMenu());
    PopupItemsContextMenu(nullptr, items.Folder.get(), tree.Path("work"), items.Lists(), CMF_EXPLORE, {}, {});
    ASSERT_EQ(menus.Shown().size(), 1u);
    const TMenuItem* sendTo = nullptr;
    for (const TMenuItem& item : menus.Shown()[0].Items())
        sendTo = item.HasSubmenu ? &item : sendTo;
    ASSERT_TRUE(sendTo);
    std::vector<std::pair<unsigned, QString>> entries;
    for (const TMenuItem& item : sendTo->Submenu.Items())
        entries.emplace_back(item.Id, item.Text);
    const std::vector<std::pair<unsigned, QString>> expected{{1, "alpha"}, {2, "Zeta"}, {3, "zulu"}};
    EXPECT_EQ(entries, expected);
    ASSERT_EQ(SendToList().size(), 3u);
    EXPECT_EQ(SendToList()[1].FileName, "Zeta.desktop");
    // Each entry shows its file's small icon; typed letters follow the Send To rule.
    for (const TMenuItem& item : sendTo->Submenu.Items())
        EXPECT_EQ(item.Image.size(), QSize(16, 16)) << item.Text.toStdString();
    ASSERT_TRUE(sendTo->Submenu.OnMenuChar);
    EXPECT_EQ(sendTo->Submenu.OnMenuChar({"alpha", "Zeta", "zulu"}, 1, 'z'),
              (TMenuCharAnswer{TMenuCharAction::Select, 2}));

    // A menu without the placeholder is left as it is.
    TMenuModel plain;
    plain.Items().push_back(TMenuItem{.Id = 5, .Text = "x"});
    EXPECT_FALSE(FillSendToPlaceholders(plain));
    EXPECT_EQ(DescribeMenu(plain), "x");

    // A mask chooses among the files.
    TSendToEntries texts;
    ListFolderFiles("*.txt", {tree.Path("send"), tree.Path("work")}, texts);
    QStringList names;
    for (const TSendToEntry& entry : texts)
        names += entry.FileName;
    EXPECT_EQ(names, QStringList({"a.txt", "alpha.txt", "b b.txt"}));
}

TEST_F(SendTo, ChoosingAFolderEntryCopiesTheSelectionIntoIt)
{
    const TShellItems items = ShellItems(tree.Path("work"), {"a.txt", "b b.txt"});
    TItemsMenuHandlers handlers;
    int dataObjectsMade = 0;
    handlers.MakeDataObject = [&]() -> IDataObject* {
        ++dataObjectsMade;
        return DroppedFiles({tree.Path("work/a.txt"), tree.Path("work/b b.txt")}).Detach();
    };
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("zulu"));
    PopupItemsContextMenu(nullptr, items.Folder.get(), tree.Path("work"), items.Lists(), CMF_EXPLORE, {}, handlers);
    EXPECT_EQ(dataObjectsMade, 1);
    EXPECT_EQ(tree.Read("inbox/a.txt"), "a");
    EXPECT_EQ(tree.Read("inbox/b b.txt"), "b");
    EXPECT_EQ(tree.List("work"), QStringList({"a.txt", "b b.txt"})); // copied, not moved
}

TEST_F(SendTo, AProgramEntryStartsWithThePaths)
{
    RebuildSendToList();
    TLaunchRecorder launcher;
    const QStringList files{tree.Path("work/a.txt"), tree.Path("work/b b.txt")};
    SendToTarget("Zeta.desktop", DroppedFiles(files).Get());
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].Program, "/bin/zeta");
    EXPECT_EQ(launcher.launches[0].Arguments, files);
}

TEST_F(SendTo, NamesThatLeaveTheFolderOrAreMissingRaise)
{
    tree.Folder("outside");
    tree.Link("data/tarnwick-halyard/outside", tree.Path("outside"));
    TLaunchRecorder launcher;
    const ComPtr<FakeDataObject> data = DroppedFiles({tree.Path("work/a.txt")});
    for (const QString name : {"../outside", "sub/../../outside", "..", ".", "", "missing.desktop"}) {
        EXPECT_THROW(SendToTarget(name, data.Get()), Exception) << name.toStdString();
    }
    EXPECT_TRUE(tree.List("outside").isEmpty());
    EXPECT_TRUE(launcher.launches.empty());
    try {
        SendToTarget("a/b", data.Get());
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, SystemMessage(E_INVALIDARG));
    }
}

TEST(SendToMenu, TypedLettersSelectExecuteOrClose)
{
    const QStringList names{"Archive", "backup", "Another", "Mail"};
    const struct {
        int highlighted;
        QChar typed;
        TMenuCharAnswer answer;
    } cases[] = {
        // Two names begin with "A": the first after the highlighted one, wrapping round.
        {-1, 'a', {TMenuCharAction::Select, 0}},
        {0, 'A', {TMenuCharAction::Select, 2}},
        {2, 'a', {TMenuCharAction::Select, 0}},
        {3, 'a', {TMenuCharAction::Select, 0}},
        // One name begins with it: run it, wherever the highlight is.
        {-1, 'B', {TMenuCharAction::Execute, 1}},
        {1, 'b', {TMenuCharAction::Execute, 1}},
        {2, 'm', {TMenuCharAction::Execute, 3}},
        // None does.
        {0, 'z', {TMenuCharAction::Close, -1}},
    };
    for (const auto& c : cases) {
        const TMenuCharAnswer answer = SendToMenuChar(names, c.highlighted, c.typed);
        EXPECT_EQ(answer, c.answer) << c.highlighted << " " << QString(c.typed).toStdString();
    }
    EXPECT_EQ(SendToMenuChar({}, -1, 'a'), TMenuCharAnswer{});
}

TEST(SendToMenu, IdsStandForEntries)
{
    const struct {
        unsigned id;
        int index;
    } cases[] = {{0, -1}, {1, 0}, {999, 998}, {1000, -1}, {1018, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(SendToIndexOfId(c.id), c.index) << c.id;
}
