// TLogThread: saves the log file off the GUI thread, then trims the log list on the GUI thread.
#pragma once

#include "platform/threads/thread.h"

#include <QString>
#include <QStringList>

// What one save of the log writes, copied on the GUI thread.
struct TLogSnapshot {
    QString FileName;
    QStringList Lines;
    // The file is replaced (the run's first save), else the lines are appended.
    bool Replace = false;
};

// Writes Snapshot's lines, one per line; false when the file cannot be written. Nothing to write
// leaves the file alone.
bool WriteLogSnapshot(const TLogSnapshot& Snapshot);

// Created suspended at the lowest priority with the lines to write; Trim runs on the GUI thread
// after the write, whether it succeeded or not. Its owner, the log, frees it.
class TLogThread : public TThread {
public:
    TLogThread(TLogSnapshot Snapshot, std::function<void()> Trim);
    ~TLogThread() override;

protected:
    void Execute() override;

private:
    TLogSnapshot snapshot_;
    std::function<void()> trim_;
};
