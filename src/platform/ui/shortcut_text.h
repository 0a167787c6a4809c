// Short cuts as text ("Ctrl+J", "Shift+PgDn") and back, and the translation of Qt's key codes and
// modifiers into virtual keys and shift states.
#pragma once

#include "platform/ui/vkeys.h"

#include <QString>
#include <Qt>

// "Shift+", "Ctrl+" and "Alt+" (in this order, for the modifiers held) before the key's name:
// "BkSp", "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right",
// "Down", "Ins", "Del", the character for "0".."9" and "A".."Z", the digit for the numeric-pad
// digits, "F1".."F24", and "#" with the decimal code for any other key. Empty for 0.
QString ShortCutToText(TShortCut Value);

// Reads the modifiers "Shift+", "^" or "Ctrl+", and "Alt+" (in any order, ignoring case), then
// takes the first key code from 8 to 597 whose ShortCutToText equals the rest, ignoring case;
// 0 when none does.
TShortCut TextToShortCut(const QString& Text);

// The virtual key of a Qt key: letters and digits as their ASCII codes, the other printable
// characters as the key of the US layout that types them, and the editing, cursor, function and
// modifier keys as their virtual keys; 0 for a key with no virtual key.
int VirtualKeyFromQt(int QtKey);

// Shift, Ctrl and Alt of Qt's keyboard modifiers.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers);
