// TPermissionGrid and the delegate that draws its cells.
#include "dialogs/permission_grid.h"

#include "dialogs/dialog_pictures.h"
#include "ftp/listing/permissions.h"
#include "platform/graphics/image_list.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int TitleColumnWidth = 144;
constexpr int TitleIndent = 12;

class TCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        const QRect r = Option.rect;
        const QPalette& palette = Option.palette;
        if (Index.column() == 0) {
            Painter->setPen(palette.color(QPalette::WindowText));
            Painter->drawText(r.adjusted(TitleIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                              Index.data(Qt::DisplayRole).toString());
            return;
        }
        Painter->fillRect(r, palette.color(QPalette::Base));
        const QImage image = PermissionCellImages().GetImage(Index.data(PermissionCellRole).toInt() == 1 ? 1 : 0);
        Painter->drawImage(r.left() + (r.width() - image.width()) / 2, r.top() + (r.height() - image.height()) / 2,
                           image);
        if (Option.state & QStyle::State_HasFocus)
            Painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
};

} // namespace

TPermissionGrid::TPermissionGrid(QWidget* Parent) : QTableWidget(3, 4, Parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setItemDelegate(new TCellDelegate(this));
    const char* const titles[] = {"Owner", "Group", "All Users"};
    for (int row = 0; row < 3; ++row) {
        auto* title = new QTableWidgetItem(QLatin1String(titles[row]));
        title->setFlags(Qt::ItemIsEnabled);
        setItem(row, 0, title);
        for (int column = 1; column <= 3; ++column) {
            auto* cell = new QTableWidgetItem();
            cell->setData(PermissionCellRole, 0);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row, column, cell);
        }
    }
    connect(this, &QTableWidget::cellClicked, this, [this](int Row, int Column) { ToggleCell(Row, Column); });
}

int TPermissionGrid::Cell(int Row, int Column) const
{
    return model()->index(Row, Column).data(PermissionCellRole).toInt();
}

void TPermissionGrid::ToggleCell(int Row, int Column)
{
    if (Column < 1 || Column > 3 || Row < 0 || Row > 2)
        return;
    model()->setData(model()->index(Row, Column), Cell(Row, Column) == 1 ? 0 : 1, PermissionCellRole);
    if (OnToggle)
        OnToggle();
}

void TPermissionGrid::Layout()
{
    const int cellWidth = (viewport()->width() - TitleColumnWidth) / 3;
    setColumnWidth(0, TitleColumnWidth);
    for (int column = 1; column <= 3; ++column)
        setColumnWidth(column, cellWidth);
    for (int row = 0; row < 3; ++row)
        setRowHeight(row, viewport()->height() / 3);
}

void TPermissionGrid::resizeEvent(QResizeEvent* E)
{
    QTableWidget::resizeEvent(E);
    Layout();
}

void TPermissionGrid::keyPressEvent(QKeyEvent* E)
{
    if (E->key() == Qt::Key_Space && currentIndex().isValid()) {
        ToggleCell(currentRow(), currentColumn());
        return;
    }
    QTableWidget::keyPressEvent(E);
}
