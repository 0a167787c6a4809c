// The Qt bridge of OLE data transfer: drop targets registered on widgets and fed by Qt's drag
// events, the drag loops behind DoDragDrop, the OLE clipboard, and data objects passed between
// threads.
#include "fake_data_object.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/ole/cf_html.h"
#include "platform/ole/com_init.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/marshal.h"
#include "platform/ole/mime_data_object.h"
#include "platform/ole/ole_clipboard.h"
#include "platform/ole/ole_mime_data.h"
#include "platform/threads/thread.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <stdexcept>

using namespace win;

namespace {

CLIPFORMAT Named(const char* Name)
{
    return CLIPFORMAT(RegisterClipboardFormat(QLatin1String(Name)));
}

// The text of a data object, read as CF_UNICODETEXT; empty when it has none.
QString TextOf(IDataObject* Data)
{
    FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    if (!Data || Data->GetData(&format, &medium) != S_OK)
        return {};
    const QByteArray bytes = BytesOfMedium(medium).value_or(QByteArray());
    ReleaseStgMedium(&medium);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2 - 1);
}

// A drop target that records its calls and answers with set effects.
class FakeDropTarget : public ComObject, public IDropTarget {
public:
    struct TCall {
        QString What;
        DWORD KeyState = 0;
        POINTL Point{0, 0};
        DWORD Effects = 0;
        IDataObject* Data = nullptr;
        QString Text;
    };

    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        return FindInterface(this, riid, ppv,
                             {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropTarget, static_cast<IDropTarget*>(this)}});
    }
    HRESULT DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        Record("enter", keys, point, *effect, data);
        *effect = EnterEffect;
        return EnterResult;
    }
    HRESULT DragOver(DWORD keys, POINTL point, DWORD* effect) override
    {
        Record("over", keys, point, *effect, nullptr);
        *effect = OverEffect;
        return S_OK;
    }
    HRESULT DragLeave() override
    {
        Record("leave", 0, {0, 0}, 0, nullptr);
        return S_OK;
    }
    HRESULT Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        Record("drop", keys, point, *effect, data);
        *effect = DropEffect;
        return S_OK;
    }

    QStringList Names() const
    {
        QStringList names;
        for (const TCall& call : Calls)
            names << call.What;
        return names;
    }

    std::vector<TCall> Calls;
    DWORD EnterEffect = DROPEFFECT_COPY;
    HRESULT EnterResult = S_OK;
    DWORD OverEffect = DROPEFFECT_COPY;
    DWORD DropEffect = DROPEFFECT_COPY;
    QString ThrowOn;
    bool* Destroyed = nullptr;

    ~FakeDropTarget() override
    {
        if (Destroyed)
            *Destroyed = true;
    }

private:
    void Record(const char* what, DWORD keys, POINTL point, DWORD effects, IDataObject* data)
    {
        if (ThrowOn == QLatin1String(what))
            throw std::runtime_error("target failure");
        Calls.push_back({QLatin1String(what), keys, point, effects, data, TextOf(data)});
    }
};

// A drop source that goes on while a button is held, drops when none is and cancels on Escape.
class FakeDropSource : public ComObject, public IDropSource {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        return FindInterface(this, riid, ppv,
                             {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropSource, static_cast<IDropSource*>(this)}});
    }
    HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        Asked.push_back(keys | (escape ? 0x1000u : 0u));
        if (CancelAlways || escape)
            return DRAGDROP_S_CANCEL;
        return keys & (MK_LBUTTON | MK_RBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DWORD effect) override
    {
        Feedback.push_back(effect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

    std::vector<DWORD> Asked;
    std::vector<DWORD> Feedback;
    bool CancelAlways = false;
};

// A data object that only the GUI thread may call.
class GuiBoundDataObject : public FakeDataObject {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        if (riid == IID_IGuiThreadBound)
            return FindInterface(this, riid, ppv, {{IID_IGuiThreadBound, static_cast<IUnknown*>(this)}});
        return FakeDataObject::QueryInterface(riid, ppv);
    }
};

class Worker : public TThread {
public:
    explicit Worker(std::function<void()> Body) : TThread(true), body_(std::move(Body)) {}
    ~Worker() override { WaitFor(); }

protected:
    void Execute() override { body_(); }

private:
    std::function<void()> body_;
};

// Sends Qt's drag events to a widget as a drag from another program would.
class DragEvents {
public:
    DragEvents(QWidget* Widget, const QMimeData* Data) : widget_(Widget), data_(Data) {}

