// TFtpDirInfoList: the parsers of the four listing formats.
#include "ftp/listing/dir_info_list.h"

#include "ftp/listing/listing_line_fields.h"
#include "platform/rtl/trim.h"

void TFtpDirInfoList::Fill(const QString& Line, const TListingLineFields& Fields)
{
    Clear();
    if (Fields.Count == 0)
        return;
    const auto text = [&](TListingSpan span) { return Line.sliced(span.Start, span.End - span.Start); };
    const QStringView attributes =
        QStringView(Line).sliced(Fields.Attributes.Start, Fields.Attributes.End - Fields.Attributes.Start);
    if (attributes.isEmpty()) {
        Add(Fields.Kind == 0 ? QString() : QString(QLatin1Char(Fields.Kind)));
    } else {
        // Listings repeat a few attribute texts: consecutive equal ones share one string.
        if (attributes != lastAttributes_)
            lastAttributes_ = attributes.toString();
        Add(lastAttributes_);
    }
    if (Fields.Count < 2)
        return;
    Add(Fields.Size.End == Fields.Size.Start ? QStringLiteral("0") : text(Fields.Size));
    if (Fields.Count < 3)
        return;
    QVarLengthArray<QChar, 64> date;
    JoinListingDate(QStringView(Line), Fields, date);
    Add(Trim(QStringView(date.constData(), date.size())).toString());
    if (Fields.Count < 4)
        return;
    Add(text(Fields.Name));
}

void TFtpDirInfoList::ParseStandardUnix(const QString& Line)
{
    Fill(Line, SplitListingLine(QStringView(Line), lfStandardUnix));
}

void TFtpDirInfoList::ParseAppleUnix(const QString& Line)
{
    Fill(Line, SplitListingLine(QStringView(Line), lfAppleUnix));
}

void TFtpDirInfoList::ParseWebStar(const QString& Line)
{
    Fill(Line, SplitListingLine(QStringView(Line), lfWebStar));
}

void TFtpDirInfoList::ParseDos(const QString& Line)
{
    Fill(Line, SplitListingLine(QStringView(Line), lfDos));
}

QString TFtpDirInfoList::GetEntryName() const
{
    const QString name = GetFileName();
    if (!GetAttributes().startsWith(u'l'))
        return name;
    const qsizetype arrow = name.indexOf(QLatin1String(" -> "));
    return arrow < 0 ? name : name.left(arrow);
}
