// The drop-target component: registration, the IDropTarget calls, effects, automatic scrolling,
// the drag image and the feedback written back to the source.
#include "dragdrop/drop_target.h"

#include "dragdrop/drop_target_transfer_thread.h"
#include "dragdrop/feedback_clipboard_formats.h"
#include "dragdrop/ole_check.h"
#include "platform/messages/timer.h"
#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/ole_clipboard.h"
#include "platform/rtl/events.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QScrollBar>

using namespace win;

namespace {

constexpr int HorizontalBar = 1;
constexpr int VerticalBar = 2;

// The widget whose rectangle is the control's client area: a scroll area's viewport.
QWidget* ClientWidget(QWidget* Control)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(Control))
        return area->viewport();
    return Control;
}

QRect WindowRect(const QWidget* Control)
{
    return QRect(Control->mapToGlobal(QPoint(0, 0)), Control->size());
}

QPoint ToQPoint(POINTL Point)
{
    return QPoint(int(Point.x), int(Point.y));
}

// Runs an IDropTarget body; an exception leaves the effect 0 and answers E_UNEXPECTED.
template <class Body>
HRESULT DragCall(DWORD* Effect, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        if (Effect)
            *Effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

} // namespace

TCustomDropTarget::TCustomDropTarget(TComponent* AOwner)
    : TDragDropComponent(AOwner), dragImage_(std::make_unique<TNoDragImage>()), scrollTimer_(new TTimer(this)),
      controlWatcher_(std::make_unique<QObject>())
{
    scrollTimer_->SetEnabled(false);
    scrollTimer_->OnTimer = [this](TObject*) { ScrollTimerFired(); };
}

TCustomDropTarget::~TCustomDropTarget()
{
    WaitForTransfer();
    transferThread_.reset();
    dataObject_.Reset();
    Unregister(nullptr);
}

HRESULT TCustomDropTarget::GetInterface(const IID& riid, void** ppv)
{
    if (SUCCEEDED(TDragDropComponent::GetInterface(riid, ppv)))
        return S_OK;
    return FindInterface(this, riid, ppv, {{IID_IDropTarget, static_cast<IDropTarget*>(this)}});
}

// Registration

void TCustomDropTarget::Register(QWidget* Control)
{
    if (Control && targets_.IndexOf(Control) >= 0)
        return;
    if (!MultiTarget)
        Unregister(nullptr);
    if (!Control)
        return;
    int index = targets_.Count();
    for (int i = targets_.Count() - 1; i >= 0; --i)
        if (targets_.Controls(i)->isAncestorOf(Control)) {
            index = i + 1;
            break;
        }
    OleCheck(RegisterDragDrop(Control, this));
    targets_.Insert(index, Control);
    QObject::connect(Control, &QObject::destroyed, controlWatcher_.get(), [this, Control] {
        // The binding went with the widget; only the entry is left to remove.
        if (currentTarget_ == Control)
            currentTarget_ = nullptr;
        if (int i = targets_.IndexOf(Control); i >= 0)
            targets_.Delete(i);
    });
}

void TCustomDropTarget::Unregister(QWidget* Control)
{
    if (!Control) {
        while (targets_.Count() > 0)
            Unregister(targets_.Controls(targets_.Count() - 1));
        return;
    }
    int index = targets_.IndexOf(Control);
    if (index < 0)
        return;
    targets_.Delete(index);
    if (currentTarget_ == Control)
        currentTarget_ = nullptr;
    QObject::disconnect(Control, nullptr, controlWatcher_.get(), nullptr);
    RevokeDragDrop(Control);
}

QWidget* TCustomDropTarget::Target() const
{
    if (currentTarget_)
        return currentTarget_;
    return targets_.Count() > 0 ? targets_.Controls(0) : nullptr;
}

void TCustomDropTarget::SetTarget(QWidget* Control)
{
    if (Control == currentTarget_)
        return;
    Unregister(nullptr);
    Register(Control);
}

void TCustomDropTarget::SetShowImage(bool Value)
{
    showImage_ = Value;
    if (dataObject_)
        dragImage_->DragShowNolock(Value);
}

QWidget* TCustomDropTarget::FindTarget(QPoint ScreenPoint) const
{
    for (int i = targets_.Count() - 1; i >= 0; --i)
        if (WindowRect(targets_.Controls(i)).contains(ScreenPoint))
            return targets_.Controls(i);
    return nullptr;
}

