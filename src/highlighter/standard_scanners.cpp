// The scanner table: character acceptors and standard scanners.
#include "highlighter/standard_scanners.h"

#include "editor/document/ed_stream.h"

namespace {

constexpr std::uint8_t CR = 13;

bool IsDigit(std::uint8_t C)
{
    return C >= '0' && C <= '9';
}
bool IsLetter(std::uint8_t C)
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}
bool IsIdentifierChar(std::uint8_t C)
{
    return IsLetter(C) || IsDigit(C) || C == '_';
}
bool IsMailChar(std::uint8_t C)
{
    return IsLetter(C) || IsDigit(C) || C == '~' || C == '.' || C == '@' || C == '-' || C == '_';
}
bool IsWebChar(std::uint8_t C)
{
    switch (C) {
    case '#': case '&': case '-': case '.': case '/': case ':': case '=': case '?': case '@':
    case '\\': case '_': case '|': case '~':
        return true;
    default:
        return IsLetter(C) || IsDigit(C);
    }
}

// The stream as the scanners step through it: at the end of the text the current character reads
// as 0 without the stream being asked, and advancing does nothing.
class TScan {
public:
    TScan(TCustomEdStream& Stream, std::int32_t& Length) : stream_(Stream), length_(Length) {}

    bool AtEnd() { return stream_.EndOfText(); }
    std::uint8_t Char() { return AtEnd() ? 0 : std::uint8_t(stream_.CurrentChar()); }
    void Advance()
    {
        if (AtEnd())
            return;
        stream_.Next();
        ++length_;
    }
    template <class Test> void AdvanceWhile(Test test)
    {
        while (!AtEnd() && test(Char()))
            Advance();
    }
    // Steps back over the last character consumed.
    void GiveBack()
    {
        stream_.Back();
        --length_;
    }
    TCustomEdStream& Stream() { return stream_; }
    std::int32_t& Length() { return length_; }

private:
    TCustomEdStream& stream_;
    std::int32_t& length_;
};

// Digits, then an optional fraction and exponent; the number must begin with a digit.
bool ScanUnsignedNumber(TScan& S)
{
    if (!IsDigit(S.Char()))
        return false;
    S.AdvanceWhile(IsDigit);
    if (S.Char() == '.') {
        S.Advance();
        if (!IsDigit(S.Char())) {
            S.GiveBack(); // "12.x": the "." is not part of the number
            return true;
        }
        S.AdvanceWhile(IsDigit);
    }
    if (S.Char() == 'e' || S.Char() == 'E') {
        S.Advance();
        if (S.Char() == '-' || S.Char() == '+')
            S.Advance();
        S.AdvanceWhile(IsDigit);
    }
    return true;
}

// Opening quote, then up to the closing Quote (consumed) or a CR (not consumed); a backslash
// takes the next character with it.
bool ScanQuoted(TScan& S, std::uint8_t Quote)
{
    S.Advance();
    while (!S.AtEnd()) {
        const std::uint8_t c = S.Char();
        if (c == Quote) {
            S.Advance();
            return true;
        }
        if (c == CR)
            return true;
        S.Advance();
        if (c == '\\')
            S.Advance();
    }
    return true;
}

bool PascalChar(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    if (S.AtEnd() || S.Char() == CR)
        return false;
    if (S.Char() == '\'') {
        S.Advance();
        if (S.Char() != '\'') {
            S.GiveBack();
            return false;
        }
    }
    S.Advance();
    return true;
}

bool WebChar(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    std::uint8_t last = 0;
    bool any = false;
    while (!S.AtEnd() && IsWebChar(S.Char())) {
        last = S.Char();
        any = true;
        S.Advance();
    }
    if (any && last == '.')
        S.GiveBack();
    return any;
}