    bool Enter(QPoint Point, Qt::MouseButtons Buttons = Qt::LeftButton, Qt::KeyboardModifiers Modifiers = {})
    {
        QDragEnterEvent event(Point, Qt::CopyAction | Qt::MoveAction, data_, Buttons, Modifiers);
        return Send(event);
    }
    bool Move(QPoint Point, Qt::KeyboardModifiers Modifiers = {})
    {
        QDragMoveEvent event(Point, Qt::CopyAction | Qt::MoveAction, data_, Qt::LeftButton, Modifiers);
        return Send(event);
    }
    void Leave()
    {
        QDragLeaveEvent event;
        QCoreApplication::sendEvent(widget_, &event);
    }
    bool Drop(QPoint Point)
    {
        QDropEvent event(Point, Qt::CopyAction | Qt::MoveAction, data_, Qt::NoButton, Qt::NoModifier);
        return Send(event);
    }

    Qt::DropAction LastAction = Qt::IgnoreAction;

private:
    bool Send(QDropEvent& Event)
    {
        Event.setAccepted(false);
        QCoreApplication::sendEvent(widget_, &Event);
        LastAction = Event.dropAction();
        return Event.isAccepted();
    }

    QWidget* widget_;
    const QMimeData* data_;
};

QPoint Screen(QWidget* Widget, QPoint Point)
{
    return Widget->mapToGlobal(Point);
}

} // namespace

TEST(DropRegistration, BindsATargetToAWidgetUntilRevokedOrDeleted)
{
    bool destroyed = false;
    auto target = MakeComObject<FakeDropTarget>();
    target->Destroyed = &destroyed;
    auto* widget = new QWidget;
    auto* child = new QWidget(widget);
    EXPECT_EQ(RegisterDragDrop(nullptr, target.Get()), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(widget, nullptr), E_INVALIDARG);
    ASSERT_EQ(RegisterDragDrop(widget, target.Get()), S_OK);
    EXPECT_TRUE(widget->acceptDrops());
    EXPECT_EQ(RegisterDragDrop(widget, target.Get()), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RegisteredDropTarget(child), target.Get()) << "found from a child";
    EXPECT_EQ(RevokeDragDrop(widget), S_OK);
    EXPECT_FALSE(widget->acceptDrops());
    EXPECT_EQ(RegisteredDropTarget(widget), nullptr);
    EXPECT_EQ(RevokeDragDrop(widget), DRAGDROP_E_NOTREGISTERED);

    auto* list = new QListWidget;
    ASSERT_EQ(RegisterDragDrop(list, target.Get()), S_OK);
    EXPECT_TRUE(list->viewport()->acceptDrops()) << "a scroll area gets its drags on its viewport";
    EXPECT_EQ(RegisteredDropTarget(list->viewport()), target.Get());
    target.Reset();
    EXPECT_FALSE(destroyed) << "the binding holds a reference";
    delete list;
    EXPECT_TRUE(destroyed) << "and lets it go with the widget";
    delete widget;
}

