// TTreeView, its nodes and its node model.
#include "platform/widgets/tree_view.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/widgets/item_images.h"

#include <QAbstractItemModel>
#include <algorithm>

// The nodes as a model of one column: an index's internal pointer is its node.
class TTreeNodeModel final : public QAbstractItemModel {
public:
    explicit TTreeNodeModel(TTreeView* Owner) : QAbstractItemModel(Owner), owner_(Owner) {}

    QModelIndex index(int Row, int Column, const QModelIndex& Parent) const override
    {
        const auto& siblings = owner_->SiblingsOf(owner_->NodeOfIndex(Parent));
        if (Column != 0 || Row < 0 || Row >= int(siblings.size()))
            return {};
        return createIndex(Row, 0, siblings[std::size_t(Row)].get());
    }
    QModelIndex parent(const QModelIndex& Child) const override
    {
        TTreeNode* node = owner_->NodeOfIndex(Child);
        return node ? Of(node->parent_) : QModelIndex();
    }
    int rowCount(const QModelIndex& Parent) const override
    {
        if (Parent.column() > 0)
            return 0;
        return int(owner_->SiblingsOf(owner_->NodeOfIndex(Parent)).size());
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    bool hasChildren(const QModelIndex& Parent) const override
    {
        TTreeNode* node = owner_->NodeOfIndex(Parent);
        return node ? node->HasChildren() : !owner_->top_.empty();
    }
    // A node said to have children that has none yet is filled when it first opens.
    bool canFetchMore(const QModelIndex& Parent) const override
    {
        TTreeNode* node = owner_->NodeOfIndex(Parent);
        return node && node->hasChildren_ && node->children_.empty();
    }
    void fetchMore(const QModelIndex& Parent) override
    {
        TTreeNode* node = owner_->NodeOfIndex(Parent);
        if (!node)
            return;
        owner_->askedExpanding_ = node;
        bool allow = false;
        AtBoundary([&] { allow = owner_->CanExpand(node); });
        // A node that opened and found nothing loses its button.
        if (allow && node->children_.empty())
            node->SetHasChildren(false);
    }

    QVariant data(const QModelIndex& Index, int Role) const override
    {
        TTreeNode* node = owner_->NodeOfIndex(Index);
        if (!node)
            return {};
        if (Role == Qt::DisplayRole || Role == Qt::EditRole)
            return node->text_;
        if (Role != Qt::DecorationRole)
            return DropHighlightData(node->dropTarget_, Role);
        const bool selected = owner_->selectionModel() && owner_->selectionModel()->isSelected(Index);
        int image = -1;
        AtBoundary([&] {
            if (selected) {
                owner_->GetSelectedIndex(node);
                image = node->selectedIndex_;
            } else {
                owner_->GetImageIndex(node);
                image = node->imageIndex_;
            }
        });
        return ItemImagePixmap(owner_->images_, image, node->overlayIndex_, false);
    }
    Qt::ItemFlags flags(const QModelIndex& Index) const override
    {
        if (!Index.isValid())
            return Qt::NoItemFlags;
        const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return owner_->readOnly_ ? flags : flags | Qt::ItemIsEditable;
    }
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override
    {
        TTreeNode* node = owner_->NodeOfIndex(Index);
        if (!node || Role != Qt::EditRole)
            return false;
        QString text = Value.toString();
        AtBoundary([&] { owner_->Edited(*node, text); });
        return true;
    }

    QModelIndex Of(TTreeNode* Node) const { return Node ? createIndex(Node->index_, 0, Node) : QModelIndex(); }

private:
    friend class TTreeView;
    TTreeView* owner_;
};

TTreeNode* TTreeNode::Item(int Index) const
{
    return Index >= 0 && Index < Count() ? children_[std::size_t(Index)].get() : nullptr;
}

void TTreeNode::Changed()
{
    owner_->NodeChanged(*this);
}

void TTreeNode::SetText(const QString& Value)
{
    text_ = Value;
    Changed();
}

void TTreeNode::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    Changed();
}

void TTreeNode::SetSelectedIndex(int Value)
{
    selectedIndex_ = Value;
    Changed();
}

void TTreeNode::SetOverlayIndex(int Value)
{
    overlayIndex_ = Value;
    Changed();
}

