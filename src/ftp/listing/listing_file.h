// TListingFile: the directory entries of a listing file, read in one pass over its bytes.
#pragma once

#include "ftp/listing/dir_info.h"
#include "ftp/listing/listing_format.h"
#include "platform/rtl/date_time.h"

#include <QString>
#include <deque>

// What the remote pane makes of a listing file a directory request wrote: the format is judged
// from the first five lines, then every line the format's parser accepts (also one that ends
// early) becomes an entry with its attributes, size text, name (a link's without its target) and
// date; the entry's kind, line and display date are the pane's to give. Lines end at CR LF, LF or
// CR. The file is read in blocks and split as bytes; each field is decoded once, straight into
// its entry, so a listing of a million lines takes little more memory than its entries.
class TListingFile {
public:
    // Replaces the entries with those of the file; raises EFOpenError when it cannot be read.
    // Dates with a time and no year are placed by CurrentTime.
    void LoadFromFile(const QString& FileName, TDateTime CurrentTime = Now());

    TListingFormat Format() const { return format_; }
    // In the order of their lines; an entry stays where it is while the list lives.
    std::deque<TFtpDirInfo>& Entries() { return entries_; }
    const std::deque<TFtpDirInfo>& Entries() const { return entries_; }

private:
    TListingFormat format_ = lfUnknown;
    std::deque<TFtpDirInfo> entries_;
};
