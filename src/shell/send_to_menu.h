// The Send To submenu of the shell's context menus: the placeholder filled with the Send To list,
// and the rules of typed letters in it.
#pragma once

#include "platform/ui/menu_model.h"

#include <QChar>
#include <QStringList>

// The ids of the Send To entries: entry index + 1, at most this many entries.
constexpr unsigned SendToLastId = 999;

// The Send To entry a menu id stands for; -1 for an id outside 1 .. SendToLastId.
int SendToIndexOfId(unsigned Id);

// Fills each Send To placeholder of Menu (a submenu, at any depth, holding exactly one entry,
// grayed): the Send To list is built again and the placeholder replaced by one command per entry,
// with the id index + 1, the entry's text and its small icon; typed letters then follow
// SendToMenuChar. Returns whether a placeholder was found.
bool FillSendToPlaceholders(TMenuModel& Menu);

// The answer to Typed in a submenu of the entries Names with Highlighted highlighted (-1 for
// none): the first entry after the highlighted one (wrapping round to it) whose name begins with
// the letter, compared without case.
TMenuCharAnswer SendToMenuChar(const QStringList& Names, int Highlighted, QChar Typed);
