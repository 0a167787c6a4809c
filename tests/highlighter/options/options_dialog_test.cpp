// The editor options dialog run through the parser: the pages shown, the copy of the settings
// that Cancel drops and OK keeps, the margin and number edits, the key assignments, the word
// lists and picking elements in the sample.
#include "highlighter/options/dfs_color_button.h"
#include "highlighter/options/key_assign_dialog.h"
#include "highlighter/options/options_dialog.h"
#include "highlighter/options/sm_hot_key.h"
#include "highlighter/options/spin_button.h"
#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"

#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"

#include "platform/registry/registry.h"
#include "platform/rtl/streams.h"
#include "platform/ui/shortcut_text.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

QByteArray SettingsBytes(const TSM_Settings& Settings)
{
    TMemoryStream stream;
    Settings.SaveToStream(stream);
    return QByteArray(static_cast<const char*>(stream.Memory()), int(stream.Size()));
}

TOptionsDialog& Options(QDialog& Dialog)
{
    return static_cast<TOptionsDialog&>(Dialog);
}

class OptionsDialog : public ::testing::Test {
protected:
    TComponent owner_;
    std::vector<TSyntaxMemoParser*> parsers_ = CreateLanguageParsers(&owner_);
    TSyntaxMemoParser& parser_ = *parsers_.front();

    // A change on every page: an option, a margin, a style's colour, a binding, a replacement
    // and a template.
    static void ChangeEveryPage(TOptionsDialog& Dialog)
    {
        Dialog.OptionBox("WordSelectBox")->click();
        Dialog.LeftBorderWidthBox->setText(QStringLiteral("50"));
        Dialog.SynElementsBox->setCurrentRow(0);
        Dialog.ForegroundButton->SetColor(TColor(0x123456));
        Dialog.CommandDescListBox->setCurrentRow(0);
        Dialog.DeleteButton->click();
        Dialog.ReplaceBox->setText(QStringLiteral("recieve"));
        Dialog.WithBox->setText(QStringLiteral("receive"));
        Dialog.AutoReplButton1->click();
        Dialog.cteNameBox->setText(QStringLiteral("zz"));
        Dialog.cteDescBox->setText(QStringLiteral("a template"));
        Dialog.SyntaxMemo1->SetText("body");
        Dialog.CodeTemplateButton1->click();
    }
};

TEST_F(OptionsDialog, AnEmptyPageSetShowsNothing)
{
    TScriptedPrompts prompts;
    EXPECT_FALSE(parser_.ShowOptionsDialog(0));
    EXPECT_EQ(prompts.Shown(), 0);
}

TEST_F(OptionsDialog, OnlyTheKeyAssignmentsPageIsItsOneActiveTab)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        EXPECT_EQ(options.windowTitle(), QStringLiteral("Editor Options"));
        EXPECT_EQ(options.PageControl->count(), 1);
        EXPECT_EQ(options.PageControl->currentWidget(), options.KeysPage);
        EXPECT_EQ(options.PageControl->tabText(0), QStringLiteral("Key assignments"));
        options.CancelButton->click();
    });
    EXPECT_FALSE(parser_.ShowOptionsDialog(1 << ppKEYS));
}

TEST_F(OptionsDialog, AllPagesOpenOnHighlightingWithTheSampleShowingTheLanguage)
{
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        EXPECT_EQ(options.PageControl->count(), 5);
        EXPECT_EQ(options.PageControl->currentWidget(), options.HighlightingPage);
        EXPECT_EQ(options.LangNameBox->text(), parser_.Settings().Name);
        EXPECT_FALSE(options.FEditor->GetText().empty());
        // The sample is highlighted: some character carries a token.
        std::vector<std::uint8_t> tokens(std::size_t(options.FEditor->TextLength()) + 1);
        options.FEditor->GetTokenBytes(tokens, nullptr);
        EXPECT_TRUE(std::any_of(tokens.begin(), tokens.end(), [](std::uint8_t t) { return t != 0; }));
        // The element list ends in the three fixed items.
        const int count = options.SynElementsBox->count();
        ASSERT_GT(count, 3);
        EXPECT_EQ(options.SynElementsBox->item(count - 3)->text(), QStringLiteral("Selected text"));
        EXPECT_EQ(options.SynElementsBox->item(count - 3)->data(Qt::UserRole).toInt(), 16384);
        EXPECT_EQ(options.SynElementsBox->item(count - 2)->data(Qt::UserRole).toInt(), 16385);
        EXPECT_EQ(options.SynElementsBox->item(count - 1)->text(), QStringLiteral("Gutter"));
        EXPECT_EQ(options.SynElementsBox->item(count - 1)->data(Qt::UserRole).toInt(), 16386);
        EXPECT_EQ(options.OptionBoxes.size(), 22u);
        options.CancelButton->click();
    });
    EXPECT_FALSE(parser_.ShowOptionsDialog(AllPropEdPages));
}

