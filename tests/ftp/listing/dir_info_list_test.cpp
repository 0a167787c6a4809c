// The parsers of the four listing formats, and the directory entry kept per listed item.
#include "ftp/listing/dir_info.h"
#include "ftp/listing/dir_info_list.h"

#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

enum Parser { StandardUnix, AppleUnix, WebStar, Dos };

QStringList Parse(Parser parser, const QString& line)
{
    TFtpDirInfoList fields;
    fields.Add("left over from the line before");
    switch (parser) {
    case StandardUnix: fields.ParseStandardUnix(line); break;
    case AppleUnix: fields.ParseAppleUnix(line); break;
    case WebStar: fields.ParseWebStar(line); break;
    case Dos: fields.ParseDos(line); break;
    }
    QStringList result;
    for (int i = 0; i < fields.Count(); ++i)
        result << fields.Strings(i);
    return result;
}

struct Case {
    Parser parser;
    QString line;
    QStringList fields;
};

} // namespace

TEST(ListingParser, UnixLines)
{
    const Case cases[] = {
        {StandardUnix,
         "-rw-r--r-- 1 owner group 1234 Jan 15 10:30 my file.txt",
         {"-rw-r--r--", "1234", "Jan 15 10:30", "my file.txt"}},
        {StandardUnix,
         "drwxr-xr-x   2 owner  group   4096 Jan  5  2003   two  blanks  ",
         {"drwxr-xr-x", "4096", "Jan 5 2003", "  two  blanks  "}},
        {StandardUnix,
         "lrwxrwxrwx 1 o g 7 Jan 15 10:30 my link -> my target",
         {"lrwxrwxrwx", "7", "Jan 15 10:30", "my link -> my target"}},
        {StandardUnix,
         "-rw-r--r-- 1 o g 5000000000 Jan 15 10:30 big.iso",
         {"-rw-r--r--", "5000000000", "Jan 15 10:30", "big.iso"}},
        {StandardUnix,
         "-rw-r--r-- 1 o g 5 Jan 15 10:30 tab\there",
         {"-rw-r--r--", "5", "Jan 15 10:30", "tab\there"}},
        {StandardUnix,
         "-rw-r--r-- 1 o g 5 Jan 15 10:30 \t",
         {"-rw-r--r--", "5", "Jan 15 10:30", "\t"}},
        {StandardUnix, "-rw-r--r-- 1 owner group 1234 Jan 15 10:30", {"-rw-r--r--", "1234", "Jan 15 10:30"}},
        {StandardUnix, "-rw-r--r-- 1 owner group 1234 Jan", {"-rw-r--r--", "1234"}},
        {StandardUnix, "-", {"-"}},
        {StandardUnix, "total 12", {}},
        {StandardUnix, " -rw-r--r-- 1 o g 5 Jan 15 10:30 x", {}},
        {StandardUnix, "", {}},
        {AppleUnix,
         "-rw-r--r--  1 owner  1234 Jan 15 10:30 my file.txt",
         {"-rw-r--r--", "1234", "Jan 15 10:30", "my file.txt"}},
        {AppleUnix,
         "drwxr-xr-x  3 owner  102 Jan 15  2003 Folder",
         {"drwxr-xr-x", "102", "Jan 15 2003", "Folder"}},
        {AppleUnix, "total 3", {}},
        {WebStar,
         "-------r--         326  1391972  1392298 Nov 22  1995 MegaPhone.sit",
         {"-------r--", "1392298", "Nov 22 1995", "MegaPhone.sit"}},
        {WebStar,
         "drwxrwxr-x               folder        2 May 10  1996 network folder",
         {"drwxrwxr-x", "0", "May 10 1996", "network folder"}},
        {WebStar, "lrwxrwxrwx 0 1 2 Jan 15 10:30 a -> b", {"lrwxrwxrwx", "2", "Jan 15 10:30", "a -> b"}},
        {WebStar, "drwxrwxr-x folder 2 May 10 1996", {"drwxrwxr-x", "0", "May 10 1996"}},
        {WebStar, "Folder", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.parser, c.line), c.fields) << c.line.toStdString();
}

