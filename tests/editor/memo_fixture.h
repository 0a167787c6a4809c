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
