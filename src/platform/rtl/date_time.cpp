// TDateTime arithmetic on the proleptic Gregorian calendar, the replaceable clock and FormatDateTime.
#include "platform/rtl/date_time.h"

#include "platform/rtl/format_settings.h"

#include <cmath>
#include <cstdint>
#include <mutex>

namespace {

constexpr std::int64_t MSecsPerDay = 86400000;
// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t UnixDateDelta = 25569;
// Days from 1899-12-30 to 0001-01-01 and to 9999-12-31.
constexpr std::int64_t MinDay = -693593;
constexpr std::int64_t MaxDay = 2958465;

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a civil date, by shifting the year to start in March so that the leap
// day comes last, and counting whole 400-year eras of 146097 days.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yearOfEra + era * 400 + (month <= 2));
}

// The day number and the milliseconds of the day, rounded to the millisecond.
void SplitDateTime(TDateTime value, std::int64_t& day, std::int64_t& msec)
{
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, double(MinDay) - 1, double(MaxDay) + 1);
    const std::int64_t total = std::llround(value * double(MSecsPerDay));
    day = std::clamp(total / MSecsPerDay, MinDay, MaxDay);
    msec = (total < 0 ? -total : total) % MSecsPerDay;
}

std::mutex ClockLock;
TNowFunction Clock;

} // namespace

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = TDateTime(DaysFromCivil(Year, Month, Day) + UnixDateDelta);
    return true;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    Time = TDateTime(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / double(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime result;
    if (!TryEncodeDate(Year, Month, Day, result))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return result;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime result;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, result))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return result;
}

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day)
{
    std::int64_t day, msec;
    SplitDateTime(Date, day, msec);
    CivilFromDays(day - UnixDateDelta, Year, Month, Day);
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec)
{
    std::int64_t day, msec;
    SplitDateTime(Time, day, msec);
    MSec = int(msec % 1000);
    Sec = int(msec / 1000 % 60);
    Min = int(msec / 60000 % 60);
    Hour = int(msec / 3600000);
}

TDateTime QDateTimeToDateTime(const QDateTime& Value)
{
    const QDateTime local = Value.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    TDateTime date, time;
    if (!TryEncodeDate(d.year(), d.month(), d.day(), date) ||
        !TryEncodeTime(t.hour(), t.minute(), t.second(), t.msec(), time))
        return 0;
    return date + time;
}

TNowFunction SetNowFunction(TNowFunction NewClock)
{
    std::lock_guard lock(ClockLock);
    std::swap(Clock, NewClock);
    return NewClock;
}

