// The server-profile wizard driven to its end: the steps and their order, the name checks, the
// firewall choice, what Finish stores, and the questions on Cancel.
#include "dialogs/html_label.h"
#include "dialogs/pt_group.h"
#include "dialogs/wizard/win2k_wiz_frm.h"
#include "dialogs/wizard/wiz_server_cli_frm.h"
#include "platform/registry/hive_file.h"
#include "platform/registry/reg_data.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/std_controls.h"
#include "routines/password_scrambling.h"
#include "routines/registry_helpers.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

namespace {

// The wizard as a step of the prompt script sees it.
struct TWizard {
    explicit TWizard(QDialog& Dialog)
        : Host(dynamic_cast<TWin2kWizFrm&>(Dialog)), Client(*Host.findChild<TWizServerCliFrm*>())
    {
    }
    TWin2kWizFrm& Host;
    TWizServerCliFrm& Client;

    bool NextEnabled()
    {
        Host.ActionList->UpdateActions();
        return Host.btnNext->isEnabled();
    }
    bool BackEnabled()
    {
        Host.ActionList->UpdateActions();
        return Host.Button1->isEnabled();
    }
    void Next()
    {
        ASSERT_TRUE(NextEnabled()) << "step " << Client.Step;
        Host.btnNext->click();
    }
    void Back()
    {
        ASSERT_TRUE(BackEnabled()) << "step " << Client.Step;
        Host.Button1->click();
    }
    QString NextCaption()
    {
        Host.ActionList->UpdateActions();
        return Host.btnNext->text();
    }
    QString Panel() const { return Client.pnlSteps->currentWidget()->objectName(); }
    // Leaves the profile name field, as moving the focus away does.
    void LeaveName()
    {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Client.txtProfileName, &out);
    }
};

QString Text(const THiveKey& Root, const QString& Path, const QString& Name)
{
    const THiveKey* key = const_cast<THiveKey&>(Root).Find(SplitRegPath(Path));
    const THiveValue* value = key ? key->Value(Name) : nullptr;
    return value ? RegDataString(value->Data) : QStringLiteral("<missing>");
}

class ServerWizard : public ::testing::Test {
protected:
    // Frees the program's profiles and firewalls, which saves them, and reads the registry file.
    THiveKey Saved()
    {
        UploadProfiles(1);
        Firewalls(1);
        scope_.Reload();
        return ReadHiveText(scope_.FileText());
    }
    void TearDown() override
    {
        UploadProfiles(1);
        Firewalls(1);
    }
    TRegistryScope scope_;
    TScriptedPrompts prompts_;
};

const QString ProfilesKey = InternetRegKey + "Profiles\\";
const QString FirewallsKey = InternetRegKey + "Firewalls\\";

} // namespace

TEST_F(ServerWizard, WithoutAProxyStepFiveIsSkippedBothWaysAndADefaultFirewallIsMade)
{
    prompts_.Then([](QDialog& Dialog) {
        TWizard wizard(Dialog);
        EXPECT_EQ(wizard.Host.windowTitle(), "Server Profile Wizard");
        EXPECT_EQ(wizard.Panel(), "pnlStep0");
        EXPECT_TRUE(wizard.Host.GetHeaderHidden());
        EXPECT_FALSE(wizard.BackEnabled());
        wizard.Next();
        EXPECT_EQ(wizard.Panel(), "pnlStep1");
        EXPECT_FALSE(wizard.Host.GetHeaderHidden());
        EXPECT_EQ(wizard.Host.GetTitle(), "Server Profile Wizard (Step 1 of 6)");
        EXPECT_EQ(wizard.Host.GetSubtitle(), "Server Profile Name");
        EXPECT_FALSE(wizard.NextEnabled());
        wizard.Client.txtProfileName->setText("My Site");
        wizard.LeaveName();
        wizard.Next();
        wizard.Client.txtUsername->setText("joe");
        wizard.Client.txtPassword->setText("secret");
        wizard.Next();
        wizard.Client.txtHostName->setText("ftp.example.com");
        wizard.Client.txtHostDirName->setText("www");
        wizard.Next();
        EXPECT_EQ(wizard.Panel(), "pnlStep4");
        EXPECT_TRUE(wizard.Client.optProxyNo->isChecked());
        wizard.Next();
        EXPECT_EQ(wizard.Panel(), "pnlStep6");
        EXPECT_EQ(wizard.Host.GetTitle(), "Server Profile Wizard (Step 6 of 6)");
        EXPECT_EQ(wizard.NextCaption(), "Finish");
        wizard.Back();
        EXPECT_EQ(wizard.Panel(), "pnlStep4");
        EXPECT_EQ(wizard.NextCaption(), "Next >");
        wizard.Next();
        wizard.Next();
    });
    EXPECT_EQ(RunServerProfileWizard(), 1);

    const THiveKey root = Saved();
    const QString site = ProfilesKey + "My Site";
    EXPECT_EQ(Text(root, site, "HostName"), "ftp.example.com");
    EXPECT_EQ(Text(root, site, "HostDirName"), "www");
    EXPECT_EQ(Text(root, site, "Username"), "joe");
    EXPECT_EQ(Text(root, site, "Password"), PasswordToStore("secret"));
    EXPECT_EQ(Text(root, site, "Firewall"), "");
    EXPECT_EQ(Text(root, site, "Port"), "21");
    EXPECT_EQ(Text(root, site, "Timeout"), "60");
    EXPECT_EQ(Text(root, FirewallsKey + "Default", "FirewallType"), "0");
    EXPECT_EQ(Text(root, ServerWizardKey, "HideWelcome"), "<missing>"); // unchanged, not written
    TUploadProfileItem* profile = UploadProfiles()->GetProfile(0);
    EXPECT_TRUE(profile->PassiveMode);
    EXPECT_TRUE(profile->Shared);
    EXPECT_TRUE(profile->SavePassword);
}

