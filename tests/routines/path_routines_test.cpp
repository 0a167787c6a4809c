// Remote and local path routines, and the shortening of paths for display.
#include "routines/path_routines.h"

#include "platform/system/program_folder.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(PathRoutines, Slashes)
{
    EXPECT_EQ(AddLeadingSlash("pub"), "/pub");
    EXPECT_EQ(AddLeadingSlash("/pub"), "/pub");
    EXPECT_EQ(AddLeadingSlash(""), "");

    for (auto [text, expected] : {std::pair{"pub", "pub/"}, {"pub/", "pub/"}, {"", ""}}) {
        QString s = text;
        AddTrailingSlash(s);
        EXPECT_EQ(s, expected);
    }
    for (auto [text, expected] : {std::pair{"pub//", "pub/"}, {"pub", "pub"}, {"/", ""}}) {
        QString s = text;
        RemoveTrailingSlash(s);
        EXPECT_EQ(s, expected);
    }
    EXPECT_TRUE(HasTrailingSlash("/pub/"));
    EXPECT_FALSE(HasTrailingSlash("/pub"));
    EXPECT_FALSE(HasTrailingSlash(""));
    EXPECT_EQ(SwapSlashes("a/b\\c", u'/'), "a\\b\\c");
    EXPECT_EQ(SwapSlashes("a/b\\c", u'\\'), "a/b/c");
}

TEST(PathRoutines, ALocalPathFromARemoteNameStaysInItsFolder)
{
    struct Case {
        QString folder;
        QString name;
        QString read;  // for a name that is only read
        QString write; // for a name about to be written
    };
    const QString nul(QChar(0));
    const Case cases[] = {
        {"/home/u/down", "a.txt", "/home/u/down/a.txt", "/home/u/down/a.txt"},
        {"/home/u/down/", " a b ", "/home/u/down/ a b ", "/home/u/down/ a b "},
        {"/home/u/down", "..a", "/home/u/down/..a", "/home/u/down/..a"},
        {"/home/u/down", "a\\..\\b", "/home/u/down/a\\..\\b", "/home/u/down/a\\..\\b"},
        {"", "a.txt", "a.txt", "a.txt"},
        {"/home/u/down", "", "", ""},
        {"/home/u/down", ".", "", ""},
        {"/home/u/down", "..", "", ""},
        {"/home/u/down", "../etc/passwd", "", ""},
        {"/home/u/down", "/etc/passwd", "", ""},
        {"/home/u/down", "sub/a", "", ""},
        {"/home/u/down", "a/", "", ""},
        {"/home/u/down", "a" + nul + "b", "", ""},
        {"/home/u/down", "a\rb", "/home/u/down/a\rb", ""},
        {"/home/u/down", "a\n", "/home/u/down/a\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(LocalPathInFolder(c.folder, c.name, false), c.read);
        EXPECT_EQ(LocalPathInFolder(c.folder, c.name, true), c.write);
    }
}

TEST(PathRoutines, RemoteNamesAndFolders)
{
    struct Case {
        const char* path;
        const char* name;
        const char* dir;
        const char* dirOf;
    };
    const Case cases[] = {
        {"/pub/docs/", "docs", "/pub/", "/pub/docs/"},
        {"/pub/docs", "docs", "/pub/", "/pub/docs/"},
        {"/pub/file.txt", "file.txt", "/pub/", "/pub/"},
        {"/pub/v1.2/docs", "docs", "/pub/v1.2/", "/pub/v1.2/docs/"}, // only the last part's dot counts
        {"/pub/..", "..", "/pub/", "/pub/../"},
        {"/pub/name.", "name.", "/pub/", "/pub/name./"},
        {"pub/a.b", "a.b", "pub/", "pub/"},
        {"file.txt", "file.txt", "", ""},
        {"/", "", "", "/"},
        {"a:b\\c.txt", "a:b\\c.txt", "", ""}, // ":" and "\" are ordinary characters in remote names
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractRemoteName(c.path), c.name);
        EXPECT_EQ(ExtractRemoteDir(c.path), c.dir);
        EXPECT_EQ(RemoteDirOf(c.path), c.dirOf);
    }
    EXPECT_TRUE(SameRemoteDir("/pub", "/pub/"));
    EXPECT_FALSE(SameRemoteDir("/Pub", "/pub/"));
    EXPECT_TRUE(SameRemoteDir("", ""));
}

