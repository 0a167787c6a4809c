// FormatEtcEnumerator: the IEnumFORMATETC over a snapshot of formats that data objects hand out.
#pragma once

#include "platform/ole/interfaces.h"

#include <mutex>
#include <vector>

namespace win {

// Next copies up to the count asked for and answers S_FALSE when fewer were left; Skip past the
// end moves to the end and answers S_FALSE; Reset goes back to the first format; Clone copies the
// formats and the position.
class FormatEtcEnumerator : public ComObject, public IEnumFORMATETC {
public:
    explicit FormatEtcEnumerator(std::vector<FORMATETC> Formats, std::size_t Position = 0);

    HRESULT QueryInterface(const IID& riid, void** ppv) override;
    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;

private:
    std::mutex mutex_;
    const std::vector<FORMATETC> formats_;
    std::size_t position_;
};

// Every format an enumerator gives from its current position on, at most Limit of them (an
// enumerator from outside might never end).
std::vector<FORMATETC> EnumerateFormats(IEnumFORMATETC* Enumerator, std::size_t Limit = 4096);

} // namespace win
