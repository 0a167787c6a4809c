// The drop targets: registration and lookup, the IDropTarget calls with their effects and
// feedback, automatic scrolling, pasting, Qt's drag events and the background transfer.
#include "../platform/fake_data_object.h"
#include "dragdrop/drop_file_target.h"
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/file_data_formats.h"
#include "platform/messages/timer.h"
#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/drop_files.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <semaphore>

using namespace win;

namespace {

const QStringList Files{QStringLiteral("/tmp/one file.txt"), QStringLiteral("/tmp/two")};

CLIPFORMAT FormatId(const TFormatSpec& Spec)
{
    return FormatIdOf(Spec);
}

// A file drag's data object: CF_HDROP with Files. GetData fails with FailFetch.
class FileDataObject : public FakeDataObject {
public:
    FileDataObject() { Offer(CF_HDROP, MakeDropFiles(Files, true)); }

    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override
    {
        return FailFetch ? E_FAIL : FakeDataObject::GetData(format, medium);
    }

    bool FailFetch = false;
};

// A data object that supports asynchronous transfer and records the operation's calls. With
// Gate set its GetData waits until the gate opens; with RefuseOtherThreads it cannot be
// reached from another thread.
class AsyncDataObject : public FileDataObject, public IAsyncOperation {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        if (RefuseOtherThreads && QThread::currentThread() != qApp->thread()) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        if (riid == IID_IAsyncOperation)
            return FindInterface(this, riid, ppv, {{IID_IAsyncOperation, static_cast<IAsyncOperation*>(this)}});
        return FileDataObject::QueryInterface(riid, ppv);
    }
    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override
    {
        if (Gate)
            Gate->acquire();
        return FileDataObject::GetData(format, medium);
    }
    HRESULT SetAsyncMode(BOOL) override { return E_NOTIMPL; }
    HRESULT GetAsyncMode(BOOL* isAsync) override
    {
        *isAsync = TRUE;
        return S_OK;
    }
    HRESULT StartOperation(IBindCtx*) override
    {
        ++Started;
        return S_OK;
    }
    HRESULT InOperation(BOOL*) override { return E_NOTIMPL; }
    HRESULT EndOperation(HRESULT result, IBindCtx*, DWORD effects) override
    {
        EndResult = result;
        EndEffect = effects;
        ++Ended;
        return S_OK;
    }

    std::counting_semaphore<>* Gate = nullptr;
    bool RefuseOtherThreads = false;
    std::atomic<int> Started = 0;
    std::atomic<int> Ended = 0;
    std::atomic<HRESULT> EndResult = S_OK;
    std::atomic<DWORD> EndEffect = 0;
};

// A drag image that records what it is asked.
class RecordingDragImage : public TDragImageService {
public:
    explicit RecordingDragImage(QStringList& Calls) : calls_(Calls) {}
    bool GetDragImage(QPoint& HotSpot) override
    {
        HotSpot = QPoint(3, 4);
        return true;
    }
    void SetDragCursorImage(QPoint HotSpot) override { Record("cursor", HotSpot); }
    void DragEnter(QWidget*, QPoint Point) override { Record("enter", Point); }
    void DragMove(QPoint Point) override { Record("move", Point); }
    void DragLeave(QWidget*) override { calls_ << QStringLiteral("leave"); }
    void DragShowNolock(bool Show) override { calls_ << QStringLiteral("show %1").arg(Show); }

private:
    void Record(const char* Name, QPoint Point)
    {
        calls_ << QStringLiteral("%1 %2,%3").arg(QLatin1String(Name)).arg(Point.x()).arg(Point.y());
    }
    QStringList& calls_;
};

// A file target that notes what it gives the source on a paste.
class PastingFileTarget : public TDropFileTarget {
public:
    using TDropFileTarget::TDropFileTarget;
    std::vector<DWORD> PasteSucceeded;

protected:
    bool WritePasteSucceeded(DWORD Effect) override
    {
        if (TDropFileTarget::WritePasteSucceeded(Effect))
            PasteSucceeded.push_back(Effect);
        return true;
    }
};

