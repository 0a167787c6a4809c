// Remembered answers: read from text or number flags, kept only for a ticked answer that is not
// Cancel, Ignore or No, answered without a dialog once kept; captions on the buttons in order.
#include "settings/forms/remembered_dialogs.h"

#include "platform/registry/reg_ini_file.h"
#include "platform/registry/registry.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

namespace {

const QString Key = "Software\\Tarnwick Software\\Halyard FTP 5\\Main Form\\";
const QStringList Names = {"HideRemoteDragDlg", "HideZipSuccessDlg"};

// The main window's kind of handler: the dialog's flag number picks the value name.
const TNotifyEvent RememberAnswer = [](TObject* Sender) {
    const auto* dialog = dynamic_cast<TMessageForm*>(Sender);
    ASSERT_TRUE(dialog);
    if (dialog->Tag == 1)
        StoreRememberedAnswer(Key, Names[dialog->FlagNumber]);
};

QString StoredText(const QString& Name)
{
    TRegistry reg;
    return reg.OpenKey(Key, false) && reg.GetDataType(Name) == rdString ? reg.ReadString(Name) : "<none>";
}

// Ticks the check box (or not) and clicks a button.
TScriptedPrompts::TStep Answer(bool Tick, const QString& Button)
{
    return [=](QDialog& Dialog) {
        auto* check = Dialog.findChild<QCheckBox*>();
        ASSERT_TRUE(check);
        EXPECT_EQ(check->text(), "Do not ask again");
        check->setChecked(Tick);
        ButtonOf(Dialog, Button)->click();
    };
}

} // namespace

TEST(RememberedDialogs, RememberedAnswerStandsForYesAmongTheButtons)
{
    TRegistryScope scope;
    EXPECT_EQ(RememberedAnswer(Key, "HideRemoteDragDlg", {mbYes, mbNo}), 0);
    StoreRememberedAnswer(Key, "HideRemoteDragDlg");
    EXPECT_EQ(StoredText("HideRemoteDragDlg"), "1");
    const struct {
        TMsgDlgButtons buttons;
        int answer;
    } cases[] = {
        {{mbYes, mbNo}, mrYes},       {{mbOK, mbYes}, mrYes}, {{mbOK, mbCancel}, mrOk},
        {{mbAll, mbNoToAll}, mrAll},  {{mbOK, mbAll}, mrOk},  {{mbNo, mbCancel}, mrYes},
        {{mbRetry, mbIgnore}, mrYes},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RememberedAnswer(Key, "HideRemoteDragDlg", c.buttons), c.answer);

    // a flag written as a number counts as well; any value but 1 does not
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteInteger("HideZipSuccessDlg", 1);
    EXPECT_EQ(RememberedAnswer(Key, "HideZipSuccessDlg", {mbOK}), mrOk);
    for (const char* other : {"0", "2", "yes", ""}) {
        reg.WriteString("HideZipSuccessDlg", other);
        EXPECT_EQ(RememberedAnswer(Key, "HideZipSuccessDlg", {mbOK}), 0) << other;
    }
}

TEST(RememberedDialogs, OnlyATickedAnswerThatIsNotNoCancelOrIgnoreIsKept)
{
    const struct {
        TMsgDlgButtons buttons;
        bool tick;
        QString button;
        int answer;
        bool kept;
    } cases[] = {
        {{mbYes, mbNo}, true, "&Yes", mrYes, true},
        {{mbYes, mbNo}, false, "&Yes", mrYes, false},
        {{mbYes, mbNo}, true, "&No", mrNo, false},
        {{mbYes, mbNo, mbCancel}, true, "Cancel", mrCancel, false},
        {{mbAbort, mbRetry, mbIgnore}, true, "&Ignore", mrIgnore, false},
        {{mbOK}, true, "OK", mrOk, true},
        {{mbAll, mbNoToAll}, true, "&All", mrAll, true},
    };
    for (const auto& c : cases) {
        TRegistryScope scope;
        TScriptedPrompts prompts;
        prompts.Then(Answer(c.tick, c.button));
        EXPECT_EQ(MessageDlgRemember("Open it?", "Do not ask again", Key, 1, RememberAnswer, c.buttons,
                                     mtConfirmation, "HideZipSuccessDlg"),
                  c.answer);
        EXPECT_EQ(StoredText("HideZipSuccessDlg"), c.kept ? "1" : "<none>") << c.button.toStdString();
        EXPECT_EQ(StoredText("HideRemoteDragDlg"), "<none>");
    }
}

TEST(RememberedDialogs, KeptAnswerComesBackWithoutADialog)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then(Answer(true, "&Yes"));
    for (int ask = 0; ask < 3; ++ask) {
        EXPECT_EQ(MessageDlgRemember("Open it?", "Do not ask again", Key, 0, RememberAnswer, {mbYes, mbNo},
                                     mtConfirmation, "HideRemoteDragDlg"),
                  mrYes);
    }
    EXPECT_EQ(prompts.Shown(), 1);
    // the close box is Cancel: nothing kept, and the handler is not run
    int handled = 0;
    prompts.Then([](QDialog& Dialog) {
        Dialog.findChild<QCheckBox*>()->setChecked(true);
        Dialog.close();
    });
    EXPECT_EQ(MessageDlgRemember(
                  "Print it?", "Do not ask again", Key, 0, [&](TObject*) { ++handled; }, {mbYes, mbNo},
                  mtConfirmation, "HidePrintDocDlg"),
              mrCancel);
    EXPECT_EQ(handled, 0);
}

TEST(RememberedDialogs, CaptionsGoOnTheButtonsInTheirOrder)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    const auto expectCaptions = [](const QStringList& Captions, const QString& Click) {
        return [=](QDialog& Dialog) {
            const QList<QPushButton*> buttons = static_cast<TMessageForm&>(Dialog).Buttons();
            QStringList shown;
            for (QPushButton* button : buttons)
                shown += button->text();
            EXPECT_EQ(shown, Captions);
            for (qsizetype i = 1; i < buttons.size(); ++i)
                EXPECT_GT(buttons[i]->mapTo(&Dialog, QPoint()).x(),
                          buttons[i - 1]->mapTo(&Dialog, QPoint()).x());
            ButtonOf(Dialog, Click)->click();
        };
    };
    prompts.Then(expectCaptions({"As &Link", "&Open", "Cancel"}, "&Open"));
    EXPECT_EQ(
        MessageDlgCaptions("Insert or open?", mtConfirmation, {mbCancel, mbNo, mbYes}, {"As &Link", "&Open"}),
        mrNo);

    prompts.Then([&](QDialog& Dialog) {
        expectCaptions({"&Original", "&Current", "Cancel"}, "&Original")(Dialog);
    });
    prompts.Then([&](QDialog& Dialog) {
        Dialog.findChild<QCheckBox*>()->setChecked(true);
        expectCaptions({"&Make Zip", "&No"}, "&Make Zip")(Dialog);
    });
    EXPECT_EQ(MessageDlgCaptions("Where?", mtConfirmation, {mbYes, mbNo, mbCancel},
                                 {"&Original", "&Current", "Cancel", "surplus"}),
              mrYes);
    for (int ask = 0; ask < 2; ++ask) {
        EXPECT_EQ(MessageDlgCaptionsRemember("Zip it?", "Do not ask again", Key, 1, RememberAnswer,
                                             {mbYes, mbNo}, mtInformation, "HideZipSuccessDlg",
                                             {"&Make Zip", "&No"}),
                  mrYes);
    }
    EXPECT_EQ(StoredText("HideZipSuccessDlg"), "1");
}
