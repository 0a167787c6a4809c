// Writing name lists (one NUL-ended name after another, closed by an empty name; 8-bit names as
// their bytes, or UTF-16) into blocks of a given size. Reading is the OLE layer's ReadNameList.
#pragma once

#include <QStringList>
#include <cstdint>
#include <span>

// The size of the list of Names.
std::int64_t NameListSize(const QStringList& Names, bool Wide);
// Writes the list of Names into Block: whole names only, as many as fit before the closing NUL (a
// name cut short would name another file). False when the block cannot hold the closing NUL.
bool WriteNameList(std::span<std::uint8_t> Block, bool Wide, const QStringList& Names);
