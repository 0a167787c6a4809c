// TPTCustomShellList: filling, refreshing, filtering, the folder-change chain, device changes and
// the watcher's change notices.
#include "shell/shell_list.h"

#include "shell/change_handler_thread.h"
#include "shell/device_change_handler.h"
#include "shell/file_mask.h"
#include "shell/pidl_list.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"

#include "platform/messages/timer.h"
#include "platform/rtl/exception.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include <QDir>
#include <QListView>
#include <QTreeView>
#include <algorithm>

namespace {

// The attributes that decide whether and how an item is listed.
constexpr win::ULONG AdmissionMask = 0xF20B0000;
// The watcher reports names of files and of folders.
constexpr win::DWORD WatchFilter = win::FILE_NOTIFY_CHANGE_FILE_NAME | win::FILE_NOTIFY_CHANGE_DIR_NAME;

} // namespace

TPTCustomShellList::TPTCustomShellList(QWidget* Parent)
    : TPTCustomListView(Parent), folder_(std::make_unique<TPTShellLocator>()), changeTimer_(std::make_unique<TTimer>())
{
    folder_->OnChange = [this](TObject*) { FolderChanged(); };
    changeTimer_->SetEnabled(false);
    changeTimer_->OnTimer = [this](TObject*) { ChangeTimer(); };
    handle_ = win::AllocateHWnd([this](win::TMessage& Message) { WndProc(Message); });
    smallImages_.ShareImages = true;
    smallImages_.SetHandle(GetSysImageList(silSmall));
    largeImages_.ShareImages = true;
    largeImages_.SetHandle(GetSysImageList(silLarge));
    SetSmallImages(&smallImages_);
    SetLargeImages(&largeImages_);
    DeviceChangeHandler()->AddListener(TDeviceChangeMethod::Of<&TPTCustomShellList::DeviceChange>(this));
    ReportView()->installEventFilter(this);
    IconView()->installEventFilter(this);
    ReportView()->viewport()->installEventFilter(this);
    IconView()->viewport()->installEventFilter(this);
}

TPTCustomShellList::~TPTCustomShellList()
{
    DeviceChangeHandler()->RemoveListener(TDeviceChangeMethod::Of<&TPTCustomShellList::DeviceChange>(this));
    if (created_)
        DestroyWnd();
    watcher_.reset();
    DeleteAllRows();
    win::DeallocateHWnd(handle_);
    SetSmallImages(nullptr);
    SetLargeImages(nullptr);
    ShellFree(folderPidl_);
}

void TPTCustomShellList::SetOptions(TPTShellListOptions Value)
{
    const TPTShellListOptions changed = options_ ^ Value;
    options_ = Value;
    if (!created_)
        return;
    if (changed & ptsloDynamicRefresh) {
        if (options_ & ptsloDynamicRefresh)
            StartWatching();
        else if (watcher_)
            watcher_->ClearWatches();
    }
    if (changed & (ptsloHideFoldersWhenLinkedToTree | ptsloShowHidden))
        Refresh();
    if (changed & ptsloOleDrop)
        UpdateDropRegistration();
}

void TPTCustomShellList::SetFileFilter(const QString& Value)
{
    if (Value == fileFilter_) {
        if (Value.isEmpty())
            masks_.clear();
        return;
    }
    fileFilter_ = Value;
    masks_ = Value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (options_ & ptsloAutoFill)
        Fill();
}

void TPTCustomShellList::CreateWnd()
{
    if (created_)
        return;
    created_ = true;
    UpdateDropRegistration();
    if ((options_ & ptsloAutoFill) && Count() == 0)
        win::PostMessage(handle_, WM_SHELLLIST_DEFERRED_FILL, 0, 0);
}

void TPTCustomShellList::DestroyWnd()
{
    ++folderChanging_;
    ClearSelection();
    --folderChanging_;
    DeleteAllRows();
    SaveLayoutIfOwn();
    watcher_.reset();
    changeTimer_->SetEnabled(false);
    created_ = false;
    UpdateDropRegistration();
}

void TPTCustomShellList::showEvent(QShowEvent* Event)
{
    TPTCustomListView::showEvent(Event);
    CreateWnd();
}

TPTShListData* TPTCustomShellList::GetItemData(int Index) const
{
    TListItem* item = Index >= 0 && Index < Count() ? Item(Index) : nullptr;
    return item ? static_cast<TPTShListData*>(item->Data) : nullptr;
}

TPTShListData* TPTCustomShellList::GetSelectedData() const
{
    TListItem* item = Selected();
    return item ? GetItemData(item->Index()) : nullptr;
}

bool TPTCustomShellList::CanUpdateNow()
{
    if (updateRunning_ || IsEditing()) {
        refreshPending_ = true;
        return false;
    }
    refreshPending_ = false;
    return true;
}

