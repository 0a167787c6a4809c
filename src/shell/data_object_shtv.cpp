// TDataObject_shtv.
#include "shell/data_object_shtv.h"

#include "shell/shell_routines.h"
#include "shell/shell_tree.h"

using namespace win;

ComPtr<TDataObject_shtv> TDataObject_shtv::Create(TTreeNode* Node)
{
    TPTShTreeData* data = TPTCustomShellTree::NodeData(Node);
    TPTShTreeData* parent = data ? data->ParentData() : nullptr;
    IShellFolder* folder = parent ? parent->Folder() : nullptr;
    if (!folder)
        return {};
    QString name;
    if (FAILED(FolderDisplayName(folder, data->RelativePidl(), SHGDN_FORPARSING, name)))
        return {};
    ComPtr<TDataObject_shtv> object(new TDataObject_shtv);
    if (!object->Render(parent->AbsolutePidl(), {data->RelativePidl()}, {name}))
        return {};
    return object;
}
