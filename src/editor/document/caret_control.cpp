// Caret line and column and the first visible line, 1-based.
#include "editor/document/caret_control.h"

#include "editor/document/memo_core.h"

void TSM_CaretControl::SetLine(int Line)
{
    TTextStore& store = editor_->TextStore();
    int caretStart = 0;
    const TLineRecord* caretLine = store.LineAt(editor_->SelEnd(), nullptr, &caretStart);
    const int column =
        caretLine ? DisplayColumn(*caretLine, editor_->SelEnd() - caretStart, editor_->TabStops) : 0;
    int start = 0;
    const TLineRecord* target = store.LineByIndex(Line - 1, &start);
    const int pos = target ? start + OffsetAtColumn(*target, column, editor_->TabStops) : 0;
    editor_->SetSelection(pos, pos);
}

int TSM_CaretControl::GetColumn()
{
    return editor_->CaretColumn();
}

int TSM_CaretControl::GetTopLine()
{
    return editor_->TopLine() + 1;
}

void TSM_CaretControl::SetTopLine(int Line)
{
    editor_->SetTopLine(Line < 1 ? Line : Line - 1);
}