TEST_F(ServerWizard, HiddenWelcomeOpensOnStepOneAndCancelAfterItAsks)
{
    TRegIniFile(ServerWizardKey).WriteInteger("", "HideWelcome", 1);
    prompts_.Then([&](QDialog& Dialog) {
        TWizard wizard(Dialog);
        EXPECT_EQ(wizard.Panel(), "pnlStep1");
        EXPECT_TRUE(wizard.Client.chkHideWelcome->isChecked());
        EXPECT_FALSE(wizard.BackEnabled());
        wizard.Host.Button3->click(); // answered No
        EXPECT_TRUE(wizard.Host.isVisible());
        wizard.Host.Button3->click(); // answered Yes
        EXPECT_FALSE(wizard.Host.isVisible());
    });
    const QString question = "You have not completed all the wizard steps. Do you want to exit this Wizard?";
    prompts_.Then([&](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains(question));
        Click("&No")(Dialog);
    });
    prompts_.Then([&](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains(question));
        Click("&Yes")(Dialog);
    });
    EXPECT_EQ(RunServerProfileWizard(), 2);
    EXPECT_EQ(UploadProfiles()->Profiles()->Count(), 0);

    // On the welcome page Cancel closes without a question.
    TRegIniFile(ServerWizardKey).WriteInteger("", "HideWelcome", 0);
    prompts_.Then([](QDialog& Dialog) { TWizard(Dialog).Host.Button3->click(); });
    EXPECT_EQ(RunServerProfileWizard(), 2);
}

TEST_F(ServerWizard, ATakenOrInvalidNameIsRefusedAndEmptied)
{
    UploadProfiles()->Add()->ItemName = "ABC";
    prompts_.Then([](QDialog& Dialog) {
        TWizard wizard(Dialog);
        wizard.Next();
        for (const char* name : {"abc", "a/b"}) {
            wizard.Client.txtProfileName->setText(name);
            wizard.LeaveName();
            EXPECT_EQ(wizard.Client.txtProfileName->text(), "");
            EXPECT_FALSE(wizard.NextEnabled());
        }
        wizard.Host.Button3->click();
    });
    prompts_.Then([](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains("The server profile name 'abc' already exist. Please select another name."))
            << Describe(Dialog).toStdString();
        Click("OK")(Dialog);
    });
    prompts_.Then([](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains("Sorry, a server profile name cannot be empty nor contain any of the "
                                              "following characters:\r\n\\, /, :, *, ?, \", <, >, |."))
            << Describe(Dialog).toStdString();
        Click("OK")(Dialog);
    });
    prompts_.Then(Click("&Yes"));
    EXPECT_EQ(RunServerProfileWizard(), 2);
}

