// TDateTime: days since 30 December 1899 with the time of day as the fraction; encoding and
// decoding, the current time from a clock that tests can replace, and FormatDateTime.
#pragma once

#include "platform/rtl/exception.h"

#include <QDateTime>
#include <QString>
#include <functional>

// The integer part counts days from 1899-12-30 (negative before it); the fraction's magnitude is
// the time of day. Times are local.
using TDateTime = double;

// Year 1 to 9999, month 1 to 12, a day of that month; raise EConvertError when invalid.
TDateTime EncodeDate(int Year, int Month, int Day);
// Hour 0 to 23, minute and second 0 to 59, millisecond 0 to 999.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// As above, returning false instead of raising.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
// Split a date-time, rounded to the millisecond; dates outside years 1 to 9999 (and values that are
// not numbers) decode as the nearest end of that range (as 0).
void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
// The current local date-time, from the system clock unless a test replaced it.
TDateTime Now();
// Today, without the time.
TDateTime Date();
// Replaces the clock Now and Date read; an empty function restores the system clock. Returns the
// clock that was in use (empty for the system clock).
using TNowFunction = std::function<TDateTime()>;
TNowFunction SetNowFunction(TNowFunction Clock);

// A QDateTime as a local date-time (one in another time zone is turned into local time first);
// 0 for an invalid one or one outside years 1 to 9999.
TDateTime QDateTimeToDateTime(const QDateTime& Value);

// Formats a date-time by the tokens below (case does not matter), with FormatSettings' names,
// formats and separators; text in double or single quotes is copied, as is any other character.
//   c       ddddd, then a blank and tt unless the time is exactly midnight
//   d dd    day of month (dd with a leading zero)      ddd dddd  short or long day name
//   ddddd   the short date format                      dddddd    the long date format
//   m mm    month (mmm, mmmm: short or long name); right after an hour token: minutes
//   yy yyyy year in two or four digits
//   h hh    hour, 0 to 23, or 1 to 12 when an am/pm token follows later in the format
//   n nn    minutes          s ss    seconds           z zzz     milliseconds
//   t tt    the short or long time format
//   am/pm a/p  the half of the day, in the case written;  ampm  TimeAMString or TimePMString
//   /       the date separator                         :         the time separator
QString FormatDateTime(const QString& Format, TDateTime DateTime);
// FormatDateTime with "c": the short date and the long time.
QString DateTimeToStr(TDateTime DateTime);
