// Cutting a line into print pieces.
#include "editor/print_pieces.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char C)
{
    return static_cast<unsigned char>(C) < 33;
}

TLineRecord Piece(const TLineRecord& Line, int Start, int End)
{
    TLineRecord piece;
    piece.Text = Line.Text.substr(std::size_t(Start), std::size_t(End - Start));
    if (Line.Tokens) {
        piece.Tokens = std::make_unique<std::uint8_t[]>(std::size_t(End - Start));
        std::memcpy(piece.Tokens.get(), Line.Tokens.get() + Start, std::size_t(End - Start));
    }
    piece.Flags = lfRepaint | (piece.Text.find('\t') != std::string::npos ? lfHasTab : 0);
    piece.Background = Line.Background;
    piece.TextColor = Line.TextColor;
    return piece;
}

// The end of the row from Start of a line with TABs: the columns are counted with the TABs
// expanded up to MaxColumns less a tab width, then the row goes back to its last blank.
int TabbedRowEnd(const std::string& Text, int Start, int MaxColumns, const TTabStops& Tabs)
{
    const int length = int(Text.size());
    const int limit = MaxColumns - Tabs.TabDefault;
    int end = Start;
    for (int column = 0; end < length && (end == Start || column < limit); ++end)
        column = Text[std::size_t(end)] == '\t' ? Tabs.NextStop(column) : column + 1;
    if (end >= length)
        return length;
    for (int blank = end - 1; blank > Start; --blank)
        if (IsBlank(Text[std::size_t(blank)]))
            return blank + 1;
    return end;
}

// The end of the row from Start of a line without TABs: after the last blank within MaxColumns
// and the blanks that follow it, else MaxColumns on.
int PlainRowEnd(const std::string& Text, int Start, int MaxColumns)
{
    const int length = int(Text.size());
    for (int blank = Start + MaxColumns - 1; blank > Start; --blank) {
        if (!IsBlank(Text[std::size_t(blank)]))
            continue;
        int end = blank + 1;
        while (end < length && IsBlank(Text[std::size_t(end)]))
            ++end;
        return end;
    }
    return Start + MaxColumns;
}

} // namespace

std::vector<TLineRecord> CutPrintPieces(const TLineRecord& Line, bool Wrap, int MaxColumns, const TTabStops& Tabs)
{
    std::vector<TLineRecord> pieces;
    const std::string& text = Line.Text;
    const int length = Line.Length();
    if (!Wrap) {
        pieces.push_back(Piece(Line, 0, length));
        return pieces;
    }
    MaxColumns = std::max(1, MaxColumns);
    const bool tabbed = text.find('\t') != std::string::npos;
    // The line end takes no column: a line that fills the row exactly stays one row.
    const int columns = length - (Line.EndsLine() ? 1 : 0);
    for (int start = 0; start < length && (start == 0 || text[std::size_t(start)] != LineEndChar);) {
        int end = length;
        if (tabbed)
            end = TabbedRowEnd(text, start, MaxColumns, Tabs);
        else if (columns - start > MaxColumns)
            end = PlainRowEnd(text, start, MaxColumns);
        pieces.push_back(Piece(Line, start, end));
        start = end;
    }
    return pieces;
}
