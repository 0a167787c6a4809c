// TTreeView: the class library's tree view over QTreeView: nodes with a text, images and the
// owner's data, whose children may be made when the node first opens (a node can show its expand
// button before it has any); one selected node, label editing and its events. TTreeNode is its
// node.
#pragma once

#include "platform/graphics/image_list.h"
#include "platform/rtl/object.h"

#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

class TTreeView;
class TTreeNodeModel;

// One node; the view owns it. Each setter repaints the node.
class TTreeNode {
public:
    TTreeView* Owner() const { return owner_; }
    // Null for a top-level node.
    TTreeNode* Parent() const { return parent_; }
    // The position among its siblings, and the depth (0 at the top).
    int Index() const { return index_; }
    int Level() const { return parent_ ? parent_->Level() + 1 : 0; }
    int Count() const { return int(children_.size()); }
    TTreeNode* Item(int Index) const;

    const QString& Text() const { return text_; }
    void SetText(const QString& Value);
    // The image shown while the node is not selected, and while it is.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int Value);
    // The overlay image (0-based); -1 none.
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int Value);
    // The node is highlighted as the target of a drag.
    bool DropTarget() const { return dropTarget_; }
    void SetDropTarget(bool Value);
    // The node shows an expand button: it has children, or is said to have some to come.
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool Value);

    bool Expanded() const;
    void SetExpanded(bool Value);
    bool Selected() const;
    void SetSelected(bool Value);

    // The owner's own data; the view never reads it.
    void* Data = nullptr;

private:
    friend class TTreeView;
    friend class TTreeNodeModel;
    TTreeNode(TTreeView* Owner, TTreeNode* Parent) : owner_(Owner), parent_(Parent) {}
    void Changed();

    TTreeView* owner_;
    TTreeNode* parent_;
    int index_ = 0;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    QString text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int overlayIndex_ = -1;
    bool hasChildren_ = false;
    bool dropTarget_ = false;
};

// GUI thread only; events never let an exception reach Qt's event loop.
class TTreeView : public QTreeView, public TComponent {
    Q_OBJECT
public:
    explicit TTreeView(QWidget* Parent = nullptr);
    ~TTreeView() override;

    int TopCount() const { return int(top_.size()); }
    TTreeNode* TopItem(int Index) const;
    // A new last child of Parent (null: a new top-level node).
    TTreeNode* AddChild(TTreeNode* Parent, const QString& Text);
    // Fires OnDeletion for Node's descendants and Node (children first), then removes them.
    void Delete(TTreeNode* Node);
    // Deletes Node's children only (null: every node).
    void DeleteChildren(TTreeNode* Node);
    void Clear() { DeleteChildren(nullptr); }
    // Orders the children of Parent (null: the top-level nodes) by Compare (below 0: Node1 first),
    // keeping the order of those that compare equal, the selection and the expanded nodes.
    void SortChildren(TTreeNode* Parent, const std::function<int(TTreeNode* Node1, TTreeNode* Node2)>& Compare);

    // The selected node (null: none).
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Node);

    // Labels cannot be edited.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // Not owned; clear it before freeing the list.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);

    void EditText(TTreeNode* Node);
    using QTreeView::edit;
    bool IsEditing() const { return state() == EditingState; }

    // Geometry, in the viewport's coordinates: the node at a point (null: none); the rectangle of
    // a node's label (its text, without the image).
    TTreeNode* NodeAt(const QPoint& Pos) const;
    QRect NodeTextRect(TTreeNode* Node) const;

    TTreeNode* NodeOfIndex(const QModelIndex& Index) const;
    QModelIndex IndexOfNode(TTreeNode* Node) const;

    // The selection moved to Node (null: none).
    std::function<void(TObject* Sender, TTreeNode* Node)> OnChange;
    // Node is about to show its children: a node that has none yet is filled here first.
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)> OnExpanding;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnExpanded;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnCollapsed;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnDeletion;
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)> OnEditing;
    std::function<void(TObject* Sender, TTreeNode* Node, QString& S)> OnEdited;
    // The node's image is about to be drawn, unselected or selected: the handler may set it.
    std::function<void(TObject* Sender, TTreeNode* Node)> OnGetImageIndex;
    std::function<void(TObject* Sender, TTreeNode* Node)> OnGetSelectedIndex;
    TNotifyEvent OnDblClick;

protected:
    // Asked once each time the node's image is needed (fire OnGetImageIndex, OnGetSelectedIndex).
    virtual void GetImageIndex(TTreeNode* Node);
    virtual void GetSelectedIndex(TTreeNode* Node);
    // May Node open? Fires OnExpanding.
    virtual bool CanExpand(TTreeNode* Node);
    virtual bool CanEdit(TTreeNode& Node);
    // The label of Node was edited to S: OnEdited may change S, which becomes the text.
    virtual void Edited(TTreeNode& Node, QString& S);
    // Before and after the view paints its nodes on Viewport (no painter is open on it then).
    virtual void PaintStage(QWidget* Viewport, bool Begin);

    bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    friend class TTreeNode;
    friend class TTreeNodeModel;

    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
    void FireDeletions(TTreeNode& Node);
    void NodeChanged(TTreeNode& Node);
    void Expanded(const QModelIndex& Index);

    TTreeNodeModel* model_;
    std::vector<std::unique_ptr<TTreeNode>> top_;
    TImageList* images_ = nullptr;
    bool readOnly_ = false;
    // The node whose first opening already asked OnExpanding.
    TTreeNode* askedExpanding_ = nullptr;
    // An opening OnExpanding refused is being undone (that is no collapse to report).
    bool refusingExpansion_ = false;
};
