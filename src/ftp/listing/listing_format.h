// The remote listing formats and their detection from the first lines of a listing.
#pragma once

#include <QString>

class TStrings;

enum TListingFormat {
    lfUnknown = 0,
    lfStandardUnix = 1,
    lfAppleUnix = 2,
    lfDos = 3,
    lfWebStar = 4,
};

// "Unknown", "Standard UNIX", "Apple UNIX", "DOS/Windows", "Apple WebStar"; empty for other codes.
QString ListingFormatName(int Format);

// The format of a listing, judged from its first five lines only:
// 1. Unix lines of any entry type ("-", "d", "l", and also "b", "c", "p", "s", which the parsers
//    leave out) in order, with two flags kept from line to line: A (column 2 ends in "1") and B
//    (column 3 did not look like WebStar's "0"). A line with a column 9 is Standard UNIX; a folder
//    line whose column 2 starts "fo" ("folder") is WebStar; a file line whose column 3 is "0" is
//    WebStar unless A is set (B must be clear; any other column 3 sets B); a line of exactly
//    eight columns is Apple UNIX.
// 2. Else a line longer than 20 characters whose column 3 or 4, followed by a blank, holds
//    "<DIR>" or only digits is DOS/Windows.
// 3. Else Unknown.
TListingFormat DetectListingFormat(const TStrings& Lines);
