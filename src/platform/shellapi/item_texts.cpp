// Names and type names of the namespace's places.
#include "platform/shellapi/item_texts.h"

#include "platform/shellapi/shell_folder.h"
#include "platform/system/name_encoding.h"

#include <QMimeDatabase>

const QString win::FolderTypeName = QStringLiteral("Folder");
const QString win::SystemFolderTypeName = QStringLiteral("System Folder");

QString win::PlaceName(const TShellPlace& Place, DWORD Flags)
{
    const bool parsing = Flags & SHGDN_FORPARSING;
    if (Place.Items.isEmpty())
        return parsing ? DecodeName(Place.Path) : QStringLiteral("Desktop");
    const TShellItem& item = Place.Item();
    switch (item.Kind) {
    case TShellItem::ikRoot:
        if (item.RootId == rootComputer)
            return parsing ? QStringLiteral("::computer") : QStringLiteral("Computer");
        return parsing ? DecodeName(Place.Path) : QStringLiteral("Home");
    case TShellItem::ikVolume:
        if (parsing)
            return DecodeName(item.MountPath);
        if (item.VolumeKind == vkRoot)
            return QStringLiteral("File System");
        return DecodeName(item.MountPath.mid(item.MountPath.lastIndexOf('/') + 1));
    case TShellItem::ikFolder:
    case TShellItem::ikFile:
        if (parsing && !(Flags & SHGDN_INFOLDER))
            return DecodeName(Place.Path);
        return DecodeName(item.Name);
    }
    return {};
}

QString win::VolumeTypeName(BYTE VolumeKind)
{
    switch (VolumeKind) {
    case vkRemovable: return QStringLiteral("Removable Disk");
    case vkNetwork: return QStringLiteral("Network Drive");
    case vkRam: return QStringLiteral("RAM Disk");
    default: return QStringLiteral("Local Disk");
    }
}

QString win::PlaceTypeName(const TShellPlace& Place)
{
    switch (Place.Kind) {
    case TShellPlace::pkDesktop:
    case TShellPlace::pkComputer: return SystemFolderTypeName;
    case TShellPlace::pkFolder:
        return Place.Item().Kind == TShellItem::ikVolume ? VolumeTypeName(Place.Item().VolumeKind) : FolderTypeName;
    case TShellPlace::pkFile: return MimeTypeOfFile(Place.Path).comment();
    }
    return {};
}

QMimeType win::MimeTypeOfFile(const QByteArray& Path)
{
    return QMimeDatabase().mimeTypeForFile(DecodeName(Path));
}
