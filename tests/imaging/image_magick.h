// ImageMagick as a black-box oracle: its convert and compare programs, called by their full paths.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs /usr/bin/convert with the arguments; returns its standard output. A failure to run or a
// non-zero exit is reported as a test failure and gives an empty result.
QByteArray Convert(const QStringList& arguments);

// The peak signal-to-noise ratio between two picture files in dB, as /usr/bin/compare measures it
// (a large number for equal pictures); NaN when it cannot be measured.
double Psnr(const QString& a, const QString& b);
