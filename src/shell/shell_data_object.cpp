// TPTShellDataObject.
#include "shell/shell_data_object.h"

#include "shell/global_blocks.h"
#include "shell/shell_init.h"

using namespace win;

TPTShellDataObject::TPTShellDataObject() : formats_{CLIPFORMAT(ShellIdListFormat()), CF_HDROP} {}

TPTShellDataObject::~TPTShellDataObject()
{
    GlobalFree(idListBlock_);
    GlobalFree(hdropBlock_);
}

bool TPTShellDataObject::Render(LPCITEMIDLIST Parent, const std::vector<LPCITEMIDLIST>& Items, const QStringList& Names)
{
    return SUCCEEDED(PidlsToIdListArray(Parent, Items, idListBlock_)) && SUCCEEDED(StringsToHDrop(Names, hdropBlock_));
}

HRESULT TPTShellDataObject::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDataObject, static_cast<IDataObject*>(this)}});
}

HRESULT TPTShellDataObject::GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return ComGuard([&] {
        if (!pformatetcIn || !pmedium)
            return E_INVALIDARG;
        if (const HRESULT answer = QueryGetData(pformatetcIn); FAILED(answer))
            return answer;
        HGLOBAL block = nullptr;
        if (pformatetcIn->cfFormat == ShellIdListFormat())
            block = idListBlock_;
        else if (pformatetcIn->cfFormat == CF_HDROP)
            block = hdropBlock_;
        else
            return DV_E_FORMATETC;
        const HGLOBAL copy = DuplicateHGlobal(block);
        if (!copy)
            return E_OUTOFMEMORY;
        pmedium->tymed = TYMED_HGLOBAL;
        pmedium->hGlobal = copy;
        pmedium->pUnkForRelease = nullptr;
        return S_OK;
    });
}

HRESULT TPTShellDataObject::GetDataHere(const FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT TPTShellDataObject::QueryGetData(const FORMATETC* pformatetc)
{
    return pformatetc ? formats_.QueryFormat(*pformatetc) : E_INVALIDARG;
}

HRESULT TPTShellDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* pformatetcOut)
{
    if (pformatetcOut)
        pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TPTShellDataObject::SetData(const FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT TPTShellDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return ComGuard([&] {
        if (!ppenumFormatEtc)
            return E_INVALIDARG;
        *ppenumFormatEtc = dwDirection == DATADIR_GET ? formats_.CreateEnumerator() : nullptr;
        return *ppenumFormatEtc ? S_OK : E_NOTIMPL;
    });
}

HRESULT TPTShellDataObject::DAdvise(const FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TPTShellDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TPTShellDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
