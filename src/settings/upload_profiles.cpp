// Server profiles.
#include "settings/upload_profiles.h"

#include "settings/global_objects.h"
#include "routines/registry_helpers.h"

TUploadProfileContainer::TUploadProfileContainer(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TCollectionContainer(AOwner, Kind, Name,
                           [](QObject* Owner) { return new TUploadProfileCollection(Owner); })
{
    if (!Name.isEmpty())
        Load();
}

TUploadProfileContainer::~TUploadProfileContainer()
{
    SaveOnDestroy();
}

TUploadProfileContainer* UploadProfiles(int Flag)
{
    static TUploadProfileContainer* instance = nullptr;
    return GlobalObject(instance, Flag,
                        [] { return new TUploadProfileContainer(nullptr, skRegistry, InternetRegKey); });
}
