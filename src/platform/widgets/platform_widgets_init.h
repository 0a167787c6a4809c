// Start-up work of the platform's widgets: called once from main and from the test main.
#pragma once

// Message dialogs from here on are shown as message forms through the prompt service, popup menus
// as QMenus, properties sheets as dialogs, the beep is the display's bell, and the shell's system
// icons that the icon theme lacks are the style's.
void initPlatformWidgets();
