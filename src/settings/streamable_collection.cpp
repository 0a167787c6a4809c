// TStreamableCollectionItem and TStreamableCollection.
#include "settings/streamable_collection.h"

#include "platform/registry/hive.h"
#include "platform/rtl/events.h"
#include "platform/rtl/string_list.h"
#include "settings/collection_container.h"
#include "settings/property_persistence.h"
#include "settings/published_properties.h"
#include "routines/registry_helpers.h"

#include <typeinfo>

void TStreamableCollectionItem::Assign(const TObject* Source)
{
    const auto* item = dynamic_cast<const TStreamableCollectionItem*>(Source);
    if (!item)
        RaiseAssignError(Source, *this);
    if (typeid(*item) != typeid(*this)) {
        ItemName = item->ItemName;
        return;
    }
    AssignPublishedProperties(*item, *this);
    Changed(false);
}

QString TStreamableCollectionItem::GetDisplayName() const
{
    return ItemName.isEmpty() ? TCollectionItem::GetDisplayName() : ItemName;
}

void TStreamableCollection::GetItemNames(TStrings& List, bool WithObjects) const
{
    List.BeginUpdate();
    List.Clear();
    for (int i = 0; i < Count(); ++i) {
        auto* item = dynamic_cast<TStreamableCollectionItem*>(Items(i));
        List.AddObject(item ? item->ItemName : QString(), WithObjects ? item : nullptr);
    }
    List.EndUpdate();
}

TStreamableCollectionItem* TStreamableCollection::GetItemSafe(int Index) const
{
    return Index >= 0 && Index < Count() ? dynamic_cast<TStreamableCollectionItem*>(Items(Index)) : nullptr;
}

int TStreamableCollection::IndexOfName(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i) {
        const auto* item = dynamic_cast<const TStreamableCollectionItem*>(Items(i));
        if (item && SameRegName(item->ItemName, Name))
            return i;
    }
    return -1;
}

TStreamableCollectionItem* TStreamableCollection::FindItem(const QString& Name) const
{
    return GetItemSafe(IndexOfName(Name));
}

QString TStreamableCollection::FreeItemName(const QString& Name) const
{
    QString name = Name;
    for (int suffix = 2; IndexOfName(name) >= 0; ++suffix)
        name = Name + QLatin1Char('-') + QString::number(suffix);
    return name;
}

void TStreamableCollection::Delete(int Index)
{
    TStreamableCollectionItem* item = GetItemSafe(Index);
    if (!item)
        return;
    // The item was saved under its display name below the owner's key, unless the owner has no
    // key or the name cannot be a key name (then it was never saved, and a name holding "\" must
    // not reach another key).
    const QString subKey = item->GetDisplayName();
    const auto* streamer = dynamic_cast<IComponentStreamer*>(GetOwner());
    if (streamer && !streamer->GetKind() && !streamer->GetName().isEmpty() && IsValidRegKeyName(subKey)) {
        const QString property = CollectionPropName(GetOwner());
        if (!property.isEmpty())
            RegDeleteSubKeyAt(streamer->GetName() + QLatin1Char('\\') + property, subKey);
    }
    delete item;
}

void TStreamableCollection::Remove(TCollectionItem* Item)
{
    if (Item && Item->Collection() == this)
        Delete(Item->Index());
}

void TStreamableCollection::Move(int Index, int NewIndex)
{
    if (Index >= 0 && Index < Count())
        Items(Index)->SetIndex(NewIndex);
}

void TStreamableCollection::Update(TCollectionItem* Item)
{
    auto* item = dynamic_cast<TStreamableCollectionItem*>(Item);
    auto* container = qobject_cast<TCollectionContainer*>(GetOwner());
    if (item && container)
        Fire(container->OnChange, container, item);
}
