// The drop targets of the namespace's items: the folder's choice of effect, dropped files copied,
// moved or linked into a folder, the right-button menu, a folder dropped into itself, programs
// started with the dropped files, links to folders, and dropped file lists that run past their end.
#include "platform/ole/drop_files.h"
#include "platform/ole/hglobal.h"
#include "platform/shellapi/drag_query_file.h"
#include "platform/shellapi/folder_drop_target.h"
#include "platform/system/name_encoding.h"

#include "platform/fake_data_object.h"
#include "platform/shell_item_fixture.h"
#include "support/launch_recorder.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>

using namespace win;

namespace {

constexpr DWORD C = DROPEFFECT_COPY, M = DROPEFFECT_MOVE, L = DROPEFFECT_LINK;

ComPtr<FakeDataObject> DroppedFiles(const QStringList& Names, bool Wide = true)
{
    ComPtr<FakeDataObject> data = MakeComObject<FakeDataObject>();
    data->Offer(CF_HDROP, MakeDropFiles(Names, Wide));
    return data;
}

// Drops Data onto Target as a drag does (enter, over, drop) and returns the effect of the drop.
DWORD DropOnto(IDropTarget* Target, IDataObject* Data, DWORD KeyState, DWORD Offered,
               DWORD* Entered = nullptr)
{
    DWORD effect = Offered;
    EXPECT_EQ(Target->DragEnter(Data, KeyState, {0, 0}, &effect), S_OK);
    if (Entered)
        *Entered = effect;
    effect = Offered;
    EXPECT_EQ(Target->DragOver(KeyState, {0, 0}, &effect), S_OK);
    effect = Offered;
    EXPECT_EQ(Target->Drop(Data, KeyState, {0, 0}, &effect), S_OK);
    return effect;
}

// Installs a test of the device numbers while it lives.
struct TSameDeviceScope {
    explicit TSameDeviceScope(bool Same)
        : previous(SetSameDeviceTest([Same](const QStringList&, const QString&) { return Same; }))
    {
    }
    ~TSameDeviceScope() { SetSameDeviceTest(previous); }
    TSameDeviceTest previous;
};

} // namespace

TEST(ShellDropTarget, TheFolderEffectByKeysOfferedEffectsAndFileSystem)
{
    const DWORD none = 0, ctrl = MK_CONTROL, shift = MK_SHIFT, both = MK_CONTROL | MK_SHIFT;
    const struct {
        DWORD keys;
        DWORD offered;
        bool sameDevice;
        DWORD effect;
    } cases[] = {
        {none, C | M | L, true, M},
        {none, C | M | L, false, C},
        {ctrl, C | M | L, true, C},
        {shift, C | M | L, false, M},
        {both, C | M | L, true, L},
        {both, C | M | L, false, L},
        // Never outside what is offered: a copy-only source is never moved.
        {none, C, true, C},
        {none, M, false, M},
        {none, L, true, L},
        {none, C | L, true, C},
        {none, M | L, false, M},
        {ctrl, M | L, true, none},
        {shift, C, true, none},
        {both, C | M, true, none},
        {none, 0, true, none},
        // The mouse buttons do not count.
        {MK_LBUTTON | ctrl, C | M, true, C},
        {MK_RBUTTON, C | M, false, C},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderDropEffect(c.keys, c.offered, c.sameDevice), c.effect)
            << "keys " << c.keys << " offered " << c.offered << " same device " << c.sameDevice;
    }
}

TEST(ShellDropTarget, DroppedFilesAreCopiedOrMovedIntoAFolder)
{
    TTempTree tree;
    tree.File("from/a.txt", "new a");
    tree.File("from/b b.txt", "b");
    tree.File("to/a.txt", "old a");
    tree.File("program.sh", "#!/bin/sh\n");
    const ComPtr<IDropTarget> target = DropTargetOf(ShellItems(tree.Path(), {"to"}));
    ASSERT_TRUE(target);

    // Across file systems the default is a copy; the replace question is answered by the script.
    {
        TSameDeviceScope device(false);
        TScriptedPrompts prompts;
        prompts.Then([](QDialog& Dialog) {
            EXPECT_TRUE(static_cast<QMessageBox&>(Dialog).text().contains("'a.txt'"));
            ButtonOf(Dialog, "&Yes")->click();
        });
        DWORD entered = 0;
        const auto data = DroppedFiles({tree.Path("from/a.txt"), tree.Path("from/b b.txt")});
        EXPECT_EQ(DropOnto(target.Get(), data.Get(), MK_LBUTTON, C | M | L, &entered), C);
        EXPECT_EQ(entered, C);
    }
    EXPECT_EQ(tree.Read("to/a.txt"), "new a");
    EXPECT_EQ(tree.List("from"), QStringList({"a.txt", "b b.txt"}));

    // On one file system it moves; "No" keeps the file there and its source, and the drop then
    // reports no effect, so that the source never removes what was kept back.
    tree.File("from/c.txt", "c");
    {
        TSameDeviceScope device(true);
        TScriptedPrompts prompts;
        prompts.Then(Click("&No"));
        const auto data = DroppedFiles({tree.Path("from/a.txt"), tree.Path("from/c.txt")}, false);
        EXPECT_EQ(DropOnto(target.Get(), data.Get(), MK_LBUTTON, C | M | L), DROPEFFECT_NONE);
    }
    EXPECT_EQ(tree.Read("to/a.txt"), "new a");
    EXPECT_EQ(tree.List("from"), QStringList({"a.txt", "b b.txt"}));
    EXPECT_EQ(tree.Read("to/c.txt"), "c");

    // Ctrl and Shift: a link.
    const auto data = DroppedFiles({tree.Path("program.sh")});
    EXPECT_EQ(DropOnto(target.Get(), data.Get(), MK_CONTROL | MK_SHIFT, C | M | L), L);
    EXPECT_EQ(QFile::symLinkTarget(tree.Path("to/Link to program.sh")), tree.Path("program.sh"));
}

