// The common part of QueryInterface and the reference count of ComObject.
#include "platform/ole/unknown.h"

namespace win {

HRESULT FindInterface(IUnknown* self, const IID& riid, void** ppv, std::initializer_list<InterfaceEntry> entries)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (const InterfaceEntry& entry : entries) {
        if (entry.iid == riid) {
            self->AddRef();
            *ppv = entry.itf;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

ULONG ComObject::AddRef()
{
    return ++refs_;
}

ULONG ComObject::Release()
{
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

} // namespace win
