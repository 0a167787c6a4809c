// TNamespaceFolder: what every folder of the namespace answers alike, its file-system listing and
// the enumerator over listed items.
#include "platform/shellapi/namespace_folders.h"

#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/folder_drop_target.h"
#include "platform/shellapi/item_context_menu.h"
#include "platform/shellapi/item_attributes.h"
#include "platform/shellapi/item_order.h"
#include "platform/shellapi/item_texts.h"
#include "platform/shellapi/rename_entry.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

class TItemEnumerator final : public win::TRefCounted<win::IEnumIDList> {
public:
    explicit TItemEnumerator(QList<QByteArray> Items) : items_(std::move(Items)) {}

    win::HRESULT Next(win::ULONG Count, win::LPITEMIDLIST* Items, win::ULONG* Fetched) override
    {
        if (!Items || (!Fetched && Count != 1))
            return win::E_INVALIDARG;
        win::ULONG given = 0;
        while (given < Count && next_ < items_.size()) {
            Items[given] = win::ItemListFromBytes(items_[next_]);
            if (!Items[given])
                break;
            ++given;
            ++next_;
        }
        if (Fetched)
            *Fetched = given;
        if (given < Count && next_ < items_.size())
            return win::E_OUTOFMEMORY;
        return given == Count ? win::S_OK : win::S_FALSE;
    }

    win::HRESULT Skip(win::ULONG Count) override
    {
        const qsizetype left = items_.size() - next_;
        next_ += std::min<qsizetype>(left, Count);
        return qsizetype(Count) <= left ? win::S_OK : win::S_FALSE;
    }

    win::HRESULT Reset() override
    {
        next_ = 0;
        return win::S_OK;
    }

private:
    QList<QByteArray> items_;
    qsizetype next_ = 0;
};

bool Wanted(const win::TShellItem& Item, win::DWORD Flags)
{
    if ((Item.Flags & win::ifHidden) && !(Flags & win::SHCONTF_INCLUDEHIDDEN))
        return false;
    const bool folder = Item.Kind != win::TShellItem::ikFile;
    return folder ? (Flags & win::SHCONTF_FOLDERS) : (Flags & win::SHCONTF_NONFOLDERS);
}

// Whether the place still exists: an entry on disk, a volume in the mount table.
bool StillThere(const win::TShellPlace& Place)
{
    if (Place.Items.isEmpty())
        return true;
    const win::TShellItem& item = Place.Item();
    if (item.Kind == win::TShellItem::ikVolume) {
        for (const win::TVolume& volume : win::CurrentVolumes())
            if (volume.MountPath == item.MountPath)
                return true;
        return false;
    }
    struct stat info;
    return !item.IsEntry() || ::lstat(Place.Path.constData(), &info) == 0;
}

win::HRESULT OrderResult(int Order)
{
    const std::int16_t sign = Order < 0 ? -1 : (Order > 0 ? 1 : 0);
    return win::HRESULT(std::uint16_t(sign));
}

} // namespace

win::Ref<win::IShellFolder> win::TNamespaceFolder::ForPlace(const TShellPlace& Place)
{
    switch (Place.Kind) {
    case TShellPlace::pkDesktop: return new TDesktopFolder;
    case TShellPlace::pkComputer: return new TComputerFolder(Place);
    case TShellPlace::pkFolder: return new TNamespaceFolder(Place);
    case TShellPlace::pkFile: break;
    }
    return {};
}

bool win::TNamespaceFolder::ChildPlace(LPCITEMIDLIST Pidl, TShellPlace& Child) const
{
    QList<TShellItem> items;
    return DecodeItems(Pidl, items) && ResolvePlace(place_.Items + items, Child);
}

win::HRESULT win::TNamespaceFolder::Enumerate(const QList<TShellItem>& Items, DWORD Flags, Ref<IEnumIDList>* EnumIDList)
{
    QList<QByteArray> wanted;
    for (const TShellItem& item : Items)
        if (Wanted(item, Flags))
            wanted.append(item.Encode());
    *EnumIDList = new TItemEnumerator(std::move(wanted));
    return S_OK;
}

win::HRESULT win::TNamespaceFolder::GiveParsed(const QList<TShellItem>& Items, LPITEMIDLIST* Pidl, ULONG* Attributes)
{
    *Pidl = EncodeItems(Items);
    if (!*Pidl)
        return E_OUTOFMEMORY;
    if (Attributes) {
        LPCITEMIDLIST item = *Pidl;
        GetAttributesOf({&item, 1}, Attributes);
    }
    return S_OK;
}

win::HRESULT win::TNamespaceFolder::ParseDisplayName(HWND, const QString& DisplayName, LPITEMIDLIST* Pidl,
                                                     ULONG* Attributes)
{
    if (!Pidl)
        return E_INVALIDARG;
    *Pidl = nullptr;
    QList<TShellItem> items;
    const HRESULT result = ParseRelativePath(place_.Path, EncodeName(DisplayName), items);
    return FAILED(result) ? result : GiveParsed(items, Pidl, Attributes);
}

win::HRESULT win::TNamespaceFolder::EnumObjects(HWND, DWORD Flags, Ref<IEnumIDList>* EnumIDList)
{
    if (!EnumIDList)
        return E_INVALIDARG;
    QList<TShellItem> items;
    if (const int error = ReadFolderItems(place_.Path, items))
        return HResultFromErrno(error);
    return Enumerate(items, Flags, EnumIDList);
}