TEST_F(OptionsDialog, CancelLeavesTheSettingsAsTheyWereAndOkTakesTheCopy)
{
    // An editor of the language, which keeps showing the parser's own settings throughout.
    TSyntaxMemo editor;
    editor.SetParser(1, &parser_);
    editor.SetActiveParser(1);
    const int gutter = editor.Gutter();
    const QByteArray before = SettingsBytes(parser_.Settings());
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) {
        ChangeEveryPage(Options(dialog));
        Options(dialog).CancelButton->click();
    });
    EXPECT_FALSE(parser_.ShowOptionsDialog(AllPropEdPages));
    EXPECT_EQ(SettingsBytes(parser_.Settings()), before);
    EXPECT_EQ(&editor.Settings(), &parser_.Settings());
    EXPECT_EQ(editor.Gutter(), gutter);
    EXPECT_EQ(parser_.Editors(), std::vector<TMemoCore*>{&editor});

    QByteArray confirmed;
    prompts.Then([&](QDialog& dialog) {
        ChangeEveryPage(Options(dialog));
        Options(dialog).OKButton->click();
        confirmed = SettingsBytes(*Options(dialog).Copy());
    });
    EXPECT_TRUE(parser_.ShowOptionsDialog(AllPropEdPages));
    EXPECT_NE(confirmed, before);
    EXPECT_EQ(SettingsBytes(parser_.Settings()), confirmed);
    EXPECT_EQ(parser_.Settings().Gutter, 50);
    EXPECT_EQ(editor.Gutter(), 50);
    EXPECT_TRUE(parser_.Settings().AutoReplace().Macros().size() > 0);
}

TEST_F(OptionsDialog, OkStoresTheSettingsWhenTheParserUsesTheRegistry)
{
    TRegistryScope registry;
    parser_.UseRegistry = true;
    parser_.RegistryKey = QStringLiteral("Software\\Test\\Parsers");
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) { Options(dialog).OKButton->click(); });
    EXPECT_TRUE(parser_.ShowOptionsDialog(AllPropEdPages));
    registry.Reload();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(parser_.RegistryKey));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("Highlighting - ") + parser_.Settings().Name));
}

TEST_F(OptionsDialog, OnModifyPropertiesStandsInForTheDialog)
{
    TObject* seen = nullptr;
    parser_.OnModifyProperties = [&](TObject* Sender) { seen = Sender; };
    TScriptedPrompts prompts;
    EXPECT_FALSE(parser_.ShowOptionsDialog(AllPropEdPages));
    EXPECT_EQ(seen, &parser_);
    EXPECT_EQ(prompts.Shown(), 0);
}

