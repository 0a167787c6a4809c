// The editor's default word-break rule, answering the three word-break questions of the edit
// control about a piece of text.
#pragma once

#include <functional>

// The questions: the start of the word left of a position, the start of the next word to its
// right, and whether the character there is a delimiter.
constexpr int WB_LEFT = 0;
constexpr int WB_RIGHT = 1;
constexpr int WB_ISDELIMITER = 2;

// A word-break rule: Text of Count characters, the position asked about and the question.
using TSM_WordBreakProc = std::function<int(const char* Text, int Current, int Count, int Code)>;

// Delimiters are the characters below 33 and character 160.
bool IsWordBreakDelimiter(char C);
// WB_LEFT: inside a word, the position after the nearest delimiter to the left (Current itself
// when there is none); on a delimiter, the first non-delimiter to the right (at most Count).
// WB_RIGHT: past the rest of the word and the delimiters after it (at most Count).
// WB_ISDELIMITER: 1 for a delimiter, else 0. Positions at or past Count count as delimiters.
int DefaultWordBreak(const char* Text, int Current, int Count, int Code);
