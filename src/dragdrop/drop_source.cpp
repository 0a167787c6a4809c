// The drop-source component.
#include "dragdrop/drop_source.h"

#include "platform/graphics/image_list.h"
#include "platform/ole/drag_loop.h"
#include "platform/ole/medium.h"
#include "platform/ole/ole_clipboard.h"
#include "platform/rtl/events.h"

using namespace win;

// The data object the clipboard holds for a source: it passes every call on to the source until
// the source cuts it, then fails them.
class TSourceClipboardHandle : public ComObject, public DataObjectWithoutAdvise {
public:
    explicit TSourceClipboardHandle(IDataObject* Source) : source_(Source) {}

    void Cut() { source_ = nullptr; }

    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        return FindInterface(this, riid, ppv,
                             {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDataObject, static_cast<IDataObject*>(this)}});
    }
    HRESULT GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override
    {
        if (pmedium)
            *pmedium = STGMEDIUM();
        return source_ ? source_->GetData(pformatetcIn, pmedium) : E_UNEXPECTED;
    }
    HRESULT GetDataHere(const FORMATETC* pformatetc, STGMEDIUM* pmedium) override
    {
        return source_ ? source_->GetDataHere(pformatetc, pmedium) : E_UNEXPECTED;
    }
    HRESULT QueryGetData(const FORMATETC* pformatetc) override
    {
        return source_ ? source_->QueryGetData(pformatetc) : E_UNEXPECTED;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override
    {
        return source_ ? source_->GetCanonicalFormatEtc(pformatectIn, pformatetcOut) : E_UNEXPECTED;
    }
    HRESULT SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override
    {
        return source_ ? source_->SetData(pformatetc, pmedium, fRelease) : E_UNEXPECTED;
    }
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override
    {
        if (ppenumFormatEtc)
            *ppenumFormatEtc = nullptr;
        return source_ ? source_->EnumFormatEtc(dwDirection, ppenumFormatEtc) : E_UNEXPECTED;
    }

private:
    IDataObject* source_;
};

TDragResult DragResultOfEffect(DWORD Effect)
{
    switch (Effect) {
    case DROPEFFECT_NONE: return drCancel;
    case DROPEFFECT_COPY: return drDropCopy;
    case DROPEFFECT_MOVE: return drDropMove;
    case DROPEFFECT_LINK: return drDropLink;
    default: return drUnknown;
    }
}

TCustomDropSource::TCustomDropSource(TComponent* AOwner) : TDragDropComponent(AOwner) {}

TCustomDropSource::~TCustomDropSource()
{
    EmptyClipboard();
}

HRESULT TCustomDropSource::GetInterface(const IID& riid, void** ppv)
{
    if (SUCCEEDED(TDragDropComponent::GetInterface(riid, ppv)))
        return S_OK;
    return FindInterface(this, riid, ppv,
                         {{IID_IDataObject, static_cast<IDataObject*>(this)},
                          {IID_IDropSource, static_cast<IDropSource*>(this)},
                          {IID_IAsyncOperation, static_cast<IAsyncOperation*>(this)}});
}

// --- IDataObject ---

HRESULT TCustomDropSource::GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return ComGuard([&] {
        if (!pformatetcIn || !pmedium)
            return E_INVALIDARG;
        *pmedium = STGMEDIUM();
        bool handled = false;
        Fire(OnGetData, this, *pformatetcIn, *pmedium, handled);
        if (handled)
            return S_OK;
        if (!ServesFormat(*pformatetcIn))
            return DV_E_FORMATETC;
        return ServeMedium(*pformatetcIn, *pmedium);
    });
}

HRESULT TCustomDropSource::GetDataHere(const FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT TCustomDropSource::QueryGetData(const FORMATETC* pformatetc)
{
    return ComGuard([&] { return pformatetc && ServesFormat(*pformatetc) ? S_OK : DV_E_FORMATETC; });
}

HRESULT TCustomDropSource::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC*)
{
    return DATA_S_SAMEFORMATETC;
}

HRESULT TCustomDropSource::SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    return ComGuard([&] {
        if (!pformatetc || !pmedium)
            return E_INVALIDARG;
        if (!TakesFormat(*pformatetc))
            return DV_E_FORMATETC;
        const HRESULT result = ReceiveMedium(*pformatetc, *pmedium);
        if (result == S_OK && fRelease)
            ReleaseStgMedium(pmedium);
        return result;
    });
}

