// SearchText, the editor's plain-text search: a Boyer-Moore style scan with skip tables, forward or
// backward, with or without case (A..Z only), optionally for whole words; and the find option bits.
#pragma once

#include "editor/search/text_cursor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The find option bits, one word wherever they appear (the find dialog, the search message, the
// stored "FindOpt").
constexpr unsigned foSearchNow = 8;       // search at once, without the editor's own find dialog
constexpr unsigned foMatchCase = 16;
constexpr unsigned foRegularExpression = 32;
constexpr unsigned foWholeWord = 64;
constexpr unsigned foBackward = 128;
constexpr unsigned foSearchNothing = 256; // the find-and-select operation searches nothing

// The four skip tables of a pattern (entries are distances modulo 256, which only shortens the
// shifts of patterns longer than 255 characters), rebuilt only when the pattern changes.
class TSearchTables {
public:
    // Makes the tables fit Pattern; returns whether they had to be built.
    bool Prepare(std::string_view Pattern);

    const std::string& Pattern() const { return pattern_; }
    const std::string& UpperPattern() const { return upperPattern_; }
    // Forward: the distance of the last occurrence of a character from the pattern's end;
    // backward: the index of its first occurrence. The insensitive tables are indexed by the
    // upper-cased character.
    std::array<std::uint8_t, 256> Forward{};
    std::array<std::uint8_t, 256> Backward{};
    std::array<std::uint8_t, 256> ForwardNoCase{};
    std::array<std::uint8_t, 256> BackwardNoCase{};

private:
    bool built_ = false;
    std::string pattern_;
    std::string upperPattern_;
};

// A..Z for a..z; every other character as it is.
inline char UpperAZ(char C)
{
    return C >= 'a' && C <= 'z' ? char(C - 'a' + 'A') : C;
}

// Whether a character belongs to a word (starts one or continues one).
using TWordCharTest = std::function<bool(char)>;

struct TSearchRequest {
    std::string_view Pattern;
    int Start = 0;      // forward: the first position a match may begin at; backward: where it must end by
    int Limit = 0;      // the last position searched (the callers pass the text length - 1)
    bool CaseSensitive = true;
    bool Backward = false;
    bool WholeWords = false;
    TWordCharTest IsWordChar; // for whole words
};

// The position of the first character of the match, or a value at or above the text length when
// there is none. An empty pattern finds nothing.
int SearchText(TTextCursor& Text, TSearchTables& Tables, const TSearchRequest& Request);
