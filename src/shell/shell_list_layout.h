// The column layout shared by every shell list of the process, and its copy of the
// "DirectoryCols" widths last read from the registry.
#pragma once

#include <QByteArray>

class TMemoryStream;

// The widths of the last file-system columns a shell list rebuilt or closed: a 32-bit count and
// a 32-bit width per column, little-endian. Empty at start-up.
TMemoryStream& ShellListColumnLayout();
// Column widths as the registry's "DirectoryCols" value holds them: 16-bit little-endian words.
struct TDirectoryCols {
    QByteArray Words; // 22 bytes
    int Length = 0;   // how many of them were read (10 for the defaults)
    bool operator==(const TDirectoryCols&) const = default;
    // The width of Column (0 to 10).
    int Width(int Column) const;
};

// The default widths of Name, Size, Type and Modified (and a fifth, unused), with the registry's
// "DirectoryCols" value read over them when it is at most 22 bytes long (its length then becomes
// the data's). Registry errors leave the defaults.
TDirectoryCols ReadDirectoryCols();
// The data the last own columns were built from (length 0 at start-up).
TDirectoryCols& ShellListDirectoryCols();
