// The remote listing formats and their detection.
#include "ftp/listing/listing_format.h"

#include "ftp/listing/listing_columns.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/trim.h"

#include <algorithm>

namespace {

constexpr int LinesExamined = 5;

// The column test over the Unix lines; lfUnknown when it gives no result.
TListingFormat UnixColumnTest(const TStrings& Lines, int Count)
{
    bool endsInOne = false;       // A: column 2 ended in "1"
    bool thirdColumnSeen = false; // B: a column 3 that is not WebStar's "0" was seen
    for (int i = 0; i < Count; ++i) {
        const QString line = Lines.Strings(i);
        if (!IsUnixEntryLine(line))
            continue;
        const bool folder = line[0] == u'd';
        const bool file = line[0] == u'-';
        TListingColumns columns(line);
        while (columns.Next()) {
            if (columns.Number() == 9)
                return lfStandardUnix;
            for (qsizetype k = columns.Start(); k < columns.End(); ++k) {
                const char16_t c = columns.At(k);
                const char16_t next = columns.At(k + 1);
                if (columns.Number() == 2) {
                    if (folder && c == u'f' && next == u'o')
                        return lfWebStar;
                    endsInOne = c == u'1' && next == u' ';
                } else if (columns.Number() == 3) {
                    if (c == u'0' && next == u' ' && file && !thirdColumnSeen) {
                        if (!endsInOne)
                            return lfWebStar;
                    } else {
                        thirdColumnSeen = true;
                    }
                }
            }
        }
        if (columns.Number() == 8)
            return lfAppleUnix;
    }
    return lfUnknown;
}

bool IsDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A line of a DOS listing: its column 3 or 4, followed by a blank, is "<DIR>" or a size.
bool IsDosLine(const QString& line)
{
    if (line.size() <= 20)
        return false;
    TListingColumns columns(line);
    while (columns.Next() && columns.Number() <= 4) {
        if (columns.Number() < 3 || columns.End() == line.size())
            continue;
        const QString text = Trim(columns.Text().toString());
        if (text.contains(QLatin1String("<DIR>")) || IsDigits(text))
            return true;
    }
    return false;
}

} // namespace

QString ListingFormatName(int Format)
{
    static const char* const Names[] = {"Unknown", "Standard UNIX", "Apple UNIX", "DOS/Windows",
                                        "Apple WebStar"};
    return Format >= 0 && Format <= 4 ? QString::fromLatin1(Names[Format]) : QString();
}

TListingFormat DetectListingFormat(const TStrings& Lines)
{
    const int count = std::min(Lines.Count(), LinesExamined);
    if (const TListingFormat format = UnixColumnTest(Lines, count); format != lfUnknown)
        return format;
    for (int i = 0; i < count; ++i) {
        if (IsDosLine(Lines.Strings(i)))
            return lfDos;
    }
    return lfUnknown;
}
