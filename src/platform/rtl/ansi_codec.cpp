// The Windows-1252 table and its reverse.
#include "platform/rtl/ansi_codec.h"

#include <array>

namespace {

// Bytes 0x80..0x9F; the rest of the table is the byte's own code point.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// The byte of a character, or -1 when the table lacks it.
int AnsiByte(char16_t Ch)
{
    if (Ch < 0x80 || (Ch >= 0xA0 && Ch <= 0xFF))
        return Ch;
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == Ch)
            return int(0x80 + i);
    return -1;
}

} // namespace

QChar AnsiChar(unsigned char Byte)
{
    return Byte >= 0x80 && Byte <= 0x9F ? QChar(HighControls[Byte - 0x80]) : QChar(char16_t(Byte));
}

QString DecodeAnsi(const QByteArray& Bytes)
{
    QString text(Bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < Bytes.size(); ++i)
        text[i] = AnsiChar(static_cast<unsigned char>(Bytes[i]));
    return text;
}

QByteArray EncodeAnsi(const QString& Text, char Replacement)
{
    QByteArray bytes;
    bytes.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t ch = Text[i].unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < Text.size() && Text[i + 1].isLowSurrogate()) {
            bytes.append(Replacement);
            ++i;
            continue;
        }
        const int byte = AnsiByte(ch);
        bytes.append(byte < 0 ? Replacement : char(byte));
    }
    return bytes;
}
