// PlaySound: which file a sound name stands for, and the queue of played files; the replaceable
// tick count.
#include "platform/sound/play_sound.h"
#include "platform/system/program_folder.h"
#include "support/recording_sound_player.h"
#include "support/temp_tree.h"
#include "support/tick_count_scope.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaySound, BareNamesLieInTheProgramFolderAndMissingFilesAreNotPlayed)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.File("data/tarnwick-halyard/ding.wav");
    tree.File("elsewhere/tone.wav");
    tree.Folder("data/tarnwick-halyard/folder.wav");
    TRecordingSoundPlayer player;

    struct Case {
        QString name;
        QString file;
    };
    const Case cases[] = {
        {"ding.wav", ProgramFolder() + "ding.wav"},
        {tree.Path("elsewhere/tone.wav"), tree.Path("elsewhere/tone.wav")},
        {"tone.wav", ""},
        {"folder.wav", ""},
        {"", ""},
    };
    QStringList played;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(ResolveSoundFile(c.name), c.file);
        EXPECT_EQ(PlaySound(c.name), !c.file.isEmpty());
        if (!c.file.isEmpty())
            played.append(c.file);
    }
    EXPECT_EQ(player.Played, played);
}

TEST(TickCount, ATestClockReplacesTheMonotonicOne)
{
    const std::uint32_t before = win::GetTickCount();
    {
        TTickCountScope clock(500);
        EXPECT_EQ(win::GetTickCount(), 500u);
        clock.Advance(1000);
        EXPECT_EQ(win::GetTickCount(), 1500u);
    }
    EXPECT_GE(win::GetTickCount(), before);
}

} // namespace
