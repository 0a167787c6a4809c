// Detection of the listing format from the first lines, on small listings and on a real one.
#include "ftp/listing/listing_format.h"
#include "ftp/listing/dir_info_list.h"

#include "platform/rtl/string_list.h"
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <fcntl.h>
#include <unistd.h>

namespace {

TListingFormat Detect(const QStringList& lines)
{
    TStringList list;
    for (const QString& line : lines)
        list.Add(line);
    return DetectListingFormat(list);
}

} // namespace

TEST(ListingFormat, Names)
{
    EXPECT_EQ(ListingFormatName(lfUnknown), "Unknown");
    EXPECT_EQ(ListingFormatName(lfStandardUnix), "Standard UNIX");
    EXPECT_EQ(ListingFormatName(lfAppleUnix), "Apple UNIX");
    EXPECT_EQ(ListingFormatName(lfDos), "DOS/Windows");
    EXPECT_EQ(ListingFormatName(lfWebStar), "Apple WebStar");
    EXPECT_EQ(ListingFormatName(5), "");
    EXPECT_EQ(ListingFormatName(-1), "");
}

TEST(ListingFormat, DetectsEachLayout)
{
    struct Case {
        const char* what;
        QStringList lines;
        TListingFormat expected;
    };
    const Case cases[] = {
        {"standard unix after a total line",
         {"total 12", "drwxr-xr-x   2 owner    group        4096 Jan 15 10:30 docs",
          "-rw-r--r--   1 owner    group        1234 Jan 15  2003 my file.txt"},
         lfStandardUnix},
        {"standard unix, a link first", {"lrwxrwxrwx 1 owner group 7 Jan 15 10:30 a -> b"}, lfStandardUnix},
        {"apple unix: eight columns", {"-rw-r--r--  1 owner  1234 Jan 15 10:30 file.txt"}, lfAppleUnix},
        {"apple unix after a folder line",
         {"drwxr-xr-x  3 owner  102 Jan 15 10:30 Folder", "-rw-r--r--  1 owner  5 Jan 15 10:30 a"},
         lfAppleUnix},
        {"webstar folder", {"drwxrwxr-x               folder        2 May 10  1996 network"}, lfWebStar},
        {"webstar file with a third column 0", {"-rw-rw-rw-   2    0    512 Jan 15 10:30 file"}, lfWebStar},
        {"dos folder",
         {"01-15-03  10:30AM       <DIR>          web site",
          "01-15-03  10:30PM                 1234 file.txt"},
         lfDos},
        {"dos sizes only", {"01-15-2003  10:30                 1234 file.txt"}, lfDos},
        {"dos line of 21 characters", {"01-15-03 10:30AM 12 a"}, lfDos},
        {"dos line of 20 characters", {"01-15-03 10:30AM 1 a"}, lfUnknown},
        {"dos size ending the line", {"01-15-03  10:30AM              1234"}, lfUnknown},
        {"unknown text", {"Hello", "", "this is no listing at all, really"}, lfUnknown},
        {"nothing", {}, lfUnknown},
        {"tabs do not separate columns",
         {"-rw-r--r--\t1\towner\tgroup\t1234\tJan\t15\t10:30\tfile"},
         lfUnknown},
        {"only the first five lines count",
         {"a", "b", "c", "d", "e", "-rw-r--r-- 1 owner group 1234 Jan 15 10:30 file"},
         lfUnknown},
        {"the fifth line still counts",
         {"a", "b", "c", "d", "-rw-r--r-- 1 owner group 1234 Jan 15 10:30 file"},
         lfStandardUnix},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Detect(c.lines), c.expected) << c.what;
}

TEST(ListingFormat, ColumnFlagsCarryFromLineToLine)
{
    // A file line whose column 2 ends in "1" does not decide on its "0"; the next line does.
    EXPECT_EQ(Detect({"-rw-r--r-- 1 0 5 Jan 15 10:30", "-rw-r--r-- 2 0 5 Jan 15 10:30"}), lfWebStar);
    // A third column that is not "0" on an earlier line rules WebStar out for the later ones.
    EXPECT_EQ(Detect({"-rw-r--r-- 2 owner 5 Jan 15 10:30", "-rw-r--r-- 2 0 5 Jan 15 10:30 x"}), lfAppleUnix);
    EXPECT_EQ(Detect({"-rw-r--r-- 2 0 5 Jan 15 10:30 x"}), lfWebStar);
    // "0" counts only on file lines.
    EXPECT_EQ(Detect({"drw-r--r-- 2 0 5 Jan 15 10:30 x"}), lfAppleUnix);
}

