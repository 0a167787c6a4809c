// Name checks, small conversions, file-dialog filters and the letter case of HTML tags.
#include "routines/free_and_nil.h"
#include "routines/name_checks.h"

#include "platform/rtl/string_list.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(NameChecks, ValidFileNames)
{
    EXPECT_TRUE(IsValidFileName("my file-1.txt"));
    EXPECT_TRUE(IsValidFileName(""));
    for (const char* bad : {"a\"b", "a*b", "a/b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b"})
        EXPECT_FALSE(IsValidFileName(bad)) << bad;
}

TEST(NameChecks, RemoteNamesGetUnderscoresForBlanks)
{
    struct Case {
        const char* name;
        bool keepBlanks;
        bool valid;
        const char* after;
    };
    const Case cases[] = {
        {"my file", false, true, "my_file"},
        {"my file", true, true, "my file"},
        {"a|b c", false, true, "a|b_c"},      // "|" is allowed in remote names
        {"a b:c d", false, false, "a_b:c d"}, // blanks after the bad character stay
        {"", false, false, ""},
        {"x/y", false, false, "x/y"},
        {"x\\y", true, false, "x\\y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString name = c.name;
        EXPECT_EQ(CheckRemoteName(name, c.keepBlanks), c.valid);
        EXPECT_EQ(name, c.after);
    }
}

TEST(NameChecks, NumbersAndYesNoTexts)
{
    EXPECT_TRUE(IsDigitsOnly("0123"));
    EXPECT_FALSE(IsDigitsOnly(""));
    EXPECT_FALSE(IsDigitsOnly("12 3"));
    EXPECT_FALSE(IsDigitsOnly("-1"));

    EXPECT_EQ(StrToIntOrZero("42"), 42);
    EXPECT_EQ(StrToIntOrZero("-7"), -7);
    EXPECT_EQ(StrToIntOrZero("4x"), 0);
    EXPECT_EQ(StrToIntOrZero(""), 0);
    EXPECT_EQ(StrToIntOrZero("99999999999"), 0);

    for (const char* yes : {"1", "yes", "YES", "True", "true"})
        EXPECT_TRUE(StrToBoolText(yes)) << yes;
    for (const char* no : {"0", "", "no", "false", "y", "11"})
        EXPECT_FALSE(StrToBoolText(no)) << no;
}

TEST(NameChecks, ExactIndexComparesCase)
{
    TStringList list;
    list.Add("Alpha");
    list.Add("alpha");
    EXPECT_EQ(list.IndexOf("alpha"), 0); // the list itself ignores case
    EXPECT_EQ(IndexOfStrExact(list, "alpha"), 1);
    EXPECT_EQ(IndexOfStrExact(list, "ALPHA"), -1);
}

TEST(NameChecks, BracketedPartsAndFileFilters)
{
    struct Case {
        const char* text;
        const char* inside;
        const char* removed;
    };
    const Case cases[] = {
        {"*.htm;*.html[html]", "html", "*.htm;*.html"},
        {"a[b]c[d]", "b", "ac[d]"},
        {"a[]b", "", "ab"},
        {"no brackets", "", "no brackets"},
        {"a]b[c", "", "a]b[c"},
        {"a[b", "", "a[b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString kept = c.text;
        EXPECT_EQ(ExtractBracketed(kept, false), c.inside);
        EXPECT_EQ(kept, c.text);
        QString text = c.text;
        EXPECT_EQ(ExtractBracketed(text, true), c.inside);
        EXPECT_EQ(text, c.removed);
    }

    TStringList filters;
    filters.Add("Web Documents=*.htm;*.html[html]");
    filters.Add("Text Documents=*.txt[txt]");
    EXPECT_EQ(BuildFileFilter(filters), "Web Documents|*.htm;*.html|Text Documents|*.txt|All Files|*.*");
    EXPECT_EQ(BuildFileFilter(TStringList()), "All Files|*.*");
}

TEST(NameChecks, ALineWithoutEqualsIsNoFilterAndShiftsNoEntry)
{
    TStringList filters;
    for (const char* line :
         {"Web Documents=*.htm[html]", "Text Documents *.txt", "", "Pascal=*.pas[pas]", "=*.c"})
        filters.Add(line);
    EXPECT_EQ(BuildFileFilter(filters), "Web Documents|*.htm|Pascal|*.pas||*.c|All Files|*.*");
    // Filter n + 1 of the dialog stands for the line of entry n.
    const struct {
        int Entry;
        int Line;
    } cases[] = {{0, 0}, {1, 3}, {2, 4}, {3, -1}, {-1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(FilterEntryLine(filters, c.Entry), c.Line) << c.Entry;
    EXPECT_EQ(FilterEntryLine(TStringList(), 0), -1);
}

TEST(NameChecks, TagCaseSparesQuotedValuesAndComments)
{
    const QString page = "<a href=\"Page.HTML\">Link Text</a><!-- Keep This --><Br>";
    EXPECT_EQ(ConvertTagCase(page, true), "<A HREF=\"Page.HTML\">Link Text</A><!-- Keep This --><BR>");
    EXPECT_EQ(ConvertTagCase(page, false), "<a href=\"Page.HTML\">Link Text</a><!-- Keep This --><br>");
    // A quote outside a tag closes no tag and opens nothing.
    EXPECT_EQ(ConvertTagCase("say \"Hi\" <P class=x>", false), "say \"Hi\" <p class=x>");
    // "<!" without a dash is a declaration, not a comment.
    EXPECT_EQ(ConvertTagCase("<!doctype html>", true), "<!DOCTYPE HTML>");
    EXPECT_EQ(ConvertTagCase("<p>Ünïcode</p>", true), "<P>Ünïcode</P>");
}

TEST(NameChecks, TagEndAndImageFiles)
{
    //                   1234567890123
    EXPECT_EQ(FindTagEnd("<b>bold</b>", "bold"), 10);
    EXPECT_EQ(FindTagEnd("<b>bold</b>", "bol"), 0);
    EXPECT_EQ(FindTagEnd("", "x"), 0);

    for (const char* image : {"a.gif", "b.JPG", "c.jpeg", "d.Bmp", "e.wbmp", "/x.y/z.png.gif"})
        EXPECT_TRUE(IsImageFile(image)) << image;
    for (const char* other : {"a.png", "gif", "a.gif.txt", "/x.gif/readme", ""})
        EXPECT_FALSE(IsImageFile(other)) << other;
}

TEST(NameChecks, FreeAndNilClearsTheVariableFirst)
{
    struct Watched {
        Watched*& variable;
        bool& sawNull;
        ~Watched() { sawNull = variable == nullptr; }
    };
    Watched* object = nullptr;
    bool sawNull = false;
    object = new Watched{object, sawNull};
    FreeAndNil(object);
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(sawNull);
    FreeAndNil(object); // null: nothing happens
}
