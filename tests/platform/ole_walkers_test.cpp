// The walkers of name lists, CF_HDROP blocks and "Shell IDList Array" blocks: well-formed blocks
// both ways, and malformed ones refused without a read outside the block (ASan checks that).
#include "platform/ole/cida.h"
#include "platform/ole/drop_files.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace win;

namespace {

QByteArray U32(std::uint32_t value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), 4);
}

QByteArray U16(std::uint16_t value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), 2);
}

// The bytes of a literal, NULs included.
template <std::size_t N>
QByteArray Raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QByteArray Wide(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A DROPFILES header: pFiles, point, fNC, fWide.
QByteArray Header(std::uint32_t files, bool wide)
{
    return U32(files) + U32(3) + U32(4) + U32(0) + U32(wide ? 1 : 0);
}

// The names read from an exact copy of Block, so ASan sees any read past its end.
std::optional<TDropFiles> ReadExact(const QByteArray& Block)
{
    std::vector<std::uint8_t> copy(Block.begin(), Block.end());
    return ReadDropFiles(std::span<const std::uint8_t>(copy.data(), copy.size()));
}

std::optional<std::vector<QByteArray>> ReadCidaExact(const QByteArray& Block)
{
    std::vector<std::uint8_t> copy(Block.begin(), Block.end());
    return ReadCida(std::span<const std::uint8_t>(copy.data(), copy.size()));
}

// An item list of items with the given payloads.
QByteArray IdList(std::initializer_list<QByteArray> Items)
{
    QByteArray list;
    for (const QByteArray& item : Items)
        list += U16(std::uint16_t(item.size() + 2)) + item;
    return list + U16(0);
}

} // namespace

TEST(DropFilesWalker, ReadsByteAndWideListsInOrder)
{
    const QString cjk = QString(QChar(0x4E00)) + "doc";
    const QString escaped = QString("caf") + QChar(char16_t(0xDCE9));
    struct Case {
        const char* what;
        QByteArray block;
        bool wide;
        QStringList names;
    };
    const Case cases[] = {
        {"bytes", Header(20, false) + Raw("/tmp/a\0/tmp/bc\0\0"), false, {"/tmp/a", "/tmp/bc"}},
        {"bytes that are not UTF-8", Header(20, false) + Raw("caf\xE9\0\0"), false, {escaped}},
        {"wide, a first unit with a low byte of 0", Header(20, true) + Wide(cjk) + U16(0) + Wide("/x") + U16(0) + U16(0),
         true, {cjk, "/x"}},
        {"the list starts further on", Header(24, false) + Raw("pad.name\0\0"), false, {"name"}},
        {"no closing empty name", Header(20, false) + Raw("a\0b\0"), false, {"a", "b"}},
        {"a name with no NUL before the end is dropped", Header(20, false) + Raw("a\0partial"), false, {"a"}},
        {"a wide list of odd length loses its last half character",
         Header(20, true) + Wide("ab") + U16(0) + Wide("cd") + "e", true, {"ab"}},
        {"an empty list", Header(20, false) + QByteArray(1, '\0'), false, {}},
    };
    for (const Case& c : cases) {
        const std::optional<TDropFiles> files = ReadExact(c.block);
        ASSERT_TRUE(files) << c.what;
        EXPECT_EQ(files->Names, c.names) << c.what;
        EXPECT_EQ(files->Wide, c.wide) << c.what;
        EXPECT_EQ(files->Point.x, 3) << c.what;
    }
}

TEST(DropFilesWalker, RefusesBlocksWhoseHeaderOrOffsetDoesNotFit)
{
    struct Case {
        const char* what;
        QByteArray block;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"a header alone", Header(20, false)},
        {"shorter than a header", Header(20, false).left(19)},
        {"pFiles past the end", Header(40, false) + Raw("a\0\0")},
        {"pFiles inside the header", Header(4, false) + Raw("a\0\0")},
        {"pFiles near 4 GiB", Header(0xFFFFFFFFu, false) + Raw("a\0\0")},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(ReadExact(c.block)) << c.what;
    EXPECT_TRUE(ReadExact(Header(21, false) + "a"));
    EXPECT_TRUE(ReadExact(Header(21, false) + "a")->Names.isEmpty()) << "pFiles at the very end reads no names";
}

