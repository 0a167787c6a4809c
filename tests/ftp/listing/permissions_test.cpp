// Permission texts, mode numbers and the permission grid.
#include "ftp/listing/permissions.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QStandardItemModel>

TEST(Permissions, TextsToModes)
{
    struct Case {
        const char* text;
        const char* normalized;
        int mode;
    };
    const Case cases[] = {
        {"drwxr-xr-x", "rwxr-xr-x", 755},
        {"rwxr-xr-x", "rwxr-xr-x", 755},
        {"-rw-r--r--", "rw-r--r--", 644},
        {"RWX------", "rwx------", 700},
        {"lrwxrwxrwx", "rwxrwxrwx", 777},
        {"---------", "---------", 0},
        // Set-id and sticky bits: lower case with execute, upper case without.
        {"-rwsr-xr-x", "rwsr-xr-x", 755},
        {"drwxrwxrwt", "rwxrwxrwt", 777},
        {"-rwSr--r--", "rwsr--r--", 644},
        {"drwxr-xr-T", "rwxr-xr-t", 754},
        // Marks after the nine positions (ACL, SELinux) are dropped.
        {"drwxr-xr-x+", "rwxr-xr-x", 755},
        {"-rw-r--r--.", "rw-r--r--", 644},
        {"rw-", "rw-", 600},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NormalizedPermissions(c.text), c.normalized);
        EXPECT_EQ(PermissionsToMode(c.text), c.mode);
    }
}

TEST(Permissions, DigitsToTexts)
{
    struct Case {
        const char* digits;
        const char* text;
    };
    const Case cases[] = {
        {"5", "------r-x"},
        {"44", "---r--r--"},
        {"755", "rwxr-xr-x"},
        {"000", "---------"},
        {"758", ""},
        {"9", ""},
        {"7a5", ""},
        {"", ""},
        {"1234", "--x-w--wxr--"},
        {"-5", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModeTextToPermissions(c.digits), c.text) << c.digits;
    EXPECT_EQ(ModeToPermissions(0), "---------");
    EXPECT_EQ(ModeToPermissions(644), "rw-r--r--");
    EXPECT_EQ(ModeToPermissions(-1), "");
}

TEST(Permissions, GridRoundTripsEveryMode)
{
    QStandardItemModel grid(3, 4);
    for (int bits = 0; bits < 512; ++bits) {
        const int mode = (bits >> 6) * 100 + (bits >> 3 & 7) * 10 + (bits & 7);
        const QString text = ModeToPermissions(mode);
        PermissionsToGrid(grid, "-" + text);
        ASSERT_EQ(GridToMode(grid), mode) << text.toStdString();
        ASSERT_EQ(PermissionsToMode(text), mode);
    }
    // Cell layout: row = owner, group, others; column 1 to 3 = read, write, execute.
    PermissionsToGrid(grid, "r---w---x");
    for (int row = 0; row < 3; ++row) {
        for (int column = 1; column <= 3; ++column) {
            EXPECT_EQ(grid.data(grid.index(row, column), PermissionCellRole).toInt(),
                      row + 1 == column ? 1 : 0)
                << row << ',' << column;
        }
    }
    // A short text clears the cells it does not reach.
    PermissionsToGrid(grid, "rwx");
    EXPECT_EQ(GridToMode(grid), 700);
}