void TPTCustomShellList::SetUpdateRunning(bool Value)
{
    updateRunning_ = Value;
    if (!Value && refreshPending_)
        Refresh();
}

void TPTCustomShellList::DeleteRow(int Index)
{
    TListItem* item = Item(Index);
    if (item == dropHighlight_)
        dropHighlight_ = nullptr;
    std::unique_ptr<TPTShListData> data(static_cast<TPTShListData*>(std::exchange(item->Data, nullptr)));
    Fire(OnDeleteItem, this, item, data.get());
    Delete(Index);
}

void TPTCustomShellList::DeleteAllRows()
{
    for (int index = Count() - 1; index >= 0; --index)
        DeleteRow(index);
}

void TPTCustomShellList::Fill()
{
    if (!created_ || !CanUpdateNow())
        return;
    THourGlass hourGlass;
    ClearSelection();
    DeleteAllRows();
    win::Ref<win::IShellFolder> folder;
    const win::HRESULT bound = GetShellFolder(folder_->GetPidl(), folder);
    if (win::FAILED(bound))
        throw Exception(win::SystemMessage(bound));
    BuildFilterList();
    try {
        FillList(folder.get(), folder_->GetPidl());
    } catch (...) {
        ClearFilterList();
        throw;
    }
    ClearFilterList();
    if (options_ & ptsloDynamicRefresh)
        StartWatching();
}

bool TPTCustomShellList::Enumerate(win::IShellFolder* Folder, QList<win::LPITEMIDLIST>& Items, bool RaiseErrors)
{
    const win::DWORD flags = win::SHCONTF_FOLDERS | win::SHCONTF_NONFOLDERS |
                             ((options_ & ptsloShowHidden) ? win::SHCONTF_INCLUDEHIDDEN : 0);
    win::Ref<win::IEnumIDList> enumerator;
    if (win::FAILED(Folder->EnumObjects(nullptr, flags, &enumerator)) || !enumerator)
        return false;
    win::HRESULT result;
    for (;;) {
        win::LPITEMIDLIST item = nullptr;
        result = enumerator->Next(1, &item, nullptr);
        if (result != win::S_OK)
            break;
        Items.append(item);
    }
    if (result == win::S_FALSE || result == win::HRESULT_FROM_WIN32(win::ERROR_NO_MORE_ITEMS))
        return true;
    if (result == win::E_FAIL || !RaiseErrors)
        return false;
    for (win::LPITEMIDLIST item : Items)
        ShellFree(item);
    throw Exception(win::SystemMessage(result));
}

void TPTCustomShellList::FillList(win::IShellFolder* Folder, win::LPCITEMIDLIST AbsPidl)
{
    Fire(OnFillStart, this);
    win::LPITEMIDLIST previousPidl = std::exchange(folderPidl_, CopyPidl(nullptr, AbsPidl));
    win::Ref<win::IShellFolder> previousFolder = std::exchange(shellFolder_, win::Ref<win::IShellFolder>(Folder));
    detailProvider_.Reset();
    try {
        detailProvider_ = GetShellDetails(Folder);
        SetupColumns(detailProvider_.Get());
        QList<win::LPITEMIDLIST> items;
        items.reserve(500);
        // A folder that cannot be listed (or stops with E_FAIL) shows what came, without a message.
        Enumerate(Folder, items, true);
        for (win::LPITEMIDLIST item : items)
            AddItem(std::make_unique<TPTShListData>(this, item));
        SortItems();
        if (Count() > 0)
            Item(0)->SetFocused(true);
    } catch (...) {
        ShellFree(std::exchange(folderPidl_, previousPidl));
        shellFolder_ = previousFolder;
        Fire(OnFillComplete, this);
        throw;
    }
    ShellFree(previousPidl);
    Fire(OnFillComplete, this);
}

void TPTCustomShellList::AddItem(std::unique_ptr<TPTShListData> Data)
{
    win::ULONG attribs = AdmissionMask;
    const win::LPCITEMIDLIST item = Data->RelPidl();
    if (win::FAILED(shellFolder_->GetAttributesOf({&item, 1}, &attribs)))
        attribs = 0;
    if (!(options_ & ptsloNonFilesystemAncestors) &&
        !(attribs & (win::SFGAO_FILESYSTEM | win::SFGAO_FILESYSANCESTOR)))
        return;
    if ((options_ & ptsloHideFoldersWhenLinkedToTree) && shellTree_ && (attribs & win::SFGAO_FILESYSTEM) &&
        (attribs & win::SFGAO_FOLDER))
        return;
    if (!AllowAddItem(shellFolder_.get(), folderPidl_, attribs, item))
        return;
    AddRow(std::move(Data), attribs);
}

