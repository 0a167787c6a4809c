// The whole program on an X server with openbox, driven as a person drives it: started as the
// program's main starts it, on a registry of its own whose server profile connects at start to
// pyftpdlib on loopback. Its real dialogs are answered with keys typed on the X server, its tool
// bar's buttons clicked with the pointer, a file dragged onto the remote list from another
// program, and a server page edited in a tab, typed into and saved with Ctrl+S.
#include "support/ftp_server_fixture.h"
#include "support/pump.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"
#include "support/server_process.h"
#include "support/server_required.h"
#include "support/temp_tree.h"
#include "support/x11_session.h"

#include "app/editor_tab_set.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/toolbars/tool_bar.h"
#include "dialogs/basic_progress_frm.h"
#include "dialogs/ed_repl_frm.h"
#include "dialogs/ftp_progress_dlg.h"
#include "editor/document/memo_strings.h"
#include "editor/file_object.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/messages/messages.h"
#include "platform/registry/hive_store.h"
#include "platform/ui/action_list.h"
#include "platform/widgets/prompt_service.h"
#include "routines/file_routines.h"
#include "routines/password_scrambling.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/global_objects.h"
#include "settings/upload_profiles.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

namespace {

// Every file below Root by its relative path, with its bytes; folders as their path + "/".
QMap<QString, QByteArray> Contents(const QString& Root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(Root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(Root).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            entries.insert(relative + '/', {});
        } else {
            QFile file(path);
            entries.insert(relative, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
        }
    }
    return entries;
}

QByteArray ReadFile(const QString& Path)
{
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QDir().mkpath(QFileInfo(Path).absolutePath());
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << Path.toStdString();
    file.write(Bytes);
}

// Answers the program's modal windows with keys typed on the X server, as a person would: each
// step waits until a modal window of its title is the active window, then types its keys there.
// The next step waits for that window to close.
class TKeyAnswers : public QObject {
public:
    explicit TKeyAnswers(X11Session& Session) : session_(Session)
    {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }
    TKeyAnswers& Then(const QString& Title, const QStringList& Keys)
    {
        steps_.push_back({Title, Keys});
        return *this;
    }
    // Every step answered and its window closed.
    bool Done() const { return steps_.empty() && (!answered_ || !answered_->isVisible()); }
    // What the answered windows said, in order, and the windows shown now.
    QStringList Said;
    std::string Report() const
    {
        QStringList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shown += QStringLiteral("%1 \"%2\"%3%4").arg(QString::fromLatin1(window->metaObject()->className()),
                                                              window->windowTitle(),
                                                              window->isActiveWindow() ? " active" : "",
                                                              window == QApplication::activeModalWidget() ? " modal" : "");
        return (Said + QStringList{"shown: " + shown.join(", ")}).join('\n').toStdString();
    }

private:
    struct TStep {
        QString Title;
        QStringList Keys;
    };

    void Poll()
    {
        if (answered_ && answered_->isVisible())
            return;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // A window no step waits for fails the test and is closed, so that nothing waits on it.
        if (dialog && (steps_.empty() || dialog->windowTitle() != steps_.front().Title)) {
            if (!unexpected_.isValid())
                unexpected_.start();
            if (unexpected_.elapsed() > 5000) {
                ADD_FAILURE() << "a window no step waits for: " << Describe(*dialog).toStdString();
                Said += "(closed) " + Describe(*dialog);
                dialog->reject();
                unexpected_.invalidate();
            }
            return;
        }
        unexpected_.invalidate();
        if (!dialog || !dialog->isActiveWindow())
            return;
        answered_ = dialog;
        Said += Describe(*dialog);
        const QStringList keys = steps_.front().Keys;
        steps_.pop_front();
        if (!session_.Xdotool(QStringList{"key", "--clearmodifiers"} + keys))
            ADD_FAILURE() << session_.Error().toStdString();
    }

    X11Session& session_;
    QTimer timer_;
    std::deque<TStep> steps_;
    QPointer<QDialog> answered_;
    QElapsedTimer unexpected_;
};

} // namespace

