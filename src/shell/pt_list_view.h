// TPTCustomListView and TPTListView: the program's list view, with custom drawing through
// TPTCustomDraw, a context-menu event per item, and a sort arrow drawn into the column header.
#pragma once

#include "shell/custom_draw_support.h"
#include "shell/header_sort_geometry.h"

#include "platform/widgets/list_view.h"

#include <QPoint>
#include <functional>
#include <memory>

class TPTListHeader;

class TPTCustomListView : public TListView, public TPTCustomDrawSupport<TListItem> {
    Q_OBJECT
public:
    explicit TPTCustomListView(QWidget* Parent = nullptr);
    ~TPTCustomListView() override;

    // The column the list is sorted by (-1: none) and its direction (1 ascending, 0 descending):
    // setting them repaints only the header items concerned.
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int Value);
    int SortDirection() const { return sortDirection_; }
    void SetSortDirection(int Value);
    TPTLvHeaderSortDisplayMode HeaderSortDisplayMode() const { return headerSortDisplayMode_; }
    void SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode Value);
    // False: the header items (with a display mode other than ptlvNone) are left undrawn.
    bool HeaderDefaultDrawing() const { return headerDefaultDrawing_; }
    void SetHeaderDefaultDrawing(bool Value);
    void SetViewStyle(TViewStyle Value) override;

    // Shows the focused item's menu (at the centre of its image when it is selected, else of the
    // first selected item's), or PopupMenu at the top-left corner when there is no such item.
    void ShowFocusedItemMenu();
    // Fires OnItemContextMenu for the focused item at Pos (client coordinates) and shows the menu
    // the handler leaves there.
    void ShowItemMenuAt(const QPoint& Pos);

    // Before a menu is shown: aPos starts as the client point, aMenu as PopupMenu; a handler may
    // change both, or clear aMenu to show none.
    std::function<void(TObject* aSender, TListItem* aItem, QPoint& aPos, TPopupMenu*& aMenu)> OnItemContextMenu;

protected:
    // Runs the handlers for one notification (Item null at the control's stage) and writes the
    // answer into Result.
    virtual void ItemCustomDraw(TCustomDrawNotification& Notification, int& Result, TListItem* Item);
    std::unique_ptr<TPTCustomDraw> MakeCustomDraw(TCustomDrawNotification& Notification, int& Result) override;
    virtual void ItemContextMenu(TListItem* Item, QPoint& Pos, TPopupMenu*& Menu);

    void PaintStage(QWidget* Viewport, bool Begin) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    // One custom-draw notification: the previous wrapper goes, the control's item custom draw runs.
    int CustomDraw(TCustomDrawNotification& Notification, TListItem* Item);
    // Hands Menu on to be shown at Pos (client coordinates).
    void PopUp(TPopupMenu* Menu, const QPoint& Pos) { PopUpMenu(this, Menu, mapToGlobal(Pos)); }
    void UpdateHeaderSection(int Column);

    TPTListHeader* header_;
    int sortColumn_ = -1;
    int sortDirection_ = 0;
    TPTLvHeaderSortDisplayMode headerSortDisplayMode_ = ptlvRightOfText;
    bool headerDefaultDrawing_ = true;
};

// Publishes the list view.
class TPTListView : public TPTCustomListView {
    Q_OBJECT
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool HeaderDefaultDrawing READ HeaderDefaultDrawing WRITE SetHeaderDefaultDrawing)
public:
    explicit TPTListView(QWidget* Parent = nullptr) : TPTCustomListView(Parent) {}
};