bool OriginalChar(TCustomEdStream& Stream, std::int32_t& Length, int TokenStart)
{
    TScan S(Stream, Length);
    if (TokenStart > 0) {
        const int here = Stream.GetPosition();
        Stream.SetPosition(TokenStart - 1);
        const bool afterLineEnd = !Stream.EndOfText() && std::uint8_t(Stream.CurrentChar()) == CR;
        Stream.SetPosition(here);
        if (!afterLineEnd)
            return false;
    }
    S.AdvanceWhile([](std::uint8_t C) { return C != CR; });
    return true;
}

bool Identifier(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    const std::uint8_t c = S.Char();
    if (!IsLetter(c) && c != '_')
        return false;
    S.AdvanceWhile(IsIdentifierChar);
    return true;
}

bool NumberOrFloat(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    return ScanUnsignedNumber(S);
}

bool PascalString(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    S.Advance();
    while (!S.AtEnd() && S.Char() != CR) {
        if (S.Char() == '\'') {
            S.Advance();
            if (S.Char() != '\'')
                return true;
        }
        S.Advance();
    }
    return true;
}

bool CString(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    return ScanQuoted(S, '"');
}

bool CStringSingleQuoted(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    return ScanQuoted(S, '\'');
}

bool SignedNumberOrFloat(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    if (S.Char() == '+' || S.Char() == '-')
        S.Advance();
    return ScanUnsignedNumber(S);
}

bool Number(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    if (!IsDigit(S.Char()))
        return false;
    S.AdvanceWhile(IsDigit);
    return true;
}

bool MailUrl(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    const int start = Stream.GetPosition();
    const std::int32_t startLength = Length;
    bool at = false;
    std::uint8_t last = 0;
    while (!S.AtEnd() && IsMailChar(S.Char())) {
        last = S.Char();
        at = at || last == '@';
        S.Advance();
    }
    if (!at) {
        Stream.SetPosition(start);
        Length = startLength;
        return false;
    }
    if (last == '.')
        S.GiveBack();
    return true;
}

bool HtmlString(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    S.Advance();
    S.AdvanceWhile([](std::uint8_t C) { return C != CR && C != '"'; });
    S.Advance();
    return true;
}

bool ScriptLineComment(TCustomEdStream& Stream, std::int32_t& Length, int)
{
    TScan S(Stream, Length);
    while (!S.AtEnd() && S.Char() != CR) {
        if (S.Char() != '-') {
            S.Advance();
            continue;
        }
        int run = 0;
        while (S.Char() == '-') {
            S.Advance();
            ++run;
        }
        if (run >= 2 && S.Char() == '>') {
            // The "-->" that closes the script is left for the next token.
            Stream.SetPosition(Stream.GetPosition() - 2);
            Length -= 2;
            break;
        }
    }
    return true;
}

} // namespace

const std::array<TScannerEntry, ScannerCount> Scanners = {{
    {"_PASCAL_CHAR", 0, PascalChar},
    {"_WEB_CHAR", 1, WebChar},
    {"_ORIGINAL_CHAR", 2, OriginalChar},
    {"__STD_IDENTIFIER", 10, Identifier},
    {"__STD_NUMBER_OR_FP", 11, NumberOrFloat},
    {"__STD_PASCALSTRING", 12, PascalString},
    {"__STD_C_STRING", 13, CString},
    {"__STD_C_CHAR", 14, CStringSingleQuoted},
    {"__STD_C_NUMBER_OR_FP_SIGNED", 15, SignedNumberOrFloat},
    {"__STD_NUMBER", 16, Number},
    {"__STD_MAIL_URL", 17, MailUrl},
    {"__STD_HTML_STRING", 18, HtmlString},
    {"__STD_JS_LINE_COMMENT", 19, ScriptLineComment},
    {"__STD_C_STRING_SQ", 20, CStringSingleQuoted},
}};

bool RunScanner(int Entry, TCustomEdStream& Stream, std::int32_t& Length, int TokenStart)
{
    if (Entry < 0 || Entry >= ScannerCount)
        return false;
    return Scanners[std::size_t(Entry)].Scan(Stream, Length, TokenStart);
}
