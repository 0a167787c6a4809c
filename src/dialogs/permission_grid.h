// TPermissionGrid: the 3 x 3 grid of check marks of a file's Unix permissions, with the row
// titles in its first column.
#pragma once

#include <QTableWidget>
#include <functional>

// Rows owner, group and all users; columns 1 to 3 read, write and execute, each cell 0 or 1
// under PermissionCellRole, drawn with the permission cell pictures. Column 0 (144 pixels) holds
// the titles and cannot be selected; the other columns share the rest of the width, the rows the
// height. Clicking a cell of columns 1 to 3 (or Space on it) toggles it and fires OnToggle.
class TPermissionGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TPermissionGrid(QWidget* Parent = nullptr);

    int Cell(int Row, int Column) const;
    void ToggleCell(int Row, int Column);

    std::function<void()> OnToggle;

protected:
    void resizeEvent(QResizeEvent* E) override;
    void keyPressEvent(QKeyEvent* E) override;

private:
    void Layout();
};
