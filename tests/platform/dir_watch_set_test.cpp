// The folder watch set: which changes each filter reports, watched folders that go, the limits,
// waking the waiting thread, and descriptors left behind.
#include "platform/shellapi/dir_watch_set.h"
#include "platform/system/name_encoding.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDir>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace win;

namespace {

int Rename(const TTempTree& Tree, const QString& From, const QString& To)
{
    return ::rename(EncodeName(Tree.Path(From)).constData(), EncodeName(Tree.Path(To)).constData());
}

QStringList OpenDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files);
}

} // namespace

TEST(DirWatchSet, EachFilterReportsItsOwnNameChangesAndNeverContentChanges)
{
    struct Case {
        const char* action;
        std::function<void(const TTempTree&, const QString&)> run;
        bool files, folders; // reported under FILE_NAME, under DIR_NAME
    };
    const std::vector<Case> cases = {
        {"create file", [](const TTempTree& t, const QString& d) { t.File(d + "/new.txt"); }, true, false},
        {"create folder", [](const TTempTree& t, const QString& d) { t.Folder(d + "/newdir"); }, false, true},
        {"delete file",
         [](const TTempTree& t, const QString& d) {
             ::unlink(EncodeName(t.Path(d + "/file.txt")).constData());
         },
         true, false},
        {"delete folder",
         [](const TTempTree& t, const QString& d) { ::rmdir(EncodeName(t.Path(d + "/sub")).constData()); },
         false, true},
        {"rename file",
         [](const TTempTree& t, const QString& d) { Rename(t, d + "/file.txt", d + "/b.txt"); }, true, false},
        {"rename folder", [](const TTempTree& t, const QString& d) { Rename(t, d + "/sub", d + "/sub2"); },
         false, true},
        {"write file",
         [](const TTempTree& t, const QString& d) { t.File(d + "/file.txt", "longer content"); }, false,
         false},
        {"chmod file",
         [](const TTempTree& t, const QString& d) {
             ::chmod(EncodeName(t.Path(d + "/file.txt")).constData(), 0600);
         },
         false, false},
        {"change below a subfolder",
         [](const TTempTree& t, const QString& d) { t.File(d + "/sub/deep.txt"); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        TTempTree tree(QString(c.action).replace(' ', '-'));
        DirWatchSet watches;
        int slots[4] = {-1, -1, -1, -1};
        for (DWORD filter : {1u, 2u, 3u}) {
            const QString folder = QString::number(filter);
            tree.File(folder + "/file.txt");
            tree.Folder(folder + "/sub");
            slots[filter] = watches.Add(tree.Path(folder), filter);
            ASSERT_GE(slots[filter], 0);
        }
        for (DWORD filter : {1u, 2u, 3u})
            c.run(tree, QString::number(filter));

        std::vector<int> expected;
        for (DWORD filter : {1u, 2u, 3u}) {
            if ((c.files && (filter & 1)) || (c.folders && (filter & 2)))
                expected.push_back(slots[filter]);
        }
        EXPECT_EQ(watches.Drain(), expected);
        EXPECT_TRUE(watches.Drain().empty()); // each change is reported once
    }
}

TEST(DirWatchSet, AWatchedFolderThatGoesIsReportedOnceAndFreesItsSlot)
{
    TTempTree tree;
    tree.Folder("deleted");
    tree.Folder("moved");
    tree.Folder("stays");
    DirWatchSet watches;
    const int deleted = watches.Add(tree.Path("deleted"), FILE_NOTIFY_CHANGE_FILE_NAME);
    const int moved = watches.Add(tree.Path("moved"), FILE_NOTIFY_CHANGE_FILE_NAME);
    const int stays = watches.Add(tree.Path("stays"), FILE_NOTIFY_CHANGE_FILE_NAME);
    // The same folder twice: both slots are reported, and removing one keeps the other.
    const int twice = watches.Add(tree.Path("stays"), FILE_NOTIFY_CHANGE_FILE_NAME);
    ASSERT_EQ(std::set<int>({deleted, moved, stays, twice}).size(), 4u);

    ASSERT_EQ(::rmdir(EncodeName(tree.Path("deleted")).constData()), 0);
    ASSERT_EQ(Rename(tree, "moved", "elsewhere"), 0);
    EXPECT_EQ(watches.Drain(), std::vector<int>({deleted, moved}));
    EXPECT_FALSE(watches.IsWatching(deleted));
    EXPECT_FALSE(watches.IsWatching(moved));

    // The moved folder's changes under its new name no longer arrive.
    tree.File("elsewhere/x");
    tree.File("stays/x");
    EXPECT_EQ(watches.Drain(), std::vector<int>({stays, twice}));
    watches.Remove(twice);
    tree.File("stays/y");
    EXPECT_EQ(watches.Drain(), std::vector<int>({stays}));

    // A removed slot's unreported changes are forgotten.
    tree.File("stays/z");
    watches.Remove(stays);
    EXPECT_TRUE(watches.Drain().empty());
}

TEST(DirWatchSet, FailuresAndTheLimit)
{
    TTempTree tree;
    tree.File("file");
    DirWatchSet watches;
    struct Case {
        QString path;
        DWORD filter;
        int error;
    } cases[] = {
        {tree.Path("missing"), 3, ENOENT}, {tree.Path("file"), 3, ENOTDIR}, {"", 3, ENOENT},
        {tree.Path(), 0, EINVAL},          {tree.Path(), 4, EINVAL},
    };
    for (const Case& c : cases) {
        errno = 0;
        EXPECT_EQ(watches.Add(c.path, c.filter), -1) << c.path.toStdString();
        EXPECT_EQ(errno, c.error) << c.path.toStdString();
    }

    for (int i = 0; i < DirWatchSet::MaxWatches; ++i)
        ASSERT_EQ(watches.Add(tree.Path(), 3), i);
    errno = 0;
    EXPECT_EQ(watches.Add(tree.Path(), 3), -1);
    EXPECT_EQ(errno, ENOSPC);
    watches.Remove(5);
    EXPECT_EQ(watches.Add(tree.Path(), 3), 5);
    watches.Clear();
    EXPECT_FALSE(watches.IsWatching(0));
    tree.File("new");
    EXPECT_TRUE(watches.Drain().empty());
}

TEST(DirWatchSet, AByteExactFolderName)
{
    TTempTree tree;
    const QString folder = tree.Path(DecodeName("caf\xe9"));
    ASSERT_EQ(::mkdir(EncodeName(folder).constData(), 0700), 0);
    DirWatchSet watches;
    const int slot = watches.Add(folder, FILE_NOTIFY_CHANGE_FILE_NAME);
    ASSERT_GE(slot, 0);
    tree.File(DecodeName("caf\xe9/f"));
    EXPECT_EQ(watches.Drain(), std::vector<int>({slot}));
}

TEST(DirWatchSet, AWaitingThreadSeesChangesAndWakesWhileAnotherChangesTheWatches)
{
    TTempTree tree;
    tree.Folder("a");
    tree.Folder("b");
    const QStringList descriptorsBefore = OpenDescriptors();
    {
        DirWatchSet watches;
        const int a = watches.Add(tree.Path("a"), 3);
        std::atomic<bool> quit{false};
        std::atomic<int> wakes{0};
        std::vector<int> seen;
        // The watcher waits on everything at once and drains what comes, as a watcher thread does.
        std::thread watcher([&] {
            while (!quit) {
                const int what = watches.Wait(5000);
                if (what & DirWatchSet::wtWake)
                    ++wakes;
                for (int slot : watches.Drain())
                    seen.push_back(slot);
            }
        });
        // Watches change while the watcher waits.
        for (int i = 0; i < 20; ++i) {
            const int b = watches.Add(tree.Path("b"), 3);
            tree.File(QStringLiteral("a/f%1").arg(i));
            watches.Remove(b);
        }
        watches.Wake();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (wakes == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        quit = true;
        watches.Wake();
        watcher.join();
        EXPECT_GE(wakes, 1);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(std::set<int>(seen.begin(), seen.end()), std::set<int>({a}));
    }
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
}
