// A memory stream that moves at most a given number of bytes in all, for short reads and writes.
#pragma once

#include "platform/rtl/streams.h"

#include <algorithm>

// Reads and writes stop, short, once Limit bytes have been read or written together; sizing and
// filling the memory directly are not counted.
class TLimitedStream : public TMemoryStream {
public:
    explicit TLimitedStream(std::int64_t limit) : limit_(limit) {}
    std::int64_t Read(void* Buffer, std::int64_t Count) override
    {
        return TMemoryStream::Read(Buffer, Allow(Count));
    }
    std::int64_t Write(const void* Buffer, std::int64_t Count) override
    {
        return TMemoryStream::Write(Buffer, Allow(Count));
    }

private:
    std::int64_t Allow(std::int64_t count)
    {
        const std::int64_t n = std::clamp<std::int64_t>(limit_ - moved_, 0, count);
        moved_ += n;
        return n;
    }
    std::int64_t limit_;
    std::int64_t moved_ = 0;
};
