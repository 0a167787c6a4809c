// FormatStrPos: a message with its strings inserted by position ("%1" to "%99").
#pragma once

#include <QString>
#include <QStringList>

// Inserts string N for each "%N" (N from 1 to 99, an optional "!...!" format after it ignored);
// "%%" is "%", "%." ".", "%!" "!", "% " a blank, and "%0" ends the message. A "%N" with no
// string N stays as it is. An empty Template gives "" at once; more than 50 strings raise
// Exception "FormatStrPos: Too many substitution strings".
QString FormatStrPos(const QString& Template, const QStringList& Strings);
