// TPTCustomTreeView and TPTTreeView: the program's tree view, with custom drawing through
// TPTCustomDraw and a context-menu event per node.
#pragma once

#include "shell/custom_draw_support.h"

#include "platform/widgets/tree_view.h"

#include <QPoint>
#include <functional>
#include <memory>

class TPTCustomTreeView : public TTreeView, public TPTCustomDrawSupport<TTreeNode> {
    Q_OBJECT
public:
    explicit TPTCustomTreeView(QWidget* Parent = nullptr);
    ~TPTCustomTreeView() override;

    // Shows the selected node's menu at the centre of its label, or PopupMenu at the top-left
    // corner when no node is selected.
    void ShowSelectedNodeMenu();
    // Fires OnNodeContextMenu for Node at Pos (viewport coordinates) and shows the menu the
    // handler leaves there.
    void ShowNodeMenuAt(TTreeNode* Node, const QPoint& Pos);

    // Before a menu is shown: aPos starts as the viewport point, aMenu as PopupMenu; a handler may
    // change both, or clear aMenu to show none.
    std::function<void(TObject* aSender, TTreeNode* aNode, QPoint& aPos, TPopupMenu*& aMenu)> OnNodeContextMenu;

protected:
    // Runs the handlers for one notification (Node null at the control's stage) and writes the
    // answer into Result.
    virtual void NodeCustomDraw(TCustomDrawNotification& Notification, int& Result, TTreeNode* Node);
    std::unique_ptr<TPTCustomDraw> MakeCustomDraw(TCustomDrawNotification& Notification, int& Result) override;
    virtual void NodeContextMenu(TTreeNode* Node, QPoint& Pos, TPopupMenu*& Menu);

    void PaintStage(QWidget* Viewport, bool Begin) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    // One custom-draw notification: the previous wrapper goes, the control's node custom draw runs.
    int CustomDraw(TCustomDrawNotification& Notification, TTreeNode* Node);
    // Hands Menu on to be shown at Pos (viewport coordinates).
    void PopUp(TPopupMenu* Menu, const QPoint& Pos) { PopUpMenu(this, Menu, viewport()->mapToGlobal(Pos)); }
};

// Publishes the tree view.
class TPTTreeView : public TPTCustomTreeView {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    explicit TPTTreeView(QWidget* Parent = nullptr) : TPTCustomTreeView(Parent) {}
};
