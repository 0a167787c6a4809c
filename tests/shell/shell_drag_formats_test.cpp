// The blocks and small objects of the shell controls' drags: the "Shell IDList Array" and CF_HDROP
// blocks, the format list and its enumerator, the drop source's answers, the data object's
// answers, and where a waiting drag scrolls.
#include "shell/drag_auto_scroll.h"
#include "shell/drop_source_shlvtv.h"
#include "shell/format_etc_list.h"
#include "shell/global_blocks.h"
#include "shell/shell_init.h"

#include "platform/ole/drop_actions.h"
#include "platform/ole/drop_files.h"
#include "platform/system/name_encoding.h"

#include "support/shell_fixtures.h"

#include <gtest/gtest.h>

using namespace win;

namespace {

QByteArray BlockBytes(HGLOBAL Block)
{
    const std::optional<QByteArray> bytes = BytesOfGlobal(Block);
    GlobalFree(Block);
    return bytes.value_or("(no block)");
}

QByteArray U32(quint32 Value)
{
    return QByteArray(reinterpret_cast<const char*>(&Value), 4);
}

FORMATETC Format(CLIPFORMAT Clip, DWORD Tymed = TYMED_HGLOBAL, DWORD Aspect = DVASPECT_CONTENT)
{
    FORMATETC format;
    format.cfFormat = Clip;
    format.tymed = Tymed;
    format.dwAspect = Aspect;
    return format;
}

} // namespace

TEST(ShellDragBlocks, IdListArraysHoldTheOffsetsTheParentAndTheItemsInOrder)
{
    const QByteArray item = QByteArray("\x05\x00" "abc", 5) + QByteArray(2, '\0');
    const TPidl one = RawPidl(item);
    // One item under the desktop: the empty parent takes two bytes.
    HGLOBAL block = nullptr;
    ASSERT_EQ(PidlsToIdListArray(nullptr, {one.get()}, block), S_OK);
    EXPECT_EQ(BlockBytes(block).toHex(' '), (U32(1) + U32(12) + U32(14) + QByteArray(2, '\0') + item).toHex(' '));

    // Three items under a parent of two items.
    const QByteArray parent = QByteArray("\x03\x00" "p" "\x04\x00" "qq", 7) + QByteArray(2, '\0');
    const QByteArray second = QByteArray("\x03\x00" "z", 3) + QByteArray(2, '\0');
    const TPidl parentList = RawPidl(parent), two = RawPidl(second), three = RawPidl(item);
    ASSERT_EQ(PidlsToIdListArray(parentList.get(), {one.get(), two.get(), three.get()}, block), S_OK);
    const quint32 start = 4 * 5; // the count and four offsets
    const QByteArray expected = U32(3) + U32(start) + U32(start + 9) + U32(start + 9 + 7) + U32(start + 9 + 7 + 5) +
                                parent + item + second + item;
    EXPECT_EQ(BlockBytes(block).toHex(' '), expected.toHex(' '));
}

TEST(ShellDragBlocks, FileDropBlocksKeepEveryNameWhole)
{
    const QString longPath = "/" + QString(3999, QLatin1Char('d'));
    const QString odd = DecodeName("/tmp/two  blanks \xff\xfe.txt");
    HGLOBAL block = nullptr;
    ASSERT_EQ(StringsToHDrop({"/a b/c d.txt", odd, longPath}, block), S_OK);
    const QByteArray bytes = BlockBytes(block);
    const QByteArray header = U32(20) + U32(0) + U32(0) + U32(0) + U32(0);
    const QByteArray names = QByteArray("/a b/c d.txt", 12) + '\0' + QByteArray("/tmp/two  blanks \xff\xfe.txt") + '\0' +
                             EncodeName(longPath) + '\0' + '\0';
    EXPECT_EQ(bytes.size(), 20 + names.size());
    EXPECT_EQ(bytes.left(20).toHex(' '), header.toHex(' '));
    EXPECT_EQ(bytes.mid(20), names);
    const std::optional<TDropFiles> read = ReadDropFiles(ByteSpan(bytes));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Names, QStringList({"/a b/c d.txt", odd, longPath}));

    // A copy is a new block with the same bytes; a handle that names no block gives none.
    ASSERT_EQ(StringsToHDrop({"/x"}, block), S_OK);
    const HGLOBAL copy = DuplicateHGlobal(block);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, block);
    EXPECT_EQ(BlockBytes(copy), BlockBytes(block));
    EXPECT_EQ(DuplicateHGlobal(block), nullptr);
}

