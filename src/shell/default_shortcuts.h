// The keys of the shell list's and the shell tree's own commands, read once from their texts.
#pragma once

#include "platform/ui/vkeys.h"

class QKeyEvent;

enum class TDefaultShortCut { SelectAll, Delete, Copy, Cut, Paste, Refresh, Rename };

// The key of Which: "Ctrl+A", "Del", "Ctrl+C", "Ctrl+X", "Ctrl+V", "F5" or "F2".
TShortCut DefaultShortCut(TDefaultShortCut Which);
// The key and the Shift, Ctrl and Alt held of Event as one short cut.
TShortCut ShortCutOfKey(const QKeyEvent& Event);
