// DoDragDrop, the choice of drag loop, and the program's loop over QDrag.
#include "platform/ole/drag_loop.h"

#include "platform/graphics/image_list.h"
#include "platform/ole/drop_actions.h"
#include "platform/ole/ole_mime_data.h"

#include <QCoreApplication>
#include <QDrag>
#include <QGuiApplication>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QThread>

namespace win {

namespace {

DragLoop* Installed = nullptr;

DragLoop& CurrentLoop()
{
    static QtDragLoop programLoop;
    return Installed ? *Installed : programLoop;
}

} // namespace

QtDragLoop::~QtDragLoop()
{
    delete lastDrag_;
}

HRESULT QtDragLoop::Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect)
{
    if (running_)
        return DRAGDROP_S_CANCEL;
    // Qt wants a source object for the drag; the drag and its data go with it. The previous
    // drag's receiver has had its data by now.
    delete lastDrag_;
    lastDrag_ = new QObject(QCoreApplication::instance());
    auto* drag = new QDrag(lastDrag_);
    QPointer<OleMimeData> data = new OleMimeData(DataObject, DropSource, OleMimeData::RenderNow);
    drag->setMimeData(data);
    QPoint hotSpot;
    if (const QImage image = ImageListDragImage(hotSpot); !image.isNull()) {
        drag->setPixmap(QPixmap::fromImage(image));
        drag->setHotSpot(hotSpot);
    }
    QObject::connect(drag, &QDrag::actionChanged, drag, [DropSource](Qt::DropAction Action) {
        ComGuard([&] { return DropSource->GiveFeedback(EffectsOf(Action)); });
    });
    Qt::DropAction action;
    {
        const QScopedValueRollback<bool> running(running_, true);
        action = Exec(*drag, ActionsOf(OfferedEffects(OkEffects, QGuiApplication::queryKeyboardModifiers())));
    }
    // Targets of this process have taken the source's objects during the drag; a receiver still
    // to read the data reads the rendered copy.
    if (data)
        data->ReleaseSource();
    *Effect = EffectsOf(action) & OkEffects;
    return *Effect ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}

Qt::DropAction QtDragLoop::Exec(QDrag& Drag, Qt::DropActions Actions)
{
    return Drag.exec(Actions);
}

void SetDragLoop(DragLoop* Loop)
{
    Installed = Loop;
}

HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects, DWORD* pdwEffect)
{
    if (!pDataObj || !pDropSource || !pdwEffect)
        return E_INVALIDARG;
    *pdwEffect = DROPEFFECT_NONE;
    if (!QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread())
        return E_UNEXPECTED;
    return ComGuard([&] { return CurrentLoop().Run(pDataObj, pDropSource, dwOKEffects, pdwEffect); });
}

} // namespace win
