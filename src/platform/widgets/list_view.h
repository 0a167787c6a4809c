// TListView: the class library's list view: rows of items with a caption, sub-item texts, an image
// and an overlay, shown as large icons, small icons, a list or a report with columns; with
// selection, focus, sorting, caption editing and its events. TListItem and TListColumn are its
// row and column.
#pragma once

#include "platform/graphics/image_list.h"
#include "platform/rtl/object.h"
#include "platform/widgets/alignment.h"

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemDelegate;
class QAbstractItemView;
class QHeaderView;
class QItemSelection;
class QItemSelectionModel;
class QModelIndex;
class QStackedLayout;
class TListView;
class TListViewModel;
class QListView;
class QTreeView;
template <class Base> class TListItemsView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// One row of a list view. Its texts and images are read when the row is drawn (through the view's
// ItemText and ItemImageIndex); each setter repaints the row.
class TListItem {
public:
    TListView* Owner() const { return owner_; }
    // The row's position in the view.
    int Index() const { return index_; }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    // The texts of the report's columns after the first.
    const QStringList& SubItems() const { return subItems_; }
    void SetSubItems(const QStringList& Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    // The overlay image drawn over the image (0-based, as the image list numbers them); -1 none.
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int Value);
    // A cut item's image is drawn ghosted.
    bool Cut() const { return cut_; }
    void SetCut(bool Value);
    // The item is highlighted as the target of a drag.
    bool DropTarget() const { return dropTarget_; }
    void SetDropTarget(bool Value);

    bool Selected() const;
    void SetSelected(bool Value);
    bool Focused() const;
    void SetFocused(bool Value);

    // The owner's own data; the view never reads it.
    void* Data = nullptr;

private:
    friend class TListView;
    explicit TListItem(TListView* Owner) : owner_(Owner) {}
    void Changed();

    TListView* owner_;
    int index_ = 0;
    QString caption_;
    QStringList subItems_;
    int imageIndex_ = -1;
    int overlayIndex_ = -1;
    bool cut_ = false;
    bool dropTarget_ = false;
};

// A column of the report style. Widths follow the header; a divider drag is held to MinWidth and
// MaxWidth (a MaxWidth below 1: no limit).
struct TListColumn {
    QString Caption;
    int Width = 50;
    int MinWidth = 0;
    int MaxWidth = 0;
    TAlignment Alignment = taLeftJustify;
};

