// The snapshot enumerator of formats, and reading an enumerator through.
#include "platform/ole/format_enumerator.h"

#include <algorithm>

namespace win {

FormatEtcEnumerator::FormatEtcEnumerator(std::vector<FORMATETC> Formats, std::size_t Position)
    : formats_(std::move(Formats)), position_(std::min(Position, formats_.size()))
{
}

HRESULT FormatEtcEnumerator::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)},
                          {IID_IEnumFORMATETC, static_cast<IEnumFORMATETC*>(this)}});
}

HRESULT FormatEtcEnumerator::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched)
{
    return ComGuard([&] {
        if (!rgelt && celt > 0)
            return E_POINTER;
        std::lock_guard lock(mutex_);
        const std::size_t count = std::min<std::size_t>(celt, formats_.size() - position_);
        std::copy_n(formats_.begin() + std::ptrdiff_t(position_), count, rgelt);
        position_ += count;
        if (pceltFetched)
            *pceltFetched = ULONG(count);
        return count == celt ? S_OK : S_FALSE;
    });
}

HRESULT FormatEtcEnumerator::Skip(ULONG celt)
{
    return ComGuard([&] {
        std::lock_guard lock(mutex_);
        const std::size_t left = formats_.size() - position_;
        position_ += std::min<std::size_t>(celt, left);
        return celt <= left ? S_OK : S_FALSE;
    });
}

HRESULT FormatEtcEnumerator::Reset()
{
    std::lock_guard lock(mutex_);
    position_ = 0;
    return S_OK;
}

HRESULT FormatEtcEnumerator::Clone(IEnumFORMATETC** ppenum)
{
    return ComGuard([&] {
        if (!ppenum)
            return E_POINTER;
        std::lock_guard lock(mutex_);
        *ppenum = new FormatEtcEnumerator(formats_, position_);
        return S_OK;
    });
}

std::vector<FORMATETC> EnumerateFormats(IEnumFORMATETC* Enumerator, std::size_t Limit)
{
    std::vector<FORMATETC> formats;
    if (!Enumerator)
        return formats;
    while (formats.size() < Limit) {
        FORMATETC format;
        ULONG fetched = 0;
        if (Enumerator->Next(1, &format, &fetched) != S_OK || fetched != 1)
            break;
        formats.push_back(format);
    }
    return formats;
}

} // namespace win
