// The tab columns of the settings as the text the TabColumns property reads and writes.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

using TTabColumns = std::array<std::int32_t, 32>;

// Parses 1-based columns separated by blanks or semicolons into 0-based entries, -1 after the
// last. Raises ESyntaxMemo "Tab stop column value expected" (also for a value too large for 32
// bits), "Tab columns must be in order and unique", "Tab column must be > 1" or
// "Too many tab stops - maximum of 32".
TTabColumns StrToTabColumns(const QString& Text);
// The 1-based columns before the first unused entry, separated by one blank.
QString TabColumnsToStr(const TTabColumns& Columns);
