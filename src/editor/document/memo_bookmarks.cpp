// The editor core's numbered bookmarks and marks.
#include "editor/document/memo_core.h"

#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/events.h"

namespace {

int CheckedBookmark(int N)
{
    const int n = N & 0xFF;
    if (n > 9)
        throw ESyntaxMemo(QStringLiteral("Bookmark index range error"));
    return n;
}

} // namespace

TLineRecord* TMemoCore::LineWithBookmark(int N, int* Index, int* Start)
{
    int index = 0;
    int start = 0;
    for (TLineRecord* line = store_->FirstLine(); line; start += line->Length(), line = line->Next, ++index) {
        if (line->Bookmarks & (1u << N)) {
            if (Index)
                *Index = index;
            if (Start)
                *Start = start;
            return line;
        }
    }
    return nullptr;
}

void TMemoCore::SetBookmark(int N, int Line, int Column)
{
    const int n = CheckedBookmark(N);
    if (Line == -1) {
        Line = LineFromChar(-1) + 1;
        Column = CaretColumn();
    }
    Line = std::max(Line, 1);
    Column = std::max(Column, 1);
    TLineRecord* target = store_->LineByIndex(Line - 1);
    if (!target)
        return;
    // With word wrap a bookmark sits on the first record of its logical line.
    while (WordWrap && target->IsContinuation() && target->Prev)
        target = target->Prev;
    if (TLineRecord* holder = LineWithBookmark(n, nullptr, nullptr)) {
        holder->Bookmarks &= ~bmNumbered;
        holder->Flags |= lfRepaint;
        if (holder == target) {
            InvalidateLines();
            return;
        }
    }
    target->Bookmarks = std::uint16_t((target->Bookmarks & ~bmNumbered) | (1u << n));
    target->Flags |= lfRepaint;
    store_->SetBookmarkColumn(n, Column);
    Fire(OnBookmarkSet, this, n);
    InvalidateLines();
}

void TMemoCore::GotoBookmark(int N)
{
    const int n = CheckedBookmark(N);
    int index = 0;
    int start = 0;
    const TLineRecord* line = LineWithBookmark(n, &index, &start);
    if (!line)
        return;
    const int pos = start + std::min(store_->BookmarkColumn(n), line->Length()) - 1;
    SetSelection(pos, pos, true);
    SetTopLine(index - VisibleLines / 2);
}

bool TMemoCore::GetBookmarkPos(int N, int& Line, int& Column)
{
    const int n = CheckedBookmark(N);
    int index = 0;
    const TLineRecord* line = store_->BookmarkColumn(n) ? LineWithBookmark(n, &index, nullptr) : nullptr;
    if (!line)
        return false;
    Line = index + 1;
    Column = std::min(store_->BookmarkColumn(n), line->Length());
    return true;
}

TMark* TMemoCore::AddMark(int Start, int Length, std::int32_t Data)
{
    if (!store_->Marks())
        BindMarks(store_->EnsureMarks());
    TMark* mark = store_->Marks()->Add(Start, Start + Length, Data);
    InvalidateRange(mark->Start, mark->End);
    return mark;
}

bool TMemoCore::FindMark(int Pos, int Length, TMark*& Mark)
{
    Mark = store_->Marks() ? store_->Marks()->Find(Pos, Length) : nullptr;
    return Mark != nullptr;
}

// The rows the mark left and the rows it now covers are repainted.
void TMemoCore::SetMarkStart(TMark* Mark, int Pos)
{
    if (!store_->Marks())
        return;
    InvalidateRange(Mark->Start, Mark->End);
    store_->Marks()->SetStart(Mark, Pos);
    InvalidateRange(Mark->Start, Mark->End);
}

void TMemoCore::SetMarkEnd(TMark* Mark, int Pos)
{
    if (!store_->Marks())
        return;
    InvalidateRange(Mark->Start, Mark->End);
    store_->Marks()->SetEnd(Mark, Pos);
    InvalidateRange(Mark->Start, Mark->End);
}

void TMemoCore::InvalidateRange(int Start, int End)
{
    int lineStart = 0;
    TLineRecord* line = store_->LineCount() ? store_->TopLineRecord(&lineStart) : nullptr;
    for (int row = 0; line && row <= VisibleLines && lineStart <= End; ++row, line = line->Next) {
        if (lineStart + line->Length() > Start)
            line->Flags |= lfRepaint;
        lineStart += line->Length();
    }
    InvalidateLines();
}
