// The shell namespace's folder and enumerator interfaces with their flag values.
//
// The namespace is a tree of places named by item identifier lists (item_id_list.h, with the
// item layout of shell_item.h): the desktop (the empty list) holds Home, Computer and the entries
// of the desktop's folder; Computer holds one item per volume; Home, volumes and file-system
// folders hold their entries. A folder object answers for its children through lists relative to
// it (usually one item); the desktop folder also takes absolute lists.
//
// Every call returns an HRESULT (hresult.h); a list that is null where a list is needed, malformed
// or not one this namespace makes gets E_INVALIDARG, never a crash. Lists a call hands out come
// from the task allocator and belong to the caller. Objects are counted (ref.h): out parameters of
// type Ref<...> receive a reference. All of it runs on the GUI thread.
#pragma once

#include "platform/messages/messages.h"
#include "platform/shellapi/hresult.h"
#include "platform/shellapi/item_id_list.h"

#include <QString>
#include <span>

namespace win {

template <class T> class Ref;

// EnumObjects: which children to list.
constexpr DWORD SHCONTF_FOLDERS = 0x20;
constexpr DWORD SHCONTF_NONFOLDERS = 0x40;
constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x80; // entries whose names start with "."

// GetAttributesOf: what an item is and what may be done with it.
constexpr ULONG SFGAO_CANCOPY = 0x1;
constexpr ULONG SFGAO_CANMOVE = 0x2;
constexpr ULONG SFGAO_CANLINK = 0x4;
constexpr ULONG SFGAO_CANRENAME = 0x10;
constexpr ULONG SFGAO_CANDELETE = 0x20;
constexpr ULONG SFGAO_HASPROPSHEET = 0x40;
constexpr ULONG SFGAO_DROPTARGET = 0x100;
constexpr ULONG SFGAO_LINK = 0x10000;
constexpr ULONG SFGAO_SHARE = 0x20000; // never set: nothing is shared through the shell here
constexpr ULONG SFGAO_READONLY = 0x40000;
constexpr ULONG SFGAO_GHOSTED = 0x80000;
constexpr ULONG SFGAO_VALIDATE = 0x01000000;
constexpr ULONG SFGAO_REMOVABLE = 0x02000000;
constexpr ULONG SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr ULONG SFGAO_FOLDER = 0x20000000;
constexpr ULONG SFGAO_FILESYSTEM = 0x40000000;
constexpr ULONG SFGAO_HASSUBFOLDER = 0x80000000;

// GetDisplayNameOf: which name.
constexpr DWORD SHGDN_NORMAL = 0;         // the name to show, as seen from the desktop
constexpr DWORD SHGDN_INFOLDER = 1;       // the name to show within its folder
constexpr DWORD SHGDN_FORPARSING = 0x8000; // the name ParseDisplayName takes

// GetDefaultColumnState: what a details column holds and whether it shows by default.
constexpr DWORD SHCOLSTATE_TYPE_STR = 0x1;
constexpr DWORD SHCOLSTATE_TYPE_INT = 0x2;
constexpr DWORD SHCOLSTATE_ONBYDEFAULT = 0x10;

// The alignment of a details column.
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

// One cell (or, for no item, the heading) of a details column.
struct SHELLDETAILS {
    int fmt = LVCFMT_LEFT;
    int cxChar = 0; // the column's width in average characters
    QString str;
};

// What GetUIObjectOf makes for a set of items.
enum class TUIObject { ContextMenu, DropTarget, DataObject };

class IEnumIDList {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // Hands out up to Count items (relative lists the caller frees) into Items and their number
    // into Fetched (which may be null when Count is 1): S_OK when Count items came, S_FALSE when
    // fewer did because the enumeration ended.
    virtual HRESULT Next(ULONG Count, LPITEMIDLIST* Items, ULONG* Fetched) = 0;
    virtual HRESULT Skip(ULONG Count) = 0;
    virtual HRESULT Reset() = 0;

protected:
    virtual ~IEnumIDList() = default;
};

class IShellFolder2;

class IShellFolder {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // Turns a name into a list relative to this folder: the desktop takes absolute paths
    // ("/home/me/a b.txt", giving Computer, the volume holding it and its names) and "::computer";
    // other file-system folders take names below them ("sub/file"). Every named entry must exist.
    // With Attributes, its value is the mask to ask (as GetAttributesOf) and receives the answer.
    virtual HRESULT ParseDisplayName(HWND Owner, const QString& DisplayName, LPITEMIDLIST* Pidl,
                                     ULONG* Attributes) = 0;
    // Lists the children, read when this is called, in byte order of their names.
    virtual HRESULT EnumObjects(HWND Owner, DWORD Flags, Ref<IEnumIDList>* EnumIDList) = 0;
    // The folder a relative list names (a folder, volume, Home or Computer; a link to a folder is
    // a folder); E_NOINTERFACE for a file.
    virtual HRESULT BindToObject(LPCITEMIDLIST Pidl, Ref<IShellFolder>* Folder) = 0;
    // Orders two relative lists: the low 16 bits of the result, as a signed number, are below 0,
    // 0 or above 0. Column 0 of a file-system folder: folders first, then names without case,
    // with case, then their bytes; 1 size, 2 type, 3 modified, each then by name. Computer: 0 name,
    // 1 type, 2 total size, 3 free space. 0 means the very same item.
    virtual HRESULT CompareIDs(LPARAM Column, LPCITEMIDLIST Pidl1, LPCITEMIDLIST Pidl2) = 0;
    // ANDs the attributes of the children Items and leaves in Attributes those it asked for. With
    // no items, SFGAO_VALIDATE rereads the mount table; with items, it fails for an item that is
    // gone.
    virtual HRESULT GetAttributesOf(std::span<const LPCITEMIDLIST> Items, ULONG* Attributes) = 0;
    // The name of the item (any depth below this folder; the empty list is the folder itself):
    // file names exactly as on disk; SHGDN_FORPARSING gives the full path ("::computer" for
    // Computer), with SHGDN_INFOLDER only the item's own part of it.
    virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST Pidl, DWORD Flags, QString* Name) = 0;
    // Renames a child, never replacing another entry; gives its new relative list in NewPidl when
    // that is not null.
    virtual HRESULT SetNameOf(HWND Owner, LPCITEMIDLIST Pidl, const QString& Name, DWORD Flags,
                              LPITEMIDLIST* NewPidl) = 0;
    // Makes the context menu (context_menu.h), drop target or data object of children (the empty
    // list stands for the folder itself); Object receives an IContextMenu*, IDropTarget* or
    // IDataObject* with a reference the caller releases.
    virtual HRESULT GetUIObjectOf(HWND Owner, std::span<const LPCITEMIDLIST> Items, TUIObject Which,
                                  void** Object) = 0;

