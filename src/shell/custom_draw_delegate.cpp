// TCustomDrawDelegate.
#include "shell/custom_draw_delegate.h"

#include "platform/rtl/exception.h"

#include <QPainter>

void TCustomDrawDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    if (!active_()) {
        QStyledItemDelegate::paint(Painter, Option, Index);
        return;
    }
    const QModelIndex row = Index.siblingAtColumn(0);
    if (Index.column() == 0 || row != row_) {
        row_ = row;
        drawn_ = TCustomDrawNotification{Painter, CDDS_ITEMPREPAINT, Option.rect, Option.font, clWindowText, clWindow};
        result_ = CDRF_DODEFAULT;
        AtBoundary([&] { result_ = draw_(drawn_, Index); });
    }
    if (result_ & CDRF_SKIPDEFAULT)
        return;
    painting_ = true;
    QStyledItemDelegate::paint(Painter, Option, Index);
    painting_ = false;
}

void TCustomDrawDelegate::initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const
{
    QStyledItemDelegate::initStyleOption(Option, Index);
    if (!painting_ || Index.siblingAtColumn(0) != row_)
        return;
    if (result_ & CDRF_NEWFONT) {
        Option->font = drawn_.Font;
        Option->fontMetrics = QFontMetrics(drawn_.Font);
    }
    if (drawn_.TextColor != clWindowText)
        Option->palette.setColor(QPalette::Text, ColorToQColor(drawn_.TextColor));
    if (drawn_.TextBkColor != clWindow)
        Option->backgroundBrush = QBrush(ColorToQColor(drawn_.TextBkColor));
}
