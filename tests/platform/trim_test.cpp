// Trim, TrimLeft and TrimRight remove blanks and control characters only.
#include "platform/rtl/trim.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(Trim, RemovesBlanksAndControlCharactersAtTheEnds)
{
    struct Case {
        QString text, both, left, right;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\t\r\na\x01", "a", "a\x01", "\t\r\na"},
        {"", "", "", ""},
        {" \t ", "", "", ""},
        {"abc", "abc", "abc", "abc"},
        // Other white space can be part of a name and stays.
        {QStringLiteral(u"\u00A0x\u3000"), QStringLiteral(u"\u00A0x\u3000"), QStringLiteral(u"\u00A0x\u3000"),
         QStringLiteral(u"\u00A0x\u3000")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(Trim(c.text), c.both);
        EXPECT_EQ(TrimLeft(c.text), c.left);
        EXPECT_EQ(TrimRight(c.text), c.right);
    }
}
