// The folder objects behind IShellFolder: the desktop, Computer and file-system folders (Home,
// volumes and folders), each answering for the place it stands for. Names, attributes and the
// order of items are the same in every folder (item_texts.h, item_attributes.h, item_order.h);
// the kinds differ in what they list and what names they parse.
#pragma once

#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_places.h"

namespace win {

class TNamespaceFolder : public TRefCounted<IShellFolder2> {
public:
    explicit TNamespaceFolder(TShellPlace Place) : place_(std::move(Place)) {}

    // The folder object of a folder place (the desktop, Computer, Home, a volume or a folder).
    static Ref<IShellFolder> ForPlace(const TShellPlace& Place);

    const TShellPlace& Place() const { return place_; }

    // Names below this file-system folder ("sub/name").
    HRESULT ParseDisplayName(HWND Owner, const QString& DisplayName, LPITEMIDLIST* Pidl, ULONG* Attributes) override;
    // The entries of this file-system folder.
    HRESULT EnumObjects(HWND Owner, DWORD Flags, Ref<IEnumIDList>* EnumIDList) override;
    HRESULT BindToObject(LPCITEMIDLIST Pidl, Ref<IShellFolder>* Folder) override;
    HRESULT CompareIDs(LPARAM Column, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2) override;
    HRESULT GetAttributesOf(std::span<const LPCITEMIDLIST> Items, ULONG* Attributes) override;
    HRESULT GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, QString* Name) override;
    // Renames an entry of this file-system folder (rename_entry.h); an owner window sees the
    // failure in a message dialog.
    HRESULT SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const QString& Name, DWORD Flags, LPITEMIDLIST* NewPidl) override;
    // The context menu of items (item_context_menu.h), or the drop target of one item (MakeDropTarget
    // of folder_drop_target.h); E_NOINTERFACE for items without one. The empty list is the folder
    // itself. No data objects: E_NOTIMPL.
    HRESULT GetUIObjectOf(HWND Owner, std::span<const LPCITEMIDLIST> Items, TUIObject Which, void** Object) override;

    // Only Computer describes its children in columns.
    IShellFolder2* Details() override { return nullptr; }
    HRESULT GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* Details) override;
    HRESULT GetDefaultColumnState(UINT Column, DWORD* Flags) override;

protected:
    // The place of a list relative to this folder; false when it is not one the namespace makes.
    bool ChildPlace(LPCITEMIDLIST Pidl, TShellPlace& Child) const;
    // The place of a list relative to this folder (the empty list: the folder) and its attributes.
    bool TargetOf(LPCITEMIDLIST Pidl, TShellPlace& Place, ULONG& Attributes) const;
    // Hands out an enumerator over Items (encoded one by one), keeping those Flags ask for.
    static HRESULT Enumerate(const QList<TShellItem>& Items, DWORD Flags, Ref<IEnumIDList>* EnumIDList);
    // Hands out a list of Items (relative to this folder) and their attributes.
    HRESULT GiveParsed(const QList<TShellItem>& Items, LPITEMIDLIST* Pidl, ULONG* Attributes);

private:
    TShellPlace place_;
};

// The desktop: Home, Computer, then the entries of the desktop's folder. Parses absolute paths
// and "::computer".
class TDesktopFolder final : public TNamespaceFolder {
public:
    TDesktopFolder();

    HRESULT ParseDisplayName(HWND Owner, const QString& DisplayName, LPITEMIDLIST* Pidl, ULONG* Attributes) override;
    HRESULT EnumObjects(HWND Owner, DWORD Flags, Ref<IEnumIDList>* EnumIDList) override;
};

// Computer: one item per volume (the mount table is read again for each listing), with the
// columns Name, Type, Total Size, Free Space (on by default) and File System (off).
class TComputerFolder final : public TNamespaceFolder {
public:
    explicit TComputerFolder(TShellPlace Place) : TNamespaceFolder(std::move(Place)) {}

    // Parses nothing: E_INVALIDARG.
    HRESULT ParseDisplayName(HWND Owner, const QString& DisplayName, LPITEMIDLIST* Pidl, ULONG* Attributes) override;
    HRESULT EnumObjects(HWND Owner, DWORD Flags, Ref<IEnumIDList>* EnumIDList) override;

    IShellFolder2* Details() override { return this; }
    HRESULT GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* Details) override;
    HRESULT GetDefaultColumnState(UINT Column, DWORD* Flags) override;
};

} // namespace win
