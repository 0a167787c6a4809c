// Small text helpers of the shell controls: a trailing character, and tokens split at a separator.
#pragma once

#include <QString>

class TStrings;

// S with C appended unless S is empty or already ends with C.
QString EnsureTrailingChar(const QString& S, QChar C);
// Appends the character of Source at Pos (1-based) to Dest and steps Pos past it: a surrogate
// pair is one character.
void AppendCharAt(int& Pos, const QString& Source, QString& Dest);
// The characters from Pos up to the next Separator or the end; Pos is left on the separator.
QString ExtractToken(int& Pos, const QString& Source, QChar Separator);
// Adds each non-empty piece of Source between ";" separators to List, in order, untrimmed.
void SplitToStrings(const QString& Source, TStrings& List);
