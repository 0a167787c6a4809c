// TBusyCursor: the hourglass while a dialog is built and shown, the default cursor after it.
#pragma once

#include "platform/ui/screen.h"

struct TBusyCursor {
    TBusyCursor() { Screen().SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen().SetCursor(crDefault); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
