// TPTShComboData: what a shell combo keeps for one entry: its parent folder and its lists.
#pragma once

#include "platform/rtl/object.h"
#include "platform/shellapi/ref.h"
#include "platform/shellapi/shell_folder.h"

class TPTCustomShellCombo;

// Owned by its entry; frees its lists and releases its folder when it goes. The desktop's entry
// holds no folder and no lists. GUI thread only.
class TPTShComboData : public TObject {
public:
    explicit TPTShComboData(TPTCustomShellCombo* Owner) : owner_(Owner) {}
    ~TPTShComboData() override;
    TPTShComboData(const TPTShComboData&) = delete;
    TPTShComboData& operator=(const TPTShComboData&) = delete;

    // Keeps ParentFolder and copies of RelativePidl and AbsolutePidl.
    void Init(win::IShellFolder* ParentFolder, win::LPCITEMIDLIST RelativePidl, win::LPCITEMIDLIST AbsolutePidl);

    TPTCustomShellCombo* Owner() const { return owner_; }
    win::IShellFolder* ParentFolder() const { return parentFolder_.get(); }
    win::LPCITEMIDLIST RelativePidl() const { return relativePidl_; }
    // Null for the desktop.
    win::LPCITEMIDLIST AbsolutePidl() const { return absolutePidl_; }

private:
    TPTCustomShellCombo* owner_;
    win::Ref<win::IShellFolder> parentFolder_;
    win::LPITEMIDLIST relativePidl_ = nullptr;
    win::LPITEMIDLIST absolutePidl_ = nullptr;
};