QPoint TCustomDropTarget::ClientPoint(QPoint ScreenPoint) const
{
    return currentTarget_ ? ClientWidget(currentTarget_)->mapFromGlobal(ScreenPoint) : ScreenPoint;
}

// The drag

HRESULT TCustomDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return DragCall(pdwEffect, [&]() -> HRESULT {
        if (!pdwEffect)
            return E_INVALIDARG;
        const QPoint screenPoint = ToQPoint(pt);
        currentTarget_ = FindTarget(screenPoint);
        dragShowImage_ = showImage_ && currentTarget_;
        dragAutoScroll_ = AutoScroll && currentTarget_;
        dragImageInUse_ = false;
        scrollBars_ = 0;
        if (asyncTransferInProgress_) {
            // The formats are being filled from the previous drop: refuse this drag.
            dataObject_.Reset();
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        ClearData();
        dataObject_ = ComPtr<IDataObject>(pDataObj);
        const QPoint clientPoint = ClientPoint(screenPoint);
        lastPoint_ = clientPoint;
        if (!pDataObj || !IsAvailableIn(pDataObj)) {
            dataObject_.Reset();
            *pdwEffect = DROPEFFECT_NONE;
        } else {
            if (dragAutoScroll_)
                FindScrollBars();
            const TShiftState shiftState = ShiftStateFromKeyFlags(grfKeyState);
            if (GetDataOnEnter && !GetData(*pdwEffect)) {
                dataObject_.Reset();
                *pdwEffect = DROPEFFECT_NONE;
                return DV_E_CLIPFORMAT;
            }
            *pdwEffect = ResolveDropEffect(shiftState, clientPoint, *pdwEffect);
            NotifyEnter(shiftState, clientPoint, *pdwEffect);
            if (*pdwEffect == DROPEFFECT_NONE)
                dataObject_.Reset();
        }
        QPoint hotSpot;
        if (dragShowImage_ && currentTarget_ && dragImage_->GetDragImage(hotSpot)) {
            dragImageInUse_ = true;
            dragImage_->SetDragCursorImage(hotSpot);
            dragImage_->DragEnter(currentTarget_, currentTarget_->mapFromGlobal(screenPoint));
        }
        return S_OK;
    });
}

void TCustomDropTarget::FindScrollBars()
{
    auto* area = qobject_cast<QAbstractScrollArea*>(currentTarget_);
    if (!area)
        return;
    if (area->horizontalScrollBar()->isVisible())
        scrollBars_ |= HorizontalBar;
    if (area->verticalScrollBar()->isVisible())
        scrollBars_ |= VerticalBar;
    if (scrollBars_ == 0)
        return;
    scrollFreeRect_ = ClientWidget(area)->rect();
    const int margin = QFontMetrics(area->font()).height();
    if (scrollBars_ & VerticalBar)
        scrollFreeRect_.adjust(0, margin, 0, -margin);
    if (scrollBars_ & HorizontalBar)
        scrollFreeRect_.adjust(margin, 0, -margin, 0);
}

HRESULT TCustomDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return DragCall(pdwEffect, [&]() -> HRESULT {
        if (!pdwEffect)
            return E_INVALIDARG;
        if (!currentTarget_) {
            *pdwEffect = DROPEFFECT_NONE;
            return E_UNEXPECTED;
        }
        const QPoint clientPoint = ClientPoint(ToQPoint(pt));
        HRESULT result = S_OK;
        if (dataObject_) {
            const TShiftState shiftState = ShiftStateFromKeyFlags(grfKeyState);
            *pdwEffect = ResolveDropEffect(shiftState, clientPoint, *pdwEffect);
            NotifyDragOver(shiftState, clientPoint, *pdwEffect);
            if ((*pdwEffect & DROPEFFECT_SCROLL) && !scrollTimer_->Enabled()) {
                scrollTimer_->SetInterval(DragEnterScrollDelay);
                scrollTimer_->SetEnabled(true);
            }
        } else {
            // A target that will refuse the drop must not show a drop cursor.
            *pdwEffect = DROPEFFECT_NONE;
            result = DV_E_CLIPFORMAT;
        }
        if (dragImageInUse_ && !(*pdwEffect & DROPEFFECT_SCROLL) && clientPoint != lastPoint_)
            dragImage_->DragMove(currentTarget_->mapFromGlobal(ToQPoint(pt)));
        lastPoint_ = clientPoint;
        return result;
    });
}

