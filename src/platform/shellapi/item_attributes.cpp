// ItemAttributes.
#include "platform/shellapi/item_attributes.h"

#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_links.h"
#include "platform/system/name_encoding.h"

#include <unistd.h>

namespace {

constexpr win::ULONG FolderAttributes = win::SFGAO_FOLDER | win::SFGAO_FILESYSANCESTOR | win::SFGAO_DROPTARGET;
constexpr win::ULONG FileSystemAttributes =
    win::SFGAO_FILESYSTEM | win::SFGAO_CANCOPY | win::SFGAO_CANLINK | win::SFGAO_HASPROPSHEET;
constexpr win::ULONG ChangeAttributes = win::SFGAO_CANMOVE | win::SFGAO_CANRENAME | win::SFGAO_CANDELETE;

bool IsApplicationEntry(const QByteArray& Path)
{
    TLinkTarget target;
    return win::SUCCEEDED(ReadLinkFile(DecodeName(Path), target)) && target.Kind == TLinkTarget::lkApplication;
}

win::ULONG EntryAttributes(const win::TShellPlace& Parent, const win::TShellItem& Item, win::ULONG Request)
{
    const QByteArray path = win::ChildPath(Parent.Path, Item.Name);
    win::ULONG attributes = FileSystemAttributes;
    if ((Request & ChangeAttributes) && ::access(Parent.Path.constData(), W_OK) == 0)
        attributes |= ChangeAttributes;
    if (Item.Flags & win::ifLink)
        attributes |= win::SFGAO_LINK;
    if (Item.Flags & win::ifReadOnly)
        attributes |= win::SFGAO_READONLY;
    if (Item.Flags & win::ifHidden)
        attributes |= win::SFGAO_GHOSTED;
    if (Item.Kind == win::TShellItem::ikFolder) {
        attributes |= FolderAttributes;
        if ((Request & win::SFGAO_HASSUBFOLDER) && win::HasSubfolder(path))
            attributes |= win::SFGAO_HASSUBFOLDER;
    } else if ((Item.Flags & win::ifExecutable) ||
               ((Request & win::SFGAO_DROPTARGET) && win::IsDesktopEntryName(Item.Name) && IsApplicationEntry(path))) {
        attributes |= win::SFGAO_DROPTARGET;
    }
    return attributes;
}

} // namespace

win::ULONG win::ItemAttributes(const TShellPlace& Parent, const TShellItem& Item, ULONG Request)
{
    ULONG attributes = 0;
    switch (Item.Kind) {
    case TShellItem::ikRoot:
        if (Item.RootId == rootComputer) {
            attributes = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_HASPROPSHEET;
        } else {
            attributes = FileSystemAttributes | FolderAttributes;
            if ((Request & SFGAO_HASSUBFOLDER) && HasSubfolder(HomePath()))
                attributes |= SFGAO_HASSUBFOLDER;
        }
        break;
    case TShellItem::ikVolume:
        attributes = FileSystemAttributes | FolderAttributes;
        if (Item.VolumeKind == vkRemovable)
            attributes |= SFGAO_REMOVABLE;
        if ((Request & SFGAO_HASSUBFOLDER) && HasSubfolder(Item.MountPath))
            attributes |= SFGAO_HASSUBFOLDER;
        break;
    case TShellItem::ikFolder:
    case TShellItem::ikFile: attributes = EntryAttributes(Parent, Item, Request); break;
    }
    return attributes & Request;
}
