// The script lexer's blank skipper and preprocessor: comments, the directives and macro expansion.
#include "highlighter/sym_compiler.h"

#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"
#include "platform/rtl/streams.h"
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"

namespace {

constexpr std::uint8_t NoBreakSpace = 160;
// Longer directive words are none of the directives.
constexpr int MaxDirectiveWord = 255;

bool IsBlank(char C)
{
    return C == ' ' || C == '\t' || std::uint8_t(C) == NoBreakSpace;
}

bool IsLetter(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

} // namespace

void TSYM_Compiler::SkipBlanks()
{
    for (;;) {
        const char c = Current();
        if (c == '\r' || c == '\n' || IsBlank(c)) {
            Take();
        } else if (c == '/' && position_[1] == '*') {
            SkipBlockComment();
        } else if (c == '/' && position_[1] == '/') {
            while (*position_ != 0 && *position_ != '\r')
                Take();
        } else if (c == '#' && !(flags_ & DirectiveLine)) {
            if (!Directive())
                return;
        } else if ((IsLetter(c) || c == '_') && !(flags_ & (DirectiveLine | Skipping))) {
            const char* start = position_;
            const int column = column_;
            const QByteArray name = TakeWord();
            const std::optional<QByteArray> text = symbols_.GetString(name);
            if (!text) {
                position_ = start;
                column_ = column;
                return;
            }
            OpenFrame(name, *text);
        } else {
            return;
        }
    }
}

void TSYM_Compiler::SkipBlockComment()
{
    Take();
    Take();
    while (*position_ != 0 && !(position_[0] == '*' && position_[1] == '/'))
        Take();
    Take();
    Take();
}

bool TSYM_Compiler::Directive()
{
    const char* word = position_ + 1;
    const char* end = word;
    while (IsLetter(*end))
        ++end;
    const QByteArray directive(word, end - word);
    if (directive.size() > MaxDirectiveWord)
        return false;
    static const struct {
        const char* Word;
        void (TSYM_Compiler::*Run)();
    } directives[] = {
        {"define", &TSYM_Compiler::Define},
        {"ifdef", &TSYM_Compiler::IfDefined},
        {"ifndef", &TSYM_Compiler::IfNotDefined},
        {"else", &TSYM_Compiler::Else},
        {"endif", &TSYM_Compiler::EndIf},
        {"include", &TSYM_Compiler::Include},
    };
    for (const auto& known : directives) {
        if (directive == known.Word) {
            while (position_ < end)
                Take();
            (this->*known.Run)();
            return true;
        }
    }
    return false;
}

QByteArray TSYM_Compiler::DirectiveName(int Message)
{
    flags_ |= DirectiveLine;
    SkipBlanks();
    const char c = Current();
    if (!IsLetter(c) && c != '_')
        Error(LoadStr(Message));
    return TakeWord();
}

void TSYM_Compiler::Define()
{
    if (flags_ & Skipping)
        return;
    const QByteArray name = DirectiveName(4136);
    while (IsBlank(*position_))
        Take();
    const char* start = position_;
    while (*position_ != 0 && *position_ != '\r')
        Take();
    QByteArray value(start, position_ - start);
    while (!value.isEmpty() && IsBlank(value.back()))
        value.chop(1);
    if (name.toLower() != value.toLower())
        symbols_.AddString(name, value);
    flags_ &= std::uint8_t(~DirectiveLine);
}

void TSYM_Compiler::IfDefined()
{
    Condition(true);
}

void TSYM_Compiler::IfNotDefined()
{
    Condition(false);
}

void TSYM_Compiler::Condition(bool SkipUnlessDefined)
{
    conditions_.push_back(flags_);
    if (flags_ & Skipping)
        return;
    const QByteArray name = DirectiveName(4134);
    flags_ &= std::uint8_t(~DirectiveLine);
    if (symbols_.Contains(name) != SkipUnlessDefined)
        flags_ |= Skipping;
}

void TSYM_Compiler::Else()
{
    if (conditions_.empty())
        Error(LoadStr(4103));
    if (!(conditions_.back() & Skipping))
        flags_ ^= Skipping;
}

void TSYM_Compiler::EndIf()
{
    if (conditions_.empty())
        Error(LoadStr(4103));
    flags_ = conditions_.back();
    conditions_.pop_back();
}

void TSYM_Compiler::Include()
{
    if (flags_ & Skipping)
        return;
    flags_ |= DirectiveLine;
    SkipBlanks();
    const char open = Current();
    if (open != '<' && open != '"')
        Error(LoadStr(4135));
    const char close = open == '<' ? '>' : '"';
    Take();
    const char* start = position_;
    while (*position_ != 0 && *position_ != close && *position_ != '\r')
        Take();
    if (*position_ != close)
        Error(Format(LoadStr(4123), {QString(QChar(close))}));
    const QByteArray name(start, position_ - start);
    Take();
    QString fileName = DecodeName(name);
    if (open == '<' && !includeFolder_.isEmpty())
        fileName = includeFolder_.endsWith('/') ? includeFolder_ + fileName : includeFolder_ + '/' + fileName;
    QByteArray contents;
    bool opened = FileExists(fileName);
    if (opened) {
        try {
            TFileStream file(fileName, fmOpenRead);
            contents.resize(qsizetype(file.Size()));
            file.ReadBuffer(contents.data(), contents.size());
        } catch (const Exception&) {
            opened = false; // a folder, or a file that cannot be read
        }
    }
    if (!opened)
        Error(Format(LoadStr(4124), {QString(QChar(open)), DecodeAnsi(name), QString(QChar(close))}));
    OpenFrame("-file-: " + EncodeName(fileName), WithCarriageReturns(contents));
    flags_ &= std::uint8_t(~DirectiveLine);
}
