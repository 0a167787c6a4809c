// TFixedStreamAdapter, the IStream that hands a stream of the program's own (a memory stream it
// owns) to another program, with a CopyTo that always ends.
#pragma once

#include "platform/ole/stream.h"
#include "platform/rtl/streams.h"

#include <memory>
#include <mutex>

class TFixedStreamAdapter : public win::ComObject, public win::IStream {
public:
    explicit TFixedStreamAdapter(std::unique_ptr<TStream> Stream);

    TStream& Stream() const { return *stream_; }

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override;
    win::HRESULT Read(void* pv, win::ULONG cb, win::ULONG* pcbRead) override;
    win::HRESULT Write(const void* pv, win::ULONG cb, win::ULONG* pcbWritten) override;
    win::HRESULT Seek(win::LARGE_INTEGER dlibMove, win::DWORD dwOrigin, win::ULARGE_INTEGER* plibNewPosition) override;
    win::HRESULT SetSize(win::ULARGE_INTEGER libNewSize) override;
    // Copies cb bytes from the position to pstm; a cb that is negative as a signed number means the
    // rest of the stream (the whole stream when the position is at its end). Ends when cb bytes
    // are written, when the stream gives no more bytes, or when a call fails; a write that takes
    // fewer bytes than it was given gives E_FAIL.
    win::HRESULT CopyTo(win::IStream* pstm, win::ULARGE_INTEGER cb, win::ULARGE_INTEGER* pcbRead,
                        win::ULARGE_INTEGER* pcbWritten) override;
    win::HRESULT Commit(win::DWORD grfCommitFlags) override;
    win::HRESULT Revert() override;
    win::HRESULT LockRegion(win::ULARGE_INTEGER libOffset, win::ULARGE_INTEGER cb, win::DWORD dwLockType) override;
    win::HRESULT UnlockRegion(win::ULARGE_INTEGER libOffset, win::ULARGE_INTEGER cb, win::DWORD dwLockType) override;
    win::HRESULT Stat(win::STATSTG* pstatstg, win::DWORD grfStatFlag) override;
    win::HRESULT Clone(win::IStream** ppstm) override;

private:
    std::recursive_mutex mutex_;
    std::unique_ptr<TStream> stream_;
};
