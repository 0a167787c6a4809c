// The 11-character date stamp.
#include "routines/date_stamp.h"

#include <bit>
#include <cstdint>

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int StampLength = 11;

// The alphabet index of a character, -1 outside it.
int AlphabetIndex(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 26;
    if (u >= u'0' && u <= u'9')
        return u - u'0' + 52;
    if (u == u'+')
        return 62;
    if (u == u'/')
        return 63;
    return -1;
}

// The double's eight bytes in little-endian storage order, the first byte (the lowest of the
// mantissa) the most significant: the bits of the double with their bytes reversed.
std::uint64_t StampNumber(TDateTime value)
{
    return __builtin_bswap64(std::bit_cast<std::uint64_t>(value));
}

TDateTime FromStampNumber(std::uint64_t number)
{
    return std::bit_cast<TDateTime>(__builtin_bswap64(number));
}

} // namespace

QString DateStampEncode(TDateTime Value)
{
    const std::uint64_t number = StampNumber(Value);
    QString stamp(StampLength, Qt::Uninitialized);
    for (int k = 0; k < StampLength; ++k)
        stamp[k] = QLatin1Char(Alphabet[number >> (6 * k) & 63]);
    return stamp;
}

TDateTime DateStampDecode(const QString& Stamp)
{
    if (Stamp.size() < StampLength)
        return 0;
    std::uint64_t number = 0;
    for (int k = 0; k < StampLength; ++k) {
        const int index = AlphabetIndex(Stamp[k]);
        if (index >= 0)
            number |= std::uint64_t(index) << (6 * k);
    }
    return FromStampNumber(number);
}

QString DateStampNow()
{
    return DateStampEncode(Now());
}

TDateTime DateStampToDateTime(const QString& Stamp)
{
    return DateStampDecode(Stamp);
}
