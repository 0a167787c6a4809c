// The small shell routines the list and the tree share: the owner window of their shell calls,
// display names, splitting an absolute item list into its folder and last item, the objects of
// single items, the desktop's drop target and the effects a data object's items allow.
#pragma once

#include "platform/messages/messages.h"
#include "platform/ole/interfaces.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <QString>
#include <memory>

class QWidget;

// An item list from the task allocator, freed when the holder goes.
struct TPidlRelease {
    void operator()(win::ITEMIDLIST* Pidl) const { win::CoTaskMemFree(Pidl); }
};
using TOwnedPidl = std::unique_ptr<win::ITEMIDLIST, TPidlRelease>;

// The owner window of the shell calls of Control: its top parent when that is a form, else null
// (the namespace shows failures only to an owner).
win::HWND GetParentFormHandle(const QWidget* Control);

// Folder's display name of Pidl (SHGDN_* Flags) into Text (cleared first).
win::HRESULT FolderDisplayName(win::IShellFolder* Folder, win::LPCITEMIDLIST Pidl, win::DWORD Flags, QString& Text);

// The folder of the parent of the absolute list Pidl, a copy of that parent's list and a copy of
// Pidl's last item (the caller frees both lists). Null or the empty list stands for the desktop's
// file-system folder. A one-item list gives the desktop folder and no parent list. On failure the
// outputs are left empty.
win::HRESULT SplitAbsolutePidl(win::LPCITEMIDLIST Pidl, win::Ref<win::IShellFolder>& Folder,
                               win::LPITEMIDLIST& ParentPidl, win::LPITEMIDLIST& LastItem);

// The context menu, drop target or data object of the item at the absolute list Pidl, asked of
// its parent folder; Object receives it with a reference the caller releases.
win::HRESULT GetUIObjectOfPidl(win::LPCITEMIDLIST Pidl, win::TUIObject Which, void** Object);

// The drop target of the desktop's file-system folder, with a reference for the caller.
win::HRESULT GetDesktopDropTarget(win::IDropTarget** Target);

// Copies of the parent list and of the last item of the desktop's file-system folder (the caller
// frees both).
win::HRESULT GetDesktopParentAndItem(win::LPITEMIDLIST& ParentPidl, win::LPITEMIDLIST& ItemPidl);

// The drop effects the items of Data allow together, as their folder's attributes say (copy, move,
// link); all three when Data holds no readable "Shell IDList Array", none when the items cannot be
// asked (gone, or no folder).
win::DWORD GetAllowedDropEffects(win::IDataObject* Data);