POINTL ScreenPoint(QWidget* Widget, QPoint Point = QPoint(5, 5))
{
    const QPoint screen = Widget->mapToGlobal(Point);
    return POINTL{screen.x(), screen.y()};
}

class DropTargetTest : public ::testing::Test {
protected:
    DropTargetTest()
    {
        window.resize(400, 300);
        window.move(0, 0);
        window.show();
        target.OnDrop = [this](TObject*, TShiftState, QPoint Point, DWORD& Effect) {
            ++drops;
            dropPoint = Point;
            filesInDrop = target.GetFiles().Text();
            if (dropEffect)
                Effect = *dropEffect;
        };
    }

    QWidget window;
    TDropFileTarget target{nullptr};
    int drops = 0;
    QPoint dropPoint;
    QString filesInDrop;
    std::optional<DWORD> dropEffect;
};

} // namespace

TEST_F(DropTargetTest, RegistersEachControlOnceAndFollowsMultiTarget)
{
    QWidget first(&window), second(&window);
    target.Register(&first);
    target.Register(&first);
    EXPECT_EQ(target.Targets().Count(), 1);
    EXPECT_EQ(RegisteredDropTarget(&first), static_cast<IDropTarget*>(&target));

    target.Register(&second);
    ASSERT_EQ(target.Targets().Count(), 1) << "without MultiTarget the second control replaces the first";
    EXPECT_EQ(target.Targets().Controls(0), &second);
    EXPECT_EQ(RegisteredDropTarget(&first), nullptr);
    EXPECT_EQ(target.Target(), &second);

    target.MultiTarget = true;
    target.Register(&first);
    EXPECT_EQ(target.Targets().Count(), 2);
    QWidget stranger;
    target.Unregister(&stranger);
    EXPECT_EQ(target.Targets().Count(), 2);
    target.Unregister(nullptr);
    EXPECT_EQ(target.Targets().Count(), 0);
    EXPECT_EQ(RegisteredDropTarget(&first), nullptr);
    EXPECT_EQ(RegisteredDropTarget(&second), nullptr);

    target.Register(&first);
    target.SetTarget(&second);
    EXPECT_EQ(target.Targets().Count(), 1);
    EXPECT_EQ(target.Target(), &second);
}

TEST_F(DropTargetTest, FindsARegisteredChildBeforeItsParentAndForgetsDeletedControls)
{
    target.MultiTarget = true;
    auto* child = new QWidget(&window);
    child->setGeometry(100, 100, 50, 50);
    target.Register(&window);
    target.Register(child);
    ASSERT_EQ(target.Targets().Count(), 2);

    QWidget* entered = nullptr;
    target.OnEnter = [&](TObject*, TShiftState, QPoint, DWORD&) { entered = target.Target(); };
    const auto data = MakeComObject<FileDataObject>();
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(target.DragEnter(data.Get(), 0, ScreenPoint(child), &effect), S_OK);
    EXPECT_EQ(entered, child);
    target.DragLeave();
    effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, ScreenPoint(&window), &effect);
    EXPECT_EQ(entered, &window);
    target.DragLeave();

    delete child;
    EXPECT_EQ(target.Targets().Count(), 1);
    EXPECT_EQ(target.Targets().Controls(0), &window);
}

