// The main window: its start with empty and stored settings, the migration of the previous
// version's key, what it saves when it goes, the close query and the start-up message.
#include "main_form_fixture.h"

#include "app/remote_list_view.h"
#include "app/settings_migration.h"
#include "app/site_tree/site_tree.h"
#include "platform/registry/registry.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/screen.h"
#include "platform/ui/modal_results.h"
#include "routines/registry_helpers.h"
#include "settings/previous_version_import.h"
#include "support/machine_key_scope.h"
#include "support/scripted_prompts.h"

#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>

namespace {

void WriteSettingsValue(const QString& Name, int Value)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(MainFormRegKey, true));
    reg.WriteInteger(Name, Value);
}

QStringList Lines(TStrings& Strings)
{
    QStringList lines;
    for (int i = 0; i < Strings.Count(); ++i)
        lines += Strings.Strings(i);
    return lines;
}

} // namespace

TEST_F(TMainFormTest, ShowsTheProgramTitleAndFreesOwnedComponents)
{
    struct Probe : TComponent {
        using TComponent::TComponent;
        bool* freed;
        ~Probe() override { *freed = true; }
    };
    bool freed = false;
    TTarnwickFTPApp& form = MakeForm();
    (new Probe(&form))->freed = &freed;
    EXPECT_EQ(Application->Title(), "Tarnwick Halyard FTP 5.2");
    EXPECT_EQ(form.windowTitle(), Application->Title());
    EXPECT_FALSE(form.grab().isNull());
    Form.reset();
    EXPECT_TRUE(freed);
}

TEST_F(TMainFormTest, FirstStartCentresTheWindowAndSetsTheFirstRunValues)
{
    TTarnwickFTPApp& form = MakeForm();
    const QRect work = Screen().WorkAreaRect();
    EXPECT_NEAR(form.geometry().center().x(), work.center().x(), 1);
    EXPECT_NEAR(form.geometry().center().y(), work.center().y(), 1);
    EXPECT_EQ(form.lvRemote->ViewStyle(), vsReport);
    EXPECT_TRUE(form.popMyComputerViewStyle->findChild<QAction*>("Details2")->isChecked());
    EXPECT_EQ(form.lvRemote->SortColumn(), 0);
    EXPECT_EQ(form.lvRemote->SortDirection(), 1);
    EXPECT_EQ(AppSettings()->LvMyComputerHeaderSortDirection, 1);
    const TFtpAppSettings& settings = *AppSettings();
    EXPECT_EQ(settings.TransferMode, 2);
    EXPECT_EQ(settings.SoundBitField, 31);
    EXPECT_TRUE(settings.PlaySounds);
    EXPECT_EQ(settings.SoundCompleted, "complete.wav");
    EXPECT_EQ(settings.ZipSaveFolder, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/");
    EXPECT_TRUE(settings.ZipSaveFolder.endsWith('/'));
    EXPECT_EQ(settings.EmailAddress, "Wanderpost77@");
    EXPECT_EQ(settings.LogFileName(), "TarnwickFTP.log");
    EXPECT_EQ(settings.EditFileFilters()->Count(), 7);
    EXPECT_EQ(settings.EditFileFilters()->Strings(6), "PL/SQL Documents=*.sql[sql]");
    EXPECT_TRUE(settings.Extensions()->IndexOf(".tmp") >= 0);
    EXPECT_EQ(form.Action("actToolbarTypeSet")->text(), "Auto Mode");
    EXPECT_FALSE(form.tabMainPanel->isHidden()); // the log shows
}

TEST_F(TMainFormTest, StoredExtensionsGainTheTwoNewOnesOnce)
{
    {
        TStringList extensions;
        extensions.Add(".txt");
        extensions.Add(".shtm");
        AppSettings()->SetExtensions(&extensions);
        AppSettings()->SplitViewMyComputerPos = 90;
        AppSettings()->Save();
        FreeGlobals();
    }
    MakeForm();
    EXPECT_EQ(Lines(*AppSettings()->Extensions()), QStringList({".pm", ".shtm", ".txt"}));
}

TEST_F(TMainFormTest, AStoredMinimisedStateOpensNormalAtTheStoredBounds)
{
    WriteSettingsValue("SplitViewMyComputerPos", 120);
    WriteSettingsValue("WindowState", 1);
    WriteSettingsValue("Left", 40);
    WriteSettingsValue("Top", 30);
    WriteSettingsValue("Width", 700);
    WriteSettingsValue("Height", 500);
    TTarnwickFTPApp& form = MakeForm();
    EXPECT_EQ(form.windowState(), Qt::WindowNoState);
    EXPECT_EQ(form.pos(), QPoint(40, 30));
    EXPECT_EQ(form.size(), QSize(700, 500));
}

TEST_F(TMainFormTest, BoundsOnNoScreenCentreTheWindow)
{
    WriteSettingsValue("SplitViewMyComputerPos", 120);
    WriteSettingsValue("Left", 50000);
    WriteSettingsValue("Top", 50000);
    WriteSettingsValue("Width", 700);
    WriteSettingsValue("Height", 500);
    TTarnwickFTPApp& form = MakeForm();
    EXPECT_TRUE(Screen().WorkAreaRect().contains(form.geometry().center()));
    EXPECT_EQ(form.size(), QSize(700, 500));
}

TEST_F(TMainFormTest, SavesItsBoundsSplittersAndPanesWhenItGoes)
{
    WriteSettingsValue("SplitViewMyComputerPos", 120);
    WriteSettingsValue("ViewTreesMni", 1);
    WriteSettingsValue("ViewTrees", 1);
    TTarnwickFTPApp& form = MakeForm();
    form.showNormal();
    form.setGeometry(60, 70, 700, 500);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.SplitterRemoteView->setSizes({130, 300});
    const int treeHeight = form.SplitterRemoteView->sizes()[0];
    form.Action("actViewMyComputer")->trigger(); // hides the local pane
    form.popRemoteViewStyle->findChild<QAction*>("List1")->trigger();
    const QRect frame = form.frameGeometry();
    CloseForm();
    const auto stored = [](const char* Name) { return RegReadIntAt(MainFormRegKey, QString(), Name, -1); };
    EXPECT_EQ(stored("Left"), frame.left());
    EXPECT_EQ(stored("Width"), frame.width());
    EXPECT_EQ(stored("SplitViewRemotePos"), treeHeight);
    EXPECT_EQ(stored("ViewMyComputer"), 0);
    EXPECT_EQ(stored("LvRemoteViewStyle"), 2);
}

TEST_F(TMainFormTest, ReopeningKeepsTheBoundsItSaved)
{
    QRect first;
    {
        TTarnwickFTPApp& form = MakeForm();
        form.showNormal();
        form.setGeometry(60, 70, 700, 500);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        first = form.frameGeometry();
        CloseForm();
    }
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.frameGeometry(), first);
}