HRESULT TCustomDropSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return ComGuard([&] {
        if (!ppenumFormatEtc)
            return E_INVALIDARG;
        *ppenumFormatEtc = MakeFormatEnumerator(dwDirection).Detach();
        return *ppenumFormatEtc ? S_OK : E_NOTIMPL;
    });
}

// --- IDropSource ---

HRESULT TCustomDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return ComGuard([&] {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if (grfKeyState & (MK_LBUTTON | MK_RBUTTON))
            return S_OK;
        TDragType dragType = dtCopy;
        bool continueDrop = DragTypeFromEffect(feedback_, dragType) && (DragTypes & DragTypeBit(dragType));
        WriteShellDragLoop(false);
        Fire(OnDrop, this, dragType, continueDrop);
        return continueDrop ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    });
}

HRESULT TCustomDropSource::GiveFeedback(DWORD dwEffect)
{
    return ComGuard([&] {
        feedback_ = dwEffect;
        bool useDefaultCursors = true;
        Fire(OnFeedback, this, dwEffect, useDefaultCursors);
        return useDefaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    });
}

// --- IAsyncOperation ---

HRESULT TCustomDropSource::SetAsyncMode(BOOL fDoOpAsync)
{
    if (!allowAsyncTransfer_)
        return E_NOTIMPL;
    asyncMode_ = fDoOpAsync != FALSE;
    return S_OK;
}

HRESULT TCustomDropSource::GetAsyncMode(BOOL* pfIsOpAsync)
{
    if (!pfIsOpAsync)
        return E_INVALIDARG;
    *pfIsOpAsync = asyncMode_ ? TRUE : FALSE;
    return S_OK;
}

HRESULT TCustomDropSource::StartOperation(IBindCtx*)
{
    if (!asyncMode_)
        return E_NOTIMPL;
    inOperation_ = true;
    return S_OK;
}

HRESULT TCustomDropSource::InOperation(BOOL* pfInAsyncOp)
{
    if (!pfInAsyncOp)
        return E_INVALIDARG;
    *pfInAsyncOp = inOperation_ ? TRUE : FALSE;
    return S_OK;
}

HRESULT TCustomDropSource::EndOperation(HRESULT hResult, IBindCtx*, DWORD dwEffects)
{
    return ComGuard([&] {
        if (!inOperation_)
            return E_FAIL;
        inOperation_ = false;
        const TDragResult result =
            SUCCEEDED(hResult) ? DragResultOfEffect(EffectFromDragTypes(DragTypes) & dwEffects) : drUnknown;
        Fire(OnAfterDrop, this, result, false);
        return S_OK;
    });
}

// --- the drag ---

// The drag image goes through the image list: the desktop has no shell drag-image service.
TDragResult TCustomDropSource::Execute()
{
    const DWORD allowed = EffectFromDragTypes(DragTypes);
    WritePerformedEffect(DWORD(-1));
    const bool image = showImage_ && images_ &&
                       ImageList_BeginDrag(images_->Handle(), imageIndex_, ImageHotSpotX, ImageHotSpotY);
    if (allowAsyncTransfer_)
        asyncMode_ = true;
    DWORD effect = DROPEFFECT_NONE;
    WriteShellDragLoop(true);
    HRESULT hr;
    try {
        hr = DoDragDrop(this, this, allowed, &effect);
    } catch (...) {
        if (image)
            ImageList_EndDrag();
        throw;
    }
    WriteShellDragLoop(false);
    if (image)
        ImageList_EndDrag();

    const DWORD performed = ReadPerformedEffect();
    TDragResult result;
    if (hr == DRAGDROP_S_DROP) {
        if (ReadLogicalPerformedEffect() == DROPEFFECT_MOVE ||
            (effect != DROPEFFECT_MOVE && performed == DROPEFFECT_MOVE))
            result = drDropMove;
        else
            result = DragResultOfEffect(effect & allowed);
    } else if (hr == E_OUTOFMEMORY) {
        result = drOutMemory;
    } else if (hr == DRAGDROP_S_CANCEL) {
        result = drCancel;
    } else {
        result = drUnknown;
    }
    if (performed == DWORD(-1))
        WritePerformedEffect(DROPEFFECT_NONE);
    if (!(asyncMode_ && inOperation_)) {
        const bool optimized =
            result == drDropMove && !(effect == DROPEFFECT_MOVE && ReadPerformedEffect() == DROPEFFECT_MOVE);
        Fire(OnAfterDrop, this, result, optimized);
    }
    return result;
}

