// The string routine library: 1-based positions with 0 for "not found", copies, in-place edits
// and token splitting.
#include "routines/string_routines.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(StringRoutines, ScanPatternMatchesWildcardsAndOtherCaseOnlyWithNegativeStart)
{
    struct Case {
        const char* text;
        const char* pattern;
        int start;
        int expected;
    };
    const Case cases[] = {
        {"abc", "a?c", 1, 1},    {"xxaxc", "a?c", 1, 3},  {"ABC", "a?c", 1, 0},     {"ABC", "a?c", -1, 1},
        {"zzAbC", "a?c", -1, 3}, {"abcabc", "abc", 2, 4}, {"abcabc", "abc", -2, 4}, {"a1c", "A?C", -1, 1},
        {"[?]", "[?]", -1, 1}, // non-letters never change case
        {"ab", "abc", 1, 0},   // longer than the text
        {"abc", "abc", 2, 0},    {"abc", "", 1, 0},       {"", "a", 1, 0},          {"abc", "a", 0, 0},
        {"abc", "c", 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.pattern << " from " << c.start);
        EXPECT_EQ(StrScanPattern(c.text, c.pattern, c.start), c.expected);
    }
}

TEST(StringRoutines, SearchesGiveOneBasedPositionsAndZeroWhenAbsent)
{
    const QString text = "a/b/c";
    EXPECT_EQ(StrPosFrom(text, "/", 1), 2);
    EXPECT_EQ(StrPosFrom(text, "/", 3), 4);
    EXPECT_EQ(StrPosFrom(text, "/", 5), 0);
    EXPECT_EQ(StrPosFrom(text, "/", 9), 0);
    EXPECT_EQ(StrPosFrom(text, "B", 1), 0);
    EXPECT_EQ(StrPosFrom(text, "", 1), 0);

    EXPECT_EQ(StrScanChar(text, u'/', 1), 2);
    EXPECT_EQ(StrScanChar(text, u'/', 4), 4);
    EXPECT_EQ(StrScanChar(text, u'/', 5), 0);
    EXPECT_EQ(StrScanChar(text, u'/', 0), 0);
    EXPECT_EQ(StrScanChar(text, u'/', 6), 0);

    EXPECT_EQ(StrScanCharBack(text, u'/', 0), 4);
    EXPECT_EQ(StrScanCharBack(text, u'/', 99), 4);
    EXPECT_EQ(StrScanCharBack(text, u'/', 3), 2);
    EXPECT_EQ(StrScanCharBack(text, u'/', 1), 0);
    EXPECT_EQ(StrScanCharBack("", u'/', 0), 0);

    EXPECT_EQ(StrLastNotChar("ab  ", u' '), 2);
    EXPECT_EQ(StrLastNotChar("   ", u' '), 0);
    EXPECT_EQ(StrTrimRightChar("a//", u'/'), "a");
    EXPECT_EQ(StrTrimRightChar("/a", u'/'), "/a");
}

TEST(StringRoutines, CopiesClipToTheText)
{
    EXPECT_EQ(StrLeft("abc", 2), "ab");
    EXPECT_EQ(StrLeft("abc", 9), "abc");
    EXPECT_EQ(StrLeft("abc", -1), "");
    EXPECT_EQ(StrMid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(StrMid("abcdef", 0, 2), "ab");
    EXPECT_EQ(StrMid("abcdef", 5, 9), "ef");
    EXPECT_EQ(StrMid("abcdef", 7, 1), "");
    EXPECT_EQ(StrMid("abcdef", 2, 0), "");
    EXPECT_EQ(StrCopyFrom("abcdef", 1), "abcdef");
    EXPECT_EQ(StrCopyFrom("abcdef", 4), "def");
    EXPECT_EQ(StrCopyFrom("abcdef", 0), "");
    EXPECT_EQ(StrCopyFrom("abcdef", 7), "");
}

TEST(StringRoutines, InPlaceEdits)
{
    QString padded = "7";
    StrPadLeft(padded, u'0', 3);
    EXPECT_EQ(padded, "007");
    StrPadLeft(padded, u'0', 2);
    EXPECT_EQ(padded, "007");

    QString upper = "abcdé";
    StrUpperRange(upper, 2, 9);
    EXPECT_EQ(upper, "aBCDé"); // only ASCII letters change case
    StrUpperRange(upper, 0, 1);
    EXPECT_EQ(upper, "aBCDé");
    EXPECT_EQ(StrUpCaseChar(u'q'), u'Q');
    EXPECT_EQ(StrUpCaseChar(u'ß'), u'ß');
    EXPECT_EQ(StrLoCaseChar(u'Q'), u'q');
    EXPECT_EQ(StrLoCaseChar(u'É'), u'É');

    QString deleted = "a-b--c";
    EXPECT_EQ(StrDeleteChar(deleted, u'-'), 3);
    EXPECT_EQ(deleted, "abc   ");

    QString replaced = "a\\b\\c";
    StrReplaceChar(replaced, u'\\', u'/');
    EXPECT_EQ(replaced, "a/b/c");

    EXPECT_TRUE(StrAllInCharSet("12 34"));
    EXPECT_FALSE(StrAllInCharSet(""));
    EXPECT_FALSE(StrAllInCharSet("12a"));
}

TEST(StringRoutines, TokensSkipQuotedDelimiters)
{
    EXPECT_EQ(StrScanDelimiter("a,\"b,c\",d", ",", 1), 2);
    EXPECT_EQ(StrScanDelimiter("a,\"b,c\",d", ",", 3), 8);
    EXPECT_EQ(StrScanDelimiter("\"a;b\"", ";", 1), 0);
    EXPECT_EQ(StrScanDelimiter("a b", ",; ", 1), 2);
    EXPECT_EQ(StrScanDelimiter("a,b", ",", 0), 0);

    const QString text = "one,\"two,three\",,four";
    QStringList tokens;
    int position = 1;
    while (position != 0)
        tokens << StrNextToken(text, ",", position);
    EXPECT_EQ(tokens, (QStringList{"one", "\"two,three\"", "", "four"}));

    position = 1;
    EXPECT_EQ(StrNextToken("/pub/docs/", "/", position), "");
    EXPECT_EQ(position, 2);
    EXPECT_EQ(StrNextToken("/pub/docs/", "/", position), "pub");
    EXPECT_EQ(StrNextToken("/pub/docs/", "/", position), "docs");
    EXPECT_EQ(position, 11);
    EXPECT_EQ(StrNextToken("/pub/docs/", "/", position), "");
    EXPECT_EQ(position, 0);

    position = 1;
    EXPECT_EQ(StrNextToken("abc", "", position), "");
    EXPECT_EQ(position, 0);
    position = -3;
    EXPECT_EQ(StrNextToken("abc", ",", position), "");
    EXPECT_EQ(position, 0);
}

TEST(StringRoutines, BitsAndMaximum)
{
    EXPECT_TRUE(IsBitSet(0x80000000u, 31));
    EXPECT_FALSE(IsBitSet(0x7FFFFFFFu, 31));
    EXPECT_TRUE(IsBitSet(1, 0));
    EXPECT_FALSE(IsBitSet(1, 32));
    EXPECT_EQ(MaxOf(-2, 3), 3);
    EXPECT_EQ(MaxOf(5, 3), 5);
}
