// TPTListHeader.
#include "shell/pt_list_header.h"

#include "shell/pt_list_view.h"

#include "platform/rtl/exception.h"

#include <QPainter>
#include <QStyleOptionHeader>

TPTListHeader::TPTListHeader(TPTCustomListView* Owner) : QHeaderView(Qt::Horizontal, Owner), owner_(Owner)
{
    setSectionsClickable(true);
}

void TPTListHeader::paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const
{
    if (owner_->HeaderSortDisplayMode() == ptlvNone) {
        QHeaderView::paintSection(Painter, Rect, LogicalIndex);
        return;
    }
    Painter->save();
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = Rect;
    option.section = LogicalIndex;
    style()->drawControl(QStyle::CE_HeaderSection, &option, Painter, this);
    AtBoundary([&] {
        if (!owner_->HeaderDefaultDrawing() || LogicalIndex >= owner_->ColumnCount())
            return;
        const TListColumn& column = owner_->Column(LogicalIndex);
        Painter->setFont(owner_->font());
        const QFontMetrics metrics(owner_->font());
        const THeaderSortGeometry geometry =
            HeaderSortGeometry(Rect, owner_->HeaderSortDisplayMode(), column.Alignment,
                               LogicalIndex == owner_->SortColumn(), metrics.horizontalAdvance(column.Caption));
        Painter->fillRect(geometry.Fill, ColorToQColor(clBtnFace));
        Painter->setPen(ColorToQColor(clSystemColor | win::COLOR_BTNTEXT));
        const Qt::Alignment alignment = column.Alignment == taRightJustify ? Qt::AlignRight
                                        : column.Alignment == taCenter     ? Qt::AlignHCenter
                                                                           : Qt::AlignLeft;
        Painter->drawText(geometry.Text, alignment | Qt::AlignVCenter | Qt::TextSingleLine,
                          metrics.elidedText(column.Caption, Qt::ElideRight, geometry.Text.width()));
        if (geometry.ArrowShown)
            DrawHeaderSortArrow(*Painter, geometry.ArrowBox, owner_->SortDirection() == 1);
    });
    Painter->restore();
}

void DrawHeaderSortArrow(QPainter& Painter, const QRect& Box, bool Up)
{
    const QPolygon arrow = HeaderSortArrow(Box, Up);
    const QColor face = ColorToQColor(clBtnFace);
    const QColor light = ColorToQColor(clSystemColor | win::COLOR_BTNHIGHLIGHT);
    const QColor shade = ColorToQColor(clSystemColor | win::COLOR_BTNSHADOW);
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(face);
    Painter.drawPolygon(arrow);
    // Lit from the left and the top: the left slope and a base on top light, the rest shaded.
    const QPoint apex = arrow[0], left = arrow[1], right = arrow[2];
    Painter.setPen(light);
    Painter.drawLine(apex, left);
    Painter.setPen(shade);
    Painter.drawLine(apex, right);
    Painter.setPen(Up ? shade : light);
    Painter.drawLine(left, right);
    Painter.restore();
}
