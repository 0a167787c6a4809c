// StrToTabColumns: the tab columns of a language written as text ("5 9;13"), as the settings keep
// them.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// Values 2 and up, rising, separated by blanks or semicolons, each stored as value - 1; the unused
// entries are -1. Raises ESyntaxMemo "Tab stop column value expected", "Tab columns must be in
// order and unique", "Tab column must be > 1" or "Too many tab stops - maximum of 32".
std::array<std::int32_t, 32> StrToTabColumns(const QByteArray& Text);
