// The editor commands by number: caret moves, deleting, the clipboard, block indent, insert mode,
// bookmarks, undo and redo, and scrolling by a line (TCommandExecutor runs one of them).
#include "editor/custom_syntax_memo.h"

#include "editor/document/memo_strings.h"
#include "editor/document/undo_block.h"
#include "editor/language/default_key_map.h"

#include "platform/messages/edit_messages.h"

#include <algorithm>

namespace {

// The virtual column of caret-after-end-of-line mode goes no further than a record's length.
constexpr int MaxVirtualColumn = MaxRecordLength;

} // namespace

// Runs one command on one editor. The caret stands at the selection's end; a move puts it at a new
// offset and keeps the anchor only when extending. Vertical moves go by rows: the store's records,
// and after a text that ends with a line end one more, empty row at the end of the text.
class TCommandExecutor {
public:
    TCommandExecutor(TCustomSyntaxMemo& Memo, bool Extend) : memo_(Memo), extend_(Extend) {}

    void Run(int Command)
    {
        if (Command >= caSETBOOKMARK0 && Command < caSETBOOKMARK0 + 10) {
            memo_.SetBookmark(Command - caSETBOOKMARK0, -1, 0);
            return;
        }
        if (Command >= caGOTOBOOKMARK0 && Command < caGOTOBOOKMARK0 + 10) {
            memo_.CaretAfterEOL = false;
            memo_.GotoBookmark(Command - caGOTOBOOKMARK0);
            memo_.rememberedColumn_ = CaretColumn();
            memo_.Invalidate();
            return;
        }
        switch (Command) {
        case caLEFT: Left(); break;
        case caRIGHT: Right(); break;
        case caLINEHOME: LineHome(); break;
        case caLINEEND: LineEnd(); break;
        case caUP: Vertical(-1, false); break;
        case caDOWN: Vertical(1, false); break;
        case caPAGEUP: Vertical(-PageLines(), true); break;
        case caPAGEDOWN: Vertical(PageLines(), true); break;
        case caWORDLEFT: MoveHorizontally(WordBefore(Caret())); break;
        case caWORDRIGHT: MoveHorizontally(WordAfter(Caret())); break;
        case caDOCSTART:
            if (Caret() != 0)
                MoveHorizontally(0);
            break;
        case caDOCEND:
            if (Caret() != memo_.TextLength())
                MoveHorizontally(memo_.TextLength());
            break;
        case caCUT: memo_.Perform(win::WM_CUT, 0, 0); break;
        case caCOPY: memo_.Perform(win::WM_COPY, 0, 0); break;
        case caPASTE: memo_.Perform(win::WM_PASTE, 0, 0); break;
        case caDELETE: Delete(); break;
        case caBACKSPACE: Backspace(); break;
        case caBLOCKIND:
        case caBLOCKUND: Indent(Command == caBLOCKIND ? sm::SM_INDENT : sm::SM_UNINDENT); break;
        case caINSTOGGLE: ToggleInsertMode(); break;
        case caDELETELINE: DeleteLine(); break;
        case caUNDO:
            if (!memo_.ReadOnly())
                memo_.Perform(win::WM_UNDO, 0, 0);
            break;
        case caREDO:
            if (!memo_.ReadOnly())
                memo_.Perform(sm::SM_REDO, 0, 0);
            break;
        case caDELPREVWORD: DeleteWord(WordBefore(Caret()), caWORDLEFT, ubKeyCommand21); break;
        case caDELNEXTWORD: DeleteWord(WordAfter(Caret()), caWORDRIGHT, ubKeyCommand22); break;
        case caPRINTSEL: memo_.PrintSelection(); break;
        case caSCROLLUP: ScrollUp(); break;
        case caSCROLLDOWN: ScrollDown(); break;
        default: break;
        }
    }

private:
    struct TRow {
        TLineRecord* Line; // null: the empty row after the text's last line end
        int Index;
        int Start;
    };

    int Caret() const { return memo_.SelEnd(); }
    bool Selected() const { return memo_.SelStart() != memo_.SelEnd(); }
    // Caret-after-end-of-line mode needs a fixed-pitch font: its columns are pixels too.
    bool AfterEOLMode() const { return memo_.HasOption(smoCaretAfterEOL) && memo_.metrics_.FixedPitch; }
    int PageLines() const { return std::max(1, memo_.VisibleLines); }

    bool EndsInEmptyRow() const
    {
        const TLineRecord* last = memo_.TextStore().LastLine();
        return !last || last->EndsLine();
    }
    int RowCount() const { return memo_.TextStore().LineCount() + (EndsInEmptyRow() ? 1 : 0); }
    TRow EmptyRow() const { return {nullptr, memo_.TextStore().LineCount(), memo_.TextLength()}; }

