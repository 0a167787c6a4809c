// TSessionLog: adding lines, saving the log file and trimming the list.
#include "session/session_log.h"

#include "platform/system/program_folder.h"
#include "session/session_window.h"
#include "settings/app_settings.h"

namespace {

// The list keeps at most this many lines plus one before the log thread trims it.
constexpr qsizetype MaxLogLines = 500;
// The oldest lines one trim removes.
constexpr qsizetype TrimmedLines = 501;

} // namespace

TSessionLog::TSessionLog(ISessionWindow& Window) : window_(Window) {}

TSessionLog::~TSessionLog()
{
    WaitForThread();
}

void TSessionLog::AddLogLine(const QString& Text)
{
    if (Text.isEmpty())
        return;
    lines_.append(Text);
    window_.LogLineAdded(Text);
    if (lines_.size() - 1 > MaxLogLines && !logThreadRunning_) {
        WaitForThread();
        logThreadRunning_ = true;
        thread_ = std::make_unique<TLogThread>(TakeSnapshot(false), [this] { Trim(); });
        thread_->Start();
    }
}

bool TSessionLog::SaveLogFile(bool Force)
{
    WaitForThread();
    return WriteLogSnapshot(TakeSnapshot(Force));
}

QString TSessionLog::LogFilePath()
{
    TFtpAppSettings& settings = *AppSettings();
    if (settings.LogFileName().isEmpty())
        settings.SetLogFileName(QStringLiteral("TarnwickFTP.log"));
    return ProgramFolder() + settings.LogFileName();
}

TLogSnapshot TSessionLog::TakeSnapshot(bool Force)
{
    TLogSnapshot snapshot;
    if (!AppSettings()->LogSave && !Force)
        return snapshot;
    snapshot.FileName = LogFilePath();
    snapshot.Replace = !fileStarted_;
    snapshot.Lines = lines_.mid(std::max<qsizetype>(writtenCount_ - removedCount_, 0));
    fileStarted_ = true;
    writtenCount_ = removedCount_ + lines_.size();
    return snapshot;
}

void TSessionLog::Trim()
{
    window_.SetStatusText(QStringLiteral("Cleaning Log Window..."), 2);
    const qsizetype count = std::min(TrimmedLines, lines_.size());
    lines_.remove(0, count);
    removedCount_ += count;
    window_.LogLinesRemoved(int(count));
    logThreadRunning_ = false;
    window_.SetStatusText(QString(), 2);
}

void TSessionLog::Clear()
{
    WaitForThread();
    const qsizetype count = lines_.size();
    lines_.clear();
    removedCount_ += count;
    window_.LogLinesRemoved(int(count));
}

void TSessionLog::WaitForThread()
{
    if (thread_) {
        thread_->WaitFor();
        thread_.reset();
    }
}
