// DecodeName and EncodeName: UTF-8 with surrogate escapes for the bytes of invalid sequences.
#include "platform/system/name_encoding.h"

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The code point of the valid UTF-8 sequence at data[i], and its length; 0 when none starts there.
int ValidSequence(const unsigned char* data, qsizetype size, qsizetype i, char32_t& cp)
{
    const unsigned char lead = data[i];
    int length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (size - i < length)
        return 0;
    for (int k = 1; k < length; ++k) {
        if (!IsContinuation(data[i + k]))
            return 0;
        cp = (cp << 6) | (data[i + k] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace

QString DecodeName(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    QString out;
    out.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        if (data[i] < 0x80) {
            qsizetype end = i + 1;
            while (end < size && data[end] < 0x80)
                ++end;
            out += QLatin1StringView(bytes.constData() + i, end - i);
            i = end;
            continue;
        }
        char32_t cp = 0;
        const int length = ValidSequence(data, size, i, cp);
        if (length == 0) {
            out += QChar(char16_t(EscapeBase + data[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar(QChar::highSurrogate(cp));
            out += QChar(QChar::lowSurrogate(cp));
        } else {
            out += QChar(char16_t(cp));
        }
        i += length;
    }
    return out;
}

QByteArray EncodeName(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(c, name.at(i + 1).unicode()));
            ++i;
        } else if (c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF) {
            out += char(c - EscapeBase);
        } else if (QChar::isSurrogate(c)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}
