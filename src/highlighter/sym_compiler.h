// TSYM_Compiler, the parser script lexer and preprocessor: it reads a whole script into memory,
// skips blanks and comments, carries out #define, #ifdef, #ifndef, #else, #endif and #include with
// textual macro expansion, and hands out one token at a time; and ESYM_COMP_ERROR, its error.
#pragma once

#include "highlighter/word_store.h"

#include "editor/document/syntax_memo_error.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class TStream;

// Text as the lexer reads it: a lone LF becomes CR.
QByteArray WithCarriageReturns(QByteArray Text);

// A script error, with "** ERROR near line <l>, Column <c>: " before the text; Line and Column are
// the lexer's (0-based) where it was raised.
class ESYM_COMP_ERROR : public ESyntaxMemo {
public:
    ESYM_COMP_ERROR(const QString& Message, int ALine, int AColumn)
        : ESyntaxMemo(Message), Line(ALine), Column(AColumn)
    {
    }
    int Line;
    int Column;
};

// Texts are bytes; a lone LF (a Linux line end) is read as CR, the editor's line end, while the CR
// LF of a Windows file stays as it is (the LF is skipped). Line and column are counted over all that
// is read, macro texts and included files too.
class TSYM_Compiler {
public:
    // Flags bits.
    static constexpr std::uint8_t DirectiveLine = 1; // the rest of a directive is being read
    static constexpr std::uint8_t Skipping = 4;      // inside a false conditional

    // Reads the rest of Source and carries out what comes before the first token. IncludeFolder is
    // where names in angle brackets are looked up ("/" joins them).
    TSYM_Compiler(TStream& Source, const QString& IncludeFolder);

    // Reads the next token (a TScriptToken), which also becomes Token(); tkEndOfText at the end.
    // An identifier or a stray character raises the error instead.
    int NextToken();
    int Token() const { return token_; }
    // The last number read.
    std::int32_t Number() const { return number_; }
    // The last string literal as written (escapes kept, continuations joined).
    const QByteArray& StringText() const { return literal_; }
    // The last string literal with its escapes processed, up to a character 0.
    QByteArray GetStringValue() const;

    // Raises ESYM_COMP_ERROR with Message and the 1-based line and column.
    [[noreturn]] void Error(const QString& Message) const;

    // 0-based count of line ends, and of characters since the last one.
    int Line() const { return line_; }
    int Column() const { return column_; }

private:
    struct TInputFrame {
        QByteArray Name; // a macro's name, or "-file-: " and the file's name
        QByteArray Text;
        const char* Resume; // where reading goes on when Text is done
    };

    // The current character, after closing the frames that are done; 0 at the end of the text.
    char Current();
    // Consumes one character of the current frame, counting lines and columns.
    void Take();
    // Consumes a run of letters, digits and "_", and returns it.
    QByteArray TakeWord();
    void SkipBlanks();
    void SkipBlockComment();
    // Reads a directive at "#"; false (nothing consumed) when the word after it is none.
    bool Directive();
    void Define();
    void IfDefined();
    void IfNotDefined();
    // Opens a conditional; unless skipping already, skips when the name is stored or not.
    void Condition(bool SkipUnlessDefined);
    void Else();
    void EndIf();
    void Include();
    // Reads the name of a directive's macro; raises Message when none stands there.
    QByteArray DirectiveName(int Message);
    void OpenFrame(const QByteArray& Name, const QByteArray& Text);
    // One token, or 0 for a character consumed while skipping.
    int ReadToken();
    void ReadString();

    TWordStore symbols_;
    TWordStore reservedWords_;
    std::vector<TInputFrame> frames_;
    std::vector<std::uint8_t> conditions_;
    int token_ = 0;
    QByteArray literal_;
    QByteArray identifier_;
    std::int32_t number_ = 0;
    std::uint8_t stray_ = 0;
    const char* position_ = nullptr;
    QByteArray text_;
    int line_ = 0;
    int column_ = 0;
    QString includeFolder_;
    std::uint8_t flags_ = 0;
};
