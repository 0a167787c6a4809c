// TTwoColumnDelegate: draws the items of the auto-correct and code-template lists as two columns,
// split at the item's TAB, with grid lines between them.
#pragma once

#include <QStyledItemDelegate>

class TTwoColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The first text at the item's left + 2, the second at a third of its width + 2, a light grey
    // line at that third and one along the item's bottom.
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    // The height of "Wy" + 2.
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
};
