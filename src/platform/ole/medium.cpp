// Releasing, copying, reading and making storage media.
#include "platform/ole/medium.h"

#include "platform/ole/hglobal.h"
#include "platform/ole/stream.h"

namespace win {

void ReleaseStgMedium(STGMEDIUM* pmedium)
{
    if (!pmedium)
        return;
    switch (pmedium->tymed) {
    case TYMED_HGLOBAL:
        if (!pmedium->pUnkForRelease && pmedium->hGlobal)
            GlobalFree(pmedium->hGlobal);
        break;
    case TYMED_ISTREAM:
        if (pmedium->pstm)
            pmedium->pstm->Release();
        break;
    case TYMED_ISTORAGE:
        if (pmedium->pstg)
            pmedium->pstg->Release();
        break;
    default:
        break;
    }
    if (pmedium->pUnkForRelease)
        pmedium->pUnkForRelease->Release();
    *pmedium = STGMEDIUM();
}

HRESULT CopyStgMedium(const STGMEDIUM* pcstgmedSrc, STGMEDIUM* pstgmedDest)
{
    if (!pcstgmedSrc || !pstgmedDest)
        return E_INVALIDARG;
    STGMEDIUM copy;
    switch (pcstgmedSrc->tymed) {
    case TYMED_NULL:
        break;
    case TYMED_HGLOBAL: {
        const std::optional<QByteArray> bytes = BytesOfGlobal(pcstgmedSrc->hGlobal);
        if (!bytes)
            return E_INVALIDARG;
        copy.hGlobal = GlobalFromBytes(*bytes);
        if (!copy.hGlobal)
            return E_OUTOFMEMORY;
        break;
    }
    case TYMED_ISTREAM:
        if (!pcstgmedSrc->pstm)
            return E_INVALIDARG;
        copy.pstm = pcstgmedSrc->pstm;
        copy.pstm->AddRef();
        break;
    case TYMED_ISTORAGE:
        if (!pcstgmedSrc->pstg)
            return E_INVALIDARG;
        copy.pstg = pcstgmedSrc->pstg;
        copy.pstg->AddRef();
        break;
    default:
        return DV_E_TYMED;
    }
    copy.tymed = pcstgmedSrc->tymed;
    // A shared stream or storage may depend on the source's release object: share that too.
    if (copy.tymed & (TYMED_ISTREAM | TYMED_ISTORAGE)) {
        copy.pUnkForRelease = pcstgmedSrc->pUnkForRelease;
        if (copy.pUnkForRelease)
            copy.pUnkForRelease->AddRef();
    }
    *pstgmedDest = copy;
    return S_OK;
}

std::optional<QByteArray> BytesOfMedium(const STGMEDIUM& Medium)
{
    switch (Medium.tymed) {
    case TYMED_HGLOBAL:
        return BytesOfGlobal(Medium.hGlobal);
    case TYMED_ISTREAM:
        return ReadWholeStream(Medium.pstm, MaxMediumBytes);
    default:
        return std::nullopt;
    }
}

bool MediumFromBytes(const QByteArray& Bytes, DWORD Tymed, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    if (Tymed & TYMED_HGLOBAL) {
        Medium.hGlobal = GlobalFromBytes(Bytes);
        if (!Medium.hGlobal)
            return false;
        Medium.tymed = TYMED_HGLOBAL;
        return true;
    }
    if (Tymed & TYMED_ISTREAM) {
        Medium.pstm = new MemoryStream(Bytes);
        Medium.tymed = TYMED_ISTREAM;
        return true;
    }
    return false;
}

} // namespace win
