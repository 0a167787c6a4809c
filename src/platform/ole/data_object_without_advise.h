// DataObjectWithoutAdvise: the advise part of a data object that supports no advise sinks:
// DAdvise and DUnadvise answer OLE_E_ADVISENOTSUPPORTED, and so does EnumDAdvise, clearing its
// out pointer.
#pragma once

#include "platform/ole/interfaces.h"

namespace win {

struct DataObjectWithoutAdvise : IDataObject {
    HRESULT DAdvise(const FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override
    {
        if (ppenumAdvise)
            *ppenumAdvise = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }
};

} // namespace win
