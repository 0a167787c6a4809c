// TPTListHeader: the header of the program's list view, drawing each item's caption and the sort
// arrow by the list's sort display mode.
#pragma once

#include <QHeaderView>

class TPTCustomListView;

// With the mode ptlvNone the items are drawn as Qt draws them; otherwise the style's section,
// then the item's own drawing (nothing more when HeaderDefaultDrawing is off).
class TPTListHeader final : public QHeaderView {
public:
    explicit TPTListHeader(TPTCustomListView* Owner);

    // Repaints the item of Column only.
    void RepaintSection(int Column) { updateSection(Column); }

protected:
    void paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const override;

private:
    TPTCustomListView* owner_;
};

// Draws the sort arrow in Box, raised: filled with the button face, lit on one side and shaded on
// the other.
void DrawHeaderSortArrow(QPainter& Painter, const QRect& Box, bool Up);
