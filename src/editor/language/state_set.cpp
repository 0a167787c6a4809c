// Streaming parser state sets.
#include "editor/language/state_set.h"

#include "platform/rtl/streams.h"

void WriteStateSet(TStream& Stream, const TSM_StateSet& Set)
{
    std::uint8_t bytes[32];
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = std::uint8_t(Set.Words[i / 8] >> (i % 8 * 8));
    Stream.WriteBuffer(bytes, std::int64_t(sizeof bytes));
}

TSM_StateSet ReadStateSet(TStream& Stream)
{
    std::uint8_t bytes[32];
    Stream.ReadBuffer(bytes, std::int64_t(sizeof bytes));
    TSM_StateSet set;
    for (std::size_t i = 0; i < sizeof bytes; ++i)
        set.Words[i / 8] |= std::uint64_t(bytes[i]) << (i % 8 * 8);
    return set;
}
