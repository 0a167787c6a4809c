// TRemoteListModel: filling from a listing, sorting, lookups and collecting into the queue.
#include "session/remote_list_model.h"

#include "ftp/listing/listing_file.h"
#include "platform/rtl/format.h"
#include "platform/rtl/streams.h"
#include "platform/system/name_encoding.h"
#include "platform/ui/beep.h"
#include "routines/size_texts.h"
#include "session/session_log.h"
#include "session/session_window.h"
#include "shell/system_icons.h"

#include <algorithm>

namespace {

// A listing name that can stand for an entry of the listed folder.
bool IsEntryName(const QString& Name)
{
    return !Name.isEmpty() && Name != QLatin1String(".") && Name != QLatin1String("..") &&
           !Name.contains(QLatin1Char('/')) && !Name.contains(QChar(0));
}

// A size field as a byte count; 0 when it is no number. 64 bits, so files above 2 GiB keep their size.
qint64 SizeOf(const QString& Text)
{
    bool ok = false;
    const qint64 size = Text.trimmed().toLongLong(&ok);
    return ok ? size : 0;
}

template <class T> int Compare(T A, T B)
{
    return A < B ? -1 : A > B ? 1 : 0;
}

// The rank of a row in the sort: the parent entry, then folders, then files.
int SortRank(const TRemoteRow& Row)
{
    return Row.IsParent() ? 0 : Row.IsFolder() ? 1 : 2;
}

} // namespace

TRemoteListModel::TRemoteListModel(ISessionWindow& Window, TSessionLog& Log)
    : window_(Window), log_(Log)
{
    folderType_.ImageIndex = GetNameIconIndexAndType(QStringLiteral(".."), true, folderType_.TypeName);
}

void TRemoteListModel::ClearRemoteList()
{
    rows_.clear();
    RowsChanged();
    types_.clear();
    FocusedIndex = -1;
    window_.SetStatusText(QString(), 2);
}

void TRemoteListModel::AddParentRow()
{
    RowsChanged();
    TRemoteRow& row = rows_.emplace_back();
    row.Type = &*types_.insert({folderType_.ImageIndex, QString()}).first;
    row.Data = std::make_unique<TFtpDirInfo>();
    row.Data->Kind = TRemoteRow::ParentKind;
    row.Data->Name = QStringLiteral("..");
    row.Data->SizeText.clear();
}

void TRemoteListModel::FillRemoteList(const QStringList& Lines, bool FoldersOnly)
{
    TMemoryStream bytes;
    for (const QString& line : Lines) {
        const QByteArray encoded = EncodeName(line) + '\n';
        bytes.Write(encoded.constData(), encoded.size());
    }
    bytes.SetPosition(0);
    TListingFile listing;
    listing.LoadFromStream(bytes, Now(), TListingFormat(ListingFormat));
    Fill(listing, FoldersOnly);
}

bool TRemoteListModel::LoadListingFile(const QString& FileName)
{
    TListingFile listing;
    try {
        listing.LoadFromFile(FileName, Now(), TListingFormat(ListingFormat));
    } catch (const EFOpenError&) {
        return false;
    }
    Fill(listing, false);
    return true;
}

void TRemoteListModel::Fill(TListingFile& Listing, bool FoldersOnly)
{
    ClearRemoteList();
    AddParentRow();
    // The total-count line of an empty folder.
    if (Listing.LineCount() == 0 || (Listing.LineCount() == 1 && Listing.FirstLines().Strings(0).size() < 15))
        return;
    ListingFormat = Listing.Format();
    if (ListingFormat == lfUnknown) {
        MessageBeep();
        const QString text = QStringLiteral("Unable to determine the remote host type directory listing");
        window_.SetStatusText(text, 3);
        log_.AddLogLine(QStringLiteral("* ") +
                        Format(QStringLiteral("%s. Only %s, %s, %s %s are currently supported."),
                               {text, ListingFormatName(lfStandardUnix), ListingFormatName(lfAppleUnix),
                                ListingFormatName(lfDos), ListingFormatName(lfWebStar)}));
        return;
    }
    // Folders follow ".." in listing order, then the files in listing order. The rows of each
    // kind are counted first, so that every row is made in its place and none is moved after.
    std::vector<std::unique_ptr<TFtpDirInfo>>& entries = Listing.Entries();
    std::size_t folders = 0;
    std::size_t files = 0;
    for (std::unique_ptr<TFtpDirInfo>& info : entries) {
        const bool folder = info->IsDirectory();
        if (!IsEntryName(info->Name)) {
            log_.AddLogLine(Format(QStringLiteral("* The listing entry '%s' is not a usable name and is left out."),
                                   {QString(info->Name).replace(QChar(0), QLatin1Char('?'))}));
            info.reset();
        } else if (!folder && FoldersOnly) {
            info.reset();
        } else {
            ++(folder ? folders : files);
        }
    }
    rows_.resize(1 + folders + files);
    const TRemoteRowType* folderType = &*types_.insert(folderType_).first;
    std::size_t nextFolder = 1;
    std::size_t nextFile = 1 + folders;
    for (std::unique_ptr<TFtpDirInfo>& info : entries) {
        if (!info)
            continue;
        const bool folder = info->IsDirectory();
        TRemoteRow& row = rows_[folder ? nextFolder++ : nextFile++];
        if (folder) {
            row.Type = folderType;
        } else {
            TRemoteRowType type;
            type.ImageIndex = GetNameIconIndexAndType(info->Name, false, type.TypeName);
            row.Type = &*types_.insert(std::move(type)).first;
        }
        info->Kind = row.ImageIndex();
        row.Data = std::move(info);
    }
    RowsChanged();
}

