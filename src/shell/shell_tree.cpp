// TPTCustomShellTree: filling nodes, refreshing them, selecting folders, the link to a list,
// change notices, device changes and watching.
#include "shell/shell_tree.h"

#include "shell/change_handler_thread.h"
#include "shell/device_change_handler.h"
#include "shell/id_list_array.h"
#include "shell/pidl_list.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"
#include "shell/shell_routines.h"

#include "platform/messages/timer.h"
#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/shellapi/file_info.h"
#include "platform/shellapi/volumes.h"
#include "platform/ui/beep.h"

#include <QItemSelectionModel>
#include <QMouseEvent>

using namespace win;

namespace {

// The attributes that decide whether and how an item is shown.
constexpr ULONG AdmissionMask = 0xF20B0000;

// The children a fill lists.
DWORD EnumFlags(TPTShellTreeOptions Options)
{
    DWORD flags = SHCONTF_FOLDERS;
    if (Options & ptstoIncludeNonFolders)
        flags |= SHCONTF_NONFOLDERS;
    if (Options & ptstoShowHidden)
        flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

// Lists Folder's children into Items (each the caller's to free). Opened tells whether the
// folder could be listed at all; the result is S_FALSE at the normal end, else the code the
// enumeration stopped with.
HRESULT Enumerate(IShellFolder* Folder, HWND Owner, DWORD Flags, QList<LPITEMIDLIST>& Items, bool& Opened)
{
    Ref<IEnumIDList> enumerator;
    const HRESULT opened = Folder->EnumObjects(Owner, Flags, &enumerator);
    Opened = SUCCEEDED(opened) && enumerator;
    if (!Opened)
        return FAILED(opened) ? opened : E_FAIL;
    for (;;) {
        LPITEMIDLIST item = nullptr;
        const HRESULT result = enumerator->Next(1, &item, nullptr);
        if (result != S_OK)
            return result == HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS) ? S_FALSE : result;
        Items.append(item);
    }
}

} // namespace

TPTCustomShellTree::TPTCustomShellTree(QWidget* Parent, int WatchSlots)
    : TPTCustomTreeView(Parent), baseFolder_(std::make_unique<TPTShellLocator>()),
      folder_(std::make_unique<TPTShellLocator>()), timer_(std::make_unique<TTimer>()), watchSlots_(WatchSlots)
{
    setRootIsDecorated(false);
    baseFolder_->OnChange = [this](TObject*) { BaseFolderChanged(); };
    folder_->OnChange = [this](TObject*) { FolderChanged(); };
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { TimerFired(); };
    handle_ = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    images_.ShareImages = true;
    images_.SetHandle(GetSysImageList(silSmall));
    SetImages(&images_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { AtBoundary([this] { SelectionChanged(); }); });
    DeviceChangeHandler()->AddListener(TDeviceChangeMethod::Of<&TPTCustomShellTree::DeviceChange>(this));
}

TPTCustomShellTree::~TPTCustomShellTree()
{
    DeviceChangeHandler()->RemoveListener(TDeviceChangeMethod::Of<&TPTCustomShellTree::DeviceChange>(this));
    if (shellList_ && shellList_->ShellTree() == this)
        shellList_->SetShellTree(nullptr);
    DestroyWnd();
    watcher_.reset();
    DeallocateHWnd(handle_);
    SetImages(nullptr);
}

void TPTCustomShellTree::SetOptions(TPTShellTreeOptions Value)
{
    const TPTShellTreeOptions changed = options_ ^ Value;
    options_ = Value;
    if (!created_)
        return;
    if (changed & ptstoDynamicRefresh) {
        if (options_ & ptstoDynamicRefresh)
            StartWatching();
        else if (watcher_)
            watcher_->ClearWatches();
    }
    if (changed & (ptstoIncludeNonFolders | ptstoShowHidden | ptstoVirtualFolders))
        FillRoot();
}

void TPTCustomShellTree::SetShellList(TPTCustomShellList* Value)
{
    if (shellList_ == Value)
        return;
    if (shellList_ && shellList_->ShellTree() == this)
        shellList_->SetShellTree(nullptr);
    shellList_ = Value;
    if (!shellList_)
        return;
    shellList_->SetShellTree(this);
    connect(shellList_, &QObject::destroyed, this, [this, Value] {
        if (shellList_ == Value)
            shellList_ = nullptr;
    });
    if (TopCount() > 0)
        shellList_->Folder()->SetPidl(folder_->GetPidl());
}

void TPTCustomShellTree::SetFolderPath(const QString& Path)
{
    if (nesting_ == 0)
        folder_->SetPath(Path);
}

void TPTCustomShellTree::SetChangeDelays(unsigned FocusedMs, unsigned UnfocusedMs)
{
    focusedDelay_ = FocusedMs;
    unfocusedDelay_ = UnfocusedMs;
}

