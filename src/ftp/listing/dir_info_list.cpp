// TFtpDirInfoList: the parsers of the four listing formats.
#include "ftp/listing/dir_info_list.h"

#include "ftp/listing/listing_columns.h"
#include "platform/rtl/trim.h"
#include "routines/string_routines.h"

#include <QVarLengthArray>

namespace {

constexpr int DosMinimumLength = 21;

// Columns joined with single blanks and trimmed.
QString JoinedWithBlanks(std::initializer_list<QStringView> columns)
{
    QVarLengthArray<QChar, 64> joined;
    for (const QStringView column : columns) {
        if (!joined.isEmpty())
            joined.append(u' ');
        joined.append(column.data(), column.size());
    }
    return Trim(QStringView(joined)).toString();
}

// Whether a column holds "<DIR>" in any letter case.
bool HoldsDirMark(QStringView column)
{
    static constexpr char16_t Mark[] = u"<DIR>";
    for (qsizetype i = 0; i + 5 <= column.size(); ++i) {
        qsizetype k = 0;
        while (k < 5 && StrUpCaseChar(column[i + k]) == QChar(Mark[k]))
            ++k;
        if (k == 5)
            return true;
    }
    return false;
}

} // namespace

void TFtpDirInfoList::ParseUnix(const QString& Line, int SizeColumn)
{
    Clear();
    if (!IsUnixTypeLine(Line))
        return;
    const int firstDate = SizeColumn + 1;
    const int lastDate = SizeColumn + 3;
    QStringView dateColumns[3];
    QString date;
    TListingColumns columns(Line);
    while (columns.Next()) {
        const int n = columns.Number();
        if (n == 1) {
            // Listings repeat a few attribute texts: consecutive equal ones share one string.
            if (columns.Text() != lastAttributes_)
                lastAttributes_ = columns.Text().toString();
            Add(lastAttributes_);
        } else if (n == SizeColumn) {
            Add(columns.Text().toString());
        } else if (n >= firstDate && n <= lastDate) {
            dateColumns[n - firstDate] = columns.Text();
            if (n == lastDate) {
                date = JoinedWithBlanks({dateColumns[0], dateColumns[1], dateColumns[2]});
                Add(date);
            }
        } else if (n > lastDate) {
            const QStringView name = Trim(columns.Rest());
            Add(name.isEmpty() ? date : name.toString());
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
    QString attributes, size = QStringLiteral("0"), name;
    QStringView day, time;
    TListingColumns columns(Line);
    while (columns.Next()) {
        if (columns.Number() == 1) {
            day = columns.Text();
        } else if (columns.Number() == 2) {
            time = columns.Text();
        } else {
            if (HoldsDirMark(columns.Text())) {
                attributes = QStringLiteral("d");
            } else {
                attributes = QStringLiteral("-");
                size = columns.Text().toString();
            }
            name = Trim(QStringView(Line).sliced(columns.End())).toString();
            break;
        }
    }
    Add(attributes);
    Add(size);
    Add(time.isNull() ? JoinedWithBlanks({day}) : JoinedWithBlanks({day, time}));
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
