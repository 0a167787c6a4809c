// RenameEntry: giving an entry of a folder a new name, never replacing another entry.
#pragma once

#include "platform/shellapi/hresult.h"
#include "platform/shellapi/shell_item.h"

#include <QString>

namespace win {

// Renames the entry OldName (bytes) of Folder to NewName and reads its item under the new name
// into Renamed. NewName is refused with E_INVALIDARG when it is empty, "." or "..", or holds "/"
// or a NUL; an entry of that name (also one appearing meanwhile) gives
// HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS). Keeping the name is a success that renames nothing.
// With ShowErrors a failure is also shown in a message dialog. The entry keeps its name on every
// failure.
HRESULT RenameEntry(const QByteArray& Folder, const QByteArray& OldName, const QString& NewName,
                    bool ShowErrors, TShellItem& Renamed);

} // namespace win
