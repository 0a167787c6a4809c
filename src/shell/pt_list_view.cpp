// TPTCustomListView: custom drawing, context menus and the header's sort arrow.
#include "shell/pt_list_view.h"

#include "shell/custom_draw_delegate.h"
#include "shell/menu_keys.h"
#include "shell/pt_list_header.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"

#include <QContextMenuEvent>

TPTCustomListView::TPTCustomListView(QWidget* Parent) : TListView(Parent)
{
    header_ = new TPTListHeader(this);
    SetHeader(header_);
    const auto makeDelegate = [this] {
        return new TCustomDrawDelegate(
            this, [this] { return HasCustomDraw(); },
            [this](TCustomDrawNotification& Notification, const QModelIndex& Index) {
                return CustomDraw(Notification, ItemOfIndex(Index));
            });
    };
    SetItemDelegates(makeDelegate(), makeDelegate());
}

TPTCustomListView::~TPTCustomListView() = default;

void TPTCustomListView::UpdateHeaderSection(int Column)
{
    if (Column >= 0)
        header_->RepaintSection(Column);
}

void TPTCustomListView::SetSortColumn(int Value)
{
    const int old = sortColumn_;
    sortColumn_ = Value;
    if (old == Value)
        return;
    UpdateHeaderSection(old);
    UpdateHeaderSection(Value);
}

void TPTCustomListView::SetSortDirection(int Value)
{
    if (sortDirection_ == Value)
        return;
    sortDirection_ = Value;
    UpdateHeaderSection(sortColumn_);
}

void TPTCustomListView::SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode Value)
{
    // The header draws its own items on every platform version this runs on, so every mode holds.
    headerSortDisplayMode_ = Value;
    Header()->viewport()->update();
}

void TPTCustomListView::SetHeaderDefaultDrawing(bool Value)
{
    headerDefaultDrawing_ = Value;
    Header()->viewport()->update();
}

void TPTCustomListView::SetViewStyle(TViewStyle Value)
{
    TListView::SetViewStyle(Value);
    if (Value == vsReport)
        Header()->viewport()->update();
}

int TPTCustomListView::CustomDraw(TCustomDrawNotification& Notification, TListItem* Item)
{
    ResetCustomDraw();
    int result = CDRF_DODEFAULT;
    ItemCustomDraw(Notification, result, Item);
    return result;
}

void TPTCustomListView::ItemCustomDraw(TCustomDrawNotification& Notification, int& Result, TListItem* Item)
{
    RunCustomDrawEvents(this, Notification, Result, Item);
    if (Notification.DrawStage == CDDS_PREPAINT)
        Result |= CDRF_NOTIFYITEMDRAW;
}

std::unique_ptr<TPTCustomDraw> TPTCustomListView::MakeCustomDraw(TCustomDrawNotification& Notification, int& Result)
{
    return std::make_unique<TPTLvCustomDraw>(font(), Notification, Result);
}

void TPTCustomListView::PaintStage(QWidget* Viewport, bool Begin)
{
    RunPaintStage(Viewport, Begin, font(), [this](TCustomDrawNotification& Notification) {
        CustomDraw(Notification, nullptr);
    });
}

void TPTCustomListView::ItemContextMenu(TListItem* Item, QPoint& Pos, TPopupMenu*& Menu)
{
    Fire(OnItemContextMenu, this, Item, Pos, Menu);
}

void TPTCustomListView::ShowItemMenuAt(const QPoint& Pos)
{
    QPoint pos = Pos;
    TPopupMenu* menu = PopupMenu;
    ItemContextMenu(ItemFocused(), pos, menu);
    if (menu)
        PopUp(menu, pos);
}

void TPTCustomListView::ShowFocusedItemMenu()
{
    TListItem* item = ItemFocused();
    if (item && !item->Selected())
        item = Selected();
    if (!item) {
        PopUp(PopupMenu, QPoint(0, 0));
        return;
    }
    ShowItemMenuAt(ItemIconRect(item).center());
}

void TPTCustomListView::contextMenuEvent(QContextMenuEvent* Event)
{
    Event->accept();
    AtBoundary([&] {
        if (Event->reason() == QContextMenuEvent::Keyboard) {
            ShowFocusedItemMenu();
            return;
        }
        // A right click on an item shows its menu; elsewhere the focused item's, while an item is
        // focused and one selected; else the control's own menu.
        if (ItemAt(Event->pos()) || (ItemFocused() && SelCount() > 0))
            ShowItemMenuAt(Event->pos());
        else
            PopUp(PopupMenu, Event->pos());
    });
}

void TPTCustomListView::keyPressEvent(QKeyEvent* Event)
{
    if (IsContextMenuKey(*Event)) {
        Event->accept();
        AtBoundary([this] { ShowFocusedItemMenu(); });
        return;
    }
    TListView::keyPressEvent(Event);
}
