// How the shell list and the shell tree hand a drag on to the shell's drop target of the item
// under the pointer: probing it, dropping on it, and the highlight of the item.
#pragma once

#include "platform/ole/interfaces.h"

#include <type_traits>

// Probes Target: DragEnter, for Over also DragOver (with the effects offered again), then
// DragLeave. Effect comes in as the effects offered and goes out as the target's answer (none
// when it failed); returns the target's result.
win::HRESULT ProbeShellDropTarget(win::IDropTarget& Target, win::IDataObject* Data, win::DWORD KeyState, win::POINTL Pt,
                                  win::DWORD& Effect, bool Over);

// Hands a drop to Target: the key state is KeyState with the left and right buttons held at
// DragEnter (EnterKeyState), so the shell can tell a right-button drag; DragEnter and DragOver
// with the effects offered, then Drop with those of them the items of Data allow. Effect goes
// out as the effect taken; returns Drop's result.
win::HRESULT DropOnShellTarget(win::IDropTarget& Target, win::IDataObject* Data, win::DWORD KeyState,
                               win::DWORD EnterKeyState, win::POINTL Pt, win::DWORD& Effect);

// Moves the drag highlight from Current (a list row or a tree node, null for none) to Item.
template <class TItem>
void MoveDropHighlight(TItem*& Current, std::type_identity_t<TItem>* Item)
{
    if (Item == Current)
        return;
    if (Current)
        Current->SetDropTarget(false);
    Current = Item;
    if (Item)
        Item->SetDropTarget(true);
}
