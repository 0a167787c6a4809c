// NewBookmark.
#include "app/bottom_tabs/new_bookmark.h"

#include "platform/rtl/format.h"
#include "routines/path_routines.h"
#include "settings/bookmarks.h"

QString RemoteBookmarkTitle(const QString& SiteName, const QString& Folder)
{
    return SiteName + QStringLiteral(": ") + ExtractRemoteName(Folder);
}

TBookmarkItem* NewBookmark(TBookmarkContainer& Bookmarks, const QString& Folder, bool Remote,
                           const QString& SiteName, const QString& Stamp)
{
    TBookmarkItem* item = Bookmarks.Add();
    item->Folder = Folder;
    if (Remote) {
        item->BookmarkType = 1;
        item->Comment = RemoteBookmarkTitle(SiteName, Folder);
        item->Host = SiteName;
    } else {
        item->BookmarkType = 0;
        item->Comment = Folder;
    }
    item->DateCreated = Stamp;
    item->DateLastAccessed.clear();
    item->DateModified = Stamp;
    item->ItemName = Bookmarks.Bookmarks()->FreeItemName(Format(QStringLiteral("Bookmark%s"), {Stamp}));
    return item;
}
