// Reading links: symbolic links, desktop entry files, and what is not read.
#include "platform/shellapi/shell_links.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

TEST(ShellLinks, SymbolicLinksLeadWhereTheyPointEvenNowhere)
{
    TTempTree tree;
    tree.File("dir/target.txt");
    tree.Link("dir/absolute", tree.Path("dir/target.txt"));
    tree.Link("dir/relative", "target.txt");
    tree.Link("dir/up", "../elsewhere/gone");
    const struct {
        const char* Link;
        QString Target;
    } cases[] = {
        {"dir/absolute", tree.Path("dir/target.txt")},
        {"dir/relative", tree.Path("dir/target.txt")},
        {"dir/up", tree.Path("dir/../elsewhere/gone")},
    };
    for (const auto& c : cases) {
        TLinkTarget target;
        ASSERT_EQ(ReadLinkFile(tree.Path(c.Link), target), win::S_OK) << c.Link;
        EXPECT_EQ(target.Kind, TLinkTarget::lkSymbolicLink);
        EXPECT_EQ(target.Path, c.Target);
    }
}

TEST(ShellLinks, DesktopEntriesOfLinksAndApplications)
{
    TTempTree tree;
    tree.File("docs.desktop", "# a link\n[Desktop Entry]\nType=Link\nName=Docs\nComment=My\\sdocuments\n"
                              "URL=file:///home/me/My%20Docs/%FF\nIcon=folder\n");
    tree.File("editor.desktop", "[Desktop Action New]\nExec=wrong\n[Desktop Entry]\nType=Application\n"
                                "Name[de]=Bearbeiter\nExec=/usr/bin/editor --new \"two words\" %U 50%%\n"
                                "Path=/tmp\n");
    tree.File("shell.desktop", "[Desktop Entry]\nType=Application\nExec=sh -c \"echo \\\"hi\\\"\"\n");

    TLinkTarget target;
    ASSERT_EQ(ReadLinkFile(tree.Path("docs.desktop"), target), win::S_OK);
    EXPECT_EQ(target.Kind, TLinkTarget::lkFileLink);
    EXPECT_EQ(target.Path, QString::fromUtf8("/home/me/My Docs/") + QChar(0xDCFF));
    EXPECT_EQ(target.Description, QStringLiteral("My documents"));
    EXPECT_EQ(target.IconLocation, QStringLiteral("folder"));

    ASSERT_EQ(ReadLinkFile(tree.Path("editor.desktop"), target), win::S_OK);
    EXPECT_EQ(target.Kind, TLinkTarget::lkApplication);
    EXPECT_EQ(target.Path, QStringLiteral("/usr/bin/editor"));
    EXPECT_EQ(target.Arguments, QStringLiteral("--new \"two words\" 50%"));
    EXPECT_EQ(target.WorkingFolder, QStringLiteral("/tmp"));

    ASSERT_EQ(ReadLinkFile(tree.Path("shell.desktop"), target), win::S_OK);
    EXPECT_EQ(target.Path, QStandardPaths::findExecutable("sh"));
    EXPECT_EQ(target.Arguments, QStringLiteral("-c \"echo \"hi\"\""));
}

TEST(ShellLinks, OtherFilesAreNotLinks)
{
    TTempTree tree;
    tree.File("old.lnk", QByteArray::fromHex("4c0000000114020000000000c000000000000046"));
    tree.File("web.desktop", "[Desktop Entry]\nType=Link\nURL=https://example.invalid/\n");
    tree.File("dir.desktop", "[Desktop Entry]\nType=Directory\n");
    tree.File("empty.desktop", "[Desktop Entry]\nType=Application\nExec=%F\n");
    tree.File("plain.txt");
    for (const char* name : {"old.lnk", "web.desktop", "dir.desktop", "empty.desktop", "plain.txt"}) {
        TLinkTarget target;
        EXPECT_EQ(ReadLinkFile(tree.Path(name), target), win::E_FAIL) << name;
    }
    TLinkTarget target;
    EXPECT_EQ(ReadLinkFile(tree.Path("missing.desktop"), target), win::HRESULT_FROM_WIN32(2));
    tree.Folder("folder.desktop");
    EXPECT_EQ(ReadLinkFile(tree.Path("folder.desktop"), target), win::E_FAIL);
}
