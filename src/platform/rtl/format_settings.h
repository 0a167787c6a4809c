// TFormatSettings: the locale's date, time and number formats that Format, FloatToStrF and
// FormatDateTime use, in one global that tests may replace.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>

struct TFormatSettings {
    // Date and time formats in FormatDateTime's tokens.
    QString ShortDateFormat = QStringLiteral("m/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    QString ShortTimeFormat = QStringLiteral("h:nn AMPM");
    QString LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
    // What "/" and ":" in a date-time format stand for.
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    QChar DecimalSeparator = u'.';
    // A null character means no thousands separator.
    QChar ThousandSeparator = u',';
    // Index 0 is January; day names start with Sunday.
    std::array<QString, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<QString, 12> LongMonthNames{"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    std::array<QString, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<QString, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};

    // The formats of a locale (the defaults above are United States English).
    static TFormatSettings FromLocale(const QLocale& Locale);
};

// The formats in use. Set at start from the system's locale; read from any thread, so change it
// only while no other thread formats (tests set their own at the start of a test).
extern TFormatSettings FormatSettings;

// Loads FormatSettings from the system's locale; part of the platform's start-up.
void initFormatSettings();
