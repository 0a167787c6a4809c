// Shell routines: the comma-list operation and its refusals, emptying folders (also into the
// trash, never through links), opening files, special folders.
#include "routines/shell_routines.h"

#include "platform/shellapi/shell_execute.h"
#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QStandardPaths>

using namespace win;

TEST(ShellRoutines, CommaListsAndRefusals)
{
    TTempTree tree;
    tree.File("a.txt");
    tree.File("b.txt");
    tree.File("c.txt");
    const int quiet = FOF_NOCONFIRMATION | FOF_NOERRORUI;
    for (int operation : {0, 5, 1000})
        EXPECT_FALSE(ShellFileOp(tree.Path("a.txt"), tree.Path("x"), operation, quiet)) << operation;
    EXPECT_FALSE(ShellFileOp("", tree.Path("x"), FO_COPY, quiet));
    EXPECT_EQ(tree.List(), QStringList({"a.txt", "b.txt", "c.txt"}));

    // with or without the trailing comma; the mapping flag is dropped
    EXPECT_TRUE(ShellFileOp(tree.Path("a.txt") + "," + tree.Path("b.txt"), tree.Path("copies"), FO_COPY,
                            quiet | FOF_WANTMAPPINGHANDLE));
    EXPECT_TRUE(ShellFileOp(tree.Path("c.txt") + ",", tree.Path("copies") + ",", FO_MOVE, quiet));
    EXPECT_EQ(tree.List(),
              QStringList({"a.txt", "b.txt", "copies/", "copies/a.txt", "copies/b.txt", "copies/c.txt"}));
    EXPECT_TRUE(ShellFileOp(tree.Path("copies/c.txt"), tree.Path("copies/d.txt"), FO_RENAME, quiet));
    EXPECT_TRUE(ShellFileOp(tree.Path("a.txt,") + tree.Path("b.txt"), "", FO_DELETE, quiet));
    EXPECT_EQ(tree.List(), QStringList({"copies/", "copies/a.txt", "copies/b.txt", "copies/d.txt"}));
    // a failure or a cancelled question is false
    EXPECT_FALSE(ShellFileOp(tree.Path("missing"), "", FO_DELETE, quiet));
    TScriptedPrompts prompts;
    prompts.Then(Click("&No"));
    EXPECT_FALSE(ShellFileOp(tree.Path("copies/d.txt"), "", FO_DELETE, FOF_NOERRORUI));
    EXPECT_TRUE(tree.Exists("copies/d.txt"));
}

TEST(ShellRoutines, NamesWithCommasNeedTheListForm)
{
    TTempTree tree;
    tree.File("Smith, John/tmp/x.txt");
    tree.File("Smith/keep.txt");
    EXPECT_TRUE(ShellFileOpList({{tree.Path("Smith, John/tmp/x.txt"), false}}, "", FO_DELETE,
                                FOF_NOCONFIRMATION | FOF_NOERRORUI));
    EXPECT_EQ(tree.List(), QStringList({"Smith, John/", "Smith, John/tmp/", "Smith/", "Smith/keep.txt"}));
    EXPECT_FALSE(ShellFileOpList({}, "", FO_DELETE, 0));
}

TEST(ShellRoutines, DeleteFolderFilesEmptiesTheFolderOnly)
{
    TTempTree tree;
    EXPECT_FALSE(DeleteFolderFiles(tree.Path("missing"), false));

    tree.File("outside/keep.txt");
    tree.File("Smith, John/FTPZipTemp/a.txt");
    tree.File("Smith, John/FTPZipTemp/.hidden");
    tree.File("Smith, John/FTPZipTemp/sub/b.txt");
    tree.Link("Smith, John/FTPZipTemp/sub/out", tree.Path("outside"));
    tree.Link("Smith, John/FTPZipTemp/out", tree.Path("outside"));
    tree.File("Smith, John/FTPZipTemp-sibling/c.txt");
    // without and with the trailing separator
    EXPECT_TRUE(DeleteFolderFiles(tree.Path("Smith, John/FTPZipTemp"), false));
    tree.File("Smith, John/FTPZipTemp/again.txt");
    EXPECT_TRUE(DeleteFolderFiles(tree.Path("Smith, John/FTPZipTemp/"), false));
    EXPECT_EQ(tree.List(), QStringList({"Smith, John/", "Smith, John/FTPZipTemp-sibling/",
                                        "Smith, John/FTPZipTemp-sibling/c.txt", "Smith, John/FTPZipTemp/",
                                        "outside/", "outside/keep.txt"}));
    EXPECT_TRUE(DeleteFolderFiles(tree.Path("Smith, John/FTPZipTemp"), false)); // nothing left to delete
}

TEST(ShellRoutines, DeleteFolderFilesIntoTheTrashAsks)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.File("scratch/a.txt");
    tree.File("scratch/sub/b.txt");
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_EQ(Dialog.windowTitle(), "Confirm");
        ButtonOf(Dialog, "&Yes")->click();
    });
    EXPECT_TRUE(DeleteFolderFiles(tree.Path("scratch"), true));
    EXPECT_EQ(tree.List("scratch"), QStringList());
    EXPECT_EQ(tree.List("data/Trash/files"), QStringList({"a.txt", "sub/", "sub/b.txt"}));
}

TEST(ShellRoutines, ShellOpenFilePassesParametersWithBlanksAsOneArgument)
{
    TTempTree tree;
    tree.File("viewer", "#!/bin/sh\n");
    QFile::setPermissions(tree.Path("viewer"), QFile::ReadOwner | QFile::ExeOwner);
    tree.File("page.html");
    std::vector<TShellLaunch> launches;
    const TShellLauncher previous = SetShellLauncher([&](const TShellLaunch& Launch) {
        launches.push_back(Launch);
        return true;
    });
    EXPECT_TRUE(ShellOpenFile(tree.Path("viewer"), "/home/me/My Files/a.txt"));
    EXPECT_TRUE(ShellOpenFile(tree.Path("viewer"), "plain"));
    EXPECT_TRUE(ShellOpenFile(tree.Path("page.html"), ""));
    EXPECT_FALSE(ShellOpenFile(tree.Path("missing.html"), ""));
    SetShellLauncher(previous);
    ASSERT_EQ(launches.size(), 3u);
    EXPECT_EQ(launches[0].Arguments, QStringList({"/home/me/My Files/a.txt"}));
    EXPECT_EQ(launches[1].Arguments, QStringList({"plain"}));
    EXPECT_EQ(launches[2].Url, QUrl::fromLocalFile(tree.Path("page.html")));
}

TEST(ShellRoutines, SpecialFolderEndsWithASeparator)
{
    EXPECT_EQ(GetSpecialFolder(0), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/");
    EXPECT_EQ(GetSpecialFolder(0x0002), QString()); // a folder with no path here
}
