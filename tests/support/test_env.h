// The per-run folders a test binary works in (set before any thread starts).
#pragma once

#include <QString>

// The run's private root folder; XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and TMPDIR lie below it.
QString testRunFolder();
