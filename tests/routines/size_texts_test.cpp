// Size, duration and date texts with fixed formats.
#include "routines/size_texts.h"
#include "support/clock_scope.h"
#include "support/format_settings_scope.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

TEST(SizeTexts, SizesInBytesKilobytesAndMegabytes)
{
    FormatSettingsScope formats;
    struct Case {
        std::int64_t bytes;
        const char* sizeKB;
        const char* byteSize;
    };
    const Case cases[] = {
        {-1, "", "-1 bytes"},
        {0, "1 KB", "0 bytes"},
        {1024, "1 KB", "1024 bytes"},
        {1025, "1 KB", "1 KB"},
        {2048, "2 KB", "2 KB"},
        {1048575, "1023 KB", "1023 KB"},
        {1048576, "1 MB", "1 MB"},
        {1536000, "1.46 MB", "1.46 MB"},
        {1047527424, "999 MB", "999 MB"},
        {1048051712, "1000 MB", "1000 MB"}, // 999.5 MB rounds to four digits
        {5000000000, "4768 MB", "4768 MB"}, // no exponent form
        {INT64_MAX, "8796093022208 MB", "8796093022208 MB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(FormatSizeKB(c.bytes), c.sizeKB);
        EXPECT_EQ(FormatByteSize(c.bytes), c.byteSize);
    }

    EXPECT_EQ(FormatKBSize(-1), "");
    EXPECT_EQ(FormatKBSize(0), "0 KB");
    EXPECT_EQ(FormatKBSize(1023), "1023 KB");
    EXPECT_EQ(FormatKBSize(1024), "1 MB");
    EXPECT_EQ(FormatKBSize(1500), "1.46 MB");
    EXPECT_EQ(FormatKBSize(2000000), "1953 MB");
}

TEST(SizeTexts, DurationsAndTheLocaleSeparator)
{
    TFormatSettings comma;
    comma.DecimalSeparator = u',';
    FormatSettingsScope formats(comma);
    struct Case {
        std::int64_t seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 Seconds"},       {59, "59 Seconds"},  {60, "1 Minute(s)"},   {90, "1,5 Minute(s)"},
        {3599, "60 Minute(s)"}, {3600, "1 Hour(s)"}, {5400, "1,5 Hour(s)"}, {3600 * 1000, "1000 Hour(s)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDuration(c.seconds), c.text) << c.seconds;
    EXPECT_EQ(FormatDurationMs(0), "0 Seconds");
    EXPECT_EQ(FormatDurationMs(-5), "0 Seconds");
    EXPECT_EQ(FormatDurationMs(1499), "1 Seconds");
    EXPECT_EQ(FormatDurationMs(1500), "2 Seconds");
    EXPECT_EQ(FormatDurationMs(90000), "1,5 Minute(s)");
}

TEST(SizeTexts, LongDateTimeUsesTheClockForZero)
{
    FormatSettingsScope formats;
    const TDateTime moment = EncodeDate(2026, 1, 15) + EncodeTime(22, 30, 5, 0);
    EXPECT_EQ(FormatDateTimeLong(moment), "Thursday, January 15, 2026, 10:30:05 PM");
    ClockScope clock(moment);
    EXPECT_EQ(FormatDateTimeLong(0), "Thursday, January 15, 2026, 10:30:05 PM");
}
