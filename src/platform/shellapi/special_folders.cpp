// SHGetSpecialFolderPath over QStandardPaths and the XDG folders.
#include "platform/shellapi/special_folders.h"

#include "platform/system/program_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString Location(QStandardPaths::StandardLocation Kind)
{
    return QStandardPaths::writableLocation(Kind);
}

} // namespace

QString win::UserDataFolder()
{
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(data) ? data : QDir::homePath() + QStringLiteral("/.local/share");
}

QString win::SHGetSpecialFolderPath(int Csidl)
{
    switch (Csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: return Location(QStandardPaths::DesktopLocation);
    case CSIDL_PERSONAL: return Location(QStandardPaths::DocumentsLocation);
    case CSIDL_STARTUP: return Location(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
    case CSIDL_SENDTO: {
        const QString sendTo = ProgramFolder() + QStringLiteral("SendTo");
        QDir().mkpath(sendTo);
        return sendTo;
    }
    case CSIDL_BITBUCKET: return UserDataFolder() + QStringLiteral("/Trash/files");
    case CSIDL_FONTS: return UserDataFolder() + QStringLiteral("/fonts");
    case CSIDL_TEMPLATES: return Location(QStandardPaths::TemplatesLocation);
    case CSIDL_APPDATA: return Location(QStandardPaths::GenericConfigLocation);
    default: return QString();
    }
}
