// The zip archive's name for a given day, its comment, its scratch folder and the folder that
// receives it when the chosen one is gone.
#include "session_fixture.h"

#include "platform/system/name_encoding.h"
#include "routines/registry_helpers.h"
#include "session/zip_archive.h"

#include <QDir>
#include <QFileInfo>

namespace {

using ZipArchive = TSessionTest;

// HOME pointed at Folder while it lives.
class HomeScope {
public:
    explicit HomeScope(const QString& Folder) : old_(qgetenv("HOME")) { qputenv("HOME", EncodeName(Folder)); }
    ~HomeScope() { qputenv("HOME", old_); }

private:
    QByteArray old_;
};

TEST_F(ZipArchive, NameJoinsProfileAndDateWithoutSeparator)
{
    const struct {
        const char* folder;
        const char* profile;
        int year, month, day;
        const char* name;
    } cases[] = {
        {"/home/u/zips/", "MySite", 2026, 3, 7, "/home/u/zips/MySite03-07-26.zip"},
        {"/z/", "Site2", 2009, 12, 31, "/z/Site212-31-09.zip"},
        {"/z/", "", 2000, 1, 1, "/z/01-01-00.zip"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZipArchiveName(c.folder, c.profile, EncodeDate(c.year, c.month, c.day)), c.name);
}

TEST_F(ZipArchive, CommentNamesSiteFolderAndProgram)
{
    EXPECT_EQ(ZipArchiveComment("127.0.0.1", "/x/", "Tarnwick Halyard FTP 5.2"),
              "Archived Site: 127.0.0.1, Folder: /x/ with Tarnwick Halyard FTP 5.2");
}

TEST_F(ZipArchive, ScratchFolderIsEmptiedWithoutFollowingLinks)
{
    const QString scratch = ZipScratchFolder();
    EXPECT_TRUE(scratch.endsWith("/FTPZipTemp/"));
    Tree.File("outside/keep.txt", "keep");
    QDir().mkpath(scratch + "old/deeper");
    QFile(scratch + "old/deeper/f").open(QIODevice::WriteOnly);
    QFile::link(Tree.Path("outside"), scratch + "to-outside");

    ASSERT_TRUE(PrepareZipScratchFolder());
    EXPECT_TRUE(QDir(scratch).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_EQ(Tree.Read("outside/keep.txt"), "keep");

    QDir(scratch).removeRecursively();
    ASSERT_TRUE(PrepareZipScratchFolder()); // made when missing
    EXPECT_TRUE(QFileInfo(scratch).isDir());
}

TEST_F(ZipArchive, MissingSaveFolderFallsBackToDesktopThenHomeAndIsKept)
{
    Tree.Folder("home/Desktop");
    HomeScope home(Tree.Path("home"));

    Settings().ZipSaveFolder = Tree.Path("home") + "/";
    EXPECT_EQ(EnsureZipSaveFolder(Settings()), Tree.Path("home") + "/"); // an existing folder stays

    Settings().ZipSaveFolder = Tree.Path("deleted") + "/";
    EXPECT_EQ(EnsureZipSaveFolder(Settings()), Tree.Path("home/Desktop") + "/");
    Registry.Reload();
    {
        TFtpAppSettings reread(nullptr, MainFormRegKey);
        EXPECT_EQ(reread.ZipSaveFolder, Tree.Path("home/Desktop") + "/");
    }

    QDir(Tree.Path("home/Desktop")).removeRecursively();
    EXPECT_EQ(EnsureZipSaveFolder(Settings()), Tree.Path("home") + "/");
    EXPECT_EQ(Settings().ZipSaveFolder, Tree.Path("home") + "/");
}

} // namespace