TEST(DropRegistration, DragEventsReachTheTargetWithKeysPointAndEffects)
{
    QWidget widget;
    widget.move(200, 100);
    const auto target = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(&widget, target.Get()), S_OK);
    QMimeData data;
    data.setText("dropped text");
    DragEvents drag(&widget, &data);

    target->EnterEffect = DROPEFFECT_MOVE;
    EXPECT_TRUE(drag.Enter({5, 6}, Qt::LeftButton | Qt::RightButton, Qt::ControlModifier | Qt::AltModifier));
    EXPECT_EQ(drag.LastAction, Qt::MoveAction);
    target->OverEffect = DROPEFFECT_COPY | DROPEFFECT_SCROLL;
    EXPECT_TRUE(drag.Move({7, 8}, Qt::ShiftModifier));
    EXPECT_EQ(drag.LastAction, Qt::CopyAction);
    target->OverEffect = DROPEFFECT_NONE;
    EXPECT_FALSE(drag.Move({9, 9}));
    target->DropEffect = DROPEFFECT_COPY;
    EXPECT_TRUE(drag.Drop({10, 11}));
    EXPECT_EQ(drag.LastAction, Qt::CopyAction);

    ASSERT_EQ(target->Names(), (QStringList{"enter", "over", "over", "drop"}));
    const auto& calls = target->Calls;
    EXPECT_EQ(calls[0].KeyState, MK_LBUTTON | MK_RBUTTON | MK_CONTROL | MK_ALT);
    EXPECT_EQ(QPoint(calls[0].Point.x, calls[0].Point.y), Screen(&widget, {5, 6}));
    EXPECT_EQ(calls[0].Effects, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(calls[0].Text, "dropped text") << "the data object reads the drag's data";
    EXPECT_EQ(calls[1].KeyState, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(QPoint(calls[1].Point.x, calls[1].Point.y), Screen(&widget, {7, 8}));
    EXPECT_EQ(calls[3].KeyState, 0u);
    EXPECT_EQ(calls[3].Data, calls[0].Data) << "the drop gets the data object of the enter";
    EXPECT_EQ(calls[3].Text, "dropped text");

    target->Calls.clear();
    EXPECT_TRUE(drag.Enter({1, 1}));
    drag.Leave();
    EXPECT_EQ(target->Names(), (QStringList{"enter", "leave"}));
    RevokeDragDrop(&widget);
}

TEST(DropRegistration, AnEnterWithEffectNoneStillGetsTheMovesAndTheDrop)
{
    QWidget widget;
    const auto target = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(&widget, target.Get()), S_OK);
    QMimeData data;
    data.setText("x");
    DragEvents drag(&widget, &data);
    target->EnterEffect = DROPEFFECT_NONE;
    EXPECT_TRUE(drag.Enter({1, 1})) << "accepted, so Qt sends the moves and the drop";
    EXPECT_EQ(drag.LastAction, Qt::IgnoreAction);
    EXPECT_TRUE(drag.Drop({2, 2}));
    EXPECT_EQ(target->Names(), (QStringList{"enter", "drop"}));

    target->Calls.clear();
    target->EnterResult = DV_E_CLIPFORMAT;
    EXPECT_FALSE(drag.Enter({1, 1})) << "a failing DragEnter refuses the drag";
    RevokeDragDrop(&widget);
}

TEST(DropRegistration, ATargetThatThrowsAnswersEUnexpected)
{
    QWidget widget;
    const auto target = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(&widget, target.Get()), S_OK);
    QMimeData data;
    DragEvents drag(&widget, &data);
    target->ThrowOn = "enter";
    EXPECT_FALSE(drag.Enter({1, 1})) << "refused, and nothing escapes into Qt";

    target->ThrowOn = "drop";
    const auto source = MakeComObject<FakeDropSource>();
    const auto object = MakeComObject<FakeDataObject>();
    ScriptedDragLoop loop({{&widget, {3, 3}, MK_LBUTTON}, {&widget, {3, 3}, 0}});
    SetDragLoop(&loop);
    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY, &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    SetDragLoop(nullptr);
    RevokeDragDrop(&widget);
}

TEST(DropRegistration, ADragOfThisProcessHandsOverTheSourcesOwnObjects)
{
    QWidget widget;
    const auto target = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(&widget, target.Get()), S_OK);
    const auto object = MakeComObject<FakeDataObject>();
    object->Offer(CF_UNICODETEXT, QByteArray("i\0n\0\0\0", 6));
    const auto source = MakeComObject<FakeDropSource>();
    OleMimeData data(object.Get(), source.Get(), OleMimeData::RenderNow);
    DragEvents drag(&widget, &data);

    EXPECT_TRUE(drag.Enter({1, 1}));
    EXPECT_TRUE(drag.Drop({1, 1}));
    ASSERT_EQ(target->Names(), (QStringList{"enter", "drop"}));
    EXPECT_EQ(target->Calls[0].Data, static_cast<IDataObject*>(object.Get()));
    EXPECT_EQ(target->Calls[1].Data, static_cast<IDataObject*>(object.Get()));
    EXPECT_EQ(source->Asked, std::vector<DWORD>{0}) << "the source is asked before the drop";

    target->Calls.clear();
    source->CancelAlways = true;
    EXPECT_TRUE(drag.Enter({1, 1}));
    EXPECT_FALSE(drag.Drop({1, 1}));
    EXPECT_EQ(target->Names(), (QStringList{"enter", "leave"})) << "a source that cancels gets no drop";
    RevokeDragDrop(&widget);
}

