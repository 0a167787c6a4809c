// The shell's special folders by their CSIDL numbers, as file-system paths.
#pragma once

#include <QString>

namespace win {

constexpr int CSIDL_DESKTOP = 0x0000;          // the desktop; its path is the desktop's folder
constexpr int CSIDL_PERSONAL = 0x0005;         // the documents folder
constexpr int CSIDL_STARTUP = 0x0007;          // "$XDG_CONFIG_HOME/autostart"
constexpr int CSIDL_SENDTO = 0x0009;           // the program's Send To folder
constexpr int CSIDL_BITBUCKET = 0x000A;        // the trash's files
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010; // the desktop's folder
constexpr int CSIDL_DRIVES = 0x0011;           // Computer, which has no path
constexpr int CSIDL_FONTS = 0x0014;            // "$XDG_DATA_HOME/fonts"
constexpr int CSIDL_TEMPLATES = 0x0015;        // the templates folder
constexpr int CSIDL_APPDATA = 0x001A;          // the configuration folder ("$XDG_CONFIG_HOME")

// The path of the special folder Csidl (without a trailing "/"), as listed above; the Send To
// folder is "$XDG_DATA_HOME/tarnwick-halyard/SendTo", made when first asked for. Empty for
// Computer and the numbers not listed, which have no file-system folder here.
QString SHGetSpecialFolderPath(int Csidl);

// "$XDG_DATA_HOME", or "~/.local/share" when it is unset or not absolute.
QString UserDataFolder();

} // namespace win
