// TPTImageCombo: an owner-drawn drop-down list whose entries show an image (with an optional
// overlay) and a caption, indented by a level in the drop-down part; its entries; and the
// geometry of one drawn entry.
#pragma once

#include "shell/pt_combobox.h"

#include "platform/graphics/image_list.h"

#include <QRect>
#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TPTCustomImageCombo;

// The geometry of an entry drawn in ItemRect: the image's left edge at indent level Indent; the
// caption's rectangle after an image of ImageWidth pixels (0 without an image list) for a text
// TextWidth pixels wide (the text goes 1 pixel in from its left and top); the height of an entry
// for a font of TextHeight (its sign ignored) and images ImageHeight high (0 without a list).
int ImageComboImageLeft(const QRect& ItemRect, int Indent, int IndentPixels);
QRect ImageComboCaptionRect(const QRect& ItemRect, int ImageLeft, int ImageWidth, int TextWidth);
int ImageComboItemHeight(int TextHeight, int ImageHeight);

// One entry: the combo owns it and frees it when the entry goes. Setting a field the entry shows
// repaints the combo.
class TPTImageComboItem : public TObject {
public:
    explicit TPTImageComboItem(TPTCustomImageCombo* Owner) : owner_(Owner) {}

    TPTCustomImageCombo* Owner() const { return owner_; }
    // The position the entry was added at.
    int Index = -1;
    // The indent level in the drop-down list.
    int Indent = 0;
    // The object a descendant attaches to the entry (not owned by the entry).
    TObject* Data = nullptr;

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    // The overlay image drawn over the image; -1 for none.
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int Value);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& Value);

private:
    TPTCustomImageCombo* owner_;
    int imageIndex_ = -1;
    int overlayIndex_ = -1;
    QString caption_;
};

// The entries keep no text in the combo's list: each carries its TPTImageComboItem, kept in the
// combo's own list of items. An entry that goes by any road (DeleteItem after a removal, Clear,
// the combo's destruction) fires OnDeleteItem once and frees its item. The Down key drops the list
// down. The image list is not owned: clear ImageList before freeing the list.
class TPTCustomImageCombo : public TPTCustomCombobox {
    Q_OBJECT
public:
    explicit TPTCustomImageCombo(QWidget* Parent = nullptr);
    ~TPTCustomImageCombo() override;

    // Adds an entry; returns its item (Index set to its position).
    virtual TPTImageComboItem* AddItem(const QString& Caption, int ImageIndex, int Indent);
    // The item of entry Index; null when the entry carries none of this combo's items.
    TPTImageComboItem* GetComboItem(int Index) const;
    // Removes every entry.
    void Clear() { clear(); }

    TImageList* ImageList() const { return imageList_; }
    // Repaints, and adjusts the entry height when AutoSizeHeight is set.
    void SetImageList(TImageList* Value);
    int IndentPixels() const { return indentPixels_; }
    void SetIndentPixels(int Value);
    // The entry height follows the font and the image list.
    bool AutoSizeHeight() const { return autoSizeHeight_; }
    void SetAutoSizeHeight(bool Value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int Value);
    // Sets the entry height from the font and the image list.
    void AdjustHeight();

    // The canvas of the entry being drawn (valid in OnDrawItem only).
    TCanvas* Canvas() const { return canvas_; }
    // Draws entry Index (-1: none) in Rect on Canvas instead of the combo's own drawing.
    std::function<void(TObject* Control, int Index, const QRect& Rect, bool Selected)> OnDrawItem;
    // An entry's item is about to be freed.
    std::function<void(TObject* Sender, TPTImageComboItem* Item)> OnDeleteItem;
    // An entry is about to be drawn: the handler may fill its item.
    std::function<void(TObject* Sender, TPTImageComboItem* Item)> OnGetItemData;

    // Draws entry Index in Rect with Painter: InList for the drop-down list (indented), else the
    // edit part.
    void DrawEntry(QPainter& Painter, const QRect& Rect, int Index, bool Selected, bool InList);

protected:
    void DeleteItem(void* Object) override;
    virtual void GetItemData(TPTImageComboItem* Item);

    void changeEvent(QEvent* E) override;
    void keyPressEvent(QKeyEvent* E) override;
    void paintEvent(QPaintEvent* E) override;

private:
    void DrawOwnEntry(QPainter& Painter, TCanvas& Canvas, const QRect& Rect, TPTImageComboItem& Item, bool Selected,
                      int Indent);

    std::vector<std::unique_ptr<TPTImageComboItem>> items_;
    TImageList* imageList_ = nullptr;
    int indentPixels_ = 12;
    bool autoSizeHeight_ = true;
    int itemHeight_ = 16;
    TCanvas* canvas_ = nullptr;
};

// Publishes the image combo (a drop-down list of 8 entries by default).
class TPTImageCombo : public TPTCustomImageCombo {
    Q_OBJECT
    Q_PROPERTY(bool AutoSizeHeight READ AutoSizeHeight WRITE SetAutoSizeHeight)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int IndentPixels READ IndentPixels WRITE SetIndentPixels)
    Q_CLASSINFO("default:DropDownCount", "8")
    Q_CLASSINFO("default:IndentPixels", "12")
public:
    explicit TPTImageCombo(QWidget* Parent = nullptr);
};
