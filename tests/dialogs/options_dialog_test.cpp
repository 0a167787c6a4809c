// The program options: nothing written without a change, ASCII extensions, color coder patterns,
// firewall entries edited in place, the sound rows and the zip folder.
#include "dialogs/confirm_delete_dlg.h"
#include "platform/widgets/label.h"
#include "dialogs/input_box.h"
#include "dialogs/options/app_settings_dlg_frm.h"
#include "platform/registry/hive_file.h"
#include "platform/rtl/string_list.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/std_controls.h"
#include "routines/registry_helpers.h"
#include "settings/app_settings.h"
#include "settings/firewalls.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QFocusEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

namespace {

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        TFtpAppSettings settings(nullptr, MainFormRegKey);
        settings.EmailAddress = "me@example.com";
        settings.SoundBitField = 0b10101;
        settings.SoundGet = "get.wav";
        settings.SoundPut = "put.wav";
        TStringList extensions;
        extensions.Add(".htm");
        settings.SetExtensions(&extensions);
        TStringList filters;
        filters.Add("HTML=*.htm;*.html[html]");
        filters.Add("Perl=*.pl[pl]");
        settings.SetEditFileFilters(&filters);
        TFirewallContainer firewalls(nullptr, skRegistry, InternetRegKey);
        firewalls.Add()->ItemName = "Office";
    }

    // Opens the dialog over the stored settings and firewalls, hands it to Drive, and saves both.
    // The windows the dialog opens meanwhile take the steps queued by Later.
    int Run(const std::function<void(TAppSettingsDlgFrm& Form)>& Drive, const std::vector<TScriptedPrompts::TStep>& Later = {})
    {
        auto settings = std::make_unique<TFtpAppSettings>(nullptr, MainFormRegKey);
        auto firewalls = std::make_unique<TFirewallContainer>(nullptr, skRegistry, InternetRegKey);
        prompts_.Then([&](QDialog& Dialog) { Drive(static_cast<TAppSettingsDlgFrm&>(Dialog)); });
        for (const TScriptedPrompts::TStep& step : Later)
            prompts_.Then(step);
        const int result = ExecuteAppSettingsDlg(*settings, *firewalls);
        settings.reset();
        firewalls.reset();
        scope_.Reload();
        return result;
    }
    // The stored settings and firewalls.
    static std::unique_ptr<TFtpAppSettings> Settings() { return std::make_unique<TFtpAppSettings>(nullptr, MainFormRegKey); }

    static void Type(QLineEdit* Edit, const QString& Text)
    {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(Edit, &in);
        Edit->setText(Text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Edit, &out);
    }
    // A step that answers the input box with Text.
    static TScriptedPrompts::TStep Answer(const QString& Caption, const QString& Text)
    {
        return [Caption, Text](QDialog& Dialog) {
            auto& box = static_cast<TInputDlgFrm&>(Dialog);
            EXPECT_EQ(box.windowTitle(), Caption);
            box.txtValue->setText(Text);
            box.btnOk->click();
        };
    }
    static TScriptedPrompts::TStep Expect(const QString& Text)
    {
        return [Text](QDialog& Dialog) {
            EXPECT_TRUE(Describe(Dialog).contains(Text)) << Describe(Dialog).toStdString();
            Dialog.done(mrOk);
        };
    }

    TRegistryScope scope_;
    TScriptedPrompts prompts_;
};

QStringList Lines(TStrings* Strings)
{
    QStringList lines;
    for (int i = 0; i < Strings->Count(); ++i)
        lines << Strings->Strings(i);
    return lines;
}

} // namespace

TEST_F(OptionsDialog, OkWithoutAChangeWritesNothing)
{
    Run([](TAppSettingsDlgFrm& Form) { Form.btnOk->click(); }); // the dialog's own place is kept once
    const QByteArray before = scope_.FileText();
    EXPECT_EQ(Run([](TAppSettingsDlgFrm& Form) {
                  for (int tab = 0; tab < 4; ++tab)
                      Form.tabSettings->setCurrentIndex(tab);
                  EXPECT_FALSE(Form.Modified);
                  Form.btnOk->click();
              }),
              1);
    EXPECT_EQ(scope_.FileText(), before);
}

TEST_F(OptionsDialog, AsciiExtensionsGetTheirDotAndInvalidOnesAreRefused)
{
    const QString caption = "Add ASCII File Extension";
    Run([](TAppSettingsDlgFrm& Form) {
        Form.tabSettings->setCurrentIndex(1);
        for (int i = 0; i < 3; ++i)
            Form.btnAdd->click();
        EXPECT_EQ(Form.lbExtensions->count(), 2);
        EXPECT_EQ(Form.lbExtensions->currentItem()->text(), ".txt");
        Form.lbExtensions->setCurrentRow(0);
        Form.btnDelete->click();
        EXPECT_EQ(Form.lbExtensions->currentItem()->text(), ".txt");
        Form.btnOk->click();
    },
        {Answer(caption, "txt"), Answer(caption, ".TXT"), Answer(caption, "*"),
         Expect("Sorry, a file extension cannot be empty nor contain any of the following characters:\r\n"
                "\\, /, :, *, ?, \", <, >")});
    EXPECT_EQ(Lines(Settings()->Extensions()), QStringList{".txt"});
}

