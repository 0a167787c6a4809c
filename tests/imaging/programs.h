// Running outside programs (the oracles and fixture makers) to their end.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the program with the arguments and Input on its standard input; false when it could not
// start or did not end within four minutes (a loaded machine runs the fixture makers slowly), with
// the reason in Err. Code is the exit code, -1 after a crash.
bool RunProgram(const QString& program, const QStringList& arguments, QByteArray* out, QByteArray* err,
                int* code, const QByteArray& input = {});
