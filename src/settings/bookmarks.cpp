// Bookmarks.
#include "settings/bookmarks.h"

#include "settings/global_objects.h"
#include "routines/registry_helpers.h"

TBookmarkContainer::TBookmarkContainer(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TCollectionContainer(AOwner, Kind, Name, [](QObject* Owner) { return new TBookmarkCollection(Owner); })
{
    if (!Name.isEmpty())
        Load();
}

TBookmarkContainer::~TBookmarkContainer()
{
    SaveOnDestroy();
}

TBookmarkContainer* Bookmarks(int Flag)
{
    static TBookmarkContainer* instance = nullptr;
    return GlobalObject(instance, Flag,
                        [] { return new TBookmarkContainer(nullptr, skRegistry, ProductRegKey); });
}
