// Helpers of the editor tests: an editor core that records its view hooks, and views of a
// store's records.
#pragma once

#include "editor/document/memo_core.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// An editor core whose view hooks count their calls.
class TTestMemo : public TMemoCore {
public:
    int ReWraps = 0;
    int FullReWraps = 0;
    int Beeps = 0;
    int Changes = 0;
    std::vector<std::pair<int, int>> TextChanges;

    TTestMemo()
    {
        OnTextChange = [this](TObject*, int Start, int Extent) { TextChanges.emplace_back(Start, Extent); };
        OnChange = [this](TObject*) { ++Changes; };
    }

    // Selects Start..End and replaces the selection with Text.
    void Replace(int Start, int End, std::string_view Text)
    {
        SetSelection(Start, End);
        ReplaceSelection(Text);
    }

protected:
    void ReWrap(TLineRecord* StartLine, TLineRecord* EndLine) override
    {
        ++ReWraps;
        if (!StartLine && !EndLine)
            ++FullReWraps;
    }
    void Beep() override { ++Beeps; }
};

// Count copies of C, then Tail.
inline std::string Repeated(std::size_t Count, char C, std::string_view Tail = {})
{
    std::string text;
    text.reserve(Count + Tail.size());
    text.append(Count, C);
    text.append(Tail);
    return text;
}

// The text of every record, in order.
inline std::vector<std::string> Records(const TTextStore& Store)
{
    std::vector<std::string> records;
    for (const TLineRecord* line = Store.FirstLine(); line; line = line->Next)
        records.push_back(line->Text);
    return records;
}

inline std::string StoreText(const TTextStore& Store)
{
    std::string text;
    for (const TLineRecord* line = Store.FirstLine(); line; line = line->Next)
        text += line->Text;
    return text;
}

// The record of a 0-based index, walking from the first line.
inline TLineRecord* RecordAt(const TTextStore& Store, int Index)
{
    TLineRecord* line = Store.FirstLine();
    for (int i = 0; line && i < Index; ++i)
        line = line->Next;
    return line;
}

// Checks the store's invariants against its chain; returns a description of the first breach.
inline std::string BrokenInvariant(const TTextStore& Store)
{
    int count = 0;
    int length = 0;
    int longest = 0;
    const TLineRecord* prev = nullptr;
    for (const TLineRecord* line = Store.FirstLine(); line; prev = line, line = line->Next) {
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
    if (Store.LastLine() != prev)
        return "last line wrong";
    if (Store.LineCount() != count)
        return "line count " + std::to_string(Store.LineCount()) + " for " + std::to_string(count) +
               " records";
    if (Store.TextLength() != length)
        return "text length " + std::to_string(Store.TextLength()) + " for " + std::to_string(length);
    if (count > 0 && Store.LongestLine() != longest)
        return "longest line " + std::to_string(Store.LongestLine()) + " for " + std::to_string(longest);
    return {};
}