win::HRESULT win::TNamespaceFolder::BindToObject(LPCITEMIDLIST Pidl, Ref<IShellFolder>* Folder)
{
    if (!Folder)
        return E_INVALIDARG;
    *Folder = {};
    TShellPlace child;
    if (ItemListSize(Pidl) <= 2 || !ChildPlace(Pidl, child))
        return E_INVALIDARG;
    if (!child.IsFolder())
        return E_NOINTERFACE;
    *Folder = ForPlace(child);
    return S_OK;
}

win::HRESULT win::TNamespaceFolder::CompareIDs(LPARAM Column, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2)
{
    QList<TShellItem> a, b;
    TShellPlace unused;
    if (!DecodeItems(Pidl1, a) || !DecodeItems(Pidl2, b) || !ResolvePlace(place_.Items + a, unused, false) ||
        !ResolvePlace(place_.Items + b, unused, false))
        return E_INVALIDARG;
    const int column = LOWORD(Column);
    for (qsizetype i = 0; i < a.size() && i < b.size(); ++i)
        if (const int order = CompareItems(column, a[i], b[i]))
            return OrderResult(order);
    return OrderResult(int(a.size() - b.size()));
}

win::HRESULT win::TNamespaceFolder::GetAttributesOf(std::span<const LPCITEMIDLIST> Items, ULONG* Attributes)
{
    if (!Attributes)
        return E_INVALIDARG;
    const ULONG request = *Attributes;
    if (Items.empty()) {
        if (request & SFGAO_VALIDATE)
            RereadVolumes();
        *Attributes = 0;
        return S_OK;
    }
    ULONG result = request;
    for (LPCITEMIDLIST pidl : Items) {
        TShellPlace child;
        if (ItemListSize(pidl) <= 2 || !ChildPlace(pidl, child))
            return E_INVALIDARG;
        if ((request & SFGAO_VALIDATE) && !StillThere(child))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        TShellPlace parent;
        ResolvePlace(child.Items.first(child.Items.size() - 1), parent);
        result &= ItemAttributes(parent, child.Item(), request);
    }
    *Attributes = result & ~SFGAO_VALIDATE;
    return S_OK;
}

win::HRESULT win::TNamespaceFolder::GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, QString* Name)
{
    if (!Name)
        return E_INVALIDARG;
    Name->clear();
    TShellPlace place;
    if (!ChildPlace(Pidl, place))
        return E_INVALIDARG;
    *Name = PlaceName(place, Flags);
    return S_OK;
}

win::HRESULT win::TNamespaceFolder::SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const QString& Name, DWORD,
                                              LPITEMIDLIST* NewPidl)
{
    if (NewPidl)
        *NewPidl = nullptr;
    TShellPlace child;
    if (ItemListSize(Pidl) <= 2 || !ChildPlace(Pidl, child) || child.Items.size() != place_.Items.size() + 1 ||
        !child.Item().IsEntry())
        return E_INVALIDARG;
    TShellItem renamed;
    const HRESULT result = RenameEntry(place_.Path, child.Item().Name, Name, Owner != nullptr, renamed);
    if (FAILED(result) || !NewPidl)
        return result;
    *NewPidl = EncodeItems({renamed});
    return *NewPidl ? S_OK : E_OUTOFMEMORY;
}

bool win::TNamespaceFolder::TargetOf(LPCITEMIDLIST Pidl, TShellPlace& Place, ULONG& Attributes) const
{
    constexpr ULONG request = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME | SFGAO_CANDELETE |
                              SFGAO_HASPROPSHEET | SFGAO_DROPTARGET | SFGAO_FOLDER | SFGAO_FILESYSTEM;
    const std::size_t size = ItemListSize(Pidl);
    if (size < 2 || !ChildPlace(Pidl, Place))
        return false;
    if (Place.Items.isEmpty()) {
        // The desktop itself.
        Attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DROPTARGET | SFGAO_HASPROPSHEET;
        return true;
    }
    TShellPlace parent;
    ResolvePlace(Place.Items.first(Place.Items.size() - 1), parent);
    Attributes = ItemAttributes(parent, Place.Item(), request);
    return true;
}

win::HRESULT win::TNamespaceFolder::GetUIObjectOf(HWND, std::span<const LPCITEMIDLIST> Items, TUIObject Which,
                                                  void** Object)
{
    if (!Object)
        return E_INVALIDARG;
    *Object = nullptr;
    if (Which == TUIObject::DataObject)
        return E_NOTIMPL; // the controls make their own
    if (Items.empty())
        return E_INVALIDARG;
    QList<TItemContextMenu::TTarget> targets;
    for (LPCITEMIDLIST pidl : Items) {
        TItemContextMenu::TTarget target;
        if (!TargetOf(pidl, target.Place, target.Attributes))
            return E_INVALIDARG;
        targets += target;
    }
    if (Which == TUIObject::ContextMenu) {
        Ref<IContextMenu> menu(new TItemContextMenu(std::move(targets)));
        *Object = menu.detach();
        return S_OK;
    }
    IDropTarget* dropTarget =
        targets.size() == 1 ? MakeDropTarget(targets[0].Place, targets[0].Attributes) : nullptr;
    *Object = dropTarget;
    return dropTarget ? S_OK : E_NOINTERFACE;
}

win::HRESULT win::TNamespaceFolder::GetDetailsOf(LPCITEMIDLIST, UINT, SHELLDETAILS*)
{
    return E_NOTIMPL;
}

win::HRESULT win::TNamespaceFolder::GetDefaultColumnState(UINT, DWORD*)
{
    return E_NOTIMPL;
}
