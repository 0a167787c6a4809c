// TSearchListView.
#include "app/bottom_tabs/search_list_view.h"

#include "session/search_results.h"

#include <QAbstractItemView>
#include <QPainter>

TSearchListView::TSearchListView(const TImageList& AppImages, int HeadingImage, QWidget* Parent)
    : TPTListView(Parent), appImages_(AppImages), headingImage_(HeadingImage)
{
}

void TSearchListView::PaintStage(QWidget* Viewport, bool Begin)
{
    TPTListView::PaintStage(Viewport, Begin);
    if (Begin || ViewStyle() != vsReport)
        return;
    QPainter painter(Viewport);
    for (int i = 0; i < Count(); ++i) {
        TListItem* item = Item(i);
        if (item->ImageIndex() != SearchPlaceholderImage)
            continue;
        QRect row = View()->visualRect(View()->model()->index(i, 0));
        if (!row.isValid() || !row.intersects(Viewport->rect()))
            continue;
        // The row is drawn again across the whole width: its picture at 2,1, the caption after it.
        row.setLeft(0);
        row.setRight(Viewport->width());
        painter.fillRect(row, palette().color(item->Selected() ? QPalette::Highlight : QPalette::Base));
        const QImage image = appImages_.GetImage(headingImage_);
        painter.drawImage(row.left() + 2, row.top() + 1, image);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(palette().color(item->Selected() ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(row.adjusted(image.width() + 6, 0, 0, 0), Qt::AlignVCenter | Qt::TextSingleLine,
                         item->Caption());
    }
}
