// TPTCustomTreeView: custom drawing and context menus.
#include "shell/pt_tree_view.h"

#include "shell/custom_draw_delegate.h"
#include "shell/menu_keys.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QContextMenuEvent>

TPTCustomTreeView::TPTCustomTreeView(QWidget* Parent) : TTreeView(Parent)
{
    setItemDelegate(new TCustomDrawDelegate(
        this, [this] { return HasCustomDraw(); },
        [this](TCustomDrawNotification& Notification, const QModelIndex& Index) {
            return CustomDraw(Notification, NodeOfIndex(Index));
        }));
}

TPTCustomTreeView::~TPTCustomTreeView() = default;

int TPTCustomTreeView::CustomDraw(TCustomDrawNotification& Notification, TTreeNode* Node)
{
    ResetCustomDraw();
    int result = CDRF_DODEFAULT;
    NodeCustomDraw(Notification, result, Node);
    return result;
}

void TPTCustomTreeView::NodeCustomDraw(TCustomDrawNotification& Notification, int& Result, TTreeNode* Node)
{
    RunCustomDrawEvents(this, Notification, Result, Node);
    // The tree asks for its nodes' notifications only for handlers that want them.
    if (Notification.DrawStage == CDDS_PREPAINT && HasCustomDraw())
        Result |= CDRF_NOTIFYITEMDRAW;
}

std::unique_ptr<TPTCustomDraw> TPTCustomTreeView::MakeCustomDraw(TCustomDrawNotification& Notification, int& Result)
{
    return std::make_unique<TPTTvCustomDraw>(font(), Notification, Result);
}

void TPTCustomTreeView::PaintStage(QWidget* Viewport, bool Begin)
{
    RunPaintStage(Viewport, Begin, font(), [this](TCustomDrawNotification& Notification) {
        CustomDraw(Notification, nullptr);
    });
}

void TPTCustomTreeView::NodeContextMenu(TTreeNode* Node, QPoint& Pos, TPopupMenu*& Menu)
{
    Fire(OnNodeContextMenu, this, Node, Pos, Menu);
}

void TPTCustomTreeView::ShowNodeMenuAt(TTreeNode* Node, const QPoint& Pos)
{
    QPoint pos = Pos;
    TPopupMenu* menu = PopupMenu;
    NodeContextMenu(Node, pos, menu);
    PopUp(menu, pos);
}

void TPTCustomTreeView::ShowSelectedNodeMenu()
{
    if (TTreeNode* node = Selected())
        ShowNodeMenuAt(node, NodeTextRect(node).center());
    else
        PopUp(PopupMenu, viewport()->mapFrom(this, QPoint(0, 0)));
}

void TPTCustomTreeView::contextMenuEvent(QContextMenuEvent* Event)
{
    Event->accept();
    AtBoundary([&] {
        if (Event->reason() == QContextMenuEvent::Keyboard) {
            ShowSelectedNodeMenu();
            return;
        }
        // A right click on a node shows its menu; elsewhere the control's own menu.
        if (TTreeNode* node = NodeAt(Event->pos()))
            ShowNodeMenuAt(node, Event->pos());
        else
            PopUp(PopupMenu, Event->pos());
    });
}

void TPTCustomTreeView::keyPressEvent(QKeyEvent* Event)
{
    if (IsContextMenuKey(*Event)) {
        Event->accept();
        AtBoundary([this] { ShowSelectedNodeMenu(); });
        return;
    }
    TTreeView::keyPressEvent(Event);
}
