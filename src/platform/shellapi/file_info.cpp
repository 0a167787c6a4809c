// SHGetFileInfo over the namespace's places and the system image lists.
#include "platform/shellapi/file_info.h"

#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/item_texts.h"
#include "platform/shellapi/name_types.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_places.h"
#include "platform/shellapi/system_image_list.h"
#include "platform/system/name_encoding.h"

#include <climits>
#include <unistd.h>

namespace {

win::TSystemIcon VolumeIcon(win::BYTE Kind)
{
    switch (Kind) {
    case win::vkRoot: return win::TSystemIcon::VolumeRoot;
    case win::vkRemovable: return win::TSystemIcon::VolumeRemovable;
    case win::vkNetwork: return win::TSystemIcon::VolumeNetwork;
    case win::vkRam: return win::TSystemIcon::VolumeRam;
    default: return win::TSystemIcon::VolumeFixed;
    }
}

win::TSystemIcon FolderIcon(bool Open)
{
    return Open ? win::TSystemIcon::FolderOpen : win::TSystemIcon::Folder;
}

int PlaceIconIndex(const win::TShellPlace& Place, bool Open)
{
    using win::TShellPlace;
    switch (Place.Kind) {
    case TShellPlace::pkDesktop: return win::SystemIconIndex(win::TSystemIcon::Desktop);
    case TShellPlace::pkComputer: return win::SystemIconIndex(win::TSystemIcon::Computer);
    case TShellPlace::pkFolder:
        if (Place.Item().Kind == win::TShellItem::ikVolume)
            return win::SystemIconIndex(VolumeIcon(Place.Item().VolumeKind));
        if (Place.Path == win::HomePath())
            return win::SystemIconIndex(win::TSystemIcon::Home);
        if (Place.Path == win::DesktopPath())
            return win::SystemIconIndex(win::TSystemIcon::Desktop);
        return win::SystemIconIndex(FolderIcon(Open));
    case TShellPlace::pkFile: return win::MimeIconIndex(win::MimeTypeOfFile(Place.Path));
    }
    return 0;
}

win::DWORD_PTR Result(win::UINT Flags)
{
    if (Flags & win::SHGFI_SYSICONINDEX)
        return reinterpret_cast<win::DWORD_PTR>(win::SystemImageList(!(Flags & win::SHGFI_SMALLICON)));
    return 1;
}

win::DWORD_PTR PlaceInfo(const win::TShellPlace& Place, win::SHFILEINFO* Info, win::UINT Flags)
{
    if (Flags & win::SHGFI_SYSICONINDEX)
        Info->iIcon = PlaceIconIndex(Place, Flags & win::SHGFI_OPENICON);
    if (Flags & win::SHGFI_TYPENAME)
        Info->szTypeName = win::PlaceTypeName(Place).left(win::MaxTypeName);
    if (Flags & win::SHGFI_DISPLAYNAME)
        Info->szDisplayName = win::PlaceName(Place, win::SHGDN_NORMAL);
    return Result(Flags);
}

// By name only: a folder, or a file of the type of its extension.
win::DWORD_PTR NameInfo(const QString& Path, win::DWORD FileAttributes, win::SHFILEINFO* Info, win::UINT Flags)
{
    const QString name = Path.mid(Path.lastIndexOf(QLatin1Char('/')) + 1);
    const bool icon = Flags & win::SHGFI_SYSICONINDEX;
    if (FileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) {
        if (icon)
            Info->iIcon = win::SystemIconIndex(FolderIcon(Flags & win::SHGFI_OPENICON));
        if (Flags & win::SHGFI_TYPENAME)
            Info->szTypeName = win::FolderTypeName;
    } else if (icon || (Flags & win::SHGFI_TYPENAME)) {
        const win::TNameType type = win::NameType(name, icon);
        if (icon)
            Info->iIcon = type.IconIndex;
        if (Flags & win::SHGFI_TYPENAME)
            Info->szTypeName = type.Comment.left(win::MaxTypeName);
    }
    if (Flags & win::SHGFI_DISPLAYNAME)
        Info->szDisplayName = name;
    return Result(Flags);
}

} // namespace

win::DWORD_PTR win::SHGetFileInfo(const QString& Path, DWORD FileAttributes, SHFILEINFO* Info, UINT Flags)
{
    if (!Info)
        return 0;
    if (Flags & SHGFI_USEFILEATTRIBUTES)
        return NameInfo(Path, FileAttributes, Info, Flags);
    if (Path.isEmpty())
        return (Flags & SHGFI_SYSICONINDEX) ? Result(Flags) : 0;
    QByteArray path = EncodeName(Path);
    if (!path.startsWith('/')) {
        char folder[PATH_MAX];
        if (!::getcwd(folder, sizeof folder))
            return 0;
        path = ChildPath(folder, path);
    }
    QList<TShellItem> items;
    TShellPlace place;
    if (FAILED(ParsePath(path, items)) || !ResolvePlace(items, place))
        return 0;
    return PlaceInfo(place, Info, Flags);
}

win::DWORD_PTR win::SHGetFileInfo(LPCITEMIDLIST Pidl, DWORD, SHFILEINFO* Info, UINT Flags)
{
    QList<TShellItem> items;
    TShellPlace place;
    if (!Info || !DecodeItems(Pidl, items) || !ResolvePlace(items, place))
        return 0;
    return PlaceInfo(place, Info, Flags);
}
