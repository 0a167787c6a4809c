// TCollectionContainer: the persistent component that holds one named collection (the server
// profiles, the firewall entries, the bookmarks) and tells when one of its items changed.
#pragma once

#include "settings/component_streamer.h"
#include "settings/streamable_collection.h"

#include <functional>
#include <memory>

// A subclass publishes the collection as its one Q_PROPERTY, so it is kept as the subkey of that
// property's name with one subkey per item, and starts its destructor with SaveOnDestroy().
class TCollectionContainer : public TCustomComponentStreamer {
    Q_OBJECT
public:
    using TItemChangeEvent = std::function<void(TObject* Sender, TStreamableCollectionItem* Item)>;
    using TCollectionMaker = std::function<TStreamableCollection*(QObject* Owner)>;

    // Fired with the container and the item when an item reports a change (at the end of its
    // Assign). Adding, deleting and moving items fire nothing.
    TItemChangeEvent OnChange;

    TStreamableCollection* Collection() const { return collection_.get(); }

    // From a container of the same class: the collection becomes a copy of the source's, item by
    // item through the items' Assign (reported as one change of the collection, so OnChange does
    // not fire). Anything else raises EConvertError "Cannot assign a ... to a ...".
    virtual void Assign(const TObject* Source);
    // Empties the collection, then loads it, so loading again never doubles the items.
    bool Load() override;

protected:
    // Kept in the storage Kind on Name (none when Name is empty); MakeCollection makes the
    // collection for this container. Nothing is loaded here: the subclass's constructor loads
    // once it is complete.
    TCollectionContainer(TComponent* AOwner, TStorageKind Kind, const QString& Name,
                         const TCollectionMaker& MakeCollection);

private:
    std::unique_ptr<TStreamableCollection> collection_;
};
