// OLE and COM start-up of a thread (counters, nothing else to set up here) and CoCreateInstance,
// behind which no class is registered: the shell's drag-image helpers are absent, and callers
// take their fallback paths.
#pragma once

#include "platform/ole/unknown.h"

namespace win {

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

// Counts one more start of OLE (or COM) on the calling thread: S_OK the first time, S_FALSE when
// it was already started there. Each successful call is matched by one OleUninitialize
// (CoUninitialize).
HRESULT OleInitialize(void* pvReserved);
void OleUninitialize();
HRESULT CoInitialize(void* pvReserved);
void CoUninitialize();
// How many starts of COM (OLE included) the calling thread has not yet matched.
int ComInitCount();

// Always REGDB_E_CLASSNOTREG, with *ppv null.
HRESULT CoCreateInstance(const CLSID& rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, const IID& riid, void** ppv);

} // namespace win
