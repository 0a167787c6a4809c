// TPTCustomShellList: opening and entering entries, going up, the context menu, verbs, renaming
// in place, new folders and the default keys.
#include "shell/shell_list.h"

#include "shell/default_shortcuts.h"
#include "shell/id_list_array.h"
#include "shell/items_context_menu.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"
#include "shell/shell_link.h"
#include "shell/shell_routines.h"

#include "platform/rtl/exception.h"
#include "platform/system/files.h"
#include "platform/widgets/popup_menu_service.h"

#include <QListView>
#include <QTreeView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMetaObject>

using namespace win;

namespace {

// The name a rename may hand the namespace, in UTF-16 units.
constexpr int MaxNameLength = 260;
// What SetNameOf is told the new name is.
constexpr DWORD SetNameFlags = 0x20;

// Runs Verb of the context menu of Items of Folder.
HRESULT InvokeVerbOfItems(HWND Owner, IShellFolder* Folder, std::span<const LPCITEMIDLIST> Items,
                          const TShellVerb& Verb)
{
    if (!Folder)
        return E_FAIL;
    void* object = nullptr;
    if (const HRESULT result = Folder->GetUIObjectOf(Owner, Items, TUIObject::ContextMenu, &object); FAILED(result))
        return result;
    auto* contextMenu = static_cast<IContextMenu*>(object);
    const HRESULT result = InvokeVerb(Owner, contextMenu, Verb);
    contextMenu->Release();
    return result;
}

} // namespace

std::vector<LPCITEMIDLIST> TPTCustomShellList::SelectedPidls() const
{
    std::vector<LPCITEMIDLIST> pidls;
    for (TListItem* item : SelectedItems()) {
        if (auto* data = static_cast<TPTShListData*>(item->Data))
            pidls.push_back(data->RelPidl());
    }
    return pidls;
}

bool TPTCustomShellList::DblClickOpenHandled()
{
    bool handled = false;
    Fire(OnDblClickOpen, this, handled);
    return handled;
}

void TPTCustomShellList::InvokeDefaultCommandOf(std::span<const LPCITEMIDLIST> Items)
{
    if (!shellFolder_ || Items.empty())
        return;
    void* object = nullptr;
    const HWND owner = GetParentFormHandle(this);
    if (FAILED(shellFolder_->GetUIObjectOf(owner, Items, TUIObject::ContextMenu, &object)))
        return;
    auto* contextMenu = static_cast<IContextMenu*>(object);
    InvokeDefaultCommand(owner, contextMenu);
    contextMenu->Release();
}

void TPTCustomShellList::OpenSelection()
{
    FlushPendingChanges(true);
    const std::vector<TListItem*> rows = SelectedItems();
    if (rows.empty())
        return;
    if (rows.size() > 1) {
        if (!DblClickOpenHandled())
            InvokeDefaultCommandOf(SelectedPidls());
        return;
    }
    auto* data = static_cast<TPTShListData*>(rows.front()->Data);
    if (!data) {
        DblClickOpenHandled();
        return;
    }
    const THourGlass hourGlass;
    ULONG attributes = SFGAO_FOLDER | SFGAO_LINK;
    const LPCITEMIDLIST item = data->RelPidl();
    if (FAILED(shellFolder_->GetAttributesOf({&item, 1}, &attributes)))
        attributes = 0;
    if (attributes & SFGAO_LINK) {
        // A link to a folder enters the folder it leads to.
        TLinkData link;
        if (SUCCEEDED(ReadShellLink(data->GetPath(), link, true)) && link.Pidl) {
            const bool folder = DirectoryExists(link.Path);
            if (folder)
                NavigateTo(link.Pidl);
            ShellFree(link.Pidl);
            if (folder)
                return;
        }
    }
    if (attributes & SFGAO_FOLDER) {
        NavigateTo(data->AbsPidl());
        return;
    }
    if (!DblClickOpenHandled())
        InvokeDefaultCommandOf(std::span<const LPCITEMIDLIST>(&item, 1));
}

void TPTCustomShellList::NavigateTo(LPCITEMIDLIST Pidl)
{
    if (options_ & ptsloDontChangeFolder)
        return;
    // The list may be Pidl's owner: the rows go first.
    const TOwnedPidl target(CopyPidl(nullptr, Pidl));
    ++folderChanging_;
    ClearSelection();
    --folderChanging_;
    DeleteAllRows();
    if (shellTree_)
        shellTree_->ShowPidl(target.get());
    else if (shellCombo_)
        shellCombo_->ShowPidl(target.get());
    else
        folder_->SetPidl(target.get());
}

