// TPTIdListArray and TPTPidlList: items and ancestors by index, sorted lists with their duplicate
// modes, lookups, and who frees the lists.
#include "shell/id_list_array.h"
#include "shell/pidl_list.h"
#include "shell/pidl_routines.h"

#include "platform/rtl/exception.h"
#include "platform/shellapi/shell_item.h"

#include "support/shell_fixtures.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

const QByteArray Terminator(2, '\0');

// An item of 4 + Extra bytes: its count, then the letter.
QByteArray Item(char Letter, int Extra = 0)
{
    const int count = 4 + Extra;
    return QByteArray(1, char(count)) + '\0' + QByteArray(count - 2, Letter);
}

// A list in the task allocator that the test frees unless a list took it over.
LPITEMIDLIST NewPidl(const QByteArray& Items)
{
    return ItemListFromBytes(Items);
}

class TCountingMalloc final : public IMalloc {
public:
    void* Alloc(std::size_t Size) override { return SHGetMalloc()->Alloc(Size); }
    void Free(void* Block) override
    {
        if (Block)
            ++Freed;
        SHGetMalloc()->Free(Block);
    }
    std::size_t GetSize(const void* Block) override { return SHGetMalloc()->GetSize(Block); }

    int Freed = 0;
};

QString ExceptionText(const std::function<void()>& Body)
{
    try {
        Body();
    } catch (const Exception& e) {
        return e.Message;
    }
    return {};
}

} // namespace

TEST(PTIdListArray, ItemsAndAncestorsByIndex)
{
    const QByteArray a = Item('a'), b = Item('b', 3), c = Item('c', 1);
    const TPidl three = RawPidl(a + b + c + Terminator);
    TPTIdListArray array(three.get());
    EXPECT_EQ(array.Count(), 3);
    EXPECT_EQ(PidlBytes(array.Items(0)), a + Terminator);
    EXPECT_EQ(PidlBytes(array.Items(1)), b + Terminator);
    LPITEMIDLIST last = array.Items(2);
    EXPECT_EQ(PidlBytes(last), c + Terminator);
    EXPECT_EQ(PidlBytes(array.Ancestor(1)), a + b + Terminator); // the item handed out before is freed
    EXPECT_EQ(PidlBytes(array.Ancestor(0)), a + b + c + Terminator);
    EXPECT_EQ(PidlBytes(array.Ancestor(3)), Terminator);
    EXPECT_EQ(array.Ancestor(4), nullptr);
    EXPECT_EQ(array.Ancestor(-1), nullptr);
    for (const int index : {-1, 3, 7})
        EXPECT_EQ(ExceptionText([&] { array.Items(index); }),
                  QStringLiteral("TPTIdListArray - index %1 out of range").arg(index));

    // An empty list gives the empty list for every index from 0, without reading past its end.
    const TPidl empty = RawPidl(Terminator);
    TPTIdListArray emptyArray(empty.get());
    EXPECT_EQ(emptyArray.Count(), 0);
    for (const int index : {0, 1, 5})
        EXPECT_EQ(PidlBytes(emptyArray.Items(index)), Terminator);
    EXPECT_FALSE(ExceptionText([&] { emptyArray.Items(-1); }).isEmpty());
    EXPECT_EQ(PidlBytes(emptyArray.Ancestor(0)), Terminator);

    TPTIdListArray nullArray(nullptr);
    EXPECT_EQ(nullArray.Count(), 0);
    EXPECT_EQ(ExceptionText([&] { nullArray.Items(0); }), QStringLiteral("TPTIdListArray - index 0 out of range"));
    EXPECT_EQ(PidlBytes(nullArray.Ancestor(0)), Terminator);

    // Counts that run past the block: no items.
    const TPidl bad = RawPidl(a + QByteArray::fromHex("2000"));
    TPTIdListArray badArray(bad.get());
    EXPECT_EQ(badArray.Count(), 0);
    EXPECT_EQ(PidlBytes(badArray.Items(3)), Terminator);
}