TEST_F(OptionsDialog, MarginEditsKeepNumbersUpTo199AndTheSpinButtonsStepThem)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        QLineEdit* edit = options.RightMarginWidthBox;
        for (const char* text : {"", "abc", "200", "-1"}) {
            edit->setText(QLatin1String(text));
            EXPECT_EQ(edit->text(), QStringLiteral("1")) << text;
            EXPECT_EQ(options.Copy()->RightMargin, 1) << text;
        }
        edit->setText(QStringLiteral("199"));
        EXPECT_EQ(edit->text(), QStringLiteral("199"));
        EXPECT_EQ(options.Copy()->RightMargin, 199);
        options.MarginSpin->UpButton()->Click();
        EXPECT_EQ(edit->text(), QStringLiteral("199"));
        options.MarginSpin->DownButton()->Click();
        EXPECT_EQ(edit->text(), QStringLiteral("198"));
        EXPECT_EQ(options.Copy()->RightMargin, 198);
        // The spin button stands inside the right end of its edit.
        const QRect spin = options.MarginSpin->geometry();
        const QRect box(options.RightMarginWidthBox->mapTo(options.OptionsPage, QPoint(0, 0)),
                        options.RightMarginWidthBox->size());
        EXPECT_EQ(spin.right(), box.right() - 2);
        EXPECT_EQ(spin.top(), box.top() + 2);

        // Only digits and editing keys reach the edits.
        options.WrapColumnBox->clear();
        QTest::keyClicks(options.WrapColumnBox, QStringLiteral("a1-2 "));
        EXPECT_EQ(options.WrapColumnBox->text(), QStringLiteral("12"));
        options.CancelButton->click();
    });
    parser_.ShowOptionsDialog(1 << ppOPTIONS);
}

TEST_F(OptionsDialog, ANumberThatIsNoneIsReportedAndTheOldValueComesBack)
{
    TScriptedPrompts prompts;
    QString message;
    prompts.Then([&](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        const QString old = options.IndentStepBox->text();
        options.IndentStepBox->setText(QStringLiteral("x"));
        Q_EMIT options.IndentStepBox->editingFinished();
        EXPECT_EQ(options.IndentStepBox->text(), old);
        options.TabColumnsBox->setText(QStringLiteral("9,3"));
        Q_EMIT options.TabColumnsBox->editingFinished();
        EXPECT_EQ(options.TabColumnsBox->text(), QString());
        options.CancelButton->click();
    });
    prompts.Then([&](QDialog& dialog) {
        message = Describe(dialog);
        ButtonOf(dialog, QStringLiteral("OK"))->click();
    });
    prompts.Then([&](QDialog& dialog) { ButtonOf(dialog, QStringLiteral("OK"))->click(); });
    parser_.ShowOptionsDialog(1 << ppOPTIONS);
    EXPECT_TRUE(message.contains(QStringLiteral("'x' is not a valid integer value"))) << message.toStdString();
}

TEST_F(OptionsDialog, DeletingACommandsLastBindingLeavesItWithoutBindings)
{
    int command = -1;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        // The first command that has a binding.
        for (int row = 0; row < options.CommandDescListBox->count(); ++row) {
            options.CommandDescListBox->setCurrentRow(row);
            if (options.CommandKeysListBox->count() > 0)
                break;
        }
        command = options.CommandRecordAt(options.CommandDescListBox->currentRow())->Command;
        while (options.CommandKeysListBox->count() > 0)
            options.DeleteButton->click();
        options.OKButton->click();
    });
    EXPECT_TRUE(parser_.ShowOptionsDialog(1 << ppKEYS));
    ASSERT_GE(command, 0);
    TShortCut key1 = 1;
    TShortCut key2 = 1;
    parser_.Settings().KeyController().FindFirstKeys(command, key1, key2);
    EXPECT_EQ(key1, 0);
}

