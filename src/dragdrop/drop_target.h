// TCustomDropTarget, the drop-target component: it registers window controls as OLE drop targets,
// finds the control under a drag, chooses the drop effect from the allowed effects, the keys and
// its drag types, scrolls the control near its edges, shows the drag image and hands the drop to
// its events, optionally receiving the data on a background thread.
//
// A drag runs DragEnter, DragOver any number of times, then DragLeave or Drop; the data object and
// the control under the drag live from DragEnter to the end, so the dropped data is valid only
// inside OnDrop; after a drop that started a background transfer, the data is being filled on the
// transfer thread and is read in OnEndAsyncTransfer instead. No exception leaves an IDropTarget
// method. While a background transfer runs a new
// drag is refused (DragEnter answers S_OK with effect 0) and the formats being filled are left
// alone.
#pragma once

#include "dragdrop/control_list.h"
#include "dragdrop/drag_drop_component.h"
#include "dragdrop/drag_image_service.h"
#include "platform/ole/interfaces.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>

class QObject;
class TDropTargetTransferThread;
class TTimer;

// Point is in the target control's client coordinates; Effect may be changed.
using TDropTargetEvent =
    std::function<void(TObject* Sender, TShiftState ShiftState, QPoint Point, win::DWORD& Effect)>;
// The directions of automatic scrolling: 1 up, 2 down, 4 left, 8 right.
using TScrolDirections = std::uint8_t;
constexpr TScrolDirections sdUp = 1;
constexpr TScrolDirections sdDown = 2;
constexpr TScrolDirections sdLeft = 4;
constexpr TScrolDirections sdRight = 8;
using TDropTargetScrollEvent =
    std::function<void(TObject* Sender, QPoint Point, TScrolDirections& Scroll, int& Interval)>;
using TDropNotifyEvent = std::function<void(TObject* Sender)>;

// The delays of automatic scrolling: before the first step and between steps, in milliseconds.
constexpr int DragEnterScrollDelay = 50;
constexpr int DragScrollRepeat = 50;

class TCustomDropTarget : public TDragDropComponent, public win::IDropTarget {
public:
    explicit TCustomDropTarget(TComponent* AOwner);
    // Unregisters every control.
    ~TCustomDropTarget() override;

    win::HRESULT DragEnter(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt,
                           win::DWORD* pdwEffect) override;
    win::HRESULT DragOver(win::DWORD grfKeyState, win::POINTL pt, win::DWORD* pdwEffect) override;
    win::HRESULT DragLeave() override;
    win::HRESULT Drop(win::IDataObject* pDataObj, win::DWORD grfKeyState, win::POINTL pt,
                      win::DWORD* pdwEffect) override;

    // Makes Control a drop target of this component (once); without MultiTarget it becomes the
    // only one. A registered child comes after its registered ancestor, so it is found first.
    void Register(QWidget* Control);
    // Null unregisters every control, last first; a control that is not registered is ignored.
    void Unregister(QWidget* Control = nullptr);
    const TControlList& Targets() const { return targets_; }
    // The control under the drag; otherwise the first registered one, or null.
    QWidget* Target() const;
    // Makes Control the only registered control.
    void SetTarget(QWidget* Control);

    // Reads the clipboard as a paste: the effect the source prefers, the data, PerformPaste.
    // Returns the effect (0 when the data could not be read).
    virtual win::DWORD PasteFromClipboard();

    bool ShowImage() const { return showImage_; }
    void SetShowImage(bool Value);
    bool AsyncTransferInProgress() const { return asyncTransferInProgress_; }
    // The data object of the drag in progress, or null.
    win::IDataObject* DataObject() const { return dataObject_.Get(); }
    // The automatic-scrolling timer; tests fire its OnTimer instead of waiting.
    TTimer& ScrollTimer() const { return *scrollTimer_; }
    void SetDragImageService(std::unique_ptr<TDragImageService> Service) { dragImage_ = std::move(Service); }

