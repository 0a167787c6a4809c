// A child process for the test of the global settings objects: it uses them as the program does
// and ends the way the program ends.
//
//   settings_child <config folder>   prints "profiles <n>" for the server profiles it found, then
//       sets CurrentServer, adds the profile "New", the firewall entry "Default" and a bookmark,
//       and ends
#include "platform/registry/hive_store.h"
#include "settings/app_settings.h"
#include "settings/bookmarks.h"
#include "settings/firewalls.h"
#include "settings/global_objects.h"
#include "settings/upload_profiles.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    setenv("XDG_CONFIG_HOME", argv[1], 1);

    std::printf("profiles %d\n", UploadProfiles()->Profiles()->Count());
    AppSettings()->CurrentServer = QStringLiteral("New");
    TUploadProfileItem* profile = UploadProfiles()->Add();
    profile->ItemName = QStringLiteral("New");
    profile->Firewall = QStringLiteral("Default");
    Firewalls()->Add()->ItemName = QStringLiteral("Default");
    TBookmarkItem* bookmark = Bookmarks()->Add();
    bookmark->ItemName = QStringLiteral("BookmarkAAAAAAAAAAA");
    bookmark->Folder = QStringLiteral("/pub/");

    // As at the end of the program.
    FreeGlobalSettings();
    THiveStore::CurrentUser().Flush();
    return 0;
}