TEST(PathRoutines, LocalPathsUseSlashesAndCase)
{
    struct Case {
        const char* text;
        const char* backslashAdded;
        const char* inPlace;
    };
    const Case cases[] = {
        {"/tmp/dir  ", "/tmp/dir/", "/tmp/dir  /"},
        {"/tmp/", "/tmp/", "/tmp/"},
        {"", "/", ""},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        AddBackslash(text);
        EXPECT_EQ(text, c.backslashAdded);
        text = c.text;
        AddBackslashInPlace(text);
        EXPECT_EQ(text, c.inPlace);
    }

    // A folder path with its trailing "/" (the last part counts as a folder).
    EXPECT_EQ(ExtractLocalDir("/home/u"), "/home/u/");
    EXPECT_EQ(ExtractLocalDir("/home/u/"), "/home/u/");
    EXPECT_EQ(ExtractLocalDir(""), "");
    EXPECT_TRUE(SameLocalDir("/home/u", "/home/u/"));
    EXPECT_FALSE(SameLocalDir("/home/U", "/home/u"));

    EXPECT_EQ(NextFolderAfter("/home/u", "/home/u/docs/a.txt"), "docs");
    EXPECT_EQ(NextFolderAfter("/home/u/", "/home/u/docs"), "docs");
    EXPECT_EQ(NextFolderAfter("/home/u", "/home/user/docs"), "");
    EXPECT_EQ(NextFolderAfter("/home/U", "/home/u/docs"), "");
    EXPECT_EQ(NextFolderAfter("/other", "/home/u/docs"), "");

    EXPECT_TRUE(StartsText("/HOME", "/home/u"));
    EXPECT_FALSE(StartsText("/home/u/x", "/home/u"));
}

TEST(PathRoutines, AppFolderCapitalisedForDisplay)
{
    EXPECT_EQ(GetAppFolder(false), ProgramFolder());
    const QString shown = GetAppFolder(true);
    ASSERT_EQ(shown.size(), ProgramFolder().size());
    EXPECT_TRUE(shown.endsWith("/Tarnwick-halyard/"));
    EXPECT_EQ(shown.toLower(), ProgramFolder().toLower());
}

TEST(PathRoutines, ShortenPathForDisplay)
{
    struct Case {
        const char* path;
        int maximum;
        const char* expected;
        bool exact;
    };
    const Case cases[] = {
        {"/a/b", 10, "/a/b", true},                    // short enough
        {"/abcdef/ghi", 3, "/abcdef/ghi", false},      // maximum below 4
        {"abcdefghijklmnop", 10, "abcdefg...", true},  // no separator
        {"/abcdefghijklmnop", 10, "/abcdef...", true}, // one separator
        {"/usr/share/documents/file.txt", 20, "/usr/sha.../file.txt", true},
        {"/usr/share/documents/file.txt", 21, "/usr/shar.../file.txt", true},
        {"/home/user/some/folder/name.txt", 22, "/home/user.../name.txt", true}, // middle cut
        {"/a/averyveryveryverylongfilename.txt", 12, "/.../aver...", true},      // both ends
        {"/a/b/c", 5, "/.../c...", false},         // both ends, the tail at least two characters
        {"/abcd/efghij", 11, "/.../efghij", true}, // middle cut down to the first separator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.path << " to " << c.maximum);
        QString path = c.path;
        EXPECT_EQ(ShortenPath(path, c.maximum), c.exact);
        EXPECT_EQ(path, c.expected);
        QString remote = c.path;
        EXPECT_EQ(ShortenRemotePath(remote, c.maximum), c.exact);
        EXPECT_EQ(remote, path);
    }
}