void TPTCustomShellTree::SetNewFolderWaits(unsigned FolderMs, unsigned DesktopMs)
{
    folderNewFolderWait_ = FolderMs;
    desktopNewFolderWait_ = DesktopMs;
}

void TPTCustomShellTree::CreateWnd()
{
    if (created_)
        return;
    created_ = true;
    if ((options_ & ptstoAutoFill) && TopCount() == 0)
        PostMessage(handle_, WM_SHELLTREE_DEFERRED_FILL, 0, 0);
}

void TPTCustomShellTree::DeleteAllNodes()
{
    ++nesting_;
    SetSelected(nullptr);
    for (int index = TopCount() - 1; index >= 0; --index)
        DeleteNodeData(TopItem(index));
    Clear();
    --nesting_;
}

void TPTCustomShellTree::DestroyWnd()
{
    DeleteAllNodes();
    watcher_.reset();
    timer_->SetEnabled(false);
    created_ = false;
}

void TPTCustomShellTree::showEvent(QShowEvent* Event)
{
    TPTCustomTreeView::showEvent(Event);
    CreateWnd();
}

TPTShTreeData* TPTCustomShellTree::GetSelectedData() const
{
    return NodeData(Selected());
}

QString TPTCustomShellTree::GetSelectedPath() const
{
    TPTShTreeData* data = GetSelectedData();
    return data ? data->GetPath() : QString();
}

void TPTCustomShellTree::DeleteNodeData(TTreeNode* Node)
{
    for (int index = 0; index < Node->Count(); ++index)
        DeleteNodeData(Node->Item(index));
    if (!Node->Data)
        return;
    std::unique_ptr<TPTShTreeData> data(static_cast<TPTShTreeData*>(std::exchange(Node->Data, nullptr)));
    Fire(OnDeleteItem, this, Node, data.get());
}

bool TPTCustomShellTree::AllowAddItem(IShellFolder* Folder, LPCITEMIDLIST ParentAbsPidl, ULONG Attribs,
                                      LPCITEMIDLIST RelPidl)
{
    bool allow = true;
    Fire(OnAddItem, this, Folder, ParentAbsPidl, RelPidl, Attribs, allow);
    return allow;
}

