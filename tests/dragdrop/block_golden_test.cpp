// The blocks of the file, item list, descriptor, feedback and text formats against golden hex
// files, both ways: a format reads the golden block into its fields, and writes those fields back
// as exactly the golden bytes, through an HGLOBAL block and through a stream.
#include "format_media.h"

#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/file_clipboard_formats.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/id_lists.h"
#include "dragdrop/name_list_writer.h"
#include "dragdrop/pidl_clipboard_format.h"
#include "dragdrop/string_lines.h"
#include "dragdrop/text_clipboard_formats.h"
#include "support/qt_printers.h"

#include <functional>
#include <memory>

using namespace win;

namespace {

QStringList PidlLines(std::initializer_list<QByteArray> Lists)
{
    QStringList lines;
    for (const QByteArray& list : Lists)
        lines << IdListLine(list);
    return lines;
}

struct GoldenCase {
    const char* file;
    // A format holding the golden block's fields, ready to write.
    std::function<std::unique_ptr<TCustomSimpleClipboardFormat>()> filled;
    // A fresh format of the same class, to read into.
    std::function<std::unique_ptr<TCustomSimpleClipboardFormat>()> empty;
    // True when the read format holds the same fields.
    std::function<bool(TClipboardFormat&)> holds;
};

template <class F>
std::function<std::unique_ptr<TCustomSimpleClipboardFormat>()> Made(std::function<void(F&)> Fill = {})
{
    return [Fill] {
        auto format = std::make_unique<F>();
        if (Fill)
            Fill(*format);
        return std::unique_ptr<TCustomSimpleClipboardFormat>(std::move(format));
    };
}

template <class F>
std::function<bool(TClipboardFormat&)> Holding(std::function<bool(F&)> Check)
{
    return [Check](TClipboardFormat& format) { return Check(dynamic_cast<F&>(format)); };
}

const QStringList ABC = {"a", "bc"};
const QStringList Unicode = {QStringLiteral("\u4E00a"), "b"};
const QByteArray CidaParent("\x04\x00\x10\x01\x00\x00", 6);
const QByteArray CidaItemA("\x05\x00\x41\x42\x43\x00\x00", 7);
const QByteArray CidaItemB("\x04\x00\x44\x45\x00\x00", 6);

std::vector<GoldenCase> GoldenCases()
{
    return {
        {"cf_hdrop_a_bc.hex", Made<TFileClipboardFormat>([](auto& f) { SetLines(f.Files, ABC); }),
         Made<TFileClipboardFormat>(), Holding<TFileClipboardFormat>([](auto& f) { return LinesOf(f.Files) == ABC; })},
        {"cf_hdrop_utf8.hex", Made<TFileClipboardFormat>([](auto& f) { SetLines(f.Files, Unicode); }),
         Made<TFileClipboardFormat>(),
         Holding<TFileClipboardFormat>([](auto& f) { return LinesOf(f.Files) == Unicode; })},
        {"cida_two_items.hex",
         Made<TPIDLClipboardFormat>([](auto& f) { SetLines(f.PIDLs, PidlLines({CidaParent, CidaItemA, CidaItemB})); }),
         Made<TPIDLClipboardFormat>(), Holding<TPIDLClipboardFormat>([](auto& f) {
             return LinesOf(f.PIDLs) == PidlLines({CidaParent, CidaItemA, CidaItemB});
         })},
        {"fgd_text_scrap.hex",
         Made<TFileGroupDescritorClipboardFormat>([](auto& f) { f.SetFileNames({"Text scrap.txt"}); }),
         Made<TFileGroupDescritorClipboardFormat>(), Holding<TFileGroupDescritorClipboardFormat>([](auto& f) {
             return f.Count() == 1 && f.FileName(0) == "Text scrap.txt";
         })},
        {"fgdw_text_scrap.hex",
         Made<TFileGroupDescritorWClipboardFormat>([](auto& f) { f.SetFileNames({"Text scrap.txt"}); }),
         Made<TFileGroupDescritorWClipboardFormat>(), Holding<TFileGroupDescritorWClipboardFormat>([](auto& f) {
             return f.Count() == 1 && f.FileName(0) == "Text scrap.txt";
         })},
        {"drop_effect_move.hex",
         Made<TPreferredDropEffectClipboardFormat>([](auto& f) { f.Value = DROPEFFECT_MOVE; }),
         Made<TPreferredDropEffectClipboardFormat>(),
         Holding<TPreferredDropEffectClipboardFormat>([](auto& f) { return f.Value == DROPEFFECT_MOVE; })},
        {"text_abc.hex", Made<TTextClipboardFormat>([](auto& f) { f.Data = "abc"; }), Made<TTextClipboardFormat>(),
         Holding<TTextClipboardFormat>([](auto& f) { return f.Data == "abc"; })},
        {"wide_ab.hex", Made<TFilenameWClipboardFormat>([](auto& f) { f.Data = "ab"; }),
         Made<TFilenameWClipboardFormat>(),
         Holding<TFilenameWClipboardFormat>([](auto& f) { return f.Data == QString::fromUtf16(u"ab\0", 3); })},
        {"name_map_a_bc.hex", Made<TFilenameMapClipboardFormat>([](auto& f) { SetLines(f.FileMaps, ABC); }),
         Made<TFilenameMapClipboardFormat>(),
         Holding<TFilenameMapClipboardFormat>([](auto& f) { return LinesOf(f.FileMaps) == ABC; })},
        {"name_map_w_a_bc.hex", Made<TFilenameMapWClipboardFormat>([](auto& f) { SetLines(f.FileMaps, ABC); }),
         Made<TFilenameMapWClipboardFormat>(),
         Holding<TFilenameMapWClipboardFormat>([](auto& f) { return LinesOf(f.FileMaps) == ABC; })},
    };
}

} // namespace

