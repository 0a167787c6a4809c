// Replacement texts of regular-expression matches and the compile error message.
#include "editor/search/replacement.h"

#include <gtest/gtest.h>

namespace {

TEST(Replacement, ReferencesAndEscapesExpand)
{
    // "%n" reads the log through the callback; here it names n.
    const TLoggedText logged = [](int N) { return "<" + std::to_string(N) + ">"; };
    struct TCase {
        std::string Replacement;
        std::string Expected;
    };
    const TCase cases[] = {
        {"a%%b", "a%b"},
        {"%0", ""},
        {"%1%2", "<1><2>"},
        {"%255", "<255>"},
        {"%256", ""},
        {"x%", "x%"},
        {"%q", "q"},
        {"\\x4", std::string(1, '\x04')},
        {"\\x41B", "AB"},
        {"a\\xgb", "a"},
        {"\\101", "A"},
        {"a\\777b", "a"},
        {"\\\\", "\\"},
        {"a\\", "a\\"},
        {"\\n\\R\\t\\S\\b\\f", std::string("\r\n\t \b\f")},
        {"\\q", "q"},
        {"plain", "plain"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ExpandReplacement(c.Replacement, logged), c.Expected) << c.Replacement;
}

TEST(Replacement, TheErrorMessageShowsACaretUnderTheColumn)
{
    EXPECT_EQ(RegexErrorText(4255, "[z-a]", 4), QStringLiteral("Invalid range\r\n[z-a]\r\n   ^"));
    EXPECT_EQ(RegexErrorText(4253, "*a", 1), QStringLiteral("Invalid repeat\r\n*a\r\n^"));
}

} // namespace
