// The OLE clipboard over QClipboard. GUI thread only: elsewhere every call answers
// CLIPBRD_E_CANT_OPEN.
//
// OleSetClipboard puts a data object on the clipboard as an OleMimeData that renders it on first
// use; the clipboard holds a reference to the object until the clipboard changes or it is
// flushed. OleFlushClipboard replaces it by a rendered copy and lets the object go.
// OleGetClipboard gives this process's own object while it is on the clipboard, and otherwise a
// QtDataObject over a copy of whatever the clipboard holds.
#pragma once

#include "platform/ole/interfaces.h"

namespace win {

// Puts DataObject on the clipboard; null empties the clipboard.
HRESULT OleSetClipboard(IDataObject* pDataObj);
// *ppDataObj becomes the clipboard's data object (empty when the clipboard is).
HRESULT OleGetClipboard(IDataObject** ppDataObj);
// Renders the data object this process put on the clipboard and releases it; S_OK also when the
// clipboard holds none of ours.
HRESULT OleFlushClipboard();
// S_OK when pDataObj is what this process put on the clipboard and the clipboard still holds
// it; S_FALSE otherwise.
HRESULT OleIsCurrentClipboard(IDataObject* pDataObj);

} // namespace win
