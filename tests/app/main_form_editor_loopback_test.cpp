// The editor's server documents against pyftpdlib on loopback: a remote page edited in a "~ED"
// copy and saved back with Ctrl+S, saved into the current folder instead of its own, and a
// declined replacement there that keeps the document modified.
#include "loopback_login.h"

#include "app/editor_tab_set.h"
#include "app/remote_list_view.h"
#include "editor/document/memo_strings.h"
#include "editor/file_object.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "routines/file_routines.h"
#include "session/session_engine.h"
#include "support/pump.h"
#include "support/scripted_prompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QTest>

namespace {

QByteArray ReadFile(const QString& Path)
{
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The first line from From on that starts with Prefix; -1 when none.
int IndexOfLine(const QStringList& Lines, const QString& Prefix, int From)
{
    for (int i = From; i < Lines.size(); ++i)
        if (Lines[i].startsWith(Prefix))
            return i;
    return -1;
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << Path.toStdString();
    file.write(Bytes);
}

} // namespace

class MainFormEditorLoopback : public TLoopbackFormTest {
protected:
    void SetUp() override
    {
        TLoopbackFormTest::SetUp();
        if (!server_)
            return;
        WriteFile(account_.home + "/site/index.html", "<p>old</p>\n");
        QDir(account_.home).mkpath("other");
        WriteFile(account_.home + "/other/keep.txt", "k\n");
    }
    // Makes the window, logs in and lists Folder.
    bool ConnectTo(const QString& Folder)
    {
        TTarnwickFTPApp& form = MakeForm();
        form.resize(900, 640);
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            return false;
        StartLogin(form);
        if (!Listed("/"))
            return false;
        return ChangeTo(Folder);
    }
    bool ChangeTo(const QString& Folder)
    {
        if (Form->Engine().State.CurrentRemoteFolder != Folder)
            FtpChangeDir(Form->FtpClient(), Folder);
        return Listed(Folder);
    }
    bool Listed(const QString& Folder)
    {
        return Settled([&] {
            return Form->Engine().State.CurrentRemoteFolder == Folder && Form->lvRemote->Count() > 1 &&
                   !Form->lvRemote->Retrieving();
        });
    }
    bool Settled(const std::function<bool()>& Condition)
    {
        return pumpUntil([&] { return Condition() && Form->FtpClient().State() == ftpReady; }, 20000);
    }
    // Selects the remote entry Caption of the current folder, in the focused remote list.
    bool SelectRemote(const QString& Caption)
    {
        Form->activateWindow();
        Form->lvRemote->View()->setFocus();
        TListItem* item = Form->lvRemote->Item(Form->Engine().RemoteList.IndexOfCaption(Caption));
        if (!item)
            return false;
        Form->lvRemote->ClearSelection();
        item->SetSelected(true);
        Form->lvRemote->SetItemFocused(item);
        QApplication::processEvents();
        return true;
    }
    // Edits the remote file Caption of the current folder; true once its tab is open.
    bool EditRemote(const QString& Caption)
    {
        if (!SelectRemote(Caption))
            return false;
        Form->ExecuteAction("actFtpEdit");
        return Settled([&] { return Form->TabSetEdit->Tabs().Count() == 1; });
    }
    // A step that keeps what the dialog says in Question and clicks Button.
    static TScriptedPrompts::TStep Answer(QString& Question, const QString& Button)
    {
        return [&Question, Button](QDialog& Dialog) {
            Question = Describe(Dialog);
            Click(Button)(Dialog);
        };
    }
    // The remote list's drag entering Target and dropped there; true when both were taken.
    static bool DropRemoteDrag(QWidget* Target)
    {
        const QPoint at = Target->rect().center();
        QMimeData data;
        data.setData("application/x-tarnwick-remote-items", "lvRemote");
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Target, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }
    // Types Text at the start of the document and presses Ctrl+S in the editor.
    void TypeAndSave(const QString& Text)
    {
        TSyntaxMemo& editor = *Form->SynMemo;
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        editor.setFocus();
        editor.SetSelStart(0);
        QTest::keyClicks(&editor, Text);
        QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    }
    TFileObject& Document() { return *Form->GetDocument(-1); }
};

TEST_F(MainFormEditorLoopback, EditsARemotePageInACopyAndSavesItBack)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/site/"));
    ASSERT_TRUE(EditRemote("index.html"));
    const TFileObject& document = Document();
    EXPECT_EQ(document.RemotePath, "/site/index.html");
    EXPECT_TRUE(document.IsRemote);
    EXPECT_EQ(QFileInfo(document.FileName).absolutePath() + '/', GetTempFolder());
    EXPECT_TRUE(QFileInfo(document.FileName).fileName().startsWith("~ED"));
    EXPECT_TRUE(document.FileName.endsWith(".html"));
    EXPECT_EQ(Form->SynMemo->Lines().Strings(0), "<p>old</p>");
    EXPECT_EQ(document.ParserName, "Web Documents");

