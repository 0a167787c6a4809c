// The dates of remote listings: month names and the date texts of Unix and DOS lines.
#pragma once

#include "platform/rtl/date_time.h"

#include <QString>
#include <QStringView>

// The two-digit number of the month name Text starts with ("Jan" "01" ... "Dec" "12"): the first
// letter in either case, the second and third in lower case. Empty when it names no month.
QString MonthNumber(QStringView Text);

// The date-time of a listing's date text; 0 when it cannot be read.
// - Unix form, a month name first: "Jan 15 10:30" (a time: the year of CurrentTime, or the year
//   before when that would lie more than a day after CurrentTime) or "Jan 15 2003" (a year: at
//   00:00).
// - DOS form: "01-15-03 10:30PM" or "01-15-2003 10:30PM" (two-digit years 70 to 99 are 19xx,
//   00 to 69 20xx; a time without AM or PM is on the 24-hour clock).
// Callers reading a whole listing pass one reading of the clock for all its lines.
TDateTime ParseListingDate(QStringView DateText, TDateTime CurrentTime = Now());
