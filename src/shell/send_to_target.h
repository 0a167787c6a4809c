// SendToTarget: sends the items of a data object to an entry of the Send To folder, as a drop on it.
#pragma once

#include "platform/ole/interfaces.h"

#include <QString>

// Drops Data on the entry FileName of the Send To folder: its drop target gets DragEnter, DragOver
// and Drop with the left button down, the point (0, 0) and copy offered. A name that is not a
// single entry of the folder (empty, ".", "..", or holding "/") is refused. Raises Exception with
// the system message of the call that failed.
void SendToTarget(const QString& FileName, win::IDataObject* Data);
