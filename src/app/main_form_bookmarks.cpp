// TTarnwickFTPApp: the bookmark list: its rows, and making, opening, editing and deleting
// bookmarks.
#include "app/bottom_tabs/new_bookmark.h"
#include "app/main_form.h"
#include "app/site_tree/site_tree.h"
#include "dialogs/bookmark_properties_frm.h"
#include "dialogs/confirm_delete_dlg.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/application.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "routines/date_stamp.h"
#include "routines/path_routines.h"
#include "session/session_engine.h"
#include "settings/bookmarks.h"
#include "settings/upload_profiles.h"
#include "shell/pt_list_view.h"
#include "shell/pt_tree_view.h"

#include <QFileInfo>

namespace {

// The header rows' pictures, by bookmark type (0 local, 1 remote).
constexpr int LocalHeaderImage = 44;
constexpr int RemoteHeaderImage = 6;

int HeaderImageOf(int BookmarkType)
{
    return BookmarkType == 1 ? RemoteHeaderImage : LocalHeaderImage;
}

} // namespace

bool TTarnwickFTPApp::IsBookmarkHeader(const TListItem* Row)
{
    return Row && (Row->ImageIndex() == LocalHeaderImage || Row->ImageIndex() == RemoteHeaderImage);
}

TBookmarkItem* TTarnwickFTPApp::BookmarkOfRow(const TListItem* Row)
{
    if (!Row || IsBookmarkHeader(Row))
        return nullptr;
    return static_cast<TBookmarkItem*>(Row->Data);
}

void TTarnwickFTPApp::FillBookmarkList()
{
    lvBookmarks->Clear();
    for (const auto& [caption, image] :
         {std::pair{"Local Bookmarks", LocalHeaderImage}, std::pair{"Remote Bookmarks", RemoteHeaderImage}}) {
        TListItem* header = lvBookmarks->Add();
        header->SetCaption(QString::fromLatin1(caption));
        header->SetImageIndex(image);
    }
    TBookmarkCollection* bookmarks = Bookmarks()->Bookmarks();
    for (int i = 0; i < bookmarks->Count(); ++i)
        InsertBookmarkEntry(bookmarks->GetItem(i));
}

void TTarnwickFTPApp::InsertBookmarkEntry(TBookmarkItem* Item)
{
    const int headerImage = HeaderImageOf(Item->BookmarkType);
    for (int i = 0; i < lvBookmarks->Count(); ++i) {
        if (lvBookmarks->Item(i)->ImageIndex() != headerImage)
            continue;
        TListItem* row = lvBookmarks->Insert(i + 1);
        row->SetCaption(Item->Comment);
        row->SetSubItems({Item->Folder});
        row->SetImageIndex(-1);
        row->Data = Item;
        return;
    }
}

TBookmarkItem* TTarnwickFTPApp::AddBookmark(const QString& Folder, bool Remote)
{
    TBookmarkItem* item =
        NewBookmark(*Bookmarks(), Folder, Remote, engine_->State.CurrentSiteName, DateStampNow());
    InsertBookmarkEntry(item);
    return item;
}

void TTarnwickFTPApp::actFileAddBookmarkExecute(int Tag)
{
    const bool remote = Tag == 101 || (Tag != 100 && RemoteActive());
    if (remote) {
        FocusPane(pkRemote);
        AddBookmark(engine_->State.CurrentRemoteFolder, true);
    } else {
        FocusPane(pkLocal);
        AddBookmark(CurrentFolder(), false);
    }
}

void TTarnwickFTPApp::actViewBookmarkItemExecute()
{
    TBookmarkItem* bookmark = BookmarkOfRow(lvBookmarks->ItemFocused());
    if (!bookmark)
        return;
    bookmark->DateLastAccessed = DateStampNow();
    if (bookmark->BookmarkType != 1) {
        if (QFileInfo(bookmark->Folder).isDir() && !SameLocalDir(bookmark->Folder, CurrentFolder()))
            GoToFolder(bookmark->Folder);
        FocusPane(pkLocal);
        return;
    }
    TSessionState& state = engine_->State;
    state.PendingFolder.clear();
    engine_->PendingSiteNode.clear();
    const auto* profile =
        static_cast<TUploadProfileItem*>(UploadProfiles()->Profiles()->FindItem(bookmark->Host));
    if (!profile) {
        MessageDlg(QStringLiteral("Unable to determine the remote server hostname. Select the Properties \r\n"
                                  "popup menu to update this bookmark."),
                   mtInformation, {mbOK});
        return;
    }
    if (FtpClient_->Connected()) {
        const QString current = FtpClient_->HostName();
        if (profile->HostName.compare(current, Qt::CaseInsensitive) != 0) {
            const QString question = Format(
                QStringLiteral("The bookmark '%s' is located on a different remote site (%s) than the \r\n"
                               "current site (%s). Would you like to connect to '%s'? This will \r\n"
                               "disconnect the current site."),
                {bookmark->Comment, profile->HostName, current, profile->HostName});
            if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}) == mrYes)
                SwitchSiteForBookmark(*bookmark);
        } else if (bookmark->Folder.compare(state.CurrentRemoteFolder, Qt::CaseInsensitive) != 0 &&
                   IsConnected()) {
            FtpChangeDir(*FtpClient_, bookmark->Folder);
        }
    } else {
        SwitchSiteForBookmark(*bookmark);
    }
    FocusPane(pkRemote);
}

void TTarnwickFTPApp::SwitchSiteForBookmark(const TBookmarkItem& Bookmark)
{
    TTreeNode* site = siteTree_->FindSiteNode(Bookmark.Host);
    if (!site) {
        MessageDlg(Format(QStringLiteral("%s could not locate the server profile settings for '%s'."),
                          {Application ? Application->Title() : QString(), Bookmark.Host}),
                   mtInformation, {mbOK});
        return;
    }
    TSessionState& state = engine_->State;
    state.AfterListingAction = ListingChangeFolder;
    state.PendingFolder = Bookmark.Folder;
    if (FtpClient_->Connected()) {
        // The new session starts once this one has ended.
        engine_->PendingSiteNode = site->Text();
        ExecuteAction(QStringLiteral("actFtpQuit"));
    } else if (siteTree_->Tree().Selected() == site) {
        siteTree_->tvRemoteChange(site);
    } else {
        siteTree_->SelectSiteNode(site->Text());
    }
}

void TTarnwickFTPApp::actViewBookmarkPropertiesExecute()
{
    TListItem* row = lvBookmarks->ItemFocused();
    TBookmarkItem* bookmark = BookmarkOfRow(row);
    if (bookmark && TBookmarkPropertiesFrm::Execute(*bookmark)) {
        row->SetCaption(bookmark->Comment);
        row->SetSubItems({bookmark->Folder});
    }
}

void TTarnwickFTPApp::actFileDeleteBookmarkExecute()
{
    TListItem* row = lvBookmarks->ItemFocused();
    TBookmarkItem* bookmark = BookmarkOfRow(row);
    if (!bookmark)
        return;
    const QString question = Format(QStringLiteral("Are you sure you want to permanently delete '%s'%s?"),
                                    {bookmark->Comment, QStringLiteral(" from your bookmarks")});
    if (TConfirmDeleteDlgFrm::Execute(QString(), question) != mrYes)
        return;
    lvBookmarks->Delete(row->Index());
    Bookmarks()->RemoveItem(bookmark);
}
