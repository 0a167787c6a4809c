// Drop targets registered on widgets, and the binding of Qt's drag events to them.
#include "platform/ole/bridge/drop_registration.h"

#include "platform/ole/drop_actions.h"
#include "platform/ole/mime_data_object.h"
#include "platform/ole/ole_mime_data.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QWidget>

namespace win {

namespace {

DropTargetBinding* BindingOf(QWidget* Widget)
{
    return Widget ? Widget->findChild<DropTargetBinding*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// The widget that receives the drag events of a registered widget.
QWidget* DragReceiver(QWidget* Widget)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(Widget);
    return area && area->viewport() ? area->viewport() : Widget;
}

constexpr DWORD ButtonStates = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

} // namespace

HRESULT RegisterDragDrop(QWidget* hwnd, IDropTarget* pDropTarget)
{
    if (!hwnd)
        return DRAGDROP_E_INVALIDHWND;
    if (!pDropTarget)
        return E_INVALIDARG;
    if (BindingOf(hwnd))
        return DRAGDROP_E_ALREADYREGISTERED;
    new DropTargetBinding(hwnd, pDropTarget);
    return S_OK;
}

HRESULT RevokeDragDrop(QWidget* hwnd)
{
    DropTargetBinding* binding = BindingOf(hwnd);
    if (!binding)
        return DRAGDROP_E_NOTREGISTERED;
    binding->Unbind();
    delete binding;
    return S_OK;
}

IDropTarget* RegisteredDropTarget(QWidget* Widget)
{
    for (QWidget* widget = Widget; widget; widget = widget->parentWidget())
        if (DropTargetBinding* binding = BindingOf(widget))
            return binding->Target();
    return nullptr;
}

DropTargetBinding::DropTargetBinding(QWidget* Widget, IDropTarget* Target)
    : QObject(Widget), filtered_(DragReceiver(Widget)), acceptedDrops_(filtered_->acceptDrops()), target_(Target)
{
    filtered_->installEventFilter(this);
    filtered_->setAcceptDrops(true);
}

DropTargetBinding::~DropTargetBinding() = default;

void DropTargetBinding::Unbind()
{
    if (!filtered_)
        return;
    filtered_->removeEventFilter(this);
    filtered_->setAcceptDrops(acceptedDrops_);
    filtered_ = nullptr;
}

POINTL DropTargetBinding::ScreenPoint(const QDropEvent& Event) const
{
    const QPoint point = filtered_->mapToGlobal(Event.position().toPoint());
    return {point.x(), point.y()};
}

bool DropTargetBinding::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != filtered_)
        return false;
    switch (Event->type()) {
    case QEvent::DragEnter: Enter(*static_cast<QDragEnterEvent*>(Event)); return true;
    case QEvent::DragMove: Move(*static_cast<QDragMoveEvent*>(Event)); return true;
    case QEvent::DragLeave: Leave(); return true;
    case QEvent::Drop: Drop(*static_cast<QDropEvent*>(Event)); return true;
    default: return false;
    }
}

void DropTargetBinding::Enter(QDragEnterEvent& Event)
{
    const auto* ours = qobject_cast<const OleMimeData*>(Event.mimeData());
    dataObject_ = ours && ours->Source() ? ComPtr<IDataObject>(ours->Source())
                       : ComPtr<IDataObject>(MakeComObject<QtDataObject>(Event.mimeData()));
    DWORD effect = EffectsOf(Event.possibleActions());
    const HRESULT hr = ComGuard([&] {
        return target_->DragEnter(dataObject_.Get(), KeyStateOf(Event.buttons(), Event.modifiers()), ScreenPoint(Event),
                                  &effect);
    });
    if (FAILED(hr)) {
        dataObject_.Reset();
        Event.ignore();
        return;
    }
    Event.setDropAction(DropActionOf(effect, Event.proposedAction()));
    Event.accept();
}

void DropTargetBinding::Move(QDragMoveEvent& Event)
{
    DWORD effect = EffectsOf(Event.possibleActions());
    const HRESULT hr = ComGuard([&] {
        return target_->DragOver(KeyStateOf(Event.buttons(), Event.modifiers()), ScreenPoint(Event), &effect);
    });
    const Qt::DropAction action = SUCCEEDED(hr) ? DropActionOf(effect, Event.proposedAction()) : Qt::IgnoreAction;
    Event.setDropAction(action);
    Event.setAccepted(action != Qt::IgnoreAction);
}

void DropTargetBinding::Leave()
{
    ComGuard([&] { return target_->DragLeave(); });
    dataObject_.Reset();
}

void DropTargetBinding::Drop(QDropEvent& Event)
{
    const DWORD keyState = KeyStateOf(Event.buttons(), Event.modifiers());
    if (const auto* ours = qobject_cast<const OleMimeData*>(Event.mimeData()); ours && ours->DropSource()) {
        const HRESULT go = ComGuard([&] { return ours->DropSource()->QueryContinueDrag(FALSE, keyState & ~ButtonStates); });
        if (go == DRAGDROP_S_CANCEL) {
            Leave();
            Event.setDropAction(Qt::IgnoreAction);
            Event.ignore();
            return;
        }
    }
    if (!dataObject_)
        dataObject_ = MakeComObject<QtDataObject>(Event.mimeData());
    DWORD effect = EffectsOf(Event.possibleActions());
    const HRESULT hr =
        ComGuard([&] { return target_->Drop(dataObject_.Get(), keyState, ScreenPoint(Event), &effect); });
    dataObject_.Reset();
    const Qt::DropAction action = SUCCEEDED(hr) ? DropActionOf(effect, Event.proposedAction()) : Qt::IgnoreAction;
    Event.setDropAction(action);
    Event.setAccepted(action != Qt::IgnoreAction);
}

} // namespace win
