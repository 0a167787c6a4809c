// TREParser, the regular-expression engine of find and replace: compiles a pattern into a node
// program (node and next-offset style, with quoted literals, counted repeats, a "both parts in
// either order" operator and class escapes) and searches a text with it by backtracking, keeping a
// log of the positions it passed.
#pragma once

#include "editor/document/syntax_memo_error.h"
#include "editor/search/text_cursor.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The engine's messages, by their numbers in the string table.
enum TREErrorCode {
    reNoErrors = 4246,
    reExpressionNotFound = 4247,
    reInvalidParameter = 4248,
    reOutOfMemory = 4250,
    reTooManySubexpressions = 4251,
    reUnmatchedParenthesis = 4252,
    reInvalidRepeat = 4253,
    reNestedRepeat = 4254,
    reInvalidRange = 4255,
    reUnmatchedBracket = 4256,
    reHexDigitExpected = 4258,
    reUnexpectedEnd = 4259,
    reQuoteExpected = 4260,
    reIndexRangeError = 4261,
    reInternalError = 4262,
};

// A failed compile or search: the message of Code.
class EREParserError : public ESyntaxMemo {
public:
    explicit EREParserError(int Code);
    int Code() const { return code_; }

private:
    int code_;
};

// The program: the magic byte, then nodes of an opcode, a 16-bit offset to the next node (high
// byte first; 0: none; for reBack it points backward) and an operand.
enum TREOpcode : std::uint8_t {
    reEnd = 0,      // the match succeeded
    reBol = 1,      // "^": at the text's start (zero-width), or over a line end
    reEol = 2,      // "$": before a line end, or at the text's end
    reAny = 3,      // ".": any character but the line end
    reAnyOf = 4,    // 256 bytes, 1 for each member; the character must be non-zero and a member
    reAnyBut = 5,   // 256 bytes; the character must be non-zero and not a member
    reBranch = 6,   // the operand is one alternative; the next node the next alternative
    reBack = 7,     // loops back
    reExactly = 8,  // zero-terminated characters to match in order
    reNothing = 9,  // the empty string
    reStar = 10,    // greedy zero or more of the one-character operand
    rePlus = 11,    // greedy one or more of the one-character operand
    reOpen = 20,    // reOpen + n (1..9): start of group n
    reClose = 40,   // reClose + n: end of group n
    reCounterSet = 150,  // counter index byte, 16-bit value (low byte first)
    reCounterLoop = 153, // counter index byte, 16-bit minimum and maximum (low byte first), then
                         // the body, which loops back here; greedy, the counter counting the rounds
};

class TREParser {
public:
    static constexpr std::uint8_t Magic = 156;
    static constexpr int MaxGroups = 9;
    // Entries of the position log.
    static constexpr int LogSize = 256;

    // True when Pattern compiled (at once when it is the last pattern compiled successfully).
    // False on an error, with ErrorCode and ErrorColumn set and the program gone.
    bool Compile(std::string_view Pattern);
    // Searches from Start: forward, the first position from Start on where the program matches;
    // backward, the nearest before Start. The match is described by the log (MatchPos,
    // MatchCount). Raises EREParserError: "Invalid parameter" without a program, "Index range
    // error" when the log overflows.
    bool Search(TTextCursor& Text, int Start, bool Forward);
    // Entry N of the log (-1: unset): entry 0 is the start of the match, entry MatchCount() its
    // end. N outside 0..255 raises "Index range error".
    int MatchPos(int N) const;
    int MatchCount() const { return logCount_; }

    int ErrorCode() const { return errorCode_; }
    // The 1-based column of the pattern (as compiled) where the compile stopped.
    int ErrorColumn() const { return errorColumn_; }
    // The last pattern given to Compile, and the text compiled from it (the double bar rewritten).
    const std::string& Pattern() const { return pattern_; }
    const std::string& WorkingPattern() const { return work_; }
    const std::vector<std::uint8_t>& Program() const { return program_; }
    // How many compiles ran (a repeated pattern runs none).
    int Compilations() const { return compilations_; }
    // Where the last search began.
    int StartPos() const { return startPos_; }

private:
    // --- compiling (re_compiler.cpp) ---
    void CompileProgram();
    int ParseAlternation(bool Paren, int& Flags);
    int ParseBranch(int& Flags);
    int ParsePiece(int& Flags);
    int ParseAtom(int& Flags);
    int ParseClass();
    int ParseQuoted(int& Flags);
    int EmitLiteral(char C);
    void ParseBraces(int& Min, int& Max);
    char ParseEscapedChar();
    bool AtEnd() const { return scanPos_ >= int(work_.size()); }
    char Peek() const { return work_[std::size_t(scanPos_)]; }
    char Take() { return work_[std::size_t(scanPos_++)]; }
    [[noreturn]] void Fail(int Code);
    int EmitNode(std::uint8_t Op);
    void EmitByte(std::uint8_t Byte);
    void Patch(int At, std::uint8_t Byte);
    void InsertNode(std::uint8_t Op, int At, int OperandBytes);
    void SetTail(int Node, int Target);
    void SetOperandTail(int Node, int Target);
    void FindFirstChars();
    bool FirstChars(int Node, std::bitset<256>& Set, int Depth) const;

    // --- matching (re_matcher.cpp) ---
    int Next(int Node) const;
    bool Match(int Node);
    bool MatchStart(int Pos);
    int CountRepeat(int Operand, int From);
    void Log(int Pos);
    bool Member(int Node, char C) const;

    std::string pattern_;
    bool compiled_ = false;
    std::string work_;
    int scanPos_ = 0;
    bool sizing_ = false;
    int size_ = 0;
    std::vector<std::uint8_t> program_;
    int groupCount_ = 1;
    int counterCount_ = 0;
    int errorCode_ = 0;
    int errorColumn_ = 0;
    int compilations_ = 0;
    // The characters a match can begin with, when the program says so.
    bool haveFirstChars_ = false;
    std::bitset<256> firstChars_;

    TTextCursor* text_ = nullptr;
    int length_ = 0;
    int pos_ = 0;
    int startPos_ = 0;
    std::array<std::int32_t, 256> counters_{};
    // The log and the two entries after it that the end of a match fills too.
    std::array<std::int32_t, LogSize + 2> positions_{};
    int logCount_ = 0;
    int logUsed_ = LogSize + 2;
    int group1Mark_ = -1;
};