TEST(DropFilesWalker, WritesBlocksThatReadBack)
{
    const QByteArray ansi = MakeDropFiles({"a", "bc"}, false);
    EXPECT_EQ(ansi.size(), 26) << "20 + 2 + 3 + 1";
    EXPECT_EQ(ansi.left(20), U32(20) + QByteArray(16, '\0'));
    const QStringList names = {"/tmp/a b", QString("/tmp/caf") + QChar(char16_t(0xDCE9)), QString(QChar(0x4E00))};
    for (const bool wide : {false, true}) {
        const std::optional<TDropFiles> back = ReadExact(MakeDropFiles(names, wide));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Names, names) << "wide " << wide;
        EXPECT_EQ(back->Wide, wide);
    }
    EXPECT_EQ(MakeNameList({"a", "", QString("b") + QChar(0) + "c", "d"}, false), Raw("a\0d\0\0"))
        << "names that cannot stand in a list are left out";
    EXPECT_EQ(ReadNameList(ByteSpan(MakeNameList({"x", "yz"}, true)), true), (QStringList{"x", "yz"}));
}

TEST(CidaWalker, ReadsTheParentAndItemLists)
{
    const QByteArray parent = IdList({"computer", "volume"});
    const QByteArray first = IdList({"file one"});
    const QByteArray second = IdList({"dir", "file two"});
    const QByteArray block = MakeCida({parent, first, second});
    EXPECT_EQ(block.left(4), U32(2));
    EXPECT_EQ(block.mid(4, 4), U32(16)) << "the lists start after the offset table";
    EXPECT_EQ(block.size(), 16 + parent.size() + first.size() + second.size());
    const auto lists = ReadCidaExact(block);
    ASSERT_TRUE(lists);
    EXPECT_EQ(*lists, (std::vector<QByteArray>{parent, first, second}));

    const auto parentOnly = ReadCidaExact(MakeCida({parent}));
    ASSERT_TRUE(parentOnly) << "whether a parent alone is enough is the caller's rule";
    EXPECT_EQ(parentOnly->size(), 1u);
    EXPECT_EQ(IdListSizeAt(ByteSpan(block), 16), std::size_t(parent.size()));
}

TEST(CidaWalker, RefusesBlocksThatPointOutsideThemselves)
{
    const QByteArray item = IdList({"item"});
    const QByteArray desktop = U16(0);
    struct Case {
        const char* what;
        QByteArray block;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"a count alone", U32(0)},
        {"an offset table past the end", U32(2) + U32(12) + U32(14)},
        {"cidl 0x20000000", U32(0x20000000) + U32(8) + desktop},
        {"cidl 0xFFFFFFFF", U32(0xFFFFFFFFu) + U32(8) + desktop},
        {"an offset past the end", U32(1) + U32(12) + U32(400) + desktop},
        {"an offset near 4 GiB", U32(1) + U32(12) + U32(0xFFFFFFFFu) + desktop},
        {"an item count of 1", U32(1) + U32(12) + U32(14) + desktop + U16(1) + U16(0)},
        {"a list running past the end", U32(1) + U32(12) + U32(14) + desktop + U16(40) + "abc"},
        {"a list without terminator", U32(1) + U32(12) + U32(14) + desktop + item.left(item.size() - 2)},
        {"half a terminator", U32(1) + U32(12) + U32(14) + desktop + item.left(item.size() - 1)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(ReadCidaExact(c.block)) << c.what;
    EXPECT_TRUE(ReadCidaExact(U32(1) + U32(12) + U32(14) + desktop + item));
}
