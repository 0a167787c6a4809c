// RegisterDragDrop and RevokeDragDrop: a widget becomes an OLE drop target, bound to Qt's drag
// and drop by a DropTargetBinding.
//
// The binding filters the drag events of the widget (of its viewport, for a scroll area, which it
// also makes accept drops) and turns them into calls of the target, with the key state of the
// buttons and modifiers held, the point in screen coordinates and the possible actions as effects:
// - enter: DragEnter with a data object over the event's QMimeData (QtDataObject), or the
//   source's own data object when the drag started in this process. Qt's event is accepted
//   whenever DragEnter succeeds, even with effect 0, so later moves and the drop still come.
// - move: DragOver; Qt gets the action of the effect and the event is accepted when it is not 0.
// - leave: DragLeave.
// - drop: for a drag of this process, the source's QueryContinueDrag first (a cancel there gives
//   DragLeave); then Drop, answered to Qt like a move.
// The data object goes at leave and drop. A target that throws counts as answering E_UNEXPECTED.
// The binding holds a reference to the target; it lives until RevokeDragDrop or until the widget
// is deleted. The widget's own drag handling is bypassed while it is registered.
#pragma once

#include "platform/ole/interfaces.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace win {

// DRAGDROP_E_INVALIDHWND for a null widget, E_INVALIDARG for a null target,
// DRAGDROP_E_ALREADYREGISTERED when the widget has a target.
HRESULT RegisterDragDrop(QWidget* hwnd, IDropTarget* pDropTarget);
// DRAGDROP_E_NOTREGISTERED when the widget has no target.
HRESULT RevokeDragDrop(QWidget* hwnd);
// The target registered on the widget or on its nearest registered ancestor; null when none.
IDropTarget* RegisteredDropTarget(QWidget* Widget);

class DropTargetBinding : public QObject {
    Q_OBJECT

public:
    // Binds Target to Widget, as RegisterDragDrop does; the binding is a child of Widget.
    DropTargetBinding(QWidget* Widget, IDropTarget* Target);
    // Deleted with its widget, it leaves the widget alone (Qt drops the filter of a deleted
    // object by itself).
    ~DropTargetBinding() override;

    IDropTarget* Target() const { return target_.Get(); }
    // Stops filtering and gives the widget back its own acceptance of drops.
    void Unbind();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Enter(class QDragEnterEvent& Event);
    void Move(class QDragMoveEvent& Event);
    void Leave();
    void Drop(class QDropEvent& Event);
    POINTL ScreenPoint(const QDropEvent& Event) const;

    QPointer<QWidget> filtered_;
    bool acceptedDrops_;
    ComPtr<IDropTarget> target_;
    ComPtr<IDataObject> dataObject_;
};

} // namespace win
