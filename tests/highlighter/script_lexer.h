// Lex: runs the script lexer over a text and writes what it read as one line, for tables of cases.
#pragma once

#include <QString>

// The tokens of Script separated by blanks: a number as "91:<value>", a string as "92:<value>"
// (escapes processed), anything else as its token number, up to and including 93; an error ends
// the line with "! " and its message. IncludeFolder is where "<...>" names are looked up.
QString Lex(const QByteArray& Script, const QString& IncludeFolder = {});
