// The transfer and zip progress windows: the bars, the texts, the Cancel flags and the window
// that Cancel keeps hidden, the single instances.
#include "dialogs/basic_progress_frm.h"
#include "dialogs/copy_animation.h"
#include "dialogs/ftp_progress_dlg.h"

#include "platform/widgets/label.h"
#include "support/registry_scope.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

TTransferInfo Info(const QString& Action)
{
    return {Action, "/pub/a.zip", "/home/me/a.zip", "00:00:02", "00:00:08", "1.2 KB/s", "20 KB of 100 KB"};
}

} // namespace

TEST(ProgressWindows, AccessorsMakeOneWindowAndFreeIt)
{
    TRegistryScope scope;
    TFtpProgressDlgFrm* window = GetFtpProgressDlgFrm();
    EXPECT_EQ(GetFtpProgressDlgFrm(), window);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->windowTitle(), "File Transfer");
    EXPECT_EQ(window->size(), QSize(390, 278));
    EXPECT_EQ(GetFtpProgressDlgFrm(true), nullptr);
    EXPECT_EQ(GetFtpProgressDlgFrm(true), nullptr);
    TBasicProgressFrm* basic = GetBasicProgressFrm();
    EXPECT_EQ(GetBasicProgressFrm(), basic);
    EXPECT_EQ(basic->windowTitle(), "Zipping...");
    EXPECT_EQ(GetBasicProgressFrm(true), nullptr);
}

TEST(ProgressWindows, FileAndMultiFileBarsStepByOne)
{
    TRegistryScope scope;
    TFtpProgressDlgFrm window;
    auto* prg = window.findChild<QProgressBar*>("prg");
    auto* prgMulti = window.findChild<QProgressBar*>("prgMulti");
    ASSERT_TRUE(prg && prgMulti);
    EXPECT_TRUE(prgMulti->isHidden());

    window.SetFileProgress(40, "");
    window.SetFileProgress(-1, "");
    EXPECT_EQ(prg->value(), 41);
    EXPECT_EQ(window.windowTitle(), "File Transfer");
    window.SetFileProgress(50, "index.html");
    EXPECT_EQ(window.windowTitle(), "index.html - 50% Completed");

    window.SetMultiRange(0, 7);
    EXPECT_FALSE(prgMulti->isHidden());
    window.SetMultiProgress(true, -1);
    window.SetMultiProgress(true, -1);
    window.SetMultiProgress(true, -1);
    EXPECT_EQ(prgMulti->maximum(), 7);
    EXPECT_EQ(window.lblMulti->text(), "3 of 7 Completed");
    window.SetMultiProgress(false, 9); // the file bar back to 0, a new maximum
    EXPECT_EQ(prg->value(), 0);
    EXPECT_EQ(window.lblMulti->text(), "3 of 9 Completed");

    window.Reset();
    EXPECT_TRUE(prgMulti->isHidden());
    EXPECT_EQ(prgMulti->maximum(), 100);
    EXPECT_EQ(prgMulti->value(), 0);
    EXPECT_TRUE(window.lblMulti->text().isEmpty());
}

TEST(ProgressWindows, CancelKeepsTheWindowHiddenUntilReset)
{
    TRegistryScope scope;
    TFtpProgressDlgFrm window;
    window.SetTransferInfo(Info("Downloading a.zip"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Animate->Active());
    EXPECT_EQ(window.windowTitle(), "Downloading a.zip");
    const std::pair<const char*, const char*> labels[] = {
        {"lblAction", "Downloading a.zip"}, {"lblFrom", "/pub/a.zip"},     {"lblTo", "/home/me/a.zip"},
        {"lblElaspeTime", "00:00:02"},      {"lblEstTime", "00:00:08"},    {"lblTransferRate", "1.2 KB/s"},
        {"lblTransferred", "20 KB of 100 KB"},
    };
    for (const auto& [name, text] : labels)
        EXPECT_EQ(window.findChild<TLabel*>(name)->text(), text) << name;

    window.findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(window.AbortRequested);
    EXPECT_TRUE(window.StopRequested);
    EXPECT_TRUE(window.isVisible()); // the caller hides it
    window.hide();
    EXPECT_FALSE(window.Animate->Active());
    window.SetTransferInfo(Info("Uploading b.zip"));
    EXPECT_EQ(window.lblAction->text(), "Uploading b.zip");
    EXPECT_FALSE(window.isVisible());
    window.Reset();
    EXPECT_FALSE(window.AbortRequested || window.StopRequested);
    window.SetTransferInfo(Info("Uploading b.zip"));
    EXPECT_TRUE(window.isVisible());

    QTest::keyClick(&window, Qt::Key_Escape); // Escape is Cancel too
    EXPECT_TRUE(window.AbortRequested);
    EXPECT_TRUE(window.isVisible());
}

TEST(ProgressWindows, ClearLabelCaptionsKeepsTheFixedTexts)
{
    TRegistryScope scope;
    TFtpProgressDlgFrm window;
    window.SetTransferInfo(Info("Downloading a.zip"));
    window.hide();
    ClearLabelCaptions(&window);
    QStringList fixed;
    for (TLabel* label : window.findChildren<TLabel*>()) {
        if (label->Tag == 20)
            fixed << label->text();
        else
            EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    }
    EXPECT_EQ(fixed, QStringList({"From:", "To:", "Elasped time:", "Estimated time left:", "Transfer rate:",
                                  "Transferred:"}));
}

TEST(ProgressWindows, BasicWindowShowsItselfAndCancelGivesTwo)
{
    TRegistryScope scope;
    TBasicProgressFrm window;
    window.SetStatus("Zipping", "index.html");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Zipping...");
    EXPECT_EQ(window.lblStatus->text(), "Zipping index.html...");
    window.hide();
    window.SetProgress(30);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.prgBar->value(), 30);
    window.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(window.ModalResult(), 2);
    EXPECT_FALSE(window.isVisible());
}
