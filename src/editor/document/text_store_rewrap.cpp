// The text store's re-segmenting of one logical line, the chain operation behind word wrap.
#include "editor/document/text_store.h"

#include <algorithm>
#include <cstring>

TLineRecord* TTextStore::Resegment(TLineRecord* First, TLineRecord* Last, std::string_view Text,
                                   const std::uint8_t* Tokens, const std::vector<int>& Lengths)
{
    DropCachesFrom(StartOf(First), false);

    std::uint16_t bookmarks = 0;
    std::uint16_t markGlyphs = 0;
    std::unique_ptr<TLineTrack> track;
    const std::int32_t background = First->Background;
    const std::int32_t textColor = First->TextColor;
    bool highlightInside = false;
    TLineRecord* before = First->Prev;
    TLineRecord* after = Last->Next;
    for (TLineRecord* line = First; line != after;) {
        TLineRecord* next = line->Next;
        bookmarks |= std::uint16_t(line->Bookmarks & ~bmContinuation);
        markGlyphs |= line->MarkGlyphs;
        if (!track && line->Track)
            track = std::move(line->Track);
        highlightInside = highlightInside || line == highlightFrom_;
        Discard(line);
        line = next;
    }

    TLineRecord* previous = before;
    std::size_t at = 0;
    for (std::size_t i = 0; i < Lengths.size(); ++i) {
        const std::size_t length = std::size_t(Lengths[i]);
        TLineRecord* record = NewRecord(Text.substr(at, length));
        if (Tokens) {
            record->Tokens = std::make_unique<std::uint8_t[]>(length);
            std::memcpy(record->Tokens.get(), Tokens + at, length);
        }
        record->Flags |= lfRepaint | lfHighlightIncomplete;
        record->Background = background;
        record->TextColor = textColor;
        if (i == 0) {
            record->Bookmarks = bookmarks;
            record->MarkGlyphs = markGlyphs;
            if (track)
                record->TakeTrack(std::move(track));
        } else {
            record->Bookmarks = bmContinuation;
        }
        LinkAfter(previous, record);
        previous = record;
        at += length;
    }
    TLineRecord* firstNew = before ? before->Next : first_;
    if (highlightInside)
        highlightFrom_ = firstNew;
    longestLine_ = MaxRecordLength();
    return previous;
}
