// Fuzz target: the regular-expression engine. Any bytes compile or fail with a code of their own,
// and a search with what compiled ends inside the text or with an error of the engine. Patterns
// built from the input in the subset both engines share (literals, ".", classes, "*", "+", "?",
// counted repeats, groups, "|") match where std::regex in ECMAScript mode matches, over texts of
// a, b, c and the line end.
#include "editor/search/re_parser.h"

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

class TInput {
public:
    TInput(const uint8_t* Data, size_t Size) : data_(Data), size_(Size) {}
    bool Empty() const { return pos_ >= size_; }
    unsigned Next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

std::string Atom(TInput& In, int Depth);

std::string Sequence(TInput& In, int Depth)
{
    std::string sequence;
    const unsigned count = 1 + In.Next() % 3;
    for (unsigned i = 0; i < count; ++i) {
        std::string atom = Atom(In, Depth);
        // No repeat of a group that holds a repeat or alternatives: both engines backtrack, and
        // choices inside a repeat take time exponential in the text.
        const unsigned repeat = atom.find_first_of("*+?{|") == std::string::npos ? In.Next() % 9 : 8;
        switch (repeat) {
        case 0: atom += '*'; break;
        case 1: atom += '+'; break;
        case 2: atom += '?'; break;
        case 3: atom += "{" + std::to_string(2 + In.Next() % 2) + "}"; break;
        case 4: {
            const unsigned min = In.Next() % 3;
            atom += "{" + std::to_string(min) + "," + std::to_string(std::max(min, 1u) + In.Next() % 2) + "}";
            break;
        }
        case 5: atom += "{" + std::to_string(In.Next() % 3) + ",}"; break;
        default: break;
        }
        sequence += atom;
    }
    return sequence;
}

std::string Alternation(TInput& In, int Depth)
{
    std::string alternation = Sequence(In, Depth);
    while (!In.Empty() && In.Next() % 4 == 0)
        alternation += "|" + Sequence(In, Depth);
    return alternation;
}

std::string Atom(TInput& In, int Depth)
{
    switch (In.Next() % 8) {
    case 0: return ".";
    case 1: return "[ab]";
    case 2: return "[^a]";
    case 3: return "\\n";
    case 4:
        if (Depth < 2)
            return "(" + Alternation(In, Depth + 1) + ")";
        return "a";
    default: return std::string(1, "abc"[In.Next() % 3]);
    }
}

void CompareWithStdRegex(TInput& In)
{
    const std::string pattern = Alternation(In, 0);
    std::string text;
    // Short texts: std::regex backtracks too, and alternatives under a repeat take it time
    // exponential in the text.
    while (!In.Empty() && text.size() < 8)
        text += "abc\r"[In.Next() % 4];
    TREParser parser;
    if (!parser.Compile(pattern))
        return;
    std::smatch expected;
    bool found = false;
    try {
        // "\n" is the editor's line end 13.
        std::string ecma = pattern;
        for (std::size_t at = ecma.find("\\n"); at != std::string::npos; at = ecma.find("\\n", at))
            ecma.replace(at, 2, "\\r");
        found = std::regex_search(text, expected, std::regex(ecma, std::regex::ECMAScript));
    } catch (const std::regex_error&) {
        return;
    }
    TStringTextSource source(text);
    TTextCursor cursor(source);
    bool ours = false;
    try {
        ours = parser.Search(cursor, 0, true);
    } catch (const EREParserError& error) {
        if (error.Code() != reIndexRangeError)
            std::abort();
        return;
    }
    if (ours != found)
        std::abort();
    if (found && (parser.MatchPos(0) != expected.position(0) ||
                  parser.MatchPos(parser.MatchCount()) != expected.position(0) + expected.length(0)))
        std::abort();
}

void CompileAnything(const uint8_t* Data, size_t Size)
{
    const std::string pattern(reinterpret_cast<const char*>(Data), std::min<size_t>(Size, 24));
    TREParser parser;
    if (!parser.Compile(pattern)) {
        if (parser.ErrorCode() < reNoErrors || parser.ErrorCode() > reInternalError)
            std::abort();
        return;
    }
    const std::string text = "ab\rcab a\r\rb\"a.b\"ba";
    TStringTextSource source(text);
    TTextCursor cursor(source);
    for (bool forward : {true, false}) {
        try {
            if (parser.Search(cursor, forward ? 0 : int(text.size()), forward)) {
                const int start = parser.MatchPos(0);
                const int end = parser.MatchPos(parser.MatchCount());
                if (start < 0 || end < start || end > int(text.size()))
                    std::abort();
            }
        } catch (const EREParserError& error) {
            if (error.Code() != reIndexRangeError)
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CompileAnything(data, size);
    TInput input(data, size);
    CompareWithStdRegex(input);
    return 0;
}
