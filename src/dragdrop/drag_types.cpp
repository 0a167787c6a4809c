// Conversions between drop effects, drag types and key states.
#include "dragdrop/drag_types.h"

using namespace win;

bool DragTypeFromEffect(DWORD Effect, TDragType& DragType)
{
    DragType = dtCopy;
    if (Effect & DROPEFFECT_COPY)
        return true;
    if (Effect & DROPEFFECT_MOVE) {
        DragType = dtMove;
        return true;
    }
    if (Effect & DROPEFFECT_LINK) {
        DragType = dtLink;
        return true;
    }
    return false;
}

DWORD EffectFromDragTypes(TDragTypes DragTypes)
{
    DWORD effect = DROPEFFECT_NONE;
    if (DragTypes & DragTypeBit(dtCopy))
        effect |= DROPEFFECT_COPY;
    if (DragTypes & DragTypeBit(dtMove))
        effect |= DROPEFFECT_MOVE;
    if (DragTypes & DragTypeBit(dtLink))
        effect |= DROPEFFECT_LINK;
    return effect;
}

TShiftState ShiftStateFromKeyFlags(DWORD KeyState)
{
    TShiftState state = 0;
    if (KeyState & MK_SHIFT)
        state |= ssShift;
    if (KeyState & MK_CONTROL)
        state |= ssCtrl;
    if (KeyState & MK_ALT)
        state |= ssAlt;
    if (KeyState & MK_LBUTTON)
        state |= ssLeft;
    if (KeyState & MK_RBUTTON)
        state |= ssRight;
    if (KeyState & MK_MBUTTON)
        state |= ssMiddle;
    return state;
}

DWORD EffectFromShiftState(TShiftState ShiftState, DWORD AllowedEffects, bool FallBack)
{
    const TShiftState keys = ShiftState & (ssShift | ssCtrl);
    DWORD wanted = DROPEFFECT_MOVE;
    if (keys == (ssShift | ssCtrl))
        wanted = DROPEFFECT_LINK;
    else if (keys == ssCtrl)
        wanted = DROPEFFECT_COPY;
    DWORD effect = AllowedEffects & wanted;
    if (effect == DROPEFFECT_NONE && FallBack) {
        for (const DWORD candidate : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
            if (AllowedEffects & candidate) {
                effect = candidate;
                break;
            }
        }
    }
    return effect;
}