void TPTCustomShellList::GoUp(int Levels)
{
    if (options_ & ptsloDontChangeFolder)
        return;
    if (shellTree_) {
        shellTree_->GoUp(Levels);
        return;
    }
    if (shellCombo_) {
        shellCombo_->GoUp(Levels);
        return;
    }
    TPTIdListArray items(folder_->GetPidl());
    if (items.Count() < 1)
        return;
    // Past the top the list is null, which names the desktop.
    folder_->SetPidl(items.Ancestor(Levels));
}

HRESULT TPTCustomShellList::InvokeItemVerb(TListItem* Item, const TShellVerb& Verb)
{
    auto* data = Item ? static_cast<TPTShListData*>(Item->Data) : nullptr;
    if (!data)
        return E_FAIL;
    const LPCITEMIDLIST item = data->RelPidl();
    const HRESULT result = InvokeVerbOfItems(GetParentFormHandle(this), shellFolder_.get(), {&item, 1}, Verb);
    if (SUCCEEDED(result) && folder_->GetPath().startsWith(QStringLiteral("\\\\")))
        Refresh();
    return result;
}

HRESULT TPTCustomShellList::InvokeSelectionVerb(const TShellVerb& Verb)
{
    const std::vector<LPCITEMIDLIST> items = SelectedPidls();
    if (items.empty())
        return E_FAIL;
    const HRESULT result = InvokeVerbOfItems(GetParentFormHandle(this), shellFolder_.get(), items, Verb);
    if (SUCCEEDED(result) && folder_->GetPath().startsWith(QStringLiteral("\\\\")))
        Refresh();
    return result;
}

HRESULT TPTCustomShellList::InvokeFolderVerb(const TShellVerb& Verb)
{
    void* object = nullptr;
    HRESULT result = GetUIObjectOfPidl(folder_->GetPidl(), TUIObject::ContextMenu, &object);
    if (SUCCEEDED(result)) {
        auto* contextMenu = static_cast<IContextMenu*>(object);
        result = InvokeVerb(GetParentFormHandle(this), contextMenu, Verb);
        contextMenu->Release();
    }
    if (FAILED(result))
        throw Exception(SystemMessage(result));
    if (folder_->GetPath().startsWith(QStringLiteral("\\\\")))
        Refresh();
    return result;
}

void TPTCustomShellList::StartRename()
{
    if (TListItem* item = ItemFocused())
        EditCaption(item);
}

bool TPTCustomShellList::CanEdit(TListItem& Item)
{
    auto* data = static_cast<TPTShListData*>(Item.Data);
    if (data && !data->CanRename())
        return false;
    return TPTCustomListView::CanEdit(Item);
}

bool TPTCustomShellList::RenameItem(TListItem& Item, const QString& Name)
{
    auto* data = static_cast<TPTShListData*>(Item.Data);
    const THourGlass hourGlass;
    ignoreOnce_ = true;
    LPITEMIDLIST renamed = nullptr;
    if (!shellFolder_ || FAILED(shellFolder_->SetNameOf(GetParentFormHandle(this), data->RelPidl(),
                                                        Name.left(MaxNameLength), SetNameFlags, &renamed))) {
        // Nothing changed on disk: a real change must still refresh.
        ignoreOnce_ = false;
        return false;
    }
    data->SetRelPidl(renamed);
    return true;
}

void TPTCustomShellList::Edited(TListItem& Item, QString& S)
{
    if (!Item.Data) {
        TPTCustomListView::Edited(Item, S);
        return;
    }
    Fire(OnEdited, this, &Item, S);
    // A refused name keeps the caption (the namespace showed why).
    if (!S.isEmpty() && S != Item.Caption() && RenameItem(Item, S))
        Item.SetCaption(static_cast<TPTShListData*>(Item.Data)->DisplayName());
    // The editor is still open here: a refresh that waited for it runs after it closed.
    if (refreshPending_)
        QMetaObject::invokeMethod(this, [this] { Refresh(); }, Qt::QueuedConnection);
}

bool TPTCustomShellList::CreateNewFolder(bool StartEditing)
{
    const QString path = PidlToPath(folder_->GetPidl());
    ignoreOnce_ = true;
    QString name;
    if (path.isEmpty() || !CreateUniqueFolder(path, name)) {
        ignoreOnce_ = false;
        return false;
    }
    if (TPTIdListArray(folder_->GetPidl()).Count() == 0)
        WaitWithHourglass(desktopNewFolderWait_);
    Refresh();
    if (StartEditing) {
        editPendingName_ = name;
        PostMessage(handle_, WM_SHELLLIST_EDIT_NEW_FOLDER, 0, 0);
    }
    return true;
}

