// The replacement text of a regular-expression match with its references expanded, and the text
// that reports a pattern that does not compile.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>

// The text between two log entries of the last match (n - 1 and n for "%n", 1..255).
using TLoggedText = std::function<std::string(int N)>;

// "%%" gives "%"; "%" and a number n gives LoggedText(n) for n in 1..255 and nothing for others;
// "%" and another character gives that character; a "%" at the end stays. A backslash and (in
// either case) "r" gives 10, "n" 13, "t" 9, "s" a blank, "b" 8, "f" 12, "x" and one or two hex
// digits, or one to three octal digits, the character of that code; any other character gives
// itself, and a backslash at the end gives a backslash. An "x" without a hex digit or an octal
// value above 255 ends the expansion there. Everything else is copied.
std::string ExpandReplacement(std::string_view Replacement, const TLoggedText& LoggedText);

// The message of a pattern that does not compile: the error's text, then the pattern, then a
// caret under the column (1-based) of the error, on three lines (CR LF).
QString RegexErrorText(int Code, std::string_view Pattern, int Column);
