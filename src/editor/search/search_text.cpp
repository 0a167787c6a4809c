// The plain-text search.
#include "editor/search/search_text.h"

#include <algorithm>

bool TSearchTables::Prepare(std::string_view Pattern)
{
    if (built_ && Pattern == pattern_)
        return false;
    pattern_.assign(Pattern);
    upperPattern_.resize(pattern_.size());
    std::transform(pattern_.begin(), pattern_.end(), upperPattern_.begin(), UpperAZ);
    const int length = int(pattern_.size());
    const auto fill = std::uint8_t(length);
    for (auto* table : {&Forward, &Backward, &ForwardNoCase, &BackwardNoCase})
        table->fill(fill);
    // Forward: the last occurrence wins; backward: the first.
    for (int i = 1; i <= length; ++i) {
        Forward[std::uint8_t(pattern_[std::size_t(i - 1)])] = std::uint8_t(length - i);
        ForwardNoCase[std::uint8_t(upperPattern_[std::size_t(i - 1)])] = std::uint8_t(length - i);
    }
    for (int i = length; i >= 1; --i) {
        Backward[std::uint8_t(pattern_[std::size_t(i - 1)])] = std::uint8_t(i - 1);
        BackwardNoCase[std::uint8_t(upperPattern_[std::size_t(i - 1)])] = std::uint8_t(i - 1);
    }
    built_ = true;
    return true;
}

namespace {

// One scan without the whole-word check; -1 when nothing matches.
int Scan(TTextCursor& Text, const TSearchTables& Tables, bool CaseSensitive, bool Backward, int Start, int Limit)
{
    const std::string& pattern = CaseSensitive ? Tables.Pattern() : Tables.UpperPattern();
    const int length = int(pattern.size());
    const int textLength = Text.Length();
    const auto fold = [CaseSensitive](char C) { return CaseSensitive ? C : UpperAZ(C); };
    if (!Backward) {
        const auto& table = CaseSensitive ? Tables.Forward : Tables.ForwardNoCase;
        // pos stands under pattern[j - 1]; the alignment's last character is at pos + length - j.
        int pos = Start + length - 1;
        int j = length;
        while (pos < textLength && pos <= Limit) {
            const char c = fold(Text.At(pos));
            if (c == pattern[std::size_t(j - 1)]) {
                if (--j == 0)
                    return pos;
                --pos;
            } else {
                pos += std::max(int(table[std::uint8_t(c)]), length - j + 1);
                j = length;
            }
        }
        return -1;
    }
    const auto& table = CaseSensitive ? Tables.Backward : Tables.BackwardNoCase;
    if (Start < length)
        return -1;
    // pos stands under pattern[k], k = length - j; the alignment begins at pos - k.
    int pos = Start - length;
    int j = length;
    while (pos < textLength) {
        const char c = fold(Text.At(pos));
        const int k = length - j;
        if (c == pattern[std::size_t(k)]) {
            ++pos;
            if (--j == 0)
                return pos - length;
        } else {
            pos -= std::max(int(table[std::uint8_t(c)]), k + 1);
            if (pos < 0)
                return -1;
            j = length;
        }
    }
    return -1;
}

} // namespace

int SearchText(TTextCursor& Text, TSearchTables& Tables, const TSearchRequest& Request)
{
    const int textLength = Text.Length();
    const int length = int(Request.Pattern.size());
    if (length == 0 || length > textLength)
        return textLength;
    Tables.Prepare(Request.Pattern);
    int start = std::clamp(Request.Start, 0, textLength);
    for (;;) {
        const int p = Scan(Text, Tables, Request.CaseSensitive, Request.Backward, start, Request.Limit);
        if (p < 0)
            return textLength;
        if (!Request.WholeWords)
            return p;
        // Rejected when a word character touches either end; the character after a match is
        // looked at whenever there is one, also the text's last.
        const bool before = p > 0 && Request.IsWordChar(Text.At(p - 1));
        const bool after = p + length < textLength && Request.IsWordChar(Text.At(p + length));
        if (!before && !after)
            return p;
        start = Request.Backward ? p - 1 : p + length;
    }
}
