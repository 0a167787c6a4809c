// TPTCustomShellTree: the watcher of the folders shown, its change notices, device changes and
// the tree's private messages.
#include "shell/shell_tree.h"

#include "shell/change_handler_thread.h"
#include "shell/device_change_handler.h"

#include "platform/messages/timer.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

using namespace win;

void TPTCustomShellTree::ChangeNotice()
{
    if (std::exchange(ignoreOnce_, false))
        return;
    if (Busy()) {
        refreshPending_ = true; // refreshed when the tree is free again
        return;
    }
    const bool focused = HasFocus ? HasFocus() : hasFocus();
    StartTimer(2, focused ? focusedDelay_ : unfocusedDelay_);
}

void TPTCustomShellTree::RunPendingRefresh()
{
    if (refreshPending_ && !Busy())
        Refresh();
}

void TPTCustomShellTree::DeviceChange(TPTDeviceChangeHandler&, TMessage& Message)
{
    if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE)
        return;
    ValidateDrives();
    DisableDriveValidation();
    try {
        Refresh();
    } catch (...) {
        EnableDriveValidation();
        throw;
    }
    EnableDriveValidation();
}

void TPTCustomShellTree::WatchNode(TTreeNode* Node)
{
    if (!watcher_ || !(options_ & ptstoDynamicRefresh))
        return;
    TPTShTreeData* data = NodeData(Node);
    if (!data || (Node->HasChildren() && Node->Count() == 0))
        return;
    const QString path = data->GetPath();
    // Folders on removable volumes are not watched: a watch would keep the volume busy.
    if (path.isEmpty() || VolumeHolding(EncodeName(path)).Kind == vkRemovable)
        return;
    DWORD filter = FILE_NOTIFY_CHANGE_DIR_NAME;
    if (options_ & ptstoIncludeNonFolders)
        filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
    int slot;
    watcher_->AddWatch(path, false, filter, slot);
}

void TPTCustomShellTree::StartWatching()
{
    if (!(options_ & ptstoDynamicRefresh) || TopCount() == 0)
        return;
    if (!watcher_)
        watcher_ = std::make_unique<TChangeHandlerThread>(handle_, WM_SHELLTREE_CHANGE, watchSlots_);
    else
        watcher_->ClearWatches();
    const std::function<void(TTreeNode*)> watch = [&](TTreeNode* Node) {
        WatchNode(Node);
        for (int index = 0; index < Node->Count(); ++index)
            watch(Node->Item(index));
    };
    watch(TopItem(0));
}

void TPTCustomShellTree::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SHELLTREE_CHANGE:
        ChangeNotice();
        break;
    case WM_SHELLTREE_DEFERRED_FILL:
        if (TopCount() == 0)
            FillRoot();
        break;
    default:
        break;
    }
}