TTreeNode* TPTCustomShellTree::AddItemNode(IShellFolder* Folder, LPCITEMIDLIST ParentAbsPidl, LPCITEMIDLIST RelPidl,
                                           TTreeNode* Parent, HRESULT* Result)
{
    ULONG attribs = AdmissionMask;
    const HRESULT asked = Folder->GetAttributesOf({&RelPidl, 1}, &attribs);
    if (Result)
        *Result = asked;
    if (FAILED(asked))
        return nullptr;
    if (!(options_ & ptstoVirtualFolders) && !(attribs & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
        return nullptr;
    if (!AllowAddItem(Folder, ParentAbsPidl, attribs, RelPidl))
        return nullptr;
    QString name;
    Folder->GetDisplayNameOf(RelPidl, SHGDN_INFOLDER, &name);
    TTreeNode* node = AddChild(Parent, name);
    const bool folder = attribs & SFGAO_FOLDER;
    const bool subfolders = attribs & SFGAO_HASSUBFOLDER;
    node->SetHasChildren((options_ & ptstoIncludeNonFolders) ? folder || subfolders : folder && subfolders);
    if (attribs & SFGAO_SHARE)
        node->SetOverlayIndex(0);
    else if (attribs & SFGAO_LINK)
        node->SetOverlayIndex(1);
    auto data = std::make_unique<TPTShTreeData>(this);
    data->Init(NodeData(Parent), RelPidl);
    node->Data = data.release();
    Fire(OnInsertItem, this, node);
    return node;
}

bool TPTCustomShellTree::FillNode(IShellFolder* Folder, TTreeNode* Node)
{
    Fire(OnFillStart, this);
    bool listed = false;
    try {
        if (!Node) {
            const LPCITEMIDLIST root = baseFolder_->GetPidl();
            Node = AddChild(nullptr, GetPidlDisplayName(nullptr, root, pnkInFolder));
            Node->SetImageIndex(GetPidlIconIndex(root, SHGFI_SMALLICON));
            Node->SetSelectedIndex(GetPidlIconIndex(root, SHGFI_SMALLICON | SHGFI_OPENICON));
            auto data = std::make_unique<TPTShTreeData>(this);
            data->Init(nullptr, root);
            data->SetFolder(Folder);
            Node->Data = data.release();
            Fire(OnInsertItem, this, Node);
        }
        const LPCITEMIDLIST parentAbs = NodeData(Node)->AbsolutePidl();
        QList<LPITEMIDLIST> items;
        const HRESULT result = Enumerate(Folder, GetParentFormHandle(this), EnumFlags(options_), items, listed);
        // A folder that cannot be listed keeps its button and says nothing.
        for (LPITEMIDLIST item : items) {
            AddItemNode(Folder, parentAbs, item, Node);
            ShellFree(item);
        }
        if (listed && Node->Count() == 0)
            Node->SetHasChildren(false);
        if (listed && result != S_FALSE && result != E_FAIL)
            throw Exception(SystemMessage(result));
        SortChildren(Node);
        if (!Node->Parent())
            Node->SetExpanded(true);
        WatchNode(Node);
    } catch (...) {
        Fire(OnFillComplete, this);
        throw;
    }
    Fire(OnFillComplete, this);
    return listed;
}

void TPTCustomShellTree::SortChildren(TTreeNode* Node)
{
    TPTShTreeData* data = NodeData(Node);
    IShellFolder* folder = data ? data->Folder() : nullptr;
    if (!folder)
        return;
    TTreeView::SortChildren(Node, [folder](TTreeNode* Node1, TTreeNode* Node2) {
        TPTShTreeData* data1 = NodeData(Node1);
        TPTShTreeData* data2 = NodeData(Node2);
        if (!data1 || !data2)
            return 0;
        const HRESULT result = folder->CompareIDs(0, data1->RelativePidl(), data2->RelativePidl());
        return FAILED(result) ? 0 : int(std::int16_t(result & 0xFFFF));
    });
}

TTreeNode* TPTCustomShellTree::FindChildNode(TTreeNode* Node, LPCITEMIDLIST RelPidl)
{
    IShellFolder* folder = NodeData(Node) ? NodeData(Node)->Folder() : nullptr;
    if (!folder)
        return nullptr;
    for (int index = 0; index < Node->Count(); ++index) {
        TPTShTreeData* data = NodeData(Node->Item(index));
        if (data && folder->CompareIDs(0, data->RelativePidl(), RelPidl) == S_OK)
            return Node->Item(index);
    }
    return nullptr;
}

bool TPTCustomShellTree::CanExpand(TTreeNode* Node)
{
    if (!TPTCustomTreeView::CanExpand(Node))
        return false;
    TPTShTreeData* data = NodeData(Node);
    if (!data || !Node->HasChildren() || Node->Count() > 0)
        return true;
    IShellFolder* folder = data->Folder();
    if (!folder)
        return false;
    const THourGlass hourGlass;
    return FillNode(folder, Node);
}

void TPTCustomShellTree::ExpandNode(TTreeNode* Node)
{
    if (Node->HasChildren() && Node->Count() == 0 && NodeData(Node) && NodeData(Node)->Folder())
        FillNode(NodeData(Node)->Folder(), Node);
    Node->SetExpanded(true);
}

void TPTCustomShellTree::GetImageIndex(TTreeNode* Node)
{
    TPTCustomTreeView::GetImageIndex(Node);
    if (TPTShTreeData* data = NodeData(Node); data && Node->ImageIndex() < 1) {
        const int index = GetPidlIconIndex(data->AbsolutePidl(), SHGFI_SMALLICON);
        if (index != Node->ImageIndex())
            Node->SetImageIndex(index);
    }
}

void TPTCustomShellTree::GetSelectedIndex(TTreeNode* Node)
{
    TPTCustomTreeView::GetSelectedIndex(Node);
    if (TPTShTreeData* data = NodeData(Node); data && Node->SelectedIndex() < 1) {
        const int index = GetPidlIconIndex(data->AbsolutePidl(), SHGFI_SMALLICON | SHGFI_OPENICON);
        if (index != Node->SelectedIndex())
            Node->SetSelectedIndex(index);
    }
}

bool TPTCustomShellTree::HasCustomDraw() const
{
    return bool(OnCustomDrawSh) || bool(OnCustomDrawShEx);
}

void TPTCustomShellTree::NodeCustomDraw(TCustomDrawNotification& Notification, int& Result, TTreeNode* Node)
{
    TPTCustomDraw& draw = NewCustomDraw(Notification, Result);
    Fire(OnCustomDrawShEx, this, &draw, Node, NodeData(Node));
    if (Notification.DrawStage == CDDS_ITEMPREPAINT)
        Fire(OnCustomDrawSh, this, &draw, Node, NodeData(Node));
    draw.Apply();
    if (Notification.DrawStage == CDDS_PREPAINT)
        Result |= CDRF_NOTIFYITEMDRAW;
}

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
    const HRESULT result = Enumerate(folder, nullptr, EnumFlags(options_), items, opened);
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
    } catch (...) {
        --nesting_;
        throw;
    }
    --nesting_;
}

void TPTCustomShellTree::mousePressEvent(QMouseEvent* Event)
{
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
    if (path.isEmpty())
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
