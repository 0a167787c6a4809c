// Item identifier lists: the items' byte layout, the checks against malformed lists, and the task
// allocator's blocks.
#include "platform/shellapi/shell_item.h"

#include "support/shell_fixtures.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

TShellItem Root(BYTE Id)
{
    TShellItem item;
    item.Kind = TShellItem::ikRoot;
    item.RootId = Id;
    return item;
}

TShellItem Volume(BYTE Kind, const QByteArray& MountPath)
{
    TShellItem item;
    item.Kind = TShellItem::ikVolume;
    item.VolumeKind = Kind;
    item.MountPath = MountPath;
    return item;
}

TShellItem Entry(TShellItem::TKind Kind, BYTE Flags, std::uint64_t Size, std::int64_t Time, const QByteArray& Name)
{
    TShellItem item;
    item.Kind = Kind;
    item.Flags = Flags;
    item.Size = Size;
    item.ModifiedNs = Time;
    item.Name = Name;
    return item;
}

} // namespace

TEST(ItemIdList, EveryKindOfItemHasItsExactBytes)
{
    struct Case {
        TShellItem Item;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {Root(rootComputer), QByteArray::fromHex("04001001")},
        {Root(rootHome), QByteArray::fromHex("04001002")},
        {Volume(vkRemovable, "/media/a b"), QByteArray::fromHex("0f002002") + "/media/a b" + '\0'},
        {Volume(vkRoot, "/"), QByteArray::fromHex("06002000") + "/" + '\0'},
        {Entry(TShellItem::ikFile, ifHidden | ifReadOnly, 0x0102030405060708, -1, "\xff.x"),
         QByteArray::fromHex("18003105") + QByteArray::fromHex("0807060504030201") +
             QByteArray::fromHex("ffffffffffffffff") + "\xff.x" + '\0'},
        {Entry(TShellItem::ikFolder, ifLink, 0, 1'700'000'000'123'456'789, "a"),
         QByteArray::fromHex("16003002") + QByteArray::fromHex("0000000000000000") +
             QByteArray::fromHex("15cd853dfe9c9717") + "a" + '\0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bytes.toHex().toStdString());
        EXPECT_EQ(c.Item.Encode(), c.Bytes);
        TShellItem decoded;
        ASSERT_TRUE(TShellItem::Decode(reinterpret_cast<const BYTE*>(c.Bytes.constData()), std::size_t(c.Bytes.size()), decoded));
        EXPECT_EQ(decoded, c.Item);
    }

    // A whole list: the items one after the other and the terminator.
    const QList<TShellItem> items = {Root(rootComputer), Volume(vkRoot, "/"), Entry(TShellItem::ikFile, 0, 3, 4, "f")};
    const TPidl list(EncodeItems(items));
    EXPECT_EQ(PidlBytes(list.get()), items[0].Encode() + items[1].Encode() + items[2].Encode() + QByteArray(2, '\0'));
    QList<TShellItem> decoded;
    ASSERT_TRUE(DecodeItems(list.get(), decoded));
    EXPECT_EQ(decoded, items);
}

TEST(ItemIdList, ItemsTheNamespaceNeverMakesAreRefused)
{
    const QByteArray entryHead = QByteArray::fromHex("00000000000000000000000000000000");
    const QByteArray bad[] = {
        QByteArray::fromHex("030010"),                            // no payload at all
        QByteArray::fromHex("04004001"),                          // unknown kind
        QByteArray::fromHex("04001003"),                          // unknown root id
        QByteArray::fromHex("05001001ff"),                        // root item too long
        QByteArray::fromHex("07002001") + "ab" + '\0',            // mount path not absolute
        QByteArray::fromHex("06002001") + "/x",                   // no NUL
        QByteArray::fromHex("07002009") + "/x" + '\0',            // unknown volume kind
        QByteArray::fromHex("17003100") + entryHead + "." + '\0', // "."
        QByteArray::fromHex("18003100") + entryHead + ".." + '\0',
        QByteArray::fromHex("19003100") + entryHead + "a/b" + '\0',
        QByteArray::fromHex("16003100") + entryHead + '\0',           // no name
        QByteArray::fromHex("19003000") + entryHead + "a" + '\0' + "b" + '\0', // NUL inside
        QByteArray::fromHex("0a003100") + QByteArray(6, '\0'),        // entry header cut short
    };
    for (const QByteArray& item : bad) {
        SCOPED_TRACE(item.toHex().toStdString());
        QByteArray sized = item;
        sized[0] = char(item.size());
        TShellItem decoded;
        EXPECT_FALSE(TShellItem::Decode(reinterpret_cast<const BYTE*>(sized.constData()), std::size_t(sized.size()), decoded));
        const TPidl list = RawPidl(sized + QByteArray(2, '\0'));
        QList<TShellItem> items;
        EXPECT_FALSE(DecodeItems(list.get(), items));
    }
    QList<TShellItem> items;
    EXPECT_FALSE(DecodeItems(nullptr, items));
}

TEST(ItemIdList, CountsThatRunPastTheirBlockMakeTheListMalformed)
{
    struct Case {
        const char* Name;
        QByteArray Bytes;
        std::size_t Size;
    };
    const Case cases[] = {
        {"empty", QByteArray(2, '\0'), 2},
        {"one item", QByteArray::fromHex("0400100100 00"), 6},
        {"item past the end", QByteArray::fromHex("0a00100100 00"), 0},
        {"terminator missing", QByteArray::fromHex("04001001"), 0},
        {"half a terminator", QByteArray::fromHex("0400100100"), 0},
        {"count of one", QByteArray::fromHex("01000000"), 0},
        {"no bytes at all", QByteArray(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPidl list = RawPidl(c.Bytes);
        EXPECT_EQ(ItemListSize(list.get()), c.Size);
        QList<QByteArray> items;
        EXPECT_EQ(SplitItemList(list.get(), items), c.Size != 0);
    }
    EXPECT_EQ(ItemListSize(nullptr), 0u);

    // A list inside a larger block (a relative list within an absolute one) ends where the block ends.
    const TPidl block = RawPidl(QByteArray::fromHex("04001001") + QByteArray::fromHex("0600") );
    const auto* inner = reinterpret_cast<const BYTE*>(block.get()) + 4;
    EXPECT_EQ(TaskBlockEnd(inner), reinterpret_cast<const BYTE*>(block.get()) + 6);
    EXPECT_EQ(ItemListSize(reinterpret_cast<LPCITEMIDLIST>(inner)), 0u);

    // Memory the allocator never gave out is taken as its counts say.
    const BYTE stack[] = {4, 0, 0x10, 1, 0, 0};
    EXPECT_EQ(TaskBlockEnd(stack), nullptr);
    EXPECT_EQ(ItemListSize(reinterpret_cast<LPCITEMIDLIST>(stack)), 6u);
}

TEST(ItemIdList, TheTaskAllocatorKnowsItsBlocks)
{
    IMalloc* malloc = SHGetMalloc();
    void* block = malloc->Alloc(10);
    EXPECT_EQ(malloc->GetSize(block), 10u);
    EXPECT_EQ(TaskBlockEnd(static_cast<BYTE*>(block) + 9), static_cast<BYTE*>(block) + 10);
    EXPECT_EQ(TaskBlockEnd(static_cast<BYTE*>(block) + 10), nullptr);
    malloc->Free(block);
    EXPECT_EQ(malloc->GetSize(block), std::size_t(-1));
    malloc->Free(nullptr);
    void* empty = CoTaskMemAlloc(0);
    EXPECT_NE(empty, nullptr);
    CoTaskMemFree(empty);
}
