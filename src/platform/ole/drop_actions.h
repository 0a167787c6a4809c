// The key state and drop effects of OLE against the buttons, modifiers and drop actions of Qt.
// Effects and actions share their values: copy 1, move 2, link 4.
#pragma once

#include "platform/ole/types.h"

#include <Qt>

namespace win {

// MK_* flags of the mouse buttons and modifier keys held.
DWORD KeyStateOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);
// The effects of a set of actions, and the actions of a set of effects.
DWORD EffectsOf(Qt::DropActions Actions);
Qt::DropActions ActionsOf(DWORD Effects);
// The effects a drag begun with Modifiers held offers other programs, out of OkEffects: the drop
// targets of other toolkits choose from the actions offered, not from the keys (their own drags
// offer only what the keys ask for), so Ctrl offers copy alone, Shift move alone and both link
// alone, when OkEffects holds it; otherwise OkEffects.
DWORD OfferedEffects(DWORD OkEffects, Qt::KeyboardModifiers Modifiers);
// The single action to answer Qt with for an effect (its low three bits): Preferred when the
// effect holds it, else copy, move, link in that order; IgnoreAction for none.
Qt::DropAction DropActionOf(DWORD Effect, Qt::DropAction Preferred);

} // namespace win
