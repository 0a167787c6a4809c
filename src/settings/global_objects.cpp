// Freeing the global settings objects at program end.
#include "settings/global_objects.h"

#include "settings/app_settings.h"
#include "settings/bookmarks.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"

void FreeGlobalSettings()
{
    AppSettings(1);
    UploadProfiles(1);
    Firewalls(1);
    Bookmarks(1);
}
