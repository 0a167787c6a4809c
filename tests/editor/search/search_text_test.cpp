// The plain-text search: positions forward and backward, case folding, whole words, and a random
// cross-check against a naive search over the pieces of a store.
#include "editor/search/search_text.h"

#include "editor/document/text_store.h"

#include "support/random_cases.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include <random>

namespace {

bool WordChar(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '_';
}

int Find(std::string_view Text, std::string_view Pattern, int Start, bool Backward = false, bool Case = true,
         bool Whole = false)
{
    TStringTextSource source(Text);
    TTextCursor cursor(source);
    TSearchTables tables;
    TSearchRequest request;
    request.Pattern = Pattern;
    request.Start = Start;
    request.Limit = int(Text.size()) - 1;
    request.Backward = Backward;
    request.CaseSensitive = Case;
    request.WholeWords = Whole;
    request.IsWordChar = WordChar;
    const int found = SearchText(cursor, tables, request);
    return found < int(Text.size()) ? found : -1;
}

TEST(SearchText, FindsForwardBackwardAndWithoutCase)
{
    struct TCase {
        const char* Text;
        const char* Pattern;
        int Start;
        bool Backward;
        bool Case;
        int Expected;
    };
    const TCase cases[] = {
        {"xxabcxxabc", "abc", 0, false, true, 2},
        {"xxabcxxabc", "abc", 3, false, true, 7},
        {"xxabcxxabc", "abc", 8, false, true, -1},
        {"abc abc", "abc", 7, true, true, 4},
        {"abc abc", "abc", 6, true, true, 0},
        {"xaBcx", "ABC", 0, false, false, 1},
        {"xaBcx", "ABC", 0, false, true, -1},
        {"xaBcx", "ABC", 5, true, false, 1},
        // Only A..Z fold: bytes above 127 are compared as they are.
        {"x\xe4y", "\xc4Y", 0, false, false, -1},
        {"x\xe4y", "\xe4Y", 0, false, false, 1},
        {"ab", "abc", 0, false, true, -1},
        {"ab", "abc", 2, true, true, -1},
        {"", "a", 0, false, true, -1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Find(c.Text, c.Pattern, c.Start, c.Backward, c.Case), c.Expected) << c.Text << " / " << c.Pattern;
}

TEST(SearchText, WholeWordsLookAtBothNeighbours)
{
    struct TCase {
        const char* Text;
        bool Backward;
        int Expected;
    };
    const TCase cases[] = {
        {"concatenate", false, -1},
        {"cat_1", false, -1},
        {"a cat.", false, 2},
        {"a cat", false, 2},
        {"a cat", true, 2},
        // The text's last character is looked at too.
        {"cats", false, -1},
        {"a cats", false, -1},
        {"cats", true, -1},
        {"cat cat", true, 4},
        {"scat cat", false, 5},
    };
    for (const TCase& c : cases) {
        const int start = c.Backward ? int(std::strlen(c.Text)) : 0;
        EXPECT_EQ(Find(c.Text, "cat", start, c.Backward, true, true), c.Expected) << c.Text;
    }
}

TEST(SearchText, TablesAreBuiltOnlyForANewPattern)
{
    TSearchTables tables;
    EXPECT_TRUE(tables.Prepare("abca"));
    EXPECT_FALSE(tables.Prepare("abca"));
    EXPECT_EQ(tables.Forward[std::uint8_t('a')], 0);
    EXPECT_EQ(tables.Forward[std::uint8_t('b')], 2);
    EXPECT_EQ(tables.Backward[std::uint8_t('a')], 0);
    EXPECT_EQ(tables.Backward[std::uint8_t('c')], 2);
    EXPECT_EQ(tables.Forward[std::uint8_t('z')], 4);
    EXPECT_TRUE(tables.Prepare("abcA"));
    EXPECT_EQ(tables.ForwardNoCase[std::uint8_t('A')], 0);
}

// Every search agrees with a naive one, over a store of several records, in both directions,
// with and without case, with patterns longer than 255 characters among them.
TEST(SearchText, AgreesWithANaiveSearch)
{
    std::mt19937 random(20261211);
    const int cases = randomCaseCount(300);
    for (int n = 0; n < cases; ++n) {
        // A small alphabet makes matches common; long runs make long patterns match.
        std::string text;
        const int length = int(random() % 3000);
        for (int i = 0; i < length; ++i)
            text += "abAB\r"[random() % (i % 700 < 400 ? 2 : 5)];
        TTextStore store;
        store.Insert(0, text, 40);
        TStoreTextSource source(store);
        TTextCursor cursor(source);
        ASSERT_EQ(cursor.Length(), length);

        const int patternLength = 1 + int(random() % (n % 4 == 0 ? 400 : 6));
        std::string pattern;
        if (length > patternLength && random() % 2) {
            pattern = text.substr(random() % (length - patternLength), std::size_t(patternLength));
        } else {
            for (int i = 0; i < patternLength; ++i)
                pattern += "abAB"[random() % 4];
        }
        const bool caseSensitive = random() % 2;
        const bool backward = random() % 2;
        const int start = length ? int(random() % (length + 1)) : 0;
        const auto fold = [caseSensitive](std::string s) {
            if (!caseSensitive)
                std::transform(s.begin(), s.end(), s.begin(), UpperAZ);
            return s;
        };
        const std::string foldedText = fold(text);
        const std::string foldedPattern = fold(pattern);
        int expected = -1;
        if (backward) {
            if (start >= patternLength)
                expected = int(foldedText.rfind(foldedPattern, std::size_t(start - patternLength)));
        } else {
            expected = int(foldedText.find(foldedPattern, std::size_t(start)));
        }
        if (expected == int(std::string::npos))
            expected = -1;

        TSearchTables tables;
        TSearchRequest request;
        request.Pattern = pattern;
        request.Start = start;
        request.Limit = length - 1;
        request.Backward = backward;
        request.CaseSensitive = caseSensitive;
        int found = SearchText(cursor, tables, request);
        if (found >= length)
            found = -1;
        ASSERT_EQ(found, expected) << "case " << n << " start " << start << " pattern length " << patternLength
                                   << (backward ? " backward" : " forward");
    }
}

} // namespace
