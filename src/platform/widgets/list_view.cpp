// TListView, its rows and columns, its row model and its two views.
#include "platform/widgets/list_view.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/widgets/item_images.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QTreeView>
#include <algorithm>

namespace {

Qt::Alignment AlignmentOf(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// The rows of a list view as a table: one row per item, one column per report column (at least
// one). Texts and images are asked of the view each time they are needed.
class TListViewModel final : public QAbstractTableModel {
public:
    explicit TListViewModel(TListView* Owner) : QAbstractTableModel(Owner), owner_(Owner) {}

    int rowCount(const QModelIndex& Parent) const override { return Parent.isValid() ? 0 : owner_->Count(); }
    int columnCount(const QModelIndex& Parent) const override
    {
        return Parent.isValid() ? 0 : std::max(1, owner_->ColumnCount());
    }

    QVariant data(const QModelIndex& Index, int Role) const override
    {
        TListItem* item = owner_->ItemOfIndex(Index);
        if (!item)
            return {};
        switch (Role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return owner_->ItemText(*item, Index.column());
        case Qt::DecorationRole:
            if (Index.column() != 0)
                return {};
            return ItemImagePixmap(owner_->ViewStyle() == vsIcon ? owner_->LargeImages() : owner_->SmallImages(),
                              owner_->ItemImageIndex(*item), item->OverlayIndex(), item->Cut());
        case Qt::TextAlignmentRole:
            if (Index.column() < owner_->ColumnCount() && owner_->ViewStyle() == vsReport)
                return int(AlignmentOf(owner_->Column(Index.column()).Alignment));
            return {};
        default:
            return DropHighlightData(item->DropTarget(), Role);
        }
    }

    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Orientation != Qt::Horizontal || Section < 0 || Section >= owner_->ColumnCount())
            return {};
        if (Role == Qt::DisplayRole)
            return owner_->Column(Section).Caption;
        if (Role == Qt::TextAlignmentRole)
            return int(AlignmentOf(owner_->Column(Section).Alignment));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& Index) const override
    {
        if (!Index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (Index.column() == 0 && !owner_->ReadOnly())
            flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override
    {
        TListItem* item = owner_->ItemOfIndex(Index);
        if (!item || Index.column() != 0 || Role != Qt::EditRole)
            return false;
        QString caption = Value.toString();
        AtBoundary([&] { owner_->Edited(*item, caption); });
        return true;
    }

private:
    friend class TListView;
    TListView* owner_;
};

// A view of the rows (the report's tree view or the other styles' list view) that tells its list
// view of paints, double clicks and caption edits.
template <class Base> class TListItemsView final : public Base {
public:
    explicit TListItemsView(TListView* Owner) : Base(Owner), owner_(Owner) {}

    bool Editing() const { return this->state() == QAbstractItemView::EditingState; }

protected:
    bool edit(const QModelIndex& Index, QAbstractItemView::EditTrigger Trigger, QEvent* Event) override
    {
        // The owner is asked only when an editor would really open now.
        if (Index.isValid() && EditorOpensNow(Editing(), this->model()->flags(Index), this->editTriggers(), Trigger)) {
            TListItem* item = owner_->ItemOfIndex(Index);
            bool allow = false;
            AtBoundary([&] { allow = item && owner_->CanEdit(*item); });
            if (!allow)
                return false;
        }
        return Base::edit(Index, Trigger, Event);
    }

    void paintEvent(QPaintEvent* Event) override
    {
        AtBoundary([&] { owner_->PaintStage(this->viewport(), true); });
        Base::paintEvent(Event);
        AtBoundary([&] { owner_->PaintStage(this->viewport(), false); });
    }

    void mouseDoubleClickEvent(QMouseEvent* Event) override
    {
        Base::mouseDoubleClickEvent(Event);
        AtBoundary([&] { owner_->DblClick(); });
    }

private:
    TListView* owner_;
};

void TListItem::Changed()
{
    owner_->RowChanged(index_);
}

void TListItem::SetCaption(const QString& Value)
{
    caption_ = Value;
    Changed();
}

void TListItem::SetSubItems(const QStringList& Value)
{
    subItems_ = Value;
    Changed();
}

void TListItem::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    Changed();
}

void TListItem::SetOverlayIndex(int Value)
{
    overlayIndex_ = Value;
    Changed();
}

void TListItem::SetCut(bool Value)
{
    cut_ = Value;
    Changed();
}

void TListItem::SetDropTarget(bool Value)
{
    dropTarget_ = Value;
    Changed();
}

bool TListItem::Selected() const
{
    return owner_->selection_->isSelected(owner_->model_->index(index_, 0));
}

void TListItem::SetSelected(bool Value)
{
    // A list of single selection keeps one selected item, as the user's clicks do.
    const auto command = !Value                ? QItemSelectionModel::Deselect
                         : owner_->multiSelect_ ? QItemSelectionModel::Select
                                                : QItemSelectionModel::ClearAndSelect;
    owner_->selection_->select(owner_->model_->index(index_, 0), command | QItemSelectionModel::Rows);
}

bool TListItem::Focused() const
{
    return owner_->selection_->currentIndex().row() == index_;
}

void TListItem::SetFocused(bool Value)
{
    if (Value)
        owner_->SetItemFocused(this);
    else if (Focused())
        owner_->SetItemFocused(nullptr);
}

TListView::TListView(QWidget* Parent) : QWidget(Parent)
{
    model_ = new TListViewModel(this);
    auto* report = new TListItemsView<QTreeView>(this);
    auto* icons = new TListItemsView<QListView>(this);
    report_ = report;
    icons_ = icons;
    report_->setModel(model_);
    selection_ = report_->selectionModel();
    icons_->setModel(model_);
    QItemSelectionModel* own = icons_->selectionModel();
    icons_->setSelectionModel(selection_);
    delete own;

    report_->setRootIsDecorated(false);
    report_->setItemsExpandable(false);
    report_->setUniformRowHeights(true);
    report_->setAllColumnsShowFocus(true);
    report_->setSelectionBehavior(QAbstractItemView::SelectRows);
    icons_->setUniformItemSizes(true);
    icons_->setMovement(QListView::Static);
    icons_->setResizeMode(QListView::Adjust);

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(report_);
    stack_->addWidget(icons_);
    ConnectHeader();

    connect(selection_, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& Selected, const QItemSelection& Deselected) {
                AtBoundary([&] {
                    for (int row : RowsOf(Deselected))
                        if (TListItem* item = Item(row); item && !item->Selected())
                            Fire(OnSelectItem, this, item, false);
                    for (int row : RowsOf(Selected))
                        if (TListItem* item = Item(row))
                            Fire(OnSelectItem, this, item, true);
                });
            });

