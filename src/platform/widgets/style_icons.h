// StyleIcon: the application style's standard icons for the shell's system icons, drawn where the
// icon theme has none.
#pragma once

#include "platform/shellapi/system_image_list.h"

#include <QIcon>

QIcon StyleIcon(win::TSystemIcon Icon);
