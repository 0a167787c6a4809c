// TStreamableCollectionItem and TStreamableCollection: collections of named items whose names are
// also their registry subkey names, found by name without regard to case.
#pragma once

#include "platform/rtl/collection.h"

class TStrings;

// ItemName is the item's display name and the name of its registry subkey. Every item class sets
// its defaults in its constructor (which loading then overwrites with the stored values).
class TStreamableCollectionItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString ItemName MEMBER ItemName)
public:
    explicit TStreamableCollectionItem(TCollection* Collection) : TCollectionItem(Collection) {}

    // From an item of the same class: copies every published property (ItemName among them) and
    // reports the change of this item to its collection. From another streamable item: copies
    // ItemName only. Anything else raises EConvertError "Cannot assign a ... to a ...".
    virtual void Assign(const TObject* Source);
    // ItemName, or the item class's name when ItemName is empty.
    QString GetDisplayName() const override;

    // Stored as given; callers check that names are valid and unique.
    QString ItemName;
};

// Owned by a container component (the object whose published property holds the collection).
// Names compare as the registry compares key names: without case.
class TStreamableCollection : public TOwnedCollection {
    Q_OBJECT
public:
    using TOwnedCollection::TOwnedCollection;

    // List := every item's ItemName in index order, each with its item as the line's object when
    // WithObjects, in one update of the list.
    void GetItemNames(TStrings& List, bool WithObjects) const;
    // The item at Index, or null when Index is outside 0 .. Count-1.
    TStreamableCollectionItem* GetItemSafe(int Index) const;
    // The index of the first item named Name ignoring case; -1 when none.
    int IndexOfName(const QString& Name) const;
    TStreamableCollectionItem* FindItem(const QString& Name) const;
    // Name when no item has it yet, else Name followed by "-2", "-3" ... whichever is free first.
    QString FreeItemName(const QString& Name) const;

    // Frees the item at Index; nothing when Index is outside 0 .. Count-1. When the owner keeps
    // itself in the registry, the item's subkey is deleted from there at once (before any save).
    void Delete(int Index) override;
    // Deletes Item as Delete does; nothing when it is not in this collection.
    void Remove(TCollectionItem* Item);
    // Gives the item at Index the position NewIndex; nothing when either is out of range.
    void Move(int Index, int NewIndex);

protected:
    // A changed item (not an added, deleted or moved one) is reported to the owning container.
    void Update(TCollectionItem* Item) override;
};

// A streamable collection of items of the class Item.
template <class Item> class TStreamableCollectionOf : public TStreamableCollection {
public:
    explicit TStreamableCollectionOf(QObject* AOwner) : TStreamableCollection(AOwner, ItemClassOf<Item>()) {}

    Item* Add() { return static_cast<Item*>(TStreamableCollection::Add()); }
    // Index must lie in 0 .. Count-1.
    Item* GetItem(int Index) const { return static_cast<Item*>(Items(Index)); }
};
