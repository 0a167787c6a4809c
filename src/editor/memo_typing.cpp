// The editor control's typing: the characters the key handling leaves (and input-method commit
// strings) typed at the caret with overwrite mode, auto-indent and the TAB fills (TTypingHandler).
#include "editor/custom_syntax_memo.h"

#include "editor/document/undo_block.h"
#include "editor/language/settings_routines.h"

#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/exception.h"

#include <QInputMethodEvent>

#include <algorithm>
#include <string>

namespace {

bool IsBlank(char C)
{
    return C == ' ' || C == '\t';
}

} // namespace

// Types one character (a byte of the code page) into one editor; each typing is one undo block
// of its own, which the undo log merges with the typing before it.
class TTypingHandler {
public:
    explicit TTypingHandler(TCustomSyntaxMemo& Memo) : memo_(Memo) {}

    // True when the character was taken (typed, or ignored by a read-only editor).
    bool Type(char C)
    {
        const auto code = static_cast<unsigned char>(C);
        if ((code >= 32 && code != 127) || (C == '\r' && memo_.WantReturns)) {
            Character(C);
            return true;
        }
        if (C == '\n' && !memo_.WantReturns) {
            Character('\r');
            return true;
        }
        if (C == '\t') {
            Tab();
            return true;
        }
        return false;
    }

private:
    int Caret() const { return memo_.SelEnd(); }
    // The caret's 0-based display column (the virtual one beyond the end of its line).
    int CaretColumn() const { return memo_.CaretColumn() - 1; }
    char CharAt(int Pos) const
    {
        int start = 0;
        const TLineRecord* line = memo_.TextStore().LineAt(Pos, nullptr, &start);
        return line && Pos - start < line->Length() ? line->Text[std::size_t(Pos - start)] : '\0';
    }

    void Character(char C)
    {
        if (memo_.ReadOnly())
            return;
        TUndoBlock block(memo_, ubTyping);
        const int caret = Caret();
        // Overwriting: the character after the caret is selected so that the typed one replaces
        // it; at the end of a line the character is added.
        if (!memo_.InsertMode && memo_.SelStart() == caret && C != '\r' && !memo_.CaretAfterEOL &&
            caret < memo_.TextLength() && CharAt(caret) != '\r')
            memo_.SetSelection(caret, caret + 1, true);
        const bool autoIndent = C == '\r' && memo_.HasOption(smoAutoIndent);
        const int indent = autoIndent ? IndentColumn() : 0;
        memo_.ReplaceSelectionText(std::string(1, C), autoIndent && !memo_.WordWrap);
        if (indent > 0)
            Fill(0, indent, memo_.OptionWord());
    }

    void Tab()
    {
        if (memo_.ReadOnly())
            return;
        const int column = CaretColumn();
        if (memo_.HasOption(smoTabToColumn) && !memo_.WordWrap) {
            TUndoBlock block(memo_, ubTyping);
            Fill(column, TabToColumnTarget(column), memo_.OptionWord());
        } else if (memo_.HasOption(smoUseTAB)) {
            Character('\t');
        } else {
            TUndoBlock block(memo_, ubTyping);
            Fill(column, memo_.TabStops.NextStop(column), 0);
        }
    }

    // Inserts the white space from display column From to To at the caret.
    void Fill(int From, int To, std::uint32_t Options)
    {
        const QByteArray fill = InsertFill(From, To, Options, memo_.TabStops);
        memo_.ReplaceSelectionText(std::string_view(fill.constData(), std::size_t(fill.size())));
    }

    // The first record of the logical line holding Pos, with its start.
    TLineRecord* LogicalLineAt(int Pos, int& Start) const
    {
        TLineRecord* line = memo_.TextStore().LineAt(Pos, nullptr, &Start);
        while (line && line->IsContinuation() && line->Prev) {
            line = line->Prev;
            Start -= line->Length();
        }
        return line;
    }

    // The display column of a record's leading blanks and TABs, up to offset Limit; Blank tells
    // whether the record holds nothing else before its line end.
    int Indentation(const TLineRecord& Line, int Limit, bool& Blank) const
    {
        int offset = 0;
        while (offset < Line.Length() && IsBlank(Line.Text[std::size_t(offset)]))
            ++offset;
        Blank = offset == Line.Length() || Line.Text[std::size_t(offset)] == '\r';
        return DisplayColumn(Line, std::min(offset, Limit), memo_.TabStops);
    }

    // The indentation a new line after the caret's line takes: that line's, up to the caret; for
    // a line blank to its end, the one of the nearest earlier line that is not.
    int IndentColumn() const
    {
        int start = 0;
        const int caret = std::min(memo_.SelStart(), memo_.SelEnd());
        const TLineRecord* line = LogicalLineAt(caret, start);
        if (!line)
            return 0;
        // The empty row after a final line end is a blank line below the last record.
        const bool emptyRow = line->EndsLine() && caret - start >= line->Length();
        bool blank = true;
        if (!emptyRow) {
            const int column = Indentation(*line, caret - start, blank);
            if (!blank)
                return column;
            line = line->Prev;
        }
        for (const TLineRecord* earlier = line; earlier; earlier = earlier->Prev) {
            if (earlier->IsContinuation())
                continue;
            const int found = Indentation(*earlier, earlier->Length(), blank);
            if (!blank)
                return found;
        }
        return 0;
    }

    // The start of the next word after Column in the nearest earlier line that reaches beyond
    // it; without such a line, the next tab stop.
    int TabToColumnTarget(int Column) const
    {
        int start = 0;
        const TLineRecord* line = memo_.TextStore().LineAt(Caret(), nullptr, &start);
        if (line && line->EndsLine() && Caret() - start >= line->Length())
            line = memo_.TextStore().LastLine()->Next == nullptr ? memo_.TextStore().LastLine() : nullptr;
        else if (line)
            line = line->Prev;
        for (; line; line = line->Prev) {
            const int length = line->Length() - (line->EndsLine() ? 1 : 0);
            if (DisplayColumn(*line, length, memo_.TabStops) <= Column)
                continue;
            int offset = OffsetAtColumn(*line, Column, memo_.TabStops);
            while (offset < length && !IsBlank(line->Text[std::size_t(offset)]))
                ++offset;
            while (offset < length && IsBlank(line->Text[std::size_t(offset)]))
                ++offset;
            return DisplayColumn(*line, offset, memo_.TabStops);
        }
        return memo_.TabStops.NextStop(Column);
    }

    TCustomSyntaxMemo& memo_;
};

bool TCustomSyntaxMemo::TypeText(const QString& Text)
{
    bool taken = false;
    const int lines = TextStore().LineCount();
    for (const uint code : Text.toUcs4()) {
        const QByteArray bytes = EncodeAnsi(QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1), '\0');
        // A character the code page cannot hold is not typed.
        if (bytes.size() != 1 || (bytes[0] == '\0' && code != 0)) {
            Beep();
            taken = true;
            continue;
        }
        taken = TTypingHandler(*this).Type(bytes[0]) || taken;
    }
    if (!taken)
        return false;
    RepaintEdit(lines);
    ScrollCaretIntoView();
    Changed();
    return true;
}

void TCustomSyntaxMemo::inputMethodEvent(QInputMethodEvent* Event)
{
    if (!Event->commitString().isEmpty())
        AtBoundary([&] { TypeText(Event->commitString()); });
    Event->accept();
}
