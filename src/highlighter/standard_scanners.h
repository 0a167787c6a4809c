// The tokenizer's scanner table: three character acceptors and eleven standard scanners that read
// whole tokens (identifiers, numbers, strings, mail addresses, script comments).
#pragma once

#include <array>
#include <cstdint>

class TCustomEdStream;

// A scanner reads from the stream's current character and adds every character it consumes to
// Length; TokenStart is where the token being read began. It never reads past the end of the text.
using TScanner = bool (*)(TCustomEdStream& Stream, std::int32_t& Length, int TokenStart);

struct TScannerEntry {
    const char* Symbol; // as parser scripts name it
    int Number;         // as parser scripts and tables number it
    TScanner Scan;
};

// Entries 0..2 are the acceptors "_PASCAL_CHAR" 0, "_WEB_CHAR" 1 and "_ORIGINAL_CHAR" 2; entries
// 3..13 the standard scanners "__STD_IDENTIFIER" 10 to "__STD_C_STRING_SQ" 20.
//
// How rules reach them: a start rule, and a handler's body rule, with a number 10..20 call the
// standard scanner of that number (entry number - 7); every other reference (body and end rules of
// token definitions, end rules of handlers, handler bodies numbered 0..9) calls the entry with the
// same number as the rule's, so there 10 is the mail scanner. Tables keep to the numbers each kind
// of rule may use; a rule with a number outside them fails at run time.
constexpr int ScannerCount = 14;
extern const std::array<TScannerEntry, ScannerCount> Scanners;

constexpr int FirstStandardScanner = 10;
constexpr int LastStandardScanner = 20;
constexpr int StandardScannerEntry(int Number)
{
    return Number - 7;
}

// Calls entry Entry; false for an entry outside the table.
bool RunScanner(int Entry, TCustomEdStream& Stream, std::int32_t& Length, int TokenStart);
