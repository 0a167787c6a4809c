// TFormatSettings from the system's locale: Qt's date and time formats turned into FormatDateTime's.
#include "platform/rtl/format_settings.h"

TFormatSettings FormatSettings;

namespace {

int RunLength(const QString& text, qsizetype i)
{
    int n = 1;
    while (i + n < text.size() && text[i + n] == text[i])
        ++n;
    return n;
}

// Qt writes months as M, minutes as m, the half of the day as AP and quotes with '; FormatDateTime
// writes months as m, minutes as n, the half of the day as AMPM and quotes with " or '.
QString FromQtFormat(const QString& qt)
{
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        const QChar quote = literal.contains(u'"') ? u'\'' : u'"';
        out += quote + literal + quote;
        literal.clear();
    };
    for (qsizetype i = 0; i < qt.size();) {
        const QChar c = qt[i];
        if (c == u'\'') {
            qsizetype end = i + 1;
            while (end < qt.size()) {
                if (qt[end] == u'\'') {
                    if (end + 1 < qt.size() && qt[end + 1] == u'\'') {
                        literal += u'\'';
                        end += 2;
                        continue;
                    }
                    break;
                }
                literal += qt[end++];
            }
            if (end == i + 1)
                literal += u'\''; // '' outside quotes is one quote
            i = end + 1;
            continue;
        }
        const int run = RunLength(qt, i);
        QString token;
        switch (c.unicode()) {
        case u'd': token = QString(std::min(run, 4), u'd'); break;
        case u'M': token = QString(std::min(run, 4), u'm'); break;
        case u'y': token = run >= 4 ? QStringLiteral("yyyy") : QStringLiteral("yy"); break;
        case u'h':
        case u'H': token = QString(std::min(run, 2), u'h'); break;
        case u'm': token = QString(std::min(run, 2), u'n'); break;
        case u's': token = QString(std::min(run, 2), u's'); break;
        case u'z': token = run >= 3 ? QStringLiteral("zzz") : QStringLiteral("z"); break;
        case u'A':
        case u'a': token = QStringLiteral("AMPM"); break;
        case u't': token = QStringLiteral(""); break; // the time zone has no token
        default:
            literal += QString(run, c);
            i += run;
            continue;
        }
        int consumed = run;
        if ((c == u'A' || c == u'a') && i + 1 < qt.size() && (qt[i + 1] == u'P' || qt[i + 1] == u'p'))
            consumed = 2;
        flushLiteral();
        out += token;
        i += consumed;
    }
    flushLiteral();
    // A dropped time zone leaves its separating blank behind.
    while (out.endsWith(QStringLiteral("\" \"")))
        out.chop(3);
    return out;
}

QChar FirstSeparator(const QString& qtFormat, QChar fallback)
{
    for (const QChar c : qtFormat) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    }
    return fallback;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale)
{
    TFormatSettings s;
    s.ShortDateFormat = FromQtFormat(locale.dateFormat(QLocale::ShortFormat));
    s.LongDateFormat = FromQtFormat(locale.dateFormat(QLocale::LongFormat));
    s.ShortTimeFormat = FromQtFormat(locale.timeFormat(QLocale::ShortFormat));
    s.LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat));
    s.DateSeparator = FirstSeparator(locale.dateFormat(QLocale::ShortFormat), s.DateSeparator);
    s.TimeSeparator = FirstSeparator(locale.timeFormat(QLocale::LongFormat), s.TimeSeparator);
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();
    const QString decimal = locale.decimalPoint();
    s.DecimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal[0];
    const QString group = locale.groupSeparator();
    s.ThousandSeparator = group.isEmpty() ? QChar() : group[0];
    for (int m = 0; m < 12; ++m) {
        s.ShortMonthNames[m] = locale.monthName(m + 1, QLocale::ShortFormat);
        s.LongMonthNames[m] = locale.monthName(m + 1, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts from Monday
        s.ShortDayNames[d] = locale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return s;
}

void initFormatSettings()
{
    FormatSettings = TFormatSettings::FromLocale(QLocale::system());
}