    // The details facet of the folder, null when it offers none (only Computer does).
    virtual IShellFolder2* Details() { return nullptr; }

protected:
    virtual ~IShellFolder() = default;
};

// A folder that also describes its children in columns.
class IShellFolder2 : public IShellFolder {
public:
    IShellFolder2* Details() override { return this; }

    // The heading of Column (Pidl null) or the cell of the child Pidl; E_INVALIDARG past the last
    // column.
    virtual HRESULT GetDetailsOf(LPCITEMIDLIST Pidl, UINT Column, SHELLDETAILS* Details) = 0;
    virtual HRESULT GetDefaultColumnState(UINT Column, DWORD* Flags) = 0;
};

// The desktop folder, root of the namespace.
HRESULT SHGetDesktopFolder(Ref<IShellFolder>* Folder);
// The file-system path of an absolute list (null is the desktop, whose path is the desktop's
// folder); false and an empty path for Computer and for a list that is not one of ours.
bool SHGetPathFromIDList(LPCITEMIDLIST Pidl, QString* Path);
// The absolute list of a special folder (special_folders.h) into Pidl; E_FAIL for a number with
// no place here, and the error of the missing folder when its folder does not exist.
HRESULT SHGetSpecialFolderLocation(HWND Owner, int Csidl, LPITEMIDLIST* Pidl);

} // namespace win
