// The texts shown for sizes, durations and dates: "1.46 MB", "1.5 Minute(s)", the long date and time.
//
// Fractions are written with three significant digits and FormatSettings' decimal separator;
// values of 1000 and more as the rounded whole number (never in exponent form).
#pragma once

#include "platform/rtl/date_time.h"

#include <QString>
#include <cstdint>

// Negative: empty; up to 1024 bytes: "1 KB"; below 1 MB: the whole kilobytes with " KB"; from
// 1 MB on: the megabytes with " MB".
QString FormatSizeKB(std::int64_t Bytes);
// Negative: empty; below 1024: the kilobytes with " KB"; else the megabytes with " MB".
QString FormatKBSize(std::int64_t Kilobytes);
// Up to 1024: the count with " bytes"; above: as FormatSizeKB.
QString FormatByteSize(std::int64_t Bytes);
// Below 60: the seconds with " Seconds"; below an hour: the minutes with " Minute(s)"; else the
// hours with " Hour(s)".
QString FormatDuration(std::int64_t Seconds);
// FormatDuration of the milliseconds rounded to whole seconds (below 1: 0 seconds).
QString FormatDurationMs(std::int64_t Milliseconds);
// The locale's long date and long time ("dddddd, tt"); 0 stands for the current time.
QString FormatDateTimeLong(TDateTime Value);
