// Renaming items of the namespace: the new list, names that are refused, entries that are never
// replaced (also when one appears meanwhile, and where the no-replace rename is refused), names
// kept byte for byte, and the message an owner window sees.
#include "platform/shellapi/file_operation.h"
#include "platform/shellapi/file_tree.h"
#include "platform/shellapi/namespace_folders.h"
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"

#include "platform/shell_item_fixture.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QMessageBox>

#include <cerrno>

using namespace win;

namespace {

// Renames the entry Name of Folder; NewName receives the display name of the new list.
HRESULT Rename(const QString& Folder, const QString& Name, const QString& To, QString* NewName = nullptr,
               HWND Owner = nullptr)
{
    const TShellItems items = ShellItems(Folder, {Name});
    LPITEMIDLIST renamed = nullptr;
    const HRESULT result = items.Folder->SetNameOf(Owner, items.Items[0].get(), To, 0x20, &renamed);
    const TPidl owned(renamed);
    EXPECT_EQ(SUCCEEDED(result), renamed != nullptr);
    if (NewName && renamed)
        EXPECT_EQ(items.Folder->GetDisplayNameOf(renamed, SHGDN_INFOLDER, NewName), S_OK);
    return result;
}

// Installs rename hooks while it lives.
struct TRenameHooksScope {
    explicit TRenameHooksScope(TRenameHooks Hooks) : previous(SetRenameHooks(std::move(Hooks))) {}
    ~TRenameHooksScope() { SetRenameHooks(previous); }
    TRenameHooks previous;
};

} // namespace

TEST(ShellRename, RenamesAndGivesTheNewList)
{
    TTempTree tree;
    tree.File("a.txt", "a");
    tree.Folder("sub");
    tree.File("sub/inner");
    QString name;
    EXPECT_EQ(Rename(tree.Path(), "a.txt", "b c.txt", &name), S_OK);
    EXPECT_EQ(name, "b c.txt");
    EXPECT_EQ(Rename(tree.Path(), "sub", "Sub 2", &name), S_OK);
    EXPECT_EQ(name, "Sub 2");
    EXPECT_EQ(Rename(tree.Path(), "Sub 2", "Sub 2", &name), S_OK); // keeping the name
    EXPECT_EQ(tree.List(), QStringList({"Sub 2/", "Sub 2/inner", "b c.txt"}));
    EXPECT_EQ(tree.Read("b c.txt"), "a");

    // Names kept byte for byte, also ones that are not UTF-8.
    const QString latin1 = DecodeName("caf\xe9.txt");
    EXPECT_EQ(Rename(tree.Path(), "b c.txt", latin1, &name), S_OK);
    EXPECT_EQ(EncodeName(name), QByteArray("caf\xe9.txt"));
    EXPECT_TRUE(tree.Exists(latin1));
    EXPECT_EQ(Rename(tree.Path(), latin1, DecodeName("\xff\xfe"), &name), S_OK);
    EXPECT_TRUE(tree.Exists(DecodeName("\xff\xfe")));
}

TEST(ShellRename, RefusedNamesAndItems)
{
    TTempTree tree;
    tree.File("a.txt");
    for (const QString& name : {QString(), QString("."), QString(".."), QString("x/y"), QString("/"),
                                QString("a") + QChar(0) + "b"}) {
        EXPECT_EQ(Rename(tree.Path(), "a.txt", name), E_INVALIDARG) << name.toStdString();
    }
    EXPECT_EQ(tree.List(), QStringList({"a.txt"}));

    // Only entries of the folder itself: not the folder, not Computer.
    const TShellItems itself = ShellItems(tree.Path(), {""});
    LPITEMIDLIST renamed = nullptr;
    EXPECT_EQ(itself.Folder->SetNameOf(nullptr, itself.Items[0].get(), "x", 0, &renamed), E_INVALIDARG);
    const TShellItems computer = ShellItems("", {"::computer"});
    EXPECT_EQ(computer.Folder->SetNameOf(nullptr, computer.Items[0].get(), "x", 0, &renamed), E_INVALIDARG);
    EXPECT_EQ(renamed, nullptr);
}

