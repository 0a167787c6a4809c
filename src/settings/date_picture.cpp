// StrToDateTimePic.
#include "settings/date_picture.h"

namespace {

// The 1-based position of Marker in Picture at or after From; 0 when absent.
int MarkerAt(const QString& Picture, const char* Marker, int From = 1)
{
    return int(Picture.indexOf(QLatin1String(Marker), From - 1) + 1);
}

// The two characters at Position (1-based) of Text as a decimal number; 0 when they are not one.
int FieldAt(const QString& Text, int Position)
{
    if (Position < 1 || Position > Text.size())
        return 0;
    int value = 0;
    const qsizetype end = std::min<qsizetype>(Position + 1, Text.size());
    for (qsizetype i = Position - 1; i < end; ++i) {
        const char16_t c = Text[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

TDateTime StrToDateTimePic(const QString& Text, const QString& Picture)
{
    if (Text.isEmpty())
        return 0;
    const int length = int(Text.size());
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    const int century = MarkerAt(Picture, "CC");
    if (century > 0 && century < length)
        year = FieldAt(Text, century) * 100;
    else
        DecodeDate(Date(), year, month, day);
    if (const int years = MarkerAt(Picture, "YY"); years > 0)
        year = year / 100 * 100 + FieldAt(Text, years);

    const int months = MarkerAt(Picture, "MM");
    const int days = MarkerAt(Picture, "DD");
    const int hours = MarkerAt(Picture, "HH");
    if (months > 0 && months <= length) {
        month = FieldAt(Text, months);
        if (days > 0) {
            day = FieldAt(Text, days);
            if (hours > 0) {
                hour = FieldAt(Text, hours);
                if (const int minutes = MarkerAt(Picture, "MM", hours); minutes > 0)
                    minute = FieldAt(Text, minutes);
                if (const int seconds = MarkerAt(Picture, "SS"); seconds > 0)
                    second = FieldAt(Text, seconds);
                if (const int half = MarkerAt(Picture, "AP"); half > 0) {
                    const QChar letter = half <= length ? Text[half - 1] : QChar();
                    if (letter == u'P' || letter == u'p') {
                        if (hour < 12)
                            hour += 12;
                    } else if (hour == 12) {
                        hour = 0;
                    }
                }
            }
        }
    }

    TDateTime date, time;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, 0, time))
        return 0;
    // Before 1899-12-30 the day counts down while the time of day still counts up.
    return date < 0 ? date - time : date + time;
}
