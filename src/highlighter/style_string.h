// The style string: a language's highlighting settings (options, colours, font, tabs, margins and
// the look of every style in use) as the text stored under "Highlighting - <language>".
#pragma once

#include <QString>

class TSM_Settings;

// The signature and version the writer gives every style string.
inline const QString StyleStringSignature = QStringLiteral("Mervak6:");

// Version 6: the signature, 24 fields "TAG#length#value" and "#END#".
QString StyleStringOf(const TSM_Settings& Settings);

// Reads a style string of version 1 to 9 into Settings (versions 1 to 4 positional, 5 to 9 in
// fields). Raises ESyntaxMemo "Invalid data in style string" for a text that does not start with
// "Mervak" and a version digit, a field or string running past the end, a bad decimal, a style
// above 255, a count of more than 256 styles and a default tab of 0 or less. Settings keep what
// was read before the fault, except that a fault in the list of styles resets them to their
// defaults.
void ReadStyleString(TSM_Settings& Settings, const QString& Text);
