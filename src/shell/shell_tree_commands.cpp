// TPTCustomShellTree: the context menu, renaming in place, the default keys, new folders, going up
// and the verbs of nodes.
#include "shell/shell_tree.h"

#include "shell/data_object_shtv.h"
#include "shell/default_shortcuts.h"
#include "shell/id_list_array.h"
#include "shell/items_context_menu.h"
#include "shell/pidl_routines.h"
#include "shell/shell_command_routines.h"
#include "shell/shell_routines.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QKeyEvent>
#include <QMetaObject>

using namespace win;

namespace {

// The name a rename may hand the namespace, in UTF-16 units.
constexpr int MaxNameLength = 260;
// What SetNameOf is told the new name is.
constexpr DWORD SetNameFlags = 0x20;

// Forgets the cached lists and folders of Node and everything below it.
void ResetSubtree(TTreeNode* Node)
{
    if (TPTShTreeData* data = TPTCustomShellTree::NodeData(Node))
        data->ResetCache();
    for (int index = 0; index < Node->Count(); ++index)
        ResetSubtree(Node->Item(index));
}

bool IsAtOrBelow(TTreeNode* Node, TTreeNode* Ancestor)
{
    for (; Node; Node = Node->Parent()) {
        if (Node == Ancestor)
            return true;
    }
    return false;
}

} // namespace

void TPTCustomShellTree::NodeContextMenu(TTreeNode* Node, QPoint& Pos, TPopupMenu*& Menu)
{
    TPTCustomTreeView::NodeContextMenu(Node, Pos, Menu);
    TPTShTreeData* data = NodeData(Node);
    if (!(options_ & ptstoContextMenus) || !data)
        return;
    // The top node names its item by an absolute list: its menu comes from the item's parent.
    Ref<IShellFolder> folder(data->ParentFolder());
    TOwnedPidl lastItem;
    LPCITEMIDLIST item = data->RelativePidl();
    if (!data->ParentData()) {
        LPITEMIDLIST parent = nullptr;
        LPITEMIDLIST last = nullptr;
        if (TPTIdListArray(data->AbsolutePidl()).Count() == 0 ||
            FAILED(SplitAbsolutePidl(data->AbsolutePidl(), folder, parent, last)))
            return; // the desktop has no menu of its own
        ShellFree(parent);
        lastItem.reset(last);
        item = last;
    }
    if (!folder)
        return;
    Menu = nullptr;
    const HWND owner = GetParentFormHandle(this);
    TItemsMenuHandlers handlers;
    handlers.StartRename = [this, Node] { EditText(Node); };
    handlers.Refresh = [this] { Refresh(); };
    handlers.RefreshAfterCommands = true;
    if (data->ParentData()) {
        handlers.MakeDataObject = [Node] { return TDataObject_shtv::Create(Node).Detach(); };
    }
    if (OnPopupHint)
        handlers.OnPopupHint = [this](const QString& Hint) { Fire(OnPopupHint, this, Hint); };
    const UINT flags = ReadOnly() ? CMF_EXPLORE : CMF_EXPLORE | CMF_CANRENAME;
    busy_ = true;
    try {
        PopupItemsContextMenu(owner, folder.get(), {}, {&item, 1}, flags, viewport()->mapToGlobal(Pos), handlers);
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
    // The refresh after a command, or one a change notice asked for meanwhile, runs now.
    RunPendingRefresh();
}

bool TPTCustomShellTree::CanEdit(TTreeNode& Node)
{
    TPTShTreeData* data = NodeData(&Node);
    if (data && !data->CanRename())
        return false;
    return TPTCustomTreeView::CanEdit(Node);
}

void TPTCustomShellTree::Edited(TTreeNode& Node, QString& S)
{
    TPTShTreeData* data = NodeData(&Node);
    if (!data) {
        TPTCustomTreeView::Edited(Node, S);
        return;
    }
    Fire(OnEdited, this, &Node, S);
    IShellFolder* folder = data->ParentFolder();
    if (S.isEmpty() || S == Node.Text() || !folder)
        return;
    const THourGlass hourGlass;
    ++nesting_;
    ignoreOnce_ = true;
    LPITEMIDLIST renamed = nullptr;
    if (SUCCEEDED(folder->SetNameOf(GetParentFormHandle(this), data->RelativePidl(), S.left(MaxNameLength),
                                    SetNameFlags, &renamed))) {
        ResetSubtree(&Node);
        data->SetRelativePidl(renamed);
        ShellFree(renamed);
        QString name;
        folder->GetDisplayNameOf(data->RelativePidl(), SHGDN_INFOLDER, &name);
        Node.SetText(name.isEmpty() ? S : name);
        // The folder shown (the renamed one or one below it) has a new name.
        if (TTreeNode* selected = Selected(); selected && IsAtOrBelow(selected, &Node)) {
            const LPCITEMIDLIST current = NodeData(selected)->AbsolutePidl();
            folder_->SetPidl(current);
            if (shellList_)
                shellList_->Folder()->SetPidl(current);
        }
    } else {
        // Nothing changed on disk: a real change must still refresh.
        ignoreOnce_ = false;
    }
    --nesting_;
}

void TPTCustomShellTree::closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint)
{
    TPTCustomTreeView::closeEditor(Editor, Hint);
    // A refresh that waited for the editor runs once it is gone (also after a cancelled edit).
    if (refreshPending_)
        QMetaObject::invokeMethod(this, [this] { AtBoundary([this] { RunPendingRefresh(); }); }, Qt::QueuedConnection);
}