TEST(PTPidlList, SortedListsAndTheirDuplicateModes)
{
    TPTPidlList list;
    TCountingMalloc malloc;
    list.Malloc = &malloc;
    list.SetSorted(true);
    EXPECT_EQ(list.Add(NewPidl(Item('m'))), 0);
    EXPECT_EQ(list.Add(NewPidl(Item('c'))), 0);
    EXPECT_EQ(list.AddObject(NewPidl(Item('x')), &list), 2);
    EXPECT_EQ(list.Objects(2), &list);
    EXPECT_EQ(list.Objects(0), nullptr);

    LPITEMIDLIST duplicate = NewPidl(Item('m'));
    EXPECT_EQ(ExceptionText([&] { list.Add(duplicate); }), QStringLiteral("TPTPidlList: Duplicate PIDL"));
    list.Duplicates = dupIgnore;
    EXPECT_EQ(list.Add(duplicate), 1);
    EXPECT_EQ(list.Count(), 3);
    list.Duplicates = dupAccept;
    EXPECT_EQ(list.Add(duplicate), 1); // before the equal entry
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Pidls(1), duplicate);

    int index = -1;
    EXPECT_TRUE(list.Find(RawPidl(Item('x') + Terminator).get(), index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(list.Find(RawPidl(Item('n') + Terminator).get(), index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf(RawPidl(Item('c') + Terminator).get()), 0);
    EXPECT_EQ(list.IndexOf(RawPidl(Item('q') + Terminator).get()), -1);

    // The list owns its lists through Malloc: each is freed once.
    list.Delete(1);
    EXPECT_EQ(malloc.Freed, 1);
    list.Clear();
    EXPECT_EQ(malloc.Freed, 4);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PTPidlList, UnsortedListsAndBorrowedLists)
{
    const TPidl b = RawPidl(Item('b') + Terminator), a = RawPidl(Item('a') + Terminator),
                longer = RawPidl(Item('a', 2) + Terminator), a2 = RawPidl(Item('a') + Terminator);
    {
        TPTPidlList list; // no Malloc: the lists stay the test's
        list.SetCapacity(10);
        EXPECT_GE(list.Capacity(), 10);
        EXPECT_EQ(list.Add(b.get()), 0);
        EXPECT_EQ(list.Add(longer.get()), 1);
        EXPECT_EQ(list.Add(a.get()), 2);
        EXPECT_EQ(list.Add(a2.get()), 3); // unsorted lists take duplicates
        EXPECT_EQ(list.IndexOf(a2.get()), 2);
        list.SetSorted(true); // sorts by bytes, equal ones keeping their order
        EXPECT_EQ(list.Pidls(0), a.get());
        EXPECT_EQ(list.Pidls(1), a2.get());
        EXPECT_EQ(list.Pidls(2), b.get());
        EXPECT_EQ(list.Pidls(3), longer.get());
        list.Delete(0);
        list.Clear();
    }
    EXPECT_EQ(ComparePidlBytes(a.get(), a2.get()), 0);
    EXPECT_LT(ComparePidlBytes(a.get(), b.get()), 0);
    EXPECT_GT(ComparePidlBytes(longer.get(), b.get()), 0);
    const TPidl prefix = RawPidl(Item('a') + Item('b') + Terminator);
    EXPECT_LT(ComparePidlBytes(a.get(), prefix.get()), 0); // the terminator's zero decides
}

TEST(PTPidlList, AFolderOrdersItsChildrenItsOwnWay)
{
    TTempTree tree;
    TMountTableScope mounts(tree.Path("mounts"), MountLine(1, "/", "ext4", "/dev/sda1"));
    tree.File("f/Beta");
    tree.File("f/alpha");
    tree.Folder("f/zeta");
    LPITEMIDLIST folderPidl = nullptr;
    ASSERT_EQ(PathToPidl(tree.Path("f"), folderPidl), S_OK);
    const TPidl owned(folderPidl);
    TPTPidlList list;
    ASSERT_EQ(GetShellFolder(folderPidl, list.ShellFolder), S_OK);
    list.Malloc = ShellMalloc();
    for (const char* name : {"Beta", "alpha", "zeta"}) {
        LPITEMIDLIST child = nullptr;
        ASSERT_EQ(list.ShellFolder->ParseDisplayName(nullptr, name, &child, nullptr), S_OK);
        list.Add(child);
    }
    list.SetSorted(true);
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names.append(GetPidlDisplayName(list.ShellFolder.get(), list.Pidls(i), pnkInFolder));
    EXPECT_EQ(names, (QStringList{"zeta", "alpha", "Beta"}));
}
