// ReadShellLink: link files into TLinkData, with and without the target's list.
#include "shell/shell_link.h"

#include "shell/pidl_routines.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

TEST(ShellLink, ReadsLinksWithTheirTargets)
{
    TTempTree tree;
    TMountTableScope mounts(tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1"));
    tree.File("docs/report.txt", "12345");
    tree.Link("to-report", tree.Path("docs/report.txt"));
    tree.Link("dangling", tree.Path("docs/gone"));
    tree.File("app.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/editor --x %f\nComment=Edits\nIcon=ed\n"
                             "Path=/srv\n");

    TLinkData data;
    data.ResolveMode = 1;
    ASSERT_EQ(ReadShellLink(tree.Path("to-report"), data, true), win::S_OK);
    EXPECT_EQ(data.Path, tree.Path("docs/report.txt"));
    EXPECT_EQ(data.ValidFields, ldfAll);
    EXPECT_EQ(data.ResolveMode, 1);
    EXPECT_EQ(data.ShowCommand, 1);
    EXPECT_EQ(data.FindData.Name, QStringLiteral("report.txt"));
    EXPECT_EQ(data.FindData.Size, 5);
    ASSERT_NE(data.Pidl, nullptr);
    EXPECT_EQ(PidlToPath(data.Pidl), tree.Path("docs/report.txt"));
    ShellFree(data.Pidl);

    ASSERT_EQ(ReadShellLink(tree.Path("app.desktop"), data, false), win::S_OK);
    EXPECT_EQ(data.Path, QStringLiteral("/bin/editor"));
    EXPECT_EQ(data.Arguments, QStringLiteral("--x"));
    EXPECT_EQ(data.Description, QStringLiteral("Edits"));
    EXPECT_EQ(data.IconLocation, QStringLiteral("ed"));
    EXPECT_EQ(data.WorkingFolder, QStringLiteral("/srv"));
    EXPECT_EQ(data.Pidl, nullptr);
    EXPECT_EQ(data.ResolveMode, 1);

    // A link that leads nowhere is read; its target has no list and no find data.
    EXPECT_EQ(ReadShellLink(tree.Path("dangling"), data, true), win::HRESULT_FROM_WIN32(win::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(data.Path, tree.Path("docs/gone"));
    EXPECT_EQ(data.Pidl, nullptr);
    EXPECT_TRUE(data.FindData.Name.isEmpty());
    EXPECT_EQ(ReadShellLink(tree.Path("dangling"), data, false), win::S_OK);

    tree.File("old.lnk", "L");
    EXPECT_EQ(ReadShellLink(tree.Path("old.lnk"), data, false), win::E_FAIL);
    EXPECT_EQ(data.ValidFields, 0u);
    EXPECT_EQ(ReadShellLink(QStringLiteral("/") + QString(5000, QLatin1Char('l')), data, false), win::E_INVALIDARG);
}
