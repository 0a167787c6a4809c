// TCustomDropSource, the drop-source component: an OLE data object and drop source that starts a
// drag (Execute) or puts itself on the clipboard, with the feedback between source and target,
// the drag image and the asynchronous transfer a target may ask for; and TDragResult.
//
// The component counts no references (its owner governs its life). The clipboard holds it only
// through a handle that EmptyClipboard and the destructor cut, so data read from the clipboard
// after the component has gone fails instead of reaching it; the destructor empties the clipboard
// while the component is on it.
#pragma once

#include "dragdrop/drag_drop_component.h"
#include "platform/ole/data_object_without_advise.h"

#include <functional>

class TImageList;
class TSourceClipboardHandle;

// The end of a drag or paste, used by number.
enum TDragResult { drDropCopy = 0, drDropMove = 1, drDropLink = 2, drCancel = 3, drOutMemory = 4, drUnknown = 6 };

// The drag result of an effect: none cancelled, copy, move, link, anything else unknown.
TDragResult DragResultOfEffect(win::DWORD Effect);

using TFeedbackEvent = std::function<void(TObject* Sender, win::DWORD Effect, bool& UseDefaultCursors)>;
using TDropEvent = std::function<void(TObject* Sender, TDragType DragType, bool& ContinueDrop)>;
using TAfterDropEvent = std::function<void(TObject* Sender, TDragResult DragResult, bool Optimized)>;
using TDropDataEvent =
    std::function<void(TObject* Sender, const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium, bool& Handled)>;
using TPasteEvent = std::function<void(TObject* Sender, TDragResult Action, bool DeleteOnPaste)>;

