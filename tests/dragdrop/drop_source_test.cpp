// The drop source: drags played by the scripted drag loop onto a file drop target with their
// results and feedback, QueryContinueDrag and the OnDrop veto, SetData and the ownership of media,
// the paste notification, the format enumerators, the asynchronous operation, the drag image,
// the image properties and the clipboard.
#include "../platform/fake_data_object.h"
#include "dragdrop/drop_file_target.h"
#include "dragdrop/drop_multi_source.h"
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/feedback_data_format.h"
#include "dragdrop/file_data_formats.h"
#include "platform/graphics/image_list.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/ole_clipboard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QWidget>
#include <functional>
#include <set>

using namespace win;

namespace {

const QStringList Files{QStringLiteral("/tmp/one file.txt"), QStringLiteral("/tmp/two")};

std::vector<ScriptedDragLoop::TStep> DragTo(QWidget* Widget, bool Escape = false)
{
    return {{Widget, {5, 5}, MK_LBUTTON, false}, {Widget, {6, 6}, Escape ? MK_LBUTTON : 0, Escape}};
}

// A drag loop that answers a given result, running a probe while the drag is on.
class AnsweringLoop : public DragLoop {
public:
    explicit AnsweringLoop(HRESULT Result) : result_(Result) {}
    HRESULT Run(IDataObject*, IDropSource*, DWORD, DWORD* Effect) override
    {
        if (Probe)
            Probe();
        *Effect = DROPEFFECT_NONE;
        return result_;
    }
    std::function<void()> Probe;

private:
    HRESULT result_;
};

// A file target that has moved the files itself: it answers copy and tells the source that it
// performed a move.
class MovingFileTarget : public TDropFileTarget {
public:
    using TDropFileTarget::TDropFileTarget;

protected:
    bool WritePerformedEffect(DWORD Effect) override
    {
        return TDropFileTarget::WritePerformedEffect(Effect == DROPEFFECT_COPY ? DROPEFFECT_MOVE : Effect);
    }
};

struct AfterDrop {
    TDragResult Result;
    bool Optimized;
    bool operator==(const AfterDrop&) const = default;
};

class DropSourceTest : public ::testing::Test {
public:
    DropSourceTest()
    {
        window.resize(200, 100);
        files->Files.SetText(Files.join('\n'));
        source.OnAfterDrop = [this](TObject*, TDragResult Result, bool Optimized) { after.push_back({Result, Optimized}); };
    }
    ~DropSourceTest() override { SetDragLoop(nullptr); }

