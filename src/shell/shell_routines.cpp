// The small shell routines of the list and the tree.
#include "shell/shell_routines.h"

#include "shell/pidl_routines.h"

#include "platform/graphics/clipboard_format.h"
#include "platform/ole/cida.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/medium.h"
#include "platform/shellapi/special_folders.h"
#include "platform/widgets/form.h"

#include <QWidget>
#include <vector>

using namespace win;

namespace {

// The items of Pidl, null and the empty list standing for the desktop's file-system folder.
HRESULT ItemsOrDesktop(LPCITEMIDLIST Pidl, QList<QByteArray>& Items)
{
    Items.clear();
    if (Pidl && !SplitItemList(Pidl, Items))
        return E_INVALIDARG;
    if (!Items.isEmpty())
        return S_OK;
    LPITEMIDLIST desktop = nullptr;
    const HRESULT parsed = PathToPidl(SHGetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY), desktop);
    const TOwnedPidl owned(desktop);
    if (FAILED(parsed))
        return parsed;
    if (!SplitItemList(desktop, Items) || Items.isEmpty())
        return E_FAIL;
    return S_OK;
}

} // namespace

HWND GetParentFormHandle(const QWidget* Control)
{
    // The form itself stands for its window: the namespace only asks whether there is an owner.
    TForm* form = Control ? qobject_cast<TForm*>(Control->window()) : nullptr;
    return reinterpret_cast<HWND>(form);
}

HRESULT FolderDisplayName(IShellFolder* Folder, LPCITEMIDLIST Pidl, DWORD Flags, QString& Text)
{
    Text.clear();
    if (!Folder)
        return E_INVALIDARG;
    return Folder->GetDisplayNameOf(Pidl, Flags, &Text);
}

HRESULT SplitAbsolutePidl(LPCITEMIDLIST Pidl, Ref<IShellFolder>& Folder, LPITEMIDLIST& ParentPidl,
                          LPITEMIDLIST& LastItem)
{
    Folder.reset();
    ParentPidl = nullptr;
    LastItem = nullptr;
    QList<QByteArray> items;
    if (const HRESULT result = ItemsOrDesktop(Pidl, items); FAILED(result))
        return result;
    TOwnedPidl last(ItemListFromBytes(items.last()));
    if (!last)
        return E_OUTOFMEMORY;
    TOwnedPidl parent;
    Ref<IShellFolder> folder;
    HRESULT result = S_OK;
    if (items.size() == 1) {
        result = SHGetDesktopFolder(&folder);
    } else {
        items.removeLast();
        parent.reset(ItemListFromBytes(items.join()));
        if (!parent)
            return E_OUTOFMEMORY;
        result = GetShellFolder(parent.get(), folder);
    }
    if (FAILED(result))
        return result;
    Folder = folder;
    ParentPidl = parent.release();
    LastItem = last.release();
    return S_OK;
}

HRESULT GetUIObjectOfPidl(LPCITEMIDLIST Pidl, TUIObject Which, void** Object)
{
    if (!Object)
        return E_INVALIDARG;
    *Object = nullptr;
    Ref<IShellFolder> folder;
    LPITEMIDLIST parent = nullptr;
    LPITEMIDLIST last = nullptr;
    const HRESULT split = SplitAbsolutePidl(Pidl, folder, parent, last);
    const TOwnedPidl ownedParent(parent);
    const TOwnedPidl ownedLast(last);
    if (FAILED(split))
        return split;
    const LPCITEMIDLIST items[] = {last};
    return folder->GetUIObjectOf(nullptr, items, Which, Object);
}

HRESULT GetDesktopDropTarget(IDropTarget** Target)
{
    if (!Target)
        return E_INVALIDARG;
    void* object = nullptr;
    const HRESULT result = GetUIObjectOfPidl(nullptr, TUIObject::DropTarget, &object);
    *Target = static_cast<IDropTarget*>(object);
    return result;
}

HRESULT GetDesktopParentAndItem(LPITEMIDLIST& ParentPidl, LPITEMIDLIST& ItemPidl)
{
    Ref<IShellFolder> folder;
    return SplitAbsolutePidl(nullptr, folder, ParentPidl, ItemPidl);
}

DWORD GetAllowedDropEffects(IDataObject* Data)
{
    constexpr DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    if (!Data)
        return all;
    FORMATETC format;
    format.cfFormat = CLIPFORMAT(RegisterClipboardFormat(QStringLiteral("Shell IDList Array")));
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (FAILED(Data->GetData(&format, &medium)))
        return all;
    const std::optional<QByteArray> block = BytesOfMedium(medium);
    ReleaseStgMedium(&medium);
    const std::optional<std::vector<QByteArray>> lists = block ? ReadCida(ByteSpan(*block)) : std::nullopt;
    if (!lists || lists->size() < 2)
        return all;

    // The folder's list first, then its items relative to it.
    std::vector<TOwnedPidl> owned;
    for (const QByteArray& list : *lists)
        owned.emplace_back(ItemListFromBytes(list.chopped(2)));
    Ref<IShellFolder> folder;
    if (!owned[0] || FAILED(GetShellFolder(owned[0].get(), folder)))
        return DROPEFFECT_NONE;
    std::vector<LPCITEMIDLIST> items;
    for (std::size_t i = 1; i < owned.size(); ++i) {
        if (!owned[i])
            return DROPEFFECT_NONE;
        items.push_back(owned[i].get());
    }
    ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    if (FAILED(folder->GetAttributesOf(items, &attributes)))
        return DROPEFFECT_NONE;
    DWORD effects = DROPEFFECT_NONE;
    if (attributes & SFGAO_CANCOPY)
        effects |= DROPEFFECT_COPY;
    if (attributes & SFGAO_CANMOVE)
        effects |= DROPEFFECT_MOVE;
    if (attributes & SFGAO_CANLINK)
        effects |= DROPEFFECT_LINK;
    return effects;
}
