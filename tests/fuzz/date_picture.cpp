// Fuzz target: StrToDateTimePic reads any text by any picture (the input's first line is the
// picture) without a crash, and gives 0 or a date-time of years 1 to 9999.
#include "routines/date_picture.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype newline = input.indexOf(u'\n');
    const QString picture = newline < 0 ? QStringLiteral("MM-DD-CCYYHH:MMSSAP") : input.left(newline);
    const QString text = newline < 0 ? input : input.mid(newline + 1);
    const TDateTime value = StrToDateTimePic(text, picture);
    if (!std::isfinite(value) ||
        (value != 0 && (value < EncodeDate(1, 1, 1) - 1 || value > EncodeDate(9999, 12, 31) + 1)))
        std::abort();
    return 0;
}
