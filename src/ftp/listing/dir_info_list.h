// TFtpDirInfoList: the fields of one remote listing line, filled by the parser of its format.
#pragma once

#include "platform/rtl/string_list.h"

struct TListingLineFields;

// Fields by index: 0 attributes, 1 size text, 2 date text, 3 name. A line a parser rejects leaves
// the list empty; a Unix-type line that ends early leaves the fields found so far. A name is
// everything after the one blank that follows the date (DOS: after the blanks that follow the
// size), up to the line end: blanks inside it and at its ends are kept, as is every character of
// the line (bytes that are no UTF-8 stay escaped).
class TFtpDirInfoList : public TStringList {
public:
    // "-rw-r--r-- 1 owner group 1234 Jan 15 10:30 my file.txt"
    void ParseStandardUnix(const QString& Line);
    // The same without the group column.
    void ParseAppleUnix(const QString& Line);
    // "-r--r--r-- 0 1234 1234 Jan 15 10:30 name" and "drwxr-xr-x folder 2 Jan 15 10:30 name"
    // (folders get the size "0"; links read like files).
    void ParseWebStar(const QString& Line);
    // "01-15-03 10:30AM <DIR> name" or "01-15-03 10:30AM 1234 name": the attributes "d" or "-";
    // lines shorter than 21 characters are rejected; a line that ends early keeps the fields
    // "", "0", "", "".
    void ParseDos(const QString& Line);

    // The fields; empty when the line gave fewer.
    QString GetAttributes() const { return Field(0); }
    QString GetSize() const { return Field(1); }
    QString GetDate() const { return Field(2); }
    QString GetFileName() const { return Field(3); }
    // The name of the entry: the name field, but for a link ("l") only what stands before " -> "
    // (the link's target follows it).
    QString GetEntryName() const;

private:
    QString Field(int Index) const { return Index < Count() ? Strings(Index) : QString(); }
    // Replaces the list with the fields the line was split into.
    void Fill(const QString& Line, const TListingLineFields& Fields);

    QString lastAttributes_;
};
