// The attributes (SFGAO_*) of the namespace's items.
#pragma once

#include "platform/shellapi/shell_places.h"

namespace win {

// The attributes of Item, a child of Parent, limited to Request; what only the disk can tell
// (a subfolder, a program's desktop entry, a writable folder) is read only when asked for.
// - every file-system item: FILESYSTEM, CANCOPY, CANLINK, HASPROPSHEET; CANMOVE, CANRENAME and
//   CANDELETE too for an entry of a writable folder; LINK, READONLY and GHOSTED (a name starting
//   with ".") from its flags;
// - folders, Home and volumes: FOLDER, FILESYSANCESTOR, DROPTARGET, HASSUBFOLDER when they hold
//   a folder; volumes REMOVABLE when removable;
// - files: DROPTARGET for programs (executable files and application desktop entries);
// - Computer: FOLDER, FILESYSANCESTOR, HASSUBFOLDER, HASPROPSHEET. SHARE is never set.
ULONG ItemAttributes(const TShellPlace& Parent, const TShellItem& Item, ULONG Request);

} // namespace win