TEST(ShellDragFormats, QueryFormatAnswersByAspectFormatAndMedium)
{
    const CLIPFORMAT idList = CLIPFORMAT(ShellIdListFormat());
    const TPTFormatEtcList list{idList, CF_HDROP};
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).cfFormat, idList);
    EXPECT_EQ(list.Items(1).cfFormat, CF_HDROP);
    EXPECT_EQ(list.Items(1).lindex, -1);
    EXPECT_EQ(list.Items(1).ptd, nullptr);
    const struct {
        FORMATETC Asked;
        HRESULT Answer;
    } cases[] = {
        {Format(CF_HDROP), S_OK},
        {Format(idList, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
        {Format(CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON), DV_E_FORMATETC},
        {Format(CF_HDROP, TYMED_ISTREAM), DV_E_TYMED},
        {Format(CF_TEXT), DV_E_FORMATETC},
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.QueryFormat(c.Asked), c.Answer) << c.Asked.cfFormat << " " << c.Asked.tymed;
}

TEST(ShellDragFormats, TheEnumeratorCountsSkipsAndClonesItsPosition)
{
    const TPTFormatEtcList list{1, 2, 3, 4};
    const ComPtr<IEnumFORMATETC> formats = ComPtr<IEnumFORMATETC>::Adopt(list.CreateEnumerator());
    FORMATETC got[5];
    ULONG fetched = 9;
    EXPECT_EQ(formats->Skip(2), S_OK);
    ComPtr<IEnumFORMATETC> clone;
    ASSERT_EQ(formats->Clone(clone.Put()), S_OK);
    EXPECT_EQ(formats->Next(5, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[0].cfFormat, 3);
    EXPECT_EQ(got[1].cfFormat, 4);
    // The clone kept the position it was made at.
    EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, 3);
    EXPECT_EQ(clone->Skip(5), S_FALSE);
    EXPECT_EQ(clone->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(clone->Reset(), S_OK);
    EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, 1);
}

TEST(ShellDragSource, TheDragGoesOnWhileItsButtonAloneIsDown)
{
    const struct {
        int Button;
        BOOL Escape;
        DWORD Keys;
        HRESULT Answer;
    } cases[] = {
        {0, FALSE, MK_LBUTTON, S_OK},
        {0, FALSE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, S_OK},
        {0, FALSE, 0, DRAGDROP_S_DROP},
        {0, FALSE, MK_CONTROL, DRAGDROP_S_DROP},
        {0, TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {0, FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
        {0, FALSE, MK_MBUTTON, DRAGDROP_S_CANCEL},
        {1, FALSE, MK_RBUTTON, S_OK},
        {1, FALSE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {1, FALSE, 0, DRAGDROP_S_DROP},
        {2, FALSE, MK_MBUTTON, S_OK},
        {2, TRUE, 0, DRAGDROP_S_CANCEL},
    };
    for (const auto& c : cases) {
        const ComPtr<TDropSource_shlvtv> source(new TDropSource_shlvtv(c.Button));
        EXPECT_EQ(source->QueryContinueDrag(c.Escape, c.Keys), c.Answer) << c.Button << " " << c.Escape << " " << c.Keys;
        EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    }
}

TEST(ShellDragSource, CountsStartAtZeroAndTheLastReleaseFrees)
{
    auto* source = new TDropSource_shlvtv(0);
    EXPECT_EQ(source->RefCount(), 0u);
    void* itf = nullptr;
    ASSERT_EQ(source->QueryInterface(IID_IDropSource, &itf), S_OK);
    EXPECT_EQ(itf, static_cast<IDropSource*>(source));
    EXPECT_EQ(source->RefCount(), 1u);
    EXPECT_EQ(source->QueryInterface(IID_IDataObject, &itf), E_NOINTERFACE);
    EXPECT_EQ(itf, nullptr);
    EXPECT_EQ(source->Release(), 0u); // freed: ASan reports a leak otherwise
}

TEST(ShellDragScroll, AWaitingDragScrollsNearTheEdgesAtMostEvery100Ms)
{
    const QRect client(0, 0, 200, 100);
    const struct {
        QPoint Point;
        std::uint32_t Now;
        std::optional<TDragScroll> Scroll;
    } cases[] = {
        {{100, 50}, 1101, TDragScroll{0, 0}},
        {{25, 50}, 1101, TDragScroll{-1, 0}},
        {{26, 50}, 1101, TDragScroll{0, 0}},
        {{175, 50}, 1101, TDragScroll{1, 0}},
        {{174, 50}, 1101, TDragScroll{0, 0}},
        {{100, 19}, 1101, TDragScroll{0, -1}},
        {{100, 20}, 1101, TDragScroll{0, 0}},
        {{100, 81}, 1101, TDragScroll{0, 1}},
        {{100, 80}, 1101, TDragScroll{0, 0}},
        {{0, 99}, 1101, TDragScroll{-1, 1}},
        {{0, 0}, 1100, std::nullopt},
        {{0, 0}, 1050, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<TDragScroll> scroll = DragAutoScroll(c.Point, client, c.Now, 1000);
        ASSERT_EQ(scroll.has_value(), c.Scroll.has_value()) << c.Point.x() << "," << c.Point.y() << " at " << c.Now;
        if (scroll) {
            EXPECT_EQ(*scroll, *c.Scroll) << c.Point.x() << "," << c.Point.y();
        }
    }
    // The tick count may wrap around.
    EXPECT_FALSE(DragAutoScroll({0, 0}, client, 50, 0xFFFFFFF0u));
    EXPECT_TRUE(DragAutoScroll({0, 0}, client, 200, 0xFFFFFFF0u));
}

TEST(ShellDragSource, KeysHeldAtTheStartNarrowWhatOtherProgramsAreOffered)
{
    constexpr DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const struct {
        DWORD Ok;
        Qt::KeyboardModifiers Keys;
        DWORD Offered;
    } cases[] = {
        {all, Qt::NoModifier, all},
        {all, Qt::ControlModifier, DROPEFFECT_COPY},
        {all, Qt::ShiftModifier, DROPEFFECT_MOVE},
        {all, Qt::ControlModifier | Qt::ShiftModifier, DROPEFFECT_LINK},
        {all, Qt::AltModifier, all},
        // Keys asking for an effect the drag does not allow leave what it allows.
        {DROPEFFECT_COPY | DROPEFFECT_LINK, Qt::ShiftModifier, DROPEFFECT_COPY | DROPEFFECT_LINK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OfferedEffects(c.Ok, c.Keys), c.Offered) << c.Ok << " " << c.Keys.toInt();
}
