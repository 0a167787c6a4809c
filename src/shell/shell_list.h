// TPTCustomShellList and TPTShellList: a list view of the contents of one folder of the shell
// namespace, filled from the folder's enumeration, filtered by file masks, refreshed when the
// folder changes on disk, with its own Size, Type and Modified columns or the folder's details.
#pragma once

#include "shell/control_drop_target.h"
#include "shell/drag_detector.h"
#include "shell/pt_list_view.h"
#include "shell/shell_details.h"
#include "shell/shell_list_data.h"
#include "shell/shell_locator.h"
#include "shell/shell_verbs.h"

#include "platform/graphics/image_list.h"
#include "platform/messages/messages.h"
#include "platform/ole/interfaces.h"

#include <QFlags>
#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QMouseEvent;
class TChangeHandlerThread;
class TPTDeviceChangeHandler;
class TStream;
class TTimer;

enum TPTShellListOption : unsigned {
    ptsloAutoFill = 1 << 0,                    // fill when shown empty; refill when the filter changes
    ptsloNonFilesystemAncestors = 1 << 1,      // admit items outside the file system
    ptsloDesignInteractive = 1 << 2,
    ptsloDefaultKeyHandling = 1 << 3,
    ptsloContextMenus = 1 << 4,
    ptsloDontChangeFolder = 1 << 5,
    ptsloDontGoBelowBase = 1 << 6,
    ptsloDynamicRefresh = 1 << 7,              // watch the folder and refresh on changes
    ptsloHideFoldersWhenLinkedToTree = 1 << 8, // leave file-system folders to a linked tree
    ptsloOleDrag = 1 << 9,
    ptsloOleDrop = 1 << 10,
    ptsloFolderContextMenu = 1 << 11,
    ptsloShowHidden = 1 << 12,                 // list entries whose names start with "."
};
Q_DECLARE_FLAGS(TPTShellListOptions, TPTShellListOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPTShellListOptions)

// A shell tree or shell combo linked to a list: the list shows the folder the partner selects and
// tells it when its own folder changes. A partner that goes away unlinks itself (SetShellTree or
// SetShellCombo with null).
class TPTShellListPartner {
public:
    virtual ~TPTShellListPartner() = default;
    // Select the place Pidl (absolute).
    virtual void ShowPidl(win::LPCITEMIDLIST Pidl) = 0;
    // Refresh now what the partner's own watcher has seen.
    virtual void FlushPendingChanges() = 0;
    // Select the place Levels above the one selected.
    virtual void GoUp(int Levels) = 0;
};

// The list's private messages (on a hidden message target of its own).
constexpr win::UINT WM_SHELLLIST_CHANGE = 1125;     // the watcher saw a change (wParam: slot)
constexpr win::UINT WM_SHELLLIST_DEFERRED_FILL = 1127; // fill when still empty
constexpr win::UINT WM_SHELLLIST_EDIT_NEW_FOLDER = 1126; // edit the name of the folder just made

// The list owns the row data (one TPTShListData per row, in the row's Data). Rows are drawn
// through the text callback: names, detail texts and icons are computed when a row is shown.
// Nothing is filled before the list is created (first shown, or CreateWnd). GUI thread only.
class TPTCustomShellList : public TPTCustomListView {
    Q_OBJECT
public:
    static constexpr TPTShellListOptions DefaultOptions =
        TPTShellListOptions(ptsloAutoFill | ptsloNonFilesystemAncestors | ptsloDefaultKeyHandling | ptsloContextMenus |
                            ptsloDynamicRefresh | ptsloOleDrag | ptsloOleDrop | ptsloFolderContextMenu | ptsloShowHidden);

    explicit TPTCustomShellList(QWidget* Parent = nullptr);
    ~TPTCustomShellList() override;

    TPTShellListOptions Options() const { return options_; }
    void SetOptions(TPTShellListOptions Value);
    // The folder shown (owned); setting its place refills the list.
    TPTShellLocator* Folder() const { return folder_.get(); }
    // File masks separated by ";" ("*.gif;*.jpg"); "", "*" and "*.*" filter nothing.
    const QString& FileFilter() const { return fileFilter_; }
    void SetFileFilter(const QString& Value);

