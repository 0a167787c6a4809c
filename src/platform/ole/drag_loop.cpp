// DoDragDrop, the choice of drag loop, and the program's loop over QDrag.
#include "platform/ole/drag_loop.h"

#include "platform/ole/drop_actions.h"
#include "platform/ole/ole_mime_data.h"

#include <QCoreApplication>
#include <QDrag>
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

HRESULT QtDragLoop::Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect)
{
    // Qt wants a source object for the drag; the drag and its data go with it.
    QObject source;
    auto* drag = new QDrag(&source);
    drag->setMimeData(new OleMimeData(DataObject, DropSource, OleMimeData::RenderNow));
    QObject::connect(drag, &QDrag::actionChanged, drag, [DropSource](Qt::DropAction Action) {
        ComGuard([&] { return DropSource->GiveFeedback(EffectsOf(Action)); });
    });
    const Qt::DropAction action = Exec(*drag, ActionsOf(OkEffects));
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
