// TLogLineDelegate.
#include "app/log_line_delegate.h"

#include "app/app_images.h"
#include "platform/graphics/image_list.h"

#include <QPainter>

int LogLineImage(const QString& Line)
{
    switch (Line.isEmpty() ? 0 : Line.front().unicode()) {
    case '!':
        return AppImage::LogNotice;
    case '*':
        return AppImage::LogError;
    case '<':
        return AppImage::LogReply;
    case '>':
        return AppImage::LogCommand;
    default:
        return AppImage::LogPlain;
    }
}

QString LogLineText(const QString& Line)
{
    return LogLineImage(Line) == AppImage::LogPlain ? Line : Line.mid(1);
}

TLogLineDelegate::TLogLineDelegate(TImageList& Images, QObject* Parent) : QStyledItemDelegate(Parent), images_(Images)
{
}

void TLogLineDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    const QString line = Index.data(Qt::DisplayRole).toString();
    const bool selected = Option.state & QStyle::State_Selected;
    const QPalette& colours = Option.palette;
    Painter->save();
    Painter->fillRect(Option.rect, colours.color(selected ? QPalette::Highlight : QPalette::Base));
    const QImage image = images_.GetImage(LogLineImage(line));
    Painter->drawImage(Option.rect.left() + 2, Option.rect.top() + (Option.rect.height() - image.height()) / 2, image);
    Painter->setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = Option.rect.adjusted(image.width() + 4, 0, 0, 0);
    Painter->drawText(textRect, Qt::AlignVCenter | Qt::TextSingleLine, LogLineText(line));
    Painter->restore();
}

QSize TLogLineDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    // The item height: the text height of "Wy" + 4.
    const QSize size = QStyledItemDelegate::sizeHint(Option, Index);
    return QSize(size.width() + 20, Option.fontMetrics.boundingRect(QStringLiteral("Wy")).height() + 4);
}
