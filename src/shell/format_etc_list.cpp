// TPTFormatEtcList.
#include "shell/format_etc_list.h"

using namespace win;

void TPTFormatEtcList::AddFormats(std::initializer_list<CLIPFORMAT> Formats)
{
    for (const CLIPFORMAT format : Formats) {
        FORMATETC record;
        record.cfFormat = format;
        record.tymed = TYMED_HGLOBAL;
        items_.push_back(record);
    }
}

HRESULT TPTFormatEtcList::QueryFormat(const FORMATETC& Format) const
{
    if (Format.dwAspect != DVASPECT_CONTENT)
        return DV_E_FORMATETC;
    bool found = false;
    for (const FORMATETC& item : items_) {
        if (item.cfFormat != Format.cfFormat)
            continue;
        if (item.tymed & Format.tymed)
            return S_OK;
        found = true;
    }
    return found ? DV_E_TYMED : DV_E_FORMATETC;
}

IEnumFORMATETC* TPTFormatEtcList::CreateEnumerator() const
{
    return new TPTFormatEtcList_IEnumFormatEtc(items_);
}