TEST(ScriptedDrag, AsksTheSourceAtEachStepAndDropsOnTheTarget)
{
    QWidget window;
    auto* first = new QWidget(&window);
    first->setGeometry(0, 0, 50, 50);
    auto* second = new QWidget(&window);
    second->setGeometry(60, 0, 50, 50);
    auto* plain = new QWidget(&window);
    const auto firstTarget = MakeComObject<FakeDropTarget>();
    const auto secondTarget = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(first, firstTarget.Get()), S_OK);
    ASSERT_EQ(RegisterDragDrop(second, secondTarget.Get()), S_OK);
    secondTarget->EnterEffect = DROPEFFECT_MOVE;
    secondTarget->OverEffect = DROPEFFECT_LINK;
    secondTarget->DropEffect = DROPEFFECT_LINK;
    const auto object = MakeComObject<FakeDataObject>();
    const auto source = MakeComObject<FakeDropSource>();

    ScriptedDragLoop loop({{first, {1, 2}, MK_LBUTTON},
                           {plain, {3, 3}, MK_LBUTTON},
                           {second, {4, 5}, MK_LBUTTON | MK_SHIFT},
                           {second, {6, 7}, MK_LBUTTON | MK_CONTROL},
                           {second, {6, 7}, MK_CONTROL}});
    SetDragLoop(&loop);
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect),
              DRAGDROP_S_DROP);
    SetDragLoop(nullptr);
    EXPECT_EQ(effect, DROPEFFECT_LINK);
    EXPECT_EQ(source->Asked, (std::vector<DWORD>{MK_LBUTTON, MK_LBUTTON, MK_LBUTTON | MK_SHIFT,
                                                 MK_LBUTTON | MK_CONTROL, MK_CONTROL}));
    EXPECT_EQ(source->Feedback, (std::vector<DWORD>{DROPEFFECT_COPY, DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_LINK}));
    EXPECT_EQ(firstTarget->Names(), (QStringList{"enter", "leave"}));
    EXPECT_EQ(secondTarget->Names(), (QStringList{"enter", "over", "drop"}));
    const auto& drop = secondTarget->Calls[2];
    EXPECT_EQ(drop.Data, static_cast<IDataObject*>(object.Get()));
    EXPECT_EQ(drop.KeyState, MK_CONTROL);
    EXPECT_EQ(QPoint(drop.Point.x, drop.Point.y), Screen(second, {6, 7}));
    EXPECT_EQ(secondTarget->Calls[0].Effects, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

TEST(ScriptedDrag, EscapeOrAnEffectOfNoneCancels)
{
    QWidget widget;
    const auto target = MakeComObject<FakeDropTarget>();
    ASSERT_EQ(RegisterDragDrop(&widget, target.Get()), S_OK);
    const auto object = MakeComObject<FakeDataObject>();
    struct Case {
        const char* what;
        std::vector<ScriptedDragLoop::TStep> steps;
        DWORD overEffect;
        QStringList calls;
    };
    const Case cases[] = {
        {"escape", {{&widget, {1, 1}, MK_LBUTTON}, {&widget, {1, 1}, MK_LBUTTON, true}}, DROPEFFECT_COPY, {"enter", "leave"}},
        {"released over an effect of none",
         {{&widget, {1, 1}, MK_LBUTTON}, {&widget, {2, 2}, MK_LBUTTON}, {&widget, {2, 2}, 0}},
         DROPEFFECT_NONE,
         {"enter", "over", "leave"}},
        {"released over no target", {{nullptr, {1, 1}, MK_LBUTTON}, {nullptr, {1, 1}, 0}}, DROPEFFECT_COPY, {}},
        {"a script that runs out", {{&widget, {1, 1}, MK_LBUTTON}}, DROPEFFECT_COPY, {"enter", "leave"}},
    };
    for (const Case& c : cases) {
        target->Calls.clear();
        target->OverEffect = c.overEffect;
        const auto source = MakeComObject<FakeDropSource>();
        ScriptedDragLoop loop(c.steps);
        SetDragLoop(&loop);
        DWORD effect = 99;
        EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL) << c.what;
        SetDragLoop(nullptr);
        EXPECT_EQ(effect, DROPEFFECT_NONE) << c.what;
        EXPECT_EQ(target->Names(), c.calls) << c.what;
        EXPECT_EQ(source->Asked.size(), c.steps.size()) << c.what;
    }
    RevokeDragDrop(&widget);
}

