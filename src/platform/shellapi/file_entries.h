// Entries of file-system folders as namespace items: reading a folder, one entry's item, and
// whether a folder holds a subfolder.
#pragma once

#include "platform/shellapi/shell_item.h"

namespace win {

// The item of the entry Name in the folder Folder (paths as bytes): a folder item for a folder
// or a symbolic link to one, a file item for anything else (links that lead nowhere too), with
// the size and time of what a link leads to when it leads somewhere. Returns 0 or the errno.
int ReadEntryItem(const QByteArray& Folder, const QByteArray& Name, TShellItem& Item);
// The items of Folder's entries ("." and ".." left out) in byte order of their names; entries
// that vanish while the folder is read are left out. Returns 0 or the errno of reading Folder.
int ReadFolderItems(const QByteArray& Folder, QList<TShellItem>& Items);
// True when Folder holds a folder (or a link to one); reads at most a fixed number of entries and
// answers true when it stops early. Folders on network and FUSE volumes answer true unread.
bool HasSubfolder(const QByteArray& Folder);

// The path of Name in the folder Folder.
QByteArray ChildPath(const QByteArray& Folder, const QByteArray& Name);
// True for the name of a desktop entry file (".desktop"), which the namespace shows as a link.
bool IsDesktopEntryName(const QByteArray& Name);

} // namespace win
