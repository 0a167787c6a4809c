// ItemImagePixmap and EditorOpensNow.
#include "platform/widgets/item_images.h"

#include "platform/graphics/canvas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

QPixmap ItemImagePixmap(const TImageList* List, int Index, int Overlay, bool Ghosted)
{
    if (!List || Index < 0 || Index >= List->Count())
        return {};
    QImage image(List->Width(), List->Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvas canvas(&image);
        List->DrawOverlay(canvas, 0, 0, Index, Overlay);
    }
    if (Ghosted) {
        QImage ghost(image.size(), QImage::Format_ARGB32_Premultiplied);
        ghost.fill(Qt::transparent);
        QPainter painter(&ghost);
        painter.setOpacity(0.5);
        painter.drawImage(0, 0, image);
        painter.end();
        image = ghost;
    }
    return QPixmap::fromImage(image);
}

bool EditorOpensNow(bool Editing, Qt::ItemFlags Flags, QAbstractItemView::EditTriggers Triggers,
                    QAbstractItemView::EditTrigger Trigger)
{
    return !Editing && (Flags & Qt::ItemIsEditable) && Trigger != QAbstractItemView::SelectedClicked &&
           (Trigger == QAbstractItemView::AllEditTriggers || (Triggers & Trigger));
}

QVariant DropHighlightData(bool DropTarget, int Role)
{
    if (!DropTarget)
        return {};
    if (Role == Qt::BackgroundRole)
        return QGuiApplication::palette().brush(QPalette::Highlight);
    if (Role == Qt::ForegroundRole)
        return QGuiApplication::palette().brush(QPalette::HighlightedText);
    return {};
}
