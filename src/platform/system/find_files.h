// FindFirst, FindNext and FindClose: the entries of a folder that match a wildcard pattern, or one
// entry by its literal name, with Windows-style attributes made up from each entry's type and mode.
#pragma once

#include "platform/rtl/date_time.h"
#include "platform/system/error_codes.h"

#include <QString>
#include <cstdint>
#include <memory>

constexpr int faReadOnly = 0x01;  // the owner's write permission is missing
constexpr int faHidden = 0x02;    // the name starts with "."
constexpr int faSysFile = 0x04;   // never set here
constexpr int faVolumeID = 0x08;  // never set here
constexpr int faDirectory = 0x10; // a folder, or a link to one
constexpr int faArchive = 0x20;   // a regular file (a link that leads nowhere counts as one)
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    QString Name;          // the entry's name, without its folder
    std::int64_t Size = 0; // bytes; 0 for folders
    int Attr = 0;
    TDateTime TimeStamp = 0; // last modification, local time

    // The search in progress; FindClose releases it (so does the last copy of the record).
    std::shared_ptr<struct TFindState> FindHandle;
};

// Starts a search and fills F with the first match; returns 0, or a Windows error number:
// ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when the folder is missing,
// ERROR_ACCESS_DENIED when it cannot be read.
//
// Path is a folder part and a name part. A name part holding "*" (any run of characters) or "?"
// (any one character) is a pattern matched, with case, against the folder's entries; "*.*" is "*".
// Any other name part finds that one entry. Entries come in byte order of their names; "." and ".."
// are never returned. Folders come only when Attr holds faDirectory and hidden entries only when
// it holds faHidden (faAnyFile holds both).
int FindFirst(const QString& Path, int Attr, TSearchRec& F);
// Fills F with the next match; ERROR_NO_MORE_FILES at the end.
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
