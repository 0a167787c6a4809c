// The string routine library: scanning, copying, token splitting and in-place edits of text.
//
// Positions are 1-based, as the callers count them; a position of 0 means "not found". Case
// mapping touches only the ASCII letters A to Z and a to z.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

// Upper- and lower-case of one character (only ASCII letters change).
QChar StrUpCaseChar(QChar C);
QChar StrLoCaseChar(QChar C);

// The first position at or after |Start| where Pattern matches Text; "?" in the pattern matches
// any character. A negative Start also lets every pattern letter match the same letter in the other
// case. 0 when there is no match, or when Text or Pattern is empty or Start is 0.
int StrScanPattern(const QString& Text, const QString& Pattern, int Start);
// The first position at or after Start where Sub occurs (with case); 0 when absent or Sub is empty.
int StrPosFrom(const QString& Text, const QString& Sub, int Start);
// The first position of C at or after Start; 0 when absent or Start lies outside the text.
int StrScanChar(const QString& Text, QChar C, int Start);
// The last position of C at or before Start (a Start of 0 or less, or past the end, searches from
// the end); 0 when absent.
int StrScanCharBack(const QString& Text, QChar C, int Start);
// The position of the last character that is not C; 0 when every character is C.
int StrLastNotChar(const QString& Text, QChar C);
// Text without its trailing run of C.
QString StrTrimRightChar(const QString& Text, QChar C);

// The first Count characters (all when Count exceeds the length, none when it is below 1).
QString StrLeft(const QString& Text, int Count);
// Count characters from Start (a Start below 1 counts from 1).
QString StrMid(const QString& Text, int Start, int Count);
// The tail from Start: the whole text for 1, empty below 1.
QString StrCopyFrom(const QString& Text, int Start);

// Prefixes copies of C until Text has Width characters; a longer text stays as it is.
void StrPadLeft(QString& Text, QChar C, int Width);
// Upper-cases Count characters from Start (the part that lies inside the text).
void StrUpperRange(QString& Text, int Start, int Count);
// Removes every C, keeps the length by filling the freed tail with blanks, and returns the number
// of characters kept.
int StrDeleteChar(QString& Text, QChar C);
// Replaces every Old by New.
void StrReplaceChar(QString& Text, QChar Old, QChar New);
// True when Text is not empty and holds only digits and blanks.
bool StrAllInCharSet(const QString& Text);

// The first position at or after Start of one of the characters of Delimiters, skipping what
// stands between double quotes (each double quote toggles the quoted state); 0 when none, or when
// Start lies outside the text.
int StrScanDelimiter(const QString& Text, const QString& Delimiters, int Start);
// The text from Position up to the next delimiter (found as StrScanDelimiter does); Position moves
// just past that delimiter. Without a further delimiter: the rest of the text, and Position 0.
// When Position lies outside the text or Delimiters is empty: empty text, and Position 0.
QString StrNextToken(const QString& Text, const QString& Delimiters, int& Position);

// Bit Bit (0 to 31) of Value.
inline bool IsBitSet(std::uint32_t Value, int Bit)
{
    return Bit >= 0 && Bit < 32 && (Value >> Bit & 1u) != 0;
}
inline int MaxOf(int A, int B)
{
    return A > B ? A : B;
}
