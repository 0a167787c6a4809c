// What the namespace calls its places: display and parsing names, and type names.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/shell_places.h"

#include <QMimeType>
#include <QString>

namespace win {

// The name of Place (the desktop itself for an empty list) for the SHGDN flags: file names
// exactly as on disk; the desktop "Desktop", Computer "Computer", Home "Home", the root volume
// "File System" and other volumes the last name of their mount path. SHGDN_FORPARSING gives the
// path ("::computer" for Computer); with SHGDN_INFOLDER, an entry's parsing name is its own name.
QString PlaceName(const TShellPlace& Place, DWORD Flags);

// The type name of Place: "System Folder" for the desktop and Computer, "Folder" for Home and
// folders, the kind of a volume ("Local Disk", "Removable Disk", "Network Drive", "RAM Disk"),
// and for a file the comment of its MIME type.
QString PlaceTypeName(const TShellPlace& Place);
QString VolumeTypeName(BYTE VolumeKind);
extern const QString FolderTypeName;
extern const QString SystemFolderTypeName;

// The MIME type of an existing file (by its name, and by its content when the name tells
// nothing); NameType (name_types.h) gives that of a name alone.
QMimeType MimeTypeOfFile(const QByteArray& Path);

} // namespace win
