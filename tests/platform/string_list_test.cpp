// TStringList: sorted lists and duplicates, name-value lines, text, files, and change events.
#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"
#include "support/qt_printers.h"
#include "support/test_env.h"
#include "support/texts.h"

#include <gtest/gtest.h>

namespace {

// Records OnChanging as "<" and OnChange as ">".
struct EventLog {
    explicit EventLog(TStringList& list)
    {
        list.OnChanging = [this](TObject*) { text += u'<'; };
        list.OnChange = [this](TObject*) { text += u'>'; };
    }
    QString text;
};

} // namespace

TEST(StringList, SortedListsPlaceLinesAndApplyTheDuplicatesRule)
{
    struct Case {
        TDuplicates duplicates;
        bool caseSensitive;
        QStringList added;
        QStringList expected;
        bool raises;
    };
    const Case cases[] = {
        {dupIgnore, false, {".txt", ".htm", ".TXT", ".css"}, {".css", ".htm", ".txt"}, false},
        {dupIgnore, true, {".txt", ".htm", ".TXT"}, {".TXT", ".htm", ".txt"}, false},
        {dupAccept, false, {"b", "a", "B", "b"}, {"a", "b", "B", "b"}, false},
        {dupError, false, {"b", "a"}, {"a", "b"}, false},
        {dupError, false, {"b", "a", "A"}, {"a", "b"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added.join(u',').toStdString());
        TStringList list;
        list.SetSorted(true);
        list.SetCaseSensitive(c.caseSensitive);
        list.Duplicates = c.duplicates;
        bool raised = false;
        try {
            for (const QString& s : c.added)
                list.Add(s);
        } catch (const EStringListError& e) {
            raised = true;
            EXPECT_EQ(e.Message, "String list does not allow duplicates");
        }
        EXPECT_EQ(raised, c.raises);
        EXPECT_EQ(Lines(list), c.expected);
        for (const QString& s : c.expected)
            EXPECT_EQ(list.Strings(list.IndexOf(s))
                          .compare(s, c.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive),
                      0);
    }
}

TEST(StringList, AddingADuplicateToAnIgnoringListReturnsTheExistingIndexAndKeepsItsObject)
{
    TStringList list;
    TObject first, second;
    list.SetSorted(true);
    list.AddObject("b", &first);
    list.Add("a");
    EXPECT_EQ(list.AddObject("B", &second), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Objects(1), &first);
}

TEST(StringList, FindReportsThePlaceOfAMissingLine)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"delta", "alpha", "charlie"})
        list.Add(s);
    int index = -1;
    EXPECT_TRUE(list.Find("CHARLIE", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("bravo", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("echo", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf("bravo"), -1);
}

TEST(StringList, SortingOnSetAndRefusedEditsOfASortedList)
{
    TStringList list;
    for (const char* s : {"pear", "Apple", "fig"})
        list.Add(s);
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (QStringList{"Apple", "fig", "pear"}));
    list.SetCaseSensitive(true);
    EXPECT_EQ(Lines(list), (QStringList{"Apple", "fig", "pear"}));
    EXPECT_THROW(list.Insert(0, "kiwi"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "zebra"), EStringListError);
    list.SetStrings(1, "grape"); // still in order
    EXPECT_EQ(Lines(list), (QStringList{"Apple", "grape", "pear"}));
}

TEST(StringList, IndexesOutOfRangeRaise)
{
    TStringList list;
    list.Add("only");
    EXPECT_THROW(list.Strings(1), EStringListError);
    EXPECT_THROW(list.Objects(-1), EStringListError);
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Insert(3, "x"), EStringListError);
    try {
        list.Strings(5);
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (5)");
    }
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    list.SetText("HTML=*.htm;*.html[.htm]\nplain\n/pub/=/tmp/HFT1.TMP\nempty=\n");
    EXPECT_EQ(list.Names(0), "HTML");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("html"), "*.htm;*.html[.htm]");
    EXPECT_EQ(list.Values("/pub/"), "/tmp/HFT1.TMP");
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.IndexOfName("empty"), 3);
    EXPECT_EQ(list.IndexOfName("missing"), -1);

    list.SetValues("/pub/", "/tmp/HFT2.TMP");
    EXPECT_EQ(list.Strings(2), "/pub/=/tmp/HFT2.TMP");
    list.SetValues("/new/", "x=y");
    EXPECT_EQ(list.Strings(4), "/new/=x=y");
    EXPECT_EQ(list.Values("/new/"), "x=y");
    list.SetValues("HTML", "");
    EXPECT_EQ(list.IndexOfName("HTML"), -1);
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, ValuesOfASortedListKeepItSorted)
{
    TStringList cache;
    cache.SetSorted(true);
    cache.SetValues("/pub/", "/tmp/HFT2.TMP");
    cache.SetValues("/a/", "/tmp/HFT1.TMP");
    cache.SetValues("/pub/", "/tmp/HFT9.TMP");
    cache.SetValues("/a b/", "/tmp/HFT3.TMP");
    EXPECT_EQ(Lines(cache), (QStringList{"/a b/=/tmp/HFT3.TMP", "/a/=/tmp/HFT1.TMP", "/pub/=/tmp/HFT9.TMP"}));
}

