// The two-column items of the auto-correct and code-template lists.
#include "highlighter/options/two_column_delegate.h"

#include <QPainter>

void TTwoColumnDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    const QString text = Index.data(Qt::DisplayRole).toString();
    const int tab = text.indexOf(QLatin1Char('\t'));
    const QString first = tab < 0 ? text : text.left(tab);
    const QString second = tab < 0 ? QString() : text.mid(tab + 1);
    const QRect rect = Option.rect;
    const int third = rect.width() / 3;
    const bool selected = Option.state & QStyle::State_Selected;

    Painter->save();
    Painter->fillRect(rect, selected ? Option.palette.highlight() : Option.palette.base());
    Painter->setPen(selected ? Option.palette.highlightedText().color() : Option.palette.text().color());
    const QRect firstRect(rect.left() + 2, rect.top(), third - 4, rect.height());
    const QRect secondRect(rect.left() + third + 2, rect.top(), rect.width() - third - 4, rect.height());
    Painter->drawText(firstRect, Qt::AlignLeft | Qt::AlignVCenter, first);
    Painter->drawText(secondRect, Qt::AlignLeft | Qt::AlignVCenter, second);
    Painter->setPen(QColor(192, 192, 192));
    Painter->drawLine(rect.left() + third, rect.top(), rect.left() + third, rect.bottom());
    Painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    Painter->restore();
}

QSize TTwoColumnDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex&) const
{
    return QSize(Option.rect.width(), Option.fontMetrics.height() + 2);
}