class X11WholeProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        session_ = X11Session::Instance();
        server_ = PyFtpServer::Instance();
        if (!session_ || !server_)
            return;
        account_ = server_->AddUser();
        // The real windows show, and keys answer them.
        previousPrompts_ = SetPromptService(nullptr);
        Seed();
    }
    void TearDown() override
    {
        if (form_ && form_->FtpClient().Connected())
            FtpAbort(form_->FtpClient());
        // The program's end, as its main has it.
        form_.reset();
        FreeGlobalSettings();
        GetBasicProgressFrm(true);
        GetEdReplFrm(1);
        THiveStore::CurrentUser().Flush();
        if (session_ && server_)
            SetPromptService(previousPrompts_);
    }

    // The registry of a user whose one server profile, with its password saved, is connected at
    // start, and who is asked before a file is replaced.
    void Seed()
    {
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = QStringLiteral("loopback");
        profile->HostName = QStringLiteral("127.0.0.1");
        profile->Port = QString::number(server_->Port());
        profile->Username = account_.user;
        profile->Password = PasswordToStore(account_.password);
        profile->SavePassword = true;
        profile->PassiveMode = true;
        TFtpAppSettings& settings = *AppSettings();
        settings.SplitViewMyComputerPos = 100;
        settings.ViewLog = true;
        settings.ConnectAtStart = true;
        settings.OverwritePrompt = true;
        // Text files by their extension go as text, others as binary.
        settings.TransferMode = 2;
        AppSettings(1);
        UploadProfiles(1);
    }

    // Starts the window as the program's main does; true once "Connect to Server", answered with
    // Return, has logged in and the home folder is listed.
    bool Start(TKeyAnswers& Answers)
    {
        Answers.Then(QStringLiteral("Connect to Server"), {"Return"});
        form_ = std::make_unique<TTarnwickFTPApp>();
        form_->show();
        form_->setGeometry(260, 40, 1000, 700);
        if (!Listed("/") || !Answers.Done())
            return false;
        // The local pane shows the folder the transfers use.
        return form_->GoToFolder(local_.Path()) && pumpUntil([&] { return form_->CurrentFolder() == local_.Path(); });
    }
    // Condition holds and the client is idle, with the end of its last request (posted, and what
    // the program does on it) handled: the client is ready already before that.
    bool Settled(const std::function<bool()>& Condition, int TimeoutMs = 30000)
    {
        return pumpUntil([&] {
            return Condition() && form_->FtpClient().State() == ftpReady && win::QueuedMessageCount() == 0;
        }, TimeoutMs);
    }
    bool Listed(const QString& Folder)
    {
        return Settled([&] {
            return form_->Engine().State.CurrentRemoteFolder == Folder && form_->lvRemote->Count() > 1 &&
                   !form_->lvRemote->Retrieving();
        });
    }
    bool ChangeTo(const QString& Folder)
    {
        FtpChangeDir(form_->FtpClient(), Folder);
        return Listed(Folder);
    }
    // Selects the remote entries Names, the first focused, with the remote list focused.
    void SelectRemote(const QStringList& Names)
    {
        form_->lvRemote->View()->setFocus();
        form_->lvRemote->ClearSelection();
        for (const QString& name : Names) {
            TListItem* item = form_->lvRemote->Item(form_->Engine().RemoteList.IndexOfCaption(name));
            ASSERT_TRUE(item) << name.toStdString();
            item->SetSelected(true);
            if (name == Names.first())
                form_->lvRemote->SetItemFocused(item);
        }
        QApplication::processEvents();
    }
    TListItem* LocalItem(const QString& Name) const
    {
        TPTShellList& list = *form_->lvMyComputer;
        for (int i = 0; i < list.Count(); ++i)
            if (TPTShListData* data = list.GetItemData(i); data && QFileInfo(data->GetPath()).fileName() == Name)
                return list.Item(i);
        return nullptr;
    }
    void SelectLocal(const QStringList& Names)
    {
        ASSERT_TRUE(pumpUntil([&] {
            return std::all_of(Names.begin(), Names.end(), [&](const QString& Name) { return LocalItem(Name); });
        })) << Names.join(' ').toStdString();
        form_->lvMyComputer->View()->setFocus();
        form_->lvMyComputer->ClearSelection();
        form_->lvMyComputer->SetItemFocused(LocalItem(Names.first()));
        for (const QString& name : Names)
            LocalItem(name)->SetSelected(true);
        QApplication::processEvents();
    }
    // Clicks with the pointer at Point of Widget.
    void Click(QWidget* Widget, QPoint Point)
    {
        const QPoint at = Widget->mapToGlobal(Point);
        ASSERT_TRUE(session_->MoveTo(at.x(), at.y())) << session_->Error().toStdString();
        ASSERT_TRUE(session_->Xdotool({"click", "1"})) << session_->Error().toStdString();
    }
    // Clicks the main tool bar's button of the action Name.
    void ClickButton(const QString& Name)
    {
        TToolButton* button = nullptr;
        for (TToolButton* each : form_->tbMain->findChildren<TToolButton*>())
            if (each->Action() && each->Action()->objectName() == Name && each->isVisible())
                button = each;
        ASSERT_TRUE(button) << Name.toStdString();
        ASSERT_TRUE(pumpUntil([&] { return button->isEnabled(); })) << Name.toStdString() << " stays disabled";
        Click(button, button->rect().center());
    }
    void Keys(const QStringList& Keys)
    {
        ASSERT_TRUE(session_->Xdotool(QStringList{"key", "--clearmodifiers"} + Keys)) << session_->Error().toStdString();
    }
    void Type(const QString& Text)
    {
        ASSERT_TRUE(session_->Xdotool({"type", "--clearmodifiers", Text})) << session_->Error().toStdString();
    }
    // Types Text at the start of the editor's document with the keyboard and saves it with Ctrl+S.
    void TypeAndSave(const QString& Text)
    {
        TSyntaxMemo& editor = *form_->SynMemo;
        Click(&editor, editor.rect().center());
        ASSERT_TRUE(pumpUntil([&] { return editor.hasFocus() && form_->isActiveWindow(); }));
        Keys({"ctrl+Home"});
        Type(Text);
        ASSERT_TRUE(pumpUntil([&] { return editor.Lines().Strings(0).startsWith(Text); }))
            << editor.Lines().Strings(0).toStdString();
        Keys({"ctrl+s"});
    }
    // Starts the drag-and-drop peer, another program, offering what Offer says; its window, at the
    // screen's bottom left, becomes the active one.
    void StartPeer(ServerProcess& Peer, const QStringList& Offer, QString& Window)
    {
        ASSERT_TRUE(session_->Run(Peer, QStringLiteral(HFTP_DND_PEER), QStringList{"dnd-peer"} + Offer))
            << Peer.Error().toStdString();
        ASSERT_FALSE(Peer.ReadLineStartingWith("ready").isEmpty()) << Peer.Error().toStdString();
        Window = session_->PlaceWindow("dnd-peer", 0, 500);
        ASSERT_FALSE(Window.isEmpty()) << session_->Error().toStdString();
    }
    QString Server(const QString& Relative) const { return account_.home + '/' + Relative; }

    X11Session* session_ = nullptr;
    PyFtpServer* server_ = nullptr;
    FtpAccount account_;
    TRegistryScope registry_;
    TTempTree local_{QStringLiteral("local")};
    std::unique_ptr<TTarnwickFTPApp> form_;

