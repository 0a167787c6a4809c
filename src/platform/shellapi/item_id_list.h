// Item identifier lists in the shell's layout, and the shell's task allocator they live in.
//
// A list is a run of items, each a 16-bit little-endian byte count (counting its own two bytes)
// followed by that many bytes less two, and ends with a 16-bit zero. The empty list (the
// terminator alone) names the desktop. Lists the namespace hands out come from the task
// allocator; whoever receives one frees it with CoTaskMemFree (or the allocator's Free).
//
// The task allocator remembers the size of every block it hands out, so a list lying in such a
// block is checked against the block's end: counts that run past it make the list malformed, and
// the namespace answers such a list with E_INVALIDARG instead of reading beyond the block. A list
// in memory of any other kind is taken as its counts say.
#pragma once

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

namespace win {

using BYTE = std::uint8_t;
using ULONG = std::uint32_t;

// Opaque: a list is only ever reached through a pointer to its first byte.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

class IMalloc {
public:
    // A block of Size bytes (Size 0 gives a block too); null when memory runs out.
    virtual void* Alloc(std::size_t Size) = 0;
    // Frees a block of this allocator; null and blocks it did not hand out are ignored.
    virtual void Free(void* Block) = 0;
    // The size of a block of this allocator; (size_t)-1 for anything else.
    virtual std::size_t GetSize(const void* Block) = 0;

protected:
    ~IMalloc() = default;
};

// The process's task allocator (thread-safe; never freed).
IMalloc* SHGetMalloc();
void* CoTaskMemAlloc(std::size_t Size);
void CoTaskMemFree(void* Block);

// The end of the task-allocator block that holds Address (or starts there, for an empty block),
// or null when no block holds it.
const BYTE* TaskBlockEnd(const void* Address);

// The byte count of List with its terminator; 0 for null and for a malformed list (an item count
// of 1, or counts that run past the end of the task-allocator block the list lies in).
std::size_t ItemListSize(LPCITEMIDLIST List);

// A new list of the items Items (whole items with their counts, no terminator) and a terminator,
// from Malloc (the task allocator when null); null when memory runs out.
LPITEMIDLIST ItemListFromBytes(const QByteArray& Items, IMalloc* Malloc = nullptr);
// The items of List without the terminator into Items; false (Items empty) for null or a
// malformed list.
bool ItemListBytes(LPCITEMIDLIST List, QByteArray& Items);
// Each item of List (with its count) into Items; false (Items empty) for null or a malformed list.
bool SplitItemList(LPCITEMIDLIST List, QList<QByteArray>& Items);

} // namespace win