void TTreeNode::SetDropTarget(bool Value)
{
    dropTarget_ = Value;
    Changed();
}

void TTreeNode::SetHasChildren(bool Value)
{
    hasChildren_ = Value;
    Changed();
}

bool TTreeNode::Expanded() const
{
    return owner_->isExpanded(owner_->IndexOfNode(const_cast<TTreeNode*>(this)));
}

void TTreeNode::SetExpanded(bool Value)
{
    owner_->setExpanded(owner_->IndexOfNode(this), Value);
}

bool TTreeNode::Selected() const
{
    return owner_->Selected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    if (Value)
        owner_->SetSelected(this);
    else if (Selected())
        owner_->SetSelected(nullptr);
}

TTreeView::TTreeView(QWidget* Parent) : QTreeView(Parent)
{
    model_ = new TTreeNodeModel(this);
    setModel(model_);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    SetReadOnly(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { AtBoundary([this] { Fire(OnChange, this, Selected()); }); });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& Index) { Expanded(Index); });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& Index) {
        if (!refusingExpansion_)
            AtBoundary([&] { Fire(OnCollapsed, this, NodeOfIndex(Index)); });
    });
}

TTreeView::~TTreeView()
{
    // The model asks this view for nodes: it goes while the view is still whole.
    setModel(nullptr);
    delete model_;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeView::SiblingsOf(TTreeNode* Parent)
{
    return Parent ? Parent->children_ : top_;
}

TTreeNode* TTreeView::TopItem(int Index) const
{
    return Index >= 0 && Index < TopCount() ? top_[std::size_t(Index)].get() : nullptr;
}

TTreeNode* TTreeView::AddChild(TTreeNode* Parent, const QString& Text)
{
    auto& siblings = SiblingsOf(Parent);
    const int row = int(siblings.size());
    model_->beginInsertRows(model_->Of(Parent), row, row);
    siblings.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, Parent)));
    TTreeNode* node = siblings.back().get();
    node->index_ = row;
    node->text_ = Text;
    model_->endInsertRows();
    return node;
}

void TTreeView::FireDeletions(TTreeNode& Node)
{
    for (const auto& child : Node.children_)
        FireDeletions(*child);
    Fire(OnDeletion, this, &Node);
}

void TTreeView::Delete(TTreeNode* Node)
{
    if (!Node)
        return;
    FireDeletions(*Node);
    if (askedExpanding_ == Node)
        askedExpanding_ = nullptr;
    auto& siblings = SiblingsOf(Node->parent_);
    const int row = Node->index_;
    model_->beginRemoveRows(model_->Of(Node->parent_), row, row);
    const std::unique_ptr<TTreeNode> gone = std::move(siblings[std::size_t(row)]);
    siblings.erase(siblings.begin() + row);
    for (std::size_t i = std::size_t(row); i < siblings.size(); ++i)
        siblings[i]->index_ = int(i);
    model_->endRemoveRows();
}

void TTreeView::DeleteChildren(TTreeNode* Node)
{
    auto& siblings = SiblingsOf(Node);
    for (const auto& child : siblings)
        FireDeletions(*child);
    if (siblings.empty())
        return;
    askedExpanding_ = nullptr;
    model_->beginRemoveRows(model_->Of(Node), 0, int(siblings.size()) - 1);
    const std::vector<std::unique_ptr<TTreeNode>> gone = std::move(siblings);
    siblings.clear();
    model_->endRemoveRows();
}