void TPTCustomShellList::AddRow(std::unique_ptr<TPTShListData> Data, win::ULONG Attribs)
{
    TListItem* item = Add();
    item->Data = Data.release();
    if (Attribs & win::SFGAO_SHARE)
        item->SetOverlayIndex(0);
    else if (Attribs & win::SFGAO_LINK)
        item->SetOverlayIndex(1);
    if (Attribs & win::SFGAO_GHOSTED)
        item->SetCut(true);
    // Empty sub-items: their texts are asked for when shown.
    item->SetSubItems(QStringList(detailProvider_ ? std::max(0, ColumnCount() - 1) : 3, QString()));
}

bool TPTCustomShellList::AllowAddItem(win::IShellFolder* ParentFolder, win::LPCITEMIDLIST ParentAbsPidl,
                                      win::ULONG Attribs, win::LPCITEMIDLIST RelPidl)
{
    bool allow = true;
    if (filterLookup_ && !(Attribs & win::SFGAO_FOLDER)) {
        QString name;
        ParentFolder->GetDisplayNameOf(RelPidl, win::SHGDN_FORPARSING, &name);
        allow = MatchesFilter(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1), Attribs);
    }
    if (allow && OnAddItem)
        Fire(OnAddItem, this, ParentFolder, ParentAbsPidl, RelPidl, Attribs, allow);
    return allow;
}

void TPTCustomShellList::BuildFilterList()
{
    filterLookup_.reset();
    const QString path = PidlToPath(folder_->GetPidl());
    if (path.isEmpty() || fileFilter_.isEmpty() || fileFilter_ == QLatin1String("*") ||
        fileFilter_ == QLatin1String("*.*"))
        return;
    filterLookup_ = std::make_unique<QSet<QString>>();
    const QStringList names =
        QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& mask : masks_) {
        for (const QString& name : names) {
            if (MatchesFileMask(name, mask))
                filterLookup_->insert(name.toUpper());
        }
    }
}

bool TPTCustomShellList::MatchesFilter(const QString& FileName, win::ULONG Attribs)
{
    if ((Attribs & win::SFGAO_FOLDER) || !filterLookup_)
        return true;
    return filterLookup_->contains(FileName.toUpper());
}

void TPTCustomShellList::ClearFilterList()
{
    filterLookup_.reset();
}

void TPTCustomShellList::Refresh()
{
    if (!created_ || !CanUpdateNow())
        return;
    if (Count() == 0) {
        Fill();
        return;
    }
    THourGlass hourGlass;
    Fire(OnFillStart, this);
    BuildFilterList();
    // The rows' lists against a new listing: both sorted, what is in both stays.
    const bool virtualFolder = PidlToPath(folder_->GetPidl()).isEmpty();
    TPTPidlList old;
    old.Duplicates = dupAccept;
    old.SetCapacity(Count());
    for (int index = 0; index < Count(); ++index) {
        if (TPTShListData* data = GetItemData(index))
            old.AddObject(const_cast<win::LPITEMIDLIST>(data->RelPidl()), Item(index));
    }
    TPTPidlList fresh;
    fresh.Duplicates = dupAccept;
    fresh.Malloc = ShellMalloc();
    if (virtualFolder) {
        old.ShellFolder = shellFolder_;
        fresh.ShellFolder = shellFolder_;
    }
    old.SetSorted(true);
    QList<win::LPITEMIDLIST> items;
    if (shellFolder_)
        Enumerate(shellFolder_.get(), items, false);
    for (win::LPITEMIDLIST item : items)
        fresh.Add(item);
    for (int index = fresh.Count() - 1; index >= 0; --index) {
        int found;
        if (old.Find(fresh.Pidls(index), found)) {
            old.Delete(found);
            fresh.Delete(index);
        }
    }
    std::vector<int> gone;
    for (int index = 0; index < old.Count(); ++index)
        gone.push_back(static_cast<TListItem*>(old.Objects(index))->Index());
    std::sort(gone.rbegin(), gone.rend());
    for (const int index : gone)
        DeleteRow(index);
    fresh.Malloc = nullptr; // the new rows take the lists over
    for (int index = 0; index < fresh.Count(); ++index)
        AddItem(std::make_unique<TPTShListData>(this, fresh.Pidls(index)));
    ClearFilterList();
    Fire(OnFillComplete, this);
}

void TPTCustomShellList::SelectAll()
{
    for (int index = 0; index < Count(); ++index)
        Item(index)->SetSelected(true);
}

void TPTCustomShellList::FlushPendingChanges(bool AlsoLinked)
{
    if (AlsoLinked) {
        if (shellCombo_)
            shellCombo_->FlushPendingChanges();
        if (shellTree_)
            shellTree_->FlushPendingChanges();
    }
    if (changeTimer_->Enabled()) {
        changeTimer_->SetEnabled(false);
        Refresh();
    }
}

