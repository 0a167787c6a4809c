// TListBoxHrz.
#include "dialogs/list_box_hrz.h"

#include <QEvent>
#include <QFontMetrics>
#include <QScopedValueRollback>
#include <QScrollBar>

TListBoxHrz::TListBoxHrz(TComponent* AOwner, QWidget* Parent) : QListWidget(Parent), TComponent(AOwner)
{
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int First, int Last) { LinesInserted(First, Last); });
    connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] { Recompute(); });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { SetCurrentWidth(0); });
}

// The list's model empties itself when the base class goes: no longer ours to follow.
TListBoxHrz::~TListBoxHrz()
{
    disconnect(model(), nullptr, this, nullptr);
}

void TListBoxHrz::SetCurrentWidth(int Value)
{
    currentWidth_ = Value;
    updateGeometries();
}

int TListBoxHrz::LineWidth(int Row) const
{
    return fontMetrics().horizontalAdvance(item(Row)->text()) + LineExtra;
}

void TListBoxHrz::LinesInserted(int First, int Last)
{
    for (int row = First; row <= Last; ++row) {
        const int width = LineWidth(row);
        if (width > currentWidth_)
            SetCurrentWidth(width + Margin);
    }
}

void TListBoxHrz::Recompute()
{
    int widest = 0;
    for (int row = 0; row < count(); ++row)
        widest = qMax(widest, LineWidth(row));
    SetCurrentWidth(widest + Margin);
}

void TListBoxHrz::updateGeometries()
{
    if (updatingGeometries_)
        return;
    const QScopedValueRollback<bool> guard(updatingGeometries_, true);
    QListWidget::updateGeometries();
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, qMax(0, currentWidth_ - viewport()->width()));
    bar->setPageStep(viewport()->width());
}

void TListBoxHrz::changeEvent(QEvent* E)
{
    QListWidget::changeEvent(E);
    if (E->type() == QEvent::FontChange)
        Recompute();
}
