// SHGetSpecialFolderPath over QStandardPaths.
#include "platform/shellapi/special_folders.h"

#include <QStandardPaths>

QString win::SHGetSpecialFolderPath(int Csidl)
{
    switch (Csidl) {
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY: return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    case CSIDL_PERSONAL: return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    default: return QString();
    }
}