TEST_F(DropTargetTest, ResolvesTheEffectFromDragTypesAllowedEffectsAndKeys)
{
    const DWORD copy = DROPEFFECT_COPY, move = DROPEFFECT_MOVE, link = DROPEFFECT_LINK;
    const TDragTypes dCopy = DragTypeBit(dtCopy), dMove = DragTypeBit(dtMove), dLink = DragTypeBit(dtLink);
    struct Case {
        TDragTypes dragTypes;
        DWORD allowed;
        DWORD keys;
        DWORD expected;
    } cases[] = {
        {dCopy, copy | move, 0, copy},
        {dCopy | dMove, copy | move, 0, move},
        {dCopy | dMove, copy | move, MK_CONTROL, copy},
        {dCopy | dMove | dLink, copy | move | link, MK_CONTROL | MK_SHIFT, link},
        {dCopy | dLink, move | link, MK_CONTROL, link},
        {dCopy, move | link, 0, 0},
        {dMove, copy | move, MK_CONTROL, move},
    };
    target.Register(&window);
    const auto data = MakeComObject<FileDataObject>();
    for (const Case& c : cases) {
        target.Dragtypes = c.dragTypes;
        DWORD effect = c.allowed;
        EXPECT_EQ(target.DragEnter(data.Get(), c.keys | MK_LBUTTON, ScreenPoint(&window), &effect), S_OK);
        EXPECT_EQ(effect, c.expected) << "drag types " << int(c.dragTypes) << ", allowed " << c.allowed << ", keys "
                                      << c.keys;
        effect = c.allowed;
        EXPECT_EQ(target.DragOver(c.keys | MK_LBUTTON, ScreenPoint(&window), &effect),
                  c.expected ? S_OK : DV_E_CLIPFORMAT);
        EXPECT_EQ(effect, c.expected);
        target.DragLeave();
    }
}

TEST_F(DropTargetTest, DropGivesTheFilesInsideOnDropAndTellsAMoveAsCopy)
{
    target.Register(&window);
    target.Dragtypes = DragTypeBit(dtCopy) | DragTypeBit(dtMove);
    dropEffect = DROPEFFECT_MOVE;
    const auto data = MakeComObject<FileDataObject>();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.DragEnter(data.Get(), MK_LBUTTON, ScreenPoint(&window), &effect), S_OK);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.Drop(data.Get(), 0, ScreenPoint(&window, QPoint(7, 9)), &effect), S_OK);

    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropPoint, QPoint(7, 9));
    EXPECT_EQ(filesInDrop, Files.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(effect, DROPEFFECT_COPY) << "a performed move is reported as copy";
    EXPECT_EQ(data->Received[FormatId(PerformedDropEffectSpec)], QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(target.GetFiles().Count(), 0) << "the data is valid only inside OnDrop";
    EXPECT_EQ(target.DataObject(), nullptr);

    target.OptimizedMove = false;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(data.Get(), MK_LBUTTON, ScreenPoint(&window), &effect);
    target.Drop(data.Get(), 0, ScreenPoint(&window), &effect);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(data->Received[FormatId(PerformedDropEffectSpec)], QByteArray("\x02\0\0\0", 4));
}

TEST_F(DropTargetTest, RefusesWhatItCannotTakeAndCallsOutOfOrder)
{
    target.Register(&window);
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragOver(0, ScreenPoint(&window), &effect), E_UNEXPECTED) << "no DragEnter yet";
    EXPECT_EQ(effect, 0u);

    const auto text = MakeComObject<FakeDataObject>();
    text->Offer(CF_TEXT, "abc");
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragEnter(text.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    EXPECT_EQ(effect, 0u);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragOver(0, ScreenPoint(&window), &effect), DV_E_CLIPFORMAT);
    EXPECT_EQ(effect, 0u) << "no drop cursor for a drag that will be refused";
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.Drop(text.Get(), 0, ScreenPoint(&window), &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, 0u);

    const auto failing = MakeComObject<FileDataObject>();
    failing->FailFetch = true;
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragEnter(failing.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(target.Drop(failing.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    EXPECT_EQ(effect, 0u);
    EXPECT_EQ(drops, 0) << "a failed fetch fires no OnDrop";

    target.GetDataOnEnter = true;
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragEnter(failing.Get(), 0, ScreenPoint(&window), &effect), DV_E_CLIPFORMAT);
    EXPECT_EQ(effect, 0u);
}

TEST_F(DropTargetTest, ADragOverNoControlTurnsImageAndScrollingOffForThatDragOnly)
{
    QStringList calls;
    target.SetDragImageService(std::make_unique<RecordingDragImage>(calls));
    target.Register(&window);
    const auto data = MakeComObject<FileDataObject>();
    DWORD effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, POINTL{-500, -500}, &effect);
    target.DragLeave();
    EXPECT_TRUE(calls.isEmpty()) << calls.join(QLatin1Char(';')).toStdString();
    EXPECT_TRUE(target.ShowImage());
    EXPECT_TRUE(target.AutoScroll);

    effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, ScreenPoint(&window, QPoint(10, 20)), &effect);
    effect = DROPEFFECT_COPY;
    target.DragOver(0, ScreenPoint(&window, QPoint(11, 22)), &effect);
    target.Drop(data.Get(), 0, ScreenPoint(&window, QPoint(11, 22)), &effect);
    EXPECT_EQ(calls, QStringList({"cursor 3,4", "enter 10,20", "move 11,22", "leave"}));
}

