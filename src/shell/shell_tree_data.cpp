// TPTShTreeData.
#include "shell/shell_tree_data.h"

#include "shell/pidl_routines.h"
#include "shell/shell_routines.h"

using namespace win;

namespace {

// The attributes asked to learn whether an item may be renamed.
constexpr ULONG RenameRequest = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME |
                                SFGAO_CANDELETE | SFGAO_HASPROPSHEET | SFGAO_DROPTARGET;

bool IsEmptyPidl(LPCITEMIDLIST Pidl)
{
    return !Pidl || PidlSize(Pidl) <= 2;
}

} // namespace

TPTShTreeData::~TPTShTreeData()
{
    ShellFree(relativePidl_);
    ShellFree(absolutePidl_);
}

void TPTShTreeData::Init(TPTShTreeData* Parent, LPCITEMIDLIST RelativePidl)
{
    parent_ = Parent;
    ShellFree(std::exchange(relativePidl_, CopyPidl(nullptr, RelativePidl)));
}

void TPTShTreeData::SetRelativePidl(LPCITEMIDLIST Value)
{
    ResetCache();
    ShellFree(std::exchange(relativePidl_, CopyPidl(nullptr, Value)));
}

void TPTShTreeData::ResetCache()
{
    ShellFree(std::exchange(absolutePidl_, nullptr));
    folder_.reset();
}

LPCITEMIDLIST TPTShTreeData::AbsolutePidl()
{
    if (!absolutePidl_)
        absolutePidl_ = parent_ ? ConcatPidls(nullptr, parent_->AbsolutePidl(), relativePidl_)
                                : CopyPidl(nullptr, relativePidl_);
    return absolutePidl_;
}

QString TPTShTreeData::GetPath()
{
    return PidlToPath(AbsolutePidl());
}

IShellFolder* TPTShTreeData::ParentFolder()
{
    if (parent_)
        return parent_->Folder();
    if (!containerFolder_) {
        LPITEMIDLIST parent = nullptr;
        LPITEMIDLIST last = nullptr;
        SplitAbsolutePidl(AbsolutePidl(), containerFolder_, parent, last);
        ShellFree(parent);
        ShellFree(last);
    }
    return containerFolder_.get();
}

IShellFolder* TPTShTreeData::Folder()
{
    if (folder_)
        return folder_.get();
    if (IsEmptyPidl(relativePidl_) && !parent_) {
        SHGetDesktopFolder(&folder_);
    } else if (parent_) {
        if (IShellFolder* parent = ParentFolder())
            parent->BindToObject(relativePidl_, &folder_);
    } else {
        GetShellFolder(relativePidl_, folder_);
    }
    return folder_.get();
}

bool TPTShTreeData::CanRename()
{
    if (!parent_ || IsEmptyPidl(relativePidl_))
        return false;
    IShellFolder* folder = ParentFolder();
    ULONG attributes = RenameRequest;
    const LPCITEMIDLIST item = relativePidl_;
    return folder && SUCCEEDED(folder->GetAttributesOf({&item, 1}, &attributes)) && (attributes & SFGAO_CANRENAME);
}

HRESULT TPTShTreeData::GetUIObjectOf(HWND Owner, TUIObject Which, void** Object)
{
    if (!parent_)
        return GetUIObjectOfPidl(AbsolutePidl(), Which, Object);
    IShellFolder* folder = ParentFolder();
    if (!folder)
        return E_FAIL;
    const LPCITEMIDLIST item = relativePidl_;
    return folder->GetUIObjectOf(Owner, {&item, 1}, Which, Object);
}
