// The about box: its title, and the licence agreement of the program's folder or the memo's own
// text without one.
#include "dialogs/splash_screen.h"

#include "platform/rtl/application.h"
#include "routines/path_routines.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

TEST(AboutBox, ShowsTheLicenceOrTheMemosOwnText)
{
    TRegistryScope scope;
    const QString license = GetAppFolder(false) + "license.txt";
    QFile::remove(license);
    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_EQ(Dialog.windowTitle(), "About " + Application->Title() + ".0.0");
        EXPECT_EQ(Dialog.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), "Could not locate ReadMe.txt");
        ButtonOf(Dialog, "OK")->click();
    });
    TSplashScreen::ShowAbout();

    QFile file(license);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("LICENCE AGREEMENT\nUse it well.\n");
    file.close();
    prompts.Then([](QDialog& Dialog) {
        auto* memo = Dialog.findChild<QPlainTextEdit*>("Memo1");
        const QStringList lines = memo->toPlainText().split('\n');
        ASSERT_GE(lines.size(), 4);
        EXPECT_TRUE(lines[0].contains(Application->Title()));
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[2], "LICENCE AGREEMENT");
        EXPECT_EQ(lines[3], "Use it well.");
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QTest::keyClick(&Dialog, Qt::Key_Escape);
    });
    TSplashScreen::ShowAbout();
    QFile::remove(license);
}

TEST(AboutBox, ControlDoubleClickOnThePictureShowsTheCredits)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        QLabel* picture = Dialog.findChild<QLabel*>("Image14");
        ASSERT_NE(picture, nullptr);
        QTest::mouseDClick(picture, Qt::LeftButton); // without Ctrl: nothing
        prompts.Then([](QDialog& Credits) {
            EXPECT_EQ(Credits.windowTitle(), "Information");
            ButtonOf(Credits, "OK")->click();
        });
        QTest::mouseDClick(picture, Qt::LeftButton, Qt::ControlModifier);
        ButtonOf(Dialog, "OK")->click();
    });
    TSplashScreen::ShowAbout();
    EXPECT_EQ(prompts.Shown(), 2);
}
