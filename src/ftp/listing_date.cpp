// The dates of remote listings.
#include "ftp/listing_date.h"

#include "platform/rtl/trim.h"
#include "settings/date_picture.h"
#include "settings/name_checks.h"
#include "settings/string_routines.h"

namespace {

const QString UnixPicture = QStringLiteral("MMDDCCYYHH:MMSS");
const QString DosPicture = QStringLiteral("MM-DD-CCYYHH:MM");
const QString DosPictureHalfDays = QStringLiteral("MM-DD-CCYYHH:MMAP");

QString WithoutBlanks(QString text)
{
    return text.remove(u' ');
}

// "15 10:30" or "15 2003" after the month: a date for the picture, with the given year where the
// text has a time.
TDateTime UnixDate(const QString& month, QString rest, int year)
{
    if (rest.size() > 1 && rest[1] == u' ')
        rest.prepend(u'0');
    rest.prepend(month);
    const qsizetype colon = rest.indexOf(u':');
    if (colon >= 0) {
        const qsizetype blank = rest.lastIndexOf(u' ', colon);
        if (blank < 0)
            return 0;
        rest.insert(blank, QString::number(year).rightJustified(4, u'0'));
    } else {
        rest += QStringLiteral(" 00:00");
    }
    return StrToDateTimePic(WithoutBlanks(rest), UnixPicture);
}

// "01-15-03 10:30PM": date and time columns.
TDateTime DosDate(const QString& text)
{
    const qsizetype blank = text.indexOf(u' ');
    QString date = text.left(blank);
    QString time = blank < 0 ? QString() : WithoutBlanks(text.mid(blank));
    if ((date.size() != 8 && date.size() != 10) || !IsDigitsOnly(date.mid(6)))
        return 0;
    if (date.size() == 8)
        date.insert(6, date.mid(6).toInt() >= 70 ? u"19" : u"20");
    if (time.size() > 1 && time[1] == u':')
        time.prepend(u'0');
    const bool halfDays = time.size() > 5;
    return StrToDateTimePic(date + time, halfDays ? DosPictureHalfDays : DosPicture);
}

} // namespace

QString MonthNumber(const QString& Text)
{
    if (Text.isEmpty())
        return {};
    const QChar second = Text.size() > 1 ? Text[1] : QChar();
    const QChar third = Text.size() > 2 ? Text[2] : QChar();
    const char* number = nullptr;
    switch (StrUpCaseChar(Text[0]).unicode()) {
    case u'A': number = second == u'p' ? "04" : second == u'u' ? "08" : nullptr; break;
    case u'D': number = "12"; break;
    case u'F': number = "02"; break;
    case u'J': number = third == u'l' ? "07" : third == u'n' ? (second == u'a' ? "01" : "06") : nullptr; break;
    case u'M': number = third == u'r' ? "03" : third == u'y' ? "05" : nullptr; break;
    case u'N': number = "11"; break;
    case u'O': number = "10"; break;
    case u'S': number = "09"; break;
    default: break;
    }
    return number ? QString::fromLatin1(number) : QString();
}

TDateTime ParseListingDate(const QString& DateText)
{
    const QString text = Trim(DateText);
    if (text.isEmpty())
        return 0;
    const QString month = MonthNumber(text);
    if (month.isEmpty())
        return DosDate(text);

    const QString rest = Trim(text.mid(3));
    const TDateTime now = Now();
    int year, unusedMonth, unusedDay;
    DecodeDate(now, year, unusedMonth, unusedDay);
    const TDateTime date = UnixDate(month, rest, year);
    // A time instead of a year stands for the last six months: a date that would lie ahead is
    // from last year.
    if (rest.contains(u':') && date > now + 1)
        return UnixDate(month, rest, year - 1);
    return date;
}
