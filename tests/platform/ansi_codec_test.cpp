// The 8-bit code page: Windows-1252 with its five undefined bytes kept, every byte round-trips.
#include "platform/rtl/ansi_codec.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(AnsiCodec, EveryByteRoundTripsThroughItsCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeAnsi(text), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(text[b], AnsiChar(static_cast<unsigned char>(b))) << b;
}

TEST(AnsiCodec, MapsTheWindowsCharactersAndKeepsTheUndefinedBytes)
{
    const std::pair<unsigned char, char16_t> pairs[] = {
        {0x41, u'A'},    {0x80, 0x20AC}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x93, 0x201C}, {0x99, 0x2122},
        {0x9F, 0x0178},  {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}, {0x81, 0x0081}, {0x8D, 0x008D},
        {0x8F, 0x008F},  {0x90, 0x0090}, {0x9D, 0x009D},
    };
    for (const auto& [byte, ch] : pairs) {
        EXPECT_EQ(AnsiChar(byte).unicode(), ch) << int(byte);
        EXPECT_EQ(EncodeAnsi(QString(QChar(ch))), QByteArray(1, char(byte))) << int(byte);
    }
}

TEST(AnsiCodec, CharactersTheTableLacksBecomeTheReplacement)
{
    const QString text = QString::fromUtf8("a\xE2\x82\xAC\xE4\xB8\x80\xF0\x9F\x98\x80") + QChar(0x0080) + "z";
    EXPECT_EQ(EncodeAnsi(text), QByteArray("a\x80??" "?z")) << "a surrogate pair is one character";
    EXPECT_EQ(EncodeAnsi(QString(QChar(0x4E00)), '_'), "_");
}
