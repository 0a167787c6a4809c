// Links as the desktop keeps them: symbolic links and freedesktop desktop entry files.
#pragma once

#include "platform/shellapi/hresult.h"

#include <QString>

// Where a link leads.
struct TLinkTarget {
    enum TKind { lkSymbolicLink, lkFileLink, lkApplication };

    TKind Kind = lkSymbolicLink;
    // The absolute path the link leads to (whether it exists or not); for an application, the
    // program (looked up in PATH when the entry names it without a folder).
    QString Path;
    // An application's arguments without the entry's field codes ("%f", "%U"...), separated by
    // blanks, an argument holding a blank in double quotes.
    QString Arguments;
    QString WorkingFolder; // an application's "Path"
    QString Description;   // the entry's "Comment"
    QString IconLocation;  // the entry's "Icon"
};

// Reads the link file Path: a symbolic link (a relative target taken from the link's folder), a
// desktop entry of Type=Link with a "file:" URL, or one of Type=Application with an Exec line.
// E_FAIL for anything else (Windows ".lnk" files among them: they are not read here), the error
// of a file that cannot be read.
win::HRESULT ReadLinkFile(const QString& Path, TLinkTarget& Target);
