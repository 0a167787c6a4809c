// MessageBeep: the short warning sound of the desktop.
#pragma once

#include <functional>

// Sounds the desktop's beep through the installed sound (the platform's widgets install the
// display's bell at start-up); silent until one is installed.
void MessageBeep();
// Installs Sound (empty: silent) and returns the one installed before.
std::function<void()> SetMessageBeep(std::function<void()> Sound);
