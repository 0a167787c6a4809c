// TFirewallItemDelegate: how the firewall lists draw an entry (the firewall picture, the name,
// "default" in bold).
#pragma once

#include <QStyledItemDelegate>

class TFirewallItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
};