    TRow RowOf(int Pos) const
    {
        if (Pos >= memo_.TextLength() && EndsInEmptyRow())
            return EmptyRow();
        TRow row{nullptr, 0, 0};
        row.Line = memo_.TextStore().LineAt(Pos, &row.Index, &row.Start);
        return row;
    }
    TRow RowAt(int Index) const
    {
        if (Index >= memo_.TextStore().LineCount())
            return EmptyRow();
        TRow row{nullptr, Index, 0};
        row.Line = memo_.TextStore().LineByIndex(Index, &row.Start);
        return row;
    }
    // The offset of the row's end: before its line end.
    static int EndOffset(const TRow& Row)
    {
        return Row.Line ? Row.Line->Length() - (Row.Line->EndsLine() ? 1 : 0) : 0;
    }
    int ColumnAt(const TRow& Row, int Pos) const
    {
        return Row.Line ? DisplayColumn(*Row.Line, Pos - Row.Start, memo_.TabStops) : 0;
    }
    int EndColumn(const TRow& Row) const { return ColumnAt(Row, Row.Start + EndOffset(Row)); }
    // The caret's display column: the virtual one while it stands beyond the end of its line.
    int CaretColumn() const { return memo_.CaretAfterEOL ? memo_.VirtualColumn : ColumnAt(RowOf(Caret()), Caret()); }

    // Where the caret goes on Row for Column; in caret-after-end-of-line mode it may stand beyond
    // the end of the row's text.
    int PlaceInRow(const TRow& Row, int Column)
    {
        if (AfterEOLMode()) {
            memo_.CaretAfterEOL = Column > EndColumn(Row);
            memo_.VirtualColumn = Column;
            if (memo_.CaretAfterEOL)
                return Row.Start + EndOffset(Row);
        }
        return Row.Line ? Row.Start + OffsetAtColumn(*Row.Line, Column, memo_.TabStops) : memo_.TextLength();
    }

    // Puts the caret at Pos (the anchor too unless extending) and brings it into view. A vertical
    // move keeps the preferred column; any other recomputes it from where the caret stands.
    void MoveTo(int Pos, bool KeepColumn)
    {
        const int preferred = memo_.rememberedColumn_;
        const int anchor = extend_ ? memo_.SelStart() : Pos;
        std::int32_t pair[2] = {anchor, Pos};
        memo_.Perform(sm::SM_SELECTION, sm::smSet, win::LPARAM(pair));
        if (!memo_.CaretAfterEOL && AfterEOLMode())
            memo_.VirtualColumn = CaretColumn();
        memo_.rememberedColumn_ = KeepColumn ? preferred : CaretColumn();
        memo_.ScrollCaretIntoView();
    }
    void MoveHorizontally(int Pos)
    {
        memo_.CaretAfterEOL = false;
        MoveTo(Pos, false);
    }

    void Left()
    {
        if (AfterEOLMode()) {
            if (CaretColumn() == 0)
                return;
            if (memo_.CaretAfterEOL) {
                const TRow row = RowOf(Caret());
                const int column = memo_.VirtualColumn - 1;
                MoveTo(PlaceInRow(row, column), false);
                return;
            }
        }
        MoveTo(std::max(0, Caret() - 1), false);
    }

    void Right()
    {
        if (AfterEOLMode()) {
            const TRow row = RowOf(Caret());
            const int end = row.Start + EndOffset(row);
            const bool continued = row.Line && !row.Line->EndsLine() && row.Line->Next;
            if (Caret() >= end && !continued) {
                memo_.VirtualColumn = std::min(CaretColumn() + 1, MaxVirtualColumn);
                memo_.CaretAfterEOL = true;
                MoveTo(end, false);
                return;
            }
        }
        MoveTo(std::min(memo_.TextLength(), Caret() + 1), false);
    }

    void LineHome()
    {
        const TRow row = RowOf(Caret());
        if (!row.Line)
            return;
        MoveHorizontally(row.Start);
    }

    // The end of the row's text, back over its trailing blanks and TABs.
    void LineEnd()
    {
        const TRow row = RowOf(Caret());
        int offset = EndOffset(row);
        while (offset > 0 && (row.Line->Text[std::size_t(offset - 1)] == ' ' ||
                              row.Line->Text[std::size_t(offset - 1)] == '\t'))
            --offset;
        MoveHorizontally(row.Start + offset);
    }

    // Up, Down (Rows -1 and 1) and the page moves, which scroll the top line by as many rows as the
    // caret moves.
    void Vertical(int Rows, bool Page)
    {
        const TRow row = RowOf(Caret());
        const int column = memo_.rememberedColumn_;
        int target = std::clamp(row.Index + Rows, 0, RowCount() - 1);
        if (!Page && row.Index + Rows >= RowCount())
            return;
        if (!Page && row.Index + Rows < 0 && !AfterEOLMode()) {
            MoveTo(Caret(), true);
            return;
        }
        if (Page)
            memo_.Perform(sm::SM_TOPLINE, sm::smSet | sm::smQuiet, memo_.TopLine() + target - row.Index);
        MoveTo(PlaceInRow(RowAt(target), column), true);
    }

