// Reading the bytes of a stream from another program.
#include "dragdrop/stream_reading.h"

#include <algorithm>

using namespace win;

namespace {

constexpr std::int64_t ChunkSize = 0x100000;

} // namespace

std::optional<std::uint64_t> StatedStreamSize(IStream* Stream)
{
    STATSTG stat;
    if (!Stream || FAILED(ComGuard([&] { return Stream->Stat(&stat, STATFLAG_NONAME); })))
        return std::nullopt;
    return stat.cbSize;
}

std::optional<QByteArray> ReadStreamStart(IStream* Stream, std::int64_t Count)
{
    if (!Stream || FAILED(ComGuard([&] { return Stream->Seek(0, STREAM_SEEK_SET, nullptr); })))
        return std::nullopt;
    QByteArray bytes;
    while (bytes.size() < Count) {
        const qsizetype wanted = qsizetype(std::min<std::int64_t>(ChunkSize, Count - bytes.size()));
        const qsizetype start = bytes.size();
        bytes.resize(start + wanted);
        ULONG got = 0;
        const HRESULT hr = ComGuard([&] { return Stream->Read(bytes.data() + start, ULONG(wanted), &got); });
        if (FAILED(hr))
            return std::nullopt;
        bytes.resize(start + std::min<qsizetype>(got, wanted));
        if (got == 0)
            break;
    }
    return bytes;
}