    SetMultiSelect(false);
    ApplyEditTriggers();
    ApplyViewStyle();
}

TListView::~TListView()
{
    // The views and the model ask this view for texts: they go while it is still whole.
    delete report_;
    delete icons_;
    delete model_;
}

TListItem* TListView::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    std::unique_ptr<TListItem>& item = items_[std::size_t(Index)];
    if (!item) {
        // A row of AddRows gets its item now; making it changes nothing that can be seen.
        item.reset(new TListItem(const_cast<TListView*>(this)));
        item->index_ = Index;
    }
    return item.get();
}

void TListView::AddRows(int Count)
{
    if (Count <= 0)
        return;
    model_->beginInsertRows(QModelIndex(), this->Count(), this->Count() + Count - 1);
    items_.resize(items_.size() + std::size_t(Count));
    model_->endInsertRows();
}

TListItem* TListView::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    model_->beginInsertRows(QModelIndex(), Index, Index);
    items_.insert(items_.begin() + Index, std::unique_ptr<TListItem>(new TListItem(this)));
    Renumber(Index);
    model_->endInsertRows();
    return items_[std::size_t(Index)].get();
}

void TListView::Delete(int Index)
{
    TListItem* item = Item(Index);
    if (!item)
        return;
    Fire(OnDeletion, this, item);
    Index = item->index_;
    // The focus leaves the row first, for the row that takes its place (else the one before):
    // the views would move it themselves and, with single selection, select the row they move
    // it to, dropping the selection of another.
    if (item->Focused())
        SetItemFocused(Index + 1 < Count() ? Item(Index + 1) : Item(Index - 1));
    model_->beginRemoveRows(QModelIndex(), Index, Index);
    const std::unique_ptr<TListItem> gone = std::move(items_[std::size_t(Index)]);
    items_.erase(items_.begin() + Index);
    Renumber(Index);
    model_->endRemoveRows();
}

void TListView::Clear()
{
    for (const auto& item : items_)
        if (item)
            Fire(OnDeletion, this, item.get());
    model_->beginResetModel();
    items_.clear();
    model_->endResetModel();
}

void TListView::Renumber(int From)
{
    for (std::size_t i = std::size_t(From); i < items_.size(); ++i)
        if (items_[i])
            items_[i]->index_ = int(i);
}

void TListView::RowChanged(int Row)
{
    Q_EMIT model_->dataChanged(model_->index(Row, 0), model_->index(Row, model_->columnCount({}) - 1));
}

TListItem* TListView::ItemOfIndex(const QModelIndex& Index) const
{
    return Index.isValid() && Index.model() == model_ ? Item(Index.row()) : nullptr;
}

