// The input prompt: OK enabled exactly while there is text, Enter and Escape, the password form,
// the picture, the busy cursor around it, and its kept position.
#include "dialogs/input_box.h"

#include "platform/registry/reg_ini_file.h"
#include "platform/ui/screen.h"
#include "platform/widgets/std_controls.h"
#include "routines/bitmap_resources.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

TInputDlgFrm& Form(QDialog& Dialog)
{
    return static_cast<TInputDlgFrm&>(Dialog);
}

} // namespace

TEST(InputBox, OkIsEnabledExactlyWhileThereIsText)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        TInputDlgFrm& form = Form(Dialog);
        EXPECT_EQ(form.windowTitle(), "New Folder");
        EXPECT_EQ(form.lblPrompt->text(), "Select a new folder name");
        EXPECT_EQ(form.focusWidget(), form.txtValue);
        EXPECT_FALSE(form.btnOk->isEnabled());
        QTest::keyClick(form.txtValue, Qt::Key_Return); // nothing happens without text
        EXPECT_TRUE(form.isVisible());
        QTest::keyClicks(form.txtValue, "ab");
        EXPECT_TRUE(form.btnOk->isEnabled());
        QTest::keyClick(form.txtValue, Qt::Key_Backspace);
        QTest::keyClick(form.txtValue, Qt::Key_Backspace);
        EXPECT_FALSE(form.btnOk->isEnabled());
        QTest::keyClicks(form.txtValue, "docs");
        QTest::keyClick(form.txtValue, Qt::Key_Return);
    });
    QString value;
    EXPECT_TRUE(InputBoxPos("New Folder", "Select a new folder name", value, 0));
    EXPECT_EQ(value, "docs");
}

TEST(InputBox, InitialTextEnablesOkEscapeAndCancelKeepTheValue)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        TInputDlgFrm& form = Form(Dialog);
        EXPECT_EQ(form.txtValue->text(), "folder");
        EXPECT_TRUE(form.btnOk->isEnabled());
        QTest::keyClicks(form.txtValue, "-changed");
        QTest::keyClick(form.txtValue, Qt::Key_Escape);
    });
    prompts.Then([](QDialog& Dialog) {
        QTest::keyClicks(Form(Dialog).txtValue, "x");
        Form(Dialog).Button2->click();
    });
    prompts.Then([](QDialog& Dialog) { Dialog.close(); });
    QString value = "folder";
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(InputBoxPos("New Folder", "Select a new folder name", value, 0));
        EXPECT_EQ(value, "folder");
    }
}

TEST(InputBox, PasswordFormHidesTheText)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        TInputDlgFrm& form = Form(Dialog);
        QTest::keyClicks(form.txtValue, "s3cret");
        EXPECT_EQ(form.txtValue->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(form.txtValue->displayText().contains("s3cret"));
        EXPECT_EQ(form.txtValue->displayText().size(), 6);
        form.btnOk->click();
    });
    QString value;
    EXPECT_TRUE(InputBoxPos2("Password Required", "Please enter the login password for 'me'", value, 5));
    EXPECT_EQ(value, "s3cret");
}

TEST(InputBox, PictureByGlyphIndex)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    const auto glyph = [](int Index) {
        QImage image;
        EXPECT_TRUE(LoadGlyph(image, Index));
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const struct {
        int icon;
        int shown;
    } cases[] = {{0, 0}, {5, 5}, {10, 10}, {-1, 10}, {11, 10}};
    for (const auto& c : cases) {
        prompts.Then([&](QDialog& Dialog) {
            const QImage shown = Form(Dialog).Image1->pixmap().toImage();
            EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied), glyph(c.shown)) << c.icon;
            Dialog.reject();
        });
        QString value;
        InputBoxPos("Caption", "Prompt", value, c.icon);
    }
}

TEST(InputBox, BusyWhileBuildingArrowWhileAskingDefaultAfter)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_EQ(Screen().Cursor(), crDefault);
        Dialog.reject();
    });
    Screen().SetCursor(crAppStart);
    QString value;
    InputBoxPos("Caption", "Prompt", value, 0);
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST(InputBox, PositionIsKeptUnderItsKey)
{
    TRegistryScope scope;
    const QString key = "Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\InputBox\\";
    TScriptedPrompts prompts;
    QSize designed;
    QSize outer;
    prompts.Then([&](QDialog& Dialog) {
        designed = Dialog.size();
        outer = Dialog.frameGeometry().size();
        Dialog.move(33, 44);
        Dialog.reject();
    });
    prompts.Then([&](QDialog& Dialog) {
        EXPECT_EQ(Dialog.frameGeometry().topLeft(), QPoint(33, 44));
        EXPECT_EQ(Dialog.size(), QSize(479, 130));
        Dialog.reject();
    });
    QString value;
    InputBoxPos("Caption", "Prompt", value, 0);
    EXPECT_EQ(designed, QSize(479, 130));
    TRegIniFile ini(key);
    EXPECT_EQ(ini.ReadInteger("", "Left", -1), 33);
    EXPECT_EQ(ini.ReadInteger("", "Top", -1), 44);
    EXPECT_EQ(ini.ReadInteger("", "Width", -1), outer.width()); // the outer frame's size
    EXPECT_EQ(ini.ReadInteger("", "Height", -1), outer.height());
    InputBoxPos2("Caption", "Prompt", value, 0);
}
