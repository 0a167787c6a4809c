// SHGetDesktopFolder, SHGetPathFromIDList and SHGetSpecialFolderLocation.
#include "platform/shellapi/namespace_folders.h"
#include "platform/shellapi/special_folders.h"
#include "platform/system/name_encoding.h"

win::HRESULT win::SHGetDesktopFolder(Ref<IShellFolder>* Folder)
{
    if (!Folder)
        return E_INVALIDARG;
    *Folder = new TDesktopFolder;
    return S_OK;
}

bool win::SHGetPathFromIDList(LPCITEMIDLIST Pidl, QString* Path)
{
    if (!Path)
        return false;
    Path->clear();
    QList<TShellItem> items;
    TShellPlace place;
    if ((Pidl && !DecodeItems(Pidl, items)) || !ResolvePlace(items, place) || place.Path.isEmpty())
        return false;
    *Path = DecodeName(place.Path);
    return true;
}

win::HRESULT win::SHGetSpecialFolderLocation(HWND, int Csidl, LPITEMIDLIST* Pidl)
{
    if (!Pidl)
        return E_INVALIDARG;
    *Pidl = nullptr;
    QList<TShellItem> items;
    switch (Csidl) {
    case CSIDL_DESKTOP: break;
    case CSIDL_DRIVES: {
        TShellItem computer;
        computer.Kind = TShellItem::ikRoot;
        computer.RootId = rootComputer;
        items = {computer};
        break;
    }
    default: {
        const QString path = SHGetSpecialFolderPath(Csidl);
        if (path.isEmpty())
            return E_FAIL;
        if (const HRESULT result = ParsePath(EncodeName(path), items); FAILED(result))
            return result;
        break;
    }
    }
    *Pidl = EncodeItems(items);
    return *Pidl ? S_OK : E_OUTOFMEMORY;
}
