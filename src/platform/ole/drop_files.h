// The walker of name lists and of CF_HDROP blocks (a DROPFILES header and a name list), shared
// by the drag-and-drop formats, the shell controls and the Qt bridge.
//
// A name list is one NUL-ended name after another, closed by an empty name; in a wide list every
// character, the NULs included, is a UTF-16 unit. Wide names are read as UTF-16 text; byte
// ("ANSI") names are the names' bytes, as DecodeName turns them into text and EncodeName back,
// so every name round-trips.
#pragma once

#include "platform/ole/types.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>

namespace win {

inline std::span<const std::uint8_t> ByteSpan(const QByteArray& Bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(Bytes.constData()), std::size_t(Bytes.size())};
}

// The names of a list in Block, in order. Never reads past the block: the list also ends at the
// block's end, a name with no NUL before the end is dropped (a cut name could name another
// file), and a wide list of odd length loses its last half character.
QStringList ReadNameList(std::span<const std::uint8_t> Block, bool Wide);
// The bytes of a list of Names, closed by an empty name. A name that is empty or holds a NUL
// cannot be written in a list and is left out.
QByteArray MakeNameList(const QStringList& Names, bool Wide);

// What a CF_HDROP block holds.
struct TDropFiles {
    QStringList Names;
    bool Wide = false;
    POINT Point{0, 0};
    bool NonClient = false;
};

// The content of a CF_HDROP block; nothing when the block is shorter than its header and one
// byte, or when pFiles points into the header or past the block's end.
std::optional<TDropFiles> ReadDropFiles(std::span<const std::uint8_t> Block);
// A CF_HDROP block of Names: pFiles 20, point (0, 0), fNC 0, the list in the width asked for.
QByteArray MakeDropFiles(const QStringList& Names, bool Wide);

} // namespace win
