// The global-memory blocks of the shell controls' drags, CF_HDROP and "Shell IDList Array", and
// the copy of a block that GetData hands out.
#pragma once

#include "platform/ole/hglobal.h"
#include "platform/shellapi/item_id_list.h"

#include <QString>
#include <QStringList>
#include <vector>

// A movable CF_HDROP block of Names: the 20-byte DROPFILES header (names at 20, point 0, 0, not
// wide), each name's bytes (as file names are encoded, so every name survives) with a zero, then
// one more zero. The block is as long as the names
// need: no name is cut, however long.
win::HRESULT StringsToHDrop(const QStringList& Names, win::HGLOBAL& Handle);
// A movable "Shell IDList Array" block: the count of Items, the offsets of the parent and of each
// item from the block's start, then Parent (the empty list when null) and the items, each with its
// terminator.
win::HRESULT PidlsToIdListArray(win::LPCITEMIDLIST Parent, const std::vector<win::LPCITEMIDLIST>& Items,
                                win::HGLOBAL& Handle);
// A new movable block of the same size and content; null when Handle names no block or memory
// runs out.
win::HGLOBAL DuplicateHGlobal(win::HGLOBAL Handle);
