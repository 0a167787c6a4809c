// TFtpDirInfoList: the parsers of the four listing formats.
#include "ftp/listing_parser.h"

#include "ftp/listing_columns.h"
#include "platform/rtl/trim.h"

namespace {

constexpr int DosMinimumLength = 21;

} // namespace

void TFtpDirInfoList::ParseUnix(const QString& Line, int SizeColumn)
{
    Clear();
    if (!IsUnixTypeLine(Line))
        return;
    const int firstDate = SizeColumn + 1;
    const int lastDate = SizeColumn + 3;
    QString date;
    TListingColumns columns(Line);
    while (columns.Next()) {
        const int n = columns.Number();
        if (n == 1 || n == SizeColumn) {
            Add(columns.Text().toString());
        } else if (n >= firstDate && n <= lastDate) {
            if (n > firstDate)
                date += u' ';
            date += columns.Text();
            if (n == lastDate) {
                date = Trim(date);
                Add(date);
            }
        } else if (n > lastDate) {
            const QString name = Trim(columns.Rest().toString());
            Add(name.isEmpty() ? date : name);
            return;
        }
    }
}

void TFtpDirInfoList::ParseStandardUnix(const QString& Line)
{
    ParseUnix(Line, 5);
}

void TFtpDirInfoList::ParseAppleUnix(const QString& Line)
{
    ParseUnix(Line, 4);
}

void TFtpDirInfoList::ParseWebStar(const QString& Line)
{
    if (Line.startsWith(u'd')) {
        // Folder lines: attributes, "folder", a count, three date columns, the name.
        ParseUnix(Line, 3);
        if (Count() >= 2)
            SetStrings(1, QStringLiteral("0"));
    } else {
        ParseUnix(Line, 4);
    }
    if (Count() > 0)
        SetStrings(0, Trim(Strings(0)));
}

void TFtpDirInfoList::ParseDos(const QString& Line)
{
    Clear();
    if (Line.size() < DosMinimumLength)
        return;
    QString attributes, size = QStringLiteral("0"), date, name;
    TListingColumns columns(Line);
    while (columns.Next()) {
        const int n = columns.Number();
        if (n == 1) {
            date = Trim(columns.Text().toString());
        } else if (n == 2) {
            date = Trim(date + u' ' + columns.Text().toString());
        } else {
            const QStringView column = columns.Text();
            if (column.contains(QLatin1String("<DIR>"), Qt::CaseInsensitive)) {
                attributes = QStringLiteral("d");
            } else {
                attributes = QStringLiteral("-");
                size = column.toString();
            }
            name = Trim(Line.mid(columns.End()));
            break;
        }
    }
    Add(attributes);
    Add(size);
    Add(date);
    Add(name);
}

QString TFtpDirInfoList::GetEntryName() const
{
    const QString name = GetFileName();
    if (!GetAttributes().startsWith(u'l'))
        return name;
    const qsizetype arrow = name.indexOf(QLatin1String(" -> "));
    return arrow < 0 ? name : name.left(arrow);
}
