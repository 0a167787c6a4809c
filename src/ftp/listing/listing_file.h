// TListingFile: the directory entries of a listing file, read in one pass over its bytes.
#pragma once

#include "ftp/listing/dir_info.h"
#include "ftp/listing/listing_format.h"
#include "platform/rtl/date_time.h"

#include "platform/rtl/string_list.h"

#include <QString>
#include <memory>
#include <vector>

class TStream;

// What the remote pane makes of a listing file a directory request wrote: the format is judged
// from the first five lines (unless the session knows it already), then every line the format's
// parser accepts (also one that ends early) becomes an entry with its attributes, size text, name
// (a link's without its target) and date; a link's entry also keeps its line, whose target follows
// " -> ", and with KeepLines every entry does. The entry's kind and display date are the pane's
// to give. Lines end at CR LF, LF or CR.
// The file is read in blocks and split as bytes; each field is decoded once, straight into its
// entry, so a listing of a million lines takes little more memory than its entries.
class TListingFile {
public:
    // Every entry keeps the line it was read from (the remote pane keeps them with its rows);
    // without it only links do, and a long listing takes half the memory.
    bool KeepLines = false;

    // Replaces the entries with those of the file; raises EFOpenError when it cannot be read.
    // Dates with a time and no year are placed by CurrentTime. Format: the listing's format when
    // it is known; lfUnknown to judge it from the first lines.
    void LoadFromFile(const QString& FileName, TDateTime CurrentTime = Now(), TListingFormat Format = lfUnknown);
    // The same with the listing's bytes read from Stream's position on.
    void LoadFromStream(TStream& Stream, TDateTime CurrentTime = Now(), TListingFormat Format = lfUnknown);

    TListingFormat Format() const { return format_; }
    // The lines read (empty ones too; no more than the first five when the format is unknown),
    // and the first five of them as text.
    int LineCount() const { return lineCount_; }
    const TStringList& FirstLines() const { return firstLines_; }
    // In the order of their lines; a caller may take entries away.
    std::vector<std::unique_ptr<TFtpDirInfo>>& Entries() { return entries_; }
    const std::vector<std::unique_ptr<TFtpDirInfo>>& Entries() const { return entries_; }

private:
    TListingFormat format_ = lfUnknown;
    int lineCount_ = 0;
    TStringList firstLines_;
    std::vector<std::unique_ptr<TFtpDirInfo>> entries_;
};