TEST_F(ServerWizard, ExistingFirewallsAreOfferedAndTheChoiceLandsInTheProfile)
{
    for (const char* name : {"Office", "Home"})
        Firewalls()->Add()->ItemName = name;
    prompts_.Then([](QDialog& Dialog) {
        TWizard wizard(Dialog);
        wizard.Next();
        wizard.Client.txtProfileName->setText("Work");
        for (int step = 1; step <= 3; ++step)
            wizard.Next();
        wizard.Client.optProxyYes->setChecked(true);
        wizard.Next();
        EXPECT_EQ(wizard.Panel(), "pnlStep5");
        EXPECT_TRUE(wizard.Client.pnlFirewalls->isVisible());
        ASSERT_EQ(wizard.Client.cbFirewalls->count(), 2);
        EXPECT_EQ(wizard.Client.cbFirewalls->currentText(), "Office");
        EXPECT_TRUE(wizard.NextEnabled());
        wizard.Client.cbFirewalls->setCurrentIndex(1);
        wizard.Next();
        wizard.Back(); // the list is made once
        EXPECT_EQ(wizard.Client.cbFirewalls->count(), 2);
        wizard.Next();
        wizard.Next();
    });
    EXPECT_EQ(RunServerProfileWizard(), 1);
    const THiveKey root = Saved();
    EXPECT_EQ(Text(root, ProfilesKey + "Work", "Firewall"), "Home");
    EXPECT_EQ(Text(root, FirewallsKey + "Default", "FirewallType"), "<missing>");
}

TEST_F(ServerWizard, ANewSocksServerBecomesTheDefaultFirewall)
{
    prompts_.Then([](QDialog& Dialog) {
        TWizard wizard(Dialog);
        wizard.Next();
        wizard.Client.txtProfileName->setText("Socks Site");
        for (int step = 1; step <= 3; ++step)
            wizard.Next();
        wizard.Client.optProxyYes->setChecked(true);
        wizard.Next();
        EXPECT_FALSE(wizard.Client.pnlFirewalls->isVisible());
        EXPECT_FALSE(wizard.NextEnabled()); // no type chosen yet
        wizard.Client.cbConnectionType->setCurrentIndex(0);
        EXPECT_TRUE(wizard.Client.Fields->grpProxy->isVisible());
        EXPECT_FALSE(wizard.Client.Fields->grpSocks->isVisible());
        wizard.Client.cbConnectionType->setCurrentIndex(3);
        EXPECT_FALSE(wizard.Client.Fields->grpProxy->isVisible());
        EXPECT_TRUE(wizard.Client.Fields->grpSocks->isVisible());
        wizard.Client.Fields->txtSocksServer->setText("socks.example.com");
        wizard.Client.Fields->txtSocksPort->setText("1080");
        wizard.Client.Fields->txtSocksPassword->setText("pw");
        wizard.Next();
        wizard.Next();
    });
    EXPECT_EQ(RunServerProfileWizard(), 1);
    const THiveKey root = Saved();
    EXPECT_EQ(Text(root, ProfilesKey + "Socks Site", "Firewall"), "Default");
    const QString firewall = FirewallsKey + "Default";
    EXPECT_EQ(Text(root, firewall, "FirewallType"), "3");
    EXPECT_EQ(Text(root, firewall, "SocksServer"), "socks.example.com");
    EXPECT_EQ(Text(root, firewall, "SocksPort"), "1080");
    EXPECT_EQ(Text(root, firewall, "SocksPassword"), PasswordToStore("pw"));
}

TEST_F(ServerWizard, AnonymousKeepsItsPasswordWithoutSavePasswordAndHideWelcomeIsStored)
{
    prompts_.Then([](QDialog& Dialog) {
        TWizard wizard(Dialog);
        wizard.Client.chkHideWelcome->setChecked(true);
        wizard.Next();
        wizard.Client.txtProfileName->setText("Public");
        wizard.Next();
        wizard.Client.chkAnonymous->setChecked(true);
        EXPECT_EQ(wizard.Client.txtUsername->text(), "anonymous");
        EXPECT_EQ(wizard.Client.txtPassword->text(), "Wanderpost77@");
        EXPECT_EQ(wizard.Client.txtPassword->echoMode(), QLineEdit::Normal);
        wizard.Client.chkSavePassword->setChecked(false);
        for (int step = 2; step <= 6; ++step)
            wizard.Next();
    });
    EXPECT_EQ(RunServerProfileWizard(), 1);
    const THiveKey root = Saved();
    EXPECT_EQ(Text(root, ProfilesKey + "Public", "Username"), "anonymous");
    EXPECT_EQ(Text(root, ProfilesKey + "Public", "Password"), "Wanderpost77@");
    EXPECT_EQ(Text(root, ServerWizardKey, "HideWelcome"), "1");
}