TEST(ListingParser, DosLines)
{
    const Case cases[] = {
        {Dos, "01-15-03  10:30AM       <DIR>          web site", {"d", "0", "01-15-03 10:30AM", "web site"}},
        {Dos,
         "01-15-03  10:30PM                 1234 file name.txt",
         {"-", "1234", "01-15-03 10:30PM", "file name.txt"}},
        {Dos,
         "01-15-2003  14:30           5000000000 big.iso",
         {"-", "5000000000", "01-15-2003 14:30", "big.iso"}},
        {Dos,
         "01-15-03  10:30AM                    0 empty.txt",
         {"-", "0", "01-15-03 10:30AM", "empty.txt"}},
        {Dos, "01-15-03  10:30AM       <dir>          lower", {"d", "0", "01-15-03 10:30AM", "lower"}},
        {Dos, "01-15-03 10:30AM 12 a", {"-", "12", "01-15-03 10:30AM", "a"}}, // 21 characters
        {Dos, "01-15-03 10:30AM 1 a", {}},                                    // 20 characters
        {Dos, "01-15-03             10:30AM", {"", "0", "01-15-03 10:30AM", ""}},
        {Dos, "01-15-03  10:30AM        <DIR>", {"d", "0", "01-15-03 10:30AM", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.parser, c.line), c.fields) << c.line.toStdString();
}

// A name is everything after the one blank that follows the date, so names that begin or end with
// blanks come out as the server holds them; DOS names keep their trailing blanks.
TEST(ListingParser, NamesKeepBlanksAtTheirEnds)
{
    const Case cases[] = {
        {StandardUnix, "-rw-r--r-- 1 o g 5 Jan 15 10:30  a.txt ", {"-rw-r--r--", "5", "Jan 15 10:30", " a.txt "}},
        {StandardUnix, "-rw-r--r-- 1 o g 5 Jan 15  2003   ", {"-rw-r--r--", "5", "Jan 15 2003", "  "}},
        {StandardUnix, "-rw-r--r-- 1 o g 5 Jan 15 10:30 ", {"-rw-r--r--", "5", "Jan 15 10:30"}},
        {StandardUnix, "lrwxrwxrwx 1 o g 5 Jan 15 10:30  l  ->  t ", {"lrwxrwxrwx", "5", "Jan 15 10:30", " l  ->  t "}},
        {AppleUnix, "-rw-r--r--  1 owner  5 Jan 15 10:30  b ", {"-rw-r--r--", "5", "Jan 15 10:30", " b "}},
        {WebStar, "-------r--  326  1391972  9 Nov 22  1995  c ", {"-------r--", "9", "Nov 22 1995", " c "}},
        {WebStar, "drwxrwxr-x  folder  2 May 10  1996  d ", {"drwxrwxr-x", "0", "May 10 1996", " d "}},
        {Dos, "01-15-03  10:30PM                 1234  e.txt  ", {"-", "1234", "01-15-03 10:30PM", "e.txt  "}},
        {Dos, "01-15-03  10:30AM       <DIR>          f ", {"d", "0", "01-15-03 10:30AM", "f "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.parser, c.line), c.fields) << c.line.toStdString();

    TFtpDirInfoList fields;
    fields.ParseStandardUnix("lrwxrwxrwx 1 o g 5 Jan 15 10:30  l  ->  t ");
    EXPECT_EQ(fields.GetEntryName(), " l ");
}

TEST(ListingParser, AccessorsAndLinkNames)
{
    TFtpDirInfoList fields;
    fields.ParseStandardUnix("lrwxrwxrwx 1 o g 7 Jan 15 10:30 my link -> my -> target");
    EXPECT_EQ(fields.GetAttributes(), "lrwxrwxrwx");
    EXPECT_EQ(fields.GetSize(), "7");
    EXPECT_EQ(fields.GetDate(), "Jan 15 10:30");
    EXPECT_EQ(fields.GetFileName(), "my link -> my -> target");
    EXPECT_EQ(fields.GetEntryName(), "my link");

    // Only links carry a target.
    fields.ParseStandardUnix("-rw-r--r-- 1 o g 7 Jan 15 10:30 a -> b");
    EXPECT_EQ(fields.GetEntryName(), "a -> b");

    // Missing fields read as empty.
    fields.ParseStandardUnix("-rw-r--r-- 1 o g 7");
    EXPECT_EQ(fields.GetDate(), "");
    EXPECT_EQ(fields.GetFileName(), "");
    EXPECT_EQ(fields.GetEntryName(), "");
    fields.ParseDos("short");
    EXPECT_EQ(fields.GetAttributes(), "");
}

TEST(ListingParser, NamesKeepEveryByte)
{
    const QByteArray name = "caf\xe9 \xff\xfe menu\x7f.txt";
    const QString line = DecodeName("-rw-r--r-- 1 o g 5 Jan 15 10:30 " + name);
    TFtpDirInfoList fields;
    fields.ParseStandardUnix(line);
    EXPECT_EQ(EncodeName(fields.GetFileName()), name);
    fields.ParseDos(DecodeName("01-15-03  10:30AM   5 " + name));
    EXPECT_EQ(EncodeName(fields.GetFileName()), name);
}

TEST(DirInfo, SizeAndFolders)
{
    TFtpDirInfo info;
    EXPECT_EQ(info.GetSize(), "0");
    info.SizeText = "  1234 ";
    EXPECT_EQ(info.GetSize(), "1234");
    EXPECT_EQ(info.SizeText, "1234");
    info.SizeText = "  ";
    EXPECT_EQ(info.GetSize(), "0");
    EXPECT_EQ(info.SizeText, "");

    for (auto [attributes, folder] : {std::pair{"drwxr-xr-x", true},
                                      {"lrwxrwxrwx", true},
                                      {"-rw-r--r--", false},
                                      {"", false},
                                      {"D", false}}) {
        info.Attributes = attributes;
        EXPECT_EQ(info.IsDirectory(), folder) << attributes;
    }
}
