// Global memory blocks (HGLOBAL), the byte blocks that storage media carry.
//
// A handle names its block from GlobalAlloc to GlobalFree and is never reused. Every call checks
// the handle first: one that names no block (never made, or freed) is refused, with the call's
// failure value. Blocks never move, so a locked pointer stays valid until the block is freed.
// All calls are thread-safe.
#pragma once

#include "platform/ole/types.h"

#include <QByteArray>
#include <cstddef>
#include <optional>

namespace win {

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GMEM_DDESHARE = 0x2000;

// A new block of Bytes bytes, zero-filled whatever the flags say; null when memory runs out.
HGLOBAL GlobalAlloc(UINT Flags, std::size_t Bytes);
// The block's first byte, counting one more lock; null for a refused handle or a block of 0 bytes.
void* GlobalLock(HGLOBAL Mem);
// Counts one lock less; TRUE while the block is still locked.
BOOL GlobalUnlock(HGLOBAL Mem);
// The block's size as it was allocated; 0 for a refused handle.
std::size_t GlobalSize(HGLOBAL Mem);
// Frees the block: null on success, Mem itself when the handle is refused.
HGLOBAL GlobalFree(HGLOBAL Mem);

// A new block holding Bytes; null when memory runs out.
HGLOBAL GlobalFromBytes(const QByteArray& Bytes);
// A copy of the block's bytes; nothing for a refused handle.
std::optional<QByteArray> BytesOfGlobal(HGLOBAL Mem);

} // namespace win
