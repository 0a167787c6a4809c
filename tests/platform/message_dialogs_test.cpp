// Message dialogs: buttons in the set's order with their results, titles and icons, the default
// and Escape buttons, the close box, the check box; the prompt service and the screen cursor.
#include "platform/widgets/message_form.h"
#include "platform/widgets/prompt_service.h"
#include "platform/ui/screen.h"

#include "support/qt_printers.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace {

// The captions of the push buttons from left to right, as laid out on the shown dialog.
QStringList CaptionsLeftToRight(QDialog& Dialog)
{
    QList<QPushButton*> buttons = Dialog.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [&](QPushButton* a, QPushButton* b) {
        return a->mapTo(&Dialog, QPoint()).x() < b->mapTo(&Dialog, QPoint()).x();
    });
    QStringList captions;
    for (QPushButton* button : buttons)
        captions += button->text();
    return captions;
}

} // namespace

TEST(MessageDialogs, ButtonsStandInTheSetOrderAndGiveTheirResults)
{
    const TMsgDlgButtons all = {mbYes,   mbNo,     mbOK,  mbCancel,  mbAbort,
                                mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll};
    const QStringList allCaptions = {"&Yes",   "&No",     "OK",   "Cancel",     "&Abort",
                                     "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All"};
    const int allResults[] = {mrYes,   mrNo,     mrOk,  mrCancel,  mrAbort,
                              mrRetry, mrIgnore, mrAll, mrNoToAll, mrYesToAll};
    const struct {
        TMsgDlgButtons buttons;
        QStringList captions;
    } cases[] = {
        {all, allCaptions},
        // the set decides the order, not the order written
        {{mbCancel, mbNo, mbYes}, {"&Yes", "&No", "Cancel"}},
        {{mbYesToAll, mbOK, mbNoToAll}, {"OK", "N&o to All", "Yes to &All"}},
    };
    for (const auto& c : cases) {
        for (int clicked = 0; clicked < c.captions.size(); ++clicked) {
            TScriptedPrompts prompts;
            prompts.Then([&](QDialog& Dialog) {
                EXPECT_EQ(CaptionsLeftToRight(Dialog), c.captions);
                ButtonOf(Dialog, c.captions[clicked])->click();
            });
            const int expected = allResults[allCaptions.indexOf(c.captions[clicked])];
            EXPECT_EQ(MessageDlg("text", mtConfirmation, c.buttons), expected)
                << c.captions[clicked].toStdString();
        }
    }
}

TEST(MessageDialogs, TypesGiveTitleAndIcon)
{
    QApplication::setApplicationDisplayName("Tarnwick Halyard FTP 5.2");
    const struct {
        TMsgDlgType type;
        QString title;
        QMessageBox::Icon icon;
    } cases[] = {
        {mtWarning, "Warning", QMessageBox::Warning},
        {mtError, "Error", QMessageBox::Critical},
        {mtInformation, "Information", QMessageBox::Information},
        {mtConfirmation, "Confirm", QMessageBox::Question},
        {mtCustom, "Tarnwick Halyard FTP 5.2", QMessageBox::NoIcon},
    };
    for (const auto& c : cases) {
        auto dialog = CreateMessageDialog("Line one\nLine <b>two</b>", c.type, {mbOK});
        EXPECT_EQ(dialog->windowTitle(), c.title);
        EXPECT_EQ(dialog->icon(), c.icon);
        EXPECT_EQ(dialog->text(), "Line one\nLine <b>two</b>");
        EXPECT_EQ(dialog->textFormat(), Qt::PlainText); // no markup from file or server names
    }
}

TEST(MessageDialogs, EnterPressesTheDefaultButtonEscapeTheCancelOneTheCloseBoxCancels)
{
    const struct {
        TMsgDlgButtons buttons;
        int enter;
        int escape; // mrNone: Escape does nothing
        int closeBox;
    } cases[] = {
        {{mbYes, mbNo, mbCancel}, mrYes, mrCancel, mrCancel},
        {{mbYes, mbNo}, mrYes, mrNo, mrCancel},
        {{mbOK}, mrOk, mrOk, mrCancel},
        {{mbOK, mbCancel}, mrOk, mrCancel, mrCancel},
        {{mbYes, mbNo, mbOK}, mrOk, mrNo, mrCancel},
        {{mbAbort, mbRetry, mbIgnore}, mrAbort, mrNone, mrCancel},
        {{mbRetry}, mrRetry, mrNone, mrCancel},
    };
    for (const auto& c : cases) {
        TScriptedPrompts prompts;
        prompts.Then(Press(Qt::Key_Return));
        prompts.Then([](QDialog& Dialog) {
            QTest::keyClick(&Dialog, Qt::Key_Escape);
            if (Dialog.isVisible())
                Dialog.close(); // Escape left it open: the close box ends it
        });
        prompts.Then([](QDialog& Dialog) { Dialog.close(); });
        EXPECT_EQ(MessageDlg("text", mtWarning, c.buttons), c.enter);
        EXPECT_EQ(MessageDlg("text", mtWarning, c.buttons), c.escape == mrNone ? mrCancel : c.escape);
        EXPECT_EQ(MessageDlg("text", mtWarning, c.buttons), c.closeBox);
    }
}

TEST(MessageDialogs, CheckBoxStandsBelowTheMessageAndKeepsItsState)
{
    TScriptedPrompts prompts;
    auto dialog = CreateMessageDialog("Really?", mtConfirmation, {mbYes, mbNo});
    QCheckBox* check = dialog->AddCheckBox("Do not ask again");
    prompts.Then([&](QDialog& Dialog) {
        auto* label = Dialog.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_TRUE(label);
        EXPECT_TRUE(check->isVisible());
        EXPECT_GT(check->mapTo(&Dialog, QPoint()).y(), label->mapTo(&Dialog, QPoint()).y());
        check->click();
        ButtonOf(Dialog, "&No")->click();
    });
    EXPECT_EQ(dialog->ShowModal(), mrNo);
    EXPECT_TRUE(check->isChecked());
}

TEST(PromptService, ModalWindowsShowTheArrowAndGiveTheCursorBack)
{
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_EQ(Screen().Cursor(), crDefault);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        Dialog.close();
    });
    Screen().SetCursor(crHourGlass);
    MessageDlg("busy", mtInformation, {mbOK});
    EXPECT_EQ(Screen().Cursor(), crHourGlass);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen().SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(prompts.Shown(), 1);
}

TEST(Screen, CursorIsOneValueNotAStack)
{
    Screen().SetCursor(crHourGlass);
    Screen().SetCursor(crAppStart);
    Screen().SetCursor(crHourGlass);
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen().SetCursor(crDefault);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
