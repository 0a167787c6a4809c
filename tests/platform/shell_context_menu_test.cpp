// The shell's context menus on temporary trees: the menus of files, folders, volumes and Computer,
// their verbs (open, cut, copy, paste, link, delete, properties) and the file clipboard.
#include "platform/shellapi/file_clipboard.h"
#include "platform/shellapi/file_operation.h"
#include "platform/shellapi/namespace_folders.h"
#include "platform/system/name_encoding.h"

#include "platform/shell_item_fixture.h"
#include "support/launch_recorder.h"
#include "support/qt_printers.h"
#include "support/scripted_menus.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace win;

namespace {

constexpr UINT FirstId = 1000;

QString MenuText(IContextMenu* Menu, UINT Flags)
{
    TMenuModel model;
    EXPECT_EQ(Menu->QueryContextMenu(model, 0, FirstId, 32767, Flags), HRESULT(CMD_PROPERTIES + 1));
    return DescribeMenu(model);
}

// A fresh clipboard for each test that uses it.
struct TClipboardScope {
    TClipboardScope() { ClearClipboard(); }
    ~TClipboardScope() { ClearClipboard(); }
};

void MakeExecutable(const QString& Path)
{
    QFile::setPermissions(Path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The value labels of a properties sheet by row name.
std::map<QString, QString> SheetValues(QDialog& Dialog)
{
    std::map<QString, QString> values;
    for (QLabel* label : Dialog.findChildren<QLabel*>()) {
        if (label->objectName().startsWith("value:"))
            values[label->objectName().mid(6)] = label->text();
    }
    return values;
}

} // namespace

TEST(ShellContextMenu, MenusOfFilesFoldersVolumesAndComputer)
{
    TClipboardScope clipboard;
    TTempTree tree;
    TMountTableScope mounts{tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1")};
    tree.File("work/a.txt");
    tree.File("work/b.txt");
    tree.Folder("work/sub");

    const TShellItems files = ShellItems(tree.Path("work"), {"a.txt"});
    const TShellItems folder = ShellItems(tree.Path("work"), {"sub"});
    const TShellItems both = ShellItems(tree.Path("work"), {"a.txt", "b.txt"});
    const TShellItems itself = ShellItems(tree.Path("work"), {""});
    const TShellItems desktop = ShellItems("", {""});
    const TShellItems computer = ShellItems("", {"::computer"});
    TShellItems volume;
    volume.Folder = computer.Folder;
    ASSERT_EQ(computer.Folder->BindToObject(computer.Items[0].get(), &volume.Folder), S_OK);
    {
        Ref<IEnumIDList> volumes;
        ASSERT_EQ(volume.Folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &volumes), S_OK);
        LPITEMIDLIST first = nullptr;
        ASSERT_EQ(volumes->Next(1, &first, nullptr), S_OK);
        volume.Items.emplace_back(first);
    }

    const QString fileMenu =
        "*Open, -, Send To [(Empty)], -, Cut, Copy, -, Create Link, Delete%1, -, Properties";
    const struct {
        const char* what;
        const TShellItems& items;
        UINT flags;
        QString menu;
    } cases[] = {
        {"file", files, CMF_EXPLORE, fileMenu.arg("")},
        {"file, renamed in place", files, CMF_EXPLORE | CMF_CANRENAME, fileMenu.arg(", Rename")},
        {"two files: no rename", both, CMF_EXPLORE | CMF_CANRENAME, fileMenu.arg("")},
        {"folder", folder, CMF_EXPLORE | CMF_CANRENAME,
         "*Open, -, Send To [(Empty)], -, Cut, Copy, (Paste), -, Create Link, Delete, Rename, -, Properties"},
        {"the folder itself", itself, CMF_EXPLORE,
         "*Open, -, Send To [(Empty)], -, Cut, Copy, (Paste), -, Create Link, Delete, -, Properties"},
        {"the desktop itself", desktop, CMF_EXPLORE, "*Open, -, (Paste), -, Properties"},
        {"a volume", volume, CMF_EXPLORE | CMF_CANRENAME, "*Open, -, Properties"},
        {"Computer", computer, CMF_EXPLORE | CMF_CANRENAME, "*Open, -, Properties"},
        {"default only", folder, CMF_DEFAULTONLY, "*Open"},
    };
    for (const auto& c : cases) {
        const Ref<IContextMenu> menu = ContextMenuOf(c.items);
        ASSERT_TRUE(menu) << c.what;
        EXPECT_EQ(MenuText(menu.get(), c.flags), c.menu) << c.what;
    }

    // Ids are the first id plus the offsets; those past the last id are left out; the menu goes
    // where it is asked to.
    const Ref<IContextMenu> menu = ContextMenuOf(folder);
    TMenuModel model;
    TMenuItem mine;
    mine.Id = 1;
    mine.Text = "Mine";
    model.Items().push_back(mine);
    model.Items().push_back(mine);
    EXPECT_EQ(menu->QueryContextMenu(model, 1, 100, 111, CMF_NORMAL), HRESULT(20));
    EXPECT_EQ(DescribeMenu(model), "Mine, *Open, -, Send To [(Empty)], -, Cut, Copy, Mine");
    ASSERT_TRUE(model.Find(111));
    EXPECT_EQ(model.Find(111)->Verb, "copy");
    EXPECT_EQ(model.Find(100)->HelpText, "Opens the selected items.");

    // Paste is offered once files are on the clipboard.
    PutFilesOnClipboard({{tree.Path("work/a.txt")}, false});
    EXPECT_EQ(MenuText(menu.get(), CMF_EXPLORE),
              "*Open, -, Send To [(Empty)], -, Cut, Copy, Paste, -, Create Link, Delete, -, Properties");

    // The commands' names, and none for offsets the menu does not offer.
    QString text;
    for (const auto& [offset, verb] : std::vector<std::pair<UINT, QString>>{
             {0, "open"}, {12, "paste"}, {16, "link"}, {19, "properties"}}) {
        EXPECT_EQ(menu->GetCommandString(offset, GCS_VERBA, &text), S_OK);
        EXPECT_EQ(text, verb);
    }
    EXPECT_EQ(menu->GetCommandString(17, GCS_HELPTEXTA, &text), S_OK);
    EXPECT_EQ(text, "Moves the selected items to the trash.");
    EXPECT_EQ(ContextMenuOf(computer)->GetCommandString(CMD_DELETE, GCS_VERBA, &text), E_INVALIDARG);
    EXPECT_EQ(menu->GetCommandString(5, GCS_VERBA, &text), E_INVALIDARG);

    // Lists that are not children of the folder.
    TShellItems wrong = ShellItems(tree.Path("work"), {});
    wrong.Items.emplace_back(RawPidl(QByteArray("\x05\x00\x31\x00\x00", 5)));
    ContextMenuOf(wrong, E_INVALIDARG);
}

TEST(ShellContextMenu, OpenGoesThroughTheLauncherAndUnknownVerbsRunNothing)
{
    TTempTree tree;
    tree.File("doc.txt");
    tree.Folder("sub");
    tree.File("tool.sh", "#!/bin/sh\n");
    MakeExecutable(tree.Path("tool.sh"));
    tree.File("app.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/sh -c \"a b\" %F\n");
    tree.File("doc.desktop",
              "[Desktop Entry]\nType=Link\nURL=file://" + tree.Path("doc.txt").toUtf8() + "\n");
    const struct {
        const char* name;
        QUrl url;
        QString program;
        QStringList arguments;
    } cases[] = {
        {"doc.txt", QUrl::fromLocalFile(tree.Path("doc.txt")), {}, {}},
        {"sub", QUrl::fromLocalFile(tree.Path("sub")), {}, {}},
        {"tool.sh", {}, tree.Path("tool.sh"), {}},
        {"app.desktop", {}, "/bin/sh", {"-c", "a b"}},
        {"doc.desktop", QUrl::fromLocalFile(tree.Path("doc.txt")), {}, {}},
    };
    for (const auto& c : cases) {
        TLaunchRecorder launcher;
        const Ref<IContextMenu> menu = ContextMenuOf(ShellItems(tree.Path(), {c.name}));
        EXPECT_EQ(InvokeVerb(menu.get(), "Open"), S_OK) << c.name;
        ASSERT_EQ(launcher.launches.size(), 1u) << c.name;
        EXPECT_EQ(launcher.launches[0].Url, c.url) << c.name;
        EXPECT_EQ(launcher.launches[0].Program, c.program) << c.name;
        EXPECT_EQ(launcher.launches[0].Arguments, c.arguments) << c.name;
    }

    // The default command by its offset; a text no command carries runs nothing, not the default.
    TLaunchRecorder launcher;
    const Ref<IContextMenu> menu = ContextMenuOf(ShellItems(tree.Path(), {"doc.txt"}));
    CMINVOKECOMMANDINFO byOffset;
    byOffset.Offset = CMD_OPEN;
    EXPECT_EQ(menu->InvokeCommand(byOffset), S_OK);
    EXPECT_EQ(launcher.launches.size(), 1u);
    for (const char* verb : {"explore", "paste", "runas", " open"})
        EXPECT_EQ(InvokeVerb(menu.get(), verb), E_INVALIDARG) << verb;
    byOffset.Offset = 5;
    EXPECT_EQ(menu->InvokeCommand(byOffset), E_INVALIDARG);
    EXPECT_EQ(launcher.launches.size(), 1u);
}

TEST(ShellContextMenu, CopyCutAndPasteThroughTheClipboard)
{
    TClipboardScope clipboard;
    TTempTree tree;
    tree.File("from/a.txt", "a");
    tree.File("from/b.txt", "b");
    tree.Folder("to");
    tree.Folder("other");

    // Nothing on the clipboard: paste does nothing.
    const Ref<IContextMenu> to = ContextMenuOf(ShellItems(tree.Path(), {"to"}));
    EXPECT_EQ(InvokeVerb(to.get(), "paste"), S_FALSE);

    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path("from"), {"a.txt"})).get(), "copy"), S_OK);
    EXPECT_EQ(FilesOnClipboard().Paths, QStringList({tree.Path("from/a.txt")}));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data->data("x-special/gnome-copied-files").startsWith("copy\nfile://"));
    EXPECT_EQ(data->data("application/x-kde-cutselection"), "0");
    EXPECT_EQ(InvokeVerb(to.get(), "paste"), S_OK);
    EXPECT_EQ(tree.List(), QStringList({"from/", "from/a.txt", "from/b.txt", "other/", "to/", "to/a.txt"}));
    EXPECT_FALSE(FilesOnClipboard().Paths.isEmpty()); // a copy can be pasted again

    // A pasted cut moves, then empties the clipboard.
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path("from"), {"a.txt", "b.txt"})).get(), "cut"),
              S_OK);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("application/x-kde-cutselection"), "1");
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path(), {"other"})).get(), "paste"), S_OK);
    EXPECT_EQ(tree.List(), QStringList({"from/", "other/", "other/a.txt", "other/b.txt", "to/", "to/a.txt"}));
    EXPECT_TRUE(FilesOnClipboard().Paths.isEmpty());

    // A cut another program put on the clipboard in the GNOME form, and a bare URI list (a copy).
    auto* foreign = new QMimeData;
    foreign->setData("x-special/gnome-copied-files", "cut\nfile://" + tree.Path("other/b.txt").toUtf8());
    QGuiApplication::clipboard()->setMimeData(foreign);
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path(), {"from"})).get(), "paste"), S_OK);
    auto* bare = new QMimeData;
    bare->setData("text/uri-list", "file://" + tree.Path("other/a.txt").toUtf8() + "\r\n");
    QGuiApplication::clipboard()->setMimeData(bare);
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path(), {"from"})).get(), "paste"), S_OK);
    EXPECT_EQ(tree.List(),
              QStringList({"from/", "from/a.txt", "from/b.txt", "other/", "other/a.txt", "to/", "to/a.txt"}));

    // Pasting over an existing file asks first; "No" keeps it.
    PutFilesOnClipboard({{tree.Path("to/a.txt")}, true});
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_TRUE(
            static_cast<QMessageBox&>(Dialog).text().contains("already contains a file named 'a.txt'"));
        ButtonOf(Dialog, "&No")->click();
    });
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path(), {"from"})).get(), "paste"), S_OK);
    EXPECT_TRUE(tree.Exists("to/a.txt"));
}

