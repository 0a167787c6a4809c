// The shell's special folders by their CSIDL numbers, as file-system paths.
#pragma once

#include <QString>

namespace win {

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x0010;

// The path of the special folder Csidl (without a trailing "/"): the desktop's folder for
// CSIDL_DESKTOP and CSIDL_DESKTOPDIRECTORY, the documents folder for CSIDL_PERSONAL; empty for the
// others, which have no file-system folder here.
QString SHGetSpecialFolderPath(int Csidl);

} // namespace win
