// Trimming HTML to its fragment, and the fill of columns past a line's end.
#include "editor/language/settings_routines.h"
#include "editor/language/sm_styles.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(TrimHtmlFragment, KeepsWhatTheFlagsAskFor)
{
    const QByteArray page = "Version:1.0\r\n<html><!--StartFragment--><b>x</b><!--EndFragment--></html>";
    const QByteArray fromTag = "<html><!--StartFragment--><b>x</b><!--EndFragment--></html>";
    const struct {
        const char* name;
        QByteArray text;
        unsigned flags;
        QByteArray result;
    } cases[] = {
        {"no trim flag", page, htmlFragmentOnly, page},
        {"kept whole", page, htmlTrim | htmlKeepWhole | htmlFragmentOnly, page},
        {"trim without a mode", page, htmlTrim, page},
        {"from the first tag", page, htmlTrim | htmlFromFirstTag, fromTag},
        {"first tag wins over fragment", page, htmlTrim | htmlFromFirstTag | htmlFragmentOnly, fromTag},
        {"fragment", page, htmlTrim | htmlFragmentOnly, "<b>x</b>"},
        {"no markers", "ab<p>c", htmlTrim | htmlFragmentOnly, "<p>c"},
        {"end before start", "x<!--EndFragment--><!--StartFragment-->y", htmlTrim | htmlFragmentOnly,
         "<!--EndFragment--><!--StartFragment-->y"},
        {"no end marker", "<!--StartFragment-->y", htmlTrim | htmlFragmentOnly, "<!--StartFragment-->y"},
        {"no tag at all", "plain text", htmlTrim | htmlFromFirstTag, "plain text"},
        {"empty", "", htmlTrim | htmlFragmentOnly, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray text = c.text;
        TrimHtmlFragment(text, c.flags);
        EXPECT_EQ(text, c.result);
    }
}

TEST(InsertFill, BlanksOrTabsUpToTheColumn)
{
    constexpr std::uint32_t smart = OPT_USE_TAB | OPT_SMART_FILL;
    TTabStops every4;
    TTabStops columns;
    columns.Columns[0] = 3;
    columns.Columns[1] = 10;
    columns.TabDefault = 8;
    const struct {
        const char* name;
        int from, to;
        std::uint32_t options;
        const TTabStops& tabs;
        QByteArray fill;
    } cases[] = {
        {"blanks without both options", 1, 9, OPT_USE_TAB, every4, "        "},
        {"blanks without both options again", 1, 9, OPT_SMART_FILL, every4, "        "},
        {"tabs, then blanks", 1, 9, smart, every4, "\t\t "},
        {"a stop exactly at the end", 1, 8, smart, every4, "\t\t"},
        {"no stop before the end", 5, 7, smart, every4, "  "},
        {"nothing to fill", 6, 6, smart, every4, ""},
        {"explicit tab columns, then the default", 0, 17, smart, columns, "\t\t\t\x20"},
        {"backwards gives nothing", 9, 3, 0, every4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InsertFill(c.from, c.to, c.options, c.tabs), c.fill);
    }
}
