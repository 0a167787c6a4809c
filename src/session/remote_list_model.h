// TRemoteListModel: the rows of the remote list, filled from a cached listing, sorted and collected
// into the transfer queue.
#pragma once

#include "ftp/listing/dir_info.h"
#include "session/session_state.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <set>
#include <vector>

class ISessionWindow;
class TListingFile;
class TSessionLog;

// What the rows of one type share: the system icon and the type name.
struct TRemoteRowType {
    int ImageIndex = -1;
    QString TypeName;

    bool operator<(const TRemoteRowType& Other) const
    {
        return ImageIndex != Other.ImageIndex ? ImageIndex < Other.ImageIndex : TypeName < Other.TypeName;
    }
};

// One row: the entry it stands for (every row has one) and its type. The caption is the entry's
// name; the size and date texts are made from the entry when they are shown (a long listing
// shows few of them). A row takes little memory, as a listing may hold a great many.
struct TRemoteRow {
    std::unique_ptr<TFtpDirInfo> Data;
    const TRemoteRowType* Type = nullptr;
    bool Selected = false;

    const QString& Caption() const { return Data->Name; }
    int ImageIndex() const { return Type->ImageIndex; }
    const QString& TypeName() const { return Type->TypeName; }

    // The size in KB for a file; "" for a folder and the parent entry.
    QString SizeText() const;
    // The entry's date, "ddddd t"; "" for the parent entry.
    QString DateText() const;

    // The parent entry "..", or a folder or link of the listing.
    bool IsFolder() const { return Data->Kind == ParentKind || Data->IsDirectory(); }
    bool IsParent() const { return Data->Kind == ParentKind; }

    static constexpr int ParentKind = 1999;
};

// Row 0 is always the parent entry ".." and stands for the parent folder; the listing's own "."
// and ".." and names that cannot name a remote entry of this folder (empty, holding "/" or NUL)
// are never rows. Folders follow ".." in listing order, files come after them.
class TRemoteListModel {
public:
    TRemoteListModel(ISessionWindow& Window, TSessionLog& Log);

    // The listing format of the session (0 until a listing with lines was detected); reset when
    // the session ends.
    int ListingFormat = 0;
    // The row that has the focus; -1 for none.
    int FocusedIndex = -1;

    int Count() const { return int(rows_.size()); }
    const TRemoteRow& Row(int Index) const { return rows_[size_t(Index)]; }
    void SetSelected(int Index, bool Selected) { rows_[size_t(Index)].Selected = Selected; }

    // No rows at all; the activity panel is emptied.
    void ClearRemoteList();
    // Fills the rows from the lines of a listing (FoldersOnly: files left out).
    void FillRemoteList(const QStringList& Lines, bool FoldersOnly);
    // Fills the rows from a listing file; false when the file does not exist.
    bool LoadListingFile(const QString& FileName);
    // ".." first, the folders in listing order, the files stably sorted by Column (0 name, 1 size,
    // 2 type, 3 modified), descending unless Ascending.
    void SortRemoteList(int Column, bool Ascending);
    // The order SortRemoteList uses: true when A stands before B.
    static bool CompareRemoteItems(const TRemoteRow& A, const TRemoteRow& B, int Column, bool Ascending);

    // The caption of the focused row (else the first selected row) when it is a file; "" else.
    QString GetSelectedRemoteFile() const;
    // The size of a file row; 0 for a folder or a row without entry.
    static qint64 GetRemoteItemSize(const TRemoteRow& Row);
    // The date of a file row; now for a folder or a row without entry.
    static TDateTime GetRemoteItemDate(const TRemoteRow& Row);
    // The size of the row captioned Name; 0 when there is none.
    qint64 GetRemoteFileSize(const QString& Name) const;
    // The rows after the parent entry that are files.
    int CountFileItems() const;
    // The row captioned Name (with case); -1 when there is none.
    int IndexOfCaption(const QString& Name) const;
    // Takes away the row captioned Name, when there is one.
    void RemoveCaption(const QString& Name);
    // The row captioned OldName and its entry take the name NewName.
    void RenameCaption(const QString& OldName, const QString& NewName);

    // Adds the selected rows to Queue as Prefix + caption (folders with a trailing "/", links
    // marked with the target their line names), emptied
    // first when Clear. With fewer than two selected rows, the focused row (else the selected
    // one) is taken. The parent entry never is.
    void CollectSelection(std::vector<TQueueEntry>& Queue, const QString& Prefix, bool Clear) const;
    // Adds every row but the parent entry, as CollectSelection does.
    void CollectAllItems(std::vector<TQueueEntry>& Queue, const QString& Prefix) const;

private:
    void AddParentRow();
    // Fills the rows from the entries of Listing, taking them away from it.
    void Fill(TListingFile& Listing, bool FoldersOnly);
    void Collect(std::vector<TQueueEntry>& Queue, const QString& Prefix, int Index) const;
    // After any change of the rows or their captions.
    void RowsChanged() { captionRowsValid_ = false; }

    ISessionWindow& window_;
    TSessionLog& log_;
    std::vector<TRemoteRow> rows_;
    // The first row of each caption, made when first asked after a change: a queue looks up each
    // of its files, which row by row would take time growing with the square of the folder's size.
    mutable QHash<QString, int> captionRows_;
    mutable bool captionRowsValid_ = false;
    // The types of the rows, each once (a set keeps its elements in place).
    std::set<TRemoteRowType> types_;
    // The parent entry's icon and the folders' type.
    TRemoteRowType folderType_;
};
