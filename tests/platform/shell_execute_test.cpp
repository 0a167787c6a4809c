// ShellExecute: what is opened by the desktop's handler, what is started as a program and with
// which arguments, and the failures; and the special folders.
#include "platform/shellapi/shell_execute.h"
#include "platform/shellapi/special_folders.h"

#include "support/launch_recorder.h"
#include "support/qt_printers.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

using namespace win;

TEST(ShellExecute, ProgramsGetAnArgumentVectorEverythingElseGoesToTheDesktop)
{
    TTempTree tree;
    tree.File("tool.sh", "#!/bin/sh\n");
    QFile::setPermissions(tree.Path("tool.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    tree.File("page; rm -rf x.html");
    const struct {
        QString file;
        QString parameters;
        QUrl url;
        QString program;
        QStringList arguments;
    } cases[] = {
        {tree.Path("tool.sh"), "a \"b c\"  d;e \"\"", {}, tree.Path("tool.sh"), {"a", "b c", "d;e", ""}},
        {tree.Path("tool.sh"),
         "\"/home/me/My Files/a.txt\"",
         {},
         tree.Path("tool.sh"),
         {"/home/me/My Files/a.txt"}},
        {tree.Path("page; rm -rf x.html"),
         "ignored",
         QUrl::fromLocalFile(tree.Path("page; rm -rf x.html")),
         {},
         {}},
        {tree.Path(), {}, QUrl::fromLocalFile(tree.Path()), {}, {}},
        {"https://example.invalid/help/", {}, QUrl("https://example.invalid/help/"), {}, {}},
        {"mailto:someone@example.invalid", {}, QUrl("mailto:someone@example.invalid"), {}, {}},
    };
    for (const auto& c : cases) {
        TLaunchRecorder recorder;
        EXPECT_GT(ShellExecute(nullptr, "open", c.file, c.parameters, {}, SW_SHOWNORMAL), 32)
            << c.file.toStdString();
        ASSERT_EQ(recorder.launches.size(), 1u);
        EXPECT_EQ(recorder.launches[0].Url, c.url);
        EXPECT_EQ(recorder.launches[0].Program, c.program);
        EXPECT_EQ(recorder.launches[0].Arguments, c.arguments);
    }
}

TEST(ShellExecute, Failures)
{
    TTempTree tree;
    tree.File("doc.txt");
    {
        TLaunchRecorder recorder;
        EXPECT_EQ(ShellExecute(nullptr, "open", tree.Path("missing.txt"), {}, {}, SW_SHOWNORMAL), SE_ERR_FNF);
        EXPECT_EQ(ShellExecute(nullptr, "print", tree.Path("doc.txt"), {}, {}, SW_SHOWNORMAL),
                  SE_ERR_NOASSOC);
        EXPECT_TRUE(recorder.launches.empty());
        EXPECT_GT(ShellExecute(nullptr, "", tree.Path("doc.txt"), {}, {}, SW_SHOWNORMAL), 32);
    }
    TLaunchRecorder failing(false);
    EXPECT_EQ(ShellExecute(nullptr, "open", tree.Path("doc.txt"), {}, {}, SW_SHOWNORMAL), SE_ERR_NOASSOC);
}

TEST(ShellExecute, SpecialFolders)
{
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_DESKTOP),
              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY), SHGetSpecialFolderPath(CSIDL_DESKTOP));
    EXPECT_EQ(SHGetSpecialFolderPath(CSIDL_PERSONAL),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(SHGetSpecialFolderPath(0x0002), QString());
}
