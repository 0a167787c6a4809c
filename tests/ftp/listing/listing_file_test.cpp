// Listing files read into entries as bytes: the same entries as the lines read as text and parsed
// one by one, with every kind of line end, long lines and names that are no UTF-8.
#include "ftp/listing/dir_info_list.h"
#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_file.h"

#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstdio>

namespace {

const TDateTime Noon = EncodeDate(2024, 6, 15) + 0.5;

QString WriteListing(const QString& name, const QByteArray& bytes)
{
    const QString file = testRunFolder() + "/listing-" + name;
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return file;
}

// An entry as "attributes|size|name|date".
QString Described(const TFtpDirInfo& entry)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(entry.Attributes, entry.SizeText, entry.Name)
        .arg(entry.DateTime, 0, 'f', 6);
}

QStringList ReadAsBytes(const QString& file, TListingFormat* format = nullptr)
{
    TListingFile listing;
    listing.LoadFromFile(file, Noon);
    if (format)
        *format = listing.Format();
    QStringList entries;
    for (const auto& entry : listing.Entries())
        entries << Described(*entry);
    return entries;
}

// The entries made the plain way: the file read as text lines, each parsed on its own.
QStringList ReadAsText(const QString& file)
{
    TStringList lines;
    lines.LoadFromFile(file);
    const TListingFormat format = DetectListingFormat(lines);
    QStringList entries;
    TFtpDirInfoList fields;
    for (int i = 0; i < lines.Count() && format != lfUnknown; ++i) {
        switch (format) {
        case lfStandardUnix: fields.ParseStandardUnix(lines.Strings(i)); break;
        case lfAppleUnix: fields.ParseAppleUnix(lines.Strings(i)); break;
        case lfDos: fields.ParseDos(lines.Strings(i)); break;
        case lfWebStar: fields.ParseWebStar(lines.Strings(i)); break;
        case lfUnknown: break;
        }
        if (fields.Count() == 0)
            continue;
        TFtpDirInfo entry;
        entry.Attributes = fields.GetAttributes();
        entry.SizeText = fields.GetSize();
        entry.Name = fields.GetEntryName();
        entry.DateTime = ParseListingDate(fields.GetDate(), Noon);
        entries << Described(entry);
    }
    return entries;
}

} // namespace

TEST(ListingFile, ReadsEntriesWithEveryLineEnd)
{
    const QByteArray listing = "total 12\r\n"
                               "drwxr-xr-x   2 owner    group        4096 Jan 15 10:30 docs\n"
                               "prw-r--r--   1 owner    group           0 Jan 15 10:30 fifo\r"
                               "-rw-r--r--   1 owner    group        1234 Jan 15  2003  my file.txt \r\n"
                               "lrwxrwxrwx   1 owner    group           7 Jul  4 09:00 a -> b\r\n"
                               "\r\n"
                               "-rw-r--r--   1 owner    group  5000000000 Dec 31 23:59 caf\xe9.iso\r\n"
                               "-rw-r--r--   1 owner    group          12 Feb";
    TListingFormat format = lfUnknown;
    const QStringList entries = ReadAsBytes(WriteListing("ends.txt", listing), &format);
    EXPECT_EQ(format, lfStandardUnix);
    const auto date = [](TDateTime value) { return QString::number(value, 'f', 6); };
    const QStringList expected = {
        "drwxr-xr-x|4096|docs|" + date(ParseListingDate(u"Jan 15 10:30", Noon)),
        "-rw-r--r--|1234| my file.txt |" + date(EncodeDate(2003, 1, 15)),
        "lrwxrwxrwx|7|a|" + date(ParseListingDate(u"Jul 4 09:00", Noon)),
        "-rw-r--r--|5000000000|" + DecodeName("caf\xe9.iso") + "|" + date(ParseListingDate(u"Dec 31 23:59", Noon)),
        "-rw-r--r--|12||" + date(0),
    };
    EXPECT_EQ(entries, expected);
}

// Many lines with thousands of different dates, each repeated now and then.
QByteArray ManyDates(bool dos)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QByteArray listing;
    for (int i = 0; i < 20000; ++i) {
        char line[120];
        if (dos)
            std::snprintf(line, sizeof line, "%02d-%02d-%02d  %02d:%02d%s %12d file%d\r\n", 1 + i % 12,
                          1 + i % 28, i % 100, 1 + i % 12, i % 60, i % 2 ? "PM" : "AM", i, i);
        else
            std::snprintf(line, sizeof line, "-rw-r--r-- 1 o g %d %s %2d %02d:%02d file%d\n", i,
                          months[i % 12], 1 + i % 28, i % 24, i % 59, i);
        listing += line;
    }
    return listing;
}

TEST(ListingFile, GivesTheEntriesOfTheLinesReadAsText)
{
    QByteArray longName(300 * 1024, 'n'); // longer than a block of the reader
    struct Case {
        const char* what;
        QByteArray listing;
    } cases[] = {
        {"standard unix",
         "-rw-r--r-- 1 o g 5 Jan 15 10:30  blank edged  \r\n"
         "drwxr-xr-x 1 o g 4096 Mar  1  1999 folder\r\n"
         "lrwxrwxrwx 1 o g 7 Jan 15 10:30 link -> target -> more\r\n"
         "-rw-r--r-- 1 o g 7 Jan 15 10:30 " + longName + "\r\n"
         "-rw-r--r-- 1 o g 7 Jan 15 10:30 \xff\xfe bytes\r\n"
         "-rw-r--r-- 1 o g 7 January-the-fifteenth-of-this-year 15 10:30 long date\r\n"
         "srwxr-xr-x 1 o g 0 Jan 15 10:30 socket\r\n"},
        {"apple unix",
         "-rw-r--r--  1 owner  1234 Jan 15 10:30 file.txt\n"
         "drwxr-xr-x  3 owner  102 Jan 15  2003 Folder\n"},
        {"webstar",
         "-------r--         326  1391972  1392298 Nov 22  1995 MegaPhone.sit\r\n"
         "drwxrwxr-x               folder        2 May 10  1996 network folder\r\n"},
        {"dos",
         "01-15-03  10:30AM       <DIR>          web site\r\n"
         "01-15-03  10:30PM                 1234 file name.txt  \r\n"
         "01-15-2003  14:30           5000000000 big.iso\r\n"
         "01-15-03             10:30AM\r\n"
         "short\r\n"},
        {"many unix dates", ManyDates(false)},
        {"many dos dates", ManyDates(true)},
        {"unknown", "Hello\r\nthis is no listing at all\r\n"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = WriteListing("same.txt", c.listing);
        EXPECT_EQ(ReadAsBytes(file), ReadAsText(file));
    }
    EXPECT_EQ(ReadAsBytes(WriteListing("same.txt", cases[0].listing)).size(), 6);
}

TEST(ListingFile, AMissingFileCannotBeOpened)
{
    TListingFile listing;
    EXPECT_THROW(listing.LoadFromFile(testRunFolder() + "/listing-none.txt"), EFOpenError);
    EXPECT_TRUE(listing.Entries().empty());
}
