// The offline search: matching, turning a listing line into a result row, and the search thread
// over cached listings in a temp folder (formats, case, skipped and unreadable files, stopping).
#include "support/temp_tree.h"

#include "platform/rtl/date_time.h"
#include "platform/widgets/list_view.h"
#include "routines/size_texts.h"
#include "session/search_results.h"
#include "session/search_thread.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QByteArray UnixListing = "drwxr-xr-x   2 owner group      512 Jan 15  2003 Index of things\r\n"
                               "-rw-r--r--   1 owner group     2048 Jan 15  2003 index.html\r\n"
                               "lrwxrwxrwx   1 owner group       11 Jan 15  2003 my index -> index.html\r\n"
                               "-rw-r--r--   1 owner group      100 Jan 15  2003 readme.txt\r\n";
const QByteArray DosListing = "01-15-03  10:30AM       <DIR>          docs\r\n"
                              "01-15-03  10:30PM                 1234 index.htm\r\n";
const QByteArray WebStarListing = "drwxrwxr-x               folder        2 May 10  1996 network\r\n"
                                  "-rw-rw-rw-   2    0    512 Jan 15 10:30 index.cgi\r\n";

TEST(SearchLineMatches, QuestionMarkAndCaseRule)
{
    struct Case {
        const char* line;
        const char* mask;
        int caseIndex;
        bool matches;
    } cases[] = {
        {"-rw 1 a b 5 Jan 1 2003 index.html", "?ndex", 0, true},
        {"-rw 1 a b 5 Jan 1 2003 index.html", "x.h?m", 1, true},
        {"-rw 1 a b 5 Jan 1 2003 INDEX.HTML", "index", 0, true},
        {"-rw 1 a b 5 Jan 1 2003 INDEX.HTML", "index", 1, false},
        {"-rw 1 a b 5 Jan 1 2003 index.html", "INDEX", 1, false},
        {"abc", "a?d", 0, false},
        {"abc", "", 0, false},
        {"ab", "ab?", 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchLineMatches(c.line, c.mask, c.caseIndex), c.matches) << c.line << " / " << c.mask;
}

TEST(MakeSearchHit, FilesFoldersLinksAndDates)
{
    const QString date2003 = DateTimeToStr(EncodeDate(2003, 1, 15));
    struct Case {
        TListingFormat format;
        const char* line;
        bool added;
        const char* caption;
        QString size;
        QString date;
    } cases[] = {
        {lfStandardUnix, "-rw-r--r--   1 owner group     2048 Jan 15  2003 index.html", true, "index.html",
         FormatSizeKB(2048), date2003},
        {lfStandardUnix, "drwxr-xr-x   2 owner group      512 Jan 15  2003 Index of things", true,
         "Index of things", "", date2003},
        // A link shows its own name, blanks included, without the target.
        {lfStandardUnix, "lrwxrwxrwx   1 owner group       11 Jan 15  2003 my index -> index.html", true,
         "my index", "", date2003},
        {lfStandardUnix, "-rw-r--r--   1 owner group     many Jan 15  2003 odd", true, "odd", FormatSizeKB(0),
         date2003},
        {lfStandardUnix, "-rw-r--r--   1 owner group     5 Foo 99  xx:yy nodate", true, "nodate", FormatSizeKB(5),
         ""},
        {lfDos, "01-15-03  10:30PM                 1234 index.htm", true, "index.htm", FormatSizeKB(1234),
         DateTimeToStr(EncodeDate(2003, 1, 15) + EncodeTime(22, 30, 0, 0))},
        {lfDos, "01-15-03  10:30AM       <DIR>          docs", true, "docs", "",
         DateTimeToStr(EncodeDate(2003, 1, 15) + EncodeTime(10, 30, 0, 0))},
        {lfStandardUnix, "01-15-03  10:30PM                 1234 index.htm", false, "", "", ""},
        {lfStandardUnix, "total 12", false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TSearchHit hit;
        ASSERT_EQ(MakeSearchHit(c.format, "/www/", c.line, hit), c.added);
        if (!c.added)
            continue;
        EXPECT_EQ(hit.Caption, c.caption);
        EXPECT_EQ(hit.Folder, "/www/");
        EXPECT_EQ(hit.Size, c.size);
        EXPECT_EQ(hit.Date, c.date);
    }
}

class SearchThread : public ::testing::Test {
protected:
    SearchThread() : results(list, [this](const QString& text, int panel) { status.append({text, panel}); })
    {
        results.OnReadError = [this](const QString& message) { errors.append(message); };
    }

    // Records Content as the cached listing of Folder.
    void Cache(const QString& Folder, const QByteArray& Content)
    {
        const QString name = QStringLiteral("cache%1.tmp").arg(cache.size());
        tree.File(name, Content);
        cache[Folder] = tree.Path(name);
    }
    void Run(int CaseIndex, const QString& Mask)
    {
        TSearchThread thread(false, CaseIndex, Mask, cache, results);
        thread.WaitFor();
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < list.Count(); ++i)
            captions.append(list.Item(i)->Caption());
        return captions;
    }
    QStringList Folders() const
    {
        QStringList folders;
        for (int i = 0; i < list.Count(); ++i)
            folders.append(list.Item(i)->SubItems().value(0));
        return folders;
    }
    QString LastStatus() const { return status.isEmpty() ? QString() : status.last().first; }

    TTempTree tree;
    TListView list;
    QList<std::pair<QString, int>> status;
    QStringList errors;
    TSearchResults results;
    std::map<QString, QString> cache;
};

TEST_F(SearchThread, NoMatchLeavesTheCompletionRow)
{
    Cache("/a/", UnixListing);
    Run(0, "nothing-like-this");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0)->Caption(), "Search is complete. There are no results to display.");
    EXPECT_EQ(list.Item(0)->ImageIndex(), -1);
    EXPECT_EQ(status.last(), std::make_pair(QString("Search is complete. There are no results to display."), 2));
}

