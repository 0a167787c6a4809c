// StrToDateTimePic: reads a date-time from a text by a picture that marks where each field stands.
#pragma once

#include "platform/rtl/date_time.h"

#include <QStringView>

// Reads Text by Picture: a marker at position p of the picture means the two characters at
// position p of the text, read as a decimal number (0 when they are not one). Markers: "CC"
// century, "YY" year in the century, "MM" month (the first "MM"), "DD" day, "HH" hour, "MM" again
// from "HH" on for the minutes, "SS" seconds, "AP" the AM/PM letter.
//
// With "CC" at a position before the end of the text the year is the century times 100;
// otherwise year, month and day start from today's date, and "YY" replaces only the last two
// digits of the year. The month is read only when "MM" lies within the text, the day only after
// the month, the hour only after the day, and minutes, seconds and the AM/PM letter only after the
// hour. A "P" or "p" at "AP" adds 12 to an hour below 12; any other letter makes hour 12 into 0.
// An empty text, or fields that make no valid date and time, give 0.
TDateTime StrToDateTimePic(QStringView Text, QStringView Picture);

// A picture with its markers looked up once, for reading many texts by it.
class TDatePicture {
public:
    explicit TDatePicture(QStringView Picture);
    // StrToDateTimePic(Text, the picture).
    TDateTime Read(QStringView Text) const;

private:
    // 1-based positions of the markers in the picture, 0 for those it lacks.
    int century_, years_, months_, days_, hours_, minutes_, seconds_, half_;
};
