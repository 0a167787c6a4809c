// Streaming parser state sets.
#include "editor/language/state_set.h"

#include "platform/rtl/streams.h"

void WriteStateSet(TStream& Stream, const TSM_StateSet& Set)
{
    Stream.WriteBuffer(Set.Bytes.data(), std::int64_t(Set.Bytes.size()));
}

TSM_StateSet ReadStateSet(TStream& Stream)
{
    TSM_StateSet set;
    Stream.ReadBuffer(set.Bytes.data(), std::int64_t(set.Bytes.size()));
    return set;
}
