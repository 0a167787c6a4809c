// DoDragDrop and the drag loop behind it.
//
// DoDragDrop hands the drag to the current drag loop, which the tests replace. The program's loop
// (QtDragLoop) renders every format of the data object into an OleMimeData before the drag starts,
// shows the drag image of ImageList_BeginDrag (when one is set) with its hot spot, runs QDrag::exec
// with the effects offered to other programs (OfferedEffects in drop_actions.h), tells the drop
// source each change of action (GiveFeedback) and maps the result: a drop gives DRAGDROP_S_DROP
// with the effect taken, anything else DRAGDROP_S_CANCEL with effect 0.
// Another program may read the rendered data after exec has returned (on X11 the drop only tells
// the receiver that the data is there), so the loop keeps the drag until the next drag starts or
// Qt's X11 backend has heard the receiver finish; the source's own objects are released when
// DoDragDrop returns.
// Within this process a drop target receives the source's own data object, and the drop source is
// asked (QueryContinueDrag) whether the drop goes ahead (see bridge/drop_registration.h).
#pragma once

#include "platform/ole/interfaces.h"

#include <QObject>
#include <QPointer>

class QDrag;

namespace win {

class DragLoop {
public:
    virtual ~DragLoop() = default;
    // Runs one drag; the arguments are DoDragDrop's, checked.
    virtual HRESULT Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect) = 0;
};

class QtDragLoop : public DragLoop {
public:
    ~QtDragLoop() override;
    // A drag started while one runs is cancelled: Qt runs one drag at a time.
    HRESULT Run(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect) override;

protected:
    // Runs the prepared drag; the program's loop calls QDrag::exec.
    virtual Qt::DropAction Exec(QDrag& Drag, Qt::DropActions Actions);

private:
    // The source object of the last drag, owning the drag and its rendered data; a child of the
    // application, so that it goes at the application's end at the latest.
    QPointer<QObject> lastDrag_;
    bool running_ = false;
};

// Makes Loop the one DoDragDrop runs (it stays the caller's); null restores the program's loop.
void SetDragLoop(DragLoop* Loop);

// Runs a drag of DataObject. E_INVALIDARG for a null argument; otherwise the loop's result:
// DRAGDROP_S_DROP with *pdwEffect the effect the target took, or DRAGDROP_S_CANCEL with 0.
HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects, DWORD* pdwEffect);

} // namespace win
