// Display columns of a line: tab stops, the column of a character and the character of a column,
// and the expansion of a line's TABs into spaces for painting (TLineLayout).
#pragma once

#include "editor/document/line_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The settings' tab stops: up to 32 explicit 0-based columns, rising (-1 for an unused entry),
// and beyond them every multiple of TabDefault.
struct TTabStops {
    std::array<int, 32> Columns;
    int TabDefault = 4;

    TTabStops() { Columns.fill(-1); }
    // The next stop after display column Column.
    int NextStop(int Column) const;
};

// The 0-based display column of a character offset in a line. Offsets are limited to the line,
// and the line end of a line that another follows is not a column of its own.
int DisplayColumn(const TLineRecord& Line, int Offset, const TTabStops& Tabs);
// The 1-based column the caret shows at an offset: 1 past the line end of a record (the caret
// stands on the next line), and the column of the last character past the end of a record that
// another continues.
int CaretDisplayColumn(const TLineRecord& Line, int Offset, const TTabStops& Tabs);
// The offset of the first character whose column reaches Column; a column beyond the text gives
// the offset of the line end (the last character of a record another continues; the end of the
// text at the end of a last line without line end).
int OffsetAtColumn(const TLineRecord& Line, int Column, const TTabStops& Tabs);

// A line as the painter draws it: each TAB turned into spaces up to the next stop (carrying the
// TAB's token byte), with the maps between character offsets and display columns. A line
// without TABs is used as it is. The working buffers start with 2049 entries and grow by 2048
// whenever an expanded line would not fit.
class TLineLayout {
public:
    static constexpr int InitialCapacity = 2049;
    static constexpr int Growth = 2048;

    // Lays out Line (null: nothing), with the selection offsets SelStart and SelEnd of the text
    // turned into display columns of this line (LineStart is the line's start position).
    void Expand(const TLineRecord* Line, int LineStart, int SelStart, int SelEnd, const TTabStops& Tabs);

    const char* Text() const { return text_; }
    // The token bytes of the expanded line; null when the line has none.
    const std::uint8_t* Tokens() const { return tokens_; }
    int Length() const { return length_; }
    int ColumnOf(int Offset) const;
    int OffsetOf(int Column) const;
    int SelStartColumn() const { return selStart_; }
    int SelEndColumn() const { return selEnd_; }
    int Capacity() const { return capacity_; }

private:
    int SelectionColumn(int Offset) const;

    int capacity_ = InitialCapacity;
    std::string expandedText_;
    std::vector<std::uint8_t> expandedTokens_;
    std::vector<int> columnOfOffset_;
    std::vector<int> offsetOfColumn_;
    const char* text_ = "";
    const std::uint8_t* tokens_ = nullptr;
    int length_ = 0;
    bool expanded_ = false;
    int selStart_ = 0;
    int selEnd_ = 0;
};
