// The walker of "Shell IDList Array" blocks (CIDA), shared by the shell controls and the
// drag-and-drop formats.
//
// A block is the item count cidl, cidl + 1 offsets from the block's start (the parent folder's
// item list first, then the items' lists relative to it), and the lists. An item list is a run of
// item ids, each a 16-bit size (counting itself, so at least 2) and its bytes, closed by a 16-bit
// 0. Lists are handled as byte strings holding the whole list with its terminator.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace win {

// The size of the item list at Offset of Block, terminator included; 0 when the list is not
// whole inside the block (an item id shorter than 2 bytes or running past the end, or no
// terminator before the end).
std::size_t IdListSizeAt(std::span<const std::uint8_t> Block, std::size_t Offset);

// The lists of a block, the parent's first. Nothing unless the whole offset table
// (4 × (cidl + 2) bytes) lies inside the block and every list it points at is whole inside it.
// A block with no items (cidl 0) gives the parent's list alone: whether that is enough is the
// caller's rule.
std::optional<std::vector<QByteArray>> ReadCida(std::span<const std::uint8_t> Block);
// A block of Lists (the parent's first), each written as it is; the offsets start after the
// offset table at 4 × (number of lists + 1).
QByteArray MakeCida(const std::vector<QByteArray>& Lists);

} // namespace win
