// TPTCustomShellTree: selecting folders, showing the selected one in the linked list at once or
// after a pause, and the timer of those pauses.
#include "shell/shell_tree.h"

#include "shell/id_list_array.h"
#include "shell/pidl_routines.h"
#include "shell/shell_routines.h"

#include "platform/messages/timer.h"
#include "platform/ui/beep.h"

#include <QMouseEvent>

using namespace win;

void TPTCustomShellTree::SetFolderPidl(LPCITEMIDLIST Pidl)
{
    if (nesting_ > 0 || TopCount() == 0)
        return;
    immediate_ = true;
    TPTIdListArray base(baseFolder_->GetPidl());
    TPTIdListArray target(Pidl);
    TTreeNode* node = TopItem(0);
    if (target.Count() > base.Count()) {
        for (int index = base.Count(); index < target.Count(); ++index) {
            ExpandNode(node);
            const TOwnedPidl item(CopyPidl(nullptr, target.Items(index)));
            TTreeNode* child = FindChildNode(node, item.get());
            if (!child) {
                TPTShTreeData* data = NodeData(node);
                IShellFolder* folder = data ? data->Folder() : nullptr;
                // The item may be gone since its list was made.
                ULONG present = SFGAO_VALIDATE;
                const LPCITEMIDLIST added = item.get();
                if (folder && SUCCEEDED(folder->GetAttributesOf({&added, 1}, &present)))
                    child = AddItemNode(folder, data->AbsolutePidl(), added, node);
            }
            if (!child) {
                MessageBeep();
                break;
            }
            node = child;
        }
        if (shellList_ && (shellList_->Options() & ptsloHideFoldersWhenLinkedToTree))
            ExpandNode(node);
    } else if (target.Count() > 0) {
        ExpandNode(node);
    }
    SetSelected(node);
    scrollTo(IndexOfNode(node));
}

void TPTCustomShellTree::ShowPidl(LPCITEMIDLIST Pidl)
{
    folder_->SetPidl(Pidl);
}

void TPTCustomShellTree::FolderChanged()
{
    if (TopCount() > 0)
        SetFolderPidl(folder_->GetPidl());
}

void TPTCustomShellTree::BaseFolderChanged()
{
    ++nesting_;
    folder_->Clear();
    --nesting_;
    if ((options_ & ptstoAutoFill) && created_) {
        immediate_ = true;
        FillRoot();
    }
}

void TPTCustomShellTree::SelectionChanged()
{
    TTreeNode* node = Selected();
    TPTShTreeData* data = NodeData(node);
    if (nesting_ > 0) {
        if (data) {
            ++nesting_;
            folder_->SetPidl(data->AbsolutePidl());
            --nesting_;
        }
        return;
    }
    if (!data)
        return;
    if (!immediate_ && shellList_) {
        StartTimer(1, navigationDelay_);
        return;
    }
    Navigate();
}

void TPTCustomShellTree::Navigate()
{
    TPTShTreeData* data = GetSelectedData();
    immediate_ = false;
    if (!data)
        return;
    ++nesting_;
    try {
        folder_->SetPidl(data->AbsolutePidl());
        if (shellList_)
            shellList_->Folder()->SetPidl(data->AbsolutePidl());
        if (shellCombo_)
            shellCombo_->TreeSelectionChanged(Selected());
    } catch (...) {
        --nesting_;
        throw;
    }
    --nesting_;
}

void TPTCustomShellTree::mousePressEvent(QMouseEvent* Event)
{
    dragDetector_.Press(Event->button(), Event->position().toPoint(), NodeAt(Event->position().toPoint()));
    // A right click opens the node's menu and leaves the selection (and the list) where it is.
    if (Event->button() == Qt::RightButton) {
        Event->accept();
        return;
    }
    immediate_ = true;
    TPTCustomTreeView::mousePressEvent(Event);
}

void TPTCustomShellTree::StartTimer(int Mode, unsigned Ms)
{
    timer_->SetEnabled(false);
    timerMode_ = Mode;
    timer_->SetInterval(std::max(1u, Ms));
    timer_->SetEnabled(true);
}

void TPTCustomShellTree::TimerFired()
{
    timer_->SetEnabled(false);
    const int mode = std::exchange(timerMode_, 0);
    if (mode == 1)
        Navigate();
    else if (mode == 2)
        Refresh();
}

void TPTCustomShellTree::SyncLinked()
{
    if (timer_->Enabled())
        TimerFired();
}
