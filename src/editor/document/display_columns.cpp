// Tab stops, display columns and the TAB expansion of a line.
#include "editor/document/display_columns.h"

#include <algorithm>

int TTabStops::NextStop(int Column) const
{
    for (const int stop : Columns) {
        if (stop < 1)
            break;
        if (stop > Column)
            return stop;
    }
    return Column + TabDefault - Column % TabDefault;
}

namespace {

// The offsets a column can stand at: up to the line end of a line that another follows.
int OffsetLimit(const TLineRecord& Line)
{
    return Line.EndsLine() && Line.Next ? Line.Length() - 1 : Line.Length();
}

} // namespace

int DisplayColumn(const TLineRecord& Line, int Offset, const TTabStops& Tabs)
{
    Offset = std::clamp(Offset, 0, OffsetLimit(Line));
    if (!(Line.Flags & lfHasTab))
        return Offset;
    int column = 0;
    for (int i = 0; i < Offset; ++i)
        column = Line.Text[std::size_t(i)] == '\t' ? Tabs.NextStop(column) : column + 1;
    return column;
}

int CaretDisplayColumn(const TLineRecord& Line, int Offset, const TTabStops& Tabs)
{
    if (Offset >= Line.Length()) {
        if (Line.EndsLine())
            return 1;
        if (Line.Next)
            return DisplayColumn(Line, Offset, Tabs);
    }
    return DisplayColumn(Line, Offset, Tabs) + 1;
}

int OffsetAtColumn(const TLineRecord& Line, int Column, const TTabStops& Tabs)
{
    const int limit = Line.EndsLine() || Line.Next ? Line.Length() - 1 : Line.Length();
    if (!(Line.Flags & lfHasTab))
        return std::clamp(Column, 0, limit);
    int column = 0;
    for (int i = 0; i < limit; ++i) {
        const int next = Line.Text[std::size_t(i)] == '\t' ? Tabs.NextStop(column) : column + 1;
        if (next > Column)
            return i;
        column = next;
    }
    return limit;
}

void TLineLayout::Expand(const TLineRecord* Line, int LineStart, int SelStart, int SelEnd,
                         const TTabStops& Tabs)
{
    expanded_ = false;
    if (!Line) {
        text_ = "";
        tokens_ = nullptr;
        length_ = 0;
        selStart_ = SelStart - LineStart;
        selEnd_ = SelEnd - LineStart;
        return;
    }
    const int length = Line->Length();
    if (Line->Flags & lfHasTab) {
        expandedText_.clear();
        expandedTokens_.clear();
        offsetOfColumn_.clear();
        columnOfOffset_.assign(std::size_t(length) + 1, 0);
        for (int i = 0; i < length; ++i) {
            const int column = int(expandedText_.size());
            columnOfOffset_[std::size_t(i)] = column;
            const char c = Line->Text[std::size_t(i)];
            const int width = c == '\t' ? Tabs.NextStop(column) - column : 1;
            while (column + width > capacity_)
                capacity_ += Growth;
            expandedText_.append(std::size_t(width), c == '\t' ? ' ' : c);
            if (Line->Tokens)
                expandedTokens_.insert(expandedTokens_.end(), std::size_t(width),
                                       Line->Tokens[std::size_t(i)]);
            offsetOfColumn_.insert(offsetOfColumn_.end(), std::size_t(width), i);
        }
        columnOfOffset_[std::size_t(length)] = int(expandedText_.size());
        expanded_ = true;
        text_ = expandedText_.c_str();
        tokens_ = Line->Tokens ? expandedTokens_.data() : nullptr;
        length_ = int(expandedText_.size());
    } else {
        text_ = Line->Text.c_str();
        tokens_ = Line->Tokens.get();
        length_ = length;
    }
    selStart_ = SelectionColumn(SelStart - LineStart);
    selEnd_ = SelectionColumn(SelEnd - LineStart);
}

int TLineLayout::ColumnOf(int Offset) const
{
    if (!expanded_)
        return Offset;
    return columnOfOffset_[std::size_t(std::clamp(Offset, 0, int(columnOfOffset_.size()) - 1))];
}

int TLineLayout::OffsetOf(int Column) const
{
    if (!expanded_ || offsetOfColumn_.empty())
        return Column;
    return offsetOfColumn_[std::size_t(std::clamp(Column, 0, int(offsetOfColumn_.size()) - 1))];
}

// Every space a TAB adds before a selection column moves that column right.
int TLineLayout::SelectionColumn(int Offset) const
{
    if (!expanded_ || Offset < 0)
        return Offset;
    const int sourceLength = int(columnOfOffset_.size()) - 1;
    if (Offset <= sourceLength)
        return columnOfOffset_[std::size_t(Offset)];
    return Offset + (length_ - sourceLength);
}
