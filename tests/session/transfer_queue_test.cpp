// The transfer of one file: the transfer type by the settings, automatic mode by the extension;
// the confirmation before a file is replaced.
#include "recording_local_pane.h"
#include "session_fixture.h"
#include "support/recording_ftp_client.h"
#include "support/scripted_prompts.h"

#include "dialogs/confirm_replace_dlg.h"
#include "dialogs/ftp_progress_dlg.h"

#include "session/session_engine.h"

namespace {

using TransferQueue = TSessionTest;

TEST_F(TransferQueue, TransferTypeFollowsTheModeAndTheExtension)
{
    Settings().Extensions()->Add(".html");
    Settings().Extensions()->Add(".txt");
    struct Case {
        int mode;
        QString name;
        bool binary;
    };
    const Case cases[] = {
        {0, "/l/pic.gif", false}, {1, "/l/page.html", true},  {2, "/l/PAGE.HTML", false},
        {2, "/l/pic.gif", true},  {2, "/l/notes.TxT", false}, {2, "/l/html", true},
        {2, "/l.txt/noext", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.name.toStdString());
        Settings().TransferMode = c.mode;
        EXPECT_EQ(TransferIsBinary(c.name), c.binary);
    }
}

TEST_F(TransferQueue, TransferFileSetsTheTypeFirstAndResumesByTag)
{
    TRecordingFtpClient client;
    TRecordingLocalPane pane;
    TSessionEngine engine(client, Window, pane);
    Settings().TransferMode = 2;
    Settings().Extensions()->Add(".html");

    engine.TransferFile("/l/index.html", "index.html", RecurseDownload);
    EXPECT_EQ(client.Requests, QStringList{"TypeAsciiAsync"});
    EXPECT_EQ(client.Tag, RecurseDownload);
    EXPECT_EQ(client.HostFileName(), "index.html");
    EXPECT_EQ(client.LocalFileName(), "/l/index.html");

    client.Requests.clear();
    engine.TransferFile("/l/pic.gif", "pic.gif", RecurseUpload);
    EXPECT_EQ(client.Requests, QStringList{"TypeBinaryAsync"});
    EXPECT_EQ(client.Tag, RecurseUpload);

    client.Requests.clear();
    engine.TransferFile("/l/pic.gif", "pic.gif", 22);
    EXPECT_TRUE(client.Requests.isEmpty());
}

class ConfirmOverwrite : public TSessionTest {
protected:
    ConfirmOverwrite()
    {
        Settings().OverwritePrompt = true;
        Tree.File("local/same.txt", "local");
        Tree.Folder("local/sub");
        Pane.Folder = Tree.Path("local");
        Engine.RemoteList.FillRemoteList({"-rw-r--r--   1 u g     3000 Jan 15 10:30 same.txt",
                                          "-rw-r--r--   1 u g     3000 Jan 15 10:30 other.txt",
                                          "drwxr-xr-x   2 u g     4096 Jan 15 10:30 sub"},
                                         false);
    }

    // Answers the replace prompt with Answer; records whether it offered the buttons of several files.
    TScriptedPrompts::TStep Answer(int Result)
    {
        return [this, Result](QDialog& Dialog) {
            auto* form = dynamic_cast<TConfirmReplaceDlgFrm*>(&Dialog);
            ASSERT_NE(form, nullptr) << Describe(Dialog).toStdString();
            Multiple.push_back(form->pnlMultiple->isVisibleTo(form));
            Dialog.done(Result);
        };
    }

    ~ConfirmOverwrite() override { GetFtpProgressDlgFrm(true); }

