// DragQueryFile: the names of a dropped file list (a CF_HDROP block), and those of a data object.
#pragma once

#include "platform/ole/interfaces.h"

#include <QStringList>

namespace win {

using HDROP = HGLOBAL;

// With iFile 0xFFFFFFFF the number of names in the block; otherwise the length of name iFile,
// which File receives when it is not null (0 and an empty File for an index past the last name).
// A block whose header or offset runs past its end holds no names.
UINT DragQueryFile(HDROP hDrop, UINT iFile, QString* File);

// The names of the CF_HDROP data of Data; empty when it offers none.
QStringList DroppedFileNames(IDataObject* Data);

} // namespace win
