// The bytes of typed registry values: texts as UTF-16 units with a closing zero unit, and
// DWORDs as four little-endian bytes, as the registry keeps them.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// Any text, NUL characters and lone surrogates included, followed by one zero unit.
QByteArray RegStringData(const QString& Text);
// The text of REG_SZ or REG_EXPAND_SZ data: every unit but one closing zero unit (an odd last byte
// is ignored), so RegDataString(RegStringData(s)) == s for every s.
QString RegDataString(const QByteArray& Data);

QByteArray RegDwordData(std::uint32_t Value);
// The value of four bytes of data; nothing when the data has another length.
std::optional<std::uint32_t> RegDataDword(const QByteArray& Data);
