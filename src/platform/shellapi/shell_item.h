// The items of the namespace's item identifier lists: what each kind holds and its byte layout.
//
// Every item is {u16 count; u8 kind; payload}, integers little-endian:
// - 0x10 root item, a child of the desktop: u8 id (1 Computer, 2 Home);
// - 0x20 volume, a child of Computer: u8 volume kind (TVolumeKind), the mount path's bytes, NUL;
// - 0x30 folder and 0x31 file, below a volume, Home, the desktop or another folder: u8 flags
//   (ifHidden, ifLink, ifReadOnly, ifExecutable), u64 size, i64 modification time in nanoseconds
//   since 1970, the name's bytes, NUL.
// Names and paths are kept as their exact bytes (EncodeName), so every name survives. The same
// entry unchanged always gives the same bytes; a change of its kind, size or time gives others.
#pragma once

#include "platform/shellapi/item_id_list.h"

#include <QByteArray>
#include <QList>
#include <cstdint>

namespace win {

enum TVolumeKind : BYTE { vkRoot = 0, vkFixed = 1, vkRemovable = 2, vkNetwork = 3, vkRam = 4 };

constexpr BYTE rootComputer = 1;
constexpr BYTE rootHome = 2;

constexpr BYTE ifHidden = 1;     // the name starts with "."
constexpr BYTE ifLink = 2;       // a symbolic link or a desktop entry file
constexpr BYTE ifReadOnly = 4;   // the owner may not write it
constexpr BYTE ifExecutable = 8; // a file that may be run

struct TShellItem {
    enum TKind : BYTE { ikRoot = 0x10, ikVolume = 0x20, ikFolder = 0x30, ikFile = 0x31 };

    TKind Kind = ikFile;
    BYTE RootId = 0;           // ikRoot
    BYTE VolumeKind = vkFixed; // ikVolume
    QByteArray MountPath;      // ikVolume
    BYTE Flags = 0;            // ikFolder, ikFile
    std::uint64_t Size = 0;
    std::int64_t ModifiedNs = 0;
    QByteArray Name;

    bool IsEntry() const { return Kind == ikFolder || Kind == ikFile; }
    bool operator==(const TShellItem&) const = default;

    // The whole item with its count; empty when it cannot be one (a name too long for a count).
    QByteArray Encode() const;
    // Reads the item of Count bytes at Item (its count included). False for anything this
    // namespace never makes: an unknown kind or id, a missing or early NUL, an empty name, ".",
    // "..", a name holding "/", a mount path not starting with "/".
    static bool Decode(const BYTE* Item, std::size_t Count, TShellItem& Out);
};

// The items of List; false for null, a malformed list or an item Decode refuses.
bool DecodeItems(LPCITEMIDLIST List, QList<TShellItem>& Items);
// A new list of Items from the task allocator; null when memory runs out or an item cannot be
// encoded.
LPITEMIDLIST EncodeItems(const QList<TShellItem>& Items);

} // namespace win
