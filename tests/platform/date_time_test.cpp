// TDateTime: calendar round trips, validity, the replaceable clock, and FormatDateTime's tokens.
#include "platform/rtl/date_time.h"
#include "support/format_settings_scope.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, n, s, ms);
}

} // namespace

TEST(DateTime, DatesCountDaysFromTheEndOf1899)
{
    struct Case {
        int year, month, day;
        TDateTime value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 29, -1},  {1900, 1, 1, 2},
        {1900, 3, 1, 61},     {1970, 1, 1, 25569}, {2000, 2, 29, 36585},
        {2026, 1, 15, 46037}, {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value);
        int y, m, d;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, c.day);
    }
}

TEST(DateTime, EveryDayOfEightCenturiesRoundTrips)
{
    const int first = int(EncodeDate(1600, 1, 1));
    const int last = int(EncodeDate(2400, 12, 31));
    int previousDay = 31;
    for (int day = first; day <= last; ++day) {
        int y, m, d;
        DecodeDate(day, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), day);
        ASSERT_TRUE(d == previousDay + 1 || d == 1) << y << '-' << m << '-' << d;
        previousDay = d;
    }
}

TEST(DateTime, TimesAreFractionsOfADayRoundedToTheMillisecond)
{
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    struct Case {
        TDateTime value;
        int year, month, day, hour, min, sec, msec;
    };
    const Case cases[] = {
        {At(2026, 1, 15, 23, 59, 59, 999), 2026, 1, 15, 23, 59, 59, 999},
        {At(2026, 1, 15, 10, 30), 2026, 1, 15, 10, 30, 0, 0},
        {1 - 1e-12, 1899, 12, 31, 0, 0, 0, 0}, // rounds up into the next day
        {-1.25, 1899, 12, 29, 6, 0, 0, 0},     // before the epoch the fraction still counts forward
        {std::nan(""), 1899, 12, 30, 0, 0, 0, 0},
        {1e300, 9999, 12, 31, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        int y, m, d, h, n, s, ms;
        DecodeDate(c.value, y, m, d);
        DecodeTime(c.value, h, n, s, ms);
        EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}),
                  (std::vector<int>{c.year, c.month, c.day, c.hour, c.min, c.sec, c.msec}));
    }
}

TEST(DateTime, InvalidDatesAndTimesAreRefused)
{
    const int dates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 13, 1},
                            {2024, 0, 1},  {2024, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& d : dates) {
        TDateTime value = 42;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], value)) << d[0] << '-' << d[1] << '-' << d[2];
        EXPECT_EQ(value, 42);
        EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError);
    }
    TDateTime leap;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, leap));
    const int times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : times) {
        TDateTime value;
        EXPECT_FALSE(TryEncodeTime(t[0], t[1], t[2], t[3], value));
        EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
    }
}

TEST(DateTime, NowReadsAReplaceableClock)
{
    const TNowFunction previous = SetNowFunction([] { return At(2026, 1, 15, 10, 30); });
    EXPECT_EQ(Now(), At(2026, 1, 15, 10, 30));
    EXPECT_EQ(Date(), EncodeDate(2026, 1, 15));
    EXPECT_TRUE(SetNowFunction(previous));
    const TDateTime before = QDateTimeToDateTime(QDateTime::currentDateTime());
    const TDateTime now = Now();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, 1.0 / 24);
}

TEST(DateTime, QDateTimesAreTakenAsLocalTime)
{
    const QDateTime local(QDate(2026, 1, 15), QTime(9, 5, 7, 45));
    EXPECT_EQ(QDateTimeToDateTime(local), At(2026, 1, 15, 9, 5, 7, 45));
    EXPECT_EQ(QDateTimeToDateTime(local.toUTC()), At(2026, 1, 15, 9, 5, 7, 45));
    EXPECT_EQ(QDateTimeToDateTime(QDateTime()), 0);
    EXPECT_EQ(QDateTimeToDateTime(QDateTime(QDate(12000, 1, 1), QTime(0, 0))), 0);
}

TEST(FormatDateTime, TokensFollowTheFormatSettings)
{
    TFormatSettings s;
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongDateFormat = "dddd, d mmmm yyyy";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.DateSeparator = u'.';
    s.TimeAMString = "vorm.";
    s.TimePMString = "nachm.";
    FormatSettingsScope scope(s);
    const TDateTime morning = At(2026, 1, 15, 9, 5, 7, 45); // a Thursday
    const TDateTime evening = At(2026, 1, 15, 21, 30);
    struct Case {
        QString format;
        TDateTime value;
        QString expected;
    };
    const Case cases[] = {
        {"c", morning, "15.01.2026 09:05:07"},
        {"c", EncodeDate(2026, 1, 15), "15.01.2026"},
        {"ddddd", morning, "15.01.2026"},
        {"dddddd", morning, "Thursday, 15 January 2026"},
        {"dddddd, tt", morning, "Thursday, 15 January 2026, 09:05:07"},
        {"ddddd t", evening, "15.01.2026 21:30"},
        {"mm-dd-yy", morning, "01-15-26"},
        {"d/m/yy", morning, "15.1.26"},
        {"ddd dd mmm", morning, "Thu 15 Jan"},
        {"YYYY-MM-DD", morning, "2026-01-15"},
        {"h:m:s.z", morning, "9:5:7.45"},
        {"hh:mm", morning, "09:05"},
        {"hh mm zzz", morning, "09 05 045"},
        {"h:nn am/pm", morning, "9:05 am"},
        {"h:nn AM/PM", evening, "9:30 PM"},
        {"hh a/p", morning, "09 a"},
        {"h ampm", evening, "9 nachm."},
        {"h ampm", At(2026, 1, 15, 0, 10), "12 vorm."},
        {"h AMPM", At(2026, 1, 15, 12, 10), "12 nachm."},
        {"yyyy'y'\"m\" x", morning, "2026ym x"},
        {"h 'am/pm'", evening, "21 am/pm"},
        {"dddd", EncodeDate(1899, 12, 30), "Saturday"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, c.value), c.expected) << c.format.toStdString();
    EXPECT_EQ(DateTimeToStr(morning), "15.01.2026 09:05:07");
}

TEST(FormatDateTime, FormatsThatNameEachOtherStopInsteadOfLooping)
{
    TFormatSettings s;
    s.ShortDateFormat = "ddddd";
    s.LongTimeFormat = "c";
    FormatSettingsScope scope(s);
    EXPECT_EQ(FormatDateTime("c", At(2026, 1, 15, 1)).trimmed(), "");
}

TEST(FormatSettings, LocaleFormatsBecomeFormatDateTimeFormats)
{
    const TDateTime evening = At(2026, 1, 15, 21, 5, 7);
    FormatSettingsScope german(TFormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
    EXPECT_EQ(FormatSettings.DateSeparator, u'.');
    EXPECT_EQ(FormatDateTime("ddddd tt", evening), "15.01.26 21:05:07");
    EXPECT_EQ(FormatDateTime("dddddd", evening), "Donnerstag, 15. Januar 2026");
    FormatSettingsScope american(
        TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
    const QString time = FormatDateTime("tt", evening);
    EXPECT_TRUE(time.startsWith("9:05:07") && time.endsWith("PM")) << time.toStdString();
    EXPECT_EQ(FormatDateTime("ddddd", evening), "1/15/26");
}
