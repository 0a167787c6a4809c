// File routines: sizes, deletion, plain files below a folder, and temporary names.
#include "routines/file_routines.h"

#include "platform/system/files.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString NewFolder(const QString& name)
{
    const QString folder = testRunFolder() + "/files-" + name + "/";
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
}

void WriteFile(const QString& name, const QByteArray& content = "x")
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(FileRoutines, SizeAndDeletion)
{
    const QString folder = NewFolder("size");
    WriteFile(folder + "five", "12345");
    EXPECT_EQ(FileSizeByName(folder + "five"), 5);
    EXPECT_EQ(FileSizeByName(folder + "missing"), 0);
    EXPECT_EQ(FileSizeByName(folder), 0);

    EXPECT_TRUE(DeleteFileIfExists(folder + "five"));
    EXPECT_FALSE(FileExists(folder + "five"));
    EXPECT_FALSE(DeleteFileIfExists(folder + "five"));
    EXPECT_FALSE(DeleteFileIfExists(folder)); // never a folder
}

TEST(FileRoutines, FolderHasPlainFiles)
{
    const QString root = NewFolder("tree");
    struct Case {
        const char* name;
        std::function<void(const QString&)> fill;
        bool flat;
        bool recursive;
    };
    const Case cases[] = {
        {"empty", [](const QString&) {}, false, false},
        {"plain", [](const QString& f) { WriteFile(f + "a.txt"); }, true, true},
        {"read-only",
         [](const QString& f) {
             WriteFile(f + "r.txt");
             ::chmod(QFile::encodeName(f + "r.txt").constData(), 0444);
         },
         false, false},
        {"hidden", [](const QString& f) { WriteFile(f + ".hidden"); }, false, false},
        {"nested",
         [](const QString& f) {
             QDir().mkpath(f + "sub/deeper");
             WriteFile(f + "sub/deeper/a.txt");
         },
         false, true},
        {"nested-hidden-file",
         [](const QString& f) {
             QDir().mkpath(f + "sub");
             WriteFile(f + "sub/.a");
         },
         false, false},
        {"link-loop",
         [](const QString& f) { ASSERT_EQ(::symlink(".", QFile::encodeName(f + "loop").constData()), 0); },
         false, false},
        {"link-to-files",
         [&root](const QString& f) {
             const QString target = QDir::cleanPath(root + "/plain");
             ASSERT_EQ(
                 ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(f + "l").constData()), 0);
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = root + c.name + "/";
        ASSERT_TRUE(QDir().mkpath(folder));
        c.fill(folder);
        EXPECT_EQ(FolderHasFiles(folder, false), c.flat);
        EXPECT_EQ(FolderHasFiles(folder, true), c.recursive);
        EXPECT_EQ(FolderHasFiles(root + c.name, true), c.recursive); // without the trailing "/"
    }
    EXPECT_FALSE(FolderHasFiles(root + "missing", true));
}

TEST(FileRoutines, TempFileNamesAreUniqueAndCreated)
{
    const QString folder = NewFolder("temp");
    const QRegularExpression pattern("^pre[0-9A-F]{1,4}\\.TMP$");
    QSet<QString> names;
    for (int i = 0; i < 1000; ++i) {
        const QString name = MakeTempFileName(folder, "prefix");
        ASSERT_TRUE(name.startsWith(folder)) << name.toStdString();
        ASSERT_TRUE(pattern.match(name.mid(folder.size())).hasMatch()) << name.toStdString();
        ASSERT_TRUE(FileExists(name));
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 1000);
    EXPECT_EQ(MakeTempFileName(folder + "missing/", "pre"), "");
    EXPECT_TRUE(GetTempFolder().endsWith("/"));
    EXPECT_TRUE(QDir(GetTempFolder()).exists());
}

TEST(FileRoutines, TempFilesWithAnExtension)
{
    struct Case {
        const char* name;
        const char* extension;
        bool deleteCreated;
        const char* suffix;
    };
    const Case cases[] = {
        {"htm", ".html", true, ".html"},
        {"htm", "html", false, ".html"},
        {"abcdef", "", false, ".TMP"},
        {"x", "", true, ".TMP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << c.extension << c.deleteCreated);
        const QString name = MakeTempFileWithExt(c.name, c.extension, c.deleteCreated);
        ASSERT_TRUE(name.startsWith(GetTempFolder() + QString(c.name).left(3))) << name.toStdString();
        EXPECT_TRUE(name.endsWith(c.suffix));
        EXPECT_EQ(FileExists(name), !c.deleteCreated);
        // The created ".TMP" file is never left behind under another name.
        const QString created = name.left(name.lastIndexOf('.')) + ".TMP";
        if (created != name) {
            EXPECT_FALSE(FileExists(created));
        }
    }
}

TEST(FileRoutines, AKeptTempFileNeverReplacesAnExistingOne)
{
    // The numbers count up: the next temporary name follows this one.
    const QString probe = MakeTempFileName(GetTempFolder(), "col");
    const int number = probe.mid(probe.lastIndexOf('/') + 4).section('.', 0, 0).toInt(nullptr, 16);
    const QString taken = GetTempFolder() + "col" + QString::number(number + 1, 16).toUpper() + ".ext";
    WriteFile(taken, "keep me");

    const QString name = MakeTempFileWithExt("col", ".ext", false);
    EXPECT_NE(name, taken);
    EXPECT_TRUE(FileExists(name));
    QFile kept(taken);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me");
    EXPECT_FALSE(FileExists(GetTempFolder() + "col" + QString::number(number + 1, 16).toUpper() + ".TMP"));
}