// Two commands given one sequence: the dialog says so and stays open; once one of them is
// corrected OK applies, and the binding texts show what the wizard captured.
TEST_F(OptionsDialog, ASequenceBoundTwiceKeepsTheDialogOpenUntilCorrected)
{
    TScriptedPrompts prompts;
    QString message;
    int second = -1;
    const auto addBinding = [&](TOptionsDialog& Options, int Row, Qt::Key Key2) {
        prompts.Then([Key2](QDialog& dialog) {
            auto& wizard = static_cast<TKeyAssignDialog&>(dialog);
            QTest::keyClick(wizard.HotKey1, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
            wizard.NextButton->click();
            QTest::keyClick(wizard.HotKey2, Key2);
            wizard.NextButton->click();
        });
        Options.CommandDescListBox->setCurrentRow(Row);
        Options.AddButton->click();
    };
    prompts.Then([&](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        // Ctrl+Alt+Q, F11 for two commands: drop what they had first, so only the new pair clashes.
        for (int row : {0, 1}) {
            options.CommandDescListBox->setCurrentRow(row);
            while (options.CommandKeysListBox->count() > 0)
                options.DeleteButton->click();
        }
        addBinding(options, 0, Qt::Key_F11);
        EXPECT_EQ(options.CommandKeysListBox->item(0)->text(), QStringLiteral("[Ctrl+Alt+Q]  [F11]"));
        addBinding(options, 1, Qt::Key_F11);
        second = options.CommandRecordAt(1)->Command;

        prompts.Then([&](QDialog& box) {
            message = Describe(box);
            ButtonOf(box, QStringLiteral("OK"))->click();
        });
        options.OKButton->click();
        EXPECT_TRUE(options.isVisible());

        // The second becomes a one-key binding of Ctrl+Alt+W.
        prompts.Then([](QDialog& dialog2) {
            auto& wizard = static_cast<TKeyAssignDialog&>(dialog2);
            EXPECT_EQ(wizard.HotKey1->text(), QStringLiteral("Ctrl+Alt+Q"));
            QTest::keyClick(wizard.HotKey1, Qt::Key_W, Qt::ControlModifier | Qt::AltModifier);
            wizard.NextButton->click();
            wizard.ClearKey2Button->click();
            wizard.NextButton->click();
        });
        options.CommandDescListBox->setCurrentRow(1);
        options.EditButton->click();
        EXPECT_EQ(options.CommandKeysListBox->item(0)->text(), QStringLiteral("[Ctrl+Alt+W]  [<none>]"));
        options.OKButton->click();
    });
    EXPECT_TRUE(parser_.ShowOptionsDialog(1 << ppKEYS));
    EXPECT_TRUE(message.contains(QStringLiteral("Duplicate key sequence definition"))) << message.toStdString();
    TShortCut key1 = 0;
    TShortCut key2 = 0;
    parser_.Settings().KeyController().FindFirstKeys(second, key1, key2);
    EXPECT_EQ(key1, TShortCut(scCtrl | scAlt | 'W'));
    EXPECT_EQ(key2, 0);
}

TEST_F(OptionsDialog, PressesInTheSampleWithinFivePixelsPickNothingNew)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        QWidget* viewport = options.FEditor->viewport();
        // A press on the first character picks its element; then another element is chosen by
        // hand, and a press 5 pixels away changes nothing, 6 pixels away picks again.
        const QPoint first = options.FEditor->PointFromPosition(0) + QPoint(2, 2);
        QTest::mousePress(viewport, Qt::LeftButton, {}, first);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, first);
        const int picked = options.SynElementsBox->currentRow();
        ASSERT_GE(picked, 0);
        options.SynElementsBox->setCurrentRow(options.SynElementsBox->count() - 1);
        QTest::mousePress(viewport, Qt::LeftButton, {}, first + QPoint(5, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, first + QPoint(5, 0));
        EXPECT_EQ(options.SynElementsBox->currentRow(), options.SynElementsBox->count() - 1);
        QTest::mousePress(viewport, Qt::LeftButton, {}, first + QPoint(0, 6));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, first + QPoint(0, 6));
        EXPECT_NE(options.SynElementsBox->currentRow(), options.SynElementsBox->count() - 1);
        options.CancelButton->click();
    });
    parser_.ShowOptionsDialog(1 << ppHIGHLIGHTING);
}

TEST_F(OptionsDialog, AStyleTakesTheColoursAndAttributesOfTheButtonsAndBoxes)
{
    TScriptedPrompts prompts;
    int style = -1;
    prompts.Then([&](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        options.SynElementsBox->setCurrentRow(0);
        style = options.SynElementsBox->item(0)->data(Qt::UserRole).toInt();
        if (options.UseDefForeBox->isChecked())
            options.UseDefForeBox->click();
        options.ForegroundButton->SetColor(TColor(0x0000FF));
        options.UseBoldBox->setChecked(false);
        options.UseBoldBox->click();
        // Gutter: only the background counts.
        options.SynElementsBox->setCurrentRow(options.SynElementsBox->count() - 1);
        EXPECT_FALSE(options.ForegroundButton->isEnabled());
        EXPECT_FALSE(options.UseDefForeBox->isEnabled());
        if (options.UseDefBackBox->isChecked())
            options.UseDefBackBox->click();
        options.BackgroundButton->SetColor(TColor(0x00FF00));
        options.OKButton->click();
    });
    EXPECT_TRUE(parser_.ShowOptionsDialog(1 << ppHIGHLIGHTING));
    const TSM_StyleEffect& effect = parser_.Settings().GetStyleEffects(style);
    EXPECT_EQ(effect.Foreground, TColor(0x0000FF));
    EXPECT_TRUE(effect.FontStyles & 1);
    EXPECT_EQ(parser_.Settings().GutterColor, TColor(0x00FF00));
}

