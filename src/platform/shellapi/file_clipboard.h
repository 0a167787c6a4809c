// The file clipboard: files put on the desktop's clipboard to be copied or moved ("cut") and
// pasted elsewhere, in the forms file managers exchange them.
#pragma once

#include <QStringList>

// Files on the clipboard: the paths and whether they were cut (to be moved) or copied.
struct TClipboardFiles {
    QStringList Paths;
    bool Cut = false;
};

// Puts Files on the clipboard as a "text/uri-list", as "x-special/gnome-copied-files" (whose first
// line is "copy" or "cut") and as "application/x-kde-cutselection" ("1" for a cut).
void PutFilesOnClipboard(const TClipboardFiles& Files);
// The files on the clipboard: read from the GNOME form when it is there, else from the URI list,
// cut when the KDE mark says so (a bare URI list is a copy). Paths empty when it holds none.
TClipboardFiles FilesOnClipboard();
// Empties the clipboard (after cut files were moved).
void ClearClipboard();