    // The start of a word: a character that starts a word after one that is not in a word.
    bool WordStartsAt(int Pos) const
    {
        if (!memo_.CharStartsWord(CharAt(Pos)))
            return false;
        return Pos == 0 || !memo_.CharIsInWord(CharAt(Pos - 1));
    }
    char CharAt(int Pos) const
    {
        int start = 0;
        const TLineRecord* line = memo_.TextStore().LineAt(Pos, nullptr, &start);
        return line && Pos - start < line->Length() ? line->Text[std::size_t(Pos - start)] : '\0';
    }
    // The start of the word before Pos; 0 when there is none.
    int WordBefore(int Pos) const
    {
        for (int p = std::min(Pos, memo_.TextLength()) - 1; p > 0; --p)
            if (WordStartsAt(p))
                return p;
        return 0;
    }
    // The start of the next word after Pos; Pos when there is none.
    int WordAfter(int Pos) const
    {
        for (int p = Pos + 1; p < memo_.TextLength(); ++p)
            if (WordStartsAt(p))
                return p;
        return Pos;
    }

    // Deletes the selection (Start..End when nothing is selected) in undo block 15.
    void Delete()
    {
        if (memo_.ReadOnly())
            return;
        // Beyond the end of its line the caret first gets blanks up to its column, so that the next
        // line joins there.
        const bool fill = AfterEOLMode() && memo_.CaretAfterEOL && !Selected();
        if (!fill && !Selected() && Caret() >= memo_.TextLength())
            return;
        TUndoBlock block(memo_, ubKeyCommand);
        if (fill) {
            memo_.ReplaceSelectionText({});
            if (Caret() >= memo_.TextLength())
                return;
        }
        if (!Selected())
            memo_.SetSelection(Caret(), Caret() + 1, true);
        memo_.Perform(sm::SM_REPLACESEL, 0, 0);
    }

    void Backspace()
    {
        if (memo_.ReadOnly())
            return;
        if (AfterEOLMode() && memo_.CaretAfterEOL) {
            Left();
            return;
        }
        if (!Selected() && Caret() == 0)
            return;
        TUndoBlock block(memo_, ubKeyCommand);
        if (!Selected())
            memo_.SetSelection(Caret(), Caret() - 1, true);
        memo_.Perform(sm::SM_REPLACESEL, 0, 0);
    }

    // Selects up to the word boundary Target with the move Command and deletes, as one undo step.
    void DeleteWord(int Target, int Command, int Block)
    {
        if (memo_.ReadOnly() || Target == Caret())
            return;
        TUndoBlock block(memo_, Block);
        memo_.Lines().BeginUpdate();
        try {
            TCommandExecutor(memo_, true).Run(Command);
            Delete();
        } catch (...) {
            memo_.Lines().EndUpdate();
            throw;
        }
        memo_.Lines().EndUpdate();
    }

    // The caret's whole line with its line end (all its records under word wrap).
    void DeleteLine()
    {
        if (memo_.ReadOnly() || Selected())
            return;
        const TRow row = RowOf(Caret());
        if (!row.Line)
            return;
        int start = row.Start;
        for (const TLineRecord* line = row.Line; line->IsContinuation() && line->Prev; line = line->Prev)
            start -= line->Prev->Length();
        int end = row.Start + row.Line->Length();
        for (const TLineRecord* line = row.Line; line->Next && line->Next->IsContinuation(); line = line->Next)
            end += line->Next->Length();
        memo_.CaretAfterEOL = false;
        memo_.SetSelection(start, end, true);
        memo_.Perform(sm::SM_REPLACESEL, 0, 0);
    }

    void Indent(win::UINT Message)
    {
        if (memo_.ReadOnly())
            return;
        memo_.Perform(Message, 0, 0);
        memo_.rememberedColumn_ = ColumnAt(RowOf(memo_.SelStart()), memo_.SelStart());
    }

    void ToggleInsertMode()
    {
        memo_.InsertMode = !memo_.InsertMode;
        // The repaint makes the caret again, in the shape of the new mode.
        memo_.Invalidate();
    }

    void ScrollUp()
    {
        const int top = memo_.TopLine();
        if (top == 0)
            return;
        memo_.Perform(sm::SM_TOPLINE, sm::smSet, top - 1);
        if (RowOf(Caret()).Index >= top - 1 + PageLines())
            Run(caUP);
    }

    void ScrollDown()
    {
        const int top = memo_.TopLine();
        if (top >= memo_.TextStore().LineCount() - 1)
            return;
        if (RowOf(Caret()).Index == top)
            Run(caDOWN);
        memo_.Perform(sm::SM_TOPLINE, sm::smSet, top + 1);
    }

    TCustomSyntaxMemo& memo_;
    bool extend_;
};

void TCustomSyntaxMemo::ExecuteCommand(int Command, int, bool Extend)
{
    const int command = Command & 0xFF;
    if (command >= EditorCommandCount)
        return;
    TCommandExecutor(*this, Extend).Run(command);
    // The caret moved or the text changed.
    Changed();
}
