// Names as text: UTF-8 with each byte of an invalid sequence kept as an escape, and back.
#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

QString Escaped(std::initializer_list<int> bytes)
{
    QString s;
    for (int b : bytes)
        s += QChar(char16_t(0xDC00 + b));
    return s;
}

} // namespace

TEST(NameEncoding, DecodesValidUtf8AndEscapesEachByteOfInvalidSequences)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"ascii", "report.txt", "report.txt"},
        {"two-byte", "caf\xC3\xA9", QString::fromUtf8("caf\xC3\xA9")},
        {"three-byte", "\xE2\x82\xAC", QString(QChar(0x20AC))},
        {"four-byte", "\xF0\x9F\x98\x80", QString::fromUcs4(U"\U0001F600")},
        {"latin-1 byte", "caf\xE9.txt", "caf" + Escaped({0xE9}) + ".txt"},
        {"lone continuation", "\x80", Escaped({0x80})},
        {"truncated at the end", "a\xE2\x82", "a" + Escaped({0xE2, 0x82})},
        {"truncated before ascii", "\xE2\x82z", Escaped({0xE2, 0x82}) + "z"},
        {"overlong slash", "\xC0\xAF", Escaped({0xC0, 0xAF})},
        {"overlong three-byte", "\xE0\x80\xAF", Escaped({0xE0, 0x80, 0xAF})},
        {"encoded surrogate", "\xED\xA0\x80", Escaped({0xED, 0xA0, 0x80})},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", Escaped({0xF4, 0x90, 0x80, 0x80})},
        {"never a lead byte", "\xFF\xFE", Escaped({0xFF, 0xFE})},
        {"encoded U+DC80 is no escape", "\xED\xB2\x80", Escaped({0xED, 0xB2, 0x80})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodeName(c.bytes), c.text);
        EXPECT_EQ(EncodeName(c.text), c.bytes);
    }
}

TEST(NameEncoding, EveryOneAndTwoByteNameRoundTrips)
{
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, char(first));
            if (second >= 0)
                bytes += char(second);
            ASSERT_EQ(EncodeName(DecodeName(bytes)), bytes) << bytes.toHex().toStdString();
        }
    }
}

TEST(NameEncoding, LoneSurrogatesThatStandForNoByteBecomeReplacementCharacters)
{
    EXPECT_EQ(EncodeName(QString(QChar(0xD800)) + "a"), QByteArray("\xEF\xBF\xBD"
                                                                   "a"));
    EXPECT_EQ(EncodeName(QString(QChar(0xDC41))), QByteArray("\xEF\xBF\xBD"));
}
