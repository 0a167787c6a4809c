// The character escapes that patterns and replacement texts share: "\n" is the editor's line end
// 13 and "\r" is 10.
#pragma once

#include <cstddef>
#include <string_view>

enum class TEscapeResult { Char, NoHexDigit, OctalTooLarge };

struct TEscape {
    TEscapeResult Result = TEscapeResult::Char;
    char Char = '\0';
};

// The escape whose letter stands at Text[Pos] (the backslash before it already read; Pos below
// the size); Pos moves past it. In either case: "t" 9, "r" 10, "n" 13, "b" 8, "f" 12, "s" a blank
// when SIsBlank, "x" and one or two hex digits, "0" to "7" and up to two more octal digits the
// character of that code; any other character stands for itself.
TEscape ReadEscape(std::string_view Text, std::size_t& Pos, bool SIsBlank);