// --- the clipboard ---

bool TCustomDropSource::CutToClipboard()
{
    WritePreferredEffect(DROPEFFECT_MOVE);
    return SetClipboard();
}

bool TCustomDropSource::CopyToClipboard()
{
    WritePreferredEffect(DROPEFFECT_COPY);
    return SetClipboard();
}

bool TCustomDropSource::SetClipboard()
{
    EmptyClipboard();
    clipboardHandle_ = MakeComObject<TSourceClipboardHandle>(this);
    if (OleSetClipboard(clipboardHandle_.Get()) == S_OK)
        return true;
    clipboardHandle_->Cut();
    clipboardHandle_.Reset();
    return false;
}

IDataObject* TCustomDropSource::ClipboardDataObject() const
{
    return clipboardHandle_ && OleIsCurrentClipboard(clipboardHandle_.Get()) == S_OK ? clipboardHandle_.Get() : nullptr;
}

void TCustomDropSource::FlushClipboard()
{
    if (ClipboardDataObject())
        OleFlushClipboard();
}

void TCustomDropSource::FlushClipboardData()
{
    FlushClipboard();
}

void TCustomDropSource::EmptyClipboard()
{
    if (!clipboardHandle_)
        return;
    if (ClipboardDataObject())
        OleSetClipboard(nullptr);
    clipboardHandle_->Cut();
    clipboardHandle_.Reset();
}

// --- the base's slots ---

HRESULT TCustomDropSource::ServeMedium(const FORMATETC&, STGMEDIUM&)
{
    return DV_E_FORMATETC;
}

HRESULT TCustomDropSource::ReceiveMedium(const FORMATETC& FormatEtc, STGMEDIUM& Medium)
{
    bool handled = false;
    Fire(OnSetData, this, FormatEtc, Medium, handled);
    return handled ? S_OK : E_NOTIMPL;
}

bool TCustomDropSource::ServesFormat(const FORMATETC&)
{
    return false;
}

bool TCustomDropSource::TakesFormat(const FORMATETC& FormatEtc)
{
    return ServesFormat(FormatEtc);
}

ComPtr<IEnumFORMATETC> TCustomDropSource::MakeFormatEnumerator(DWORD)
{
    return {};
}

void TCustomDropSource::NotifyPaste(TDragResult Action, bool DeleteOnPaste)
{
    Fire(OnPaste, this, Action, DeleteOnPaste);
}

DWORD TCustomDropSource::ReadPerformedEffect()
{
    return DROPEFFECT_NONE;
}

DWORD TCustomDropSource::ReadLogicalPerformedEffect()
{
    return DROPEFFECT_NONE;
}

void TCustomDropSource::WritePerformedEffect(DWORD) {}

DWORD TCustomDropSource::ReadPreferredEffect()
{
    return DROPEFFECT_NONE;
}

void TCustomDropSource::WritePreferredEffect(DWORD) {}

bool TCustomDropSource::ReadShellDragLoop()
{
    return false;
}

CLSID TCustomDropSource::ReadTargetClassId()
{
    return GUID_NULL;
}

void TCustomDropSource::WriteShellDragLoop(bool) {}

// --- properties ---

void TCustomDropSource::SetImages(TImageList* Value)
{
    images_ = Value;
    if (!images_ || imageIndex_ >= images_->Count())
        imageIndex_ = 0;
    showImage_ = showImage_ && images_ && images_->Count() > 0;
}

void TCustomDropSource::SetImageIndex(int Value)
{
    if (Value < 0 || !images_) {
        imageIndex_ = 0;
        showImage_ = false;
    } else if (Value < images_->Count()) {
        imageIndex_ = Value;
    }
}

void TCustomDropSource::SetShowImage(bool Value)
{
    showImage_ = Value && images_;
}

void TCustomDropSource::SetAllowAsyncTransfer(bool Value)
{
    allowAsyncTransfer_ = Value;
    if (!Value) {
        asyncMode_ = false;
        inOperation_ = false;
    }
}
