// The colour values of the HTML label's tags: colour names and "#RRGGBB".
#pragma once

#include <QColor>
#include <QString>

class QPalette;

// A value holding "cl" is looked up lower-cased among the sixteen standard colours ("clred",
// "clblack", ...) and the 24 system colours ("clbackground" ... "clinfobk"), which come from
// Palette where it has a counterpart; an unknown name is black. A value holding "#" reads the
// two hexadecimal digits each of red, green and blue after it. Anything else is invalid.
QColor HTMLColor(const QString& Value, const QPalette& Palette);