TEST(ShellDropTarget, TheRightButtonAsksWhatToDo)
{
    TTempTree tree;
    tree.File("from/a.txt");
    tree.File("from/b.txt");
    tree.File("from/c.txt");
    tree.Folder("to");
    const ComPtr<IDropTarget> target = DropTargetOf(ShellItems(tree.Path(), {"to"}));
    TSameDeviceScope device(true);
    TScriptedMenus menus;
    menus.Then(ChooseMenuItem("Copy Here")).Then(ChooseMenuItem("Cancel")).Then(CloseMenu());
    menus.Then(ChooseMenuItem("Create Link Here"));

    EXPECT_EQ(DropOnto(target.Get(), DroppedFiles({tree.Path("from/a.txt")}).Get(), MK_RBUTTON, C | M | L),
              C);
    EXPECT_EQ(DropOnto(target.Get(), DroppedFiles({tree.Path("from/b.txt")}).Get(), MK_RBUTTON, C | M | L),
              DROPEFFECT_NONE);
    EXPECT_EQ(DropOnto(target.Get(), DroppedFiles({tree.Path("from/b.txt")}).Get(), MK_RBUTTON, C | M | L),
              DROPEFFECT_NONE);
    // Only what is offered is on the menu; the default is bold.
    EXPECT_EQ(DropOnto(target.Get(), DroppedFiles({tree.Path("from/c.txt")}).Get(), MK_RBUTTON, M | L), L);
    ASSERT_EQ(menus.Shown().size(), 4u);
    EXPECT_EQ(DescribeMenu(menus.Shown()[0]), "Copy Here, *Move Here, Create Link Here, -, Cancel");
    EXPECT_EQ(DescribeMenu(menus.Shown()[3]), "*Move Here, Create Link Here, -, Cancel");
    EXPECT_EQ(tree.List(), QStringList({"from/", "from/a.txt", "from/b.txt", "from/c.txt", "to/",
                                        "to/Link to c.txt", "to/a.txt"}));
}

TEST(ShellDropTarget, AFolderNeverGoesIntoItselfNorFilesOntoTheirOwnFolder)
{
    TTempTree tree;
    tree.File("top/sub/deep/x.txt");
    tree.File("top/y.txt");
    const struct {
        const char* parent;
        const char* target;
        QStringList dropped;
        DWORD offered;
        DWORD effect;
    } cases[] = {
        {"", "top", {tree.Path("top")}, C | M | L, DROPEFFECT_NONE},
        {"top/sub", "deep", {tree.Path("top/sub")}, C | M | L, DROPEFFECT_NONE},
        {"top", "sub", {tree.Path("top/y.txt"), tree.Path("top")}, C | M | L, DROPEFFECT_NONE},
        {"", "top", {tree.Path("top/y.txt")}, C | M, DROPEFFECT_NONE},
        {"", "top", {tree.Path("top/y.txt")}, C | M | L, L},
        {"", "top", {}, C | M | L, DROPEFFECT_NONE},
    };
    for (const auto& c : cases) {
        const ComPtr<IDropTarget> target = DropTargetOf(ShellItems(tree.Path(c.parent), {c.target}));
        ASSERT_TRUE(target) << c.target;
        DWORD effect = c.offered;
        EXPECT_EQ(target->DragEnter(DroppedFiles(c.dropped).Get(), MK_LBUTTON, {0, 0}, &effect), S_OK);
        EXPECT_EQ(effect, c.effect) << c.target << " " << c.dropped.join(' ').toStdString();
        target->DragLeave();
    }
    EXPECT_EQ(tree.List(),
              QStringList({"top/", "top/sub/", "top/sub/deep/", "top/sub/deep/x.txt", "top/y.txt"}));
}

