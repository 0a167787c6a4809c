// DuplicateStorageMedium: a copy of a storage medium that is released on its own.
#pragma once

#include "platform/ole/types.h"

// The text for a system without CopyStgMedium. The copy is always available here, so it is never
// shown.
constexpr const char* SCopyStgMediumMissing =
    "A required system function (URLMON.CopyStgMedium) was not available on this system. Operation aborted.";

// True when Dest became a copy of Source (CopyStgMedium).
bool DuplicateStorageMedium(const win::STGMEDIUM& Source, win::STGMEDIUM& Dest);
