// The global settings objects of a whole program run: made and loaded on first use, saved when
// the program ends.
#include "settings/global_objects.h"

#include "platform/registry/hive_file.h"
#include "platform/registry/reg_data.h"
#include "routines/registry_helpers.h"
#include "settings/upload_profiles.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {

QString Text(const THiveKey& Root, const QString& Path, const QString& Name)
{
    const THiveKey* key = const_cast<THiveKey&>(Root).Find(SplitRegPath(Path));
    const THiveValue* value = key ? key->Value(Name) : nullptr;
    return value ? RegDataString(value->Data) : QStringLiteral("<missing>");
}

} // namespace

TEST(GlobalObjects, AProgramRunLoadsThemOnFirstUseAndSavesThemAtItsEnd)
{
    TRegistryScope scope;
    {
        TUploadProfileContainer profiles(nullptr, skRegistry, InternetRegKey);
        profiles.Add()->ItemName = "Old";
    }
    scope.Reload();

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(HFTP_SETTINGS_CHILD, {scope.ConfigFolder()});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_EQ(child.readAllStandardOutput(), "profiles 1\n");

    const THiveKey root = ReadHiveText(scope.FileText());
    EXPECT_EQ(Text(root, MainFormRegKey, "CurrentServer"), "New");
    EXPECT_EQ(Text(root, InternetRegKey + "Profiles\\Old", "ItemName"), "Old");
    EXPECT_EQ(Text(root, InternetRegKey + "Profiles\\New", "Firewall"), "Default");
    EXPECT_EQ(Text(root, InternetRegKey + "Firewalls\\Default", "FirewallType"), "-1");
    EXPECT_EQ(Text(root, ProductRegKey + "Bookmarks\\BookmarkAAAAAAAAAAA", "Folder"), "/pub/");
}
