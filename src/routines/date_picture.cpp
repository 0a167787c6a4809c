// StrToDateTimePic and TDatePicture.
#include "routines/date_picture.h"

namespace {

// The 1-based position of Marker in Picture at or after From; 0 when absent.
int MarkerAt(QStringView Picture, const char* Marker, int From = 1)
{
    return int(Picture.indexOf(QLatin1String(Marker), From - 1) + 1);
}

// The two characters at Position (1-based) of Text as a decimal number; 0 when they are not one.
int FieldAt(QStringView Text, int Position)
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

TDatePicture::TDatePicture(QStringView Picture)
    : century_(MarkerAt(Picture, "CC")), years_(MarkerAt(Picture, "YY")), months_(MarkerAt(Picture, "MM")),
      days_(MarkerAt(Picture, "DD")), hours_(MarkerAt(Picture, "HH")),
      minutes_(hours_ > 0 ? MarkerAt(Picture, "MM", hours_) : 0), seconds_(MarkerAt(Picture, "SS")),
      half_(MarkerAt(Picture, "AP"))
{
}

TDateTime TDatePicture::Read(QStringView Text) const
{
    if (Text.isEmpty())
        return 0;
    const int length = int(Text.size());
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    if (century_ > 0 && century_ < length)
        year = FieldAt(Text, century_) * 100;
    else
        DecodeDate(Date(), year, month, day);
    if (years_ > 0)
        year = year / 100 * 100 + FieldAt(Text, years_);

    if (months_ > 0 && months_ <= length) {
        month = FieldAt(Text, months_);
        if (days_ > 0) {
            day = FieldAt(Text, days_);
            if (hours_ > 0) {
                hour = FieldAt(Text, hours_);
                if (minutes_ > 0)
                    minute = FieldAt(Text, minutes_);
                if (seconds_ > 0)
                    second = FieldAt(Text, seconds_);
                if (half_ > 0) {
                    const QChar letter = half_ <= length ? Text[half_ - 1] : QChar();
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

TDateTime StrToDateTimePic(QStringView Text, QStringView Picture)
{
    return TDatePicture(Picture).Read(Text);
}
