// Drag types, conversion scopes and data directions, and the conversions between drop effects,
// drag types and the key state of a drag.
#pragma once

#include "platform/ole/types.h"
#include "platform/ui/vkeys.h"

#include <cstdint>

enum TDragType { dtCopy, dtMove, dtLink };
// A set of drag types: bit 0 dtCopy, bit 1 dtMove, bit 2 dtLink.
using TDragTypes = std::uint8_t;
constexpr TDragTypes DragTypeBit(TDragType Type) { return TDragTypes(1u << Type); }

// Where a conversion applies: bit 0 the source side, bit 1 the target side.
using TConversionScopes = std::uint8_t;
constexpr TConversionScopes csSource = 1;
constexpr TConversionScopes csTarget = 2;

// Which way a format moves: bit 0 read (taken from a data object), bit 1 write (put into a data
// object by the side that receives it).
using TDataDirections = std::uint8_t;
constexpr TDataDirections ddRead = 1;
constexpr TDataDirections ddWrite = 2;

// The drag type of an effect, copy before move before link; false (and dtCopy) for none of them.
bool DragTypeFromEffect(win::DWORD Effect, TDragType& DragType);
// The effects of a set of drag types.
win::DWORD EffectFromDragTypes(TDragTypes DragTypes);
// The shift state of a drag's key state (MK_* flags).
TShiftState ShiftStateFromKeyFlags(win::DWORD KeyState);
// The one effect the keys ask for among AllowedEffects: Ctrl and Shift link, Ctrl copy, otherwise
// move. When that is not allowed and FallBack is set, the first allowed of copy, move, link.
win::DWORD EffectFromShiftState(TShiftState ShiftState, win::DWORD AllowedEffects, bool FallBack);
