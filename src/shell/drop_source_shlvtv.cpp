// TDropSource_shlvtv.
#include "shell/drop_source_shlvtv.h"

using namespace win;

TDropSource_shlvtv::TDropSource_shlvtv(int Button)
    : buttonMask_(Button == 1 ? MK_RBUTTON : Button == 2 ? MK_MBUTTON : MK_LBUTTON)
{
}

HRESULT TDropSource_shlvtv::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDropSource, static_cast<IDropSource*>(this)}});
}

HRESULT TDropSource_shlvtv::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    const DWORD buttons = grfKeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (fEscapePressed || (buttons != 0 && buttons != buttonMask_))
        return DRAGDROP_S_CANCEL;
    return buttons ? S_OK : DRAGDROP_S_DROP;
}

HRESULT TDropSource_shlvtv::GiveFeedback(DWORD)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
