// TPTImageCombo, its entries and the geometry of a drawn entry.
#include "shell/image_combo.h"

#include "platform/rtl/events.h"
#include "platform/rtl/exception.h"
#include "platform/widgets/painter_canvas.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>
#include <cstdlib>

namespace {

void RepaintCombo(QComboBox& Combo)
{
    Combo.update();
    Combo.view()->viewport()->update();
}

// Draws the entries of the drop-down list through the combo, at the combo's entry height.
class TImageComboDelegate final : public QStyledItemDelegate {
public:
    explicit TImageComboDelegate(TPTCustomImageCombo* Combo) : QStyledItemDelegate(Combo), combo_(Combo) {}

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        AtBoundary([&] {
            combo_->DrawEntry(*Painter, Option.rect, Index.row(), Option.state & QStyle::State_Selected, true);
        });
    }
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const override
    {
        return {Option.rect.width(), combo_->ItemHeight()};
    }

private:
    TPTCustomImageCombo* combo_;
};

} // namespace

int ImageComboImageLeft(const QRect& ItemRect, int Indent, int IndentPixels)
{
    return ItemRect.left() + 2 + Indent * IndentPixels;
}

QRect ImageComboCaptionRect(const QRect& ItemRect, int ImageLeft, int ImageWidth, int TextWidth)
{
    return {ImageLeft + ImageWidth + 4 - 1, ItemRect.top(), TextWidth + 3, ItemRect.height()};
}

int ImageComboItemHeight(int TextHeight, int ImageHeight)
{
    return std::max(std::abs(TextHeight) + 2, ImageHeight);
}

void TPTImageComboItem::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    RepaintCombo(*owner_);
}

void TPTImageComboItem::SetOverlayIndex(int Value)
{
    overlayIndex_ = Value;
    RepaintCombo(*owner_);
}

void TPTImageComboItem::SetCaption(const QString& Value)
{
    caption_ = Value;
    RepaintCombo(*owner_);
}

TPTCustomImageCombo::TPTCustomImageCombo(QWidget* Parent) : TPTCustomCombobox(Parent)
{
    setItemDelegate(new TImageComboDelegate(this));
    AdjustHeight();
}

TPTCustomImageCombo::~TPTCustomImageCombo()
{
    clear();
}

TPTImageComboItem* TPTCustomImageCombo::AddItem(const QString& Caption, int ImageIndex, int Indent)
{
    auto item = std::make_unique<TPTImageComboItem>(this);
    item->SetCaption(Caption);
    item->SetImageIndex(ImageIndex);
    item->Indent = Indent;
    TPTImageComboItem* added = item.get();
    items_.push_back(std::move(item));
    added->Index = AddEntry(QString(), added);
    return added;
}

TPTImageComboItem* TPTCustomImageCombo::GetComboItem(int Index) const
{
    void* object = EntryObject(Index);
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == object; });
    return found == items_.end() ? nullptr : found->get();
}

void TPTCustomImageCombo::DeleteItem(void* Object)
{
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const auto& item) { return item.get() == Object; });
    if (found == items_.end())
        return;
    const std::unique_ptr<TPTImageComboItem> item = std::move(*found);
    items_.erase(found);
    Fire(OnDeleteItem, this, item.get());
}

void TPTCustomImageCombo::GetItemData(TPTImageComboItem* Item)
{
    Fire(OnGetItemData, this, Item);
}

void TPTCustomImageCombo::SetImageList(TImageList* Value)
{
    imageList_ = Value;
    AdjustHeight();
    RepaintCombo(*this);
}

void TPTCustomImageCombo::SetIndentPixels(int Value)
{
    indentPixels_ = Value;
    RepaintCombo(*this);
}

void TPTCustomImageCombo::SetAutoSizeHeight(bool Value)
{
    autoSizeHeight_ = Value;
    if (Value)
        AdjustHeight();
}

void TPTCustomImageCombo::SetItemHeight(int Value)
{
    itemHeight_ = Value;
    view()->doItemsLayout();
    RepaintCombo(*this);
}

void TPTCustomImageCombo::AdjustHeight()
{
    SetItemHeight(ImageComboItemHeight(fontMetrics().height(), imageList_ ? imageList_->Height() : 0));
}

void TPTCustomImageCombo::DrawEntry(QPainter& Painter, const QRect& Rect, int Index, bool Selected, bool InList)
{
    TPainterCanvas canvas(&Painter);
    canvas.BrushColor = Selected ? clHighlight : clWindow;
    Painter.setFont(font());
    Painter.setPen(ColorToQColor(Selected ? clHighlightText : clWindowText));
    TPTImageComboItem* item = GetComboItem(Index);
    if (Index < 0) {
        canvas.FillRect(Rect);
    } else if (OnDrawItem) {
        canvas_ = &canvas;
        AtBoundary([&] { Fire(OnDrawItem, this, Index, Rect, Selected); });
        canvas_ = nullptr;
    } else if (item) {
        DrawOwnEntry(Painter, canvas, Rect, *item, Selected, InList ? item->Indent : 0);
    } else {
        canvas.FillRect(Rect);
    }
    canvas.ReleaseHandle();
}

void TPTCustomImageCombo::DrawOwnEntry(QPainter& Painter, TCanvas& Canvas, const QRect& Rect, TPTImageComboItem& Item,
                                       bool Selected, int Indent)
{
    GetItemData(&Item);
    Canvas.FillRectWith(Rect, clWindow);
    const int imageLeft = ImageComboImageLeft(Rect, Indent, indentPixels_);
    int imageWidth = 0;
    if (imageList_) {
        imageWidth = imageList_->Width();
        const TDrawingStyle style = imageList_->DrawingStyle;
        const TColor blend = imageList_->BlendColor;
        imageList_->DrawingStyle = Selected ? dsSelected : dsNormal;
        if (Selected)
            imageList_->BlendColor = clHighlight;
        const int top = Rect.top() + (Rect.height() - imageList_->Height()) / 2;
        imageList_->DrawOverlay(Canvas, imageLeft, top, Item.ImageIndex(), Item.OverlayIndex());
        imageList_->DrawingStyle = style;
        imageList_->BlendColor = blend;
    }
    if (Item.Caption().isEmpty())
        return;
    const QRect caption =
        ImageComboCaptionRect(Rect, imageLeft, imageWidth, Painter.fontMetrics().horizontalAdvance(Item.Caption()));
    Canvas.FillRect(caption);
    Painter.drawText(caption.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Item.Caption());
}

void TPTCustomImageCombo::changeEvent(QEvent* E)
{
    TPTCustomCombobox::changeEvent(E);
    if (E->type() == QEvent::FontChange && autoSizeHeight_)
        AdjustHeight();
}

void TPTCustomImageCombo::keyPressEvent(QKeyEvent* E)
{
    // The extended interface: Down drops the list down instead of moving to the next entry.
    if (E->key() == Qt::Key_Down && E->modifiers() == Qt::NoModifier && !DroppedDown()) {
        showPopup();
        E->accept();
        return;
    }
    TPTCustomCombobox::keyPressEvent(E);
}

void TPTCustomImageCombo::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect edit = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    AtBoundary([&] { DrawEntry(painter, edit, currentIndex(), hasFocus() && !DroppedDown(), false); });
}

TPTImageCombo::TPTImageCombo(QWidget* Parent) : TPTCustomImageCombo(Parent)
{
    SetDropDownCount(8);
}
