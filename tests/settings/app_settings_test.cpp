// The settings object: a first start, round trips of every setting, the log file name, the
// extension list, assignment, reloading and the global settings object.
#include "settings/app_settings.h"

#include "published_values.h"
#include "settings/global_objects.h"
#include "routines/registry_helpers.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/texts.h"

#include <gtest/gtest.h>

namespace {

const QString Key = MainFormRegKey;

} // namespace

TEST(AppSettings, FirstStartReadsEverySettingAsZero)
{
    TRegistryScope scope;
    TFtpAppSettings settings(nullptr, Key);
    settings.AutoSave = false;
    for (const auto& [name, value] : PublishedValues(settings).toStdMap()) {
        if (value.typeId() == QMetaType::QStringList)
            EXPECT_EQ(value.toStringList(), QStringList()) << name.toStdString();
        else if (value.typeId() == QMetaType::QString)
            EXPECT_EQ(value.toString(), "") << name.toStdString();
        else
            EXPECT_EQ(value.toInt(), 0) << name.toStdString();
    }
    EXPECT_EQ(settings.SplitViewMyComputerPos, 0); // tells the main window to set first-run values
}

TEST(AppSettings, EverySettingComesBack)
{
    TRegistryScope scope;
    QVariantMap saved;
    {
        TFtpAppSettings settings(nullptr, Key);
        SetDistinctValues(settings, 0);
        saved = PublishedValues(settings);
    }
    scope.Reload();
    TFtpAppSettings settings(nullptr, Key);
    EXPECT_EQ(PublishedValues(settings), saved);
    // Loading again replaces the lists' lines instead of adding to them.
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(PublishedValues(settings), saved);
}

TEST(AppSettings, LogFileNameKeepsOnlyTheFileName)
{
    const struct {
        const char* given;
        const char* kept;
    } cases[] = {
        {"C:\\Logs\\a.log", "a.log"}, {"D:b.log", "b.log"},   {"/var/log/a.log", "a.log"},
        {"plain.log", "plain.log"},   {"C:\\Logs\\", ""},     {"", ""},
        {"a/b\\c:d.log", "d.log"},    {"a:b/c.log", "c.log"},
    };
    TRegistryScope scope;
    TFtpAppSettings settings(nullptr, Key);
    settings.AutoSave = false;
    for (const auto& c : cases) {
        settings.SetLogFileName(c.given);
        EXPECT_EQ(settings.LogFileName(), c.kept) << c.given;
    }
}

TEST(AppSettings, ExtensionsStaySortedWithoutDuplicates)
{
    TRegistryScope scope;
    TFtpAppSettings settings(nullptr, Key);
    settings.AutoSave = false;
    for (const QString& extension : QStringList{".txt", ".htm", ".TXT", ".asp", ".txt"})
        settings.Extensions()->Add(extension);
    EXPECT_EQ(Lines(*settings.Extensions()), (QStringList{".asp", ".htm", ".txt"}));
    TStringList given;
    for (const QString& extension : QStringList{".sql", ".pm", ".sql"})
        given.Add(extension);
    settings.SetExtensions(&given);
    EXPECT_EQ(Lines(*settings.Extensions()), (QStringList{".pm", ".sql"}));
    settings.SetEditFileFilters(&given);
    EXPECT_EQ(Lines(*settings.EditFileFilters()), (QStringList{".sql", ".pm", ".sql"})); // a plain list
}

TEST(AppSettings, AssignCopiesEverySettingFromItsOwnCounterpart)
{
    TRegistryScope scope;
    TFtpAppSettings source(nullptr, Key + "Source\\");
    SetDistinctValues(source, 0);
    TFtpAppSettings target(nullptr, Key + "Target\\");
    SetDistinctValues(target, 100);
    target.Assign(&source);
    EXPECT_EQ(PublishedValues(target), PublishedValues(source));

    TComponentPosition position;
    position.SetBounds(1, 2, 3, 4);
    target.Assign(&position); // only the bounds
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.LvRemoteViewStyle, source.LvRemoteViewStyle);
    TStringList other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    source.AutoSave = target.AutoSave = false;
}

TEST(AppSettings, TheGlobalObjectIsMadeOnceAndSavedWhenFreed)
{
    TRegistryScope scope;
    TFtpAppSettings* settings = AppSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(AppSettings(0), settings);
    EXPECT_EQ(AppSettings(2), settings);
    settings->CurrentServer = "Home";
    settings->Extensions()->Add(".txt");
    EXPECT_EQ(AppSettings(1), nullptr);
    EXPECT_EQ(AppSettings(1), nullptr); // nothing left to free

    scope.Reload();
    settings = AppSettings();
    EXPECT_EQ(settings->CurrentServer, "Home");
    EXPECT_EQ(Lines(*settings->Extensions()), QStringList{".txt"});
    FreeGlobalSettings();
}
