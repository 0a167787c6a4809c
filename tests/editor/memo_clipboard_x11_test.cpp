// The editor's clipboard seen by another program: xclip, in a second process on the same X
// server, reads what the editor copied and offers what the editor pastes. Runs only on xcb (the
// editor_x11_clipboard test starts it under xvfb-run); elsewhere it is skipped.
#include "editor/custom_syntax_memo.h"
#include "editor/language/settings_routines.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

// Runs xclip with Arguments and Input while this program's event loop keeps serving the clipboard;
// returns its output. Fails the test when it does not end within the deadline.
QByteArray RunXclip(const QStringList& Arguments, const QByteArray& Input = {})
{
    QProcess xclip;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&xclip, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    xclip.start(QStringLiteral("xclip"),
                QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + Arguments);
    if (!Input.isNull()) {
        xclip.write(Input);
        xclip.closeWriteChannel();
    }
    deadline.start(20000);
    if (xclip.state() != QProcess::NotRunning)
        loop.exec();
    EXPECT_EQ(xclip.state(), QProcess::NotRunning) << "xclip did not end";
    if (xclip.state() != QProcess::NotRunning) {
        xclip.kill();
        xclip.waitForFinished();
    }
    return xclip.readAllStandardOutput();
}

// Offers Input as Type through xclip and waits until this program has seen the clipboard change
// hands (the X server tells it a moment later; until then Qt answers with what it knew before).
void OfferThroughXclip(const QString& Type, const QByteArray& Input)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    bool changed = false;
    QEventLoop loop;
    const QMetaObject::Connection connection =
        QObject::connect(clipboard, &QClipboard::changed, &loop, [&](QClipboard::Mode Mode) {
            if (Mode == QClipboard::Clipboard) {
                changed = true;
                loop.quit();
            }
        });
    RunXclip({QStringLiteral("-i"), QStringLiteral("-t"), Type}, Input);
    if (!changed) {
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        deadline.start(20000);
        loop.exec();
    }
    QObject::disconnect(connection);
    EXPECT_TRUE(changed) << "the clipboard did not change hands";
}

class MemoClipboardX11 : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server";
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "needs xclip";
    }
};

} // namespace

TEST_F(MemoClipboardX11, AnotherProgramReadsTheCopiedTextAndRtf)
{
    TCustomSyntaxMemo memo;
    memo.SetText("first line\r\nsecond \xe9");
    memo.SelectAll();
    memo.CopyToClipboard();
    EXPECT_EQ(RunXclip({QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("text/plain")}),
              QByteArray("first line\nsecond \xc3\xa9"));
    const QByteArray rtf = RunXclip({QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("text/rtf")});
    EXPECT_TRUE(rtf.startsWith("{\\rtf1 ")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("first line\\line \r\nsecond \\'e9")) << rtf.toStdString();
}

TEST_F(MemoClipboardX11, TextAndHtmlOfAnotherProgramPasteIn)
{
    OfferThroughXclip(QStringLiteral("text/plain"), "from xclip\nline two");
    TCustomSyntaxMemo memo;
    memo.PasteFromClipboard();
    EXPECT_EQ(memo.GetText(), "from xclip\r\nline two");

    OfferThroughXclip(QStringLiteral("text/html"), "<b>caf\xc3\xa9</b>");
    TCustomSyntaxMemo html;
    html.OnDataDrop = [](TObject*, unsigned& Types) { Types |= htmlFragmentOnly; };
    html.PasteFromClipboard();
    EXPECT_EQ(html.GetText(), "<b>caf\xe9</b>");
}
