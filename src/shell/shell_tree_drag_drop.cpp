// The shell tree's drag and drop: dragging a node, the drops it takes and its drop registration.
#include "shell/shell_tree.h"

#include "shell/data_object_shtv.h"
#include "shell/drag_auto_scroll.h"
#include "shell/drop_source_shlvtv.h"
#include "shell/shell_drop_forwarding.h"
#include "shell/shell_routines.h"

#include "platform/ole/drag_loop.h"
#include "platform/rtl/exception.h"
#include "platform/system/tick_count.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

using namespace win;

TTreeNode* TPTCustomShellTree::ShellNodeAt(POINTL Pt) const
{
    TTreeNode* node = NodeAt(viewport()->mapFromGlobal(QPoint(Pt.x, Pt.y)));
    TPTShTreeData* data = NodeData(node);
    return data && data->ParentData() ? node : nullptr;
}

ComPtr<IDropTarget> TPTCustomShellTree::NodeDropTarget(TTreeNode* Node)
{
    void* object = nullptr;
    TPTShTreeData* data = NodeData(Node);
    if (!data || FAILED(data->GetUIObjectOf(GetParentFormHandle(this), TUIObject::DropTarget, &object)))
        return {};
    return ComPtr<IDropTarget>::Adopt(static_cast<IDropTarget*>(object));
}

HRESULT TPTCustomShellTree::ProbeDropTarget(DWORD KeyState, POINTL Pt, DWORD& Effect, bool Over)
{
    TTreeNode* node = ShellNodeAt(Pt);
    const ComPtr<IDropTarget> target = NodeDropTarget(node);
    if (!target) {
        // The dragged node of this tree keeps its highlight; a drag from elsewhere shows none.
        MoveDropHighlight(dropHighlight_, dragNode_);
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    MoveDropHighlight(dropHighlight_, node);
    return ProbeShellDropTarget(*target.Get(), dragData_.Get(), KeyState, Pt, Effect, Over);
}

HRESULT TPTCustomShellTree::DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    lastDragScroll_ = GetTickCount();
    dragData_ = ComPtr<IDataObject>(DataObj);
    dragKeyState_ = KeyState;
    return ProbeDropTarget(KeyState, Pt, Effect, false);
}

HRESULT TPTCustomShellTree::DragOver(DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    const HRESULT result = ProbeDropTarget(KeyState, Pt, Effect, true);
    DragScrollStep(*this, QPoint(Pt.x, Pt.y), lastDragScroll_);
    Effect |= DROPEFFECT_SCROLL;
    return result;
}

HRESULT TPTCustomShellTree::DragLeave()
{
    dragData_.Reset();
    MoveDropHighlight(dropHighlight_, dragNode_);
    return S_OK;
}

HRESULT TPTCustomShellTree::Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    ComPtr<IDropTarget> target = NodeDropTarget(ShellNodeAt(Pt));
    if (!target) {
        Effect = DROPEFFECT_NONE;
        DragLeave();
        return S_OK;
    }
    HRESULT result = S_OK;
    try {
        result = DropOnShellTarget(*target.Get(), DataObj, KeyState, dragKeyState_, Pt, Effect);
    } catch (...) {
        DragLeave();
        throw;
    }
    target.Reset();
    DragLeave();
    Refresh();
    return result;
}

DWORD TPTCustomShellTree::AllowedEffects(TTreeNode* Node)
{
    constexpr DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    TPTShTreeData* data = NodeData(Node);
    if (!data)
        return all;
    Ref<IShellFolder> folder;
    LPCITEMIDLIST item = data->RelativePidl();
    TOwnedPidl parentPidl, lastItem;
    if (TPTShTreeData* parent = data->ParentData()) {
        folder = Ref<IShellFolder>(parent->Folder());
    } else {
        // The top node is asked of the desktop's parent folder.
        LPITEMIDLIST parentList = nullptr, last = nullptr;
        if (FAILED(SplitAbsolutePidl(data->AbsolutePidl(), folder, parentList, last)))
            return all;
        parentPidl.reset(parentList);
        lastItem.reset(last);
        item = last;
    }
    ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    if (!folder || !item || FAILED(folder->GetAttributesOf({&item, 1}, &attributes)))
        return all;
    // The capability bits are the effects' own.
    return attributes & all;
}

void TPTCustomShellTree::StartOleDrag(TTreeNode* Node, int Button)
{
    if (!(options_ & ptstoOleDrag))
        return;
    const ComPtr<TDataObject_shtv> data = TDataObject_shtv::Create(Node);
    if (!data)
        return;
    const DWORD effects = AllowedEffects(Node);
    const ComPtr<TDropSource_shlvtv> source(new TDropSource_shlvtv(Button));
    dragNode_ = Node;
    MoveDropHighlight(dropHighlight_, Node);
    busy_ = true;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DRAGDROP_S_CANCEL;
    const auto finish = [this] {
        busy_ = false;
        dragNode_ = nullptr;
        MoveDropHighlight(dropHighlight_, nullptr);
    };
    try {
        result = DoDragDrop(data.Get(), source.Get(), effects, &effect);
    } catch (...) {
        finish();
        refreshPending_ = false;
        throw;
    }
    finish();
    if (std::exchange(refreshPending_, false) || result == DRAGDROP_S_DROP)
        Refresh();
}

void TPTCustomShellTree::UpdateDropRegistration()
{
    // A drag over the control when its target goes ends here.
    if (UpdateControlDropTarget(*this, created_ && (options_ & ptstoOleDrop), dropTarget_))
        DragLeave();
}

void TPTCustomShellTree::mouseMoveEvent(QMouseEvent* Event)
{
    const std::optional<int> button = dragDetector_.Move(Event->position().toPoint(), Event->buttons());
    if (button && (options_ & ptstoOleDrag)) {
        Event->accept();
        TTreeNode* node = NodeAt(Event->position().toPoint());
        AtBoundary([&] { StartOleDrag(node, *button); });
        return;
    }
    TPTCustomTreeView::mouseMoveEvent(Event);
}

void TPTCustomShellTree::mouseReleaseEvent(QMouseEvent* Event)
{
    if (const std::optional<QPoint> menu = dragDetector_.Release(Event->button())) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, *menu, viewport()->mapToGlobal(*menu));
        TPTCustomTreeView::contextMenuEvent(&event);
    }
    TPTCustomTreeView::mouseReleaseEvent(Event);
}

void TPTCustomShellTree::contextMenuEvent(QContextMenuEvent* Event)
{
    // A right click on a node may begin a drag: its menu waits for the button's release.
    if (Event->reason() == QContextMenuEvent::Mouse && (options_ & ptstoOleDrag) && dragDetector_.DeferMenu(Event->pos())) {
        Event->accept();
        return;
    }
    TPTCustomTreeView::contextMenuEvent(Event);
}
