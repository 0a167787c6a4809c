// TPTFormatEtcList: the formats a drag's data object offers, and its enumerator.
#pragma once

#include "platform/ole/format_enumerator.h"
#include "platform/ole/interfaces.h"

#include <initializer_list>
#include <vector>

// The enumerator the list hands out: it walks a copy of the list's records, so it stays valid
// when the data object that made it goes first.
using TPTFormatEtcList_IEnumFormatEtc = win::FormatEtcEnumerator;

// An ordered list of FORMATETC records, each {format, no device, DVASPECT_CONTENT, -1,
// TYMED_HGLOBAL}. No record here names a target device.
class TPTFormatEtcList {
public:
    TPTFormatEtcList() = default;
    explicit TPTFormatEtcList(std::initializer_list<win::CLIPFORMAT> Formats) { AddFormats(Formats); }

    void AddFormats(std::initializer_list<win::CLIPFORMAT> Formats);
    int Count() const { return int(items_.size()); }
    const win::FORMATETC& Items(int Index) const { return items_.at(std::size_t(Index)); }
    void Clear() { items_.clear(); }

    // S_OK when a record has Format's clipboard format and shares a storage kind with it;
    // DV_E_TYMED when the format is there only with other storage kinds; DV_E_FORMATETC for
    // another aspect than DVASPECT_CONTENT or a format not in the list.
    win::HRESULT QueryFormat(const win::FORMATETC& Format) const;
    // A new enumerator at the first record, with one reference for the caller.
    win::IEnumFORMATETC* CreateEnumerator() const;

private:
    std::vector<win::FORMATETC> items_;
};
