// The texts shown for sizes, durations and dates.
#include "routines/size_texts.h"

#include "platform/rtl/format.h"

#include <cmath>

namespace {

constexpr std::int64_t KB = 1024;
constexpr std::int64_t MB = 1024 * 1024;

// A quotient with three significant digits, or rounded to a whole number from 1000 on.
QString Number(double Value)
{
    if (std::fabs(Value) >= 999.5)
        return QString::number(std::llround(Value));
    return FloatToStrF(Value, ffGeneral, 3, 0);
}

} // namespace

QString FormatSizeKB(std::int64_t Bytes)
{
    if (Bytes < 0)
        return {};
    if (Bytes <= KB)
        return QStringLiteral("1 KB");
    if (Bytes < MB)
        return QString::number(Bytes / KB) + QStringLiteral(" KB");
    return Number(double(Bytes) / MB) + QStringLiteral(" MB");
}

QString FormatKBSize(std::int64_t Kilobytes)
{
    if (Kilobytes < 0)
        return {};
    if (Kilobytes < KB)
        return QString::number(Kilobytes) + QStringLiteral(" KB");
    return Number(double(Kilobytes) / KB) + QStringLiteral(" MB");
}

QString FormatByteSize(std::int64_t Bytes)
{
    if (Bytes <= KB)
        return QString::number(Bytes) + QStringLiteral(" bytes");
    return FormatSizeKB(Bytes);
}

QString FormatDuration(std::int64_t Seconds)
{
    if (Seconds < 60)
        return QString::number(Seconds) + QStringLiteral(" Seconds");
    if (Seconds < 3600)
        return Number(double(Seconds) / 60) + QStringLiteral(" Minute(s)");
    return Number(double(Seconds) / 3600) + QStringLiteral(" Hour(s)");
}

QString FormatDurationMs(std::int64_t Milliseconds)
{
    if (Milliseconds < 1)
        return FormatDuration(0);
    return FormatDuration(Milliseconds / 1000 + (Milliseconds % 1000 >= 500 ? 1 : 0));
}

QString FormatDateTimeLong(TDateTime Value)
{
    return FormatDateTime(QStringLiteral("dddddd, tt"), Value == 0 ? Now() : Value);
}
