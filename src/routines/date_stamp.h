// The 11-character date stamp that bookmarks store their dates in: the 64 bits of a date-time.
#pragma once

#include "platform/rtl/date_time.h"

#include <QString>

// The stamp of a date-time: the value's eight bytes in reversed memory order read as one 64-bit
// number V, written six bits per character from the lowest ("A" to "Z", "a" to "z", "0" to "9",
// "+", "/"), the eleventh character holding the top four bits. Every bit is kept (NaN payloads too).
QString DateStampEncode(TDateTime Value);
// Reverses DateStampEncode from the first 11 characters; 0 for a text of fewer. A character
// outside the alphabet adds no bits at its place.
TDateTime DateStampDecode(const QString& Stamp);

// The stamp of the current date-time.
QString DateStampNow();
// DateStampDecode under the name the callers use.
TDateTime DateStampToDateTime(const QString& Stamp);
