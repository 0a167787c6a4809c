// Line records and the routines that measure and normalise line text.
#include "editor/document/line_record.h"

#include "editor/document/line_block.h"

TLineRecord* TLineRecord::LogicalFirst()
{
    TLineRecord* line = this;
    while (line->IsContinuation() && line->Prev)
        line = line->Prev;
    return line;
}

TLineRecord* TLineRecord::LogicalLast()
{
    TLineRecord* line = this;
    while (line->Next && line->Next->IsContinuation())
        line = line->Next;
    return line;
}

void TLineRecord::TakeTrack(std::unique_ptr<TLineTrack> NewTrack)
{
    Track = std::move(NewTrack);
    if (Track)
        Track->Line = this;
}

std::uint32_t& TLineRecord::SettledFlags()
{
    if (Block && Block->Owed)
        Block->Settle();
    return Flags;
}

std::pair<int, int> OrderRange(int A, int B)
{
    return A <= B ? std::pair(A, B) : std::pair(B, A);
}

TCharSet StrToCharSet(std::string_view Text)
{
    TCharSet set;
    for (const char c : Text)
        set.set(static_cast<unsigned char>(c));
    return set;
}

int NormalizeLineEnds(std::string& Dest, std::string_view Source)
{
    Dest.clear();
    Dest.reserve(Source.size());
    const auto kept = [](char c) { return c == '\t' || static_cast<unsigned char>(c) >= 32; };
    const std::size_t count = Source.size();
    for (std::size_t i = 0; i < count; ++i) {
        // A run of characters that stay as they are goes in at once.
        std::size_t run = i;
        while (run < count && kept(Source[run]))
            ++run;
        Dest.append(Source, i, run - i);
        i = run;
        if (i == count)
            break;
        const char c = Source[i];
        const char next = i + 1 < count ? Source[i + 1] : '\0';
        if (c == '\r' || c == '\n') {
            // A CR LF or LF CR pair is one line end.
            if ((c == '\r' && next == '\n') || (c == '\n' && next == '\r'))
                ++i;
            Dest += LineEndChar;
        } else {
            Dest += '.';
        }
    }
    return int(Dest.size());
}
