// Two editor routines that follow the settings' option word: trimming pasted or dropped HTML to
// its fragment, and the white space that fills the columns past the end of a line.
#pragma once

#include "editor/document/display_columns.h"

#include <QByteArray>
#include <cstdint>

// Flags of TrimHtmlFragment.
constexpr unsigned htmlTrim = 0x0100;         // trim at all
constexpr unsigned htmlKeepWhole = 0x0400;    // ... unless this is set
constexpr unsigned htmlFragmentOnly = 0x2000; // cut before the first "<", then keep the marked fragment
constexpr unsigned htmlFromFirstTag = 0x4000; // cut before the first "<" only

// With htmlTrim and without htmlKeepWhole: htmlFromFirstTag cuts everything before the first "<";
// otherwise htmlFragmentOnly does so too and then keeps only the text between
// "<!--StartFragment-->" and the first "<!--EndFragment-->" when the end follows the start. A
// text without "<" loses nothing.
void TrimHtmlFragment(QByteArray& Text, unsigned Flags);

// The white space that fills the display columns FromColumn to ToColumn: blanks; with both
// OPT_USE_TAB and OPT_SMART_FILL in Options, a TAB for each tab stop reached without passing
// ToColumn, then blanks from the last stop reached. The editor inserts it at the caret.
QByteArray InsertFill(int FromColumn, int ToColumn, std::uint32_t Options, const TTabStops& Tabs);
