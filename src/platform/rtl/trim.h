// Trim, TrimLeft and TrimRight: text without its leading or trailing blanks and control characters.
#pragma once

#include <QString>
#include <QStringView>

// Remove characters up to U+0020 (blanks and control characters) at both ends, at the start only
// or at the end only. Other white space (such as U+00A0) is kept: it can be part of a file name.
QString Trim(const QString& S);
QString TrimLeft(const QString& S);
QString TrimRight(const QString& S);
// The same on a view: the part of S that Trim keeps.
QStringView Trim(QStringView S);
