// StrToDateTimePic: fields placed by the picture, today's date where the century is missing, the
// order in which fields are read, the AM/PM letter, and invalid dates.
#include "routines/date_picture.h"
#include "support/clock_scope.h"

#include <gtest/gtest.h>

namespace {

// Before 1899-12-30 the day counts down while the time of day still counts up.
TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0)
{
    const TDateTime date = EncodeDate(y, m, d);
    const TDateTime time = EncodeTime(h, n, s, 0);
    return date < 0 ? date - time : date + time;
}

} // namespace

TEST(DatePicture, ReadsTheFieldsThePictureMarks)
{
    ClockScope clock(At(2026, 3, 10, 8, 0));
    struct Case {
        const char* text;
        const char* picture;
        TDateTime expected;
    };
    const Case cases[] = {
        {"0115202610:30", "MMDDCCYYHH:MMSS", At(2026, 1, 15, 10, 30)},
        {"0115202610:3045", "MMDDCCYYHH:MMSS", At(2026, 1, 15, 10, 30, 45)},
        {"01-15-199810:30", "MM-DD-CCYYHH:MM", At(1998, 1, 15, 10, 30)},
        {"0229202400:00", "MMDDCCYYHH:MM", At(2024, 2, 29)},
        // Without a century the year, month and day start from today; "YY" keeps today's century.
        {"01/15", "MM/DD", At(2026, 1, 15)},
        {"01/15/98", "MM/DD/YY", At(2098, 1, 15)},
        {"0115", "MMDDCC", At(2026, 1, 15)},   // "CC" past the text
        {"01152", "MMDDCC", At(2026, 1, 15)},  // "CC" on the last character
        {"05", "MM", At(2026, 5, 10)},         // no day marker: today's day
        {"0", "DDMM", At(2026, 3, 10)},        // the month lies outside the text: nothing is read
        {"0115", "MMDDCCYY", At(2000, 1, 15)}, // "YY" past the text reads as 00
        // Half days.
        {"011520261230PM", "MMDDCCYYHHMMAP", At(2026, 1, 15, 12, 30)},
        {"011520261230AM", "MMDDCCYYHHMMAP", At(2026, 1, 15, 0, 30)},
        {"011520260130pm", "MMDDCCYYHHMMAP", At(2026, 1, 15, 13, 30)},
        {"011520260130AM", "MMDDCCYYHHMMAP", At(2026, 1, 15, 1, 30)},
        {"011520261230", "MMDDCCYYHHMMAP", At(2026, 1, 15, 0, 30)}, // no letter: as AM
        {"011520261130XM", "MMDDCCYYHHMMAP", At(2026, 1, 15, 11, 30)},
        {"0115189910:30", "MMDDCCYYHH:MM", At(1899, 1, 15, 10, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " by " << c.picture);
        EXPECT_EQ(StrToDateTimePic(QString(c.text), QString(c.picture)), c.expected);
    }
}

TEST(DatePicture, InvalidOrMissingDatesGiveZero)
{
    ClockScope clock(At(2026, 3, 10));
    const char* const texts[] = {
        "",              // empty
        "1315202610:30", // month 13
        "0230202610:30", // 30 February
        "0229202300:00", // no 29 February in 2023
        "0115202625:00", // hour 25
        "0115202610:60", // minute 60
        "0a15202610:30", // a field that is no number reads as 0
        "0100202610:30", // day 0
        "0115000010:30", // year 0
        "01",            // the day is past the text: 0
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(StrToDateTimePic(QString(text), u"MMDDCCYYHH:MMSS"), 0);
    }
}