TEST_F(DropTargetTest, ScrollsAControlWithScrollBarsNearItsEdges)
{
    target.MultiTarget = true;
    QWidget plain(&window);
    plain.setGeometry(0, 0, 100, 100);
    QListWidget list(&window);
    list.setGeometry(150, 0, 120, 100);
    for (int i = 0; i < 200; ++i)
        list.addItem(QStringLiteral("a rather long item number %1 to make both bars show").arg(i));
    plain.show();
    list.show();
    QApplication::processEvents();
    ASSERT_TRUE(list.verticalScrollBar()->isVisible());
    target.Register(&plain);
    target.Register(&list);
    const auto data = MakeComObject<FileDataObject>();

    DWORD effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, ScreenPoint(&plain, QPoint(1, 1)), &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY) << "no scroll bars, no scroll bit";
    target.DragLeave();

    QWidget* viewport = list.viewport();
    const QPoint nearBottom(viewport->width() / 2, viewport->height() - 2);
    const POINTL bottom{viewport->mapToGlobal(nearBottom).x(), viewport->mapToGlobal(nearBottom).y()};
    effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, bottom, &effect);
    effect = DROPEFFECT_COPY;
    target.DragOver(0, bottom, &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
    ASSERT_TRUE(target.ScrollTimer().Enabled());

    target.ScrollTimer().OnTimer(&target.ScrollTimer());
    EXPECT_EQ(list.verticalScrollBar()->value(), list.verticalScrollBar()->singleStep());
    EXPECT_TRUE(target.ScrollTimer().Enabled());

    TScrolDirections asked = 0;
    target.OnScroll = [&](TObject*, QPoint, TScrolDirections& Scroll, int&) {
        asked = Scroll;
        Scroll = 0;
    };
    target.ScrollTimer().OnTimer(&target.ScrollTimer());
    EXPECT_EQ(asked, sdDown);
    EXPECT_FALSE(target.ScrollTimer().Enabled()) << "a handler that clears the directions stops scrolling";
    EXPECT_EQ(list.verticalScrollBar()->value(), list.verticalScrollBar()->singleStep());

    const QPoint middle = viewport->mapToGlobal(viewport->rect().center());
    effect = DROPEFFECT_COPY;
    target.DragOver(0, POINTL{middle.x(), middle.y()}, &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    target.DragLeave();
}

TEST_F(DropTargetTest, PastesTheFilesOnTheClipboard)
{
    PastingFileTarget paster(nullptr);
    QString pasted;
    paster.OnDrop = [&](TObject*, TShiftState, QPoint, DWORD&) { pasted = paster.GetFiles().Text(); };
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(Files[0]), QUrl::fromLocalFile(Files[1])});
    QGuiApplication::clipboard()->setMimeData(mime);

    EXPECT_EQ(paster.PasteFromClipboard(), DROPEFFECT_COPY);
    EXPECT_EQ(pasted, Files.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(paster.PasteSucceeded, std::vector<DWORD>{DROPEFFECT_COPY});
    QGuiApplication::clipboard()->clear();
}

