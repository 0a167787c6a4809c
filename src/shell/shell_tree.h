// TPTCustomShellTree and TPTShellTree: the folder tree of the shell namespace below a base
// folder, filled as nodes open, kept current by a watcher and device changes, linked to a shell
// list, with the shell's context menu, renaming in place and its own keys.
#pragma once

#include "shell/control_drop_target.h"
#include "shell/drag_detector.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"
#include "shell/shell_locator.h"
#include "shell/shell_tree_data.h"
#include "shell/shell_verbs.h"

#include "platform/graphics/image_list.h"
#include "platform/messages/messages.h"
#include "platform/ole/interfaces.h"

#include <QFlags>
#include <cstdint>
#include <functional>
#include <memory>

class TChangeHandlerThread;
class TPTDeviceChangeHandler;
class TTimer;

enum TPTShellTreeOption : unsigned {
    ptstoAutoFill = 1 << 0,          // fill when created and when the base folder changes
    ptstoVirtualFolders = 1 << 1,    // show items outside the file system
    ptstoDesignInteractive = 1 << 2,
    ptstoDefaultKeyHandling = 1 << 3,
    ptstoContextMenus = 1 << 4,
    ptstoDynamicRefresh = 1 << 5,    // watch the folders shown and refresh on changes
    ptstoIncludeNonFolders = 1 << 6, // files as nodes too
    ptstoOleDrag = 1 << 7,
    ptstoOleDrop = 1 << 8,
    ptstoShowHidden = 1 << 9,        // entries whose names start with "."
};
Q_DECLARE_FLAGS(TPTShellTreeOptions, TPTShellTreeOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPTShellTreeOptions)

// The tree's private messages (on a hidden message target of its own).
constexpr win::UINT WM_SHELLTREE_CHANGE = 1125;        // the watcher saw a change
constexpr win::UINT WM_SHELLTREE_DEFERRED_FILL = 1127; // fill when still empty

// A shell combo linked to a tree: told of each node the tree navigates to. A combo that goes away
// unlinks itself (SetShellCombo with null).
class TPTShellTreeCombo {
public:
    virtual ~TPTShellTreeCombo() = default;
    virtual void TreeSelectionChanged(TTreeNode* Node) = 0;
};

// Each shell node owns a TPTShTreeData in its Data. Nodes are filled when they first open. The
// selected node is the current folder (Folder), which a linked list shows: at once after a click
// or a call, after a pause while the keyboard moves the selection. GUI thread only.
class TPTCustomShellTree : public TPTCustomTreeView, public TPTShellListPartner {
    Q_OBJECT
public:
    static constexpr TPTShellTreeOptions DefaultOptions =
        TPTShellTreeOptions(ptstoAutoFill | ptstoVirtualFolders | ptstoDefaultKeyHandling | ptstoContextMenus |
                            ptstoDynamicRefresh | ptstoOleDrag | ptstoOleDrop | ptstoShowHidden);

    // WatchSlots: the folders watched at most; those beyond refresh on F5.
    explicit TPTCustomShellTree(QWidget* Parent = nullptr, int WatchSlots = 1024);
    ~TPTCustomShellTree() override;

    TPTShellTreeOptions Options() const { return options_; }
    void SetOptions(TPTShellTreeOptions Value);
    // The place shown as the top node (null list: the desktop); changing it fills the tree again.
    TPTShellLocator* BaseFolder() const { return baseFolder_.get(); }
    // The folder of the selected node; setting it selects that node.
    TPTShellLocator* Folder() const { return folder_.get(); }
    void SetFolderPath(const QString& Path);

    // The list that shows the selected folder (null: none).
    TPTCustomShellList* ShellList() const { return shellList_; }
    void SetShellList(TPTCustomShellList* Value);
    // The combo told of the folders the tree navigates to (null: none).
    TPTShellTreeCombo* ShellCombo() const { return shellCombo_; }
    void SetShellCombo(TPTShellTreeCombo* Value) { shellCombo_ = Value; }

    void CreateWnd();
    bool Created() const { return created_; }
    void DestroyWnd();

    TPTShTreeData* GetSelectedData() const;
    static TPTShTreeData* NodeData(TTreeNode* Node) { return Node ? static_cast<TPTShTreeData*>(Node->Data) : nullptr; }
    QString GetSelectedPath() const;

