// TChangeHandlerThread: name changes in watched folders become one posted message per batch, with
// the watch's slot; the slots, the handshake and the end of the worker.
#include "shell/change_handler_thread.h"

#include "support/pump.h"
#include "support/temp_tree.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr win::UINT WM_CHANGE = win::WM_USER + 101;
constexpr win::DWORD NameChanges = win::FILE_NOTIFY_CHANGE_FILE_NAME | win::FILE_NOTIFY_CHANGE_DIR_NAME;

// A message target that records the slots of the change messages it receives.
struct TOwner {
    std::vector<int> Slots;
    win::HWND Wnd = win::AllocateHWnd([this](win::TMessage& Message) {
        if (Message.Msg == WM_CHANGE && Message.LParam == 0)
            Slots.push_back(int(Message.WParam));
    });
    ~TOwner() { win::DeallocateHWnd(Wnd); }

    // Waits until Count messages came in all.
    bool WaitFor(std::size_t Count)
    {
        return pumpUntil([&] { return Slots.size() >= Count; });
    }
};

int OpenDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

} // namespace

TEST(ChangeHandlerThread, NameChangesArePostedWithTheSlotAndNothingElseIs)
{
    TTempTree tree;
    tree.File("a/existing.txt");
    tree.Folder("b");
    TOwner owner;
    TChangeHandlerThread thread(owner.Wnd, WM_CHANGE);
    int slotA = -1, slotB = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("a"), false, NameChanges, slotA));
    ASSERT_TRUE(thread.AddWatch(tree.Path("b"), false, NameChanges, slotB));
    EXPECT_EQ(slotA, 0);
    EXPECT_EQ(slotB, 1);

    // A content change of a.txt is no name change; the later file in b shows it was not posted
    // (the worker posts in the order it reads).
    {
        QFile file(tree.Path("a/existing.txt"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("more");
    }
    tree.File("b/new.txt");
    ASSERT_TRUE(owner.WaitFor(1));
    EXPECT_EQ(owner.Slots, std::vector<int>{slotB});

    tree.Folder("a/sub");
    ASSERT_TRUE(owner.WaitFor(2));
    EXPECT_EQ(owner.Slots.back(), slotA);

    // Cleared watches report nothing; a new watch takes slot 0 again.
    thread.ClearWatches();
    tree.File("b/after-clear.txt");
    int slotA2 = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("a"), false, NameChanges, slotA2));
    EXPECT_EQ(slotA2, 0);
    tree.File("a/after-clear.txt");
    ASSERT_TRUE(owner.WaitFor(3));
    EXPECT_EQ(owner.Slots, (std::vector<int>{slotB, slotA, slotA2}));
}

TEST(ChangeHandlerThread, WatchesThatCannotBeSet)
{
    TTempTree tree;
    tree.File("file.txt");
    TOwner owner;
    const struct {
        QString Path;
        const char* Why;
    } cases[] = {
        {QString(), "empty path"},
        {tree.Path("missing"), "no such folder"},
        {tree.Path("file.txt"), "a file"},
    };
    TChangeHandlerThread thread(owner.Wnd, WM_CHANGE);
    for (const auto& c : cases) {
        int index = 7;
        EXPECT_FALSE(thread.AddWatch(c.Path, false, NameChanges, index)) << c.Why;
        EXPECT_EQ(index, -1) << c.Why;
    }
}

TEST(ChangeHandlerThread, AllSlotsTakenRefusesTheNextWatchAndKeepsTheOthers)
{
    TTempTree tree;
    TOwner owner;
    TChangeHandlerThread thread(owner.Wnd, WM_CHANGE);
    ASSERT_EQ(thread.SlotCount(), 63);
    for (int i = 0; i < 63; ++i) {
        tree.Folder(QStringLiteral("f%1").arg(i));
        int index = -1;
        ASSERT_TRUE(thread.AddWatch(tree.Path(QStringLiteral("f%1").arg(i)), false, NameChanges, index));
        ASSERT_EQ(index, i);
    }
    tree.Folder("extra");
    int index = 0;
    EXPECT_FALSE(thread.AddWatch(tree.Path("extra"), false, NameChanges, index));
    EXPECT_EQ(index, -1);
    // The refused watch was closed at once: a change there posts nothing, one in the last folder does.
    tree.File("extra/x");
    tree.File("f62/x");
    ASSERT_TRUE(owner.WaitFor(1));
    EXPECT_EQ(owner.Slots, std::vector<int>{62});
}