namespace {

// The program's drag loop with a drag that ends at once, looking at what the drag carries.
class ImmediateDragLoop : public QtDragLoop {
public:
    Qt::DropAction Result = Qt::CopyAction;
    QStringList Types;
    std::map<QString, QByteArray> Entries;
    Qt::DropActions Actions;
    int CallsBeforeExec = 0;
    FakeDataObject* Source = nullptr;
    const QMimeData* Data = nullptr;

protected:
    Qt::DropAction Exec(QDrag& Drag, Qt::DropActions actions) override
    {
        Actions = actions;
        Data = Drag.mimeData();
        Types = Data->formats();
        for (const QString& type : Types)
            Entries[type] = Data->data(type);
        CallsBeforeExec = 0;
        for (const auto& [format, calls] : Source->GetDataCalls)
            CallsBeforeExec += calls;
        Q_EMIT Drag.actionChanged(Qt::MoveAction);
        return Result;
    }
};

} // namespace

TEST(QtDrag, EveryFormatIsRenderedBeforeTheDragStarts)
{
    const auto object = MakeComObject<FakeDataObject>();
    object->Offer(CF_HDROP, MakeDropFiles({"/tmp/one file"}, true));
    object->Offer(CF_UNICODETEXT, QByteArray("t\0x\0t\0\0\0", 8));
    object->Offer(Named("HTML Format"), MakeCfHtml("<b>b</b>"));
    object->Offer(Named("Preferred DropEffect"), QByteArray("\x02\0\0\0", 4));
    const auto source = MakeComObject<FakeDropSource>();
    ImmediateDragLoop loop;
    loop.Source = object.Get();
    SetDragLoop(&loop);
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(loop.Actions, Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(loop.CallsBeforeExec, 4) << "each format read once, before the drag";
    EXPECT_EQ(loop.Entries["text/uri-list"], "file:///tmp/one%20file\r\n");
    EXPECT_EQ(loop.Entries["text/plain"], "txt");
    EXPECT_TRUE(loop.Entries["text/html"].contains("<b>b</b>"));
    EXPECT_EQ(loop.Entries[ClipboardFormatMimeType(Named("Preferred DropEffect"))], QByteArray("\x02\0\0\0", 4));
    EXPECT_EQ(loop.Types.size(), 4);
    EXPECT_EQ(source->Feedback, std::vector<DWORD>{DROPEFFECT_MOVE}) << "a change of action is the source's feedback";
    EXPECT_EQ(object->Counter.Releases, object->Counter.MediaMade);

    loop.Result = Qt::IgnoreAction;
    EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    loop.Result = Qt::TargetMoveAction;
    EXPECT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    SetDragLoop(nullptr);

    EXPECT_EQ(DoDragDrop(nullptr, source.Get(), DROPEFFECT_COPY, &effect), E_INVALIDARG);
}

TEST(QtDrag, TheRenderedDataOutlivesTheDragUntilTheNextOneAndTheSourceIsReleased)
{
    const auto object = MakeComObject<FakeDataObject>();
    object->Offer(CF_HDROP, MakeDropFiles({"/tmp/one file"}, true));
    const auto source = MakeComObject<FakeDropSource>();
    auto loop = std::make_unique<ImmediateDragLoop>();
    loop->Source = object.Get();
    SetDragLoop(loop.get());
    DWORD effect = 0;
    ASSERT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
    const QPointer<const QMimeData> first = loop->Data;

    // Another program reads the data after the drag has ended.
    ASSERT_TRUE(first);
    EXPECT_EQ(first->data("text/uri-list"), "file:///tmp/one%20file\r\n");
    object->AddRef();
    EXPECT_EQ(object->Release(), 1u) << "the data object is released when DoDragDrop returns";
    source->AddRef();
    EXPECT_EQ(source->Release(), 1u) << "so is the drop source";

    ASSERT_EQ(DoDragDrop(object.Get(), source.Get(), DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
    EXPECT_FALSE(first) << "the next drag frees the previous one";
    const QPointer<const QMimeData> second = loop->Data;
    SetDragLoop(nullptr);
    loop.reset();
    EXPECT_FALSE(second) << "the loop frees the last drag when it goes";
}

TEST(OleClipboard, SetGetFlushAndIsCurrent)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto object = MakeComObject<FakeDataObject>();
    object->Offer(CF_UNICODETEXT, QByteArray("o\0u\0r\0s\0\0\0", 10));
    ASSERT_EQ(OleSetClipboard(object.Get()), S_OK);
    EXPECT_TRUE(object->GetDataCalls.empty()) << "rendered on first use only";
    EXPECT_EQ(OleIsCurrentClipboard(object.Get()), S_OK);
    ComPtr<IDataObject> got;
    ASSERT_EQ(OleGetClipboard(got.Put()), S_OK);
    EXPECT_EQ(got.Get(), static_cast<IDataObject*>(object.Get())) << "our own object while it is on the clipboard";
    got.Reset();
    EXPECT_EQ(clipboard->text(), "ours");
    EXPECT_EQ(object->GetDataCalls[CF_UNICODETEXT], 1);

    ASSERT_EQ(OleFlushClipboard(), S_OK);
    EXPECT_EQ(OleIsCurrentClipboard(object.Get()), S_FALSE);
    EXPECT_EQ(clipboard->text(), "ours") << "the rendered data stays";
    EXPECT_EQ(object->AddRef(), 2u) << "the clipboard let the object go";
    object->Release();
    ASSERT_EQ(OleGetClipboard(got.Put()), S_OK);
    EXPECT_NE(got.Get(), static_cast<IDataObject*>(object.Get()));
    EXPECT_EQ(TextOf(got.Get()), "ours");

    clipboard->setText("someone else's");
    EXPECT_EQ(TextOf(got.Get()), "ours") << "a data object over a copy";
    ASSERT_EQ(OleGetClipboard(got.Put()), S_OK);
    EXPECT_EQ(TextOf(got.Get()), "someone else's");

    ASSERT_EQ(OleSetClipboard(object.Get()), S_OK);
    clipboard->setText("replaced");
    EXPECT_EQ(OleIsCurrentClipboard(object.Get()), S_FALSE);
    ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
    EXPECT_EQ(clipboard->text(), "");

    HRESULT fromWorker = S_OK;
    Worker worker([&] { fromWorker = OleSetClipboard(object.Get()); });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(fromWorker, CLIPBRD_E_CANT_OPEN);
}

TEST(CrossThread, GuiBoundObjectsAreCalledOnTheGuiThreadAndOthersDirectly)
{
    const auto bound = MakeComObject<GuiBoundDataObject>();
    bound->Offer(CF_TEXT, "bound");
    const auto plain = MakeComObject<FakeDataObject>();
    plain->Offer(CF_TEXT, "plain");
    IStream* boundStream = nullptr;
    IStream* plainStream = nullptr;
    ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IDataObject, bound.Get(), &boundStream), S_OK);
    ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IDataObject, plain.Get(), &plainStream), S_OK);
    IStream* refused = nullptr;
    EXPECT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IDropTarget, plain.Get(), &refused), E_NOINTERFACE);

    QThread* workerThread = nullptr;
    std::optional<QByteArray> boundBytes;
    std::optional<QByteArray> plainBytes;
    IDataObject* plainThere = nullptr;
    Worker worker([&] {
        workerThread = QThread::currentThread();
        EXPECT_EQ(CoInitialize(nullptr), S_OK);
        ComPtr<IDataObject> boundThere;
        ComPtr<IDataObject> plainHere;
        EXPECT_EQ(CoGetInterfaceAndReleaseStream(boundStream, IID_IDataObject, reinterpret_cast<void**>(boundThere.Put())), S_OK);
        EXPECT_EQ(CoGetInterfaceAndReleaseStream(plainStream, IID_IDataObject, reinterpret_cast<void**>(plainHere.Put())), S_OK);
        plainThere = plainHere.Get();
        for (auto& [object, bytes] : {std::pair{boundThere.Get(), &boundBytes}, std::pair{plainHere.Get(), &plainBytes}}) {
            FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            STGMEDIUM medium;
            if (object && object->GetData(&format, &medium) == S_OK) {
                *bytes = BytesOfMedium(medium);
                ReleaseStgMedium(&medium);
            }
        }
        CoUninitialize();
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(boundBytes, QByteArray("bound"));
    EXPECT_EQ(plainBytes, QByteArray("plain"));
    EXPECT_EQ(bound->CallThreads, std::vector<QThread*>{QCoreApplication::instance()->thread()});
    EXPECT_EQ(plain->CallThreads, std::vector<QThread*>{workerThread});
    EXPECT_EQ(plainThere, static_cast<IDataObject*>(plain.Get())) << "a plain object passes as it is";
    QCoreApplication::processEvents(); // the proxy lets its object go on the GUI thread
    EXPECT_EQ(bound->AddRef(), 2u);
    bound->Release();
}
