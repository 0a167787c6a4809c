// TLogThread and the writing of the log file.
#include "session/log_thread.h"

#include <QFile>

bool WriteLogSnapshot(const TLogSnapshot& Snapshot)
{
    if (Snapshot.Lines.isEmpty() && !Snapshot.Replace)
        return true;
    QFile file(Snapshot.FileName);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (Snapshot.Replace ? QIODevice::Truncate : QIODevice::Append);
    if (!file.open(mode))
        return false;
    QByteArray text;
    for (const QString& line : Snapshot.Lines)
        text += line.toUtf8() + "\r\n";
    return file.write(text) == text.size() && file.flush();
}

TLogThread::TLogThread(TLogSnapshot Snapshot, std::function<void()> Trim)
    : TThread(true), snapshot_(std::move(Snapshot)), trim_(std::move(Trim))
{
    SetPriority(tpLowest);
}

TLogThread::~TLogThread()
{
    Terminate();
    if (!Finished())
        WaitFor();
}

void TLogThread::Execute()
{
    WriteLogSnapshot(snapshot_);
    Synchronize(trim_);
}
