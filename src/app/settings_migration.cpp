// TSettingsMigration.
#include "app/settings_migration.h"

#include "platform/registry/key_copy.h"
#include "platform/registry/registry.h"
#include "routines/registry_helpers.h"

bool TSettingsMigration::Run()
{
    TRegistry registry;
    if (!registry.KeyExists(PreviousKey) || registry.KeyExists(PreviousKey + FlagKey))
        return false;
    if (!DeleteProductKey())
        return false;
    if (!CopyRegKey(PreviousKey, ProductRegKey))
        return false;
    return registry.OpenKey(PreviousKey + FlagKey, true);
}

bool TSettingsMigration::DeleteProductKey()
{
    TRegistry registry;
    return !registry.KeyExists(ProductRegKey) || registry.DeleteKey(ProductRegKey);
}
