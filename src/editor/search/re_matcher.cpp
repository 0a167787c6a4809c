// Matching the node program of TREParser against a text by recursive backtracking, with the log
// of the positions passed.
#include "editor/search/re_parser.h"

#include <algorithm>

namespace {

constexpr char LineEnd = 13;

} // namespace

int TREParser::MatchPos(int N) const
{
    if (N < 0 || N >= LogSize)
        throw EREParserError(reIndexRangeError);
    return positions_[std::size_t(N)];
}

int TREParser::Next(int Node) const
{
    const int offset = (program_[std::size_t(Node) + 1] << 8) | program_[std::size_t(Node) + 2];
    if (!offset)
        return 0;
    return program_[std::size_t(Node)] == reBack ? Node - offset : Node + offset;
}

bool TREParser::Search(TTextCursor& Text, int Start, bool Forward)
{
    if (program_.empty() || program_[0] != Magic)
        throw EREParserError(reInvalidParameter);
    errorCode_ = 0;
    text_ = &Text;
    length_ = Text.Length();
    int pos = std::clamp(Start, 0, length_);
    // Backward, a match begins before the start.
    if (!Forward) {
        if (pos == 0)
            return false;
        --pos;
    }
    startPos_ = pos;
    for (;;) {
        if (haveFirstChars_) {
            // Only where a match can begin: no match starts at the text's end.
            if (Forward) {
                while (pos < length_) {
                    const TTextPiece& piece = Text.Piece(pos);
                    const char* data = piece.Data + (pos - piece.Start);
                    const char* end = piece.Data + piece.Length;
                    while (data < end && !firstChars_[static_cast<unsigned char>(*data)])
                        ++data;
                    pos = piece.Start + int(data - piece.Data);
                    if (data < end)
                        break;
                }
                if (pos >= length_)
                    return false;
            } else {
                while (pos > 0 && (pos >= length_ || !firstChars_[static_cast<unsigned char>(Text.At(pos))]))
                    --pos;
                if (pos >= length_ || !firstChars_[static_cast<unsigned char>(Text.At(pos))])
                    return false;
            }
        }
        if (MatchStart(pos))
            return true;
        if (Forward) {
            if (pos >= length_)
                return false;
            ++pos;
        } else {
            if (pos == 0)
                return false;
            --pos;
        }
    }
}

// One try at Pos, with the log cleared as far as the last try used it.
bool TREParser::MatchStart(int Pos)
{
    std::fill_n(positions_.begin(), logUsed_, -1);
    logUsed_ = 0;
    logCount_ = 0;
    group1Mark_ = -1;
    pos_ = Pos;
    return Match(1);
}

void TREParser::Log(int Pos)
{
    if (logCount_ >= LogSize - 1)
        throw EREParserError(reIndexRangeError);
    positions_[std::size_t(logCount_++)] = Pos;
    logUsed_ = std::max(logUsed_, logCount_);
}

bool TREParser::Member(int Node, char C) const
{
    return C != '\0' && (program_[std::size_t(Node) + 3 + static_cast<unsigned char>(C)] != 0) == (program_[std::size_t(Node)] == reAnyOf);
}

// How many characters the one-character node Operand matches in a row from From.
int TREParser::CountRepeat(int Operand, int From)
{
    int pos = From;
    switch (program_[std::size_t(Operand)]) {
    case reAny:
        while (pos < length_ && text_->At(pos) != LineEnd)
            ++pos;
        break;
    case reExactly: {
        const char c = char(program_[std::size_t(Operand) + 3]);
        while (pos < length_ && text_->At(pos) == c)
            ++pos;
        break;
    }
    case reAnyOf:
    case reAnyBut:
        while (pos < length_ && Member(Operand, text_->At(pos)))
            ++pos;
        break;
    default: throw EREParserError(reInternalError);
    }
    return pos - From;
}