TDateTime Now()
{
    TNowFunction clock;
    {
        std::lock_guard lock(ClockLock);
        clock = Clock;
    }
    return clock ? clock() : QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime Date()
{
    return std::floor(Now());
}

namespace {

// The fields of one date-time, decoded once for a whole format.
struct TDateTimeParts {
    int Year, Month, Day, Hour, Min, Sec, MSec, DayOfWeek; // DayOfWeek 0 is Sunday
};

bool StartsWithText(const QString& text, qsizetype i, const char* word)
{
    const QString w = QString::fromLatin1(word);
    return text.mid(i, w.size()).compare(w, Qt::CaseInsensitive) == 0;
}

// The length of the am/pm token at i, 0 when none starts there.
int HalfDayTokenLength(const QString& format, qsizetype i)
{
    if (StartsWithText(format, i, "am/pm"))
        return 5;
    if (StartsWithText(format, i, "ampm"))
        return 4;
    if (StartsWithText(format, i, "a/p"))
        return 3;
    return 0;
}

bool HasHalfDayTokenFrom(const QString& format, qsizetype i)
{
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        if (HalfDayTokenLength(format, i) > 0)
            return true;
        ++i;
    }
    return false;
}

QString Number(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

void AppendFormat(QString& out, const QString& format, const TDateTimeParts& p, int depth)
{
    // The locale's formats may name each other; two levels are all a sensible one needs.
    if (depth > 2)
        return;
    const TFormatSettings& fs = FormatSettings;
    bool afterHour = false;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            qsizetype end = format.indexOf(c, i + 1);
            if (end < 0)
                end = format.size();
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const char16_t token = c.toUpper().unicode();
        int run = 1;
        while (i + run < format.size() && format[i + run].toUpper().unicode() == token)
            ++run;
        bool isHour = false;
        switch (token) {
        case u'C':
            run = 1;
            AppendFormat(out, fs.ShortDateFormat, p, depth + 1);
            if (p.Hour != 0 || p.Min != 0 || p.Sec != 0 || p.MSec != 0) {
                out += u' ';
                AppendFormat(out, fs.LongTimeFormat, p, depth + 1);
            }
            break;
        case u'D':
            switch (run) {
            case 1: out += QString::number(p.Day); break;
            case 2: out += Number(p.Day, 2); break;
            case 3: out += fs.ShortDayNames[p.DayOfWeek]; break;
            case 4: out += fs.LongDayNames[p.DayOfWeek]; break;
            case 5: AppendFormat(out, fs.ShortDateFormat, p, depth + 1); break;
            default: AppendFormat(out, fs.LongDateFormat, p, depth + 1); break;
            }
            break;
        case u'M':
            if (afterHour)
                out += run == 1 ? QString::number(p.Min) : Number(p.Min, 2);
            else if (run <= 2)
                out += run == 1 ? QString::number(p.Month) : Number(p.Month, 2);
            else
                out += run == 3 ? fs.ShortMonthNames[p.Month - 1] : fs.LongMonthNames[p.Month - 1];
            break;
        case u'Y': out += run <= 2 ? Number(p.Year % 100, 2) : Number(p.Year, 4); break;
        case u'H': {
            int hour = p.Hour;
            if (HasHalfDayTokenFrom(format, i + run))
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += run == 1 ? QString::number(hour) : Number(hour, 2);
            isHour = true;
            break;
        }
        case u'N': out += run == 1 ? QString::number(p.Min) : Number(p.Min, 2); break;
        case u'S': out += run == 1 ? QString::number(p.Sec) : Number(p.Sec, 2); break;
        case u'Z': out += run == 1 ? QString::number(p.MSec) : Number(p.MSec, 3); break;
        case u'T': AppendFormat(out, run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, depth + 1); break;
        case u'A': {
            const int length = HalfDayTokenLength(format, i);
            const bool pm = p.Hour >= 12;
            run = length > 0 ? length : 1;
            if (length == 5)
                out += format.mid(i + (pm ? 3 : 0), 2);
            else if (length == 4)
                out += pm ? fs.TimePMString : fs.TimeAMString;
            else if (length == 3)
                out += format[i + (pm ? 2 : 0)];
            else
                out += c;
            break;
        }
        default:
            // Any other character is copied; separators and blanks keep an "m" after an hour a minute.
            out += token == u'/' ? fs.DateSeparator : token == u':' ? fs.TimeSeparator : c;
            ++i;
            continue;
        }
        afterHour = isHour;
        i += run;
    }
}

} // namespace

QString FormatDateTime(const QString& Format, TDateTime DateTime)
{
    TDateTimeParts p;
    DecodeDate(DateTime, p.Year, p.Month, p.Day);
    DecodeTime(DateTime, p.Hour, p.Min, p.Sec, p.MSec);
    std::int64_t day, msec;
    SplitDateTime(DateTime, day, msec);
    p.DayOfWeek = int(((day % 7) + 7 + 6) % 7); // day 0, 1899-12-30, was a Saturday
    QString out;
    AppendFormat(out, Format, p, 0);
    return out;
}

QString DateTimeToStr(TDateTime DateTime)
{
    return FormatDateTime(QStringLiteral("c"), DateTime);
}
