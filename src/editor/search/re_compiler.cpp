// Compiling a pattern into the node program of TREParser: a sizing pass that only counts bytes,
// then the same parse again emitting into a buffer of that size.
#include "editor/search/re_parser.h"

#include "editor/search/escapes.h"

#include "platform/rtl/resource_strings.h"

#include <cctype>

namespace {

// What the parse of a piece found out about it.
constexpr int fWorst = 0;
constexpr int fHasWidth = 1; // it never matches the empty string
constexpr int fSimple = 2;   // one character: a STAR or PLUS can take it as operand

// The largest counted repeat; as a maximum it stands for "no upper bound".
constexpr int Unbounded = 0xFFFF;

// L||R becomes ((L)(R)?)|((R)(L)?): both parts in either order, the second optional. A side is
// parenthesised unless it starts with "(". The first double bar outside brackets and quotes counts.
std::string RewriteDoubleBar(const std::string& Pattern)
{
    bool inClass = false;
    bool inQuote = false;
    for (std::size_t i = 0; i < Pattern.size(); ++i) {
        const char c = Pattern[i];
        if (c == '\\') {
            ++i;
        } else if (inClass) {
            inClass = c != ']';
        } else if (inQuote) {
            inQuote = c != '"';
        } else if (c == '[') {
            inClass = true;
        } else if (c == '"') {
            inQuote = true;
        } else if (c == '|' && i + 1 < Pattern.size() && Pattern[i + 1] == '|') {
            const auto wrap = [](const std::string& Side) {
                return !Side.empty() && Side.front() == '(' ? Side : "(" + Side + ")";
            };
            const std::string left = wrap(Pattern.substr(0, i));
            const std::string right = wrap(Pattern.substr(i + 2));
            return "(" + left + right + "?)|(" + right + left + "?)";
        }
    }
    return Pattern;
}

bool IsRepeat(char C)
{
    return C == '*' || C == '+' || C == '?';
}

} // namespace

EREParserError::EREParserError(int Code) : ESyntaxMemo(LoadStr(Code)), code_(Code) {}

bool TREParser::Compile(std::string_view Pattern)
{
    if (compiled_ && !Pattern.empty() && Pattern == pattern_)
        return true;
    pattern_.assign(Pattern);
    compiled_ = false;
    scanPos_ = 0;
    errorCode_ = reNoErrors;
    errorColumn_ = 0;
    program_.clear();
    size_ = 0;
    haveFirstChars_ = false;
    ++compilations_;
    try {
        CompileProgram();
    } catch (const EREParserError& error) {
        // The same text is compiled again next time.
        pattern_.clear();
        program_.clear();
        errorCode_ = error.Code();
        errorColumn_ = scanPos_;
        return false;
    }
    compiled_ = true;
    return true;
}

void TREParser::CompileProgram()
{
    work_ = RewriteDoubleBar(pattern_);
    if (work_.empty())
        Fail(reInvalidParameter);
    int flags = 0;
    sizing_ = true;
    size_ = 1;
    groupCount_ = 1;
    counterCount_ = 0;
    ParseAlternation(false, flags);
    // Next offsets are 16 bits.
    if (size_ > 0xFFFF)
        Fail(reOutOfMemory);
    sizing_ = false;
    scanPos_ = 0;
    groupCount_ = 1;
    counterCount_ = 0;
    program_.reserve(std::size_t(size_) + 256);
    program_.push_back(Magic);
    ParseAlternation(false, flags);
    FindFirstChars();
}

void TREParser::Fail(int Code)
{
    throw EREParserError(Code);
}

// A parenthesised group (Paren) or the whole pattern: branches joined by "|".
int TREParser::ParseAlternation(bool Paren, int& Flags)
{
    Flags = fHasWidth;
    int ret = 0;
    int group = 0;
    if (Paren) {
        if (groupCount_ > MaxGroups)
            Fail(reTooManySubexpressions);
        group = groupCount_++;
        ret = EmitNode(std::uint8_t(reOpen + group));
    }
    int branchFlags = 0;
    const int first = ParseBranch(branchFlags);
    if (ret)
        SetTail(ret, first);
    else
        ret = first;
    if (!(branchFlags & fHasWidth))
        Flags &= ~fHasWidth;
    while (!AtEnd() && Peek() == '|') {
        Take();
        const int branch = ParseBranch(branchFlags);
        SetTail(ret, branch);
        if (!(branchFlags & fHasWidth))
            Flags &= ~fHasWidth;
    }
    const int ender = EmitNode(Paren ? std::uint8_t(reClose + group) : std::uint8_t(reEnd));
    SetTail(ret, ender);
    if (!sizing_) {
        for (int branch = ret; branch; branch = Next(branch))
            SetOperandTail(branch, ender);
    }
    if (Paren) {
        if (AtEnd() || Take() != ')')
            Fail(reUnmatchedParenthesis);
    } else if (!AtEnd()) {
        Fail(Take() == ')' ? reUnmatchedParenthesis : reInternalError);
    }
    return ret;
}