void TPTCustomShellList::FolderChanged()
{
    if (folderChanging_ < 1) {
        ++folderChanging_;
        try {
            if (shellTree_)
                shellTree_->ShowPidl(folder_->GetPidl());
            else if (shellCombo_)
                shellCombo_->ShowPidl(folder_->GetPidl());
            Fill();
        } catch (...) {
            --folderChanging_;
            throw;
        }
        --folderChanging_;
    }
    Fire(OnFolderChanged, this);
}

void TPTCustomShellList::DeviceChange(TPTDeviceChangeHandler&, win::TMessage& Message)
{
    if (Message.WParam != win::DBT_DEVICEARRIVAL && Message.WParam != win::DBT_DEVICEREMOVECOMPLETE)
        return;
    ValidateDrives();
    DisableDriveValidation();
    try {
        if (PidlToCsidl(folder_->GetPidl()) == csidlDrives)
            Fill();
    } catch (...) {
        EnableDriveValidation();
        throw;
    }
    EnableDriveValidation();
}

void TPTCustomShellList::SetChangeDelays(unsigned FocusedMs, unsigned UnfocusedMs)
{
    focusedDelay_ = FocusedMs;
    unfocusedDelay_ = UnfocusedMs;
}

void TPTCustomShellList::StartWatching()
{
    changeTimer_->SetEnabled(false);
    if (!watcher_)
        watcher_ = std::make_unique<TChangeHandlerThread>(handle_, WM_SHELLLIST_CHANGE);
    else
        watcher_->ClearWatches();
    int slot;
    watcher_->AddWatch(PidlToPath(folderPidl_), false, WatchFilter, slot);
}

void TPTCustomShellList::ChangeNotice()
{
    if (std::exchange(ignoreOnce_, false))
        return;
    if (updateRunning_) {
        refreshPending_ = true; // refreshed when the drag ends
        return;
    }
    const bool focused = HasFocus ? HasFocus() : hasFocus();
    changeTimer_->SetEnabled(false);
    changeTimer_->SetInterval(focused ? focusedDelay_ : unfocusedDelay_);
    changeTimer_->SetEnabled(true);
}

void TPTCustomShellList::ChangeTimer()
{
    changeTimer_->SetEnabled(false);
    ++folderChanging_;
    try {
        if (shellCombo_)
            shellCombo_->FlushPendingChanges();
        if (shellTree_)
            shellTree_->FlushPendingChanges();
    } catch (...) {
        --folderChanging_;
        throw;
    }
    --folderChanging_;
    Refresh();
}

void TPTCustomShellList::WndProc(win::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SHELLLIST_CHANGE:
        ChangeNotice();
        break;
    case WM_SHELLLIST_EDIT_NEW_FOLDER:
        EditNewFolder();
        break;
    case WM_SHELLLIST_DEFERRED_FILL:
        if (Count() == 0)
            Fill();
        break;
    default:
        break;
    }
}

QString TPTCustomShellList::ItemText(TListItem& Item, int Column)
{
    auto* data = static_cast<TPTShListData*>(Item.Data);
    if (!data)
        return TPTCustomListView::ItemText(Item, Column);
    if (Column == 0)
        return Item.Caption().isEmpty() ? data->DisplayName() : Item.Caption();
    if (Item.SubItems().size() < Column)
        return {};
    const QString& stored = Item.SubItems().at(Column - 1);
    return stored.isEmpty() ? data->DetailText(Column) : stored;
}

int TPTCustomShellList::ItemImageIndex(TListItem& Item)
{
    Fire(OnGetImageIndex, this, &Item);
    if (Item.ImageIndex() > 0)
        return Item.ImageIndex();
    auto* data = static_cast<TPTShListData*>(Item.Data);
    return data ? data->IconIndex() : -1;
}

bool TPTCustomShellList::HasCustomDraw() const
{
    return TPTCustomListView::HasCustomDraw() || bool(OnCustomDrawSh) || bool(OnCustomDrawShEx);
}

void TPTCustomShellList::ItemCustomDraw(TCustomDrawNotification& Notification, int& Result, TListItem* Item)
{
    TPTCustomListView::ItemCustomDraw(Notification, Result, Item);
    if (!OnCustomDrawSh && !OnCustomDrawShEx)
        return;
    auto* data = Item ? static_cast<TPTShListData*>(Item->Data) : nullptr;
    TPTCustomDraw& draw = NewCustomDraw(Notification, Result);
    if (OnCustomDrawShEx)
        Fire(OnCustomDrawShEx, this, &draw, Item, data);
    if (OnCustomDrawSh && Notification.DrawStage == CDDS_ITEMPREPAINT)
        Fire(OnCustomDrawSh, this, &draw, Item, data);
    draw.Apply();
    Result |= CDRF_NOTIFYITEMDRAW;
}
