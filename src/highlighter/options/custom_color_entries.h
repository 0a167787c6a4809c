// The colour dialog's custom colours as entry texts: "ColorA=00FFFFFF" to "ColorP=...", one per
// cell of an 8 x 2 grid, letters A..H for row 1 and I..P for row 2.
#pragma once

#include <QStringList>

class TColorArrayClass;

// The 16 entries of Colors, each "Color", its letter, "=" and the colour as 8 hexadecimal digits.
QStringList CustomColorEntries(const TColorArrayClass& Colors);
// Reads entries back: the letter before "=" names the cell (index = letter - "A": column
// index mod 8 + 1, row index div 8 + 1), and up to 9 characters after "=" are the colour in
// hexadecimal, white when they are no number. An entry naming no cell of Colors is skipped.
void ReadCustomColorEntries(const QStringList& Entries, TColorArrayClass& Colors);