    TDragResult Drag(TDropFileTarget& Target, bool Escape = false)
    {
        Target.Register(&window);
        Target.OnDrop = [&](TObject*, TShiftState, QPoint, DWORD&) { dropped = Target.GetFiles().Text(); };
        ScriptedDragLoop loop(DragTo(&window, Escape));
        SetDragLoop(&loop);
        const TDragResult result = source.Execute();
        SetDragLoop(nullptr);
        Target.Unregister();
        return result;
    }
    TDragResult DragAnswering(HRESULT Result)
    {
        AnsweringLoop loop(Result);
        SetDragLoop(&loop);
        const TDragResult result = source.Execute();
        SetDragLoop(nullptr);
        return result;
    }
    // SetData of a DWORD feedback value, as a target writes it.
    HRESULT Write(const TFormatSpec& Spec, DWORD Value)
    {
        FORMATETC format{FormatIdOf(Spec), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium = counter.Medium(QByteArray(reinterpret_cast<const char*>(&Value), 4));
        const HRESULT result = source.SetData(&format, &medium, TRUE);
        if (result != S_OK)
            ReleaseStgMedium(&medium);
        return result;
    }

    QWidget window;
    TCustomDropMultiSource source{nullptr};
    TFileDataFormat* files = new TFileDataFormat(&source);
    std::vector<AfterDrop> after;
    QString dropped;
    ReleaseCounter counter;
};

} // namespace

TEST_F(DropSourceTest, AFileListDroppedOnAFileTarget)
{
    TDropFileTarget target(nullptr);
    EXPECT_EQ(Drag(target), drDropCopy);
    EXPECT_EQ(dropped, Files.join('\n') + '\n');
    EXPECT_EQ(source.FeedbackDataFormat().PerformedDropEffect(), DROPEFFECT_COPY);
    EXPECT_EQ(after, (std::vector<AfterDrop>{{drDropCopy, false}}));
    EXPECT_FALSE(source.FeedbackDataFormat().InShellDragLoop());
}

TEST_F(DropSourceTest, AnOptimizedMoveIsAMoveTheTargetDid)
{
    source.DragTypes = DragTypeBit(dtCopy) | DragTypeBit(dtMove);
    MovingFileTarget target(nullptr);
    target.Dragtypes = DragTypeBit(dtCopy) | DragTypeBit(dtMove);
    EXPECT_EQ(Drag(target), drDropMove);
    EXPECT_EQ(after, (std::vector<AfterDrop>{{drDropMove, true}}));
}

TEST_F(DropSourceTest, DragsThatEndWithoutADrop)
{
    struct Case {
        const char* name;
        std::function<TDragResult(DropSourceTest&)> drag;
        TDragResult result;
    };
    const Case cases[] = {
        {"escape",
         [](DropSourceTest& t) {
             TDropFileTarget target(nullptr);
             return t.Drag(target, true);
         },
         drCancel},
        {"refusing target",
         [](DropSourceTest& t) {
             TDropFileTarget target(nullptr);
             target.Dragtypes = 0;
             return t.Drag(target);
         },
         drCancel},
        {"out of memory", [](DropSourceTest& t) { return t.DragAnswering(E_OUTOFMEMORY); }, drOutMemory},
        {"other failure", [](DropSourceTest& t) { return t.DragAnswering(E_FAIL); }, drUnknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        after.clear();
        EXPECT_EQ(c.drag(*this), c.result);
        EXPECT_EQ(after, (std::vector<AfterDrop>{{c.result, false}}));
        // The performed effect a target never wrote reads 0 afterwards.
        EXPECT_EQ(source.FeedbackDataFormat().PerformedDropEffect(), DROPEFFECT_NONE);
    }
}

TEST_F(DropSourceTest, QueryContinueDragDropsOnlyAnEffectOfItsDragTypes)
{
    std::vector<TDragType> asked;
    bool veto = false;
    source.OnDrop = [&](TObject*, TDragType Type, bool& Continue) {
        asked.push_back(Type);
        Continue = Continue && !veto;
    };
    EXPECT_EQ(source.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL);
    source.GiveFeedback(DROPEFFECT_COPY);
    EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_SHIFT), DRAGDROP_S_DROP);
    veto = true;
    EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_CANCEL);
    EXPECT_EQ(asked, (std::vector<TDragType>{dtMove, dtCopy, dtCopy}));
    // OnFeedback may ask for the source's own cursors.
    source.OnFeedback = [](TObject*, DWORD, bool& UseDefaultCursors) { UseDefaultCursors = false; };
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), S_OK);
}