void TPTCustomShellTree::keyPressEvent(QKeyEvent* Event)
{
    bool consumed = false;
    AtBoundary([&] { consumed = DefaultKeyDown(*Event); });
    if (consumed) {
        Event->accept();
        return;
    }
    TPTCustomTreeView::keyPressEvent(Event);
}

bool TPTCustomShellTree::DefaultKeyDown(QKeyEvent& Event)
{
    if (!(options_ & ptstoDefaultKeyHandling) || IsEditing())
        return false;
    const TShortCut key = ShortCutOfKey(Event);
    TTreeNode* node = Selected();
    if (key == DefaultShortCut(TDefaultShortCut::Rename)) {
        if (node)
            EditText(node);
    } else if (key == DefaultShortCut(TDefaultShortCut::Refresh)) {
        Refresh();
    } else if (key == DefaultShortCut(TDefaultShortCut::Cut)) {
        InvokeNodeVerb(node, QStringLiteral("cut"));
    } else if (key == DefaultShortCut(TDefaultShortCut::Copy)) {
        InvokeNodeVerb(node, QStringLiteral("copy"));
    } else if (key == DefaultShortCut(TDefaultShortCut::Paste)) {
        InvokeNodeVerb(node, QStringLiteral("paste"));
        Refresh();
    } else if (key == DefaultShortCut(TDefaultShortCut::Delete) ||
               TShortCut(key & ~scShift) == DefaultShortCut(TDefaultShortCut::Delete)) {
        InvokeNodeVerb(node, QStringLiteral("delete"));
        Refresh();
    } else {
        return false;
    }
    return true;
}

HRESULT TPTCustomShellTree::InvokeNodeVerb(TTreeNode* Node, const TShellVerb& Verb)
{
    TPTShTreeData* data = NodeData(Node);
    if (!data || !data->ParentData())
        return S_FALSE;
    void* object = nullptr;
    const HWND owner = GetParentFormHandle(this);
    HRESULT result = data->GetUIObjectOf(owner, TUIObject::ContextMenu, &object);
    if (SUCCEEDED(result)) {
        auto* contextMenu = static_cast<IContextMenu*>(object);
        result = InvokeVerb(owner, contextMenu, Verb);
        contextMenu->Release();
    }
    Refresh();
    return result;
}

bool TPTCustomShellTree::CreateNewFolder()
{
    TTreeNode* node = Selected();
    const QString path = GetSelectedPath();
    ignoreOnce_ = true;
    QString name;
    if (!node || !CreateUniqueFolder(path, name)) {
        ignoreOnce_ = false;
        return false;
    }
    WaitWithHourglass(TPTIdListArray(folder_->GetPidl()).Count() == 0 ? desktopNewFolderWait_ : folderNewFolderWait_);
    Refresh();
    node = Selected();
    if (!node)
        return true;
    // A node never opened lists the new folder when it fills.
    ExpandNode(node);
    for (int index = 0; index < node->Count(); ++index) {
        if (node->Item(index)->Text() == name) {
            EditText(node->Item(index));
            break;
        }
    }
    return true;
}

void TPTCustomShellTree::GoUp(int Levels)
{
    TTreeNode* node = Selected();
    if (!node)
        return;
    for (int level = 0; level < Levels && node->Parent(); ++level)
        node = node->Parent();
    immediate_ = true;
    SetSelected(node);
}