// One alternative: a BRANCH node whose operand is the chain of its pieces.
int TREParser::ParseBranch(int& Flags)
{
    Flags = fWorst;
    const int ret = EmitNode(reBranch);
    int chain = 0;
    while (!AtEnd() && Peek() != '|' && Peek() != ')') {
        int pieceFlags = 0;
        const int latest = ParsePiece(pieceFlags);
        Flags |= pieceFlags & fHasWidth;
        if (chain)
            SetTail(chain, latest);
        chain = latest;
    }
    if (!chain)
        EmitNode(reNothing);
    return ret;
}

// An atom and the repeat after it.
int TREParser::ParsePiece(int& Flags)
{
    int atomFlags = 0;
    const int ret = ParseAtom(atomFlags);
    if (AtEnd() || (!IsRepeat(Peek()) && Peek() != '{')) {
        Flags = atomFlags;
        return ret;
    }
    const char op = Take();
    int min = 0;
    int max = 0;
    if (op == '{')
        ParseBraces(min, max);
    if (!(atomFlags & fHasWidth) && op != '?')
        Fail(reInvalidRepeat);
    const bool counted = op == '{' && !(min <= 1 && max == min);
    if (op == '{' && !counted)
        Flags = atomFlags;
    else
        Flags = op == '+' || (counted && min >= 1) ? fHasWidth : fWorst;

    if (op == '*' && (atomFlags & fSimple)) {
        InsertNode(reStar, ret, 0);
    } else if (op == '*') {
        // (x&|): either x and loop back, or nothing.
        InsertNode(reBranch, ret, 0);
        SetOperandTail(ret, EmitNode(reBack));
        SetOperandTail(ret, ret);
        SetTail(ret, EmitNode(reBranch));
        SetTail(ret, EmitNode(reNothing));
    } else if (op == '+' && (atomFlags & fSimple)) {
        InsertNode(rePlus, ret, 0);
    } else if (op == '+') {
        // x(&|): x, then either loop back or go on.
        const int next = EmitNode(reBranch);
        SetTail(ret, next);
        SetTail(EmitNode(reBack), ret);
        SetTail(next, EmitNode(reBranch));
        SetTail(ret, EmitNode(reNothing));
    } else if (op == '?') {
        // (x|): x or nothing.
        InsertNode(reBranch, ret, 0);
        SetTail(ret, EmitNode(reBranch));
        const int next = EmitNode(reNothing);
        SetTail(ret, next);
        SetOperandTail(ret, next);
    } else if (counted) {
        // Counted: set the counter, then a loop that runs the body from min to max rounds.
        if (counterCount_ > 255)
            Fail(reOutOfMemory);
        const auto counter = std::uint8_t(counterCount_++);
        InsertNode(reCounterLoop, ret, 5);
        Patch(ret + 3, counter);
        Patch(ret + 4, std::uint8_t(min & 0xFF));
        Patch(ret + 5, std::uint8_t(min >> 8));
        Patch(ret + 6, std::uint8_t(max & 0xFF));
        Patch(ret + 7, std::uint8_t(max >> 8));
        InsertNode(reCounterSet, ret, 3);
        Patch(ret + 3, counter);
        const int loop = ret + 6;
        const int body = loop + 8;
        SetTail(ret, loop);
        const int back = EmitNode(reBack);
        SetTail(body, back);
        SetTail(back, loop);
    }
    // A count of 0 or 1 alone leaves the atom as it is: it must match once.
    if (!AtEnd() && IsRepeat(Peek())) {
        Take();
        Fail(reNestedRepeat);
    }
    return ret;
}