HRESULT TCustomDropTarget::DragLeave()
{
    return DragCall(nullptr, [&]() -> HRESULT {
        ClearDataUnlessBusy();
        scrollTimer_->SetEnabled(false);
        dataObject_.Reset();
        if (dragImageInUse_)
            dragImage_->DragLeave(currentTarget_);
        NotifyLeave();
        EndDrag();
        return S_OK;
    });
}

HRESULT TCustomDropTarget::Drop(IDataObject*, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    HRESULT result = DragCall(pdwEffect, [&]() -> HRESULT {
        if (!pdwEffect)
            return E_INVALIDARG;
        scrollTimer_->SetEnabled(false);
        if (!dataObject_) {
            *pdwEffect = DROPEFFECT_NONE;
            return E_UNEXPECTED;
        }
        const TShiftState shiftState = ShiftStateFromKeyFlags(grfKeyState);
        const QPoint clientPoint = ClientPoint(ToQPoint(pt));
        *pdwEffect = ResolveDropEffect(shiftState, clientPoint, *pdwEffect);
        if (!GetDataOnEnter && !GetData(*pdwEffect))
            *pdwEffect = DROPEFFECT_NONE;
        else
            PerformDrop(shiftState, clientPoint, *pdwEffect);
        return S_OK;
    });
    DragCall(nullptr, [&]() -> HRESULT {
        if (dragImageInUse_ && currentTarget_)
            dragImage_->DragLeave(currentTarget_);
        ClearDataUnlessBusy();
        return S_OK;
    });
    dataObject_.Reset();
    EndDrag();
    return result;
}

void TCustomDropTarget::EndDrag()
{
    currentTarget_ = nullptr;
    dragImageInUse_ = false;
}

void TCustomDropTarget::ClearDataUnlessBusy()
{
    if (!asyncTransferInProgress_)
        ClearData();
}

// The steps a descendant may change

void TCustomDropTarget::NotifyEnter(TShiftState ShiftState, QPoint Point, DWORD& Effect)
{
    Fire(OnEnter, this, ShiftState, Point, Effect);
}

void TCustomDropTarget::NotifyDragOver(TShiftState ShiftState, QPoint Point, DWORD& Effect)
{
    Fire(OnDragOver, this, ShiftState, Point, Effect);
}

void TCustomDropTarget::NotifyLeave()
{
    Fire(OnLeave, this);
}

void TCustomDropTarget::NotifyScroll(QPoint Point, TScrolDirections& Scroll, int& Interval)
{
    Fire(OnScroll, this, Point, Scroll, Interval);
}

void TCustomDropTarget::PerformDrop(TShiftState ShiftState, QPoint Point, DWORD& Effect)
{
    Fire(OnDrop, this, ShiftState, Point, Effect);
    if (Effect == DROPEFFECT_NONE)
        return;
    if (OptimizedMove && Effect == DROPEFFECT_MOVE)
        Effect = DROPEFFECT_COPY;
    WritePerformedEffect(Effect);
}

void TCustomDropTarget::PerformPaste(DWORD& Effect)
{
    PerformDrop(0, QPoint(0, 0), Effect);
    if (Effect != DROPEFFECT_NONE)
        WritePasteSucceeded(Effect);
}

DWORD TCustomDropTarget::ResolveDropEffect(TShiftState ShiftState, QPoint Point, DWORD Effect)
{
    DWORD result = EffectFromDragTypes(Dragtypes) & Effect;
    result = EffectFromShiftState(ShiftState, result, true);
    if (dragAutoScroll_ && scrollBars_ != 0) {
        if (scrollFreeRect_.contains(Point))
            result &= ~DROPEFFECT_SCROLL;
        else
            result |= DROPEFFECT_SCROLL;
    }
    Fire(OnGetDropEffect, this, ShiftState, Point, result);
    return result;
}

