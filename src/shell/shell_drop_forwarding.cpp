// ProbeShellDropTarget and DropOnShellTarget.
#include "shell/shell_drop_forwarding.h"

#include "shell/shell_routines.h"

using namespace win;

HRESULT ProbeShellDropTarget(IDropTarget& Target, IDataObject* Data, DWORD KeyState, POINTL Pt, DWORD& Effect, bool Over)
{
    const DWORD offered = Effect;
    HRESULT result = Target.DragEnter(Data, KeyState, Pt, &Effect);
    if (Over && SUCCEEDED(result)) {
        Effect = offered;
        result = Target.DragOver(KeyState, Pt, &Effect);
    }
    Target.DragLeave();
    if (FAILED(result))
        Effect = DROPEFFECT_NONE;
    return result;
}

HRESULT DropOnShellTarget(IDropTarget& Target, IDataObject* Data, DWORD KeyState, DWORD EnterKeyState, POINTL Pt,
                          DWORD& Effect)
{
    const DWORD keys = KeyState | (EnterKeyState & (MK_LBUTTON | MK_RBUTTON));
    const DWORD offered = Effect;
    DWORD effect = offered;
    Target.DragEnter(Data, keys, Pt, &effect);
    effect = offered;
    Target.DragOver(keys, Pt, &effect);
    effect = offered & GetAllowedDropEffects(Data);
    const HRESULT result = Target.Drop(Data, keys, Pt, &effect);
    Effect = effect;
    return result;
}
