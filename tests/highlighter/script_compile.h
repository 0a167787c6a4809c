// Compiling parser scripts in tests.
#pragma once

#include <QByteArray>
#include <QString>

class TSyntaxMemoParser;

// Compiles Script into Parser; the error's message, or an empty text when it compiled.
QString CompileText(TSyntaxMemoParser& Parser, const QByteArray& Script);
// The error message without its "** ERROR near line l, Column c: " frame.
QString Bare(const QString& Message);