    // Creates the list's window: from now on it fills. Showing it the first time does the same.
    void CreateWnd();
    bool Created() const { return created_; }
    // What destroying the list's window does: the rows go, the column layout is kept for the next
    // list, the watcher ends.
    void DestroyWnd();

    // The data of the selected row and of the row Index; null when there is none.
    TPTShListData* GetSelectedData() const;
    TPTShListData* GetItemData(int Index) const;

    // Refills the list from the folder.
    void Fill();
    // Adds the entries that appeared and removes those that went, keeping the rows that stayed
    // (their selection, captions and texts); an empty list is filled instead.
    void Refresh();
    void SelectAll();
    // Refreshes at once when a change waits for the debounce timer (AlsoLinked: the linked tree
    // and combo first).
    void FlushPendingChanges(bool AlsoLinked);

    void SetShellTree(TPTShellListPartner* Tree) { shellTree_ = Tree; }
    void SetShellCombo(TPTShellListPartner* Combo) { shellCombo_ = Combo; }
    TPTShellListPartner* ShellTree() const { return shellTree_; }

    // The list's own commands (renaming, a new folder) make the next change notice be ignored;
    // one that fails clears it again, so a real change still refreshes.
    void SetIgnoreNextChange(bool Value) { ignoreOnce_ = Value; }
    bool IgnoreNextChange() const { return ignoreOnce_; }
    // Set while the list is the source of a drag: fills and refreshes wait until it is cleared.
    void SetUpdateRunning(bool Value);
    bool RefreshPending() const { return refreshPending_; }
    // The debounce delay after a change notice, with and without the focus (400 and 2000 ms).
    void SetChangeDelays(unsigned FocusedMs, unsigned UnfocusedMs);
    // Whether the list has the focus, as the debounce asks it (tests replace it).
    std::function<bool()> HasFocus;

    // The current folder, its list (owned by the list) and its detail provider (null when the
    // folder has none: the list's own columns show).
    win::IShellFolder* ShellFolder() const { return shellFolder_.get(); }
    win::LPCITEMIDLIST FolderPidl() const { return folderPidl_; }
    IShellDetails* DetailProvider() const { return detailProvider_.Get(); }

    // Sorting: 0 none, n column n (1-based) ascending, -n descending.
    int SignedSortColumn() const { return signedSortColumn_; }
    void SetSignedSortColumn(int Value);
    void SortItems();
    // The widths of the columns: a 32-bit count and a 32-bit width per column, little-endian.
    void SaveColumnLayout(TStream& Stream) const;
    void LoadColumnLayout(TStream& Stream);

