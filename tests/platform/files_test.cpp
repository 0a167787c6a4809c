// Local files: existence and deletion, full paths, name parts, and folder searches with attributes.
#include "platform/rtl/file_names.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"
#include "platform/system/find_files.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A fresh folder below the run folder for one test.
QString NewFolder(const QString& name)
{
    const QString folder = testRunFolder() + "/files-" + name;
    EXPECT_TRUE(CreateDir(folder));
    return folder;
}

void WriteFile(const QString& name, const QByteArray& content)
{
    TFileStream stream(name, fmCreate);
    stream.WriteBuffer(content.constData(), content.size());
}

QByteArray Raw(const QString& name)
{
    return EncodeName(name);
}

struct Found {
    int attr;
    std::int64_t size;
    bool operator==(const Found&) const = default;
};

std::map<QString, Found> Search(const QString& path, int attr)
{
    std::map<QString, Found> found;
    TSearchRec f;
    for (int result = FindFirst(path, attr, f); result == 0; result = FindNext(f))
        found[f.Name] = {f.Attr, f.Size};
    FindClose(f);
    return found;
}

} // namespace

TEST(Files, ExistenceCreationAndDeletion)
{
    const QString folder = NewFolder("basics");
    const QString file = folder + "/a.txt";
    WriteFile(file, "12345");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_EQ(FileSizeOf(file), 5);
    EXPECT_EQ(FileSizeOf(folder), 0);
    EXPECT_EQ(FileSizeOf(folder + "/missing"), -1);
    EXPECT_FALSE(FileExists(""));

    EXPECT_FALSE(CreateDir(folder));          // exists already
    EXPECT_FALSE(CreateDir(folder + "/x/y")); // parent missing
    EXPECT_FALSE(DeleteFile(folder));         // a folder is no file
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
}

TEST(Files, NamesWithInvalidUtf8AreCreatedFoundAndDeletedByteForByte)
{
    const QString folder = NewFolder("bytes");
    const QByteArray rawName = "caf\xE9 \xFF.txt";
    const QString name = DecodeName(rawName);
    WriteFile(folder + "/" + name, "x");
    struct stat st;
    ASSERT_EQ(::stat((Raw(folder) + "/" + rawName).constData(), &st), 0);
    EXPECT_TRUE(FileExists(folder + "/" + name));

    TSearchRec f;
    ASSERT_EQ(FindFirst(folder + "/*.txt", faAnyFile, f), 0);
    EXPECT_EQ(f.Name, name);
    EXPECT_EQ(EncodeName(f.Name), rawName);
    FindClose(f);

    EXPECT_TRUE(DeleteFile(folder + "/" + f.Name));
    EXPECT_NE(::stat((Raw(folder) + "/" + rawName).constData(), &st), 0);
}

