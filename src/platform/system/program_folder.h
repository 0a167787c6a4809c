// ProgramFolder: the program's own writable folder for its log, listing files and templates.
#pragma once

#include <QString>

// "$XDG_DATA_HOME/tarnwick-halyard/" (or "~/.local/share/tarnwick-halyard/" when XDG_DATA_HOME is
// unset or not absolute), with a trailing "/"; the environment is read on every call. Made with
// mode 0700 (parents included) when missing.
QString ProgramFolder();
