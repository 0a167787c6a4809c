// ServerProcess: a test server run as a child process on its own pipes, stopped when the test
// binary's application ends (or when the object goes).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class ServerProcess {
public:
    ServerProcess();
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts program; false (with Error()) when it does not start.
    bool Start(const QString& program, const QStringList& arguments);
    // Reads standard output (or standard error) until a line starting with prefix arrives, at most
    // timeoutMs; returns the line, or an empty string (with Error()).
    QString ReadLineStartingWith(const QString& prefix, bool fromStderr = false, int timeoutMs = 10000);
    // Writes one line to the server's standard input.
    void WriteLine(const QString& line);
    // Closes standard input, asks the server to end, and waits for it.
    void Stop();
    bool Running() const { return process_.state() == QProcess::Running; }
    QString Error() const { return error_; }

private:
    QProcess process_;
    QString error_;
};

// Stops the process when the application ends, before Qt goes away.
void StopAtApplicationEnd(ServerProcess* process);
