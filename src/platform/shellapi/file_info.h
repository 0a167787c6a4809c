// SHGetFileInfo: the system icon index, type name and display name of a path, a name or an
// item identifier list.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/item_id_list.h"

#include <QString>

namespace win {

using DWORD_PTR = std::uintptr_t;

constexpr UINT SHGFI_SMALLICON = 0x1;
constexpr UINT SHGFI_OPENICON = 0x2; // folders: the open folder
constexpr UINT SHGFI_PIDL = 0x8;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x10; // by the name and the given attributes; the disk is not read
constexpr UINT SHGFI_DISPLAYNAME = 0x200;
constexpr UINT SHGFI_TYPENAME = 0x400;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The longest type name handed out: the shell's 80-character field less its terminator.
constexpr int MaxTypeName = 79;

struct SHFILEINFO {
    int iIcon = 0;
    DWORD dwAttributes = 0;
    QString szDisplayName;
    QString szTypeName;
};

// Fills what Flags ask for: SHGFI_SYSICONINDEX the icon index in the system image lists,
// SHGFI_TYPENAME the type name (cut to MaxTypeName characters), SHGFI_DISPLAYNAME the display
// name. Path (relative to the current folder unless absolute) must exist unless SHGFI_USEFILEATTRIBUTES is set: then only its name counts, a
// folder when FileAttributes holds FILE_ATTRIBUTE_DIRECTORY, else a file of its extension's type.
// With SHGFI_SYSICONINDEX the result is the small (SHGFI_SMALLICON) or large system image list,
// also for an empty Path; otherwise nonzero on success. 0 when the path or list names nothing.
DWORD_PTR SHGetFileInfo(const QString& Path, DWORD FileAttributes, SHFILEINFO* Info, UINT Flags);
// The same for an absolute item identifier list (SHGFI_PIDL is implied).
DWORD_PTR SHGetFileInfo(LPCITEMIDLIST Pidl, DWORD FileAttributes, SHFILEINFO* Info, UINT Flags);

} // namespace win
