// The replace, delete, close and search prompts: their answers to each button, their defaults and
// texts, and what the search prompt keeps in the registry.
#include "dialogs/close_app_dlg.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/confirm_replace_dlg.h"
#include "dialogs/search_dlg.h"

#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/application.h"
#include "platform/widgets/label.h"
#include "platform/widgets/std_controls.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

TScriptedPrompts::TStep CloseBox()
{
    return [](QDialog& Dialog) { Dialog.close(); };
}

QStringList VisibleButtons(QDialog& Dialog)
{
    QStringList captions;
    for (QPushButton* button : Dialog.findChildren<QPushButton*>()) {
        if (button->isVisibleTo(&Dialog))
            captions << button->text();
    }
    return captions;
}

} // namespace

TEST(Prompts, ReplaceAndDeleteAnswerByButton)
{
    TRegistryScope scope;
    const struct {
        bool Multiple;
        TScriptedPrompts::TStep Step;
        int Result;
    } replaceCases[] = {
        {false, Click("&Yes"), 6},       {false, Click("&No"), 7},         {false, Press(Qt::Key_Return), 6},
        {true, Click("&Yes"), 6},        {true, Click("Yes to &All"), 10}, {true, Click("&No"), 7},
        {true, Click("Cancel"), 2},      {true, CloseBox(), 2},            {true, Press(Qt::Key_Escape), 2},
    };
    for (const auto& c : replaceCases) {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TConfirmReplaceDlgFrm&>(Dialog);
            EXPECT_EQ(form.windowTitle(), "Confirm File Replace");
            EXPECT_EQ(VisibleButtons(form), c.Multiple ? QStringList({"&Yes", "Yes to &All", "&No", "Cancel"})
                                                       : QStringList({"&Yes", "&No"}));
            EXPECT_EQ(form.lblFilename->text(), "This folder already contains a file named 'index.html'.");
            EXPECT_EQ(form.lblExisting->text(), "12 KB\r\nmodified: 01/02/2024");
            EXPECT_EQ(form.lblNew->text(), "14 KB\r\nmodified: 03/04/2024");
            c.Step(Dialog);
        });
        EXPECT_EQ(TConfirmReplaceDlgFrm::Execute("index.html", "12 KB", "01/02/2024", "14 KB", "03/04/2024",
                                                 c.Multiple),
                  c.Result);
    }

    const struct {
        TScriptedPrompts::TStep Step;
        int Result;
    } deleteCases[] = {{Click("&Yes"), 6}, {Click("&No"), 7}, {Press(Qt::Key_Return), 7}};
    for (const auto& c : deleteCases) {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TConfirmDeleteDlgFrm&>(Dialog);
            EXPECT_EQ(form.windowTitle(), "Delete Folder");
            EXPECT_EQ(form.Label1->text(), "Are you sure you want to delete 'docs'?");
            EXPECT_TRUE(form.btnNo->isDefault());
            EXPECT_EQ(form.focusWidget(), form.btnNo);
            c.Step(Dialog);
        });
        EXPECT_EQ(TConfirmDeleteDlgFrm::Execute("Delete Folder", "Are you sure you want to delete 'docs'?"), c.Result);
    }
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_EQ(Dialog.windowTitle(), "Confirm Delete"); // no caption keeps the dialog's own
        Dialog.close();
    });
    EXPECT_EQ(TConfirmDeleteDlgFrm::Execute("", "Delete?"), 2);
}

TEST(Prompts, ClosePromptPreselectsImmediateShutDown)
{
    const struct {
        TScriptedPrompts::TStep Step;
        int Result;
    } cases[] = {
        {Click("OK"), 2},
        {[](QDialog& Dialog) {
             static_cast<TCloseAppFrm&>(Dialog).cbClose->setCurrentIndex(0);
             ButtonOf(Dialog, "OK")->click();
         },
         1},
        {Click("Cancel"), -1},
        {CloseBox(), -1},
    };
    for (const auto& c : cases) {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TCloseAppFrm&>(Dialog);
            const QString title = Application->Title();
            EXPECT_EQ(form.windowTitle(), "Shut Down " + title);
            EXPECT_EQ(form.lblCaption->text(), "What do you want " + title + " to do?");
            EXPECT_EQ(form.cbClose->currentText(), "Immediately Shut Down");
            EXPECT_EQ(form.lblHint->text(), "Immediately shut down the application, terminating any current task.");
            form.cbClose->setCurrentIndex(0);
            EXPECT_EQ(form.lblHint->text(), "Complete the current task and shut down gracefully. (Recommended)");
            form.cbClose->setCurrentIndex(1);
            c.Step(Dialog);
        });
        EXPECT_EQ(ShowCloseAppDlg(), c.Result);
    }
}

