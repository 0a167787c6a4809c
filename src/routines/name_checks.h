// Checks and conversions of names and small texts: valid names, numbers, yes/no texts, bracketed
// parts, file-dialog filters and the letter case of HTML tags.
#pragma once

#include <QString>

class TStrings;

// True when Text holds none of  " * / : < > ? \ |
bool IsValidFileName(const QString& Text);
// False for an empty name or one holding  : " * / < > ? \  (a "|" is allowed). Unless KeepBlanks,
// every blank before the first such character becomes "_" in Name.
bool CheckRemoteName(QString& Name, bool KeepBlanks);
// True when a non-empty text holds only the digits 0 to 9.
bool IsDigitsOnly(const QString& Text);
// The decimal value of Text, 0 when it is not a 32-bit number.
int StrToIntOrZero(const QString& Text);
// True for "1", and for "yes" and "true" in any case.
bool StrToBoolText(const QString& Text);
// The index of the first line equal to Text with case; -1 when none.
int IndexOfStrExact(const TStrings& List, const QString& Text);
// The text between the first "[" and the first "]" (empty when either is missing or "]" comes
// first); with Remove that part, brackets included, is deleted from Text.
QString ExtractBracketed(QString& Text, bool Remove);
// The filter of a file dialog from Name=Patterns[ext] lines: "Name|Patterns|" for each line, then
// "All Files|*.*". A line without "=" is no entry and gets no filter.
QString BuildFileFilter(const TStrings& List);
// The line of List that holds its Entry-th (0-based) Name=Patterns entry, lines without "=" not
// counted: the entry that BuildFileFilter's filter Entry + 1 stands for. -1 when there is none.
int FilterEntryLine(const TStrings& List, int Entry);
// Text with the letters inside HTML tags upper-cased (or lower-cased), except in quoted values
// and comments.
QString ConvertTagCase(const QString& Text, bool Upper);
// The 1-based position just after ">", as many characters as Word has, and "</" (the text of an
// element holding a word of that length); 0 when there is none.
int FindTagEnd(const QString& Text, const QString& Word);
// True when the name's extension is ".gif", ".jpg", ".jpeg", ".bmp" or ".wbmp" in any case.
bool IsImageFile(const QString& Name);