    TDragTypes Dragtypes = 0;
    bool GetDataOnEnter = false;
    TDropTargetEvent OnEnter;
    TDropTargetEvent OnDragOver;
    TDropNotifyEvent OnLeave;
    TDropTargetEvent OnDrop;
    TDropTargetEvent OnGetDropEffect;
    TDropTargetScrollEvent OnScroll;
    TDropNotifyEvent OnStartAsyncTransfer;
    TDropNotifyEvent OnEndAsyncTransfer;
    bool MultiTarget = false;
    bool AutoScroll = true;
    bool OptimizedMove = false;
    bool AllowAsyncTransfer = false;

protected:
    virtual void NotifyEnter(TShiftState ShiftState, QPoint Point, win::DWORD& Effect);
    virtual void NotifyDragOver(TShiftState ShiftState, QPoint Point, win::DWORD& Effect);
    // Fires OnDrop; then tells the source the effect, a move as copy with OptimizedMove.
    virtual void PerformDrop(TShiftState ShiftState, QPoint Point, win::DWORD& Effect);
    virtual void NotifyLeave();
    virtual void PerformPaste(win::DWORD& Effect);
    virtual void NotifyScroll(QPoint Point, TScrolDirections& Scroll, int& Interval);
    // Fills the data formats, here or (when allowed and the source supports it) on a transfer
    // thread; true when the data was taken or the transfer started.
    virtual bool GetData(win::DWORD Effect);
    // Fills the data formats from DataObject; the transfer thread passes its own object.
    virtual bool FillDataFormats(win::IDataObject* DataObject) = 0;
    virtual void ClearData() = 0;
    virtual win::DWORD ResolveDropEffect(TShiftState ShiftState, QPoint Point, win::DWORD Effect);
    // The source's "Preferred DropEffect"; 0 when it offers none.
    virtual win::DWORD ReadPreferredEffect();
    virtual bool WritePerformedEffect(win::DWORD Effect);
    virtual bool WritePasteSucceeded(win::DWORD Effect);
    virtual bool IsAvailableIn(win::IDataObject* DataObject) = 0;

    win::HRESULT GetInterface(const win::IID& riid, void** ppv) override;
    // Waits until a background transfer has ended, without firing OnEndAsyncTransfer; a
    // descendant calls it before it frees what the transfer fills.
    void WaitForTransfer();

private:
    friend class TDropTargetTransferThread;

    QWidget* FindTarget(QPoint ScreenPoint) const;
    QPoint ClientPoint(QPoint ScreenPoint) const;
    void FindScrollBars();
    void ScrollTimerFired();
    void ScrollTarget(TScrolDirections Scroll);
    // ClearData, except while a transfer fills the formats.
    void ClearDataUnlessBusy();
    void EndDrag();
    // The transfer thread's end, on the GUI thread.
    void EndAsyncTransfer();

    TControlList targets_;
    QWidget* currentTarget_ = nullptr;
    win::ComPtr<win::IDataObject> dataObject_;
    bool showImage_ = true;
    // This drag's own ShowImage and AutoScroll: off for a drag over no registered control.
    bool dragShowImage_ = true;
    bool dragAutoScroll_ = true;
    bool dragImageInUse_ = false;
    std::unique_ptr<TDragImageService> dragImage_;
    QPoint lastPoint_;
    // Bit 1 a horizontal scroll bar, bit 2 a vertical one.
    int scrollBars_ = 0;
    QRect scrollFreeRect_;
    TTimer* scrollTimer_;
    bool asyncTransferInProgress_ = false;
    // The transfer running or last run, and the source's side of it.
    std::unique_ptr<TDropTargetTransferThread> transferThread_;
    win::ComPtr<win::IAsyncOperation> asyncOperation_;
    // The receiver of the registered controls' destruction.
    std::unique_ptr<QObject> controlWatcher_;
};