TEST(ShellRename, NeverReplacesAnEntry)
{
    const HRESULT exists = HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
    for (const bool refuseFlag : {false, true}) {
        SCOPED_TRACE(refuseFlag ? "without the no-replace rename" : "with the no-replace rename");
        TTempTree tree(refuseFlag ? "fallback" : "");
        tree.File("a.txt", "a");
        tree.File("b.txt", "b");
        tree.Folder("dir");
        tree.Link("dangling", "/nonexistent");
        TRenameHooksScope hooks({{}, refuseFlag});

        EXPECT_EQ(Rename(tree.Path(), "a.txt", "b.txt"), exists);
        EXPECT_EQ(Rename(tree.Path(), "a.txt", "dir"), exists);
        EXPECT_EQ(Rename(tree.Path(), "dir", "b.txt"), exists);
        EXPECT_EQ(Rename(tree.Path(), "b.txt", "dangling"), exists); // a link that leads nowhere is there
        EXPECT_EQ(tree.Read("a.txt"), "a");
        EXPECT_EQ(tree.Read("b.txt"), "b");

        // A file appearing between the check and the rename is not replaced either.
        {
            TRenameHooksScope race({[&](const QString&) { tree.File("late.txt", "late"); }, refuseFlag});
            EXPECT_EQ(Rename(tree.Path(), "a.txt", "late.txt"), exists);
        }
        EXPECT_EQ(tree.Read("a.txt"), "a");
        EXPECT_EQ(tree.Read("late.txt"), "late");

        EXPECT_EQ(Rename(tree.Path(), "a.txt", "new.txt"), S_OK);
        EXPECT_EQ(Rename(tree.Path(), "dir", "newdir"), S_OK);
        EXPECT_EQ(tree.List(), QStringList({"b.txt", "dangling", "late.txt", "new.txt", "newdir/"}));
    }
}

TEST(ShellRename, AnOwnerWindowSeesTheFailure)
{
    TTempTree tree;
    tree.File("a.txt");
    tree.File("b.txt");
    const HWND owner = reinterpret_cast<HWND>(1);
    TScriptedPrompts prompts;
    prompts
        .Then([](QDialog& Dialog) {
            EXPECT_TRUE(
                static_cast<QMessageBox&>(Dialog).text().startsWith("Cannot rename 'a.txt' to 'b.txt'."));
            Dialog.reject();
        })
        .Then([](QDialog& Dialog) {
            EXPECT_TRUE(static_cast<QMessageBox&>(Dialog).text().contains("cannot be empty"));
            Dialog.reject();
        });
    EXPECT_EQ(Rename(tree.Path(), "a.txt", "b.txt", nullptr, owner),
              HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(Rename(tree.Path(), "a.txt", "", nullptr, owner), E_INVALIDARG);
    EXPECT_EQ(prompts.Shown(), 2);
    EXPECT_EQ(tree.List(), QStringList({"a.txt", "b.txt"}));
}

TEST(ShellRename, FileOperationRenamesAndMovesNeverReplaceAnEntryThatAppearsMeanwhile)
{
    TTempTree tree;
    tree.File("a.txt", "a");
    tree.File("dir/b.txt", "b");
    TRenameHooksScope race({[&](const QString& To) { tree.File(To.mid(tree.Path().size() + 1), "late"); }});

    TFileOperation rename;
    rename.Function = FO_RENAME;
    rename.Sources = {{tree.Path("a.txt"), false}};
    rename.Target = tree.Path("renamed.txt");
    rename.Flags = FOF_NOCONFIRMATION | FOF_NOERRORUI;
    EXPECT_EQ(RunFileOperation(rename), EEXIST);
    EXPECT_EQ(MoveTree(tree.Path("dir/b.txt"), tree.Path("moved.txt")), EEXIST);
    EXPECT_EQ(tree.Read("a.txt"), "a");
    EXPECT_EQ(tree.Read("dir/b.txt"), "b");
    EXPECT_EQ(tree.Read("renamed.txt"), "late");
    EXPECT_EQ(tree.Read("moved.txt"), "late");
}