bool TCustomDropTarget::GetData(DWORD Effect)
{
    ClearData();
    if (AllowAsyncTransfer) {
        const auto operation = dataObject_.Query<IAsyncOperation>(IID_IAsyncOperation);
        BOOL isAsync = FALSE;
        if (operation && SUCCEEDED(operation->GetAsyncMode(&isAsync)) && isAsync) {
            Fire(OnStartAsyncTransfer, this);
            transferThread_.reset();
            asyncTransferInProgress_ = true;
            asyncOperation_ = operation;
            operation->StartOperation(nullptr);
            try {
                transferThread_ = std::make_unique<TDropTargetTransferThread>(*this, Effect, dataObject_.Get());
            } catch (...) {
                asyncTransferInProgress_ = false;
                asyncOperation_.Reset();
                operation->EndOperation(E_UNEXPECTED, nullptr, DROPEFFECT_NONE);
                throw;
            }
            transferThread_->Start();
            return true;
        }
    }
    return FillDataFormats(dataObject_.Get());
}

void TCustomDropTarget::WaitForTransfer()
{
    // The end notification runs while waiting, and needs the thread object.
    OnEndAsyncTransfer = nullptr;
    if (transferThread_)
        transferThread_->WaitFor();
}

void TCustomDropTarget::EndAsyncTransfer()
{
    asyncTransferInProgress_ = false;
    // A thread that could not reach its data object leaves the source's operation open.
    if (asyncOperation_ && !transferThread_->OperationEnded())
        asyncOperation_->EndOperation(E_UNEXPECTED, nullptr, DROPEFFECT_NONE);
    asyncOperation_.Reset();
    Fire(OnEndAsyncTransfer, this);
}

// Automatic scrolling

void TCustomDropTarget::ScrollTimerFired()
{
    scrollTimer_->SetEnabled(false);
    int interval = DragScrollRepeat;
    TScrolDirections scroll = 0;
    if (!scrollFreeRect_.contains(lastPoint_)) {
        if (lastPoint_.y() < scrollFreeRect_.top())
            scroll |= sdUp;
        else if (lastPoint_.y() > scrollFreeRect_.bottom())
            scroll |= sdDown;
        if (lastPoint_.x() < scrollFreeRect_.left())
            scroll |= sdLeft;
        else if (lastPoint_.x() > scrollFreeRect_.right())
            scroll |= sdRight;
    }
    NotifyScroll(lastPoint_, scroll, interval);
    if (scroll == 0 || !currentTarget_)
        return;
    if (dragImageInUse_)
        dragImage_->DragLeave(currentTarget_);
    ScrollTarget(scroll);
    if (dragImageInUse_)
        dragImage_->DragEnter(currentTarget_,
                              currentTarget_->mapFromGlobal(ClientWidget(currentTarget_)->mapToGlobal(lastPoint_)));
    scrollTimer_->SetInterval(unsigned(std::max(interval, 0)));
    scrollTimer_->SetEnabled(true);
}

void TCustomDropTarget::ScrollTarget(TScrolDirections Scroll)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(currentTarget_);
    if (!area)
        return;
    if (Scroll & sdUp)
        area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (Scroll & sdDown)
        area->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (Scroll & sdLeft)
        area->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (Scroll & sdRight)
        area->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

// Feedback and the clipboard

DWORD TCustomDropTarget::ReadPreferredEffect()
{
    TPreferredDropEffectClipboardFormat format;
    return dataObject_ && format.GetData(dataObject_.Get()) ? format.Value : DROPEFFECT_NONE;
}

namespace {

template <class Format>
bool WriteFeedback(IDataObject* DataObject, DWORD Value)
{
    if (!DataObject)
        return false;
    Format format;
    format.Value = Value;
    STGMEDIUM medium{};
    return format.SetData(DataObject, format.FormatEtc(), medium);
}

} // namespace

bool TCustomDropTarget::WritePerformedEffect(DWORD Effect)
{
    return WriteFeedback<TPerformedDropEffectClipboardFormat>(dataObject_.Get(), Effect);
}

bool TCustomDropTarget::WritePasteSucceeded(DWORD Effect)
{
    return WriteFeedback<TPasteSuccededClipboardFormat>(dataObject_.Get(), Effect);
}

DWORD TCustomDropTarget::PasteFromClipboard()
{
    OleCheck(OleGetClipboard(dataObject_.Put()));
    DWORD effect = ReadPreferredEffect();
    if (!GetData(effect))
        effect = DROPEFFECT_NONE;
    PerformPaste(effect);
    dataObject_.Reset();
    return effect;
}
