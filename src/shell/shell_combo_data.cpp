// TPTShComboData.
#include "shell/shell_combo_data.h"

#include "shell/pidl_routines.h"

TPTShComboData::~TPTShComboData()
{
    ShellFree(relativePidl_);
    ShellFree(absolutePidl_);
}

void TPTShComboData::Init(win::IShellFolder* ParentFolder, win::LPCITEMIDLIST RelativePidl,
                          win::LPCITEMIDLIST AbsolutePidl)
{
    parentFolder_ = win::Ref<win::IShellFolder>(ParentFolder);
    ShellFree(relativePidl_);
    ShellFree(absolutePidl_);
    relativePidl_ = CopyPidl(nullptr, RelativePidl);
    absolutePidl_ = CopyPidl(nullptr, AbsolutePidl);
}
