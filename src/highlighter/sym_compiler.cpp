// The script lexer: reading the script, tokens, string literals and errors.
#include "highlighter/sym_compiler.h"
#include "highlighter/script_symbols.h"

#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/streams.h"

#include <cctype>

namespace {

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

} // namespace

QByteArray WithCarriageReturns(QByteArray Text)
{
    char previous = 0;
    for (char& c : Text) {
        const char original = c;
        if (c == '\n' && previous != '\r')
            c = '\r';
        previous = original;
    }
    return Text;
}

TSYM_Compiler::TSYM_Compiler(TStream& Source, const QString& IncludeFolder) : includeFolder_(IncludeFolder)
{
    const std::int64_t size = Source.Size() - Source.Position();
    QByteArray text(qsizetype(size > 0 ? size : 0), '\0');
    if (size > 0)
        Source.ReadBuffer(text.data(), size);
    text_ = WithCarriageReturns(text);
    for (const TPredefinedSymbol& symbol : PredefinedSymbols())
        symbols_.AddString(symbol.Name, symbol.Value);
    for (const TScriptWord& word : ScriptReservedWords())
        reservedWords_.AddToken(word.Text, word.Token);
    position_ = text_.constData();
    SkipBlanks();
}

void TSYM_Compiler::Error(const QString& Message) const
{
    throw ESYM_COMP_ERROR(Format(LoadStr(4122), {line_ + 1, column_ + 1, Message}), line_, column_);
}

char TSYM_Compiler::Current()
{
    while (*position_ == 0 && !frames_.empty()) {
        position_ = frames_.back().Resume;
        frames_.pop_back();
    }
    return *position_;
}

void TSYM_Compiler::Take()
{
    const char c = *position_;
    if (c == 0)
        return;
    ++position_;
    if (c == '\r') {
        ++line_;
        column_ = 0;
    } else if (c != '\n') {
        ++column_;
    }
}

QByteArray TSYM_Compiler::TakeWord()
{
    const char* start = position_;
    while (IsWordChar(std::uint8_t(*position_)))
        Take();
    return QByteArray(start, position_ - start);
}

void TSYM_Compiler::OpenFrame(const QByteArray& Name, const QByteArray& Text)
{
    const QByteArray lower = Name.toLower();
    for (const TInputFrame& frame : frames_) {
        if (frame.Name.toLower() == lower)
            Error(Format(LoadStr(4121), {DecodeAnsi(lower)}));
    }
    frames_.push_back(TInputFrame{Name, Text, position_});
    position_ = frames_.back().Text.constData();
}

int TSYM_Compiler::NextToken()
{
    do
        token_ = ReadToken();
    while ((flags_ & Skipping) && token_ != tkEndOfText);
    if (token_ == tkIdentifier)
        Error(LoadStr(4125) + " \"" + DecodeAnsi(identifier_) + "\" " + LoadStr(4126));
    if (token_ == tkStrayChar)
        Error(Format(LoadStr(4127), {stray_}));
    return token_;
}

int TSYM_Compiler::ReadToken()
{
    SkipBlanks();
    const char c = Current();
    if (c == 0)
        return tkEndOfText;
    const char* end = position_;
    const std::int32_t word = reservedWords_.MatchToken(end);
    if (word >= 0) {
        while (position_ < end)
            Take();
        return word;
    }
    if (flags_ & Skipping) {
        Take();
        return 0;
    }
    if (c == '\'') {
        ReadString();
        return tkString;
    }
    if (IsDigit(c)) {
        std::uint32_t value = 0;
        while (IsDigit(*position_)) {
            value = value * 10 + std::uint32_t(*position_ - '0');
            Take();
        }
        number_ = std::int32_t(value);
        return tkNumber;
    }
    if (IsWordChar(std::uint8_t(c))) {
        identifier_ = TakeWord();
        return tkIdentifier;
    }
    stray_ = std::uint8_t(c);
    Take();
    return tkStrayChar;
}

void TSYM_Compiler::ReadString()
{
    literal_.clear();
    Take();
    for (;;) {
        const char c = *position_;
        if (c == 0)
            return;
        if (c == '\'') {
            Take();
            if (*position_ == '\'')
                Take();
            return;
        }
        if (c == '\\' && position_[1] == '\r') {
            // A continuation: the line end and the blanks after it go, and a backslash where the
            // text goes on.
            Take();
            while (*position_ != 0 && ((std::uint8_t(*position_) <= 32) || std::uint8_t(*position_) == 160))
                Take();
            if (*position_ == '\\')
                Take();
            continue;
        }
        literal_ += c;
        Take();
        if (c == '\\' && *position_ != 0) {
            literal_ += *position_;
            Take();
        }
    }
}

QByteArray TSYM_Compiler::GetStringValue() const
{
    QByteArray value;
    const QByteArray& raw = literal_;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            value += raw[i];
            continue;
        }
        if (++i >= raw.size())
            break;
        const char e = raw[i];
        switch (LowerChar(std::uint8_t(e))) {
        case 'b': value += char(8); continue;
        case 't': value += char(9); continue;
        case 'r': value += char(10); continue;
        case 'n': value += char(13); continue;
        case 'e': value += char(27); continue;
        case 's': value += char(32); continue;
        case 'x': {
            unsigned code = 0;
            while (i + 1 < raw.size() && std::isxdigit(std::uint8_t(raw[i + 1]))) {
                const char d = raw[++i];
                code = (code * 16 + unsigned(IsDigit(d) ? d - '0' : LowerChar(std::uint8_t(d)) - 'a' + 10)) & 0xFF;
            }
            value += char(code);
            continue;
        }
        default:
            break;
        }
        if (e >= '0' && e <= '7') {
            unsigned code = unsigned(e - '0');
            while (i + 1 < raw.size() && raw[i + 1] >= '0' && raw[i + 1] <= '7')
                code = (code * 8 + unsigned(raw[++i] - '0')) & 0xFF;
            value += char(code);
        } else {
            value += e;
        }
    }
    const qsizetype nul = value.indexOf('\0');
    return nul >= 0 ? value.left(nul) : value;
}