// A medium handed over with fRelease is released once, by the source, only when SetData took
// it; otherwise it stays the caller's.
TEST_F(DropSourceTest, SetDataTakesKnownAndUnknownFormats)
{
    FORMATETC performed{FormatIdOf(PerformedDropEffectSpec), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    const DWORD move = DROPEFFECT_MOVE;
    STGMEDIUM medium = counter.Medium(QByteArray(reinterpret_cast<const char*>(&move), 4));
    EXPECT_EQ(source.SetData(&performed, &medium, FALSE), S_OK);
    EXPECT_EQ(counter.Releases, 0);
    EXPECT_EQ(source.FeedbackDataFormat().PerformedDropEffect(), DROPEFFECT_MOVE);
    EXPECT_EQ(source.SetData(&performed, &medium, TRUE), S_OK);
    EXPECT_EQ(counter.Releases, 1);

    // A format no data format takes goes to the raw data format and is served from there.
    FORMATETC custom{CLIPFORMAT(RegisterFormatName(QStringLiteral("Drop Source Test Format"))), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(source.QueryGetData(&custom), DV_E_FORMATETC);
    for (const QByteArray& bytes : {QByteArray("first"), QByteArray("second")}) {
        medium = counter.Medium(bytes);
        EXPECT_EQ(source.SetData(&custom, &medium, TRUE), S_OK);
    }
    EXPECT_EQ(counter.Releases, 3);
    EXPECT_EQ(source.QueryGetData(&custom), S_OK);
    STGMEDIUM served;
    ASSERT_EQ(source.GetData(&custom, &served), S_OK);
    EXPECT_EQ(BytesOfMedium(served), QByteArray("second"));
    ReleaseStgMedium(&served);

    // A medium nothing can read is refused and left to the caller.
    FORMATETC file{custom.cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_FILE};
    STGMEDIUM fileMedium;
    fileMedium.tymed = TYMED_FILE;
    fileMedium.pUnkForRelease = &counter;
    EXPECT_EQ(source.SetData(&file, &fileMedium, TRUE), E_NOTIMPL);
    EXPECT_EQ(counter.Releases, 3);
    EXPECT_EQ(fileMedium.tymed, TYMED_FILE);
}

TEST_F(DropSourceTest, PasteSucceededTellsOnPaste)
{
    std::vector<std::pair<TDragResult, bool>> pastes;
    source.OnPaste = [&](TObject*, TDragResult Action, bool DeleteOnPaste) { pastes.push_back({Action, DeleteOnPaste}); };
    ASSERT_EQ(Write(PerformedDropEffectSpec, DROPEFFECT_MOVE), S_OK);
    ASSERT_EQ(Write(PasteSucceededSpec, DROPEFFECT_MOVE), S_OK);
    ASSERT_EQ(Write(PasteSucceededSpec, DROPEFFECT_COPY), S_OK);
    ASSERT_EQ(Write(PerformedDropEffectSpec, DROPEFFECT_COPY), S_OK);
    ASSERT_EQ(Write(PasteSucceededSpec, DROPEFFECT_MOVE), S_OK);
    EXPECT_EQ(pastes, (std::vector<std::pair<TDragResult, bool>>{
                          {drDropMove, true}, {drDropCopy, false}, {drDropMove, false}}));
    EXPECT_EQ(counter.Releases, counter.MediaMade);
}

TEST_F(DropSourceTest, TheEnumeratorsListEachFormatOnceForTheirDirection)
{
    const auto records = [&](DWORD Direction) {
        IEnumFORMATETC* raw = nullptr;
        EXPECT_EQ(source.EnumFormatEtc(Direction, &raw), S_OK);
        const auto formats = ComPtr<IEnumFORMATETC>::Adopt(raw);
        std::vector<CLIPFORMAT> ids;
        FORMATETC format;
        // One record at a time without a count.
        while (formats->Next(1, &format, nullptr) == S_OK)
            ids.push_back(format.cfFormat);
        return ids;
    };
    const std::vector<CLIPFORMAT> get = records(DATADIR_GET);
    const std::vector<CLIPFORMAT> set = records(DATADIR_SET);
    EXPECT_EQ(std::set<CLIPFORMAT>(get.begin(), get.end()).size(), get.size());
    EXPECT_EQ(std::set<CLIPFORMAT>(set.begin(), set.end()).size(), set.size());
    const auto has = [](const std::vector<CLIPFORMAT>& List, CLIPFORMAT Id) {
        return std::find(List.begin(), List.end(), Id) != List.end();
    };
    EXPECT_TRUE(has(get, CF_HDROP));
    EXPECT_TRUE(has(get, FormatIdOf(PreferredDropEffectSpec)));
    EXPECT_FALSE(has(get, FormatIdOf(PerformedDropEffectSpec)));
    EXPECT_TRUE(has(set, FormatIdOf(PerformedDropEffectSpec)));
    EXPECT_TRUE(has(set, FormatIdOf(PasteSucceededSpec)));
    EXPECT_FALSE(has(set, CF_HDROP));
    IEnumFORMATETC* none = reinterpret_cast<IEnumFORMATETC*>(1);
    EXPECT_EQ(source.EnumFormatEtc(3, &none), E_NOTIMPL);
    EXPECT_EQ(none, nullptr);
}

TEST_F(DropSourceTest, GetDataServesTheFilesAndOnGetDataComesFirst)
{
    FORMATETC hdrop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(source.QueryGetData(&hdrop), S_OK);
    STGMEDIUM medium;
    ASSERT_EQ(source.GetData(&hdrop, &medium), S_OK);
    const std::optional<QByteArray> block = BytesOfMedium(medium);
    ReleaseStgMedium(&medium);
    ASSERT_TRUE(block);
    EXPECT_EQ(ReadDropFiles(ByteSpan(*block))->Names, Files);
    EXPECT_EQ(files->Files.Text(), Files.join('\n') + '\n') << "serving keeps the data";

    source.OnGetData = [](TObject*, const FORMATETC&, STGMEDIUM& Out, bool& Handled) {
        Handled = MediumFromBytes("mine", TYMED_HGLOBAL, Out);
    };
    ASSERT_EQ(source.GetData(&hdrop, &medium), S_OK);
    EXPECT_EQ(BytesOfMedium(medium), QByteArray("mine"));
    ReleaseStgMedium(&medium);
    EXPECT_EQ(source.GetDataHere(&hdrop, &medium), E_NOTIMPL);
    FORMATETC canonical;
    EXPECT_EQ(source.GetCanonicalFormatEtc(&hdrop, &canonical), DATA_S_SAMEFORMATETC);
    IEnumSTATDATA* advise = reinterpret_cast<IEnumSTATDATA*>(1);
    EXPECT_EQ(source.EnumDAdvise(&advise), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(advise, nullptr);
}

TEST_F(DropSourceTest, TheAsynchronousOperation)
{
    EXPECT_EQ(source.SetAsyncMode(TRUE), E_NOTIMPL);
    EXPECT_EQ(source.StartOperation(nullptr), E_NOTIMPL);
    EXPECT_EQ(source.EndOperation(S_OK, nullptr, DROPEFFECT_COPY), E_FAIL);
    source.SetAllowAsyncTransfer(true);
    source.DragTypes = DragTypeBit(dtCopy) | DragTypeBit(dtMove);
    // A target that starts an asynchronous transfer during the drop: the drag's end waits for it.
    AnsweringLoop loop(DRAGDROP_S_DROP);
    loop.Probe = [&] { EXPECT_EQ(source.StartOperation(nullptr), S_OK); };
    SetDragLoop(&loop);
    source.Execute();
    EXPECT_TRUE(after.empty());
    BOOL flag = FALSE;
    EXPECT_EQ(source.InOperation(&flag), S_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(source.EndOperation(S_OK, nullptr, DROPEFFECT_MOVE | DROPEFFECT_LINK), S_OK);
    EXPECT_EQ(source.EndOperation(E_FAIL, nullptr, 0), E_FAIL);
    source.StartOperation(nullptr);
    EXPECT_EQ(source.EndOperation(E_FAIL, nullptr, DROPEFFECT_MOVE), S_OK);
    EXPECT_EQ(after, (std::vector<AfterDrop>{{drDropMove, false}, {drUnknown, false}}));
    source.StartOperation(nullptr);
    source.SetAllowAsyncTransfer(false);
    EXPECT_FALSE(source.AsyncMode());
    EXPECT_FALSE(source.InAsyncOperation());
}

TEST_F(DropSourceTest, TheDragImageIsTheListsImageWithItsHotSpot)
{
    TImageList images(nullptr);
    QImage red(16, 16, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    images.Add(red);
    images.Add(red);
    source.SetImages(&images);
    source.SetImageIndex(1);
    source.SetShowImage(true);
    source.ImageHotSpotX = 3;
    QImage shown;
    QPoint hotSpot;
    AnsweringLoop loop(DRAGDROP_S_CANCEL);
    loop.Probe = [&] { shown = ImageListDragImage(hotSpot); };
    SetDragLoop(&loop);
    source.Execute();
    EXPECT_EQ(shown.size(), QSize(16, 16));
    EXPECT_EQ(shown.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(hotSpot, QPoint(3, 16));
    EXPECT_TRUE(ImageListDragImage(hotSpot).isNull()) << "gone when the drag ends";
}

TEST(DropSourceProperties, TheImageRules)
{
    TCustomDropSource source(nullptr);
    EXPECT_EQ(source.DragTypes, DragTypeBit(dtCopy));
    EXPECT_EQ(source.ImageHotSpotX, 16);
    source.SetShowImage(true);
    EXPECT_FALSE(source.ShowImage()) << "no list";
    TImageList images(nullptr), empty(nullptr);
    images.Add(QImage(16, 16, QImage::Format_ARGB32_Premultiplied));
    images.Add(QImage(16, 16, QImage::Format_ARGB32_Premultiplied));
    source.SetImages(&images);
    source.SetShowImage(true);
    source.SetImageIndex(1);
    source.SetImageIndex(5);
    EXPECT_EQ(source.ImageIndex(), 1) << "an index outside the list is ignored";
    source.SetImages(&empty);
    EXPECT_EQ(source.ImageIndex(), 0);
    EXPECT_FALSE(source.ShowImage()) << "a list without images";
    source.SetImages(&images);
    source.SetShowImage(true);
    source.SetImageIndex(-1);
    EXPECT_EQ(source.ImageIndex(), 0);
    EXPECT_FALSE(source.ShowImage());
}

TEST_F(DropSourceTest, TheClipboardHoldsTheSourceUntilItGoes)
{
    QClipboard* clipboard = QApplication::clipboard();
    ComPtr<IDataObject> kept;
    {
        TCustomDropMultiSource other(nullptr);
        auto* otherFiles = new TFileDataFormat(&other);
        otherFiles->Files.SetText(Files.join('\n'));
        ASSERT_TRUE(other.CopyToClipboard());
        EXPECT_EQ(other.FeedbackDataFormat().PreferredDropEffect(), DROPEFFECT_COPY);
        EXPECT_TRUE(clipboard->mimeData()->hasFormat(QStringLiteral("text/uri-list")));
        ASSERT_TRUE(other.ClipboardDataObject());
        ASSERT_EQ(OleGetClipboard(kept.Put()), S_OK);
    }
    EXPECT_FALSE(clipboard->mimeData() && clipboard->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        << "freeing the source empties the clipboard it owned";
    // What a reader kept of the clipboard no longer reaches the source.
    FORMATETC hdrop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    EXPECT_EQ(kept->GetData(&hdrop, &medium), E_UNEXPECTED);
    EXPECT_EQ(kept->QueryGetData(&hdrop), E_UNEXPECTED);

    ASSERT_TRUE(source.CutToClipboard());
    EXPECT_EQ(source.FeedbackDataFormat().PreferredDropEffect(), DROPEFFECT_MOVE);
    clipboard->setText(QStringLiteral("another program's"));
    EXPECT_EQ(source.ClipboardDataObject(), nullptr);
    source.EmptyClipboard();
    EXPECT_EQ(clipboard->text(), QStringLiteral("another program's"));
}