QString TRemoteRow::SizeText() const
{
    return IsFolder() ? QString() : FormatSizeKB(SizeOf(Data->SizeText));
}

QString TRemoteRow::DateText() const
{
    return IsParent() ? QString() : FormatDateTime(QStringLiteral("ddddd t"), Data->DateTime);
}

bool TRemoteListModel::CompareRemoteItems(const TRemoteRow& A, const TRemoteRow& B, int Column, bool Ascending)
{
    const int rankA = SortRank(A);
    const int rankB = SortRank(B);
    if (rankA != rankB || rankA != 2)
        return rankA < rankB;
    int result = 0;
    switch (Column) {
    case 0: result = QString::localeAwareCompare(A.Caption(), B.Caption()); break;
    case 1: result = Compare(GetRemoteItemSize(A), GetRemoteItemSize(B)); break;
    case 2: result = QString::localeAwareCompare(A.TypeName(), B.TypeName()); break;
    case 3: result = Compare(GetRemoteItemDate(A), GetRemoteItemDate(B)); break;
    default: break;
    }
    return Ascending ? result < 0 : result > 0;
}

void TRemoteListModel::SortRemoteList(int Column, bool Ascending)
{
    std::stable_sort(rows_.begin(), rows_.end(), [&](const TRemoteRow& A, const TRemoteRow& B) {
        return CompareRemoteItems(A, B, Column, Ascending);
    });
    RowsChanged();
}

QString TRemoteListModel::GetSelectedRemoteFile() const
{
    int index = FocusedIndex;
    if (index < 0) {
        const auto selected = std::find_if(rows_.begin(), rows_.end(), [](const TRemoteRow& R) { return R.Selected; });
        index = selected == rows_.end() ? -1 : int(selected - rows_.begin());
    }
    return index >= 0 && index < Count() && !rows_[size_t(index)].IsFolder() ? rows_[size_t(index)].Caption() : QString();
}

qint64 TRemoteListModel::GetRemoteItemSize(const TRemoteRow& Row)
{
    return Row.IsFolder() ? 0 : SizeOf(Row.Data->SizeText);
}

TDateTime TRemoteListModel::GetRemoteItemDate(const TRemoteRow& Row)
{
    return Row.IsFolder() ? Now() : Row.Data->DateTime;
}

qint64 TRemoteListModel::GetRemoteFileSize(const QString& Name) const
{
    const int index = IndexOfCaption(Name);
    return index < 0 ? 0 : GetRemoteItemSize(rows_[size_t(index)]);
}

int TRemoteListModel::CountFileItems() const
{
    return int(std::count_if(rows_.begin(), rows_.end(), [](const TRemoteRow& R) { return !R.IsFolder(); }));
}

int TRemoteListModel::IndexOfCaption(const QString& Name) const
{
    if (!captionRowsValid_) {
        captionRows_.clear();
        for (int i = Count() - 1; i >= 1; --i)
            captionRows_.insert(rows_[size_t(i)].Caption(), i);
        captionRowsValid_ = true;
    }
    return captionRows_.value(Name, -1);
}

void TRemoteListModel::RemoveCaption(const QString& Name)
{
    if (const int index = IndexOfCaption(Name); index > 0) {
        rows_.erase(rows_.begin() + index);
        RowsChanged();
    }
}

void TRemoteListModel::RenameCaption(const QString& OldName, const QString& NewName)
{
    if (const int index = IndexOfCaption(OldName); index > 0) {
        rows_[size_t(index)].Data->Name = NewName;
        RowsChanged();
    }
}

void TRemoteListModel::Collect(std::vector<TQueueEntry>& Queue, const QString& Prefix, int Index) const
{
    if (Index <= 0 || Index >= Count())
        return;
    const TRemoteRow& row = rows_[size_t(Index)];
    const bool folder = row.IsFolder();
    TQueueEntry& entry = Queue.emplace_back();
    entry.Path = Prefix + row.Caption() + (folder ? QStringLiteral("/") : QString());
    entry.Folder = folder;
    entry.Link = row.Data->Attributes.startsWith(QLatin1Char('l'));
    if (entry.Link) {
        const QString arrow = row.Caption() + QStringLiteral(" -> ");
        const qsizetype at = row.Data->Line.indexOf(arrow);
        if (at >= 0)
            entry.LinkTarget = row.Data->Line.mid(at + arrow.size());
    }
}

void TRemoteListModel::CollectSelection(std::vector<TQueueEntry>& Queue, const QString& Prefix, bool Clear) const
{
    if (Clear)
        Queue.clear();
    std::vector<int> selected;
    for (int i = 0; i < Count(); ++i) {
        if (rows_[size_t(i)].Selected)
            selected.push_back(i);
    }
    if (selected.size() < 2) {
        Collect(Queue, Prefix, FocusedIndex >= 0 ? FocusedIndex : selected.empty() ? -1 : selected[0]);
        return;
    }
    for (int index : selected)
        Collect(Queue, Prefix, index);
}

void TRemoteListModel::CollectAllItems(std::vector<TQueueEntry>& Queue, const QString& Prefix) const
{
    for (int i = 1; i < Count(); ++i)
        Collect(Queue, Prefix, i);
}
