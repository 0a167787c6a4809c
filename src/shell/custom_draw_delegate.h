// TCustomDrawDelegate: paints the rows of a list or tree view after a custom-draw pass per row,
// with the font, colours or skipping its control's handlers asked for.
#pragma once

#include "shell/custom_draw.h"

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <functional>

// The item pre-paint pass runs once per row, before the row's first cell is painted (a row's
// later cells share its answer). Draw runs the control's custom draw for the row of a model index
// and returns the answer; Active says whether the control has custom drawing at all (without it
// rows paint as they would without this delegate).
class TCustomDrawDelegate final : public QStyledItemDelegate {
public:
    using TDraw = std::function<int(TCustomDrawNotification& Notification, const QModelIndex& Index)>;

    TCustomDrawDelegate(QObject* Parent, std::function<bool()> Active, TDraw Draw)
        : QStyledItemDelegate(Parent), active_(std::move(Active)), draw_(std::move(Draw))
    {
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override;

private:
    std::function<bool()> active_;
    TDraw draw_;
    // The row of the last pass, and what it asked for.
    mutable QPersistentModelIndex row_;
    mutable TCustomDrawNotification drawn_;
    mutable int result_ = CDRF_DODEFAULT;
    mutable bool painting_ = false;
};