TEST(ShellContextMenu, LinksAreMadeBesideTheItemUnderAFreeName)
{
    TTempTree tree;
    tree.File("a b.txt", "content");
    tree.Folder("sub");
    const Ref<IContextMenu> menu = ContextMenuOf(ShellItems(tree.Path(), {"a b.txt", "sub"}));
    EXPECT_EQ(InvokeVerb(menu.get(), "link"), S_OK);
    EXPECT_EQ(InvokeVerb(menu.get(), "link"), S_OK);
    EXPECT_EQ(tree.List(), QStringList({"Link to a b.txt", "Link to a b.txt (2)", "Link to sub",
                                        "Link to sub (2)", "a b.txt", "sub/"}));
    EXPECT_TRUE(tree.IsLink("Link to a b.txt (2)"));
    EXPECT_EQ(tree.Read("Link to a b.txt"), "content");
    EXPECT_EQ(QFile::symLinkTarget(tree.Path("Link to sub")), tree.Path("sub"));
    char target[64] = {};
    ASSERT_GT(::readlink(EncodeName(tree.Path("Link to a b.txt")).constData(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "a b.txt"); // beside its target, the link holds the bare name
}

TEST(ShellContextMenu, DeleteMovesIntoTheTrashAfterTheQuestion)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.File("work/*.txt", "star");
    tree.File("work/a.txt");
    tree.File("work/b.txt");
    const Ref<IContextMenu> menu = ContextMenuOf(ShellItems(tree.Path("work"), {"*.txt"}));
    {
        TScriptedPrompts prompts;
        prompts.Then([](QDialog& Dialog) {
            EXPECT_EQ(static_cast<QMessageBox&>(Dialog).text(),
                      "Are you sure you want to move '*.txt' to the trash?");
            ButtonOf(Dialog, "&No")->click();
        });
        EXPECT_EQ(InvokeVerb(menu.get(), "delete"), HRESULT_FROM_WIN32(ERROR_CANCELLED));
        EXPECT_EQ(tree.List("work"), QStringList({"*.txt", "a.txt", "b.txt"}));
    }
    TScriptedPrompts prompts;
    prompts.Then(Click("&Yes"));
    EXPECT_EQ(InvokeVerb(menu.get(), "delete"), S_OK);
    EXPECT_EQ(tree.List("work"), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(tree.Read("data/Trash/files/*.txt"), "star");
    EXPECT_TRUE(tree.Read("data/Trash/info/*.txt.trashinfo").contains("Path="));
}

TEST(ShellContextMenu, PropertiesShowASheet)
{
    TTempTree tree;
    tree.File("work/notes.txt", "12345");
    ::chmod(EncodeName(tree.Path("work/notes.txt")).constData(), 0640);
    tree.File("work/more.txt", "678");
    std::map<QString, QString> one, two;
    TScriptedPrompts prompts;
    prompts
        .Then([&](QDialog& Dialog) {
            EXPECT_EQ(Dialog.windowTitle(), "notes.txt Properties");
            one = SheetValues(Dialog);
            Dialog.accept();
        })
        .Then([&](QDialog& Dialog) {
            two = SheetValues(Dialog);
            Dialog.accept();
        });
    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path("work"), {"notes.txt"})).get(), "properties"),
              S_OK);
    EXPECT_EQ(one["Name"], "notes.txt");
    EXPECT_EQ(one["Folder"], tree.Path("work"));
    EXPECT_EQ(one["Size"], "5 bytes");
    EXPECT_EQ(one["Permissions"], "rw-r-----");
    EXPECT_FALSE(one["Kind"].isEmpty());
    EXPECT_TRUE(QDateTime::fromString(one["Modified"], "yyyy-MM-dd HH:mm:ss").isValid());

    EXPECT_EQ(InvokeVerb(ContextMenuOf(ShellItems(tree.Path("work"), {"notes.txt", "more.txt"})).get(),
                         "properties"),
              S_OK);
    EXPECT_EQ(two["Name"], "2 items");
    EXPECT_EQ(two["Size"], "8 bytes");
    EXPECT_EQ(two["Folder"], tree.Path("work"));
}
