// MemoryStream and reading a whole stream.
#include "platform/ole/stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace win {

namespace {

// Bytes moved per call when copying or reading a stream through.
constexpr qint64 ChunkSize = 0x10000;

} // namespace

MemoryStream::MemoryStream(QByteArray Bytes) : bytes_(std::move(Bytes)) {}

QByteArray MemoryStream::Bytes() const
{
    std::lock_guard lock(mutex_);
    return bytes_;
}

HRESULT MemoryStream::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IStream, static_cast<IStream*>(this)}});
}

HRESULT MemoryStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    return ComGuard([&] {
        if (!pv && cb > 0)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        const qint64 available = std::max<qint64>(0, bytes_.size() - position_);
        const qint64 count = std::min<qint64>(cb, available);
        if (count > 0)
            std::memcpy(pv, bytes_.constData() + position_, std::size_t(count));
        position_ += count;
        if (pcbRead)
            *pcbRead = ULONG(count);
        return count == qint64(cb) ? S_OK : S_FALSE;
    });
}

HRESULT MemoryStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    return ComGuard([&] {
        if (!pv && cb > 0)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        if (position_ > INT64_MAX - qint64(cb))
            return STG_E_MEDIUMFULL;
        const qint64 end = position_ + qint64(cb);
        if (end > bytes_.size())
            bytes_.resize(end, '\0');
        if (cb > 0)
            std::memcpy(bytes_.data() + position_, pv, cb);
        position_ = end;
        if (pcbWritten)
            *pcbWritten = cb;
        return S_OK;
    });
}

HRESULT MemoryStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    return ComGuard([&] {
        std::lock_guard lock(mutex_);
        qint64 base = 0;
        switch (dwOrigin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = position_; break;
        case STREAM_SEEK_END: base = bytes_.size(); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        if ((dlibMove < 0 && -dlibMove > base) || (dlibMove > 0 && dlibMove > INT64_MAX - base))
            return STG_E_INVALIDFUNCTION;
        position_ = base + dlibMove;
        if (plibNewPosition)
            *plibNewPosition = ULARGE_INTEGER(position_);
        return S_OK;
    });
}

HRESULT MemoryStream::SetSize(ULARGE_INTEGER libNewSize)
{
    return ComGuard([&] {
        if (libNewSize > ULARGE_INTEGER(INT64_MAX))
            return STG_E_MEDIUMFULL;
        std::lock_guard lock(mutex_);
        bytes_.resize(qint64(libNewSize), '\0');
        return S_OK;
    });
}

HRESULT MemoryStream::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten)
{
    return ComGuard([&] {
        if (!pstm)
            return STG_E_INVALIDFUNCTION;
        ULARGE_INTEGER read = 0;
        ULARGE_INTEGER written = 0;
        HRESULT result = S_OK;
        while (read < cb) {
            QByteArray chunk;
            {
                std::lock_guard lock(mutex_);
                const qint64 available = std::max<qint64>(0, bytes_.size() - position_);
                const qint64 count = qint64(std::min<ULARGE_INTEGER>({cb - read, ULARGE_INTEGER(available),
                                                                      ULARGE_INTEGER(ChunkSize)}));
                chunk = bytes_.mid(position_, count);
                position_ += count;
            }
            if (chunk.isEmpty())
                break;
            read += ULARGE_INTEGER(chunk.size());
            ULONG done = 0;
            result = pstm->Write(chunk.constData(), ULONG(chunk.size()), &done);
            written += done;
            if (FAILED(result))
                break;
        }
        if (pcbRead)
            *pcbRead = read;
        if (pcbWritten)
            *pcbWritten = written;
        return result;
    });
}

HRESULT MemoryStream::Commit(DWORD)
{
    return S_OK;
}

HRESULT MemoryStream::Revert()
{
    return S_OK;
}

HRESULT MemoryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT MemoryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT MemoryStream::Stat(STATSTG* pstatstg, DWORD)
{
    return ComGuard([&] {
        if (!pstatstg)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        *pstatstg = STATSTG{};
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize = ULARGE_INTEGER(bytes_.size());
        return S_OK;
    });
}

// The clone is a copy of the bytes, at the same position.
HRESULT MemoryStream::Clone(IStream** ppstm)
{
    return ComGuard([&] {
        if (!ppstm)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        auto* clone = new MemoryStream(bytes_);
        clone->position_ = position_;
        *ppstm = clone;
        return S_OK;
    });
}

std::optional<QByteArray> ReadWholeStream(IStream* Stream, qint64 Limit)
{
    if (!Stream || FAILED(Stream->Seek(0, STREAM_SEEK_SET, nullptr)))
        return std::nullopt;
    QByteArray bytes;
    QByteArray chunk(ChunkSize, '\0');
    for (;;) {
        ULONG count = 0;
        const HRESULT hr = Stream->Read(chunk.data(), ULONG(chunk.size()), &count);
        if (FAILED(hr) || count > ULONG(chunk.size()))
            return std::nullopt;
        if (count == 0)
            return bytes;
        if (bytes.size() + qint64(count) > Limit)
            return std::nullopt;
        bytes.append(chunk.constData(), count);
    }
}

} // namespace win