void TPTCustomShellList::EditNewFolder()
{
    const QString name = std::exchange(editPendingName_, QString());
    for (int index = 0; index < Count(); ++index) {
        TPTShListData* data = GetItemData(index);
        if (data && data->DisplayName() == name) {
            setFocus();
            SetItemFocused(Item(index));
            EditCaption(Item(index));
            return;
        }
    }
}

void TPTCustomShellList::DblClick()
{
    TPTCustomListView::DblClick();
    OpenSelection();
}

void TPTCustomShellList::ItemContextMenu(TListItem* Item, QPoint& Pos, TPopupMenu*& Menu)
{
    TPTCustomListView::ItemContextMenu(Item, Pos, Menu);
    if (!(options_ & ptsloContextMenus) || !Item || !Item->Data || !shellFolder_)
        return;
    const std::vector<LPCITEMIDLIST> items = SelectedPidls();
    if (items.empty())
        return;
    Menu = nullptr;
    auto* focused = static_cast<TPTShListData*>(Item->Data);
    TItemsMenuHandlers handlers;
    handlers.StartRename = [this] { StartRename(); };
    handlers.Refresh = [this] { Refresh(); };
    handlers.MakeDataObject = [this] { return MakeSelectionDataObject(); };
    if (OnPopupHint)
        handlers.OnPopupHint = [this](const QString& Hint) { Fire(OnPopupHint, this, Hint); };
    // Changes seen while the menu is up wait until it is closed.
    const bool wasRunning = std::exchange(updateRunning_, true);
    try {
        PopupItemsContextMenu(GetParentFormHandle(this), shellFolder_.get(), folder_->GetPath(), items,
                              SelectionMenuFlags(focused->GetPath(), ReadOnly()), mapToGlobal(Pos), handlers);
    } catch (...) {
        SetUpdateRunning(wasRunning);
        throw;
    }
    SetUpdateRunning(wasRunning);
}

bool TPTCustomShellList::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) &&
        (Watched == ReportView()->viewport() || Watched == IconView()->viewport())) {
        bool consumed = false;
        AtBoundary([&] { consumed = ViewportMouse(static_cast<QWidget*>(Watched), *static_cast<QMouseEvent*>(Event)); });
        if (consumed)
            return true;
    }
    if (Event->type() == QEvent::KeyPress && (Watched == ReportView() || Watched == IconView())) {
        bool consumed = false;
        AtBoundary([&] { consumed = DefaultKeyDown(*static_cast<QKeyEvent*>(Event)); });
        if (consumed)
            return true;
    }
    return TPTCustomListView::eventFilter(Watched, Event);
}

bool TPTCustomShellList::DefaultKeyDown(QKeyEvent& Event)
{
    if (!(options_ & ptsloDefaultKeyHandling) || IsEditing())
        return false;
    if (Event.key() == Qt::Key_Backspace && Event.modifiers() == Qt::NoModifier) {
        GoUp(1);
        return true;
    }
    if ((Event.key() == Qt::Key_Return || Event.key() == Qt::Key_Enter) &&
        (Event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        OpenSelection();
        return true;
    }
    const TShortCut key = ShortCutOfKey(Event);
    if (key == DefaultShortCut(TDefaultShortCut::SelectAll)) {
        SelectAll();
    } else if (key == DefaultShortCut(TDefaultShortCut::Refresh)) {
        Fill();
    } else if (key == DefaultShortCut(TDefaultShortCut::Copy)) {
        InvokeSelectionVerb(QStringLiteral("copy"));
    } else if (key == DefaultShortCut(TDefaultShortCut::Cut)) {
        InvokeSelectionVerb(QStringLiteral("cut"));
    } else if (key == DefaultShortCut(TDefaultShortCut::Paste)) {
        InvokeFolderVerb(QStringLiteral("paste"));
        Refresh();
    } else if (key == DefaultShortCut(TDefaultShortCut::Rename)) {
        StartRename();
    } else if (key == DefaultShortCut(TDefaultShortCut::Delete) ||
               TShortCut(key & ~scShift) == DefaultShortCut(TDefaultShortCut::Delete)) {
        InvokeSelectionVerb(QStringLiteral("delete"));
        Refresh();
    } else {
        return false;
    }
    return true;
}
