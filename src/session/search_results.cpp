// The GUI-thread steps of an offline search and the conversion of a matching line into a row.
#include "session/search_results.h"

#include "ftp/listing/listing_date.h"
#include "ftp/listing/listing_line_fields.h"
#include "platform/rtl/date_time.h"
#include "platform/shellapi/file_info.h"
#include "platform/widgets/list_view.h"
#include "routines/size_texts.h"
#include "routines/string_routines.h"

#include <QLabel>
#include <QMovie>

namespace {

// The folder a hit's name is looked up in: a name of no real folder, so only the name counts.
const QString DummyFolder = QStringLiteral("xxKelxx/");

QString Field(const QString& Line, TListingSpan Span)
{
    return Line.mid(Span.Start, Span.End - Span.Start);
}

// The attribute text of a line: its first column, or "d" and "-" for the folders and files of
// DOS lines, which have none.
QString AttributeText(const QString& Line, const TListingLineFields& Fields)
{
    if (Fields.Attributes.End > Fields.Attributes.Start)
        return Field(Line, Fields.Attributes);
    return Fields.Kind == 'd' ? QStringLiteral("d") : Fields.Kind == '-' ? QStringLiteral("-") : QString();
}

void RunAnimation(QWidget* Animation, bool Run)
{
    if (!Animation)
        return;
    if (auto* label = qobject_cast<QLabel*>(Animation); label && label->movie()) {
        if (Run)
            label->movie()->start();
        else
            label->movie()->stop();
    }
    if (Run)
        Animation->raise();
    Animation->setVisible(Run);
}

} // namespace

bool SearchLineMatches(const QString& Line, const QString& Mask, int CaseIndex)
{
    static constexpr int StartByCase[2] = {-1, 1};
    return StrScanPattern(Line, Mask, StartByCase[CaseIndex == 1 ? 1 : 0]) > 0;
}

bool MakeSearchHit(TListingFormat Format, const QString& Folder, const QString& Line, TSearchHit& Hit)
{
    const TListingLineFields fields = SplitListingLine(QStringView(Line), Format);
    if (fields.Count == 0)
        return false;
    Hit = {};
    Hit.Folder = Folder;
    const QString attributes = AttributeText(Line, fields);
    const QChar kind = attributes.isEmpty() ? QChar() : attributes[0];
    const bool folder = kind == u'd' || kind == u'l';
    if (!folder) {
        bool ok = false;
        const qint64 size = Field(Line, fields.Size).trimmed().toLongLong(&ok);
        Hit.Size = FormatSizeKB(ok ? size : 0);
    }
    Hit.Caption = fields.Count >= 4 ? Field(Line, fields.Name) : QString();
    // A link's name stands before " -> " and its target, as the remote list shows it.
    if (kind == u'l')
        Hit.Caption = Hit.Caption.left(Hit.Caption.indexOf(QLatin1String(" -> ")));
    win::SHFILEINFO info;
    win::SHGetFileInfo(DummyFolder + Hit.Caption,
                       folder ? win::FILE_ATTRIBUTE_DIRECTORY : win::FILE_ATTRIBUTE_NORMAL, &info,
                       win::SHGFI_USEFILEATTRIBUTES | win::SHGFI_SYSICONINDEX | win::SHGFI_SMALLICON |
                           win::SHGFI_TYPENAME);
    Hit.ImageIndex = info.iIcon;
    Hit.TypeName = info.szTypeName;
    if (fields.Count >= 3) {
        QVarLengthArray<QChar, 64> date;
        JoinListingDate(QStringView(Line), fields, date);
        const TDateTime value = ParseListingDate(QStringView(date.constData(), date.size()).trimmed());
        if (value != 0)
            Hit.Date = DateTimeToStr(value);
    }
    return true;
}

TSearchResults::TSearchResults(TListView& List, std::function<void(const QString&, int)> Status, QWidget* Animation)
    : list_(List), status_(std::move(Status)), animation_(Animation)
{
}

void TSearchResults::Start(const QString& Mask)
{
    list_.Clear();
    TListItem* item = list_.Add();
    item->SetCaption(QStringLiteral("Searching for %1...").arg(Mask));
    item->SetImageIndex(SearchPlaceholderImage);
    RunAnimation(animation_, true);
}

void TSearchResults::FolderNotice(const QString& Folder)
{
    status_(QStringLiteral("Searching %1...").arg(Folder), 2);
}

void TSearchResults::AddResult(TListingFormat Format, const QString& Folder, const QString& Line)
{
    TSearchHit hit;
    if (!MakeSearchHit(Format, Folder, Line, hit))
        return;
    TListItem* item = list_.Add();
    item->SetCaption(hit.Caption);
    item->SetImageIndex(hit.ImageIndex);
    item->SetSubItems({hit.Folder, hit.Size, hit.TypeName, hit.Date});
}

void TSearchResults::ReadFailed(const QString& Folder, const QString& Reason)
{
    if (OnReadError)
        OnReadError(QStringLiteral("The cached listing of %1 could not be read: %2").arg(Folder, Reason));
}

void TSearchResults::Finish()
{
    if (list_.Count() == 1 && list_.Item(0)->ImageIndex() == SearchPlaceholderImage) {
        const QString text = QStringLiteral("Search is complete. There are no results to display.");
        list_.Item(0)->SetCaption(text);
        list_.Item(0)->SetImageIndex(-1);
        status_(text, 2);
    } else {
        if (list_.Count() > 0)
            list_.Delete(0);
        status_(QStringLiteral("Search is complete. Found %1 matches.").arg(list_.Count()), 2);
    }
    RunAnimation(animation_, false);
}
