// The key assignment wizard: capturing keys, stepping, the buttons' states, edit mode and the
// keys it hands back.
#include "highlighter/options/key_assign_dialog.h"
#include "highlighter/options/sm_hot_key.h"

#include "support/scripted_prompts.h"

#include "platform/ui/shortcut_text.h"
#include "platform/widgets/label.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

namespace {

constexpr TShortCut CtrlK = scCtrl | 'K';

TKeyAssignDialog& Wizard(QDialog& Dialog)
{
    return static_cast<TKeyAssignDialog&>(Dialog);
}

struct TRun {
    bool Result = false;
    TShortCut Key1 = 0;
    TShortCut Key2 = 0;
};

TRun RunWizard(TKeyAssignMode Mode, TShortCut Key1, TShortCut Key2, TScriptedPrompts::TStep Step)
{
    TScriptedPrompts prompts;
    prompts.Then(std::move(Step));
    TKeyAssignDialog dialog;
    TRun run{false, Key1, Key2};
    run.Result = dialog.Execute(run.Key1, run.Key2, Mode, QStringLiteral("second"), QStringLiteral("first"),
                                QStringLiteral("Toggle bookmark"));
    return run;
}

TEST(SMHotKey, EveryKeyIsCapturedWithItsModifiers)
{
    QWidget form;
    auto* hotKey = new TSM_HotKey(&form);
    auto* other = new QLineEdit(&form);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    hotKey->setFocus();
    struct TCase {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Text;
    };
    const TCase cases[] = {
        {Qt::Key_K, Qt::ControlModifier, "Ctrl+K"}, {Qt::Key_Tab, {}, "Tab"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"}, {Qt::Key_Return, {}, "Enter"},
        {Qt::Key_Escape, {}, "Esc"}, {Qt::Key_Down, Qt::AltModifier, "Alt+Down"},
        {Qt::Key_F3, {}, "F3"},
    };
    for (const TCase& c : cases) {
        QTest::keyClick(hotKey, c.Key, c.Modifiers);
        EXPECT_EQ(hotKey->text(), QLatin1String(c.Text));
        EXPECT_EQ(TextToShortCut(hotKey->text()), hotKey->HotKey()) << c.Text;
        EXPECT_TRUE(hotKey->hasFocus()) << c.Text;
    }
    EXPECT_FALSE(other->hasFocus());
    EXPECT_TRUE(hotKey->isReadOnly());

    // A digit of the numeric pad is a key of its own, although its text is the digit's.
    QTest::keyClick(hotKey, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(hotKey->HotKey(), TShortCut(win::VK_NUMPAD0 + 5));
    EXPECT_EQ(hotKey->text(), QStringLiteral("5"));
}

TEST(KeyAssignDialog, WithoutAFirstKeyNeitherNextNorFinish)
{
    const TRun run = RunWizard(kamAdd, CtrlK, CtrlK, [](QDialog& dialog) {
        TKeyAssignDialog& wizard = Wizard(dialog);
        EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Add new key pair for: Toggle bookmark"));
        EXPECT_EQ(wizard.Step1Label->text(), QStringLiteral("Step 1"));
        EXPECT_EQ(wizard.Step2Label->text(), QStringLiteral("Step 2"));
        EXPECT_EQ(wizard.Step1InfoLabel->text(), QStringLiteral("first"));
        EXPECT_EQ(wizard.HotKey1->text(), QString());
        EXPECT_FALSE(wizard.NextButton->isEnabled());
        EXPECT_FALSE(wizard.BackButton->isEnabled());
        EXPECT_FALSE(wizard.ClearKey1Button->isEnabled());
        EXPECT_EQ(wizard.NextButton->text(), QStringLiteral("Next >"));
        wizard.CancelButton->click();
    });
    EXPECT_FALSE(run.Result);
    EXPECT_EQ(run.Key1, 0);
    EXPECT_EQ(run.Key2, 0);
}

TEST(KeyAssignDialog, FinishingWithoutASecondKeyGivesAOneKeyBinding)
{
    const TRun run = RunWizard(kamAdd, 0, 0, [](QDialog& dialog) {
        TKeyAssignDialog& wizard = Wizard(dialog);
        QTest::keyClick(wizard.HotKey1, Qt::Key_Return);
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_EQ(wizard.HotKey1->text(), QStringLiteral("Enter"));
        EXPECT_TRUE(wizard.NextButton->isEnabled());
        EXPECT_TRUE(wizard.ClearKey1Button->isEnabled());
        wizard.NextButton->click();
        EXPECT_EQ(wizard.Step(), 2);
        EXPECT_EQ(wizard.NextButton->text(), QStringLiteral("Finish"));
        EXPECT_TRUE(wizard.BackButton->isEnabled());
        EXPECT_FALSE(wizard.ClearKey2Button->isEnabled());
        EXPECT_TRUE(wizard.Step2Panel->isVisible());
        EXPECT_FALSE(wizard.Step1Panel->isVisible());
        wizard.NextButton->click();
    });
    EXPECT_TRUE(run.Result);
    EXPECT_EQ(run.Key1, TShortCut(win::VK_RETURN));
    EXPECT_EQ(run.Key2, 0);
}

TEST(KeyAssignDialog, EditModeShowsTheBindingAndClearingTheSecondKeyLeavesOne)
{
    const TRun run = RunWizard(kamEdit, CtrlK, 'B', [](QDialog& dialog) {
        TKeyAssignDialog& wizard = Wizard(dialog);
        EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Edit key pair for: Toggle bookmark"));
        EXPECT_EQ(wizard.HotKey1->text(), QStringLiteral("Ctrl+K"));
        EXPECT_EQ(wizard.HotKey2->text(), QStringLiteral("B"));
        wizard.NextButton->click();
        EXPECT_TRUE(wizard.ClearKey2Button->isEnabled());
        wizard.ClearKey2Button->click();
        EXPECT_EQ(wizard.HotKey2->text(), QString());
        EXPECT_TRUE(wizard.HotKey2->hasFocus());
        wizard.BackButton->click();
        EXPECT_EQ(wizard.Step(), 1);
        EXPECT_TRUE(wizard.HotKey1->hasFocus());
        wizard.NextButton->click();
        wizard.NextButton->click();
    });
    EXPECT_TRUE(run.Result);
    EXPECT_EQ(run.Key1, CtrlK);
    EXPECT_EQ(run.Key2, 0);
}

TEST(KeyAssignDialog, ANumericPadDigitComesBackAsItself)
{
    const TRun run = RunWizard(kamAdd, 0, 0, [](QDialog& dialog) {
        TKeyAssignDialog& wizard = Wizard(dialog);
        QTest::keyClick(wizard.HotKey1, Qt::Key_K, Qt::ControlModifier);
        wizard.NextButton->click();
        QTest::keyClick(wizard.HotKey2, Qt::Key_7, Qt::KeypadModifier);
        wizard.NextButton->click();
    });
    EXPECT_TRUE(run.Result);
    EXPECT_EQ(run.Key1, CtrlK);
    EXPECT_EQ(run.Key2, TShortCut(win::VK_NUMPAD0 + 7));
}

TEST(KeyAssignDialog, TheLayoutFollowsThePrompts)
{
    TKeyAssignDialog dialog;
    TShortCut key1 = 0;
    TShortCut key2 = 0;
    const QString longPrompt = QStringLiteral("Press the first key combination until the correct key sequence "
                                              "appears then press the NEXT button, and then some more words");
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog&) {
        EXPECT_EQ(dialog.Step1InfoLabel->width(), 225);
        EXPECT_EQ(dialog.HotKey1->x(), dialog.Step1InfoLabel->x() + 225 + 15);
        EXPECT_EQ(dialog.HotKey1->y(), dialog.Step1InfoLabel->y());
        EXPECT_EQ(dialog.ClearKey1Button->y(), dialog.HotKey1->geometry().bottom() + 1 + 6);
        EXPECT_EQ(dialog.ClearKey1Button->geometry().right(), dialog.HotKey1->geometry().right());
        EXPECT_GE(dialog.WizardPanel->height(), dialog.Step1InfoLabel->geometry().bottom());
        const QWidget* panel = dialog.ButtonPanel;
        EXPECT_EQ(dialog.CancelButton->geometry().right(), panel->width() - 8 - 1);
        EXPECT_EQ(dialog.NextButton->geometry().right(), dialog.CancelButton->x() - 8 - 1);
        EXPECT_EQ(dialog.BackButton->geometry().right(), dialog.NextButton->x() - 8 - 1);
        dialog.reject();
    });
    dialog.Execute(key1, key2, kamAdd, QStringLiteral("second"), longPrompt, QStringLiteral("x"));
}

} // namespace
