// MoveToTrash: the freedesktop.org trash in the user's data folder.
#pragma once

#include <QString>

// Moves the entry Path (a symbolic link as the link itself) into "$XDG_DATA_HOME/Trash/files/"
// under a name not yet used there, after writing its "Trash/info/<name>.trashinfo" with the
// original path and the deletion time, so the desktop's trash can restore it. Returns 0 or the
// errno of the failure: the entry then stays where it was, or, when it was copied from another
// file system and could not all be removed afterwards, the trash keeps the copy with its record.
int MoveToTrash(const QString& Path);