TEST(BlockGolden, EachFormatWritesAndReadsItsGoldenBlockThroughBothMedia)
{
    for (const GoldenCase& c : GoldenCases()) {
        const QByteArray golden = GoldenHex(c.file);
        ASSERT_FALSE(golden.isEmpty()) << c.file;
        for (const DWORD tymed : {TYMED_HGLOBAL, TYMED_ISTREAM}) {
            const auto written = c.filled();
            EXPECT_EQ(written->BlockSize(), golden.size()) << c.file;
            EXPECT_EQ(Encoded(*written, tymed), golden) << c.file << " tymed " << tymed;
            const auto read = c.empty();
            ASSERT_TRUE(Decoded(*read, golden, tymed)) << c.file << " tymed " << tymed;
            EXPECT_TRUE(c.holds(*read)) << c.file << " tymed " << tymed;
        }
    }
}

TEST(BlockGolden, SizesOfTheFileListAndNameMapsFollowTheirNames)
{
    TFileClipboardFormat files;
    SetLines(files.Files, ABC);
    TFilenameMapClipboardFormat map;
    SetLines(map.FileMaps, ABC);
    TFilenameMapWClipboardFormat wideMap;
    SetLines(wideMap.FileMaps, ABC);
    EXPECT_EQ(files.BlockSize(), 20 + 2 + 3 + 1);
    EXPECT_EQ(map.BlockSize(), 2 + 3 + 1);
    EXPECT_EQ(wideMap.BlockSize(), 2 * (2 + 3 + 1));
}

TEST(BlockGolden, AWideFileListKeepsItsOrderAndANameStartingWithAZeroByte)
{
    TFileClipboardFormat files;
    ASSERT_TRUE(Decoded(files, GoldenHex("cf_hdrop_wide.hex")));
    EXPECT_EQ(LinesOf(files.Files), Unicode);
    // Written again, the same names go out as their bytes: nothing is lost.
    EXPECT_EQ(Encoded(files), GoldenHex("cf_hdrop_utf8.hex"));
}

TEST(BlockGolden, TextsEndAtTheirFirstNulAndGainOneOnlyWhenTheyLackIt)
{
    TTextClipboardFormat text;
    ASSERT_TRUE(Decoded(text, GoldenHex("text_abc_nuls.hex")));
    EXPECT_EQ(text.Data, "abc");

    text.Data = QByteArray("abc\0", 4);
    EXPECT_EQ(Encoded(text), GoldenHex("text_abc.hex")) << "no second NUL";

    text.Data.clear();
    EXPECT_EQ(text.BlockSize(), 0);
    EXPECT_EQ(Encoded(text), std::nullopt) << "an empty text gives no medium";

    // The wide family keeps every unit it reads.
    TFilenameWClipboardFormat wide;
    ASSERT_TRUE(Decoded(wide, QByteArray("a\0\0\0b\0", 6)));
    EXPECT_EQ(wide.Data, QString::fromUtf16(u"a\0b", 3));
}