void TTreeView::SortChildren(TTreeNode* Parent, const std::function<int(TTreeNode* Node1, TTreeNode* Node2)>& Compare)
{
    auto& siblings = SiblingsOf(Parent);
    if (siblings.size() < 2)
        return;
    const QModelIndex parent = model_->Of(Parent);
    Q_EMIT model_->layoutAboutToBeChanged({QPersistentModelIndex(parent)});
    const QModelIndexList before = model_->persistentIndexList();
    std::vector<TTreeNode*> moved;
    for (const QModelIndex& index : before)
        moved.push_back(NodeOfIndex(index));
    std::stable_sort(siblings.begin(), siblings.end(), [&](const auto& Node1, const auto& Node2) {
        return Compare(Node1.get(), Node2.get()) < 0;
    });
    for (std::size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->index_ = int(i);
    QModelIndexList after;
    for (std::size_t i = 0; i < moved.size(); ++i)
        after.append(before[qsizetype(i)].isValid() && moved[i] ? model_->Of(moved[i]) : QModelIndex());
    model_->changePersistentIndexList(before, after);
    Q_EMIT model_->layoutChanged({QPersistentModelIndex(parent)});
}

void TTreeView::NodeChanged(TTreeNode& Node)
{
    const QModelIndex index = model_->Of(&Node);
    Q_EMIT model_->dataChanged(index, index);
}

TTreeNode* TTreeView::NodeOfIndex(const QModelIndex& Index) const
{
    return Index.isValid() && Index.model() == model_ ? static_cast<TTreeNode*>(Index.internalPointer()) : nullptr;
}

QModelIndex TTreeView::IndexOfNode(TTreeNode* Node) const
{
    return model_->Of(Node);
}

TTreeNode* TTreeView::Selected() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : NodeOfIndex(selected.first());
}

void TTreeView::SetSelected(TTreeNode* Node)
{
    if (Node)
        selectionModel()->setCurrentIndex(IndexOfNode(Node), QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clearSelection();
}

void TTreeView::SetReadOnly(bool Value)
{
    readOnly_ = Value;
    setEditTriggers(Value ? NoEditTriggers : EditTriggers(EditKeyPressed | SelectedClicked));
}

void TTreeView::SetImages(TImageList* Value)
{
    images_ = Value;
    if (Value)
        setIconSize(QSize(Value->Width(), Value->Height()));
    viewport()->update();
}

void TTreeView::EditText(TTreeNode* Node)
{
    if (!Node)
        return;
    setCurrentIndex(IndexOfNode(Node));
    edit(IndexOfNode(Node));
}

TTreeNode* TTreeView::NodeAt(const QPoint& Pos) const
{
    return NodeOfIndex(indexAt(Pos));
}

QRect TTreeView::NodeTextRect(TTreeNode* Node) const
{
    QRect rect = visualRect(IndexOfNode(Node));
    if (images_ && rect.isValid())
        rect.setLeft(rect.left() + iconSize().width() + 4);
    return rect;
}

void TTreeView::Expanded(const QModelIndex& Index)
{
    TTreeNode* node = NodeOfIndex(Index);
    AtBoundary([&] {
        // A first opening asked already, while the node was filled.
        const bool asked = std::exchange(askedExpanding_, nullptr) == node;
        if (!asked && !CanExpand(node)) {
            refusingExpansion_ = true;
            collapse(Index);
            refusingExpansion_ = false;
            return;
        }
        Fire(OnExpanded, this, node);
    });
}

void TTreeView::GetImageIndex(TTreeNode* Node)
{
    Fire(OnGetImageIndex, this, Node);
}

void TTreeView::GetSelectedIndex(TTreeNode* Node)
{
    Fire(OnGetSelectedIndex, this, Node);
}

bool TTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    Fire(OnExpanding, this, Node, allow);
    return allow;
}

bool TTreeView::CanEdit(TTreeNode& Node)
{
    bool allow = true;
    Fire(OnEditing, this, &Node, allow);
    return allow;
}

void TTreeView::Edited(TTreeNode& Node, QString& S)
{
    Fire(OnEdited, this, &Node, S);
    Node.SetText(S);
}

void TTreeView::PaintStage(QWidget*, bool) {}

bool TTreeView::edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event)
{
    if (Index.isValid() && EditorOpensNow(IsEditing(), model_->flags(Index), editTriggers(), Trigger)) {
        TTreeNode* node = NodeOfIndex(Index);
        bool allow = false;
        AtBoundary([&] { allow = node && CanEdit(*node); });
        if (!allow)
            return false;
    }
    return QTreeView::edit(Index, Trigger, Event);
}

void TTreeView::paintEvent(QPaintEvent* Event)
{
    AtBoundary([&] { PaintStage(viewport(), true); });
    QTreeView::paintEvent(Event);
    AtBoundary([&] { PaintStage(viewport(), false); });
}

void TTreeView::mouseDoubleClickEvent(QMouseEvent* Event)
{
    QTreeView::mouseDoubleClickEvent(Event);
    AtBoundary([this] { Fire(OnDblClick, this); });
}
