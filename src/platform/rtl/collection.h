// TCollection, TOwnedCollection and TCollectionItem: the class library's list of items of one item
// class.
#pragma once

#include "platform/rtl/object.h"

#include <QObject>
#include <functional>
#include <vector>

class TCollection;

// An item belongs to one collection: it joins it when made and leaves it when freed. Items are
// QObjects so that their Q_PROPERTY declarations can be stored like any published properties.
class TCollectionItem : public QObject, public TObject {
    Q_OBJECT
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    int Index() const;
    // Moves the item to position Value of its collection.
    void SetIndex(int Value);
    // The name under which lists show the item: the item class's name unless a class says more.
    virtual QString GetDisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item (or, with AllItems, the whole collection) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_;
};

// Makes a new item of a collection's item class in that collection.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

template <class Item> TCollectionItemClass ItemClassOf()
{
    return [](TCollection* Collection) { return new Item(Collection); };
}

// The collection owns its items and frees them with itself. It is a QObject without properties of
// its own, so that a published property can hold it.
class TCollection : public QObject, public TObject {
    Q_OBJECT
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    ~TCollection() override;

    int Count() const { return int(items_.size()); }
    // The item at Index, which must lie in 0 .. Count-1.
    TCollectionItem* Items(int Index) const { return items_.at(size_t(Index)); }
    // Appends a new item of the item class.
    TCollectionItem* Add();
    // Frees the item at Index (0 .. Count-1).
    virtual void Delete(int Index);
    void Clear();

    // Nested: the changes inside the outermost pair are reported once, by its EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // Called for every reported change outside BeginUpdate/EndUpdate: with the changed item, or
    // with null when items were added, deleted or moved, or the whole collection changed.
    virtual void Update(TCollectionItem* Item);
    // Reports a change of the whole collection.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
};

// A collection that knows the object it belongs to (the component whose property holds it).
class TOwnedCollection : public TCollection {
    Q_OBJECT
public:
    TOwnedCollection(QObject* AOwner, TCollectionItemClass ItemClass);

    QObject* GetOwner() const { return owner_; }

private:
    QObject* owner_;
};
