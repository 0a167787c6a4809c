// The widget-free rules of the editor options dialog: margin texts, spin steps, the keys the
// edits take, the auto-correct and template button states, binding texts and drop flags.
#include "highlighter/options/options_rules.h"

#include <gtest/gtest.h>

namespace {

using options::TButtonStates;

TEST(OptionsRules, MarginTextsOutsideTheRangeBecomeOne)
{
    const std::pair<const char*, int> cases[] = {{"", 1}, {"abc", 1}, {"200", 1}, {"-1", 1},
                                                 {"199", 199}, {"0", 0}, {"34", 34}};
    for (auto [text, value] : cases)
        EXPECT_EQ(options::MarginValue(QLatin1String(text)), value) << text;
}

TEST(OptionsRules, SpinStepsStopAtTheLimits)
{
    struct TCase {
        const char* Text;
        bool Up;
        const char* Result;
    };
    const TCase cases[] = {{"5", true, "6"},     {"5", false, "4"},   {"0", false, "0"}, {"199", true, "199"},
                           {"250", true, "250"}, {"198", true, "199"}, {"", true, "1"},   {"x", false, "1"}};
    for (const TCase& c : cases)
        EXPECT_EQ(options::SpinMargin(QLatin1String(c.Text), c.Up), QLatin1String(c.Result))
            << c.Text << (c.Up ? " up" : " down");
}

TEST(OptionsRules, TheNumberAndMarginEditsTakeTheirOwnKeys)
{
    struct TCase {
        int Key;
        bool Number;
        bool Margin;
    };
    const TCase cases[] = {
        {'0', true, true},          {'9', true, true},          {win::VK_BACK, true, true},   {win::VK_DELETE, true, true},
        {win::VK_LEFT, true, true},      {win::VK_RIGHT, true, true},     {win::VK_TAB, true, false},   {win::VK_HOME, true, false},
        {win::VK_END, true, false},      {win::VK_INSERT, false, true},   {'A', false, false},     {win::VK_UP, false, false},
        {win::VK_SPACE, false, false},   {0xBD /* minus */, false, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(options::NumberEditAccepts(c.Key), c.Number) << c.Key;
        EXPECT_EQ(options::MarginEditAccepts(c.Key), c.Margin) << c.Key;
    }
}

TButtonStates States(bool Enabled1, const char* Caption1, bool Enabled2, const char* Caption2)
{
    return {{Enabled1, QLatin1String(Caption1)}, {Enabled2, QLatin1String(Caption2)}};
}

TEST(OptionsRules, AutoCorrectButtonsFollowTheBoxes)
{
    const QStringList words{QStringLiteral("teh"), QStringLiteral("adn"), QStringLiteral("bare")};
    const QStringList items{QStringLiteral("adn\tand"), QStringLiteral("bare"), QStringLiteral("teh\tthe")};
    struct TCase {
        const char* Word;
        const char* With;
        TButtonStates States;
    };
    const TCase cases[] = {
        {"", "", States(false, "Add", false, "Delete")},
        {"", "x", States(false, "Add", false, "Delete")},
        {"new", "", States(true, "Add", false, "Delete")},
        {"new", "thing", States(true, "Add", false, "Delete")},
        {"teh", "the", States(false, "Add", true, "Delete")},
        {"TEH", "the", States(false, "Add", true, "Delete")},
        {"teh", "then", States(false, "Add", true, "Replace")},
        {"teh", "", States(false, "Add", true, "Replace")},
        {"bare", "", States(false, "Add", true, "Delete")},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(options::AutoReplaceButtons(QLatin1String(c.Word), QLatin1String(c.With), words, items), c.States)
            << c.Word << "/" << c.With;
}

TEST(OptionsRules, TemplateButtonsFollowTheNameDescriptionAndText)
{
    const QStringList names{QStringLiteral("for"), QStringLiteral("if")};
    const QStringList items{QStringLiteral("for\tfor loop"), QStringLiteral("if\tif block")};
    const QByteArray body("for (|;;) {}");
    struct TCase {
        const char* Name;
        const char* Description;
        QByteArray Text;
        TButtonStates States;
    };
    const TCase cases[] = {
        {"", "x", body, States(false, "Add", false, "Delete")},
        {"while", "", "", States(true, "Add", false, "Delete")},
        {"for", "for loop", body, States(false, "Add", true, "Delete")},
        {"FOR", "for loop", body, States(false, "Add", true, "Delete")},
        {"for", "for loop", "changed", States(false, "Add", true, "Replace")},
        {"for", "other", body, States(false, "Add", true, "Replace")},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(options::TemplateButtons(QLatin1String(c.Name), QLatin1String(c.Description), c.Text, names, items,
                                           body),
                  c.States)
            << c.Name << "/" << c.Description;
}

TEST(OptionsRules, BindingTexts)
{
    EXPECT_EQ(options::BindingText(scCtrl | 'K', 'B'), QStringLiteral("[Ctrl+K]  [B]"));
    EXPECT_EQ(options::BindingText(win::VK_F1 + 2, 0), QStringLiteral("[F3]  [<none>]"));
}

TEST(OptionsRules, TheTemplateEditorsDropFlags)
{
    const std::pair<unsigned, unsigned> cases[] = {
        {0x404, 0x004},          // the drop bit goes
        {0x500, 0x2100},         // HTML is taken trimmed
        {0x501, 0x2101},         // HTML wins over a file list
        {0x401, 0x801},          // a file list is processed
        {0x006, 0x006},          // text as it is
    };
    for (auto [flags, result] : cases)
        EXPECT_EQ(options::TemplateDropFlags(flags), result) << std::hex << flags;
}

} // namespace
