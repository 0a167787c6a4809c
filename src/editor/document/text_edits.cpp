// The store's two edits: inserting text at a position and deleting a range.
#include "editor/document/text_store.h"

#include <algorithm>

namespace {

// The records text is cut into: each ends with its first CR, or after MaxRecordLength characters
// when no CR comes sooner.
std::vector<std::string_view> CutIntoRecords(std::string_view Text)
{
    std::vector<std::string_view> pieces;
    while (!Text.empty()) {
        const std::size_t limit = std::min<std::size_t>(Text.size(), MaxRecordLength);
        const std::size_t cr = Text.substr(0, limit).find(LineEndChar);
        const std::size_t length = cr == std::string_view::npos ? limit : cr + 1;
        pieces.push_back(Text.substr(0, length));
        Text.remove_prefix(length);
    }
    return pieces;
}

// An edited line hands its words to the first record that replaces it.
void CarryLineWords(TLineRecord& From, TLineRecord& To)
{
    To.Bookmarks = From.Bookmarks;
    To.MarkGlyphs = From.MarkGlyphs;
    To.Background = From.Background;
    To.TextColor = From.TextColor;
    To.TakeTrack(std::move(From.Track));
}

} // namespace

TEditResult TTextStore::Insert(int Pos, std::string_view Text, int VisibleLines)
{
    TEditResult result;
    if (Text.empty())
        return result;
    const int count = int(Text.size());
    Pos = std::clamp(Pos, 0, textLength_);
    const TLocated target = first_ ? Locate(Pos) : TLocated{};
    textLength_ += count;
    namedBookmarks_.AdjustForInsert(count, Pos);
    if (marks_)
        marks_->AdjustForInsert(Pos, count);

    TLineRecord* line = target.Line;
    const int offset = line ? std::clamp(Pos - target.Start, 0, line->Length()) : 0;

    if (line && count == 1 && Text[0] != LineEndChar && offset < line->Length()) {
        // One character inside a record: the record keeps its place and shape.
        DropCachesFrom(target.Start, true);
        line->Text.insert(std::size_t(offset), 1, Text[0]);
        Resized(line, line->Length() - 1);
        line->Tokens.reset();
        line->Flags |= lfRepaint | lfHighlightIncomplete | (Text[0] == '\t' ? lfHasTab : 0);
        longestLine_ = std::max(longestLine_, line->Length());
        result.First = result.Last = line;
    } else {
        // The line is rebuilt from its text with the new text in it and cut into records.
        DropCachesFrom(target.Start, false);
        std::string merged;
        TLineRecord* prev = nullptr;
        int removedLength = -1;
        if (line) {
            merged.reserve(std::size_t(line->Length() + count));
            merged.append(line->Text, 0, std::size_t(offset))
                .append(Text)
                .append(line->Text, std::size_t(offset));
            prev = line->Prev;
            removedLength = line->Length();
        } else {
            merged.assign(Text);
        }
        int newLongest = 0;
        for (std::string_view piece : CutIntoRecords(merged)) {
            TLineRecord* record = NewRecord(piece);
            record->Flags |= lfRepaint | lfHighlightIncomplete;
            if (!result.First) {
                if (line)
                    CarryLineWords(*line, *record);
            } else {
                record->TextColor = result.First->TextColor;
                if (!prev->EndsLine())
                    record->Bookmarks |= bmContinuation;
            }
            // The first record takes the old one's place in the chain.
            if (!result.First && line)
                Replace(line, record);
            else
                LinkAfter(prev, record);
            if (!result.First)
                result.First = record;
            result.Last = prev = record;
            newLongest = std::max(newLongest, record->Length());
        }
        if (highlightFrom_ == line)
            highlightFrom_ = result.First;
        FreeRecord(line);
        longestLine_ = removedLength >= longestLine_ ? MaxRecordLength() : std::max(longestLine_, newLongest);
        lastLocated_ = {result.First, target.Index, target.Start};
    }

    // Highlighting restarts at the new text and runs over the next screenful.
    OweHighlighting(result.First, VisibleLines + 2);
    if (!highlightFrom_)
        highlightFrom_ = result.First;
    return result;
}

TEditResult TTextStore::Delete(int Start, int End)
{
    TEditResult result;
    const auto [start, end] = OrderRange(std::clamp(Start, 0, textLength_), std::clamp(End, 0, textLength_));
    if (start == end || !first_)
        return result;
    const int size = end - start;

    // The first and the last record the range touches; the last is the one holding the first
    // character after the range.
    const TLocated from = Locate(start);
    TLineRecord* last = from.Line;
    int lastStart = from.Start;
    while (last->Next && end >= lastStart + last->Length()) {
        lastStart += last->Length();
        last = last->Next;
    }
    const int endOffset = end - lastStart;
    result.SpannedLines = last != from.Line;
    // The range's last character lies in the last record, or ends the one before it.
    const bool endsLine =
        endOffset > 0 ? last->Text[std::size_t(endOffset - 1)] == LineEndChar : last->Prev->EndsLine();
    const bool startsLine = start == from.Start && !from.Line->IsContinuation();
    result.WholeLines = endsLine && startsLine;

    namedBookmarks_.AdjustForDelete(size, start);
    if (marks_)
        marks_->AdjustForDelete(start, size);
    textLength_ -= size;
    DropCachesFrom(from.Start, false);

    std::string joined = from.Line->Text.substr(0, std::size_t(start - from.Start));
    joined.append(last->Text, std::size_t(endOffset));
    TLineRecord* prev = from.Line->Prev;
    if (joined.empty() && !prev && !last->Next) {
        FreeChain();
        longestLine_ = 0;
        topLine_ = 0;
        namedBookmarks_.Clear();
        result.Emptied = true;
        return result;
    }

    // The touched records after the first leave; the first one's words go to the joined record,
    // which takes its place.
    TLineRecord* firstRemoved = from.Line;
    const TLineRecord* stop = last->Next;
    bool removedLongest = false;
    bool highlightRemoved = false;
    for (TLineRecord* line = firstRemoved; line != stop;) {
        TLineRecord* next = line->Next;
        removedLongest = removedLongest || line->Length() >= longestLine_;
        highlightRemoved = highlightRemoved || line == highlightFrom_;
        if (line != firstRemoved)
            Discard(line);
        line = next;
    }
    if (joined.empty()) {
        // The range ran from a line start to the end of the text: no empty record stays behind.
        result.First = result.Last = prev;
        Discard(firstRemoved);
    } else {
        TLineRecord* record = NewRecord(joined);
        record->Flags |= lfHighlightIncomplete;
        CarryLineWords(*firstRemoved, *record);
        Replace(firstRemoved, record);
        FreeRecord(firstRemoved);
        result.First = result.Last = record;
        lastLocated_ = {record, from.Index, from.Start};
    }
    longestLine_ = removedLongest ? MaxRecordLength() : std::max(longestLine_, result.First->Length());
    if (highlightRemoved || !highlightFrom_)
        highlightFrom_ = result.First;
    return result;
}
