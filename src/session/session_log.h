// TSessionLog: the session's log lines, saved to the log file and trimmed by TLogThread.
#pragma once

#include "session/log_thread.h"

#include <memory>

class ISessionWindow;

// Lines start with "> " (commands), "< " (replies), "! " (notices) or "* " (errors); their writers
// add the prefix. Once the list holds more than 501 lines a low-priority TLogThread saves the log
// file and then, back on the GUI thread, removes the oldest 501 lines.
//
// The first save of a run replaces the file; later saves append only the lines not yet written,
// so the file holds every line of the run once even though the list forgets the old ones. The
// lines a save writes are copied on the GUI thread when it starts. Everything but the thread's
// write runs on the GUI thread.
class TSessionLog {
public:
    explicit TSessionLog(ISessionWindow& Window);
    // Waits for a running log thread.
    ~TSessionLog();
    TSessionLog(const TSessionLog&) = delete;
    TSessionLog& operator=(const TSessionLog&) = delete;

    // Appends Text (ignored when empty); past 501 lines starts the log thread unless one runs.
    void AddLogLine(const QString& Text);
    // Writes the lines not yet written when the settings' LogSave is on or Force is set; waits for
    // a running log thread first, so the file keeps the order of the lines. False when the file
    // cannot be written.
    bool SaveLogFile(bool Force);
    // The program's folder and the settings' LogFileName (made "TarnwickFTP.log" when empty).
    static QString LogFilePath();
    // Forgets every line (the window empties its list); lines saved before stay in the file.
    void Clear();

    const QStringList& Lines() const { return lines_; }
    bool LogThreadRunning() const { return logThreadRunning_; }

private:
    // The lines not yet written (none when neither LogSave nor Force); they count as written
    // from here on.
    TLogSnapshot TakeSnapshot(bool Force);
    // Removes the oldest lines (at most 501) and clears the running flag.
    void Trim();
    void WaitForThread();

    ISessionWindow& window_;
    QStringList lines_;
    // Lines trimmed from the front of the list so far, and lines handed to the file so far, both
    // counted from the first line of the run.
    qsizetype removedCount_ = 0;
    qsizetype writtenCount_ = 0;
    bool fileStarted_ = false;
    bool logThreadRunning_ = false;
    std::unique_ptr<TLogThread> thread_;
};