private:
    TTempTree data_{QStringLiteral("data")};
    TDataHomeScope dataHome_{data_.Path()};
    TPromptService* previousPrompts_ = nullptr;
};

#define NEED_X11_AND_SERVER()                                                                                    \
    do {                                                                                                         \
        HFTP_NEED_X11(session_);                                                                                 \
        HFTP_NEED_SERVER(server_, PyFtpServer::StartError().toStdString());                                     \
    } while (false)

TEST_F(X11WholeProgram, DownloadsAndUploadsFilesAndFoldersAnsweringTheDialogsWithKeys)
{
    NEED_X11_AND_SERVER();
    WriteFile(Server("down.txt"), "from the server\n");
    WriteFile(Server("downdir/a.txt"), "a\n");
    WriteFile(Server("downdir/sub/b.bin"), QByteArray("\x00\x01\r\n\xff", 5).repeated(300));
    WriteFile(Server("up.txt"), "the server's older copy\n");
    // The local copy of down.txt is replaced once the user agrees.
    local_.File("down.txt", "stale local copy\n");
    local_.File("up.txt", "from the local pane\n");
    local_.File("updir/c.txt", "c\n");
    local_.File("updir/deep/d.bin", QByteArray("\xfe\r\x00", 3).repeated(500));

    TKeyAnswers answers(*session_);
    ASSERT_TRUE(Start(answers)) << answers.Report();

    // Download: a file and a folder, agreeing to the folder's recursion and the replacement.
    SelectRemote({"down.txt", "downdir"});
    answers.Then("Confirm", {"alt+y"}).Then("Confirm File Replace", {"alt+y"});
    ClickButton("actToolbarDownload");
    ASSERT_TRUE(Settled([&] {
        return answers.Done() && ReadFile(local_.Path("down.txt")) == "from the server\n" &&
               Contents(local_.Path("downdir")) == Contents(Server("downdir"));
    })) << answers.Report();
    EXPECT_TRUE(answers.Said.value(1).contains("Would you like transfer the selected folder(s) and all its contents?"))
        << answers.Report();

    // Upload: a file and a folder, the same two questions.
    SelectLocal({"up.txt", "updir"});
    answers.Then("Confirm", {"alt+y"}).Then("Confirm File Replace", {"alt+y"});
    ClickButton("actToolbarUpload");
    ASSERT_TRUE(Settled([&] {
        return answers.Done() && ReadFile(Server("up.txt")) == "from the local pane\n" &&
               Contents(Server("updir")) == Contents(local_.Path("updir"));
    })) << answers.Report();
    // The transfers end with the progress window gone.
    EXPECT_TRUE(Settled([&] { return !GetFtpProgressDlgFrm()->isVisible(); }));
}

