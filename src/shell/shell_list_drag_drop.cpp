// The shell list's drag and drop: its own drags, the drops it takes and its drop registration.
#include "shell/shell_list.h"

#include "shell/data_object_shlv.h"
#include "shell/drag_auto_scroll.h"
#include "shell/drop_source_shlvtv.h"
#include "shell/shell_drop_forwarding.h"
#include "shell/shell_routines.h"

#include "platform/ole/drag_loop.h"
#include "platform/rtl/exception.h"
#include "platform/system/tick_count.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QMouseEvent>

using namespace win;

namespace {

constexpr DWORD AllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

} // namespace

struct TPTCustomShellList::TDropChoice {
    ComPtr<IDropTarget> Target;
    TListItem* Row = nullptr;
    // The list's own right drag over its empty area: copy is answered without a target, and the
    // drop goes to the folder's target without move.
    bool OwnRightOnEmpty = false;
};

TPTCustomShellList::TDropChoice TPTCustomShellList::ChooseDropTarget(POINTL Pt)
{
    TDropChoice choice;
    TListItem* row = ItemAt(mapFromGlobal(QPoint(Pt.x, Pt.y)));
    if (auto* data = row ? static_cast<TPTShListData*>(row->Data) : nullptr) {
        void* object = nullptr;
        const LPCITEMIDLIST item = data->RelPidl();
        if (shellFolder_ &&
            SUCCEEDED(shellFolder_->GetUIObjectOf(GetParentFormHandle(this), {&item, 1}, TUIObject::DropTarget, &object)) &&
            object) {
            choice.Target = ComPtr<IDropTarget>::Adopt(static_cast<IDropTarget*>(object));
            choice.Row = row;
            return choice;
        }
    } else if (ownDrag_) {
        if (!(dragKeyState_ & MK_RBUTTON))
            return choice;
        choice.OwnRightOnEmpty = true;
    }
    void* object = nullptr;
    if (SUCCEEDED(GetUIObjectOfPidl(folderPidl_, TUIObject::DropTarget, &object)) && object)
        choice.Target = ComPtr<IDropTarget>::Adopt(static_cast<IDropTarget*>(object));
    return choice;
}

HRESULT TPTCustomShellList::ProbeDropTarget(DWORD KeyState, POINTL Pt, DWORD& Effect, bool Over)
{
    const TDropChoice choice = ChooseDropTarget(Pt);
    if (choice.OwnRightOnEmpty) {
        MoveDropHighlight(dropHighlight_, nullptr);
        Effect = DROPEFFECT_COPY;
        return S_OK;
    }
    if (!choice.Target) {
        MoveDropHighlight(dropHighlight_, nullptr);
        Effect = DROPEFFECT_NONE;
        return ownDrag_ ? E_FAIL : S_OK;
    }
    const HRESULT result = ProbeShellDropTarget(*choice.Target.Get(), dragData_.Get(), KeyState, Pt, Effect, Over);
    MoveDropHighlight(dropHighlight_, Effect != DROPEFFECT_NONE ? choice.Row : nullptr);
    return result;
}

HRESULT TPTCustomShellList::DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    lastDragScroll_ = GetTickCount();
    dragData_ = ComPtr<IDataObject>(DataObj);
    dragKeyState_ = KeyState;
    return ProbeDropTarget(KeyState, Pt, Effect, false);
}

HRESULT TPTCustomShellList::DragOver(DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    const HRESULT result = ProbeDropTarget(KeyState, Pt, Effect, true);
    DragScrollStep(*View(), QPoint(Pt.x, Pt.y), lastDragScroll_);
    Effect |= DROPEFFECT_SCROLL;
    return result;
}

HRESULT TPTCustomShellList::DragLeave()
{
    dragData_.Reset();
    MoveDropHighlight(dropHighlight_, nullptr);
    return S_OK;
}

HRESULT TPTCustomShellList::Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD& Effect)
{
    HRESULT result = S_OK;
    try {
        TDropChoice choice = ChooseDropTarget(Pt);
        if (!choice.Target) {
            Effect = DROPEFFECT_NONE;
            result = ownDrag_ ? E_FAIL : S_OK;
        } else {
            if (choice.OwnRightOnEmpty)
                Effect &= ~DROPEFFECT_MOVE;
            result = DropOnShellTarget(*choice.Target.Get(), DataObj, KeyState, dragKeyState_, Pt, Effect);
            choice.Target.Reset();
            if (folder_->GetPath().startsWith(QStringLiteral("\\\\")))
                Refresh();
        }
    } catch (...) {
        DragLeave();
        throw;
    }
    DragLeave();
    return result;
}

DWORD TPTCustomShellList::SelectedDropEffects() const
{
    const std::vector<LPCITEMIDLIST> items = SelectedPidls();
    ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    if (items.empty() || !shellFolder_ || FAILED(shellFolder_->GetAttributesOf(items, &attributes)))
        return DROPEFFECT_NONE;
    // The capability bits are the effects' own.
    return attributes & AllEffects;
}

IDataObject* TPTCustomShellList::MakeSelectionDataObject()
{
    return TDataObject_shlv::Create(*this).Detach();
}

void TPTCustomShellList::StartOleDrag(int Button)
{
    if (!(options_ & ptsloOleDrag))
        return;
    const ComPtr<TDataObject_shlv> data = TDataObject_shlv::Create(*this);
    if (!data)
        return;
    const DWORD effects = SelectedDropEffects();
    const ComPtr<TDropSource_shlvtv> source(new TDropSource_shlvtv(Button));
    const bool wasRunning = std::exchange(updateRunning_, true);
    ownDrag_ = true;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DRAGDROP_S_CANCEL;
    try {
        result = DoDragDrop(data.Get(), source.Get(), effects, &effect);
    } catch (...) {
        ownDrag_ = false;
        updateRunning_ = wasRunning;
        throw;
    }
    // The flag serves only the drag that ran: a later right click shows its menu as ever.
    ownDrag_ = false;
    const bool refresh = result == DRAGDROP_S_DROP || refreshPending_;
    updateRunning_ = wasRunning;
    refreshPending_ = false;
    if (refresh && !updateRunning_) {
        Refresh();
        SortItems();
    }
}

void TPTCustomShellList::UpdateDropRegistration()
{
    // A drag over the control when its target goes ends here.
    if (UpdateControlDropTarget(*this, created_ && (options_ & ptsloOleDrop), dropTarget_))
        DragLeave();
}

bool TPTCustomShellList::ViewportMouse(QWidget* Viewport, QMouseEvent& Event)
{
    const QPoint pos = Viewport->mapTo(this, Event.position().toPoint());
    switch (Event.type()) {
    case QEvent::MouseButtonPress:
        dragDetector_.Press(Event.button(), pos, ItemAt(pos));
        return false;
    case QEvent::MouseMove:
        if (const std::optional<int> button = dragDetector_.Move(pos, Event.buttons()); button && (options_ & ptsloOleDrag)) {
            StartOleDrag(*button);
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (const std::optional<QPoint> menu = dragDetector_.Release(Event.button())) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, *menu, mapToGlobal(*menu));
            TPTCustomListView::contextMenuEvent(&event);
        }
        return false;
    default:
        return false;
    }
}

void TPTCustomShellList::contextMenuEvent(QContextMenuEvent* Event)
{
    // A right click on an item may begin a drag: its menu waits for the button's release.
    if (Event->reason() == QContextMenuEvent::Mouse && (options_ & ptsloOleDrag) && dragDetector_.DeferMenu(Event->pos())) {
        Event->accept();
        return;
    }
    TPTCustomListView::contextMenuEvent(Event);
}
