// Unix permission strings.
#include "ftp/listing/permissions.h"

#include "routines/string_routines.h"

namespace {

constexpr int Positions = 9;
constexpr int Weights[3] = {4, 2, 1}; // read, write, execute

// The permission characters of a text, without the type character, with their case.
QString PermissionPart(const QString& Text)
{
    return (Text.size() >= Positions + 1 ? Text.mid(1) : Text).left(Positions);
}

// Whether a permission character grants its right: r, w, x in either case, and s or t (set-id
// or sticky with execute); "S", "T" and "-" do not.
bool Grants(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'r' || u == u'w' || u == u'x' || u == u'R' || u == u'W' || u == u'X' || u == u's' ||
           u == u't';
}

int CellValue(const QAbstractItemModel& grid, int row, int column)
{
    return grid.data(grid.index(row, column), PermissionCellRole).toInt();
}

} // namespace

QString NormalizedPermissions(const QString& Text)
{
    QString part = PermissionPart(Text);
    for (QChar& c : part)
        c = StrLoCaseChar(c);
    return part;
}

int PermissionsToMode(const QString& Text)
{
    const QString part = PermissionPart(Text);
    int sums[3] = {0, 0, 0};
    for (qsizetype p = 0; p < part.size(); ++p) {
        if (Grants(part[p]))
            sums[p / 3] += Weights[p % 3];
    }
    return sums[0] * 100 + sums[1] * 10 + sums[2];
}

void PermissionsToGrid(QAbstractItemModel& Grid, const QString& Text)
{
    const QString part = PermissionPart(Text);
    for (int p = 0; p < Positions; ++p) {
        const bool set = p < part.size() && Grants(part[p]);
        Grid.setData(Grid.index(p / 3, p % 3 + 1), set ? 1 : 0, PermissionCellRole);
    }
}

int GridToMode(const QAbstractItemModel& Grid)
{
    int mode = 0;
    for (int row = 0; row < 3; ++row) {
        int sum = 0;
        for (int column = 1; column <= 3; ++column) {
            if (CellValue(Grid, row, column) != 0)
                sum += Weights[column - 1];
        }
        mode = mode * 10 + sum;
    }
    return mode;
}

QString ModeTextToPermissions(const QString& Digits)
{
    static const char* const Triplets[8] = {"---", "--x", "-w-", "-wx", "r--", "r-x", "rw-", "rwx"};
    QString result = Digits.size() == 1   ? QStringLiteral("------")
                     : Digits.size() == 2 ? QStringLiteral("---")
                                          : QString();
    for (const QChar c : Digits) {
        if (c < u'0' || c > u'7')
            return {};
        result += QLatin1String(Triplets[c.unicode() - u'0']);
    }
    return result;
}

QString ModeToPermissions(int Mode)
{
    return ModeTextToPermissions(QString::number(Mode));
}
