// TPTCustomShellTree: filling the tree again and refreshing its nodes against their folders.
#include "shell/shell_tree.h"

#include "shell/change_handler_thread.h"
#include "shell/pidl_list.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

using namespace win;

void TPTCustomShellTree::FillRoot()
{
    if (Busy()) {
        refreshPending_ = true;
        return;
    }
    refreshPending_ = false;
    const THourGlass hourGlass;
    DeleteAllNodes();
    Ref<IShellFolder> folder;
    if (const HRESULT bound = GetShellFolder(baseFolder_->GetPidl(), folder); FAILED(bound))
        throw Exception(SystemMessage(bound));
    if ((options_ & ptstoDynamicRefresh) && !watcher_)
        watcher_ = std::make_unique<TChangeHandlerThread>(handle_, WM_SHELLTREE_CHANGE, watchSlots_);
    else if (watcher_)
        watcher_->ClearWatches();
    FillNode(folder.get(), nullptr);
    SetFolderPidl(folder_->GetPidl());
    SyncLinked();
}

void TPTCustomShellTree::Refresh()
{
    if (Busy()) {
        refreshPending_ = true;
        return;
    }
    if (TopCount() == 0) {
        FillRoot();
        return;
    }
    refreshPending_ = false;
    const THourGlass hourGlass;
    Fire(OnFillStart, this);
    remembered_ = Selected();
    ++nesting_;
    SetSelected(nullptr);
    try {
        RefreshNode(TopItem(0));
    } catch (...) {
        --nesting_;
        Fire(OnFillComplete, this);
        throw;
    }
    --nesting_;
    immediate_ = true;
    SetSelected(std::exchange(remembered_, nullptr));
    StartWatching();
    Fire(OnFillComplete, this);
}

void TPTCustomShellTree::RefreshNode(TTreeNode* Node)
{
    TPTShTreeData* data = NodeData(Node);
    // A node never opened is filled when it opens.
    if (!data || (Node->HasChildren() && Node->Count() == 0))
        return;
    IShellFolder* folder = data->Folder();
    if (!folder)
        return;
    TPTPidlList old;
    old.Duplicates = dupAccept;
    old.ShellFolder = Ref<IShellFolder>(folder);
    for (int index = 0; index < Node->Count(); ++index) {
        if (TPTShTreeData* child = NodeData(Node->Item(index)))
            old.AddObject(const_cast<LPITEMIDLIST>(child->RelativePidl()), Node->Item(index));
    }
    old.SetSorted(true);
    TPTPidlList fresh;
    fresh.Duplicates = dupAccept;
    fresh.Malloc = ShellMalloc();
    fresh.ShellFolder = Ref<IShellFolder>(folder);
    QList<LPITEMIDLIST> items;
    bool opened = false;
    const HRESULT result = Enumerate(folder, nullptr, items, opened);
    for (LPITEMIDLIST item : items)
        fresh.Add(item);
    // A folder that cannot be listed now keeps what it showed.
    if (!opened || result != S_FALSE)
        return;
    for (int index = fresh.Count() - 1; index >= 0; --index) {
        int found;
        if (old.Find(fresh.Pidls(index), found)) {
            old.Delete(found);
            fresh.Delete(index);
        }
    }
    for (int index = 0; index < old.Count(); ++index) {
        auto* gone = static_cast<TTreeNode*>(old.Objects(index));
        for (TTreeNode* node = remembered_; node; node = node->Parent()) {
            if (node == gone) {
                remembered_ = gone->Parent();
                break;
            }
        }
        DeleteNodeData(gone);
        Delete(gone);
    }
    for (int index = 0; index < fresh.Count(); ++index)
        AddItemNode(folder, data->AbsolutePidl(), fresh.Pidls(index), Node);
    if (fresh.Count() > 0)
        SortChildren(Node);
    if (Node->Count() == 0)
        Node->SetHasChildren(false);
    for (int index = 0; index < Node->Count(); ++index)
        RefreshNode(Node->Item(index));
}