    // Drag and drop. The shell's drop target of the row under the point (screen coordinates), else
    // of the folder shown, is asked at each step and never kept: DragEnter and DragOver only
    // probe it, Drop hands the drop on with the buttons held at DragEnter and the effects the
    // dragged items allow. The list's own drag has no target on the empty area with the left
    // button; with the right one it answers copy, and the drop goes to the folder without move.
    // Effect comes in as the effects offered and goes out as the one taken; DragOver adds
    // DROPEFFECT_SCROLL and scrolls while the pointer waits near an edge.
    virtual win::HRESULT DragEnter(win::IDataObject* DataObj, win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    virtual win::HRESULT DragOver(win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    virtual win::HRESULT DragLeave();
    virtual win::HRESULT Drop(win::IDataObject* DataObj, win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    // With ptsloOleDrag, drags the selected rows with the mouse button Button (0 left, 1 right),
    // offering the effects they all allow; nothing without a selected row. After a drop, or when
    // the folder changed meanwhile, the list refreshes and sorts.
    void StartOleDrag(int Button);
    // The effects (copy, move, link) every selected row allows; none when no row with data is.
    win::DWORD SelectedDropEffects() const;
    // The data object of the selection for a drag or Send To, with a reference for the caller;
    // null when nothing is selected.
    win::IDataObject* MakeSelectionDataObject();
    // The relative lists of the selected rows that carry data, in row order.
    std::vector<win::LPCITEMIDLIST> SelectedPidls() const;
    // The row a drag over the list highlights (null: none), and whether the list's own drag runs.
    TListItem* DropHighlighted() const { return dropHighlight_; }
    bool OwnDragRunning() const { return ownDrag_; }

    // Commands.
    // Opens the selected rows: a folder (or a link to one) is entered, anything else is left to
    // OnDblClickOpen and, unless it handled it, to the default command of its context menu.
    void OpenSelection();
    // Enters the folder Pidl (absolute) through the linked tree, else the linked combo, else
    // Folder; nothing with ptsloDontChangeFolder.
    void NavigateTo(win::LPCITEMIDLIST Pidl);
    // Shows the folder Levels above: through the linked tree or combo when there is one.
    void GoUp(int Levels);
    // Makes a folder with a unique name in the folder shown and, with StartEditing, edits its
    // name once it is listed. False when nothing was made.
    bool CreateNewFolder(bool StartEditing);
    // Runs Verb of the context menu of Item's entry, of the selected entries together (E_FAIL when
    // none is) and of the folder itself (which raises on failure).
    win::HRESULT InvokeItemVerb(TListItem* Item, const TShellVerb& Verb);
    virtual win::HRESULT InvokeSelectionVerb(const TShellVerb& Verb);
    virtual win::HRESULT InvokeFolderVerb(const TShellVerb& Verb);
    // Edits the caption of the focused row.
    void StartRename();
    // How long a new folder on the desktop waits before the list refreshes (2100 ms).
    void SetDesktopNewFolderWait(unsigned Milliseconds) { desktopNewFolderWait_ = Milliseconds; }

    // Events.
    // Opening an entry that is not a folder: set afHandled to stop the default command.
    std::function<void(TObject* aSender, bool& afHandled)> OnDblClickOpen;
    // The help text of the context-menu command under the pointer.
    std::function<void(TObject* aSender, const QString& Hint)> OnPopupHint;
    std::function<void(TObject* aSender, win::IShellFolder* aParentIShf, win::LPCITEMIDLIST aParentAbsIdList,
                       win::LPCITEMIDLIST aItemRelIdList, win::ULONG aAttribs, bool& afAllowAdd)>
        OnAddItem;
    std::function<void(TObject* aSender, TListItem* aNode, TPTShListData* aShListData)> OnDeleteItem;
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TListItem* aItem, TPTShListData* aData)> OnCustomDrawSh;
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TListItem* aItem, TPTShListData* aData)> OnCustomDrawShEx;
    // Before a row's image is looked up: an image index above 0 it sets is shown instead.
    std::function<void(TObject* Sender, TListItem* Item)> OnGetImageIndex;
    TNotifyEvent OnFillStart;
    TNotifyEvent OnFillComplete;
    TNotifyEvent OnFolderChanged;

protected:
    virtual bool AllowAddItem(win::IShellFolder* ParentFolder, win::LPCITEMIDLIST ParentAbsPidl, win::ULONG Attribs,
                              win::LPCITEMIDLIST RelPidl);
    virtual void DeviceChange(TPTDeviceChangeHandler& Handler, win::TMessage& Message);
    virtual void FillList(win::IShellFolder* Folder, win::LPCITEMIDLIST AbsPidl);
    virtual void BuildFilterList();
    virtual bool MatchesFilter(const QString& FileName, win::ULONG Attribs);
    virtual void ClearFilterList();
    // Rebuilds the columns for Details (null: the list's own).
    void SetupColumns(IShellDetails* Details);

    QString ItemText(TListItem& Item, int Column) override;
    int ItemImageIndex(TListItem& Item) override;
    void ItemCustomDraw(TCustomDrawNotification& Notification, int& Result, TListItem* Item) override;
    bool HasCustomDraw() const override;
    void ColumnClick(int Column) override;
    bool CanEdit(TListItem& Item) override;
    void Edited(TListItem& Item, QString& S) override;
    void DblClick() override;
    void ItemContextMenu(TListItem* Item, QPoint& Pos, TPopupMenu*& Menu) override;
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    // The list's own keys; true when Event was one of them (and is consumed).
    virtual bool DefaultKeyDown(QKeyEvent& Event);

private:
    void FolderChanged();
    // Fill or Refresh now, or only note it when the list is busy (false then).
    bool CanUpdateNow();
    // Admits Data's item and adds its row, or frees it.
    void AddItem(std::unique_ptr<TPTShListData> Data);
    void AddRow(std::unique_ptr<TPTShListData> Data, win::ULONG Attribs);
    // OnDeleteItem, then the row and its data go.
    void DeleteRow(int Index);
    void DeleteAllRows();
    // The folder's children, each a new list from the task allocator.
    bool Enumerate(win::IShellFolder* Folder, QList<win::LPITEMIDLIST>& Items, bool RaiseErrors);
    void StartWatching();
    void ChangeNotice();
    void ChangeTimer();
    void WndProc(win::TMessage& Message);
    void OwnColumns();
    void DetailColumns(IShellDetails* Details);
    void SaveLayoutIfOwn() const;
    // Renames the entry of Item to Name: true when the folder took the new name.
    bool RenameItem(TListItem& Item, const QString& Name);
    // Fires OnDblClickOpen: true when the handler did the opening.
    bool DblClickOpenHandled();
    // Runs the default command of the entries Items.
    void InvokeDefaultCommandOf(std::span<const win::LPCITEMIDLIST> Items);
    // Edits the caption of the row named editPendingName_.
    void EditNewFolder();
    // The shell's drop target for a drag at Pt, and the row it belongs to (null for the folder's).
    struct TDropChoice;
    TDropChoice ChooseDropTarget(win::POINTL Pt);
    // DragEnter and DragOver: probes the target at Pt and highlights its row when it takes the drag.
    win::HRESULT ProbeDropTarget(win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect, bool Over);
    // Registers or revokes the list's drop target as ptsloOleDrop and the window say.
    void UpdateDropRegistration();
    // The mouse on a view's viewport: starts a drag when a pressed button moves far enough from
    // an item, and shows a right click's menu at the release when no drag came of it.
    bool ViewportMouse(QWidget* Viewport, QMouseEvent& Event);

    TPTShellListOptions options_ = DefaultOptions;
    std::unique_ptr<TPTShellLocator> folder_;
    QString fileFilter_;
    QStringList masks_;
    std::unique_ptr<QSet<QString>> filterLookup_;
    win::Ref<win::IShellFolder> shellFolder_;
    win::LPITEMIDLIST folderPidl_ = nullptr;
    win::ComPtr<IShellDetails> detailProvider_;
    TPTShellListPartner* shellTree_ = nullptr;
    TPTShellListPartner* shellCombo_ = nullptr;
    win::HWND handle_ = nullptr;
    // Over the system image lists, which they never free.
    TImageList smallImages_;
    TImageList largeImages_;
    std::unique_ptr<TTimer> changeTimer_;
    std::unique_ptr<TChangeHandlerThread> watcher_;
    unsigned focusedDelay_ = 400;
    unsigned unfocusedDelay_ = 2000;
    bool created_ = false;
    bool ignoreOnce_ = false;
    bool updateRunning_ = false;
    bool refreshPending_ = false;
    int folderChanging_ = 0;
    int signedSortColumn_ = 1;
    bool sortColumnSet_ = false;
    // The columns belong to a file-system folder: their widths are kept for the next list.
    bool layoutOwn_ = false;
    // The name of the folder just made, whose caption is edited once it is listed.
    QString editPendingName_;
    unsigned desktopNewFolderWait_ = 2100;
    // Drag and drop: the registered target, the data object and key state of the drag over the
    // list, the last auto-scroll, the highlighted row, and whether the list's own drag runs.
    win::ComPtr<win::IDropTarget> dropTarget_;
    win::ComPtr<win::IDataObject> dragData_;
    win::DWORD dragKeyState_ = 0;
    std::uint32_t lastDragScroll_ = 0;
    TListItem* dropHighlight_ = nullptr;
    bool ownDrag_ = false;
    TDragDetector dragDetector_;
};

// Publishes the shell list.
class TPTShellList : public TPTCustomShellList {
    Q_OBJECT
public:
    explicit TPTShellList(QWidget* Parent = nullptr) : TPTCustomShellList(Parent) {}
};

// The drop target the shell list registers.
using TDropTarget_shlv = TPTControlDropTarget<TPTCustomShellList>;
