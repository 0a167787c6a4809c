// Running ImageMagick's convert and compare for the oracle tests.
#include "image_magick.h"
#include "programs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

QByteArray Convert(const QStringList& arguments)
{
    QByteArray out, err;
    int code = 0;
    if (!RunProgram(QStringLiteral("/usr/bin/convert"), arguments, &out, &err, &code) || code != 0) {
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
    if (!RunProgram(QStringLiteral("/usr/bin/compare"),
                    {QStringLiteral("-metric"), QStringLiteral("PSNR"), a, b, QStringLiteral("null:")}, &out,
                    &err, &code) ||
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