    // Fills the tree again from the base folder and selects Folder.
    void FillRoot();
    // Adds the folders that appeared and removes those that went, in every node filled so far.
    void Refresh();
    // Selects the node of Pidl (absolute), opening every node on the way and adding the nodes
    // missing; an item that cannot be reached beeps and ends the walk there.
    void SetFolderPidl(win::LPCITEMIDLIST Pidl);
    // Selects the node Levels above the selected one (the top node at most).
    void GoUp(int Levels) override;
    // Makes a folder with a unique name in the selected folder and edits its name.
    bool CreateNewFolder();
    // Runs Verb of the context menu of Node's item and refreshes; S_FALSE for the top node.
    virtual win::HRESULT InvokeNodeVerb(TTreeNode* Node, const TShellVerb& Verb);
    // Runs at once what the timer waits for (showing the selected folder, or a refresh).
    void SyncLinked();

    // The pauses: change notices with and without the focus (400, 2000 ms), keyboard browsing
    // (500 ms), and after a new folder in a folder and on the desktop (1000, 2100 ms).
    void SetChangeDelays(unsigned FocusedMs, unsigned UnfocusedMs);
    void SetNavigationDelay(unsigned Ms) { navigationDelay_ = Ms; }
    void SetNewFolderWaits(unsigned FolderMs, unsigned DesktopMs);
    // Whether the tree has the focus, as the change debounce asks it (tests replace it).
    std::function<bool()> HasFocus;
    bool RefreshPending() const { return refreshPending_; }
    bool IgnoreNextChange() const { return ignoreOnce_; }

    // Drag and drop. A drag over a shell node that has a parent node goes to the shell's drop
    // target of that node's item: DragEnter and DragOver only probe it, Drop hands the drop on
    // with the buttons held at DragEnter and the effects the dragged items allow, then refreshes.
    // Elsewhere the effect is none. Points are screen coordinates; Effect comes in as the effects
    // offered and goes out as the one taken; DragOver adds DROPEFFECT_SCROLL and scrolls while the
    // pointer waits near an edge.
    virtual win::HRESULT DragEnter(win::IDataObject* DataObj, win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    virtual win::HRESULT DragOver(win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    virtual win::HRESULT DragLeave();
    virtual win::HRESULT Drop(win::IDataObject* DataObj, win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect);
    // With ptstoOleDrag, drags the item of Node (a shell node with a parent node) with the mouse
    // button Button (0 left, 1 right), offering AllowedEffects(Node); the node stays highlighted
    // while the drag runs, and the tree refreshes after a drop.
    void StartOleDrag(TTreeNode* Node, int Button);
    // The effects (copy, move, link) the item of Node allows; all three when it cannot be asked.
    win::DWORD AllowedEffects(TTreeNode* Node);
    // The node a drag highlights (null: none).
    TTreeNode* DropHighlighted() const { return dropHighlight_; }

    // Linked list partner.
    void ShowPidl(win::LPCITEMIDLIST Pidl) override;
    void FlushPendingChanges() override { SyncLinked(); }

    // Events.
    std::function<void(TObject* aSender, win::IShellFolder* aParentIShf, win::LPCITEMIDLIST aParentAbsIdList,
                       win::LPCITEMIDLIST aItemRelIdList, win::ULONG aAttribs, bool& afAllowAdd)>
        OnAddItem;
    std::function<void(TObject* aSender, TTreeNode* aNode, TPTShTreeData* aShTreeData)> OnDeleteItem;
    std::function<void(TObject* aSender, TTreeNode* aNode)> OnInsertItem;
    std::function<void(TObject* aSender, const QString& Hint)> OnPopupHint;
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TTreeNode* aNode, TPTShTreeData* aData)> OnCustomDrawSh;
    std::function<void(TObject* aSender, TPTCustomDraw* aCD, TTreeNode* aNode, TPTShTreeData* aData)> OnCustomDrawShEx;
    TNotifyEvent OnFillStart;
    TNotifyEvent OnFillComplete;

protected:
    virtual bool AllowAddItem(win::IShellFolder* Folder, win::LPCITEMIDLIST ParentAbsPidl, win::ULONG Attribs,
                              win::LPCITEMIDLIST RelPidl);
    virtual void DeviceChange(TPTDeviceChangeHandler& Handler, win::TMessage& Message);
    // Lists Folder's children under Node (null: makes the top node first). False when the folder
    // could not be listed (the node keeps its button).
    virtual bool FillNode(win::IShellFolder* Folder, TTreeNode* Node);
    // The tree's own keys; true when Event was one of them (and is consumed).
    virtual bool DefaultKeyDown(QKeyEvent& Event);

    // A change notice of the watcher: a refresh after the pause, unless the tree caused it.
    void ChangeNotice();

    void GetImageIndex(TTreeNode* Node) override;
    void GetSelectedIndex(TTreeNode* Node) override;
    bool CanExpand(TTreeNode* Node) override;
    bool CanEdit(TTreeNode& Node) override;
    void Edited(TTreeNode& Node, QString& S) override;
    void NodeContextMenu(TTreeNode* Node, QPoint& Pos, TPopupMenu*& Menu) override;
    void NodeCustomDraw(TCustomDrawNotification& Notification, int& Result, TTreeNode* Node) override;
    bool HasCustomDraw() const override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) override;
    void showEvent(QShowEvent* Event) override;

private:
    // Adds the item RelPidl of Folder as a child of Parent; the new node, or null when the item
    // was left out. A failing attribute request goes to Result.
    TTreeNode* AddItemNode(win::IShellFolder* Folder, win::LPCITEMIDLIST ParentAbsPidl, win::LPCITEMIDLIST RelPidl,
                           TTreeNode* Parent, win::HRESULT* Result = nullptr);
    // Fires OnDeleteItem for Node and the nodes below it and frees their data.
    void DeleteNodeData(TTreeNode* Node);
    // The children a fill lists, by the options.
    win::DWORD EnumFlags() const;
    // Lists Folder's children into Items (each the caller's to free). Opened tells whether the
    // folder could be listed at all; the result is S_FALSE at the normal end, else the code the
    // enumeration stopped with.
    win::HRESULT Enumerate(win::IShellFolder* Folder, win::HWND Owner, QList<win::LPITEMIDLIST>& Items,
                           bool& Opened) const;
    // Deletes every node, the selection's change telling no one.
    void DeleteAllNodes();
    void SortChildren(TTreeNode* Node);
    TTreeNode* FindChildNode(TTreeNode* Node, win::LPCITEMIDLIST RelPidl);
    // Fills Node when it was never filled, then opens it.
    void ExpandNode(TTreeNode* Node);
    void RefreshNode(TTreeNode* Node);
    void SelectionChanged();
    // Shows the selected node's folder in Folder and the linked list.
    void Navigate();
    void StartTimer(int Mode, unsigned Ms);
    void TimerFired();
    void StartWatching();
    void WatchNode(TTreeNode* Node);
    void BaseFolderChanged();
    void FolderChanged();
    void RunPendingRefresh();
    bool Busy() const { return busy_ || IsEditing(); }
    // The shell node with a parent node at Pt (screen coordinates), and its item's drop target.
    TTreeNode* ShellNodeAt(win::POINTL Pt) const;
    win::ComPtr<win::IDropTarget> NodeDropTarget(TTreeNode* Node);
    // DragEnter and DragOver: probes the target of the node at Pt.
    win::HRESULT ProbeDropTarget(win::DWORD KeyState, win::POINTL Pt, win::DWORD& Effect, bool Over);
    // Registers or revokes the tree's drop target as ptstoOleDrop and the window say.
    void UpdateDropRegistration();
    void WndProc(win::TMessage& Message);

