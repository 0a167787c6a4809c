// Fuzz target: any bytes as a listing go through detection, all four parsers and the date reader
// without a crash, with at most four fields per line and every name kept byte for byte; read as a
// listing file they give at most one entry a line, each name again a piece of the bytes.
#include "ftp/listing/dir_info_list.h"
#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_file.h"
#include "ftp/listing/listing_format.h"
#include "platform/rtl/streams.h"
#include "platform/system/name_encoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TStringList lines;
    lines.SetText(DecodeName(bytes));
    const TListingFormat format = DetectListingFormat(lines);
    if (format < lfUnknown || format > lfWebStar)
        std::abort();
    const TDateTime now = Now();
    TFtpDirInfoList fields;
    for (int i = 0; i < lines.Count(); ++i) {
        const QString line = lines.Strings(i);
        for (auto parse : {&TFtpDirInfoList::ParseStandardUnix, &TFtpDirInfoList::ParseAppleUnix,
                           &TFtpDirInfoList::ParseWebStar, &TFtpDirInfoList::ParseDos}) {
            (fields.*parse)(line);
            if (fields.Count() > 4)
                std::abort();
            // A name is a piece of the line (unless it repeats the date): its bytes come back unchanged.
            const QString name = fields.GetEntryName();
            if (name != fields.GetDate() && !EncodeName(line).contains(EncodeName(name)))
                std::abort();
            ParseListingDate(fields.GetDate(), now);
        }
        ParseListingDate(line, now);
        MonthNumber(line);
    }

    TMemoryStream stream;
    stream.Write(bytes.constData(), bytes.size());
    stream.SetPosition(0);
    TListingFile listing;
    listing.LoadFromStream(stream, now);
    if (qsizetype(listing.Entries().size()) > listing.LineCount())
        std::abort();
    for (const auto& entry : listing.Entries()) {
        if (!bytes.contains(EncodeName(entry->Name)))
            std::abort();
    }
    return 0;
}
