// TFastMemoryStream, a read-only stream straight over a text's characters, and SameBytes.
#pragma once

#include "platform/rtl/streams.h"

#include <cstring>

// Reads the text up to its first zero character without copying it; the text must outlive the
// stream. Writing raises EStreamError "Cannot write to a read-only stream".
class TFastMemoryStream : public TCustomMemoryStream {
public:
    explicit TFastMemoryStream(const char* Text);

    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
};

// True when the two blocks hold the same Count bytes.
inline bool SameBytes(const void* A, const void* B, std::size_t Count)
{
    return std::memcmp(A, B, Count) == 0;
}
