// Format and FloatToStrF: specifier parsing, integer texts and decimal rounding of floating-point
// numbers.
#include "platform/rtl/format.h"

#include "platform/rtl/format_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The decimal digits of a finite, non-negative number: Value = 0.D1D2D3... x 10^Exponent.
struct TDecimal {
    QString Digits; // no leading zeros; empty for zero
    int Exponent = 0;
};

TDecimal ToDecimal(double value)
{
    TDecimal d;
    if (value == 0)
        return d;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.16e", value); // 17 significant digits: exact for a double
    const QString text = QString::fromLatin1(buffer);
    const qsizetype e = text.indexOf(u'e');
    d.Digits = text.left(e).remove(u'.');
    d.Exponent = text.mid(e + 1).toInt() + 1;
    while (d.Digits.endsWith(u'0'))
        d.Digits.chop(1);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit that follows.
void RoundDigits(TDecimal& d, int keep)
{
    if (keep >= d.Digits.size())
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[keep] >= u'5';
    d.Digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == u'9')
            d.Digits[i--] = u'0';
        if (i >= 0) {
            d.Digits[i] = QChar(d.Digits[i].unicode() + 1);
        } else {
            d.Digits.prepend(u'1');
            ++d.Exponent;
        }
    }
    while (d.Digits.endsWith(u'0'))
        d.Digits.chop(1);
}

QChar DigitAt(const TDecimal& d, int i)
{
    return i >= 0 && i < d.Digits.size() ? d.Digits[i] : QChar(u'0');
}

QString GroupThousands(const QString& integer)
{
    const QChar separator = FormatSettings.ThousandSeparator;
    if (separator.isNull())
        return integer;
    QString out;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

QString FixedText(const TDecimal& d, int decimals, bool grouped)
{
    QString integer;
    for (int i = 0; i < d.Exponent; ++i)
        integer += DigitAt(d, i);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString out = grouped ? GroupThousands(integer) : integer;
    if (decimals > 0) {
        out += FormatSettings.DecimalSeparator;
        for (int i = 0; i < decimals; ++i)
            out += DigitAt(d, d.Exponent + i);
    }
    return out;
}

QString ExponentText(const TDecimal& d, int minDigits)
{
    QString out = d.Digits.left(1);
    if (d.Digits.size() > 1)
        out += FormatSettings.DecimalSeparator + d.Digits.mid(1);
    const int exponent = d.Exponent - 1;
    out += u'E';
    if (exponent < 0)
        out += u'-';
    out += QString::number(std::abs(exponent)).rightJustified(minDigits, u'0');
    return out;
}

[[noreturn]] void InvalidFormat(const QString& fmt)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(fmt));
}

QString IntegerText(const TFormatArg& arg, int base, bool asUnsigned, int precision)
{
    const int bits = arg.bits();
    const bool negative = !asUnsigned && arg.kind() == TFormatArg::Integer && arg.integer() < 0;
    std::uint64_t magnitude = std::uint64_t(arg.integer());
    if (negative)
        magnitude = 0 - magnitude;
    else if (bits < 64)
        magnitude &= (std::uint64_t(1) << bits) - 1;
    QString digits = QString::number(qulonglong(magnitude), base);
    if (precision > digits.size())
        digits = digits.rightJustified(precision, u'0');
    return negative ? u'-' + digits : digits;
}

// Reads a decimal number of a specifier; -1 when there is none.
int ReadCount(const QString& fmt, qsizetype& i)
{
    int value = -1;
    while (i < fmt.size() && fmt[i].isDigit()) {
        value = std::max(value, 0) * 10 + fmt[i].digitValue();
        if (value > 100000)
            InvalidFormat(fmt);
        ++i;
    }
    return value;
}

} // namespace

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Precision = std::clamp(Precision, 1, 17);
    Digits = std::max(Digits, 0);
    TDecimal d = ToDecimal(std::fabs(Value));
    QString text;
    if (Format == ffGeneral) {
        RoundDigits(d, Precision);
        if (d.Digits.isEmpty())
            text = QStringLiteral("0");
        else if (d.Exponent > Precision || d.Exponent < -4)
            text = ExponentText(d, Digits);
        else
            text = FixedText(d, std::max<int>(d.Digits.size() - d.Exponent, 0), false);
    } else {
        RoundDigits(d, std::min(Precision, d.Exponent + Digits));
        if (d.Exponent > Precision)
            text = ExponentText(d, 0);
        else
            text = FixedText(d, Digits, Format == ffNumber);
    }
    return Value < 0 && !d.Digits.isEmpty() ? u'-' + text : text;
}

QString Format(const QString& Fmt, std::initializer_list<TFormatArg> Args)
{
    QString out;
    auto next = Args.begin();
    for (qsizetype i = 0; i < Fmt.size(); ++i) {
        if (Fmt[i] != u'%') {
            out += Fmt[i];
            continue;
        }
        if (++i >= Fmt.size())
            InvalidFormat(Fmt);
        if (Fmt[i] == u'%') {
            out += u'%';
            continue;
        }
        const bool left = Fmt[i] == u'-';
        if (left)
            ++i;
        const int width = ReadCount(Fmt, i);
        int precision = -1;
        if (i < Fmt.size() && Fmt[i] == u'.') {
            ++i;
            precision = std::max(ReadCount(Fmt, i), 0);
        }
        if (i >= Fmt.size())
            InvalidFormat(Fmt);
        const char16_t type = Fmt[i].toLower().unicode();
        if (next == Args.end())
            throw EConvertError(QStringLiteral("No argument for format '%1'").arg(Fmt));
        const TFormatArg& arg = *next++;
        const bool integer = arg.kind() == TFormatArg::Integer || arg.kind() == TFormatArg::Unsigned;
        QString text;
        switch (type) {
        case u'd':
        case u'u':
        case u'x':
            if (!integer)
                InvalidFormat(Fmt);
            text = IntegerText(arg, type == u'x' ? 16 : 10, type != u'd', precision);
            break;
        case u's':
            if (arg.kind() != TFormatArg::Text)
                InvalidFormat(Fmt);
            text = precision >= 0 ? arg.text().left(precision) : arg.text();
            break;
        case u'f':
        case u'n':
            if (arg.kind() != TFormatArg::Float)
                InvalidFormat(Fmt);
            text = FloatToStrF(arg.floating(), type == u'n' ? ffNumber : ffFixed, 17,
                               precision >= 0 ? precision : 2);
            break;
        default: InvalidFormat(Fmt);
        }
        if (width > text.size())
            text = left ? text.leftJustified(width, u' ') : text.rightJustified(width, u' ');
        out += text;
    }
    return out;
}
