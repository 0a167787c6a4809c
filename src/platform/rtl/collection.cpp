// TCollection, TOwnedCollection and TCollectionItem.
#include "platform/rtl/collection.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* Collection) : collection_(Collection)
{
    if (collection_)
        collection_->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (collection_)
        collection_->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    if (!collection_)
        return -1;
    const auto& items = collection_->items_;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int current = Index();
    if (current < 0 || Value < 0 || Value >= collection_->Count() || Value == current)
        return;
    auto& items = collection_->items_;
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    collection_->Changed();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    updateCount_ = 1; // no change reports while the collection goes away
    Clear();
}

TCollectionItem* TCollection::Add()
{
    return itemClass_(this);
}

void TCollection::Delete(int Index)
{
    delete items_.at(size_t(Index));
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (--updateCount_ == 0)
        Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    items_.push_back(Item);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    items_.erase(std::find(items_.begin(), items_.end(), Item));
    Item->collection_ = nullptr;
    Changed();
}

TOwnedCollection::TOwnedCollection(QObject* AOwner, TCollectionItemClass ItemClass)
    : TCollection(std::move(ItemClass)), owner_(AOwner)
{
}
