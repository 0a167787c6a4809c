// The program's web address, opened by the hosting-brand pictures and the help menu.
#pragma once

#include <QString>

inline const QString ProgramWebAddress = QStringLiteral("https://www.tarnwick.example/halyard/");
