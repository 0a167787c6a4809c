// TPTCustomShellTree: construction, options, the link to a list, filling nodes, their order,
// icons and custom drawing.
#include "shell/shell_tree.h"

#include "shell/change_handler_thread.h"
#include "shell/device_change_handler.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"
#include "shell/shell_routines.h"

#include "platform/messages/timer.h"
#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/shellapi/file_info.h"

#include <QItemSelectionModel>

using namespace win;

namespace {

// The attributes that decide whether and how an item is shown.
constexpr ULONG AdmissionMask = 0xF20B0000;

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
    if (changed & ptstoOleDrop)
        UpdateDropRegistration();
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
    UpdateDropRegistration();
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
    UpdateDropRegistration();
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
    if (Node == dropHighlight_)
        dropHighlight_ = nullptr;
    if (Node == dragNode_)
        dragNode_ = nullptr;
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
            // A base folder without a list is the desktop, whose list is the empty one.
            const TOwnedPidl root(CopyPidl(nullptr, baseFolder_->GetPidl()));
            Node = AddChild(nullptr, GetPidlDisplayName(nullptr, root.get(), pnkInFolder));
            Node->SetImageIndex(GetPidlIconIndex(root.get(), SHGFI_SMALLICON));
            Node->SetSelectedIndex(GetPidlIconIndex(root.get(), SHGFI_SMALLICON | SHGFI_OPENICON));
            auto data = std::make_unique<TPTShTreeData>(this);
            data->Init(nullptr, root.get());
            data->SetFolder(Folder);
            Node->Data = data.release();
            Fire(OnInsertItem, this, Node);
        }
        const LPCITEMIDLIST parentAbs = NodeData(Node)->AbsolutePidl();
        QList<LPITEMIDLIST> items;
        const HRESULT result = Enumerate(Folder, GetParentFormHandle(this), items, listed);
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

DWORD TPTCustomShellTree::EnumFlags() const
{
    DWORD flags = SHCONTF_FOLDERS;
    if (options_ & ptstoIncludeNonFolders)
        flags |= SHCONTF_NONFOLDERS;
    if (options_ & ptstoShowHidden)
        flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

HRESULT TPTCustomShellTree::Enumerate(IShellFolder* Folder, HWND Owner, QList<LPITEMIDLIST>& Items, bool& Opened) const
{
    Ref<IEnumIDList> enumerator;
    const HRESULT opened = Folder->EnumObjects(Owner, EnumFlags(), &enumerator);
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