    // Editing it again selects the tab without another download.
    ASSERT_TRUE(EditRemote("index.html"));

    TypeAndSave("new ");
    ASSERT_TRUE(Settled([&] { return ReadFile(account_.home + "/site/index.html") == "new <p>old</p>\n"; }))
        << ReadFile(account_.home + "/site/index.html").toStdString();
    EXPECT_FALSE(Form->SynMemo->Modified());
    EXPECT_FALSE(Document().Modified);
}

TEST_F(MainFormEditorLoopback, ARemoteFileDraggedOntoTheEditorAreaIsDownloadedAndOpened)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/"));
    // A folder only gets its message.
    ASSERT_TRUE(SelectRemote("other"));
    EXPECT_TRUE(DropRemoteDrag(Form->fraHFTP));
    EXPECT_EQ(Messages, QStringList({"Only files can be opened in the editor."}));
    EXPECT_EQ(Form->TabSetEdit->Tabs().Count(), 0);

    ASSERT_TRUE(ChangeTo("/site/"));
    ASSERT_TRUE(SelectRemote("index.html"));
    QString question;
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&Yes"));
    EXPECT_TRUE(DropRemoteDrag(Form->fraHFTP));
    ASSERT_TRUE(Settled([&] { return Form->TabSetEdit->Tabs().Count() == 1; }));
    EXPECT_TRUE(question.contains("Would you like to open 'index.html'? If Yes, Tarnwick Halyard FTP 5.2 will take a "
                                  "moment to download this file."))
        << question.toStdString();
    EXPECT_EQ(Document().RemotePath, "/site/index.html");
    EXPECT_TRUE(QFileInfo(Document().FileName).fileName().startsWith("~ED"));
    EXPECT_EQ(Form->SynMemo->Lines().Strings(0), "<p>old</p>");
    // The tree's drag is not taken by the editor.
    QMimeData tree;
    tree.setData("application/x-tarnwick-remote-items", "tvRemote");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &tree, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form->SynMemo->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(MainFormEditorLoopback, CurrentSavesIntoTheCurrentFolder)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/site/"));
    ASSERT_TRUE(EditRemote("index.html"));
    ASSERT_TRUE(ChangeTo("/other/"));
    QString question;
    TScriptedPrompts prompts;
    prompts.Then(Answer(question, "&Current"));
    TypeAndSave("x");
    ASSERT_TRUE(Settled([&] { return QFileInfo::exists(account_.home + "/other/index.html"); }));
    EXPECT_TRUE(question.contains("The original location of the file '/site/index.html' is different the current "
                                  "folder location \r\n'/other/'."))
        << question.toStdString();
    EXPECT_EQ(Document().RemotePath, "/other/index.html");
    EXPECT_EQ(ReadFile(account_.home + "/other/index.html"), "x<p>old</p>\n");
    EXPECT_EQ(ReadFile(account_.home + "/site/index.html"), "<p>old</p>\n");
}

TEST_F(MainFormEditorLoopback, ADeclinedReplacementKeepsTheDocumentModified)
{
    NEED_SERVER();
    WriteFile(account_.home + "/other/index.html", "theirs\n");
    ASSERT_TRUE(ConnectTo("/site/"));
    ASSERT_TRUE(EditRemote("index.html"));
    ASSERT_TRUE(ChangeTo("/other/"));
    TScriptedPrompts prompts;
    prompts.Then(Click("&Current")).Then([](QDialog& Dialog) { Dialog.done(ReplaceNo); });
    TypeAndSave("x");
    EXPECT_EQ(prompts.Shown(), 2);
    EXPECT_TRUE(Form->SynMemo->Modified());
    EXPECT_EQ(Document().RemotePath, "/site/index.html");
    EXPECT_EQ(ReadFile(account_.home + "/other/index.html"), "theirs\n");

    // A close stops at the unsaved document.
    MessageAnswer = mrCancel;
    EXPECT_FALSE(Form->CloseAllDocuments());
    EXPECT_EQ(Form->TabSetEdit->Tabs().Count(), 1);
}

TEST_F(MainFormEditorLoopback, AFailedUploadMarksTheDocumentModifiedAgain)
{
    NEED_SERVER();
    ASSERT_TRUE(ConnectTo("/site/"));
    ASSERT_TRUE(EditRemote("index.html"));
    // The folder goes away on the server: the upload is refused.
    ASSERT_TRUE(QDir(account_.home + "/site").removeRecursively());
    TypeAndSave("x");
    const QStringList& log = Form->Engine().Log.Lines();
    // The refusal follows the STOR line.
    ASSERT_TRUE(Settled([&] {
        const int stor = IndexOfLine(log, "> STOR ", 0);
        return stor >= 0 && IndexOfLine(log, "< 5", stor) > stor && Document().Modified;
    })) << log.join('\n').toStdString();
    EXPECT_TRUE(Form->SynMemo->Modified());
    EXPECT_TRUE(Document().Modified);
    EXPECT_FALSE(QFileInfo::exists(account_.home + "/site/index.html"));
}
