// Where a list view's header item draws its caption and its sort arrow, by sort display mode:
// pure functions of the item's rectangle, so that the drawing and its tests share them.
#pragma once

#include "platform/widgets/list_view.h"

#include <QPolygon>
#include <QRect>

// Where the sort arrow goes: nowhere, left of the caption, right after the caption's text, or at
// the right end of the item.
enum TPTLvHeaderSortDisplayMode { ptlvNone, ptlvLeftAlign, ptlvRightOfText, ptlvRightAlign };

struct THeaderSortGeometry {
    QRect Fill;     // filled with the button face: the item shrunk by 2 pixels on every side
    QRect Text;     // the caption's rectangle
    QRect ArrowBox; // the arrow's box where the mode places one; empty where it places none
    bool ArrowShown = false; // the arrow is drawn (the sort column, wide enough)
};

// The arrow's box for a text rectangle from Top to Bottom (bottom exclusive), at Left. Its side
// is half the sum of top and bottom, as the header has always drawn it (for a header whose items
// start at the top, about half the item's height): that side wide, one less high, its top centred
// on the same sum, one pixel higher.
QRect HeaderArrowBox(int Left, int Top, int Bottom);

// The geometry of a header item in ItemRect whose caption is TextWidth pixels wide, aligned by
// Alignment; IsSortColumn for the column the list is sorted by.
THeaderSortGeometry HeaderSortGeometry(const QRect& ItemRect, TPTLvHeaderSortDisplayMode Mode, TAlignment Alignment,
                                       bool IsSortColumn, int TextWidth);

// The sort arrow in Box: a triangle of odd width (the box's height less one, lowest bit set),
// centred in the box, pointing up (ascending) or down; its corners, apex first.
QPolygon HeaderSortArrow(const QRect& Box, bool Up);