TEST_F(SearchThread, HitsReplaceThePlaceholderAndAreCounted)
{
    Cache("/a/", UnixListing);
    Cache("/d/", "");
    Run(0, "?ndex");
    EXPECT_EQ(Captions(), QStringList({"Index of things", "index.html", "my index"}));
    EXPECT_EQ(Folders(), QStringList({"/a/", "/a/", "/a/"}));
    EXPECT_EQ(list.Item(1)->SubItems().value(1), FormatSizeKB(2048));
    EXPECT_EQ(LastStatus(), "Search is complete. Found 3 matches.");
    EXPECT_TRUE(status.contains(std::make_pair(QString("Searching /d/..."), 2)));

    Run(0, "x.htm");
    EXPECT_EQ(Captions(), QStringList({"index.html", "my index"}));
    EXPECT_EQ(LastStatus(), "Search is complete. Found 2 matches.");

    // An empty listing judges nothing; the next one is judged on its own lines.
    cache.clear();
    Cache("/", "");
    Cache("/w/", WebStarListing);
    Run(0, "index");
    EXPECT_EQ(Captions(), QStringList({"index.cgi"}));
    EXPECT_EQ(list.Item(0)->SubItems().value(1), FormatSizeKB(512));
}

TEST_F(SearchThread, CaseRule)
{
    Cache("/a/", UnixListing);
    Run(0, "index OF");
    EXPECT_EQ(Captions(), QStringList({"Index of things"}));
    Run(1, "index OF");
    EXPECT_EQ(Captions(), QStringList({"Search is complete. There are no results to display."}));
    Run(1, "Index of");
    EXPECT_EQ(Captions(), QStringList({"Index of things"}));
}

// The format is judged once per search: a DOS listing read after a Unix one is split as Unix
// lines, which takes nothing from it; searched alone it gives its hit.
TEST_F(SearchThread, LaterListingsAreReadInTheFirstFormat)
{
    Cache("/a/", UnixListing);
    Cache("/b/", DosListing);
    Run(0, "index.htm");
    EXPECT_EQ(Folders(), QStringList({"/a/", "/a/"}));

    TSearchThread alone(false, 0, "/b/", "index.htm", cache, results);
    alone.WaitFor();
    EXPECT_EQ(Captions(), QStringList({"index.htm"}));
    EXPECT_EQ(Folders(), QStringList({"/b/"}));
}

// A cache file deleted since the listing is skipped; garbage is searched without harm; a cache
// path that cannot be read is reported and the search goes on.
TEST_F(SearchThread, MissingCorruptAndUnreadableCacheFiles)
{
    Cache("/a/", UnixListing);
    Cache("/gone/", UnixListing);
    QFile::remove(cache["/gone/"]);
    QByteArray garbage("l\0\0index.html\r\r\n-index.html\xff\xfe\x80 -> \n", 35);
    garbage += QByteArray(3000, '\0') + "drwx 1 2 3 4 index.html" + QByteArray(5000, 'x') + "\rl  ->  index.html -> \n";
    Cache("/junk/", garbage);
    tree.Folder("folder.tmp");
    cache["/odd/"] = tree.Path("folder.tmp");

    Run(0, "index.html");
    const QStringList folders = Folders();
    EXPECT_EQ(folders.mid(0, 2), QStringList({"/a/", "/a/"}));
    EXPECT_EQ(folders.count("/junk/"), folders.size() - 2);
    EXPECT_EQ(LastStatus(), QString("Search is complete. Found %1 matches.").arg(folders.size()));
    EXPECT_FALSE(status.contains(std::make_pair(QString("Searching /gone/..."), 2)));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("The cached listing of /odd/ could not be read: ")) << errors[0].toStdString();

    // Garbage alone is judged by its own lines, whatever they make of it.
    cache.erase("/a/");
    Run(0, "index");
    EXPECT_TRUE(LastStatus().startsWith("Search is complete.")) << LastStatus().toStdString();
}

// Stopped while it reads, the search ends with what it found; a search still running when its
// owner goes away is stopped and joined.
TEST_F(SearchThread, StoppingARunningSearch)
{
    Cache("/a/", UnixListing);
    Cache("/b/", UnixListing);
    std::unique_ptr<TSearchThread> thread;
    TSearchResults stopping(list, [&](const QString& text, int) {
        status.append({text, 2});
        if (text == "Searching /a/...")
            thread->Terminate();
    });
    thread = std::make_unique<TSearchThread>(true, 0, "index", cache, stopping);
    EXPECT_EQ(thread->Priority(), tpLower);
    thread->Start();
    thread->WaitFor();
    EXPECT_EQ(Captions(), QStringList({"Search is complete. There are no results to display."}));
    EXPECT_FALSE(status.contains(std::make_pair(QString("Searching /b/..."), 2)));

    QByteArray big;
    for (int i = 0; i < 20000; ++i)
        big += "-rw-r--r--   1 owner group     2048 Jan 15  2003 index" + QByteArray::number(i) + "\n";
    Cache("/big/", big);
    thread = std::make_unique<TSearchThread>(false, 0, "index", cache, results);
    thread.reset();
    ASSERT_GT(list.Count(), 0);
    EXPECT_NE(list.Item(0)->ImageIndex(), SearchPlaceholderImage);
}

} // namespace