TEST(StringList, TextSplitsAtEveryKindOfLineEndAndJoinsWithNewlines)
{
    struct Case {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\n", {"one"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\r b", {"a", "", " b"}},
        {"\n\n", {"", ""}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text.toStdString();
    }
    TStringList list;
    list.SetText("x\r\ny");
    EXPECT_EQ(list.Text(), "x\ny\n");
}

TEST(StringList, FilesKeepEveryByteOfTheirLines)
{
    const QString file = testRunFolder() + "/lines.txt";
    const QByteArray bytes = "caf\xE9\ncaf\xC3\xA9\n\xFF\xFE"
                             "end\n";
    {
        TFileStream stream(file, fmCreate);
        stream.WriteBuffer(bytes.constData(), bytes.size());
    }
    TStringList list;
    list.LoadFromFile(file);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), QString::fromUtf8("caf\xC3\xA9"));
    list.SaveToFile(file);
    TMemoryStream copy;
    copy.LoadFromFile(file);
    EXPECT_EQ(QByteArray(copy.Memory(), copy.Size()), bytes);
    EXPECT_THROW(list.LoadFromFile(testRunFolder() + "/missing/lines.txt"), EFOpenError);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, LoadFromStreamReadsFromThePosition)
{
    TMemoryStream stream;
    stream.WriteBuffer("skip\nkeep\n", 10);
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), QStringList{"keep"});
}

TEST(StringList, ChangeEventsSurroundEachChangeAndOnlyTheOutermostUpdate)
{
    TStringList list;
    EventLog log(list);
    list.Add("a");
    list.Delete(0);
    list.Clear(); // nothing to clear, no change
    EXPECT_EQ(log.text, "<><>");

    log.text.clear();
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.SetText("c\nd");
    list.EndUpdate();
    EXPECT_EQ(log.text, "<");
    EXPECT_EQ(list.UpdateCount(), 1);
    list.EndUpdate();
    EXPECT_EQ(log.text, "<>");
    list.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(list.UpdateCount(), 0);

    log.text.clear();
    TStringList other;
    other.SetText("x\ny\nz");
    list.Assign(other);
    EXPECT_EQ(log.text, "<>");
    EXPECT_EQ(Lines(list), (QStringList{"x", "y", "z"}));
}

TEST(StringList, AHandlerMayFreeTheListItObserves)
{
    auto* list = new TStringList;
    list->OnChange = [list](TObject* sender) {
        EXPECT_EQ(sender, list);
        delete list;
    };
    list->Add("last");
}

TEST(StringList, AssignAndAddStringsCopyObjectsAndFollowTheTargetsOrder)
{
    TObject a, b;
    TStringList source;
    source.AddObject("zulu", &a);
    source.AddObject("alpha", &b);
    TStringList target;
    target.SetSorted(true);
    target.Add("old");
    target.Assign(source);
    EXPECT_EQ(Lines(target), (QStringList{"alpha", "zulu"}));
    EXPECT_EQ(target.Objects(0), &b);
    EXPECT_EQ(target.IndexOfObject(&a), 1);
    source.AddStrings(source);
    EXPECT_EQ(Lines(source), (QStringList{"zulu", "alpha", "zulu", "alpha"}));
}
