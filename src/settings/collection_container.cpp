// TCollectionContainer.
#include "settings/collection_container.h"

#include "settings/published_properties.h"

#include <typeinfo>

TCollectionContainer::TCollectionContainer(TComponent* AOwner, TStorageKind Kind, const QString& Name,
                                           const TCollectionMaker& MakeCollection)
    : TCustomComponentStreamer(AOwner, Kind, Name), collection_(MakeCollection(this))
{
}

void TCollectionContainer::Assign(const TObject* Source)
{
    const auto* source = dynamic_cast<const TCollectionContainer*>(Source);
    if (!source || typeid(*source) != typeid(*this))
        RaiseAssignError(Source, *this);
    if (source == this)
        return;
    TStreamableCollection& target = *collection_;
    target.BeginUpdate();
    target.Clear();
    for (int i = 0; i < source->collection_->Count(); ++i)
        static_cast<TStreamableCollectionItem*>(target.Add())->Assign(source->collection_->Items(i));
    target.EndUpdate();
}

bool TCollectionContainer::Load()
{
    collection_->Clear();
    return TCustomComponentStreamer::Load();
}
