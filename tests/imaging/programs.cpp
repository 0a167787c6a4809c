// Running outside programs for the imaging tests.
#include "programs.h"

#include <QProcess>

bool RunProgram(const QString& program, const QStringList& arguments, QByteArray* out, QByteArray* err,
                int* code, const QByteArray& input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    *out = process.readAllStandardOutput();
    *err = process.readAllStandardError();
    *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}