// {n}, {n,}, {,m} or {n,m}, the "{" taken.
void TREParser::ParseBraces(int& Min, int& Max)
{
    const auto number = [this](int& Value) {
        bool any = false;
        Value = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) {
            Value = Value * 10 + (Take() - '0');
            if (Value > Unbounded)
                Fail(reInvalidRange);
            any = true;
        }
        return any;
    };
    const bool haveMin = number(Min);
    bool haveMax = false;
    if (!AtEnd() && Peek() == ',') {
        Take();
        haveMax = number(Max);
        if (!haveMax)
            Max = Unbounded;
    } else {
        Max = Min;
        haveMax = haveMin;
    }
    if (AtEnd() || Take() != '}' || (!haveMin && !haveMax) || Min > Max)
        Fail(reInvalidRange);
}

int TREParser::ParseAtom(int& Flags)
{
    Flags = fWorst;
    const char c = Take();
    switch (c) {
    case '^': return EmitNode(reBol);
    case '$': return EmitNode(reEol);
    case '.':
        Flags = fHasWidth | fSimple;
        return EmitNode(reAny);
    case '[':
        Flags = fHasWidth | fSimple;
        return ParseClass();
    case '(': {
        int groupFlags = 0;
        const int ret = ParseAlternation(true, groupFlags);
        Flags = groupFlags & fHasWidth;
        return ret;
    }
    case '|':
    case ')': Fail(reInternalError);
    case '*':
    case '+':
    case '?': Fail(reInvalidRepeat);
    case '"': return ParseQuoted(Flags);
    case '\\': {
        if (AtEnd())
            Fail(reUnexpectedEnd);
        const char kind = Peek();
        const char lower = char(std::tolower(static_cast<unsigned char>(kind)));
        if (lower == 'd' || lower == 'w' || lower == 's') {
            Take();
            Flags = fHasWidth | fSimple;
            const int ret = EmitNode(kind == lower ? reAnyOf : reAnyBut);
            for (int ch = 0; ch < 256; ++ch) {
                const bool digit = ch >= '0' && ch <= '9';
                const bool letter = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
                const bool blank = ch == 13 || ch == 32 || ch == 10 || ch == 12 || ch == 9 || ch == 8;
                const bool member = lower == 'd' ? digit : lower == 'w' ? digit || letter || ch == '_' : blank;
                EmitByte(member ? 1 : 0);
            }
            return ret;
        }
        Flags = fHasWidth | fSimple;
        return EmitLiteral(ParseEscapedChar());
    }
    default:
        Flags = fHasWidth | fSimple;
        return EmitLiteral(c);
    }
}

// One character. The text never holds a NUL and a NUL cannot stand in a zero-terminated
// operand, so a NUL becomes a class that nothing matches.
int TREParser::EmitLiteral(char C)
{
    if (C == '\0') {
        const int ret = EmitNode(reAnyOf);
        for (int ch = 0; ch < 256; ++ch)
            EmitByte(ch == 0 ? 1 : 0);
        return ret;
    }
    const int ret = EmitNode(reExactly);
    EmitByte(std::uint8_t(C));
    EmitByte(0);
    return ret;
}

// "[...]" or "[^...]", the "[" taken.
int TREParser::ParseClass()
{
    std::array<std::uint8_t, 256> members{};
    bool negate = false;
    if (!AtEnd() && Peek() == '^') {
        Take();
        negate = true;
    }
    bool any = false;
    const auto classChar = [this] {
        const char c = Take();
        return c == '\\' ? ParseEscapedChar() : c;
    };
    for (;;) {
        if (AtEnd())
            Fail(reUnmatchedBracket);
        if (Peek() == ']') {
            Take();
            if (!any)
                Fail(reUnmatchedBracket);
            break;
        }
        const auto low = static_cast<unsigned char>(classChar());
        unsigned char high = low;
        if (!AtEnd() && Peek() == '-') {
            Take();
            if (AtEnd() || Peek() == ']')
                Fail(reInvalidRange);
            high = static_cast<unsigned char>(classChar());
            if (high < low)
                Fail(reInvalidRange);
        }
        for (int ch = low; ch <= high; ++ch)
            members[std::size_t(ch)] = 1;
        any = true;
    }
    const int ret = EmitNode(negate ? reAnyBut : reAnyOf);
    for (std::uint8_t member : members)
        EmitByte(member);
    return ret;
}

