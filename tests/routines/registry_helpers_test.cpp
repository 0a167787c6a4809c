// The small registry routines: one value read or written at a key, and subkeys deleted below a
// key and nowhere else.
#include "routines/registry_helpers.h"

#include "platform/registry/reg_ini_file.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"

#include <gtest/gtest.h>

namespace {

const QString Key = MainFormRegKey;

bool Exists(const QString& Path)
{
    TRegistry registry;
    return registry.KeyExists(Path);
}

} // namespace

TEST(RegistryHelpers, ValuesAtAKey)
{
    TRegistryScope scope;
    EXPECT_EQ(RegReadIntAt(Key, "", "HideZipSuccessDlg", 7), 7);
    RegWriteValueAt(Key, "", "HideZipSuccessDlg", true, 1, "ignored");
    RegWriteValueAt(Key, "Sub", "Text", false, 5, "-12");
    EXPECT_EQ(RegReadIntAt(Key, "", "HideZipSuccessDlg", 7), 1);
    EXPECT_EQ(RegReadIntAt(Key, "Sub", "Text", 0), -12);

    TRegIniFile ini(Key);
    EXPECT_EQ(RegReadStr(ini, "", "HideZipSuccessDlg", "none"), "1");
    EXPECT_EQ(RegReadStr(ini, "Sub", "Missing", "none"), "none");
    RegWriteStr(ini, "Sub", "Text", "abc");
    EXPECT_EQ(RegReadInt(ini, "Sub", "Text", 3), 3);
    RegWriteInt(ini, "", "Count", -4);
    EXPECT_EQ(RegReadInt(ini, "", "Count", 0), -4);
}

TEST(RegistryHelpers, DeletesSubkeysBelowTheKeyOnly)
{
    TRegistryScope scope;
    const QString profiles = InternetRegKey + "Profiles";
    RegWriteValueAt(profiles + "\\Home\\Deep", "", "Port", false, 0, "21");
    RegWriteValueAt(profiles + "\\Work", "", "Port", false, 0, "21");
    RegWriteValueAt("Work", "", "Port", false, 0, "21"); // a key of the same name at the root

    EXPECT_FALSE(RegDeleteSubKeyAt(profiles, ""));
    EXPECT_FALSE(RegDeleteSubKeyAt(profiles, "\\"));
    EXPECT_FALSE(RegDeleteSubKeyAt(profiles, "Missing"));
    EXPECT_FALSE(RegDeleteSubKeyAt(InternetRegKey + "Missing", "Home"));
    EXPECT_TRUE(Exists(profiles));

    EXPECT_TRUE(RegDeleteSubKeyAt(profiles, "HOME"));
    EXPECT_FALSE(Exists(profiles + "\\Home"));
    EXPECT_TRUE(RegDeleteSubKeyAt(profiles, "\\Work"));
    EXPECT_FALSE(Exists(profiles + "\\Work"));
    EXPECT_TRUE(Exists("Work"));
    EXPECT_TRUE(Exists(profiles));
}
