// TDesktopFolder: the root of the namespace.
#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/namespace_folders.h"
#include "platform/system/name_encoding.h"

namespace {

win::TShellItem RootItem(win::BYTE Id)
{
    win::TShellItem item;
    item.Kind = win::TShellItem::ikRoot;
    item.RootId = Id;
    return item;
}

win::TShellPlace DesktopPlace()
{
    win::TShellPlace place;
    win::ResolvePlace({}, place);
    return place;
}

} // namespace

win::TDesktopFolder::TDesktopFolder() : TNamespaceFolder(DesktopPlace()) {}

win::HRESULT win::TDesktopFolder::ParseDisplayName(HWND, const QString& DisplayName, LPITEMIDLIST* Pidl,
                                                   ULONG* Attributes)
{
    if (!Pidl)
        return E_INVALIDARG;
    *Pidl = nullptr;
    QList<TShellItem> items;
    if (DisplayName.compare(QLatin1String("::computer"), Qt::CaseInsensitive) == 0) {
        items = {RootItem(rootComputer)};
    } else if (const HRESULT result = ParsePath(EncodeName(DisplayName), items); FAILED(result)) {
        return result;
    }
    return GiveParsed(items, Pidl, Attributes);
}

win::HRESULT win::TDesktopFolder::EnumObjects(HWND, DWORD Flags, Ref<IEnumIDList>* EnumIDList)
{
    if (!EnumIDList)
        return E_INVALIDARG;
    QList<TShellItem> items = {RootItem(rootHome), RootItem(rootComputer)};
    QList<TShellItem> entries;
    if (ReadFolderItems(Place().Path, entries) == 0) // a missing desktop folder holds nothing
        items += entries;
    return Enumerate(items, Flags, EnumIDList);
}
