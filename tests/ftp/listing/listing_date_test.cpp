// Month names and listing dates, read against a fixed clock.
#include "ftp/listing/listing_date.h"

#include "support/clock_scope.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int y, int m, int d, int h = 0, int n = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, n, 0, 0);
}

} // namespace

TEST(ListingDate, MonthNumbers)
{
    struct Case {
        const char* text;
        const char* number;
    };
    const Case cases[] = {
        {"Jan", "01"}, {"Feb", "02"}, {"Mar", "03"}, {"Apr", "04"},  {"May", "05"}, {"Jun", "06"},
        {"Jul", "07"}, {"Aug", "08"}, {"Sep", "09"}, {"Oct", "10"},  {"Nov", "11"}, {"Dec", "12"},
        {"jan", "01"}, {"jUN", ""},   {"JAN", ""},   {"July", "07"}, {"Jx", ""},    {"Ma", ""},
        {"Mxr", "03"}, {"Ap", "04"},  {"Xyz", ""},   {"", ""},       {"15", ""},    {"sep 5", "09"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonthNumber(QString(c.text)), c.number) << c.text;
}

TEST(ListingDate, UnixAndDosDates)
{
    ClockScope clock(At(2026, 3, 10, 12, 0));
    struct Case {
        const char* text;
        TDateTime expected;
    };
    const Case cases[] = {
        // Unix: a time means this year, a year means midnight.
        {"Jan 15 10:30", At(2026, 1, 15, 10, 30)},
        {"Jan 15 2003", At(2003, 1, 15)},
        {"Jan 5 10:30", At(2026, 1, 5, 10, 30)},
        {"  Jan  5  10:30 ", At(2026, 1, 5, 10, 30)},
        {"jan 15 2003", At(2003, 1, 15)},
        {"Feb 29 2024", At(2024, 2, 29)},
        {"Feb 29 10:30", 0},                       // no 29 February this year
        {"Mar 11 10:30", At(2026, 3, 11, 10, 30)}, // less than a day ahead: clocks differ
        {"Mar 12 10:30", At(2025, 3, 12, 10, 30)}, // further ahead: last year
        {"Dec 31 23:59", At(2025, 12, 31, 23, 59)},
        {"Jan 32 10:30", 0},
        {"Jan 15 25:00", 0},
        {"Jan 10:30", 0},
        // DOS: two-digit years pivot at 70; AM and PM where they stand; 24-hour times.
        {"01-15-98 10:30PM", At(1998, 1, 15, 22, 30)},
        {"12-01-05 12:10AM", At(2005, 12, 1, 0, 10)},
        {"12-01-05 12:10PM", At(2005, 12, 1, 12, 10)},
        {"03-15-24 09:00AM", At(2024, 3, 15, 9, 0)},
        {"03-15-69 09:00AM", At(2069, 3, 15, 9, 0)},
        {"03-15-70 09:00AM", At(1970, 3, 15, 9, 0)},
        {"01-15-03 9:30PM", At(2003, 1, 15, 21, 30)},
        {"01-15-2003 10:30AM", At(2003, 1, 15, 10, 30)},
        {"01-15-2003 14:30", At(2003, 1, 15, 14, 30)},
        {"01-15-03 12:00", At(2003, 1, 15, 12, 0)},
        {"01-15-03 12:00:45", At(2003, 1, 15, 12, 0)}, // seconds are no AM/PM letter
        {"01-15-03", At(2003, 1, 15)},
        {"13-15-03 10:30AM", 0},
        {"02-29-23 10:30AM", 0},
        {"ab-cd-ef 10:30AM", 0},
        {"01-15-0x 10:30AM", 0},
        {"1-15-03 10:30AM", 0},
        {"", 0},
        {"   ", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseListingDate(QString(c.text)), c.expected) << c.text;
}

TEST(ListingDate, UnixTimesNearTheTurnOfTheYear)
{
    ClockScope clock(At(2026, 1, 5, 9, 0));
    EXPECT_EQ(ParseListingDate(u"Dec 20 10:30"), At(2025, 12, 20, 10, 30));
    EXPECT_EQ(ParseListingDate(u"Jan 5 08:00"), At(2026, 1, 5, 8, 0));
    EXPECT_EQ(ParseListingDate(u"Dec 20 2026"), At(2026, 12, 20)); // a year is taken as written
    // A whole listing is read against one reading of the clock, given by the caller.
    EXPECT_EQ(ParseListingDate(u"Dec 20 10:30", At(2027, 1, 1)), At(2026, 12, 20, 10, 30));
    EXPECT_EQ(ParseListingDate(u"Dec 20 10:30", At(2026, 12, 21)), At(2026, 12, 20, 10, 30));
}