TEST_F(X11WholeProgram, UploadsAFileDroppedOnTheRemoteListFromAnotherProgram)
{
    NEED_X11_AND_SERVER();
    WriteFile(Server("already there.txt"), "x\n");
    TKeyAnswers answers(*session_);
    ASSERT_TRUE(Start(answers)) << answers.Report();
    TTempTree elsewhere(QStringLiteral("elsewhere"));
    elsewhere.File("dropped file.txt", "dropped in\n");
    ServerProcess peer;
    QString peerWindow;
    ASSERT_NO_FATAL_FAILURE(StartPeer(
        peer, {"file", QString::fromLatin1(QFile::encodeName(elsewhere.Path("dropped file.txt")).toPercentEncoding())},
        peerWindow));
    // The drag's moves over the remote list (whichever of its parts takes them).
    int moves = 0;
    struct TDragMoves : QObject {
        QWidget* List;
        int& Count;
        TDragMoves(QWidget* L, int& C) : List(L), Count(C) {}
        bool eventFilter(QObject* Watched, QEvent* Event) override
        {
            auto* widget = qobject_cast<QWidget*>(Watched);
            if (Event->type() == QEvent::DragMove && widget && (widget == List || List->isAncestorOf(widget)))
                ++Count;
            return false;
        }
    } counter(form_->lvRemote, moves);
    qApp->installEventFilter(&counter);
    ASSERT_TRUE(session_->PointAt(peerWindow, 100, 100));
    ASSERT_TRUE(session_->Xdotool({"mousedown", "1"}));
    ASSERT_TRUE(session_->PointAt(peerWindow, 120, 120));
    ASSERT_FALSE(peer.ReadLineStartingWith("drag started").isEmpty()) << peer.Error().toStdString();
    // The pointer goes over the list's empty part until the program has seen the drag move there
    // twice (so it has answered the first move before the button comes up).
    QWidget* list = form_->lvRemote->View()->viewport();
    for (int attempt = 0; attempt < 20 && moves < 2; ++attempt) {
        const QPoint at = list->mapToGlobal(QPoint(list->width() / 2 + attempt, list->height() - 20));
        ASSERT_TRUE(session_->MoveTo(at.x(), at.y())) << session_->Error().toStdString();
        pumpUntil([&] { return moves > attempt; }, 500);
    }
    ASSERT_GE(moves, 2) << "the drag never reached the remote list";
    ASSERT_TRUE(session_->Xdotool({"mouseup", "1"}));
    ASSERT_TRUE(Settled([&] { return ReadFile(Server("dropped file.txt")) == "dropped in\n"; })) << answers.Report();
    qApp->removeEventFilter(&counter);
}

