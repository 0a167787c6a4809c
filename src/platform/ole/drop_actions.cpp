// Conversions between OLE's key state and effects and Qt's buttons, modifiers and actions.
#include "platform/ole/drop_actions.h"

namespace win {

DWORD KeyStateOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers)
{
    DWORD state = 0;
    if (Buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (Buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton)
        state |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier)
        state |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier)
        state |= MK_ALT;
    return state;
}

DWORD EffectsOf(Qt::DropActions Actions)
{
    return DWORD(Actions.toInt()) & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

Qt::DropActions ActionsOf(DWORD Effects)
{
    Qt::DropActions actions;
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        if (Effects & DWORD(action))
            actions |= action;
    return actions;
}

DWORD OfferedEffects(DWORD OkEffects, Qt::KeyboardModifiers Modifiers)
{
    const bool control = Modifiers & Qt::ControlModifier;
    const bool shift = Modifiers & Qt::ShiftModifier;
    const DWORD asked = control && shift ? DROPEFFECT_LINK
                        : control        ? DROPEFFECT_COPY
                        : shift          ? DROPEFFECT_MOVE
                                         : DROPEFFECT_NONE;
    return (OkEffects & asked) ? asked : OkEffects;
}

Qt::DropAction DropActionOf(DWORD Effect, Qt::DropAction Preferred)
{
    constexpr DWORD Effects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    Effect &= Effects;
    const DWORD preferred = DWORD(Preferred) & Effects;
    if (preferred && (Effect & preferred) == preferred)
        return Qt::DropAction(preferred);
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        if (Effect & DWORD(action))
            return action;
    return Qt::IgnoreAction;
}

} // namespace win
