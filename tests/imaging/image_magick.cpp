// Running ImageMagick's convert and compare for the oracle tests.
#include "image_magick.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <cmath>
#include <limits>

namespace {

// Runs a program to its end (no time limit beyond a generous one for a stuck program).
bool Run(const QString& program, const QStringList& arguments, QByteArray* out, QByteArray* err, int* code)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    *out = process.readAllStandardOutput();
    *err = process.readAllStandardError();
    *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}

} // namespace

QByteArray Convert(const QStringList& arguments)
{
    QByteArray out, err;
    int code = 0;
    if (!Run(QStringLiteral("/usr/bin/convert"), arguments, &out, &err, &code) || code != 0) {
        ADD_FAILURE() << "convert " << arguments.join(' ').toStdString() << " failed: " << err.toStdString();
        return {};
    }
    return out;
}

double Psnr(const QString& a, const QString& b)
{
    QByteArray out, err;
    int code = 0;
    // compare exits with 1 when the pictures differ; the measure goes to standard error.
    if (!Run(QStringLiteral("/usr/bin/compare"),
             {QStringLiteral("-metric"), QStringLiteral("PSNR"), a, b, QStringLiteral("null:")}, &out, &err,
             &code) ||
        code > 1) {
        ADD_FAILURE() << "compare " << a.toStdString() << " " << b.toStdString()
                      << " failed: " << err.toStdString();
        return std::numeric_limits<double>::quiet_NaN();
    }
    const QByteArray text = err.trimmed().split(' ').front();
    if (text == "inf")
        return std::numeric_limits<double>::infinity();
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}
