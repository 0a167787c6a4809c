// Unix permission strings: "rwxr-xr-x", the mode number 755 of "SITE CHMOD", and the 3 x 3 grid.
//
// The mode number is decimal and reads like octal: owner x 100 + group x 10 + others, each the
// sum of r = 4, w = 2, x = 1. In a grid, rows 0 to 2 are owner, group and others and columns 1 to 3
// read, write and execute (column 0 holds labels); each cell holds 0 or 1 under
// PermissionCellRole.
#pragma once

#include <QAbstractItemModel>
#include <QString>

constexpr int PermissionCellRole = Qt::UserRole;

// The nine permission characters, lower-cased: a text of ten or more characters loses its type
// character ("d", "-", "l" ...), and characters past the ninth (such as the "+" of an ACL or the
// "." of an SELinux context) are dropped.
QString NormalizedPermissions(const QString& Text);
// The mode number of a permission text. "s" and "t" (set-id or sticky with execute) count as
// execute; "S" and "T" (without execute) do not.
int PermissionsToMode(const QString& Text);
// Sets the grid's cells from a permission text (the same reading as PermissionsToMode).
void PermissionsToGrid(QAbstractItemModel& Grid, const QString& Text);
// The mode number of the grid's cells.
int GridToMode(const QAbstractItemModel& Grid);
// The permission text of a digit string: "5" is "------r-x", "44" "---r--r--", "755"
// "rwxr-xr-x". Empty when a digit is 8 or 9 or a character is not a digit.
QString ModeTextToPermissions(const QString& Digits);
// ModeTextToPermissions of the decimal text of Mode.
QString ModeToPermissions(int Mode);