TEST(Prompts, SearchKeepsItsHistoryAlwaysAndItsAnswersOnOkOnly)
{
    TRegistryScope scope;
    const QString key = "Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\Search\\";
    bool lookInAll = false, matchCase = false;
    QString text;
    auto search = [&](const QString& Typed, TScriptedPrompts::TStep Finish) {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TSearchDlgFrm&>(Dialog);
            form.cbSearch->setEditText("");
            EXPECT_FALSE(form.btnOk->isEnabled());
            QTest::keyClicks(form.cbSearch->lineEdit(), Typed);
            EXPECT_EQ(form.btnOk->isEnabled(), !Typed.isEmpty());
            Finish(Dialog);
        });
        return TSearchDlgFrm::Execute(lookInAll, matchCase, text);
    };
    auto items = [&] {
        QStringList found;
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            auto& form = static_cast<TSearchDlgFrm&>(Dialog);
            for (int i = 0; i < form.cbSearch->count(); ++i)
                found << form.cbSearch->itemText(i);
            Dialog.reject();
        });
        TSearchDlgFrm::Execute(lookInAll, matchCase, text);
        return found;
    };

    // First use: the defaults, and Cancel stores no answers.
    TScriptedPrompts first;
    first.Then([](QDialog& Dialog) {
        auto& form = static_cast<TSearchDlgFrm&>(Dialog);
        EXPECT_EQ(form.LookInIndex(), 1);
        EXPECT_FALSE(form.chkMatchCase->isChecked());
        EXPECT_EQ(form.cbSearch->count(), 0);
        Dialog.reject();
    });
    EXPECT_EQ(TSearchDlgFrm::Execute(lookInAll, matchCase, text), 2);
    EXPECT_FALSE(TRegIniFile(key).ValueExists("", "LookInAll"));

    EXPECT_EQ(search("index.html", [](QDialog& Dialog) {
                  auto& form = static_cast<TSearchDlgFrm&>(Dialog);
                  form.SetLookInIndex(0);
                  form.chkMatchCase->setChecked(true);
                  QTest::keyClick(form.cbSearch->lineEdit(), Qt::Key_Return);
              }),
              1);
    EXPECT_EQ(text, "index.html");
    EXPECT_FALSE(lookInAll);
    EXPECT_TRUE(matchCase);
    EXPECT_EQ(search("style.css", Click("OK")), 1);
    EXPECT_EQ(search("index.html", Click("OK")), 1); // already there: not again
    EXPECT_EQ(search("logo.gif", Click("Cancel")), 2);
    EXPECT_EQ(text, "index.html");
    scope.Reload(); // read back from the registry file
    EXPECT_EQ(items(), QStringList({"style.css", "index.html"}));

    TRegIniFile answers(key);
    EXPECT_EQ(answers.ReadInteger("", "LookInAll", -1), 0);
    EXPECT_EQ(answers.ReadInteger("", "MatchCase", -1), 1);
    EXPECT_EQ(answers.ReadString("", "LastSearch", ""), "index.html");
    // The stored answers come back, and the last search is selected.
    TScriptedPrompts again;
    again.Then([](QDialog& Dialog) {
        auto& form = static_cast<TSearchDlgFrm&>(Dialog);
        EXPECT_EQ(form.LookInIndex(), 0);
        EXPECT_TRUE(form.chkMatchCase->isChecked());
        EXPECT_EQ(form.cbSearch->currentText(), "index.html");
        EXPECT_TRUE(form.btnOk->isEnabled());
        Dialog.reject();
    });
    TSearchDlgFrm::Execute(lookInAll, matchCase, text);
}

TEST(Prompts, SearchHistoryHoldsTenEntries)
{
    TRegistryScope scope;
    bool lookInAll = true, matchCase = false;
    QString text;
    for (int i = 0; i < 13; ++i) {
        TScriptedPrompts prompts;
        prompts.Then([i](QDialog& Dialog) {
            auto& form = static_cast<TSearchDlgFrm&>(Dialog);
            form.cbSearch->setEditText(QString("name%1").arg(i));
            ButtonOf(Dialog, "OK")->click();
        });
        TSearchDlgFrm::Execute(lookInAll, matchCase, text);
    }
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        auto& form = static_cast<TSearchDlgFrm&>(Dialog);
        EXPECT_LE(form.cbSearch->count(), 11);
        EXPECT_EQ(form.cbSearch->itemText(0), "name12");
        Dialog.reject();
    });
    TSearchDlgFrm::Execute(lookInAll, matchCase, text);
}