    TRecordingFtpClient Client;
    TRecordingLocalPane Pane;
    TSessionEngine Engine{Client, Window, Pane};
    std::vector<bool> Multiple;
};

// The queues and name checks over the same folders and remote list.
using Queues = ConfirmOverwrite;

TEST_F(ConfirmOverwrite, AsksOnlyWhenAFileWouldBeReplaced)
{
    struct Case {
        const char* name;
        bool prompt;
        int replaceAnswer;
        QString path;
        int code;
        int answer; // 0: no prompt expected
        bool allowed;
    };
    const QString local = Tree.Path("local/same.txt");
    const Case cases[] = {
        {"empty path", true, 0, "", RecurseDownload, 0, false},
        {"prompt off", false, 0, "/r/same.txt", RecurseDownload, 0, true},
        {"yes to all before", true, ReplaceYesToAll, "/r/same.txt", RecurseDownload, 0, true},
        {"cancel before", true, ReplaceCancel, "/r/same.txt", RecurseDownload, 0, false},
        {"remote folder", true, 0, "/r/sub/", RecurseDownload, 0, true},
        {"no local file", true, 0, "/r/other.txt", RecurseDownload, 0, true},
        {"local is a folder", true, 0, "/r/sub", RecurseDownload, 0, true},
        {"download, yes", true, 0, "/r/same.txt", RecurseDownload, ReplaceYes, true},
        {"download, no", true, 0, "/r/same.txt", RecurseDownload, ReplaceNo, false},
        {"upload of a folder", true, 0, Tree.Path("local/sub"), RecurseUpload, 0, true},
        {"upload, no remote item", true, 0, Tree.Path("local/new.txt"), RecurseUpload, 0, true},
        {"upload, yes to all", true, 0, local, RecurseUpload, ReplaceYesToAll, true},
        {"upload, cancel", true, 0, local, RecurseUpload, ReplaceCancel, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings().OverwritePrompt = c.prompt;
        Engine.State.ReplaceAnswer = c.replaceAnswer;
        TScriptedPrompts prompts;
        if (c.answer)
            prompts.Then(Answer(c.answer));
        EXPECT_EQ(Engine.ConfirmOverwrite(c.path, c.code), c.allowed);
        EXPECT_EQ(Engine.State.ReplaceAnswer, c.answer ? c.answer : c.replaceAnswer);
    }
}

TEST_F(ConfirmOverwrite, SeveralQueuedFilesOfferTheButtonsForAll)
{
    TScriptedPrompts prompts;
    prompts.Then(Answer(ReplaceYes)).Then(Answer(ReplaceYes));
    Engine.State.GetTransferQueue() = {{"/r/same.txt", false}};
    EXPECT_TRUE(Engine.ConfirmOverwrite("/r/same.txt", RecurseDownload));
    Engine.State.GetTransferQueue().push_back({"/r/other.txt", false});
    EXPECT_TRUE(Engine.ConfirmOverwrite("/r/same.txt", RecurseDownload));
    EXPECT_EQ(Multiple, (std::vector<bool>{false, true}));
}

TEST_F(Queues, AnswersShapeTheQueueOfADownload)
{
    Settings().TransferMode = 1;
    Client.SetBinary(true);
    Client.ConfirmType();
    Engine.State.CurrentRemoteFolder = "/r/";
    const std::vector<TQueueEntry> list = {{"/r/same.txt", false}, {"/r/other.txt", false}};
    struct Case {
        int answer;
        QStringList requests;
        size_t queued; // entries left in the queue
    };
    for (const Case& c : {Case{ReplaceYes, {"GetAsync same.txt"}, 2}, Case{ReplaceNo, {"GetAsync other.txt"}, 1},
                          Case{ReplaceCancel, {}, 0}}) {
        SCOPED_TRACE(c.answer);
        Client.Requests.clear();
        TScriptedPrompts prompts;
        prompts.Then(Answer(c.answer));
        EXPECT_TRUE(Engine.DownloadSelection(&list, false, false, {}));
        EXPECT_EQ(Client.Requests, c.requests);
        EXPECT_EQ(Engine.State.GetTransferQueue().size(), c.queued);
        EXPECT_EQ(Client.LocalFileName(), c.requests.isEmpty() ? QString() : Tree.Path("local/" + c.requests[0].mid(9)));
        Client.SetLocalFileName({});
    }
}

TEST_F(Queues, SingleDownloadAnsweredNoLeavesNothingQueued)
{
    Engine.State.CurrentRemoteFolder = "/r/";
    Engine.RemoteList.SetSelected(Engine.RemoteList.IndexOfCaption("same.txt"), true);
    TScriptedPrompts prompts;
    prompts.Then(Answer(ReplaceNo));
    EXPECT_TRUE(Engine.DownloadSelection(nullptr, false, false, {}));
    EXPECT_TRUE(Client.Requests.isEmpty());
    EXPECT_TRUE(Engine.State.GetTransferQueue().empty());
    EXPECT_FALSE(GetFtpProgressDlgFrm()->isVisible());
}

TEST_F(Queues, UploadLeavesOutLocalNamesWithLineBreaks)
{
    Settings().TransferMode = 1;
    Client.SetBinary(true);
    Client.ConfirmType();
    Tree.File("local/bad\nname.txt");
    Tree.File("local/good.txt");
    const QStringList list = {Tree.Path("local/bad\nname.txt"), Tree.Path("local/good.txt")};
    EXPECT_TRUE(Engine.UploadSelection(&list));
    EXPECT_EQ(Client.Requests, QStringList{"PutAsync good.txt"});
    EXPECT_EQ(Engine.Log.Lines().size(), 1);
    EXPECT_TRUE(Engine.Log.Lines().value(0).startsWith("* The local entry '")) << Engine.Log.Lines().value(0).toStdString();
    EXPECT_TRUE(Engine.Log.Lines().value(0).contains("bad?name.txt"));
}

TEST_F(Queues, NewNamesAreCheckedWithTheirMessages)
{
    struct Case {
        QString name;
        int kind;
        bool keepBlanks;
        bool accepted;
        QString checked; // the name after the check
        QString message; // "" when none
    };
    const QString forbidden = "cannot be empty nor contain any of the following characters:\r\n"
                              "\\, /, :, *, ?, \", <, >. Please select another %1 name.";
    const Case cases[] = {
        {"new.txt", 0, false, true, "new.txt", ""},
        {"my file.txt", 0, false, true, "my_file.txt", ""},
        {"my file.txt", 0, true, true, "my file.txt", ""},
        {"a:b", 0, false, false, "a:b", "Sorry, a file " + forbidden.arg("file")},
        {"", 1, false, false, "", "Sorry, a folder " + forbidden.arg("folder")},
        {"other.txt", 0, false, false, "other.txt", "The file 'other.txt' already exists. Please select another file name."},
        {"sub", 1, false, false, "sub", "The folder 'sub' already exists. Please select another folder name."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QString shown;
        TScriptedPrompts prompts;
        if (!c.message.isEmpty())
            prompts.Then([&](QDialog& Dialog) {
                shown = Describe(Dialog);
                Click("OK")(Dialog);
            });
        QString name = c.name;
        EXPECT_EQ(Engine.CheckNewName(name, c.kind, c.keepBlanks), c.accepted);
        EXPECT_EQ(name, c.checked);
        EXPECT_TRUE(shown.contains(c.message)) << shown.toStdString();
    }
    QString name = "sub";
    TScriptedPrompts prompts;
    prompts.Then(Click("OK"));
    EXPECT_FALSE(TSessionEngine::CheckNewTreeName({"docs", "sub"}, name, false));
    name = "subs";
    EXPECT_TRUE(TSessionEngine::CheckNewTreeName({"docs", "sub"}, name, false));
}

} // namespace
