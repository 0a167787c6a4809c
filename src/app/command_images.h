// The pictures of the window's commands (tool bar buttons and menu items), at any size.
#pragma once

#include <QImage>

// The picture of command image Index (AppImage), Size pixels wide; null when Index is none.
QImage CommandImage(int Index, int Size);
// The transfer type button's picture of Mode (0 ASCII, 1 binary, 2 automatic).
QImage TransferTypeImage(int Mode, int Size);
