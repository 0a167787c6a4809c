// The system image lists and the icon index and type name of a path, also of a name that does not
// exist (as the remote pane shows remote items).
#pragma once

#include "platform/graphics/image_list.h"

#include <QString>

// The large or small system image list.
win::HIMAGELIST GetSystemImageList(bool Large);
// The icon index of Path: by the path when it exists (IconKind then counts for nothing); otherwise
// by its name and Attributes alone (FILE_ATTRIBUTE_DIRECTORY for a folder), the open folder's icon
// for IconKind 1. Never 0 for a path or name the shell knows.
int GetFileIconIndex(const QString& Path, int Attributes, int IconKind);
// As GetFileIconIndex, with the type name (at most 79 characters) in TypeName.
int GetFileIconIndexAndType(const QString& Path, int Attributes, QString& TypeName, int IconKind);
// The icon index and type name of an entry known by its name alone (a remote one): a folder when
// Folder, else a file of the type its name tells. The local file system is never asked, so a local
// file of the same name changes nothing. Names of one type share one type-name text.
int GetNameIconIndexAndType(const QString& Name, bool Folder, QString& TypeName);
