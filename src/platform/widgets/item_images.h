// What the list and tree views show of an image list: one image with its overlay, ghosted or not;
// the colours of an item a drag is over; and whether a view's caption editor opens now.
#pragma once

#include "platform/graphics/image_list.h"

#include <QAbstractItemView>
#include <QPixmap>

// Image Index of List with the overlay Overlay (-1: none), drawn half transparent when Ghosted;
// null when List is null or has no such image.
QPixmap ItemImagePixmap(const TImageList* List, int Index, int Overlay, bool Ghosted);

// The background and text colours (Role) of an item highlighted as a drag's target: the
// selection's; nothing for other roles or an item that is not highlighted.
QVariant DropHighlightData(bool DropTarget, int Role);

// Would a view asked to edit an item with Flags by Trigger open an editor now? Not while Editing
// already, nor for a click on a selected item (it only arms the delayed edit, which asks again
// with every trigger), nor for a trigger the view's Triggers leave out.
bool EditorOpensNow(bool Editing, Qt::ItemFlags Flags, QAbstractItemView::EditTriggers Triggers,
                    QAbstractItemView::EditTrigger Trigger);