// Pipes, sockets and devices are Unix lines too: a folder that begins with them is still read in
// its own layout, neither as an unknown listing nor as a DOS one.
TEST(ListingFormat, SpecialFilesCountAsUnixLines)
{
    const QStringList standard = {"prw-r--r--   1 owner    group           0 Jan 15 10:30 fifo",
                                  "srwxr-xr-x   1 owner    group           0 Jan 15 10:30 socket",
                                  "crw-rw-rw-   1 root     root       1,   3 Jan 15 10:30 null",
                                  "brw-rw----   1 root     disk       8,   0 Jan 15 10:30 sda",
                                  "prw-r--r--   1 owner    group           0 Jan 15 10:30 fifo2",
                                  "-rw-r--r--   1 owner    group        1234 Jan 15 10:30 file"};
    EXPECT_EQ(Detect(standard), lfStandardUnix);
    const QStringList apple = {"prw-r--r--  1 owner  0 Jan 15 10:30 fifo", "srwxr-xr-x  1 owner  0 Jan 15 10:30 sock"};
    EXPECT_EQ(Detect(apple), lfAppleUnix);

    // The parsers still leave them out.
    TFtpDirInfoList fields;
    for (const QString& line : standard.first(5)) {
        fields.ParseStandardUnix(line);
        EXPECT_EQ(fields.Count(), 0) << line.toStdString();
    }
}

// The listing a real server (pyftpdlib) sends for a folder with awkward names.
TEST(ListingFormat, RealServerListingReadsAsStandardUnix)
{
    const QString folder = testRunFolder() + "/real-listing/";
    ASSERT_TRUE(QDir().mkpath(folder + "a folder"));
    QFile(folder + "my file.txt").open(QIODevice::WriteOnly);
    const QByteArray latin1Name = "caf\xe9 menu.txt"; // not UTF-8
    ::close(::open((EncodeName(folder) + latin1Name).constData(), O_CREAT | O_WRONLY, 0644));
    const QByteArray big = EncodeName(folder + "big.iso");
    ::close(::open(big.constData(), O_CREAT | O_WRONLY, 0644));
    ASSERT_EQ(::truncate(big.constData(), 5000000000LL), 0);
    ::unlink(EncodeName(folder + "my link").constData()); // left by an earlier repeat of this test
    ASSERT_EQ(::symlink("my file.txt", EncodeName(folder + "my link").constData()), 0);

    QProcess python;
    python.start(
        "/usr/bin/python3",
        {"-c",
         "import os, sys\n"
         "from pyftpdlib.filesystems import AbstractedFS\n"
         "class Channel: use_gmt_times = True; unicode_errors = 'surrogateescape'; encoding = 'utf8'\n"
         "root = sys.argv[1]\n"
         "fs = AbstractedFS(root, Channel())\n"
         "for line in fs.format_list(root, sorted(os.listdir(root))):\n"
         "    sys.stdout.buffer.write(line)\n",
         folder});
    ASSERT_TRUE(python.waitForFinished(30000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QString listingFile = testRunFolder() + "/real-listing.txt";
    {
        QFile out(listingFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(python.readAllStandardOutput());
    }

    TStringList lines;
    lines.LoadFromFile(listingFile);
    ASSERT_EQ(lines.Count(), 5);
    EXPECT_EQ(DetectListingFormat(lines), lfStandardUnix);
    QMap<QByteArray, QStringList> entries; // name bytes -> attributes type, size
    TFtpDirInfoList fields;
    for (int i = 0; i < lines.Count(); ++i) {
        fields.ParseStandardUnix(lines.Strings(i));
        ASSERT_EQ(fields.Count(), 4) << lines.Strings(i).toStdString();
        entries[EncodeName(fields.GetEntryName())] = {fields.GetAttributes().left(1), fields.GetSize()};
    }
    EXPECT_EQ(entries["a folder"].value(0), "d");
    EXPECT_EQ(entries["my file.txt"], (QStringList{"-", "0"}));
    EXPECT_EQ(entries[latin1Name], (QStringList{"-", "0"}));
    EXPECT_EQ(entries["big.iso"], (QStringList{"-", "5000000000"}));
    EXPECT_EQ(entries["my link"].value(0), "l");
}
