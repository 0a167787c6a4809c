// Running outside programs for the imaging tests.
#include "programs.h"

#include <QProcess>

bool RunProgram(const QString& program, const QStringList& arguments, QByteArray* out, QByteArray* err,
                int* code, const QByteArray& input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        *err = "could not start: " + process.errorString().toUtf8();
        return false;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        *err = "did not end within four minutes";
        return false;
    }
    *out = process.readAllStandardOutput();
    *err = process.readAllStandardError();
    *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}