int TListView::AddColumn(const TListColumn& Column)
{
    const int before = model_->columnCount({});
    const bool grows = ColumnCount() + 1 > before;
    if (grows)
        model_->beginInsertColumns(QModelIndex(), before, before);
    columns_.push_back(Column);
    if (grows)
        model_->endInsertColumns();
    const int index = ColumnCount() - 1;
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, index, index);
    SetColumnWidth(index, Column.Width);
    return index;
}

void TListView::SetColumn(int Index, const TListColumn& Column)
{
    columns_.at(std::size_t(Index)) = Column;
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, Index, Index);
    SetColumnWidth(Index, Column.Width);
}

void TListView::ClearColumns()
{
    const int before = model_->columnCount({});
    if (before > 1)
        model_->beginRemoveColumns(QModelIndex(), 1, before - 1);
    columns_.clear();
    if (before > 1)
        model_->endRemoveColumns();
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, 0, 0);
}

int TListView::ColumnWidth(int Index) const
{
    return Header()->sectionSize(Index);
}

void TListView::SetColumnWidth(int Index, int Width)
{
    columns_.at(std::size_t(Index)).Width = Width;
    Header()->resizeSection(Index, Width);
}

void TListView::ClampColumnWidth(int Column, int Width)
{
    if (clamping_ || Column < 0 || Column >= ColumnCount())
        return;
    TListColumn& column = columns_[std::size_t(Column)];
    int clamped = std::max(Width, column.MinWidth);
    if (column.MaxWidth >= 1)
        clamped = std::min(clamped, column.MaxWidth);
    column.Width = clamped;
    if (clamped != Width) {
        clamping_ = true;
        Header()->resizeSection(Column, clamped);
        clamping_ = false;
    }
}

void TListView::ConnectHeader()
{
    QHeaderView* header = Header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    connect(header, &QHeaderView::sectionClicked, this, [this](int Column) { AtBoundary([&] { ColumnClick(Column); }); });
    connect(header, &QHeaderView::sectionResized, this,
            [this](int Column, int, int Width) { ClampColumnWidth(Column, Width); });
}

void TListView::SetViewStyle(TViewStyle Value)
{
    viewStyle_ = Value;
    ApplyViewStyle();
}

void TListView::ApplyViewStyle()
{
    const bool hadFocus = View()->hasFocus();
    const auto iconSize = [](const TImageList* List, int Default) {
        return List ? QSize(List->Width(), List->Height()) : QSize(Default, Default);
    };
    report_->setIconSize(iconSize(smallImages_, 16));
    switch (viewStyle_) {
    case vsIcon:
        icons_->setViewMode(QListView::IconMode);
        icons_->setIconSize(iconSize(largeImages_, 32));
        break;
    case vsSmallIcon:
    case vsList:
        icons_->setViewMode(QListView::ListMode);
        icons_->setFlow(viewStyle_ == vsList ? QListView::TopToBottom : QListView::LeftToRight);
        icons_->setWrapping(true);
        icons_->setIconSize(iconSize(smallImages_, 16));
        break;
    case vsReport:
        break;
    }
    icons_->setMovement(QListView::Static);
    QAbstractItemView* view = viewStyle_ == vsReport ? static_cast<QAbstractItemView*>(report_) : icons_;
    stack_->setCurrentWidget(view);
    setFocusProxy(view);
    if (hadFocus)
        view->setFocus();
}

void TListView::SetMultiSelect(bool Value)
{
    multiSelect_ = Value;
    const auto mode = Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    report_->setSelectionMode(mode);
    icons_->setSelectionMode(mode);
}

void TListView::SetReadOnly(bool Value)
{
    readOnly_ = Value;
    ApplyEditTriggers();
}

void TListView::ApplyEditTriggers()
{
    const auto triggers = readOnly_ ? QAbstractItemView::NoEditTriggers
                                    : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;
    report_->setEditTriggers(triggers);
    icons_->setEditTriggers(triggers);
}

void TListView::SetSmallImages(TImageList* Value)
{
    smallImages_ = Value;
    ApplyViewStyle();
}

void TListView::SetLargeImages(TImageList* Value)
{
    largeImages_ = Value;
    ApplyViewStyle();
}

std::vector<int> TListView::RowsOf(const QItemSelection& Selection) const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : Selection)
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<TListItem*> TListView::SelectedItems() const
{
    std::vector<TListItem*> selected;
    for (int row : RowsOf(selection_->selection()))
        if (TListItem* item = Item(row))
            selected.push_back(item);
    return selected;
}

TListItem* TListView::Selected() const
{
    const std::vector<TListItem*> selected = SelectedItems();
    return selected.empty() ? nullptr : selected.front();
}

int TListView::SelCount() const
{
    return int(SelectedItems().size());
}

