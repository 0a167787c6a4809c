// The geometry of a header item with its sort arrow.
#include "shell/header_sort_geometry.h"

namespace {

// A rectangle from its edges, right and bottom exclusive.
QRect Edges(int Left, int Top, int Right, int Bottom)
{
    return {Left, Top, Right - Left, Bottom - Top};
}

// Where a caption of Width pixels ends in Text by Alignment (never beyond the rectangle).
int TextEnd(const QRect& Text, TAlignment Alignment, int Width)
{
    const int shown = std::min(Width, Text.width());
    if (Alignment == taCenter)
        return Text.left() + (Text.width() - shown) / 2 + shown;
    return Text.left() + shown;
}

} // namespace

QRect HeaderArrowBox(int Left, int Top, int Bottom)
{
    const int side = (Top + Bottom) / 2;
    const int top = (Top + Bottom - (side - 1)) / 2 - 1;
    return {Left, top, side, side - 1};
}

THeaderSortGeometry HeaderSortGeometry(const QRect& ItemRect, TPTLvHeaderSortDisplayMode Mode, TAlignment Alignment,
                                       bool IsSortColumn, int TextWidth)
{
    THeaderSortGeometry geometry;
    const int left = ItemRect.left(), top = ItemRect.top();
    const int right = left + ItemRect.width(), bottom = top + ItemRect.height();
    geometry.Fill = Edges(left + 2, top + 2, right - 2, bottom - 2);
    int textLeft = geometry.Fill.left() + 4, textRight = left + ItemRect.width() - 2 - 4;
    const int textTop = geometry.Fill.top(), textBottom = textTop + geometry.Fill.height();
    geometry.Text = Edges(textLeft, textTop, textRight, textBottom);

    if (Mode == ptlvRightOfText && Alignment == taRightJustify)
        Mode = ptlvRightAlign;
    switch (Mode) {
    case ptlvNone:
        return geometry;
    case ptlvLeftAlign:
        if (!IsSortColumn || ItemRect.width() <= 15)
            return geometry;
        geometry.ArrowBox = HeaderArrowBox(textLeft, textTop, textBottom);
        textLeft = geometry.ArrowBox.left() + geometry.ArrowBox.width() + 5;
        break;
    case ptlvRightOfText:
        geometry.ArrowBox = HeaderArrowBox(TextEnd(geometry.Text, Alignment, TextWidth) + 5, textTop, textBottom);
        break;
    case ptlvRightAlign: {
        const int side = HeaderArrowBox(0, textTop, textBottom).width();
        geometry.ArrowBox = HeaderArrowBox(textRight - 5 - side, textTop, textBottom);
        if (IsSortColumn)
            textRight = geometry.ArrowBox.left() - 4;
        break;
    }
    }
    geometry.Text = Edges(textLeft, textTop, textRight, textBottom);
    geometry.ArrowShown = IsSortColumn && ItemRect.width() > 2 * geometry.ArrowBox.width();
    return geometry;
}

QPolygon HeaderSortArrow(const QRect& Box, bool Up)
{
    const int width = (Box.height() - 1) | 1;
    const int height = width / 2 + 1;
    const int left = Box.left() + (Box.width() - width) / 2;
    const int top = Box.top() + (Box.height() - height) / 2;
    const int apexX = left + width / 2, right = left + width - 1, bottom = top + height - 1;
    if (Up)
        return QPolygon({QPoint(apexX, top), QPoint(left, bottom), QPoint(right, bottom)});
    return QPolygon({QPoint(apexX, bottom), QPoint(left, top), QPoint(right, top)});
}