TEST(BlockGolden, ADescriptorOfNoItemsIsReadButHoldsNothing)
{
    TFileGroupDescritorClipboardFormat descriptor;
    ASSERT_TRUE(Decoded(descriptor, QByteArray(4, '\0')));
    EXPECT_EQ(descriptor.Count(), 0);
    EXPECT_FALSE(descriptor.HoldsData());
    EXPECT_EQ(descriptor.FileName(0), QString()) << "no item past the count is read";
}

TEST(BlockGolden, ValueFormatsWriteOnlyIntoFourBytes)
{
    TPreferredDropEffectClipboardFormat effect;
    effect.Value = DROPEFFECT_COPY;
    for (const int size : {0, 3, 4, 5, 8}) {
        QByteArray block(size, '\x55');
        EXPECT_EQ(effect.FillBlock({reinterpret_cast<std::uint8_t*>(block.data()), std::size_t(size)}), size == 4)
            << size;
    }
    TInShellDragLoopClipboardFormat loop;
    loop.SetValueAsBoolean(true);
    EXPECT_EQ(loop.Value, 1u);
    loop.Value = 0x100;
    EXPECT_TRUE(loop.ValueAsBoolean());

    TTargetCLSIDClipboardFormat target;
    EXPECT_FALSE(target.HoldsData());
    const QByteArray clsid = QByteArray::fromHex("0102030405060708090a0b0c0d0e0f10");
    ASSERT_TRUE(Decoded(target, clsid, TYMED_ISTREAM));
    EXPECT_EQ(target.CLSID.Data1, 0x04030201u);
    EXPECT_EQ(Encoded(target), clsid);
    EXPECT_FALSE(Decoded(target, clsid + '\0')) << "a CLSID is exactly 16 bytes";
}

TEST(BlockGolden, ANameListInASmallerBlockHoldsOnlyWholeNames)
{
    struct Case {
        int size;
        bool wide;
        QByteArray written; // false when empty
    };
    const Case cases[] = {
        {8, false, QByteArray("abc\0de\0\0", 8)},
        {6, false, QByteArray("abc\0\0\0", 6)}, // not "abc", "d": a cut name names another file
        {4, false, QByteArray("\0\0\0\0", 4)},
        {0, false, {}},
        {16, true, QByteArray("a\0b\0c\0\0\0d\0e\0\0\0\0\0", 16)},
        {14, true, QByteArray("a\0b\0c\0\0\0\0\0\0\0\0\0", 14)},
        {1, true, {}},
    };
    for (const Case& c : cases) {
        QByteArray block(c.size, '\0');
        const bool written = WriteNameList({reinterpret_cast<std::uint8_t*>(block.data()), std::size_t(c.size)}, c.wide,
                                           {"abc", "de"});
        EXPECT_EQ(written, !c.written.isEmpty()) << c.size << (c.wide ? " wide" : "");
        if (written)
            EXPECT_EQ(block, c.written) << c.size << (c.wide ? " wide" : "");
    }
}

TEST(BlockGolden, WritingIntoAnExistingMediumNeedsRoomAndStartsAtTheBeginning)
{
    TPreferredDropEffectClipboardFormat effect;
    const QByteArray bytes("\x02\x00\x00\x00", 4);
    const std::span<const std::uint8_t> buffer(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 4);

    STGMEDIUM small;
    ASSERT_TRUE(MediumFromBytes(QByteArray(3, '\0'), TYMED_HGLOBAL, small));
    EXPECT_FALSE(effect.WriteMediumBytes(small, buffer));
    ReleaseStgMedium(&small);

    STGMEDIUM block;
    ASSERT_TRUE(MediumFromBytes(QByteArray(6, '\x7F'), TYMED_HGLOBAL, block));
    EXPECT_TRUE(effect.WriteMediumBytes(block, buffer));
    EXPECT_EQ(BytesOfMedium(block), QByteArray("\x02\x00\x00\x00\x7F\x7F", 6));
    ReleaseStgMedium(&block);

    STGMEDIUM stream;
    ASSERT_TRUE(MediumFromBytes("xyz", TYMED_ISTREAM, stream));
    stream.pstm->Seek(0, STREAM_SEEK_END, nullptr);
    EXPECT_TRUE(effect.WriteMediumBytes(stream, buffer));
    EXPECT_EQ(BytesOfMedium(stream), bytes);
    ReleaseStgMedium(&stream);
}
