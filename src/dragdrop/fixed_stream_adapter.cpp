// The IStream over an owned stream.
#include "dragdrop/fixed_stream_adapter.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>

using namespace win;

namespace {

// The largest buffer CopyTo moves bytes through.
constexpr std::int64_t CopyBufferSize = 0x100000;

} // namespace

TFixedStreamAdapter::TFixedStreamAdapter(std::unique_ptr<TStream> Stream) : stream_(std::move(Stream)) {}

HRESULT TFixedStreamAdapter::QueryInterface(const IID& riid, void** ppv)
{
    return FindInterface(this, riid, ppv,
                         {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IStream, static_cast<IStream*>(this)}});
}

HRESULT TFixedStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    return ComGuard([&] {
        if (!pv && cb > 0)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        const std::int64_t count = std::max<std::int64_t>(0, stream_->Read(pv, cb));
        if (pcbRead)
            *pcbRead = ULONG(count);
        return S_OK;
    });
}

HRESULT TFixedStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    return ComGuard([&] {
        if (!pv && cb > 0)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        const std::int64_t count = std::max<std::int64_t>(0, stream_->Write(pv, cb));
        if (pcbWritten)
            *pcbWritten = ULONG(count);
        return count == std::int64_t(cb) ? S_OK : STG_E_MEDIUMFULL;
    });
}

HRESULT TFixedStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    return ComGuard([&] {
        if (dwOrigin > STREAM_SEEK_END)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        const std::int64_t position = stream_->Seek(dlibMove, TSeekOrigin(dwOrigin));
        if (position < 0)
            return STG_E_INVALIDFUNCTION;
        if (plibNewPosition)
            *plibNewPosition = ULARGE_INTEGER(position);
        return S_OK;
    });
}

HRESULT TFixedStreamAdapter::SetSize(ULARGE_INTEGER libNewSize)
{
    return ComGuard([&] {
        if (libNewSize > ULARGE_INTEGER(INT64_MAX))
            return STG_E_MEDIUMFULL;
        std::lock_guard lock(mutex_);
        stream_->SetSize(std::int64_t(libNewSize));
        return S_OK;
    });
}

HRESULT TFixedStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                    ULARGE_INTEGER* pcbWritten)
{
    return ComGuard([&] {
        if (!pstm)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        std::int64_t left = std::int64_t(cb);
        if (left < 0) {
            if (stream_->Position() >= stream_->Size())
                stream_->SetPosition(0);
            left = stream_->Size() - stream_->Position();
        }
        QByteArray buffer(qsizetype(std::clamp<std::int64_t>(left, 0, CopyBufferSize)), '\0');
        ULARGE_INTEGER read = 0;
        ULARGE_INTEGER written = 0;
        HRESULT result = S_OK;
        while (left > 0) {
            const std::int64_t got = stream_->Read(buffer.data(), std::min<std::int64_t>(buffer.size(), left));
            if (got <= 0)
                break; // the stream has no more bytes
            read += ULARGE_INTEGER(got);
            ULONG done = 0;
            result = pstm->Write(buffer.constData(), ULONG(got), &done);
            written += done;
            if (result == S_OK && std::int64_t(done) < got)
                result = E_FAIL;
            if (result != S_OK)
                break;
            left -= done;
        }
        if (pcbRead)
            *pcbRead = read;
        if (pcbWritten)
            *pcbWritten = written;
        return result;
    });
}

HRESULT TFixedStreamAdapter::Commit(DWORD)
{
    return S_OK;
}

HRESULT TFixedStreamAdapter::Revert()
{
    return S_OK;
}

HRESULT TFixedStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT TFixedStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT TFixedStreamAdapter::Stat(STATSTG* pstatstg, DWORD)
{
    return ComGuard([&] {
        if (!pstatstg)
            return STG_E_INVALIDFUNCTION;
        std::lock_guard lock(mutex_);
        *pstatstg = STATSTG{};
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize = ULARGE_INTEGER(stream_->Size());
        return S_OK;
    });
}

HRESULT TFixedStreamAdapter::Clone(IStream** ppstm)
{
    if (ppstm)
        *ppstm = nullptr;
    return E_NOTIMPL;
}
