// The wizard frame: running a client by its class name, the Next button's caption, a client that
// refuses to close, and the frame's size rules.
#include "dialogs/wizard/win2k_wiz_frm.h"
#include "dialogs/wizard/wiz2k_wiz_cli_frm.h"
#include "dialogs/wizard/wizard_class_factory.h"
#include "platform/ui/action_list.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

namespace {

// Three steps; closing is granted or refused by AllowClose.
class TTestWizClient : public TWiz2kWizCliFrm {
public:
    using TWiz2kWizCliFrm::TWiz2kWizCliFrm;
    static inline bool AllowClose = true;
    static inline int CloseQueries = 0;
    int Step = 0;

    bool CanGoBack() override { return Step > 0; }
    bool IsLastStep() override { return Step == 2; }
    void CloseQuery(bool& CanClose, int) override
    {
        ++CloseQueries;
        CanClose = AllowClose;
    }
    void Next() override
    {
        if (++Step > 2)
            Host()->Finish();
    }
    void Back() override { --Step; }
};

const QString TestClass = QStringLiteral("TTestWizClient");

void RegisterTestClient()
{
    RegisterWizardClass(TestClass, [](QWidget* Owner) { return new TTestWizClient(Owner); });
}

TWin2kWizFrm& Host(QDialog& Dialog)
{
    return dynamic_cast<TWin2kWizFrm&>(Dialog);
}

int OpenWizards()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += dynamic_cast<TWin2kWizFrm*>(widget) != nullptr;
    return count;
}

class WizardFrame : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClient(); }
    TRegistryScope scope_;
    TScriptedPrompts prompts_;
};

} // namespace

TEST_F(WizardFrame, AnUnknownClassShowsItsErrorAndMakesNoForm)
{
    prompts_.Then([](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains("WizardClassFactory cannot find the class \"TNoSuchWizard\"."))
            << Describe(Dialog).toStdString();
        EXPECT_EQ(OpenWizards(), 0);
        Click("OK")(Dialog);
    });
    EXPECT_EQ(WizardClassFactory("TNoSuchWizard", true, false, true, QString()), 2);
}

TEST_F(WizardFrame, NextFollowsTheLastStepAndFinishGivesOne)
{
    prompts_.Then([](QDialog& Dialog) {
        TWin2kWizFrm& host = Host(Dialog);
        host.ActionList->UpdateActions();
        EXPECT_EQ(host.Button1->text(), "< Back");
        EXPECT_FALSE(host.Button1->isEnabled());
        EXPECT_EQ(host.Button3->text(), "Cancel");
        const char* captions[] = {"Next >", "Next >", "Finish"};
        for (const char* caption : captions) {
            host.ActionList->UpdateActions();
            EXPECT_EQ(host.btnNext->text(), caption);
            if (QString(caption) == "Finish") {
                host.Button1->click();
                host.ActionList->UpdateActions();
                EXPECT_EQ(host.btnNext->text(), "Next >");
                host.btnNext->click();
                host.ActionList->UpdateActions();
                EXPECT_EQ(host.btnNext->text(), "Finish");
            }
            host.btnNext->click();
        }
    });
    EXPECT_EQ(WizardClassFactory(TestClass, true, false, true, QString()), 1);
}

TEST_F(WizardFrame, AClientRefusingToCloseKeepsTheHostOpen)
{
    prompts_.Then([](QDialog& Dialog) {
        TWin2kWizFrm& host = Host(Dialog);
        TTestWizClient::AllowClose = false;
        TTestWizClient::CloseQueries = 0;
        host.Button3->click();
        EXPECT_TRUE(host.isVisible());
        for (int i = 0; i < 3; ++i)
            host.btnNext->click(); // past the last step: Finish
        EXPECT_TRUE(host.isVisible());
        EXPECT_EQ(TTestWizClient::CloseQueries, 2);
        TTestWizClient::AllowClose = true;
        host.Button3->click();
        EXPECT_FALSE(host.isVisible());
    });
    EXPECT_EQ(WizardClassFactory(TestClass, true, false, true, QString()), 2);
}

TEST_F(WizardFrame, WithNothingStoredTheSizeIsKeptOrMadeSmaller)
{
    for (const bool keepSize : {true, false}) {
        prompts_.Then([keepSize](QDialog& Dialog) {
            TWin2kWizFrm& host = Host(Dialog);
            if (keepSize)
                EXPECT_EQ(host.size(), QSize(534, 414));
            else
                EXPECT_EQ(QSize(host.Width(), host.Height()), QSize(503, 385));
            host.Button3->click();
        });
        WizardClassFactory(TestClass, keepSize, true, true,
                           QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5\\Wizards\\Size %1\\").arg(keepSize));
    }
}
