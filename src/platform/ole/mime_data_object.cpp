// The data object over a QMimeData.
#include "platform/ole/mime_data_object.h"

#include "platform/ole/format_enumerator.h"
#include "platform/ole/marshal.h"
#include "platform/ole/medium.h"
#include "platform/ole/mime_map.h"

#include <QMimeData>
#include <algorithm>

namespace win {

namespace {

constexpr DWORD OfferedMedia = TYMED_HGLOBAL | TYMED_ISTREAM;

} // namespace

QtDataObject::QtDataObject(const QMimeData* Data) : watched_(Data) {}

QtDataObject::QtDataObject(std::unique_ptr<QMimeData> Data) : owned_(std::move(Data)) {}

QtDataObject::~QtDataObject()
{
    for (TKeptFormat& kept : kept_)
        ReleaseStgMedium(&kept.Medium);
}

const QMimeData* QtDataObject::Data() const
{
    return owned_ ? owned_.get() : watched_.data();
}

HRESULT QtDataObject::CheckRequest(const FORMATETC& Format)
{
    if (Format.ptd)
        return DV_E_DVTARGETDEVICE;
    if (Format.dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!(Format.tymed & OfferedMedia))
        return DV_E_TYMED;
    return S_OK;
}

QtDataObject::TKeptFormat* QtDataObject::Kept(CLIPFORMAT Format)
{
    const auto it = std::find_if(kept_.begin(), kept_.end(),
                                 [&](const TKeptFormat& kept) { return kept.Format.cfFormat == Format; });
    return it == kept_.end() ? nullptr : &*it;
}

HRESULT QtDataObject::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)},
                          {IID_IDataObject, static_cast<IDataObject*>(this)},
                          {IID_IGuiThreadBound, static_cast<IUnknown*>(this)}});
}

HRESULT QtDataObject::GetData(const FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return ComGuard([&] {
        if (!pformatetcIn || !pmedium)
            return E_INVALIDARG;
        *pmedium = STGMEDIUM();
        if (const HRESULT hr = CheckRequest(*pformatetcIn); hr != S_OK)
            return hr;
        if (const TKeptFormat* kept = Kept(pformatetcIn->cfFormat)) {
            if (!(pformatetcIn->tymed & kept->Medium.tymed))
                return DV_E_TYMED;
            return CopyStgMedium(&kept->Medium, pmedium);
        }
        const QMimeData* data = Data();
        if (!data)
            return E_UNEXPECTED;
        const std::optional<QByteArray> block = FormatOfMimeData(*data, pformatetcIn->cfFormat);
        if (!block)
            return DV_E_FORMATETC;
        return MediumFromBytes(*block, pformatetcIn->tymed, *pmedium) ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT QtDataObject::GetDataHere(const FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT QtDataObject::QueryGetData(const FORMATETC* pformatetc)
{
    return ComGuard([&] {
        if (!pformatetc)
            return E_INVALIDARG;
        if (const HRESULT hr = CheckRequest(*pformatetc); hr != S_OK)
            return hr;
        if (const TKeptFormat* kept = Kept(pformatetc->cfFormat))
            return pformatetc->tymed & kept->Medium.tymed ? S_OK : DV_E_TYMED;
        const QMimeData* data = Data();
        if (!data)
            return E_UNEXPECTED;
        const std::vector<CLIPFORMAT> formats = FormatsOfMimeData(*data);
        return std::find(formats.begin(), formats.end(), pformatetc->cfFormat) != formats.end() ? S_OK
                                                                                                : DV_E_FORMATETC;
    });
}

HRESULT QtDataObject::GetCanonicalFormatEtc(const FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    if (!pformatectIn || !pformatetcOut)
        return E_INVALIDARG;
    *pformatetcOut = *pformatectIn;
    pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT QtDataObject::SetData(const FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    return ComGuard([&] {
        if (!pformatetc || !pmedium)
            return E_INVALIDARG;
        if (pformatetc->ptd)
            return DV_E_DVTARGETDEVICE;
        if (pformatetc->dwAspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        if (pmedium->tymed != TYMED_HGLOBAL && pmedium->tymed != TYMED_ISTREAM)
            return DV_E_TYMED;
        STGMEDIUM medium;
        if (fRelease) {
            medium = *pmedium;
        } else if (const HRESULT hr = CopyStgMedium(pmedium, &medium); hr != S_OK) {
            return hr;
        }
        FORMATETC format = *pformatetc;
        format.tymed = medium.tymed;
        if (TKeptFormat* kept = Kept(format.cfFormat)) {
            ReleaseStgMedium(&kept->Medium);
            *kept = {format, medium};
        } else {
            kept_.push_back({format, medium});
        }
        return S_OK;
    });
}

HRESULT QtDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return ComGuard([&] {
        if (!ppenumFormatEtc)
            return E_INVALIDARG;
        *ppenumFormatEtc = nullptr;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        if (const QMimeData* data = Data())
            for (const CLIPFORMAT format : FormatsOfMimeData(*data))
                if (!Kept(format))
                    formats.push_back({format, nullptr, DVASPECT_CONTENT, -1, OfferedMedia});
        for (const TKeptFormat& kept : kept_)
            formats.push_back(kept.Format);
        *ppenumFormatEtc = new FormatEtcEnumerator(std::move(formats));
        return S_OK;
    });
}

HRESULT QtDataObject::DAdvise(const FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT QtDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT QtDataObject::EnumDAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (ppenumAdvise)
        *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

} // namespace win
