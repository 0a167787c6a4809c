// GetSystemImageList, GetFileIconIndex, GetFileIconIndexAndType and GetNameIconIndexAndType over
// SHGetFileInfo.
#include "shell/system_icons.h"

#include "platform/shellapi/file_info.h"
#include "platform/system/name_encoding.h"

#include <sys/stat.h>

namespace {

bool PathExists(const QString& Path)
{
    struct stat info;
    return !Path.isEmpty() && ::lstat(EncodeName(Path).constData(), &info) == 0;
}

// The flags of the lookup: by the path when it exists, else by name (with the open-folder icon
// for IconKind 1).
win::UINT LookupFlags(const QString& Path, int IconKind)
{
    if (PathExists(Path))
        return win::SHGFI_SYSICONINDEX;
    return win::SHGFI_SYSICONINDEX | win::SHGFI_USEFILEATTRIBUTES | (IconKind == 1 ? win::SHGFI_OPENICON : 0);
}

} // namespace

win::HIMAGELIST GetSystemImageList(bool Large)
{
    win::SHFILEINFO info;
    const win::UINT flags = win::SHGFI_SYSICONINDEX | (Large ? 0 : win::SHGFI_SMALLICON);
    return reinterpret_cast<win::HIMAGELIST>(win::SHGetFileInfo(QString(), 0, &info, flags));
}

int GetFileIconIndex(const QString& Path, int Attributes, int IconKind)
{
    win::SHFILEINFO info;
    win::SHGetFileInfo(Path, win::DWORD(Attributes), &info, LookupFlags(Path, IconKind));
    return info.iIcon;
}

int GetFileIconIndexAndType(const QString& Path, int Attributes, QString& TypeName, int IconKind)
{
    win::SHFILEINFO info;
    win::SHGetFileInfo(Path, win::DWORD(Attributes), &info, LookupFlags(Path, IconKind) | win::SHGFI_TYPENAME);
    TypeName = info.szTypeName;
    return info.iIcon;
}

int GetNameIconIndexAndType(const QString& Name, bool Folder, QString& TypeName)
{
    win::SHFILEINFO info;
    win::SHGetFileInfo(Name, Folder ? win::FILE_ATTRIBUTE_DIRECTORY : win::FILE_ATTRIBUTE_NORMAL, &info,
                       win::SHGFI_SYSICONINDEX | win::SHGFI_USEFILEATTRIBUTES | win::SHGFI_TYPENAME);
    TypeName = info.szTypeName;
    return info.iIcon;
}