TEST_F(X11WholeProgram, EditsAServerPageTypesAndSavesItWithCtrlS)
{
    NEED_X11_AND_SERVER();
    WriteFile(Server("site/index.html"), "<p>old</p>\n");
    WriteFile(Server("other/keep.txt"), "k\n");
    WriteFile(Server("third/index.html"), "theirs\n");

    TKeyAnswers answers(*session_);
    ASSERT_TRUE(Start(answers)) << answers.Report();
    ASSERT_TRUE(ChangeTo("/site/"));

    // The edit command downloads the page into a "~ED" copy and opens it in a tab.
    SelectRemote({"index.html"});
    ClickButton("actToolBarEdit");
    ASSERT_TRUE(Settled([&] { return form_->TabSetEdit->Tabs().Count() == 1; }));
    TFileObject& document = *form_->GetDocument(-1);
    EXPECT_EQ(document.RemotePath, "/site/index.html");
    EXPECT_EQ(QFileInfo(document.FileName).absolutePath() + '/', GetTempFolder());
    EXPECT_TRUE(QFileInfo(document.FileName).fileName().startsWith("~ED"));
    EXPECT_EQ(form_->SynMemo->Lines().Strings(0), "<p>old</p>");

    // Typed text and Ctrl+S change the page on the server.
    ASSERT_NO_FATAL_FAILURE(TypeAndSave("new "));
    ASSERT_TRUE(Settled([&] { return ReadFile(Server("site/index.html")) == "new <p>old</p>\n"; }))
        << ReadFile(Server("site/index.html")).toStdString();
    EXPECT_FALSE(form_->SynMemo->Modified());

    // Saved from another folder, "Current" uploads there and the document follows.
    ASSERT_TRUE(ChangeTo("/other/"));
    answers.Then("Confirm", {"alt+c"});
    ASSERT_NO_FATAL_FAILURE(TypeAndSave("x"));
    ASSERT_TRUE(Settled([&] { return answers.Done() && ReadFile(Server("other/index.html")) == "xnew <p>old</p>\n"; }))
        << ReadFile(Server("other/index.html")).toStdString();
    EXPECT_TRUE(answers.Said.last().contains("The original location of the file '/site/index.html' is different the "
                                             "current folder location \r\n'/other/'."))
        << answers.Report();
    EXPECT_EQ(document.RemotePath, "/other/index.html");
    EXPECT_EQ(ReadFile(Server("site/index.html")), "new <p>old</p>\n");

    // "Current" where a page of that name is: declining its replacement keeps the tab modified.
    ASSERT_TRUE(ChangeTo("/third/"));
    answers.Then("Confirm", {"alt+c"}).Then("Confirm File Replace", {"alt+n"});
    ASSERT_NO_FATAL_FAILURE(TypeAndSave("y"));
    ASSERT_TRUE(Settled([&] { return answers.Done(); })) << answers.Report();
    EXPECT_TRUE(form_->SynMemo->Modified());
    EXPECT_EQ(document.RemotePath, "/other/index.html");
    EXPECT_EQ(ReadFile(Server("third/index.html")), "theirs\n");

    // Ctrl+S sent to the window while another program's window is the active one saves too, and
    // types nothing.
    ASSERT_TRUE(ChangeTo("/other/"));
    ServerProcess peer;
    QString peerWindow;
    ASSERT_NO_FATAL_FAILURE(StartPeer(peer, {"text", "unused"}, peerWindow));
    ASSERT_TRUE(session_->Xdotool({"windowactivate", "--sync", peerWindow})) << session_->Error().toStdString();
    ASSERT_TRUE(pumpUntil([&] { return !form_->isActiveWindow(); }));
    ASSERT_TRUE(session_->Xdotool({"key", "--window", QString::number(form_->winId()), "ctrl+s"}))
        << session_->Error().toStdString();
    ASSERT_TRUE(Settled([&] { return ReadFile(Server("other/index.html")) == "yxnew <p>old</p>\n"; }))
        << ReadFile(Server("other/index.html")).toStdString() << " / editor: " << form_->SynMemo->Lines().Strings(0).toStdString();
    EXPECT_FALSE(form_->SynMemo->Modified());
    EXPECT_EQ(form_->SynMemo->Lines().Strings(0), "yxnew <p>old</p>");
}
