// The dates of remote listings.
#include "ftp/listing/listing_date.h"

#include "platform/rtl/trim.h"
#include "routines/date_picture.h"
#include "routines/string_routines.h"

#include <algorithm>

namespace {

const TDatePicture UnixPicture(u"MMDDCCYYHH:MMSS");
const TDatePicture DosPicture(u"MM-DD-CCYYHH:MM");
const TDatePicture DosPictureHalfDays(u"MM-DD-CCYYHH:MMAP");

// The text a picture reads, put together without blanks and without allocating. Only its first
// characters and whether it reaches past them matter to a picture, so a longer text is cut.
class TPictureText {
public:
    void Add(QChar c)
    {
        if (c != u' ' && size_ < Capacity)
            chars_[size_++] = c;
    }
    void Add(QStringView text)
    {
        for (const QChar c : text)
            Add(c);
    }
    QStringView View() const { return QStringView(chars_, size_); }

private:
    static constexpr qsizetype Capacity = 40;
    QChar chars_[Capacity];
    qsizetype size_ = 0;
};

// 1 to 12 for the month name Text starts with, 0 for none.
int MonthOf(QStringView text)
{
    if (text.isEmpty())
        return 0;
    const QChar second = text.size() > 1 ? text[1] : QChar();
    const QChar third = text.size() > 2 ? text[2] : QChar();
    switch (StrUpCaseChar(text[0]).unicode()) {
    case u'A': return second == u'p' ? 4 : second == u'u' ? 8 : 0;
    case u'D': return 12;
    case u'F': return 2;
    case u'J': return third == u'l' ? 7 : third == u'n' ? (second == u'a' ? 1 : 6) : 0;
    case u'M': return third == u'r' ? 3 : third == u'y' ? 5 : 0;
    case u'N': return 11;
    case u'O': return 10;
    case u'S': return 9;
    default: return 0;
    }
}

void AddTwoDigits(TPictureText& text, int value)
{
    text.Add(QChar(u'0' + value / 10 % 10));
    text.Add(QChar(u'0' + value % 10));
}

// "15 10:30" or "15 2003" after the month: the day (a leading 0 for one digit), then the year
// (Year, for a text with a time) before the time, or the text's year and 00:00.
TDateTime UnixDate(int month, QStringView rest, int year)
{
    TPictureText text;
    AddTwoDigits(text, month);
    if (rest.size() > 1 && rest[1] == u' ')
        text.Add(u'0');
    const qsizetype colon = rest.indexOf(u':');
    if (colon >= 0) {
        const qsizetype blank = rest.first(colon).lastIndexOf(u' ');
        if (blank < 0)
            return 0;
        text.Add(rest.first(blank));
        AddTwoDigits(text, year / 100);
        AddTwoDigits(text, year);
        text.Add(rest.sliced(blank));
    } else {
        text.Add(rest);
        text.Add(u"00:00");
    }
    return UnixPicture.Read(text.View());
}

bool IsDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "01-15-03 10:30PM": a date column of eight or ten characters and a time column.
TDateTime DosDate(QStringView text)
{
    const qsizetype blank = text.indexOf(u' ');
    const QStringView date = blank < 0 ? text : text.first(blank);
    QStringView time = blank < 0 ? QStringView() : Trim(text.sliced(blank));
    if ((date.size() != 8 && date.size() != 10) || !IsDigits(date.sliced(6)))
        return 0;
    TPictureText picture;
    picture.Add(date.first(6));
    if (date.size() == 8)
        picture.Add(date.sliced(6).toInt() >= 70 ? u"19" : u"20");
    picture.Add(date.sliced(6));
    if (time.size() > 1 && time[1] == u':')
        picture.Add(u'0');
    picture.Add(time);
    // An "A" or "P" right after "HH:MM" makes it a 12-hour time; else it is on the 24-hour clock.
    const QStringView read = picture.View();
    const bool halfDays = read.size() > 15 && QStringView(u"AaPp").contains(read[15]);
    return (halfDays ? DosPictureHalfDays : DosPicture).Read(read);
}

} // namespace

QString MonthNumber(QStringView Text)
{
    const int month = MonthOf(Text);
    return month == 0 ? QString() : QString::number(month).rightJustified(2, u'0');
}

TDateTime ParseListingDate(QStringView DateText, TDateTime CurrentTime)
{
    const QStringView text = Trim(DateText);
    if (text.isEmpty())
        return 0;
    const int month = MonthOf(text);
    if (month == 0)
        return DosDate(text);

    const QStringView rest = Trim(text.sliced(std::min<qsizetype>(3, text.size())));
    if (!rest.contains(u':'))
        return UnixDate(month, rest, 0);
    // A time instead of a year stands for the last six months: a date that would lie ahead is
    // from last year.
    int year, unusedMonth, unusedDay;
    DecodeDate(CurrentTime, year, unusedMonth, unusedDay);
    const TDateTime date = UnixDate(month, rest, year);
    return date > CurrentTime + 1 ? UnixDate(month, rest, year - 1) : date;
}