TEST_F(OptionsDialog, RemovingTheDefaultPatternMakesTheNextOneTheDefaultAndTheLastStays)
{
    Run([](TAppSettingsDlgFrm& Form) {
        Form.tabSettings->setCurrentIndex(2);
        EXPECT_EQ(Form.lbColorCoders->currentItem()->text(), "HTML");
        EXPECT_EQ(Form.cbDefaultExt->currentText(), "*.html");
        Form.lbParserExt->setCurrentRow(1);
        ASSERT_EQ(Form.lbParserExt->currentItem()->text(), "*.html");
        Form.btnRemoveExt->click();
        EXPECT_EQ(Form.cbDefaultExt->currentText(), "*.htm");
        EXPECT_FALSE(Form.btnRemoveExt->isEnabled());
        Form.btnRemoveExt->setEnabled(true); // even when asked, the last pattern stays
        Form.btnRemoveExt->click();
        EXPECT_EQ(Form.lbParserExt->count(), 1);
        Form.SpeedButton1->click();
        EXPECT_EQ(Form.lbParserExt->count(), 2);
        Form.btnOk->click();
    },
        {Expect("Unable to delete item. There must be, at least, one file extension associated with a color coder."),
         Answer("Add File Extension to 'HTML' Color Coder", "shtml")});
    EXPECT_EQ(Lines(Settings()->EditFileFilters()), (QStringList{"HTML=*.htm;*.shtml[htm]", "Perl=*.pl[pl]"}));
}

TEST_F(OptionsDialog, FirewallsAreEditedInPlaceEvenOnCancel)
{
    const TScriptedPrompts::TStep confirmDelete = [](QDialog& Dialog) {
        EXPECT_EQ(static_cast<TConfirmDeleteDlgFrm&>(Dialog).Label1->text(),
                  "Are you sure you want to permanently delete 'Home'?");
        Click("&Yes")(Dialog);
    };
    EXPECT_EQ(Run([](TAppSettingsDlgFrm& Form) {
                  Form.tabSettings->setCurrentIndex(3);
                  EXPECT_EQ(Form.cbFirewalls->currentText(), "Office");
                  Form.cbConnectionType->setCurrentIndex(0);
                  Type(Form.Fields->txtProxyServer, "proxy.example.com");
                  Form.SpeedButton2->click();
                  EXPECT_EQ(Form.cbFirewalls->count(), 1);
                  Form.SpeedButton2->click();
                  EXPECT_EQ(Form.cbFirewalls->currentText(), "Home");
                  EXPECT_EQ(Form.Fields->txtProxyServer->text(), "");
                  Form.btnDelFirewall->click();
                  EXPECT_EQ(Form.cbFirewalls->count(), 1);
                  EXPECT_EQ(Form.Fields->txtProxyServer->text(), "proxy.example.com");
                  Type(Form.txtFirewallComment, "main office");
                  Form.Button2->click();
              },
                  {Answer("New Firewall", "office"),
                   Expect("The Firewall Name 'office' already exist. Please select another name."),
                   Answer("New Firewall", "Home"), confirmDelete}),
              2);
    TFirewallContainer firewalls(nullptr, skRegistry, InternetRegKey);
    ASSERT_EQ(firewalls.Firewalls()->Count(), 1);
    EXPECT_EQ(firewalls.GetFirewall(0)->ProxyServer, "proxy.example.com");
    EXPECT_EQ(firewalls.GetFirewall(0)->Comment, "main office");
    EXPECT_FALSE(scope_.FileText().contains("Firewalls\\Home"));
}

TEST_F(OptionsDialog, SoundRowsCarryTheirBitsAndTheZipFolderComesFromThePicker)
{
    const TFolderPicker previous = SetFolderPicker([](const QString&, QString& Folder) {
        Folder = "/home/me/zips";
        return true;
    });
    Run([](TAppSettingsDlgFrm& Form) {
        QStringList labels;
        for (int row = 0; row < 5; ++row)
            labels << Form.lvSounds->topLevelItem(row)->text(0);
        EXPECT_EQ(labels, (QStringList{"Connect", "Transfer Completed", "Error", "Download", "Upload"}));
        EXPECT_EQ(Form.lvSounds->topLevelItem(3)->text(1), "get.wav");
        const Qt::CheckState expected[] = {Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Unchecked, Qt::Checked};
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(Form.lvSounds->topLevelItem(row)->checkState(0), expected[row]) << row;
        Form.lvSounds->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        Form.lvSounds->topLevelItem(3)->setCheckState(0, Qt::Checked);
        EXPECT_TRUE(Form.Modified);
        Form.tabSettings->setCurrentIndex(1);
        Form.btnBrowse->click();
        EXPECT_EQ(Form.txtZipSaveFolder->text(), "/home/me/zips/");
        Form.btnOk->click();
    });
    SetFolderPicker(previous);
    EXPECT_EQ(Settings()->SoundBitField, 0b11100);
    EXPECT_EQ(Settings()->ZipSaveFolder, "/home/me/zips/");
}
