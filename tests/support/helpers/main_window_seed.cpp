// A helper of the main window's smoke run, not a test: writes the user's registry as a user who
// has a server profile would have it. Usage: main_window_seed <host> <port> <user> <password>
// (XDG_CONFIG_HOME names the registry's folder).
#include "platform/registry/hive_store.h"
#include "routines/password_scrambling.h"
#include "routines/registry_helpers.h"
#include "settings/app_settings.h"
#include "settings/upload_profiles.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication qt(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    if (argc != 5) {
        std::fprintf(stderr, "usage: main_window_seed <host> <port> <user> <password>\n");
        return 2;
    }
    TUploadProfileItem* profile = UploadProfiles()->Add();
    profile->ItemName = QStringLiteral("loopback");
    profile->HostName = QString::fromLocal8Bit(argv[1]);
    profile->Port = QString::fromLocal8Bit(argv[2]);
    profile->Username = QString::fromLocal8Bit(argv[3]);
    profile->Password = PasswordToStore(QString::fromLocal8Bit(argv[4]));
    profile->SavePassword = true;
    profile->PassiveMode = true;
    TFtpAppSettings& settings = *AppSettings();
    settings.SplitViewMyComputerPos = 100;
    settings.SplitViewRemotePos = 100;
    settings.SplitVertPos = 175;
    settings.SplitHrzPos = 380;
    settings.ViewLog = true;
    settings.ViewMyComputer = true;
    settings.ViewMyComputerMni = true;
    settings.ViewTreesMni = true;
    settings.ViewTrees = true;
    settings.ConnectAtStart = true;
    settings.LvRemoteViewStyle = 3;
    settings.LvMyComputerViewStyle = 3;
    settings.LvRemoteHeaderSortDirection = 1;
    settings.TransferMode = 2;
    AppSettings(1);
    UploadProfiles(1);
    return THiveStore::CurrentUser().Flush() ? 0 : 1;
}