// Whether the program from Node on matches at pos_. On success pos_ is the end of the match;
// on failure the callers that try again restore pos_ and the log count themselves.
bool TREParser::Match(int Node)
{
    int scan = Node;
    while (scan) {
        const std::uint8_t op = program_[std::size_t(scan)];
        int next = Next(scan);
        const int operand = scan + 3;
        switch (op) {
        case reBol:
            if (pos_ == 0) {
                // Zero-width at the text's start; a line end there may also be stepped over.
                if (length_ > 0 && text_->At(0) == LineEnd) {
                    const int count = logCount_;
                    if (Match(next))
                        return true;
                    logCount_ = count;
                    pos_ = 1;
                }
            } else if (pos_ < length_ && text_->At(pos_) == LineEnd) {
                ++pos_;
            } else {
                return false;
            }
            break;
        case reEol:
            if (pos_ < length_ && text_->At(pos_) != LineEnd)
                return false;
            Log(pos_);
            break;
        case reAny:
            if (pos_ >= length_ || text_->At(pos_) == LineEnd)
                return false;
            Log(pos_++);
            break;
        case reAnyOf:
        case reAnyBut:
            if (pos_ >= length_ || !Member(scan, text_->At(pos_)))
                return false;
            Log(pos_++);
            break;
        case reExactly: {
            Log(pos_);
            for (const auto* c = program_.data() + operand; *c; ++c) {
                if (pos_ >= length_ || text_->At(pos_) != char(*c))
                    return false;
                ++pos_;
            }
            break;
        }
        case reNothing:
        case reBack: break;
        case reBranch:
            if (program_[std::size_t(next)] != reBranch) {
                // A single alternative: no choice to make.
                next = operand;
                break;
            }
            do {
                const int pos = pos_;
                const int count = logCount_;
                if (Match(scan + 3))
                    return true;
                pos_ = pos;
                logCount_ = count;
                scan = Next(scan);
            } while (scan && program_[std::size_t(scan)] == reBranch);
            return false;
        case reStar:
        case rePlus: {
            const int start = pos_;
            Log(start);
            const int count = logCount_;
            // With a literal next, only counts followed by its first character are worth a try.
            const bool literalNext = program_[std::size_t(next)] == reExactly && program_[std::size_t(next) + 3];
            const char nextChar = literalNext ? char(program_[std::size_t(next) + 3]) : '\0';
            const int min = op == reStar ? 0 : 1;
            for (int n = CountRepeat(operand, start); n >= min; --n) {
                pos_ = start + n;
                if (literalNext && (pos_ >= length_ || text_->At(pos_) != nextChar))
                    continue;
                if (Match(next))
                    return true;
                logCount_ = count;
            }
            pos_ = start;
            return false;
        }
        case reCounterSet: {
            const std::uint8_t counter = program_[std::size_t(operand)];
            const std::int32_t saved = counters_[counter];
            counters_[counter] = program_[std::size_t(operand) + 1] | (program_[std::size_t(operand) + 2] << 8);
            if (Match(next))
                return true;
            counters_[counter] = saved;
            return false;
        }
        case reCounterLoop: {
            const std::uint8_t counter = program_[std::size_t(operand)];
            const int min = program_[std::size_t(operand) + 1] | (program_[std::size_t(operand) + 2] << 8);
            const int max = program_[std::size_t(operand) + 3] | (program_[std::size_t(operand) + 4] << 8);
            const std::int32_t rounds = counters_[counter];
            const int pos = pos_;
            const int count = logCount_;
            // Greedy: one round more first, then leave.
            if (rounds < max) {
                counters_[counter] = rounds + 1;
                if (Match(scan + 8))
                    return true;
                counters_[counter] = rounds;
                pos_ = pos;
                logCount_ = count;
            }
            if (rounds < min)
                return false;
            break;
        }
        case reEnd:
            // The end of the match, also in the two entries after it.
            for (int i = 0; i < 3; ++i)
                positions_[std::size_t(logCount_ + i)] = pos_;
            logUsed_ = std::max(logUsed_, logCount_ + 3);
            return true;
        default:
            if (op > reOpen && op <= reOpen + MaxGroups) {
                // Group 1 remembers where the log stood; a failed group takes its entry back.
                const int count = logCount_;
                const int mark = group1Mark_;
                if (op == reOpen + 1)
                    group1Mark_ = logCount_;
                Log(pos_);
                if (Match(next))
                    return true;
                logCount_ = count;
                group1Mark_ = mark;
                return false;
            }
            if (op == reClose + 1 && group1Mark_ >= 0) {
                // The log is cut back to group 1's own entry, so that the next entry records the
                // position after the group.
                const int count = logCount_;
                const int mark = group1Mark_;
                std::array<std::int32_t, LogSize> cut;
                const int kept = mark + 1;
                std::copy(positions_.begin() + kept, positions_.begin() + count, cut.begin());
                logCount_ = kept;
                group1Mark_ = -1;
                if (Match(next))
                    return true;
                std::copy(cut.begin(), cut.begin() + (count - kept), positions_.begin() + kept);
                logCount_ = count;
                group1Mark_ = mark;
                return false;
            }
            if (op > reClose && op <= reClose + MaxGroups)
                break;
            throw EREParserError(reInternalError);
        }
        scan = next;
    }
    throw EREParserError(reInternalError);
}
