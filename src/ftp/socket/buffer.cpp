// TBuffer.
#include "ftp/socket/buffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int DefaultSize = 1514;
}

TBuffer::TBuffer(int Size) : Buf(Size > 0 ? Size : DefaultSize, '\0') {}

void TBuffer::SetBufSize(int Size)
{
    Size = std::max(Size > 0 ? Size : DefaultSize, WrCount);
    if (Size != BufSize())
        Buf.resize(Size);
}

int TBuffer::Write(const char* Data, int Len)
{
    const int count = std::clamp(Len, 0, BufSize() - WrCount);
    if (count > 0)
        std::memcpy(Buf.data() + WrCount, Data, std::size_t(count));
    WrCount += count;
    return count;
}

const char* TBuffer::Peek(int& Len) const
{
    Len = WrCount - RdCount;
    return Len > 0 ? Buf.constData() + RdCount : nullptr;
}

int TBuffer::Remove(int Len)
{
    const int count = std::clamp(Len, 0, WrCount - RdCount);
    RdCount += count;
    if (RdCount >= WrCount) {
        RdCount = 0;
        WrCount = 0;
    }
    return count;
}