TEST(ChangeHandlerThread, AWatchedFolderThatGoesIsReportedOnceAndFreesItsSlot)
{
    TTempTree tree;
    tree.Folder("gone");
    tree.Folder("kept");
    TOwner owner;
    TChangeHandlerThread thread(owner.Wnd, WM_CHANGE);
    int gone = -1, kept = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("gone"), false, NameChanges, gone));
    ASSERT_TRUE(thread.AddWatch(tree.Path("kept"), false, NameChanges, kept));
    ASSERT_TRUE(QDir(tree.Path("gone")).removeRecursively());
    ASSERT_TRUE(owner.WaitFor(1));
    tree.File("kept/x");
    ASSERT_TRUE(owner.WaitFor(2));
    EXPECT_EQ(owner.Slots, (std::vector<int>{gone, kept}));
    tree.Folder("again");
    int again = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("again"), false, NameChanges, again));
    EXPECT_EQ(again, gone);
}

TEST(ChangeHandlerThread, FreeingTheThreadWhileItWaitsEndsItAndClosesEveryDescriptor)
{
    TTempTree tree;
    tree.Folder("a");
    TOwner owner;
    const int before = OpenDescriptors();
    {
        TChangeHandlerThread thread(owner.Wnd, WM_CHANGE);
        int index = -1;
        ASSERT_TRUE(thread.AddWatch(tree.Path("a"), false, NameChanges, index));
        EXPECT_GT(OpenDescriptors(), before);
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(ChangeHandlerThread, WithoutAnOwnerChangesAreStillReadAndGoneFoldersFreed)
{
    TTempTree tree;
    tree.Folder("gone");
    tree.Folder("next");
    TChangeHandlerThread thread(nullptr, WM_CHANGE);
    int gone = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("gone"), false, NameChanges, gone));
    tree.File("gone/x");
    ASSERT_TRUE(QDir(tree.Path("gone")).removeRecursively());
    // The worker reads the changes before it takes the next command: the slot of the folder
    // that went is free again.
    int next = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("next"), false, NameChanges, next));
    EXPECT_EQ(next, gone);
}

TEST(ChangeHandlerThread, WatchesAddedAndClearedWhileTheirFoldersChangeKeepItAnswering)
{
    TTempTree tree;
    const QStringList folders{"a", "b", "c"};
    for (const QString& folder : folders)
        tree.Folder(folder);
    TOwner owner;
    TChangeHandlerThread thread(owner.Wnd, WM_CHANGE, 2);
    for (int cycle = 0; cycle < 200; ++cycle) {
        for (int i = 0; i < folders.size(); ++i) {
            int index = -1;
            // Two slots for three folders: the third add finds none.
            EXPECT_EQ(thread.AddWatch(tree.Path(folders[i]), false, NameChanges, index), i < 2) << cycle;
            tree.File(folders[i] + QStringLiteral("/%1").arg(cycle));
        }
        thread.ClearWatches();
    }
    for (const int slot : owner.Slots)
        ASSERT_TRUE(slot == 0 || slot == 1) << slot;
    const std::size_t before = owner.Slots.size();
    int index = -1;
    ASSERT_TRUE(thread.AddWatch(tree.Path("c"), false, NameChanges, index));
    tree.File("c/last");
    ASSERT_TRUE(pumpUntil([&] { return owner.Slots.size() > before && owner.Slots.back() == index; }));
}