class TCustomDropSource : public TDragDropComponent,
                          public win::DataObjectWithoutAdvise,
                          public win::IDropSource,
                          public win::IAsyncOperation {
public:
    explicit TCustomDropSource(TComponent* AOwner);
    // Empties the clipboard while the component is on it.
    ~TCustomDropSource() override;

    // --- IDataObject ---
    // OnGetData first; then DV_E_FORMATETC for a format not served, else ServeMedium.
    win::HRESULT GetData(const win::FORMATETC* pformatetcIn, win::STGMEDIUM* pmedium) override;
    win::HRESULT GetDataHere(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium) override;
    win::HRESULT QueryGetData(const win::FORMATETC* pformatetc) override;
    win::HRESULT GetCanonicalFormatEtc(const win::FORMATETC* pformatectIn, win::FORMATETC* pformatetcOut) override;
    // DV_E_FORMATETC for a format the source does not take, else ReceiveMedium. With fRelease the
    // medium is the source's once it has succeeded, and released then; on failure it stays the
    // caller's.
    win::HRESULT SetData(const win::FORMATETC* pformatetc, win::STGMEDIUM* pmedium, win::BOOL fRelease) override;
    win::HRESULT EnumFormatEtc(win::DWORD dwDirection, win::IEnumFORMATETC** ppenumFormatEtc) override;

    // --- IDropSource ---
    // Escape cancels. With neither the left nor the right button down the drag drops when the
    // last feedback effect is one of DragTypes and OnDrop lets it; else it is cancelled.
    win::HRESULT QueryContinueDrag(win::BOOL fEscapePressed, win::DWORD grfKeyState) override;
    // Keeps the effect and fires OnFeedback; default cursors unless OnFeedback declines them.
    win::HRESULT GiveFeedback(win::DWORD dwEffect) override;

    // --- IAsyncOperation ---
    win::HRESULT SetAsyncMode(win::BOOL fDoOpAsync) override;
    win::HRESULT GetAsyncMode(win::BOOL* pfIsOpAsync) override;
    win::HRESULT StartOperation(win::IBindCtx* pbcReserved) override;
    win::HRESULT InOperation(win::BOOL* pfInAsyncOp) override;
    // Ends the operation and fires OnAfterDrop: the result of the effects among DragTypes when
    // hResult succeeded, drUnknown otherwise. E_FAIL when no operation runs.
    win::HRESULT EndOperation(win::HRESULT hResult, win::IBindCtx* pbcReserved, win::DWORD dwEffects) override;

    // --- the drag and the clipboard ---
    // Runs a drag of the component's data with the effects of DragTypes and answers how it ended;
    // fires OnAfterDrop unless an asynchronous transfer goes on.
    virtual TDragResult Execute();
    // Puts the component on the clipboard preferring move / copy; false when the clipboard
    // refuses it.
    virtual bool CutToClipboard();
    virtual bool CopyToClipboard();
    // Leaves a rendered copy of the data on the clipboard while the component is on it.
    virtual void FlushClipboard();
    // Empties the clipboard while the component is on it, and cuts the clipboard's handle.
    virtual void EmptyClipboard();
    // The data object the clipboard holds while the component is on it; null otherwise.
    win::IDataObject* ClipboardDataObject() const;

    // --- properties ---
    TImageList* Images() const { return images_; }
    // Keeps ImageIndex when it lies in the new list (else 0) and ShowImage only when the list
    // has images.
    void SetImages(TImageList* Value);
    int ImageIndex() const { return imageIndex_; }
    // An index inside Images is taken, others ignored; a negative one, or no list, resets the
    // index to 0 and ShowImage off.
    void SetImageIndex(int Value);
    bool ShowImage() const { return showImage_; }
    // Only while Images is set.
    void SetShowImage(bool Value);
    bool AllowAsyncTransfer() const { return allowAsyncTransfer_; }
    // Off also ends async mode and the operation.
    void SetAllowAsyncTransfer(bool Value);
    bool AsyncMode() const { return asyncMode_; }
    bool InAsyncOperation() const { return inOperation_; }
    win::DWORD LastFeedback() const { return feedback_; }

    TDragTypes DragTypes = DragTypeBit(dtCopy);
    int ImageHotSpotX = 16;
    int ImageHotSpotY = 16;
    TFeedbackEvent OnFeedback;
    TDropEvent OnDrop;
    TAfterDropEvent OnAfterDrop;
    TDropDataEvent OnGetData;
    TDropDataEvent OnSetData;
    TPasteEvent OnPaste;

protected:
    virtual win::HRESULT ServeMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium);
    // Reads a medium set by a target; the medium stays the caller's (SetData releases it). The
    // base fires OnSetData: S_OK when handled, E_NOTIMPL otherwise.
    virtual win::HRESULT ReceiveMedium(const win::FORMATETC& FormatEtc, win::STGMEDIUM& Medium);
    virtual bool ServesFormat(const win::FORMATETC& FormatEtc);
    // Whether SetData takes a format: the base takes the formats it serves.
    virtual bool TakesFormat(const win::FORMATETC& FormatEtc);
    // The formats for reading (DATADIR_GET) or writing (DATADIR_SET); null when there are none.
    virtual win::ComPtr<win::IEnumFORMATETC> MakeFormatEnumerator(win::DWORD Direction);
    virtual void FlushClipboardData();
    virtual bool SetClipboard();
    virtual void NotifyPaste(TDragResult Action, bool DeleteOnPaste);
    // The feedback values; the base has none (0, GUID_NULL, nothing written).
    virtual win::DWORD ReadPerformedEffect();
    virtual win::DWORD ReadLogicalPerformedEffect();
    virtual void WritePerformedEffect(win::DWORD Effect);
    virtual win::DWORD ReadPreferredEffect();
    virtual void WritePreferredEffect(win::DWORD Effect);
    virtual bool ReadShellDragLoop();
    virtual win::CLSID ReadTargetClassId();
    virtual void WriteShellDragLoop(bool Flag);

    win::HRESULT GetInterface(const win::IID& riid, void** ppv) override;

private:
    TImageList* images_ = nullptr;
    int imageIndex_ = 0;
    bool showImage_ = false;
    bool allowAsyncTransfer_ = false;
    bool asyncMode_ = false;
    bool inOperation_ = false;
    win::DWORD feedback_ = win::DROPEFFECT_NONE;
    // What the clipboard holds of the component while it is on it.
    win::ComPtr<TSourceClipboardHandle> clipboardHandle_;
};
