// ServerProcess.
#include "support/server_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <vector>

namespace {

std::vector<ServerProcess*>& ToStop()
{
    static std::vector<ServerProcess*> processes;
    return processes;
}

void StopAll()
{
    for (ServerProcess* process : ToStop())
        process->Stop();
    ToStop().clear();
}

} // namespace

void StopAtApplicationEnd(ServerProcess* process)
{
    if (ToStop().empty())
        qAddPostRoutine(StopAll);
    ToStop().push_back(process);
}

ServerProcess::ServerProcess() = default;

ServerProcess::~ServerProcess()
{
    Stop();
}

bool ServerProcess::Start(const QString& program, const QStringList& arguments)
{
    if (!QFileInfo(program).isExecutable()) {
        error_ = program + " is not installed";
        return false;
    }
    process_.start(program, arguments);
    if (!process_.waitForStarted(10000)) {
        error_ = program + " did not start: " + process_.errorString();
        return false;
    }
    return true;
}

QString ServerProcess::ReadLineStartingWith(const QString& prefix, bool fromStderr, int timeoutMs)
{
    process_.setReadChannel(fromStderr ? QProcess::StandardError : QProcess::StandardOutput);
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        while (process_.canReadLine()) {
            const QString line = QString::fromUtf8(process_.readLine()).trimmed();
            if (line.startsWith(prefix))
                return line;
        }
        if (deadline.hasExpired() || process_.state() != QProcess::Running) {
            error_ = QStringLiteral("no line \"%1\" came from %2 (%3)")
                         .arg(prefix, process_.program(), QString::fromUtf8(process_.readAllStandardError()));
            return QString();
        }
        process_.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
    }
}

void ServerProcess::WriteLine(const QString& line)
{
    process_.write((line + "\n").toUtf8());
}

void ServerProcess::Stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.closeWriteChannel();
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}