void TListView::ClearSelection()
{
    selection_->clearSelection();
}

TListItem* TListView::ItemFocused() const
{
    return ItemOfIndex(selection_->currentIndex());
}

void TListView::SetItemFocused(TListItem* Item)
{
    selection_->setCurrentIndex(Item ? model_->index(Item->index_, 0) : QModelIndex(), QItemSelectionModel::NoUpdate);
}

void TListView::CustomSort(const std::function<int(TListItem*, TListItem*)>& Compare)
{
    Q_EMIT model_->layoutAboutToBeChanged();
    std::vector<TListItem*> before;
    before.reserve(items_.size());
    for (int i = 0; i < Count(); ++i)
        before.push_back(Item(i));
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const auto& a, const auto& b) { return Compare(a.get(), b.get()) < 0; });
    Renumber(0);
    const QModelIndexList from = model_->persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to << model_->index(before[std::size_t(index.row())]->index_, index.column());
    model_->changePersistentIndexList(from, to);
    Q_EMIT model_->layoutChanged();
}

void TListView::AlphaSort()
{
    CustomSort([this](TListItem* Item1, TListItem* Item2) {
        int compare = 0;
        if (OnCompare)
            Fire(OnCompare, this, Item1, Item2, compare);
        else
            compare = QString::localeAwareCompare(Item1->Caption(), Item2->Caption());
        return compare;
    });
}

void TListView::EditCaption(TListItem* Item)
{
    if (!Item)
        return;
    const QModelIndex index = model_->index(Item->index_, 0);
    View()->setCurrentIndex(index);
    View()->edit(index);
}

bool TListView::IsEditing() const
{
    if (viewStyle_ == vsReport)
        return static_cast<const TListItemsView<QTreeView>*>(report_)->Editing();
    return static_cast<const TListItemsView<QListView>*>(icons_)->Editing();
}

QRect TListView::ItemRect(TListItem* Item) const
{
    if (!Item)
        return {};
    QAbstractItemView* view = View();
    QRect rect = view->visualRect(model_->index(Item->index_, 0));
    if (viewStyle_ == vsReport)
        rect.setRight(view->viewport()->width() - 1);
    return rect.translated(view->viewport()->mapTo(this, QPoint(0, 0)));
}

QRect TListView::ItemIconRect(TListItem* Item) const
{
    if (!Item)
        return {};
    QAbstractItemView* view = View();
    const QRect cell = view->visualRect(model_->index(Item->index_, 0));
    const QSize icon = view->iconSize();
    QRect rect;
    if (viewStyle_ == vsIcon)
        rect = QRect(cell.left() + (cell.width() - icon.width()) / 2, cell.top(), icon.width(), icon.height());
    else
        rect = QRect(cell.left(), cell.top() + (cell.height() - icon.height()) / 2, icon.width(), icon.height());
    return rect.translated(view->viewport()->mapTo(this, QPoint(0, 0)));
}

TListItem* TListView::ItemAt(const QPoint& Pos) const
{
    QAbstractItemView* view = View();
    return ItemOfIndex(view->indexAt(view->viewport()->mapFrom(this, Pos)));
}

void TListView::MakeVisible(TListItem* Item)
{
    if (Item)
        View()->scrollTo(model_->index(Item->index_, 0));
}

QAbstractItemView* TListView::View() const
{
    return static_cast<QAbstractItemView*>(stack_->currentWidget());
}

QHeaderView* TListView::Header() const
{
    return report_->header();
}

void TListView::SetHeader(QHeaderView* Header)
{
    report_->setHeader(Header);
    ConnectHeader();
    for (int column = 0; column < ColumnCount(); ++column)
        Header->resizeSection(column, columns_[std::size_t(column)].Width);
}

void TListView::SetItemDelegates(QAbstractItemDelegate* Report, QAbstractItemDelegate* Icons)
{
    report_->setItemDelegate(Report);
    icons_->setItemDelegate(Icons);
}

QString TListView::ItemText(TListItem& Item, int Column)
{
    if (Column == 0)
        return Item.Caption();
    return Item.SubItems().value(Column - 1);
}

int TListView::ItemImageIndex(TListItem& Item)
{
    return Item.ImageIndex();
}

void TListView::PaintStage(QWidget*, bool) {}

void TListView::ColumnClick(int Column)
{
    Fire(OnColumnClick, this, Column);
}

bool TListView::CanEdit(TListItem& Item)
{
    bool allow = true;
    Fire(OnEditing, this, &Item, allow);
    return allow;
}

void TListView::Edited(TListItem& Item, QString& S)
{
    Fire(OnEdited, this, &Item, S);
    Item.SetCaption(S);
}

void TListView::DblClick()
{
    Fire(OnDblClick, this);
}
