// Block indent and un-indent: blanks or TABs put before, or taken from, the start of every logical
// line the selection touches, as one undo step.
#include "editor/custom_syntax_memo.h"

#include "editor/document/memo_strings.h"

#include <algorithm>

namespace {

bool IsIndentChar(char C)
{
    return C == ' ' || C == '\t' || C == '\xA0';
}

} // namespace

// The starts of the logical lines from the one holding the selection's start to the one holding
// its end; a selection that ends at the very start of a line leaves that line out.
std::vector<int> TCustomSyntaxMemo::SelectedLineStarts()
{
    std::vector<int> starts;
    const auto [from, to] = OrderRange(SelStart(), SelEnd());
    int start = 0;
    TLineRecord* line = TextStore().LineAt(from, nullptr, &start);
    while (line && line->IsContinuation() && line->Prev) {
        line = line->Prev;
        start -= line->Length();
    }
    for (; line && (start < to || starts.empty()); start += line->Length(), line = line->Next)
        if (!line->IsContinuation())
            starts.push_back(start);
    return starts;
}

void TCustomSyntaxMemo::EditLineStarts(int UndoBlock, const std::vector<std::pair<int, std::string>>& Edits,
                                       bool Insert)
{
    TTextStore& store = TextStore();
    const bool reversed = SelStart() > SelEnd();
    auto [from, to] = OrderRange(SelStart(), SelEnd());
    const int firstStart = Edits.front().first;
    int shift = 0;
    Lines().BeginUpdate();
    BeginUndoBlock(UndoBlock);
    // From the last line up, so that the positions still to come stay where they are.
    for (auto edit = Edits.rbegin(); edit != Edits.rend(); ++edit) {
        const int pos = edit->first;
        const int count = int(edit->second.size());
        if (Insert) {
            store.Insert(pos, edit->second, VisibleLines);
            RecordUndo(rkCharsInserted, pos, count, edit->second);
        } else {
            store.Delete(pos, pos + count);
            RecordUndo(rkBlanksRemoved, pos, count, edit->second);
        }
        if (OnTextChange)
            OnTextChange(this, pos, Insert ? count : -count);
        store.ShiftBreakpoints(pos, Insert ? count : -count, false);
        if (pos < to)
            shift += std::min(count, to - pos);
    }
    TLineRecord* first = store.LineAt(firstStart);
    MarkIncompleteFrom(first);
    if (!store.HighlightFrom())
        store.SetHighlightFrom(first);
    if (TMemoCore::WordWrap || store.LongestLine() >= ReWrapLength)
        ReWrap(first, store.LineAt(to + (Insert ? shift : -shift)));
    to = Insert ? to + shift : std::max(firstStart, to - shift);
    from = firstStart;
    SetSelection(reversed ? to : from, reversed ? from : to, true);
    Lines().EndUpdate();
    EndUndoBlock(UndoBlock);
    Changed();
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomSyntaxMemo::IndentBlock(int Count, unsigned Flags)
{
    if (SelStart() == SelEnd())
        return;
    if (Count <= 0)
        Count = IndentStep();
    const char fill = (Flags & 1) && HasOption(smoUseTAB) ? '\t' : ' ';
    const std::string indent(std::size_t(std::max(Count, 0)), fill);
    if (indent.empty())
        return;
    std::vector<std::pair<int, std::string>> edits;
    for (const int start : SelectedLineStarts())
        edits.emplace_back(start, indent);
    EditLineStarts(ubIndent, edits, true);
}

void TCustomSyntaxMemo::UnindentBlock(int Count)
{
    if (SelStart() == SelEnd())
        return;
    if (Count <= 0)
        Count = IndentStep();
    std::vector<std::pair<int, std::string>> edits;
    for (const int start : SelectedLineStarts()) {
        const std::string head = TextStore().GetText(start, start + Count);
        std::size_t n = 0;
        while (n < head.size() && IsIndentChar(head[n]))
            ++n;
        if (n > 0)
            edits.emplace_back(start, head.substr(0, n));
    }
    if (!edits.empty())
        EditLineStarts(ubUnindent, edits, false);
}