TEST_F(OptionsDialog, TheWordListsAddReplaceAndDeleteIntoTheCopy)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& dialog) {
        TOptionsDialog& options = Options(dialog);
        TSM_Settings& copy = *options.Copy();
        // Auto correct: add two words, replace one's replacement, delete the other.
        for (auto [word, with] : {std::pair{"Teh", "the"}, std::pair{"adn", "and"}}) {
            options.ReplaceBox->setText(QLatin1String(word));
            options.WithBox->setText(QLatin1String(with));
            EXPECT_EQ(options.AutoReplButton1->text(), QStringLiteral("Add"));
            options.AutoReplButton1->click();
        }
        EXPECT_EQ(options.AutoReplBox->currentItem()->text(), QStringLiteral("adn\tand"));
        options.ReplaceBox->setText(QStringLiteral("teh"));
        options.WithBox->setText(QStringLiteral("then"));
        EXPECT_EQ(options.AutoReplButton2->text(), QStringLiteral("Replace"));
        options.AutoReplBox->setCurrentRow(1);
        options.WithBox->setText(QStringLiteral("then"));
        options.AutoReplButton2->click();
        options.AutoReplBox->setCurrentRow(0);
        EXPECT_EQ(options.ReplaceBox->text(), QStringLiteral("adn"));
        EXPECT_EQ(options.AutoReplButton2->text(), QStringLiteral("Delete"));
        options.AutoReplButton2->click();
        ASSERT_EQ(copy.AutoReplace().Macros().size(), 1u);
        EXPECT_EQ(copy.AutoReplace().Macros()[0].Name, QByteArray("teh"));
        EXPECT_EQ(copy.AutoReplace().Macros()[0].Body, QByteArray("then"));

        // Code templates: add, change the body (Replace), then delete.
        options.cteNameBox->setText(QStringLiteral("tbl"));
        options.cteDescBox->setText(QStringLiteral("a table"));
        options.SyntaxMemo1->SetText("<table>");
        options.CodeTemplateButton1->click();
        EXPECT_EQ(options.CodeTemplateButton2->text(), QStringLiteral("Delete"));
        options.SyntaxMemo1->SetText("<table border>");
        EXPECT_EQ(options.CodeTemplateButton2->text(), QStringLiteral("Replace"));
        options.CodeTemplateButton2->click();
        QByteArray body;
        EXPECT_TRUE(copy.CodeTemplates().GetMacro("tbl", body));
        EXPECT_EQ(body, QByteArray("<table border>"));
        EXPECT_EQ(options.CodeTemplateButton2->text(), QStringLiteral("Delete"));
        options.CodeTemplateButton2->click();
        EXPECT_FALSE(copy.CodeTemplates().GetMacro("tbl", body));
        EXPECT_EQ(options.cteListBox->count(), 0);

        // A trigger key needs Ctrl or Alt: Shift+F2 becomes Alt+F2 when the box is left.
        options.cteHotkey->SetHotKey(scShift | (win::VK_F1 + 1));
        QFocusEvent focusOut(QEvent::FocusOut);
        QCoreApplication::sendEvent(options.cteHotkey, &focusOut);
        EXPECT_EQ(copy.CodeTemplates().TriggerKey, TShortCut(scAlt | (win::VK_F1 + 1)));
        options.CancelButton->click();
    });
    parser_.ShowOptionsDialog(1 << ppAUTOCORRECT | 1 << ppTEMPLATES);
}

} // namespace
