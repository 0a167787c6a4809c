// TPTShTreeData: what a shell tree keeps for one node: the item's lists and its cached folders.
#pragma once

#include "platform/rtl/object.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

#include <QString>

class TPTCustomShellTree;

// Owned by its node. The top node's relative list is the base folder's absolute list (null for
// the desktop). GUI thread only.
class TPTShTreeData : public TObject {
public:
    explicit TPTShTreeData(TPTCustomShellTree* Owner) : owner_(Owner) {}
    ~TPTShTreeData() override;

    // Keeps Parent (null: the top node) and a copy of RelativePidl.
    void Init(TPTShTreeData* Parent, win::LPCITEMIDLIST RelativePidl);

    TPTCustomShellTree* Owner() const { return owner_; }
    TPTShTreeData* ParentData() const { return parent_; }
    win::LPCITEMIDLIST RelativePidl() const { return relativePidl_; }
    // After a rename: a copy of Value replaces the relative list; the cached lists and folder go.
    void SetRelativePidl(win::LPCITEMIDLIST Value);
    // Forgets the absolute list and the folder (they are made again on use).
    void ResetCache();

    // The parent's absolute list followed by the relative one; for the top node a copy of it.
    win::LPCITEMIDLIST AbsolutePidl();
    // The file-system path; empty for places without one.
    QString GetPath();
    // The folder holding the item: the parent node's folder, for the top node its parent's.
    win::IShellFolder* ParentFolder();
    // The item as a folder (null when it is none); the desktop's for the top node without a list.
    win::IShellFolder* Folder();
    // Lets the top node use Value as its folder (the base folder bound by the tree).
    void SetFolder(win::IShellFolder* Value) { folder_ = win::Ref<win::IShellFolder>(Value); }
    // The namespace lets the item be renamed (never the top node).
    bool CanRename();
    // A context menu, drop target or data object of the item, with a reference for the caller.
    win::HRESULT GetUIObjectOf(win::HWND Owner, win::TUIObject Which, void** Object);

private:
    TPTCustomShellTree* owner_;
    TPTShTreeData* parent_ = nullptr;
    win::LPITEMIDLIST relativePidl_ = nullptr;
    win::LPITEMIDLIST absolutePidl_ = nullptr;
    win::Ref<win::IShellFolder> folder_;
    win::Ref<win::IShellFolder> containerFolder_;
};
