// Session state: ending the queue, event sounds, the listing cache and remembered answers.
#include "support/recording_sound_player.h"
#include "support/pump.h"
#include "session_fixture.h"

#include "platform/system/program_folder.h"
#include "platform/system/temp_files.h"
#include "session/session_state.h"

#include <QDir>
#include <QFile>

namespace {

using SessionState = TSessionTest;

void Touch(const QString& File)
{
    QDir().mkpath(QFileInfo(File).absolutePath());
    QFile f(File);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << File.toStdString();
}

TEST_F(SessionState, ResetTransferQueueEndsQueueAndRecursionOnly)
{
    TSessionState state(Window);
    state.GetTransferQueue() = {{"/a/x", false}, {"/a/d/", true}};
    state.GetRecursionLevels() = {{"/a/", "/tmp", {{"/a/d/", true}}}};
    state.RecordRecursionFolder("/a/d/", "/tmp/d");
    state.GetDirResultList()["/a/"] = "cache";
    state.Recursing = true;
    state.PendingRecursionRequest = RecurseDownload;
    state.RecursionBaseFolder = "/a/";
    state.ReplaceAnswer = ReplaceYesToAll;
    state.CurrentRemoteFolder = "/a/";
    state.AfterListingAction = ListingDownloadAll;

    state.ResetTransferQueue(false, false);

    EXPECT_TRUE(state.GetTransferQueue().empty());
    EXPECT_TRUE(state.GetRecursionLevels().empty());
    EXPECT_TRUE(state.GetRecursionFolderMap().empty());
    EXPECT_FALSE(state.Recursing);
    EXPECT_EQ(state.PendingRecursionRequest, 0);
    EXPECT_EQ(state.RecursionBaseFolder, "");
    EXPECT_EQ(state.ReplaceAnswer, 0);
    // What the queue does not own stays.
    EXPECT_EQ(state.CurrentRemoteFolder, "/a/");
    EXPECT_EQ(state.AfterListingAction, ListingDownloadAll);
    EXPECT_EQ(state.GetDirResultList().size(), 1u);
}

TEST_F(SessionState, ResetTransferQueueReleasesAWaitingActionOnce)
{
    struct Case {
        bool pending;
        bool keepPending;
        size_t messages;
        bool pendingAfter;
    };
    for (const Case& c : {Case{true, false, 1, false}, Case{true, true, 0, true}, Case{false, false, 0, false}}) {
        SCOPED_TRACE(testing::Message() << "pending " << c.pending << " keep " << c.keepPending);
        TRecordingWindow window;
        TSessionState state(window);
        state.AfterTransferPending = c.pending;
        state.ResetTransferQueue(false, c.keepPending);
        state.ResetTransferQueue(false, c.keepPending);
        // A marker posted last: everything posted before it has been delivered when it arrives.
        bool marked = false;
        const win::HWND marker = win::AllocateHWnd([&](win::TMessage&) { marked = true; });
        win::PostMessage(marker, win::WM_USER, 0, 0);
        ASSERT_TRUE(pumpUntil([&] { return marked; }));
        win::DeallocateHWnd(marker);
        EXPECT_EQ(window.Messages.size(), c.messages);
        if (c.messages)
            EXPECT_EQ(window.Messages[0], 1055u);
        EXPECT_EQ(state.AfterTransferPending, c.pendingAfter);
    }
}

TEST_F(SessionState, PlayEventSoundNeedsTheSwitchTheBitAndTheFile)
{
    TRecordingSoundPlayer player;
    Touch(ProgramFolder() + "done.wav");
    Settings().SoundCompleted = "done.wav";
    Settings().SoundError = "missing.wav";
    Settings().SoundGet = Tree.Path("get.wav");
    Touch(Tree.Path("get.wav"));
    TSessionState state(Window);

    struct Case {
        bool playSounds;
        int bits;
        int event;
        QString played;
    };
    const QString done = ProgramFolder() + "done.wav";
    for (const Case& c : {Case{true, 1 << SoundCompleted, SoundCompleted, done},
                          Case{false, 1 << SoundCompleted, SoundCompleted, {}},
                          Case{true, 1 << SoundError, SoundCompleted, {}},
                          Case{true, 1 << SoundError, SoundError, {}},
                          Case{true, 1 << SoundGet, SoundGet, Tree.Path("get.wav")},
                          Case{true, 0x1F, SoundConnect, {}}}) {
        SCOPED_TRACE(testing::Message() << "event " << c.event << " bits " << c.bits);
        player.Played.clear();
        Settings().PlaySounds = c.playSounds;
        Settings().SoundBitField = c.bits;
        state.PlayEventSound(c.event);
        EXPECT_EQ(player.Played, c.played.isEmpty() ? QStringList() : QStringList{c.played});
    }

    // The end of a queue plays the completion sound when asked.
    Settings().SoundBitField = 1 << SoundCompleted;
    player.Played.clear();
    state.ResetTransferQueue(true, false);
    EXPECT_EQ(player.Played, QStringList{done});
}

TEST_F(SessionState, ClearListingCacheDeletesOnlyTheCacheAndDirectTempFiles)
{
    TSessionState state(Window);
    const QString tempFolder = win::GetTempPath();
    ASSERT_FALSE(tempFolder.isEmpty());
    const QString cacheA = win::GetTempFileName(tempFolder, "HFT");
    const QString cacheB = win::GetTempFileName(tempFolder, "HFT");
    const QString ftpTmp = ProgramFolder() + "FTP.tmp";
    const QString direct = tempFolder + "preview-direct.txt";
    const QString nested = tempFolder + "sub-of-session-test/preview.txt";
    const QString elsewhere = Tree.Path("preview.txt");
    for (const QString& file : {ftpTmp, direct, nested, elsewhere})
        Touch(file);
    state.GetDirResultList() = {{"/Docs/", cacheA}, {"/docs/", cacheB}};
    state.EditorTempFiles() = {direct, nested, elsewhere};
    state.GetTransferQueue() = {{"/x", false}};
    state.Recursing = true;

    state.ClearListingCache();

    for (const QString& gone : {cacheA, cacheB, ftpTmp, direct})
        EXPECT_FALSE(QFile::exists(gone)) << gone.toStdString();
    for (const QString& kept : {nested, elsewhere})
        EXPECT_TRUE(QFile::exists(kept)) << kept.toStdString();
    EXPECT_TRUE(state.GetDirResultList().empty());
    EXPECT_TRUE(state.EditorTempFiles().empty());
    EXPECT_TRUE(state.GetTransferQueue().empty());
    EXPECT_FALSE(state.Recursing);
    EXPECT_EQ(Window.HistoryClears, 1);
    EXPECT_EQ(Window.SearchStops, 1);
    QDir(tempFolder + "sub-of-session-test").removeRecursively();
}

TEST_F(SessionState, ListingCacheKeepsOneFilePerFolderComparedWithCase)
{
    TSessionState state(Window);
    const QString first = Tree.Path("first.tmp");
    const QString second = Tree.Path("second.tmp");
    const QString other = Tree.Path("other.tmp");
    for (const QString& file : {first, second, other})
        Touch(file);
    state.AddDirResult("/Docs/", first);
    state.AddDirResult("/docs/", other);
    state.AddDirResult("/Docs/", second);
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_TRUE(QFile::exists(other));
    const std::map<QString, QString> expected{{"/Docs/", second}, {"/docs/", other}};
    EXPECT_EQ(state.GetDirResultList(), expected);
}

} // namespace
