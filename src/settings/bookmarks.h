// Bookmarks of local and remote folders: TBookmarkItem, their collection and container, and the
// global container Bookmarks.
#pragma once

#include "settings/collection_container.h"

// One bookmark, kept as the subkey Bookmarks\<ItemName> of the container's key. The dates are
// 11-character date stamps (DateStampNow, DateStampToDateTime).
class TBookmarkItem : public TStreamableCollectionItem {
    Q_OBJECT
    Q_PROPERTY(int BookmarkType MEMBER BookmarkType)
    Q_PROPERTY(QString Comment MEMBER Comment)
    Q_PROPERTY(QString DateCreated MEMBER DateCreated)
    Q_PROPERTY(QString DateLastAccessed MEMBER DateLastAccessed)
    Q_PROPERTY(QString DateModified MEMBER DateModified)
    Q_PROPERTY(QString Folder MEMBER Folder)
    Q_PROPERTY(QString Host MEMBER Host)
public:
    explicit TBookmarkItem(TCollection* Collection) : TStreamableCollectionItem(Collection) {}

    // 0 a local folder, 1 a remote folder.
    int BookmarkType = 0;
    QString Comment;
    QString DateCreated;
    QString DateLastAccessed;
    QString DateModified;
    // A local path or a remote path.
    QString Folder;
    // For a remote folder: the ItemName of the server profile it belongs to.
    QString Host;
};

using TBookmarkCollection = TStreamableCollectionOf<TBookmarkItem>;

// Kept below ProductRegKey by the global container.
class TBookmarkContainer : public TCollectionContainer {
    Q_OBJECT
    Q_PROPERTY(TBookmarkCollection* Bookmarks READ Bookmarks)
public:
    // Kept in the storage Kind on Name and loaded at once; with no Name, kept nowhere.
    explicit TBookmarkContainer(TComponent* AOwner = nullptr, TStorageKind Kind = skRegistry,
                                const QString& Name = {});
    // Saves (with autosave on).
    ~TBookmarkContainer() override;

    TBookmarkCollection* Bookmarks() const { return static_cast<TBookmarkCollection*>(Collection()); }
    // Appends a new bookmark. Its name is the caller's to give: FreeItemName of the collection
    // keeps two bookmarks made in the same instant apart.
    TBookmarkItem* Add() { return Bookmarks()->Add(); }
    // Removes the bookmark and deletes its registry subkey at once.
    void RemoveItem(TBookmarkItem* Item) { Bookmarks()->Remove(Item); }
};

// The program's bookmarks, made and loaded from ProductRegKey on the first call; with Flag 1 the
// container is freed (saving itself), the global cleared first, and null returned.
TBookmarkContainer* Bookmarks(int Flag = 0);
