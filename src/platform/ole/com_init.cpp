// Per-thread start counters of OLE and COM, and the empty class registry.
#include "platform/ole/com_init.h"

namespace win {

namespace {

thread_local int InitCount = 0;

HRESULT CountStart()
{
    return InitCount++ == 0 ? S_OK : S_FALSE;
}

void CountEnd()
{
    if (InitCount > 0)
        --InitCount;
}

} // namespace

HRESULT OleInitialize(void*)
{
    return CountStart();
}

void OleUninitialize()
{
    CountEnd();
}

HRESULT CoInitialize(void*)
{
    return CountStart();
}

void CoUninitialize()
{
    CountEnd();
}

int ComInitCount()
{
    return InitCount;
}

HRESULT CoCreateInstance(const CLSID&, IUnknown*, DWORD, const IID&, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return REGDB_E_CLASSNOTREG;
}

} // namespace win