TEST_F(DropTargetTest, TakesADropFromQtsDragEvents)
{
    auto* list = new QListWidget(&window);
    list->setGeometry(0, 0, 200, 200);
    target.Register(list);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Files[0])});
    QWidget* viewport = list->viewport();

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPoint(12, 14), Qt::CopyAction | Qt::MoveAction, &mime, Qt::NoButton, Qt::NoModifier);
    drop.setAccepted(false);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(filesInDrop, Files[0] + QLatin1Char('\n'));
    EXPECT_EQ(dropPoint, QPoint(12, 14));
}

TEST_F(DropTargetTest, TransfersInTheBackgroundAndEndsOnTheGuiThread)
{
    target.Register(&window);
    target.AllowAsyncTransfer = true;
    // The data is filled on the transfer thread: OnDrop must not read it, OnEndAsyncTransfer can.
    target.OnDrop = [&](TObject*, TShiftState, QPoint, DWORD&) { ++drops; };
    std::counting_semaphore<> gate(0);
    const auto data = MakeComObject<AsyncDataObject>();
    data->Gate = &gate;
    int started = 0;
    QString filled;
    bool endedOnGuiThread = false;
    target.OnStartAsyncTransfer = [&](TObject*) { ++started; };
    target.OnEndAsyncTransfer = [&](TObject*) {
        endedOnGuiThread = QThread::currentThread() == qApp->thread();
        filled = target.GetFiles().Text();
    };

    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(target.DragEnter(data.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    ASSERT_EQ(target.Drop(data.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(data->Started, 1);
    EXPECT_TRUE(target.AsyncTransferInProgress());

    const auto other = MakeComObject<FileDataObject>();
    DWORD busyEffect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragEnter(other.Get(), 0, ScreenPoint(&window), &busyEffect), S_OK);
    EXPECT_EQ(busyEffect, 0u) << "a new drag is refused while the transfer runs";
    EXPECT_EQ(target.DragLeave(), S_OK);

    gate.release(100);
    ASSERT_TRUE(pumpUntil([&] { return !target.AsyncTransferInProgress(); }));
    EXPECT_TRUE(endedOnGuiThread);
    EXPECT_EQ(filled, Files.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(data->Ended, 1);
    EXPECT_EQ(data->EndResult, S_OK);
    EXPECT_EQ(data->EndEffect, DROPEFFECT_COPY);
    ASSERT_FALSE(data->CallThreads.empty());
    EXPECT_NE(data->CallThreads.front(), qApp->thread()) << "the data was read on the transfer thread";
}

TEST_F(DropTargetTest, AFailedUnmarshalStillEndsTheTransfer)
{
    target.Register(&window);
    target.AllowAsyncTransfer = true;
    const auto data = MakeComObject<AsyncDataObject>();
    data->RefuseOtherThreads = true;
    int ended = 0;
    target.OnEndAsyncTransfer = [&](TObject*) { ++ended; };
    DWORD effect = DROPEFFECT_COPY;
    target.DragEnter(data.Get(), 0, ScreenPoint(&window), &effect);
    ASSERT_EQ(target.Drop(data.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    ASSERT_TRUE(pumpUntil([&] { return ended == 1; }));
    EXPECT_FALSE(target.AsyncTransferInProgress());
    EXPECT_EQ(data->Ended, 1);
    EXPECT_EQ(data->EndResult, E_UNEXPECTED);

    target.AllowAsyncTransfer = false;
    const auto later = MakeComObject<FileDataObject>();
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target.DragEnter(later.Get(), 0, ScreenPoint(&window), &effect), S_OK);
    EXPECT_EQ(effect, DROPEFFECT_COPY) << "a later drag is accepted";
    target.DragLeave();
}
