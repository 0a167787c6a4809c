// ImportPreviousVersionServers: the one-time offer to take over the server profiles of the
// previous major version, found through its uninstall entry and read from its "FTPServers.ini".
#pragma once

#include <QString>

// The uninstall entry the previous version left below HKEY_LOCAL_MACHINE.
inline const QString PreviousVersionUninstallKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick HalyardFTP");
// The most server sections one import reads, whatever count the file claims: enough for any
// real list, and few enough that names made unique by appended digits stay registry key names.
constexpr int MaxImportedProfiles = 200;

// Runs at start-up, before the site tree is built. When the offer was not made yet (no value
// "Imported" = "1" under the program's key) and the previous version's INI file exists, asks
// whether to import; either answer writes the marker. Yes adds one shared profile per server
// section to UploadProfiles(), under a name no profile has yet (ignoring case; "1" appended until
// it is free), without any password. A count that is not a positive number gives a warning and
// adds nothing. Without a previous installation nothing is written and the check repeats at the
// next start.
void ImportPreviousVersionServers();
