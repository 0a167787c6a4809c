// The data object and the drop source of a drag from the editor.
#include "editor/syn_memo_data_object.h"

#include "editor/custom_syntax_memo.h"

#include "platform/ole/hglobal.h"

#include <cstring>

using namespace win;

namespace {

bool IsTextRecord(const FORMATETC* Format)
{
    return Format && Format->cfFormat == CF_TEXT && Format->dwAspect == DVASPECT_CONTENT &&
           (Format->tymed & TYMED_HGLOBAL);
}

} // namespace

TSynMemoDataObject::TSynMemoDataObject(TCustomSyntaxMemo* Memo) : memo_(Memo) {}

HRESULT TSynMemoDataObject::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDataObject, static_cast<IDataObject*>(this)}});
}

HRESULT TSynMemoDataObject::GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return ComGuard([&] {
        if (!pmedium)
            return E_INVALIDARG;
        *pmedium = STGMEDIUM();
        if (!IsTextRecord(pformatetcIn))
            return DV_E_FORMATETC;
        if (!memo_)
            return E_UNEXPECTED;
        const int length = memo_->SelectionByteCount(true);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::size_t(length) + 1);
        if (!block)
            return E_OUTOFMEMORY;
        memo_->SelectionToBuffer({static_cast<char*>(GlobalLock(block)), std::size_t(length) + 1}, true);
        GlobalUnlock(block);
        pmedium->tymed = TYMED_HGLOBAL;
        pmedium->hGlobal = block;
        return S_OK;
    });
}

HRESULT TSynMemoDataObject::GetDataHere(const FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    return ComGuard([&] {
        if (!pformatetc || !pmedium)
            return E_INVALIDARG;
        if (pformatetc->cfFormat != CF_TEXT)
            return DV_E_FORMATETC;
        if (pformatetc->dwAspect != DVASPECT_CONTENT && pformatetc->dwAspect != DVASPECT_ICON)
            return DV_E_DVASPECT;
        if (pformatetc->lindex != -1)
            return DV_E_LINDEX;
        if (!(pformatetc->tymed & TYMED_HGLOBAL) || pmedium->tymed != TYMED_HGLOBAL)
            return DV_E_TYMED;
        if (!memo_)
            return E_UNEXPECTED;
        const std::size_t room = GlobalSize(pmedium->hGlobal);
        if (!room)
            return E_INVALIDARG;
        const int length = memo_->SelectionByteCount(true);
        if (std::size_t(length) + 1 > room)
            return STG_E_MEDIUMFULL;
        memo_->SelectionToBuffer({static_cast<char*>(GlobalLock(pmedium->hGlobal)), std::size_t(length) + 1}, true);
        GlobalUnlock(pmedium->hGlobal);
        return S_OK;
    });
}

HRESULT TSynMemoDataObject::QueryGetData(const FORMATETC* pformatetc)
{
    return IsTextRecord(pformatetc) ? S_OK : DV_E_FORMATETC;
}

HRESULT TSynMemoDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* pformatetcOut)
{
    if (pformatetcOut)
        pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSynMemoDataObject::SetData(const FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT TSynMemoDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** ppenumFormatEtc)
{
    if (ppenumFormatEtc)
        *ppenumFormatEtc = nullptr;
    return E_NOTIMPL;
}

HRESULT TSynMemoDragSource::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropSource, static_cast<IDropSource*>(this)}});
}

HRESULT TSynMemoDragSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    if (fEscapePressed)
        return DRAGDROP_S_CANCEL;
    return grfKeyState & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
}

HRESULT TSynMemoDragSource::GiveFeedback(DWORD)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
