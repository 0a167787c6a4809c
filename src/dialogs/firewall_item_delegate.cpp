// TFirewallItemDelegate.
#include "dialogs/firewall_item_delegate.h"

#include "routines/bitmap_resources.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int FirewallGlyph = 8;
constexpr int PictureSize = 16;

const QImage& FirewallPicture()
{
    static const QImage picture = [] {
        QImage glyph;
        LoadGlyph(glyph, FirewallGlyph);
        return glyph.isNull() ? glyph : glyph.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }();
    return picture;
}

} // namespace

void TFirewallItemDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    const bool selected = Option.state & QStyle::State_Selected;
    Painter->fillRect(Option.rect, Option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    const QRect rect = Option.rect;
    Painter->drawImage(rect.left() + 2, rect.top() + (rect.height() - PictureSize) / 2, FirewallPicture());
    const QString text = Index.data(Qt::DisplayRole).toString();
    QFont font = Option.font;
    font.setBold(text.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0);
    Painter->setFont(font);
    Painter->setPen(Option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    Painter->drawText(rect.adjusted(2 + PictureSize + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

QSize TFirewallItemDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    // As high as "Wq" in the list's font, and 4 pixels more.
    QSize size = QStyledItemDelegate::sizeHint(Option, Index);
    size.setHeight(std::max(QFontMetrics(Option.font).height() + 4, PictureSize + 2));
    return size;
}
