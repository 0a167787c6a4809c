// The text store's self-check: its chain of records against the invariants and counters it keeps.
#include "editor/document/text_store.h"

#include <algorithm>

std::string TTextStore::CheckInvariants() const
{
    int count = 0;
    int length = 0;
    int longest = 0;
    const TLineRecord* prev = nullptr;
    for (const TLineRecord* line = first_; line; prev = line, line = line->Next) {
        if (line->Prev != prev)
            return "broken back link at record " + std::to_string(count);
        if (line->Text.empty())
            return "empty record " + std::to_string(count);
        const std::size_t cr = line->Text.find('\r');
        if (cr != std::string::npos && cr + 1 != line->Text.size())
            return "CR inside record " + std::to_string(count);
        if (line->Text.find('\n') != std::string::npos)
            return "LF in record " + std::to_string(count);
        const bool continues = prev && !prev->EndsLine();
        if (line->IsContinuation() != continues)
            return "continuation bit wrong at record " + std::to_string(count);
        if (((line->Flags & lfHasTab) != 0) != (line->Text.find('\t') != std::string::npos))
            return "TAB flag wrong at record " + std::to_string(count);
        ++count;
        length += line->Length();
        longest = std::max(longest, line->Length());
    }
    if (last_ != prev)
        return "last line wrong";
    if (lineCount_ != count)
        return "line count " + std::to_string(lineCount_) + " for " + std::to_string(count) + " records";
    if (textLength_ != length)
        return "text length " + std::to_string(textLength_) + " for " + std::to_string(length);
    if (count > 0 && longestLine_ != longest)
        return "longest line " + std::to_string(longestLine_) + " for " + std::to_string(longest);
    return CheckLineIndex();
}

// Every record in exactly the block that lists it, with its length, and the blocks in chain order.
// The blocks before staleFrom_ are numbered by their places and their running totals are right;
// the others carry numbers of at least staleFrom_.
std::string TTextStore::CheckLineIndex() const
{
    if (staleFrom_ > lineSums_.Size() || staleFrom_ > int(blocks_.size()))
        return "line index counted up to block " + std::to_string(staleFrom_) + " of " +
               std::to_string(blocks_.size());
    const TLineRecord* line = first_;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const TLineBlock& block = *blocks_[b];
        const std::string name = "line index block " + std::to_string(b);
        if (block.Count <= 0 || block.Count >= TLineBlock::Capacity)
            return name + " holds " + std::to_string(block.Count) + " records";
        if (block.Count < 64 && (block.Owed >> block.Count) != 0)
            return name + " owes flags to records it does not hold";
        int chars = 0;
        for (int at = 0; at < block.Count; ++at) {
            if (block.Records[std::size_t(at)] != line || line->Block != &block)
                return name + " does not hold its records in chain order";
            const int length = block.Lengths[std::size_t(at)];
            if (length != line->Length())
                return name + " has length " + std::to_string(length) + " for a record of " +
                       std::to_string(line->Length());
            chars += line->Length();
            line = line->Next;
        }
        if (chars != block.Chars)
            return name + " counts " + std::to_string(block.Chars) + " characters for " +
                   std::to_string(chars);
        const bool counted = int(b) < staleFrom_;
        if (counted ? block.Slot != int(b) : block.Slot < staleFrom_)
            return name + " numbered " + std::to_string(block.Slot);
        if (counted && (charSums_.Before(int(b) + 1) - charSums_.Before(int(b)) != chars ||
                        lineSums_.Before(int(b) + 1) - lineSums_.Before(int(b)) != block.Count))
            return "line index totals wrong at block " + std::to_string(b);
    }
    return line ? "records outside the line index" : std::string();
}
