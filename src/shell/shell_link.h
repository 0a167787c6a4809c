// TLinkData and ReadShellLink: what a link file leads to.
#pragma once

#include "platform/shellapi/hresult.h"
#include "platform/shellapi/item_id_list.h"
#include "platform/system/find_files.h"

#include <QString>
#include <cstdint>

// The parts of a link ReadShellLink filled; a complete read sets all six.
enum TLinkDataField : unsigned {
    ldfPath = 1,
    ldfArguments = 2,
    ldfDescription = 4,
    ldfIcon = 8,         // the icon location and index
    ldfWorkingFolder = 16,
    ldfShowAndHotKey = 32, // the show command and the hot key
};
constexpr unsigned ldfAll = 63;

struct TLinkData {
    QString Path;             // where the link leads
    unsigned ValidFields = 0; // TLinkDataField bits
    QString Description;
    QString Arguments;
    QString IconLocation;
    std::int32_t IconIndex = 0;
    QString WorkingFolder;
    std::int32_t ShowCommand = 0;
    std::uint16_t HotKey = 0;
    // 0 resolve with a user interface, 1 without (set by the caller; nothing here asks the user).
    std::uint8_t ResolveMode = 0;
    // The absolute list of the target, only when asked for (the caller frees it with ShellFree).
    win::LPITEMIDLIST Pidl = nullptr;
    // The target as a folder search finds it (empty when it does not exist).
    TSearchRec FindData;
};

// Reads the link file LinkFile (a symbolic link or a desktop entry file; Windows ".lnk" files are
// not read: E_FAIL) into Data, keeping its ResolveMode. Paths are never cut short; one beyond
// PATH_MAX gives E_INVALIDARG. With WantPidl the target's list is read too; a target that does not
// exist leaves Pidl null and gives its error as the result.
win::HRESULT ReadShellLink(const QString& LinkFile, TLinkData& Data, bool WantPidl);