// The report style shows a QTreeView, the others a QListView, both over one row model and one
// selection model: a change of style keeps the rows, the selection and the focused item. Rows are
// kept in order in a vector; every row has the height of the first. GUI thread only; events never
// let an exception reach Qt's event loop.
class TListView : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TListView(QWidget* Parent = nullptr);
    ~TListView() override;

    // Items.
    int Count() const { return int(items_.size()); }
    TListItem* Item(int Index) const;
    TListItem* Add() { return Insert(Count()); }
    // Count new items at the end at once. Each is made when it is first asked for (Item, the
    // selection, the focus, a paint): a long list whose rows show what ItemText and ItemImageIndex
    // read from elsewhere costs a pointer for each row it never hands out.
    void AddRows(int Count);
    // A new item at Index (0 to Count).
    TListItem* Insert(int Index);
    // Fires OnDeletion, then removes and frees the item.
    void Delete(int Index);
    // Deletes every item (OnDeletion for each that was made).
    void Clear();

    // Columns (the report style's).
    int ColumnCount() const { return int(columns_.size()); }
    const TListColumn& Column(int Index) const { return columns_.at(std::size_t(Index)); }
    int AddColumn(const TListColumn& Column);
    void SetColumn(int Index, const TListColumn& Column);
    void ClearColumns();
    // The width the header shows (the column's Width until the header is resized).
    int ColumnWidth(int Index) const;
    void SetColumnWidth(int Index, int Width);

    TViewStyle ViewStyle() const { return viewStyle_; }
    virtual void SetViewStyle(TViewStyle Value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool Value);
    // Captions cannot be edited.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // Not owned; clear them before freeing the lists.
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* Value);
    TImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TImageList* Value);

    // Selection and focus.
    // The first selected item (lowest index); null when none is.
    TListItem* Selected() const;
    int SelCount() const;
    // The selected items in index order.
    std::vector<TListItem*> SelectedItems() const;
    void ClearSelection();
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* Item);

    // Sorting: stable, keeping the selection and the focus. AlphaSort compares through OnCompare
    // when assigned, else by caption.
    void CustomSort(const std::function<int(TListItem* Item1, TListItem* Item2)>& Compare);
    void AlphaSort();

    // Caption editing.
    void EditCaption(TListItem* Item);
    bool IsEditing() const;

    // Geometry, in the control's coordinates: the item's whole rectangle and its image's; the item
    // at a point (null when none is).
    QRect ItemRect(TListItem* Item) const;
    QRect ItemIconRect(TListItem* Item) const;
    TListItem* ItemAt(const QPoint& Pos) const;
    // Scrolls Item into view.
    void MakeVisible(TListItem* Item);

    // The view showing now, the report's header, the model's index of a row.
    QAbstractItemView* View() const;
    QHeaderView* Header() const;
    // Replaces the report's header (the view takes it over).
    void SetHeader(QHeaderView* Header);
    // Draws the rows of the report through Report and those of the other styles through Icons
    // (the views take them over; views cannot share one delegate).
    void SetItemDelegates(QAbstractItemDelegate* Report, QAbstractItemDelegate* Icons);
    QTreeView* ReportView() const { return report_; }
    QListView* IconView() const { return icons_; }
    // The item a model index of the views stands for (null for an invalid one).
    TListItem* ItemOfIndex(const QModelIndex& Index) const;

    // Events.
    std::function<void(TObject* Sender, TListItem* Item, bool Selected)> OnSelectItem;
    std::function<void(TObject* Sender, int Column)> OnColumnClick;
    TNotifyEvent OnDblClick;
    std::function<void(TObject* Sender, TListItem* Item)> OnDeletion;
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int& Compare)> OnCompare;
    std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)> OnEditing;
    std::function<void(TObject* Sender, TListItem* Item, QString& S)> OnEdited;

protected:
    // What a row shows, asked when it is drawn: the text of Column (0 the caption, then the
    // sub-items) and the image. Descendants may fill them on demand.
    virtual QString ItemText(TListItem& Item, int Column);
    virtual int ItemImageIndex(TListItem& Item);
    // Before and after the view paints its rows on Viewport (no painter is open on it then).
    virtual void PaintStage(QWidget* Viewport, bool Begin);
    virtual void ColumnClick(int Column);
    // May the caption of Item be edited? Fires OnEditing.
    virtual bool CanEdit(TListItem& Item);
    // The caption of Item was edited to S: OnEdited may change S, which becomes the caption.
    virtual void Edited(TListItem& Item, QString& S);
    // A double click on the view.
    virtual void DblClick();

private:
    friend class TListItem;
    friend class TListViewModel;
    template <class Base> friend class TListItemsView;

    void RowChanged(int Row);
    void Renumber(int From);
    void ApplyViewStyle();
    void ApplyEditTriggers();
    void ClampColumnWidth(int Column, int Width);
    void ConnectHeader();
    // The rows a selection covers, each once, in order.
    std::vector<int> RowsOf(const QItemSelection& Selection) const;

    // Null for a row of AddRows whose item is not made yet.
    mutable std::vector<std::unique_ptr<TListItem>> items_;
    std::vector<TListColumn> columns_;
    TListViewModel* model_;
    QTreeView* report_;
    QListView* icons_;
    QItemSelectionModel* selection_;
    QStackedLayout* stack_;
    TViewStyle viewStyle_ = vsIcon;
    bool multiSelect_ = false;
    bool readOnly_ = false;
    bool clamping_ = false;
    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
};
