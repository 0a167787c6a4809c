// TDataObject_shlv.
#include "shell/data_object_shlv.h"

#include "shell/shell_list.h"
#include "shell/shell_routines.h"

using namespace win;

ComPtr<TDataObject_shlv> TDataObject_shlv::Create(TPTCustomShellList& List)
{
    const std::vector<LPCITEMIDLIST> items = List.SelectedPidls();
    IShellFolder* folder = List.ShellFolder();
    if (items.empty() || !folder)
        return {};
    QStringList names;
    for (const LPCITEMIDLIST item : items) {
        QString name;
        if (FAILED(FolderDisplayName(folder, item, SHGDN_FORPARSING, name)))
            return {};
        names += name;
    }
    ComPtr<TDataObject_shlv> object(new TDataObject_shlv);
    if (!object->Render(List.FolderPidl(), items, names))
        return {};
    return object;
}
