// NewBookmark: a bookmark of a local or remote folder, named and titled as the bookmark list
// shows it.
#pragma once

#include <QString>

class TBookmarkContainer;
class TBookmarkItem;

// The title of a new remote bookmark: the site's name, ": " and the folder's last component.
QString RemoteBookmarkTitle(const QString& SiteName, const QString& Folder);

// Adds a bookmark of Folder to Bookmarks, made at the date stamp Stamp: a remote one (type 1)
// of the site SiteName titled RemoteBookmarkTitle, or a local one (type 0) titled with the
// folder. It was never visited; its change stamp is its creation stamp. Its item name (its
// registry subkey) is "Bookmark" + Stamp, with a suffix when a bookmark of that name exists,
// so two bookmarks made in one instant are kept apart.
TBookmarkItem* NewBookmark(TBookmarkContainer& Bookmarks, const QString& Folder, bool Remote,
                           const QString& SiteName, const QString& Stamp);