// '"..."', the opening quote taken: one EXACTLY node.
int TREParser::ParseQuoted(int& Flags)
{
    std::string text;
    for (;;) {
        if (AtEnd())
            Fail(reQuoteExpected);
        const char c = Take();
        if (c == '"')
            break;
        text += c == '\\' ? ParseEscapedChar() : c;
    }
    Flags = text.empty() ? fWorst : text.size() == 1 ? fHasWidth | fSimple : fHasWidth;
    if (text.find('\0') != std::string::npos)
        return EmitLiteral('\0');
    const int ret = EmitNode(reExactly);
    for (char c : text)
        EmitByte(std::uint8_t(c));
    EmitByte(0);
    return ret;
}

// The character of an escape, the backslash taken.
char TREParser::ParseEscapedChar()
{
    if (AtEnd())
        Fail(reUnexpectedEnd);
    std::size_t pos = std::size_t(scanPos_);
    const TEscape escape = ReadEscape(work_, pos, false);
    scanPos_ = int(pos);
    if (escape.Result == TEscapeResult::NoHexDigit)
        Fail(reHexDigitExpected);
    if (escape.Result == TEscapeResult::OctalTooLarge)
        Fail(reInvalidRange);
    return escape.Char;
}

// --- emitting: in the sizing pass only the size grows ---

int TREParser::EmitNode(std::uint8_t Op)
{
    if (sizing_) {
        size_ += 3;
        return 1;
    }
    const int ret = int(program_.size());
    program_.push_back(Op);
    program_.push_back(0);
    program_.push_back(0);
    return ret;
}

void TREParser::EmitByte(std::uint8_t Byte)
{
    if (sizing_)
        ++size_;
    else
        program_.push_back(Byte);
}

void TREParser::Patch(int At, std::uint8_t Byte)
{
    if (!sizing_)
        program_[std::size_t(At)] = Byte;
}

// Puts a node in front of the operand at At (the last thing emitted), moving the operand on.
void TREParser::InsertNode(std::uint8_t Op, int At, int OperandBytes)
{
    if (sizing_) {
        size_ += 3 + OperandBytes;
        return;
    }
    program_.insert(program_.begin() + At, std::size_t(3 + OperandBytes), std::uint8_t(0));
    program_[std::size_t(At)] = Op;
}

// Links the last node of the chain starting at Node to Target.
void TREParser::SetTail(int Node, int Target)
{
    if (sizing_)
        return;
    int scan = Node;
    for (int next = Next(scan); next; next = Next(scan))
        scan = next;
    const int offset = program_[std::size_t(scan)] == reBack ? scan - Target : Target - scan;
    program_[std::size_t(scan) + 1] = std::uint8_t(offset >> 8);
    program_[std::size_t(scan) + 2] = std::uint8_t(offset & 0xFF);
}

// SetTail on the operand of a BRANCH node; nothing for other nodes.
void TREParser::SetOperandTail(int Node, int Target)
{
    if (sizing_ || !Node || program_[std::size_t(Node)] != reBranch)
        return;
    SetTail(Node + 3, Target);
}

void TREParser::FindFirstChars()
{
    firstChars_.reset();
    haveFirstChars_ = FirstChars(1, firstChars_, 0);
}

// Whether every match from Node on must begin with a character of Set (which this adds to).
bool TREParser::FirstChars(int Node, std::bitset<256>& Set, int Depth) const
{
    if (!Node || Depth > 64)
        return false;
    const std::uint8_t op = program_[std::size_t(Node)];
    const auto* operand = program_.data() + Node + 3;
    switch (op) {
    case reBranch:
        for (int branch = Node; branch && program_[std::size_t(branch)] == reBranch; branch = Next(branch)) {
            if (!FirstChars(branch + 3, Set, Depth + 1))
                return false;
        }
        return true;
    case reNothing: return FirstChars(Next(Node), Set, Depth + 1);
    case reExactly:
        if (!operand[0])
            return FirstChars(Next(Node), Set, Depth + 1);
        Set.set(operand[0]);
        return true;
    case reAny:
        for (int ch = 0; ch < 256; ++ch) {
            if (ch != 13)
                Set.set(std::size_t(ch));
        }
        return true;
    case reAnyOf:
    case reAnyBut:
        for (int ch = 1; ch < 256; ++ch) {
            if ((operand[ch] != 0) == (op == reAnyOf))
                Set.set(std::size_t(ch));
        }
        return true;
    case rePlus: return FirstChars(Node + 3, Set, Depth + 1);
    default:
        if (op > reOpen && op <= reOpen + MaxGroups)
            return FirstChars(Next(Node), Set, Depth + 1);
        return false;
    }
}
