// The shell item identifier routines: allocating, sizing, copying, joining and comparing item
// identifier lists (PIDLs); their folders, paths, special folders, display names and icons; and
// drive validation. Lists are raw pointers into the shell's task allocator unless a routine is
// given another allocator; whoever receives a new list frees it with ShellFree. A null list is
// taken as the desktop where noted. GUI thread only.
#pragma once

#include "platform/graphics/image_list.h"
#include "platform/shellapi/file_info.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <QString>
#include <cstdint>

// The special folders by their CSIDL numbers (a byte: callers may set flags above the 7 bits).
enum TCSIDL : std::uint8_t {
    csidlDesktop = 0,
    csidl_None1,
    csidlPrograms,
    csidlControls,
    csidlPrinters,
    csidlPersonal,
    csidlFavorites,
    csidlStartup,
    csidlRecent,
    csidlSendTo,
    csidlBitBucket,
    csidlStartMenu,
    csidl_None2,
    csidl_None3,
    csidl_None4,
    csidl_None5,
    csidlDesktopDirectory,
    csidlDrives,
    csidlNetwork,
    csidlNethood,
    csidlFonts,
    csidlTemplates,
    csidlCommonStartMenu,
    csidlCommonPrograms,
    csidlCommonStartup,
    csidlCommonDesktopDirectory,
    csidlAppData,
    csidlPrintHood,
    csidlNone, // no special folder
};

// Which display name GetPidlDisplayName gives.
enum TPidlNameKind { pnkNormal, pnkInFolder, pnkForParsing };
// Which system image list GetSysImageList gives.
enum TSysImageListSize { silSmall, silLarge };

void* ShellAlloc(std::size_t Size);
// Ignores null.
void ShellFree(void* Block);
win::IMalloc* ShellMalloc();

// The sum of the item counts plus 2; 0 for null (and for a list whose counts run past the end of
// its block).
int PidlSize(win::LPCITEMIDLIST Pidl);
// A copy of Pidl's items with a terminator, from Malloc (the task allocator when null); null when
// memory runs out. A null Pidl gives the empty list.
win::LPITEMIDLIST CopyPidl(win::IMalloc* Malloc, win::LPCITEMIDLIST Pidl);
// First's items, then Second's, then a terminator; either may be null or empty.
win::LPITEMIDLIST ConcatPidls(win::IMalloc* Malloc, win::LPCITEMIDLIST First, win::LPCITEMIDLIST Second);
// Equality of two absolute lists: 0 when both are null or both empty, or when the desktop folder's
// CompareIDs (column 0) says so; -1 when just one of them is null or empty, whichever it is (so
// this is not an order: use it to test for 0 only); the largest int when the comparison fails.
int ComparePidls(win::LPCITEMIDLIST Pidl1, win::LPCITEMIDLIST Pidl2);

// The folder of an absolute list: the desktop folder for null or empty. Folder is cleared first.
win::HRESULT GetShellFolder(win::LPCITEMIDLIST Pidl, win::Ref<win::IShellFolder>& Folder);
// The absolute list of a path, parsed by the desktop folder (never cut short; beyond PATH_MAX
// E_INVALIDARG and a null list).
win::HRESULT PathToPidl(const QString& Path, win::LPITEMIDLIST& Pidl);
// The file-system path of an absolute list (null is the desktop); empty when it has none.
QString PidlToPath(win::LPCITEMIDLIST Pidl);
win::HRESULT GetSpecialFolderPidl(win::HWND Owner, TCSIDL Folder, win::LPITEMIDLIST& Pidl);
// The path of a special folder; empty when it has no location or no path.
QString SpecialFolderPath(win::HWND Owner, TCSIDL Folder);
// The first special folder (in the order of their numbers) whose location equals Pidl;
// csidlNone when none does.
TCSIDL PidlToCsidl(win::LPCITEMIDLIST Pidl);

// The system icon index of an absolute list; ExtraFlags may add SHGFI_SMALLICON and
// SHGFI_OPENICON.
int GetPidlIconIndex(win::LPCITEMIDLIST Pidl, win::UINT ExtraFlags);
// The system image list (its overlay images installed).
win::HIMAGELIST GetSysImageList(TSysImageListSize Size);
// The name of Pidl in Folder (Folder null: the desktop, Pidl absolute); empty when the folder
// fails.
QString GetPidlDisplayName(win::IShellFolder* Folder, win::LPCITEMIDLIST Pidl, TPidlNameKind Kind);

// Has Computer read the mount table again (broadcasting the volumes that came and went), unless
// validation is disabled.
void ValidateDrives();
// Nest: validation runs only while every Disable has been matched by an Enable.
void DisableDriveValidation();
void EnableDriveValidation();

// The platform checks the shell makes before it uses newer features; every gate here is open.
bool IsWinNT();
// The version of the common-controls library ("comctl32.dll", high 32 bits major and minor,
// low 32 bits build and revision): a constant new enough for every feature. Other files have no
// version here: false.
bool GetModuleFileVersion(const QString& FileName, std::uint64_t& Version);