// The previous version's key is copied once; an absent product key counts as deleted; a failed
// deletion leaves everything for the next start.
TEST_F(TMainFormTest, MigratesThePreviousVersionsKeyOnce)
{
    struct TRefusingMigration : TSettingsMigration {
        bool Refuse = false;
        bool DeleteProductKey() override { return !Refuse && TSettingsMigration::DeleteProductKey(); }
    };
    const QString previous = TSettingsMigration::PreviousKey;
    const auto seed = [&](bool Old, bool Flag, bool Product) {
        TRegistry reg;
        reg.DeleteKey(previous);
        reg.DeleteKey(ProductRegKey);
        if (Old) {
            ASSERT_TRUE(reg.OpenKey("\\" + previous + "Main Form", true));
            reg.WriteInteger("TransferMode", 1);
        }
        if (Flag)
            ASSERT_TRUE(reg.OpenKey("\\" + previous + TSettingsMigration::FlagKey, true));
        if (Product) {
            ASSERT_TRUE(reg.OpenKey("\\" + MainFormRegKey, true));
            reg.WriteInteger("TransferMode", 0);
        }
    };
    const auto productMode = [] {
        TRegistry reg;
        return reg.OpenKey(MainFormRegKey, false) && reg.ValueExists("TransferMode") ? reg.ReadInteger("TransferMode") : -1;
    };
    const struct {
        const char* Case;
        bool Old, Flag, Product, Refuse;
        bool Copied;
        int Mode;
    } rows[] = {
        {"no previous key", false, false, true, false, false, 0},
        {"previous key, clean install", true, false, false, false, true, 1},
        {"previous key over settings", true, false, true, false, true, 1},
        {"already imported", true, true, true, false, false, 0},
        {"deletion refused", true, false, true, true, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        seed(row.Old, row.Flag, row.Product);
        TRefusingMigration migration;
        migration.Refuse = row.Refuse;
        EXPECT_EQ(migration.Run(), row.Copied);
        EXPECT_EQ(productMode(), row.Mode);
        TRegistry reg;
        EXPECT_EQ(reg.KeyExists(previous + TSettingsMigration::FlagKey), row.Copied || row.Flag);
        EXPECT_EQ(reg.KeyExists(previous), row.Old); // the previous key stays
        if (row.Copied)
            EXPECT_FALSE(migration.Run()); // once only
    }
}

TEST_F(TMainFormTest, ClosesAtOnceWithoutASession)
{
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    EXPECT_TRUE(form.close());
}

TEST_F(TMainFormTest, StartupRunsTheWizardWithoutProfilesAndConnectsWithOne)
{
    {
        TScriptedPrompts prompts;
        QString shown;
        prompts.Then([&](QDialog& Dialog) {
            shown = Dialog.metaObject()->className();
            Dialog.reject();
        });
        TTarnwickFTPApp& form = MakeForm(false);
        form.show();
        QTRY_COMPARE(prompts.Shown(), 1);
        EXPECT_EQ(shown, "TWin2kWizFrm");
        CloseForm();
    }
    UploadProfiles()->Add()->ItemName = "loopback";
    AppSettings()->ConnectAtStart = true;
    AppSettings()->SplitViewMyComputerPos = 90;
    TScriptedPrompts prompts;
    QString title;
    prompts.Then([&](QDialog& Dialog) {
        title = Dialog.windowTitle();
        Dialog.reject();
    });
    TTarnwickFTPApp& form = MakeForm();
    form.show();
    QTRY_COMPARE(prompts.Shown(), 1);
    EXPECT_EQ(title, "Connect to Server");
}

// The previous version's profiles are offered first: taken over, they show in the site tree and
// keep the first-run wizard away.
TEST_F(TMainFormTest, StartupImportsThePreviousVersionsProfilesBeforeTheSiteTree)
{
    Tree.File("old/FTPServers.ini", "[General]\nCount=1\n[Server1]\nName=Old\nHostname=ftp.example.com\n");
    const TMachineKeyScope machine(PreviousVersionUninstallKey, "UninstallString", Tree.Path("old") + " UNWISE.EXE");
    MessageAnswer = mrYes;
    TScriptedPrompts prompts;

    TTarnwickFTPApp& form = MakeForm(false);
    form.show();
    QTRY_VERIFY(form.SiteTree().Root() != nullptr);
    EXPECT_EQ(Messages.size(), 2);
    EXPECT_NE(form.SiteTree().FindSiteNode("Old"), nullptr);
    EXPECT_EQ(prompts.Shown(), 0);
}