    TPTShellTreeOptions options_ = DefaultOptions;
    std::unique_ptr<TPTShellLocator> baseFolder_;
    std::unique_ptr<TPTShellLocator> folder_;
    TPTCustomShellList* shellList_ = nullptr;
    TPTShellTreeCombo* shellCombo_ = nullptr;
    TImageList images_;
    std::unique_ptr<TTimer> timer_;
    int timerMode_ = 0; // 0 idle, 1 show the selected folder, 2 refresh
    std::unique_ptr<TChangeHandlerThread> watcher_;
    int watchSlots_;
    win::HWND handle_ = nullptr;
    unsigned focusedDelay_ = 400;
    unsigned unfocusedDelay_ = 2000;
    unsigned navigationDelay_ = 500;
    unsigned folderNewFolderWait_ = 1000;
    unsigned desktopNewFolderWait_ = 2100;
    int nesting_ = 0;
    bool immediate_ = false;
    bool ignoreOnce_ = false;
    bool busy_ = false;
    bool refreshPending_ = false;
    bool created_ = false;
    // The node to select again after a refresh (its parent when it went).
    TTreeNode* remembered_ = nullptr;
    // Drag and drop: the registered target, the data object and key state of the drag over the
    // tree, the last auto-scroll, the highlighted node and the node this tree drags.
    win::ComPtr<win::IDropTarget> dropTarget_;
    win::ComPtr<win::IDataObject> dragData_;
    win::DWORD dragKeyState_ = 0;
    std::uint32_t lastDragScroll_ = 0;
    TTreeNode* dropHighlight_ = nullptr;
    TTreeNode* dragNode_ = nullptr;
    TDragDetector dragDetector_;
};

// Publishes the shell tree.
class TPTShellTree : public TPTCustomShellTree {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    explicit TPTShellTree(QWidget* Parent = nullptr, int WatchSlots = 1024) : TPTCustomShellTree(Parent, WatchSlots) {}
};

// The drop target the shell tree registers.
using TDropTarget_shtv = TPTControlDropTarget<TPTCustomShellTree>;