TEST(ShellDropTarget, ProgramsGetTheDroppedFilesAsArgumentsLinksToFoldersTakeThemIn)
{
    TTempTree tree;
    tree.File("tool.sh", "#!/bin/sh\n");
    QFile::setPermissions(tree.Path("tool.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    tree.File("app.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/sh -c \"x y\" %F\n");
    tree.File("plain.txt");
    const QStringList dropped = {tree.Path("a \"quoted\"; name.txt"), tree.Path(DecodeName("caf\xe9 b"))};

    const struct {
        const char* name;
        QString program;
        QStringList arguments;
    } cases[] = {
        {"tool.sh", tree.Path("tool.sh"), dropped},
        {"app.desktop", "/bin/sh", QStringList({"-c", "x y"}) + dropped},
    };
    for (const auto& c : cases) {
        TLaunchRecorder launcher;
        const ComPtr<IDropTarget> target = DropTargetOf(ShellItems(tree.Path(), {c.name}));
        ASSERT_TRUE(target) << c.name;
        EXPECT_EQ(DropOnto(target.Get(), DroppedFiles(dropped).Get(), MK_LBUTTON, C | M | L), C) << c.name;
        ASSERT_EQ(launcher.launches.size(), 1u);
        EXPECT_EQ(launcher.launches[0].Program, c.program);
        EXPECT_EQ(launcher.launches[0].Arguments, c.arguments);
        EXPECT_TRUE(launcher.launches[0].Url.isEmpty());
    }

    // A desktop entry linking to a folder (as the Send To folder holds them) takes files in.
    tree.Folder("inbox");
    tree.File("inbox.desktop",
              "[Desktop Entry]\nType=Link\nURL=file://" + tree.Path("inbox").toUtf8() + "\n");
    tree.File("ready.txt");
    const ComPtr<IDropTarget> inbox = DropTargetOf(ShellItems(tree.Path(), {"inbox.desktop"}));
    ASSERT_TRUE(inbox);
    EXPECT_EQ(DropOnto(inbox.Get(), DroppedFiles({tree.Path("ready.txt")}).Get(), MK_CONTROL, C | M | L), C);
    EXPECT_TRUE(tree.Exists("inbox/ready.txt"));

    // Other items have no target of their own: the controls use the folder's.
    EXPECT_FALSE(DropTargetOf(ShellItems(tree.Path(), {"plain.txt"})));
    EXPECT_FALSE(DropTargetOf(ShellItems("", {"::computer"})));
    EXPECT_FALSE(DropTargetOf(ShellItems(tree.Path(), {"tool.sh", "app.desktop"})));
    EXPECT_TRUE(DropTargetOf(ShellItems("", {""}))); // the desktop's own folder
}

TEST(ShellDropTarget, DroppedFileListsAreReadWithinTheirBlock)
{
    const QByteArray good = MakeDropFiles({"/a", "/bb"}, false);
    QByteArray pastEnd = good;
    pastEnd[0] = char(good.size() + 4); // the names would start past the block's end
    QByteArray intoHeader = good;
    intoHeader[0] = 8;
    const QByteArray cut = good.left(good.size() - 4); // the last name has no NUL
    const struct {
        QByteArray block;
        QStringList names;
    } cases[] = {
        {good, {"/a", "/bb"}}, {pastEnd, {}}, {intoHeader, {}}, {cut, {"/a"}}, {good.left(20), {}}, {{}, {}},
    };
    for (const auto& c : cases) {
        const HGLOBAL block = GlobalFromBytes(c.block);
        EXPECT_EQ(DragQueryFile(block, 0xFFFFFFFFu, nullptr), UINT(c.names.size()))
            << c.block.toHex().constData();
        QString name;
        for (UINT i = 0; i < UINT(c.names.size()); ++i) {
            EXPECT_EQ(DragQueryFile(block, i, &name), UINT(c.names[qsizetype(i)].size()));
            EXPECT_EQ(name, c.names[qsizetype(i)]);
        }
        EXPECT_EQ(DragQueryFile(block, UINT(c.names.size()), &name), 0u);
        EXPECT_TRUE(name.isEmpty());
        GlobalFree(block);
    }
    EXPECT_EQ(DragQueryFile(nullptr, 0xFFFFFFFFu, nullptr), 0u);

    // A drop whose list runs past its end drops nothing.
    TTempTree tree;
    tree.Folder("to");
    const ComPtr<IDropTarget> target = DropTargetOf(ShellItems(tree.Path(), {"to"}));
    const ComPtr<FakeDataObject> data = MakeComObject<FakeDataObject>();
    data->Offer(CF_HDROP, pastEnd);
    EXPECT_EQ(DropOnto(target.Get(), data.Get(), MK_LBUTTON, C | M | L), DROPEFFECT_NONE);
    EXPECT_EQ(data->Counter.Releases, data->Counter.MediaMade);
}
