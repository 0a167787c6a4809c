// TGIFStream and TGIFWriter: a write-only stream that packs what is written to it into GIF data
// sub-blocks of up to 255 bytes on an underlying stream.
#pragma once

#include "platform/rtl/streams.h"

#include <array>
#include <cstdint>

// The sub-block buffer: byte 0 holds the length, bytes 1 to 255 the data. Reading and seeking fail
// with "Invalid stream operation".
class TGIFStream : public TStream {
public:
    explicit TGIFStream(TStream& AStream) : stream_(AStream) {}

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

protected:
    TStream& stream_;
    std::array<uint8_t, 256> buffer_{};
    int fill_ = 1;
};

class TGIFWriter final : public TGIFStream {
public:
    using TGIFStream::TGIFStream;
    // Flushes when something was written since the last flush.
    ~TGIFWriter() override;

    int64_t Write(const void* Buffer, int64_t Count) override;
    void WriteByte(uint8_t Value)
    {
        buffer_[size_t(fill_++)] = Value;
        written_ = true;
        if (fill_ == int(buffer_.size()))
            Flush();
    }
    // Writes the buffered bytes as one sub-block; nothing when the buffer is empty.
    void Flush();

private:
    bool written_ = false;
};
