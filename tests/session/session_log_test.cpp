// The session log: trimming past 501 lines, the log file written once per line, the thread.
#include "support/pump.h"
#include "session_fixture.h"

#include "platform/system/program_folder.h"
#include "session/session_log.h"

#include <QDir>
#include <QFile>

namespace {

using SessionLog = TSessionTest;

QStringList Numbered(int From, int To)
{
    QStringList lines;
    for (int i = From; i <= To; ++i)
        lines.append(QStringLiteral("> line %1").arg(i));
    return lines;
}

QStringList FileLines(const QString& Name)
{
    QFile file(Name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void AddLines(TSessionLog& log, const QStringList& lines)
{
    for (const QString& line : lines)
        log.AddLogLine(line);
}

TEST_F(SessionLog, EmptyTextsAreNotAdded)
{
    TSessionLog log(Window);
    log.AddLogLine({});
    log.AddLogLine("! one");
    EXPECT_EQ(log.Lines(), QStringList{"! one"});
    EXPECT_EQ(Window.LogLines, QStringList{"! one"});
}

TEST_F(SessionLog, Line502LeavesTheNewestAndSavesAllWhenLogSaveIsOn)
{
    Settings().LogSave = true;
    Settings().SetLogFileName("/some/where/session.log");
    TSessionLog log(Window);
    AddLines(log, Numbered(1, 502));
    EXPECT_TRUE(log.LogThreadRunning());
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    EXPECT_EQ(log.Lines(), QStringList{"> line 502"});
    EXPECT_EQ(Window.LogLines, QStringList{"> line 502"});
    EXPECT_EQ(Window.Panels[2], (QStringList{"Cleaning Log Window...", ""}));
    // Only the name part of the setting counts, in the program's folder.
    EXPECT_EQ(TSessionLog::LogFilePath(), ProgramFolderPath() + "session.log");
    EXPECT_EQ(FileLines(ProgramFolderPath() + "session.log"), Numbered(1, 502));
}

TEST_F(SessionLog, TwoTrimsKeepEveryLineInTheFileOnce)
{
    Settings().LogSave = true;
    const QString file = ProgramFolder() + "TarnwickFTP.log";
    // A file of an earlier run is replaced by the first save.
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("> earlier run\r\n");
    old.close();
    TSessionLog log(Window);
    AddLines(log, Numbered(1, 502));
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    AddLines(log, Numbered(503, 1003));
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    EXPECT_EQ(log.Lines(), QStringList{"> line 1003"});
    AddLines(log, Numbered(1004, 1010));
    EXPECT_EQ(FileLines(file), Numbered(1, 1003));
    ASSERT_TRUE(log.SaveLogFile(false));
    EXPECT_EQ(FileLines(file), Numbered(1, 1010));
}

TEST_F(SessionLog, WithLogSaveOffOnlyAForcedSaveWrites)
{
    const QString file = ProgramFolderPath() + "TarnwickFTP.log";
    TSessionLog log(Window);
    AddLines(log, Numbered(1, 510));
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    EXPECT_TRUE(log.SaveLogFile(false));
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_TRUE(log.SaveLogFile(true));
    EXPECT_EQ(FileLines(file), Numbered(502, 510));
    log.AddLogLine("> line 511");
    ASSERT_TRUE(log.SaveLogFile(true));
    EXPECT_EQ(FileLines(file), Numbered(502, 511));
}

TEST_F(SessionLog, LinesAddedWhileTheThreadSavesStartNoSecondThread)
{
    Settings().LogSave = true;
    const QString file = ProgramFolderPath() + "TarnwickFTP.log";
    TSessionLog log(Window);
    // Lines added straight after the thread starts, before its trim: they stay in the list and
    // reach the file with the next save, once.
    AddLines(log, Numbered(1, 700));
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    EXPECT_EQ(log.Lines(), Numbered(502, 700));
    EXPECT_EQ(Window.Panels[2].count("Cleaning Log Window..."), 1);
    ASSERT_TRUE(log.SaveLogFile(false));
    EXPECT_EQ(FileLines(file), Numbered(1, 700));
}

TEST_F(SessionLog, AFailedWriteStillTrims)
{
    Settings().LogSave = true;
    // A folder where the file should be: the write fails.
    ASSERT_TRUE(QDir().mkpath(ProgramFolderPath() + "TarnwickFTP.log"));
    TSessionLog log(Window);
    AddLines(log, Numbered(1, 502));
    ASSERT_TRUE(pumpUntil([&] { return !log.LogThreadRunning(); }));
    EXPECT_EQ(log.Lines(), QStringList{"> line 502"});
    log.AddLogLine("> line 503");
    EXPECT_FALSE(log.SaveLogFile(true));
}

} // namespace