TEST(Files, ExpandFileNameResolvesTheWorkingFolderAndDots)
{
    struct Case {
        QString name, expected;
    };
    const Case cases[] = {
        {"/a/b/../c", "/a/c"},
        {"/a/./b//c/", "/a/b/c/"},
        {"/..", "/"},
        {"/a/b/..", "/a"},
        {"/a/b/../", "/a/"},
        {"/", "/"},
        {"", ""},
        {"/a\\b:c", "/a\\b:c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandFileName(c.name), c.expected) << c.name.toStdString();
    EXPECT_EQ(ExpandFileName("x/./y"), QDir::currentPath() + "/x/y");
}

TEST(FileNames, PartsOfLocalPaths)
{
    struct Case {
        QString path, name, folder, extension, changed;
    };
    const Case cases[] = {
        {"/home/ann/page.html", "page.html", "/home/ann/", ".html", "/home/ann/page.txt"},
        {"archive.tar.gz", "archive.tar.gz", "", ".gz", "archive.tar.txt"},
        {"/srv/v1.2/README", "README", "/srv/v1.2/", "", "/srv/v1.2/README.txt"},
        {"/home/ann/", "", "/home/ann/", "", "/home/ann/.txt"},
        {".profile", ".profile", "", ".profile", ".txt"},
        {"C:\\Temp\\a:b.txt", "C:\\Temp\\a:b.txt", "", ".txt", "C:\\Temp\\a:b.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFilePath(c.path), c.folder);
        EXPECT_EQ(ExtractFileExt(c.path), c.extension);
        EXPECT_EQ(ChangeFileExt(c.path, ".txt"), c.changed);
    }
    EXPECT_EQ(ChangeFileExt("/tmp/HFT1A.TMP", ""), "/tmp/HFT1A");
}

TEST(FindFiles, AttributesAreMadeFromTypeAndModeAndFilterTheEntries)
{
    const QString folder = NewFolder("find");
    WriteFile(folder + "/file.txt", "hello");
    WriteFile(folder + "/readonly.txt", "r");
    ::chmod(Raw(folder + "/readonly.txt").constData(), 0444);
    WriteFile(folder + "/.hidden", "");
    ASSERT_TRUE(CreateDir(folder + "/sub"));
    ::symlink("sub", Raw(folder + "/link-to-sub").constData());
    ::symlink("nowhere", Raw(folder + "/dangling").constData());
    const std::int64_t bigSize = (std::int64_t(5) << 30) + 3;
    {
        TFileStream big(folder + "/big.bin", fmCreate);
        big.SetSize(bigSize);
    }

    const std::map<QString, Found> all = {
        {".hidden", {faArchive | faHidden, 0}},
        {"big.bin", {faArchive, bigSize}},
        {"dangling", {faArchive, 0}},
        {"file.txt", {faArchive, 5}},
        {"link-to-sub", {faDirectory, 0}},
        {"readonly.txt", {faArchive | faReadOnly, 1}},
        {"sub", {faDirectory, 0}},
    };
    EXPECT_EQ(Search(folder + "/*", faAnyFile), all);
    EXPECT_EQ(Search(folder + "/*.*", faAnyFile), all);

    auto without = [&](std::initializer_list<const char*> names) {
        auto rest = all;
        for (const char* n : names)
            rest.erase(n);
        return rest;
    };
    EXPECT_EQ(Search(folder + "/*", 0), without({".hidden", "link-to-sub", "sub"}));
    EXPECT_EQ(Search(folder + "/*", faDirectory), without({".hidden"}));
    EXPECT_EQ(Search(folder + "/*", faHidden), without({"link-to-sub", "sub"}));
    EXPECT_EQ(Search(folder + "/*.txt", faAnyFile).size(), 2u);
    EXPECT_EQ(Search(folder + "/?ile.*", faAnyFile),
              (std::map<QString, Found>{{"file.txt", {faArchive, 5}}}));
    EXPECT_EQ(Search(folder + "/*.TXT", faAnyFile).size(), 0u);
    EXPECT_EQ(Search(folder + "/file.txt", 0), (std::map<QString, Found>{{"file.txt", {faArchive, 5}}}));
    EXPECT_EQ(Search(folder + "/sub", faDirectory).size(), 1u);
}

TEST(FindFiles, ResultCodesAndTimes)
{
    const QString folder = NewFolder("codes");
    WriteFile(folder + "/one", "1");
    const timespec times[2] = {{1700000000, 0}, {1700000000, 500000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Raw(folder + "/one").constData(), times, 0), 0);

    TSearchRec f;
    ASSERT_EQ(FindFirst(folder + "/*", faAnyFile, f), 0);
    EXPECT_EQ(f.TimeStamp, QDateTimeToDateTime(QDateTime::fromMSecsSinceEpoch(1700000000500)));
    EXPECT_EQ(FindNext(f), win::ERROR_NO_MORE_FILES);
    EXPECT_EQ(FindNext(f), win::ERROR_NO_MORE_FILES);
    FindClose(f);
    EXPECT_EQ(FindNext(f), win::ERROR_NO_MORE_FILES);

    struct Case {
        QString path;
        int attr, result;
    };
    const Case cases[] = {
        {folder + "/missing", faAnyFile, win::ERROR_FILE_NOT_FOUND},
        {folder + "/*.none", faAnyFile, win::ERROR_FILE_NOT_FOUND},
        {folder + "/one/", faAnyFile, win::ERROR_PATH_NOT_FOUND},
        {folder + "/nowhere/*", faAnyFile, win::ERROR_PATH_NOT_FOUND},
        {folder + "/nowhere/one", faAnyFile, win::ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        TSearchRec r;
        EXPECT_EQ(FindFirst(c.path, c.attr, r), c.result) << c.path.toStdString();
        EXPECT_FALSE(r.FindHandle);
    }
}
