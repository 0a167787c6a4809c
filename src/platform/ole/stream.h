// IStream, the stream interface of storage media, and MemoryStream, the IStream over bytes in
// memory that this layer hands out. IStorage is declared for STGMEDIUM only: nothing here makes
// or reads storages.
#pragma once

#include "platform/ole/unknown.h"

#include <QByteArray>
#include <mutex>
#include <optional>

namespace win {

constexpr IID IID_IStream{0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID IID_IStorage{0x0000000B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0;
constexpr DWORD STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;

struct STATSTG {
    char16_t* pwcsName = nullptr;
    DWORD type = 0;
    ULARGE_INTEGER cbSize = 0;
    FILETIME mtime{};
    FILETIME ctime{};
    FILETIME atime{};
    DWORD grfMode = 0;
    DWORD grfLocksSupported = 0;
    CLSID clsid = GUID_NULL;
    DWORD grfStateBits = 0;
    DWORD reserved = 0;
};

struct IStream : virtual IUnknown {
    virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
    virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
    virtual HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) = 0;
    virtual HRESULT SetSize(ULARGE_INTEGER libNewSize) = 0;
    virtual HRESULT CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                           ULARGE_INTEGER* pcbWritten) = 0;
    virtual HRESULT Commit(DWORD grfCommitFlags) = 0;
    virtual HRESULT Revert() = 0;
    virtual HRESULT LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) = 0;
    virtual HRESULT UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) = 0;
    // Fills *pstatstg; with STATFLAG_NONAME no name is given (MemoryStream never gives one).
    virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
    virtual HRESULT Clone(IStream** ppstm) = 0;
};

struct IStorage : virtual IUnknown {};

// An IStream over a byte array it owns, positioned at its start when made. Reads stop at the
// end; writes past the end grow it. Calls from several threads are serialised.
class MemoryStream : public ComObject, public IStream {
public:
    explicit MemoryStream(QByteArray Bytes = {});

    // A copy of every byte of the stream, whatever its position.
    QByteArray Bytes() const;

    HRESULT QueryInterface(const IID& riid, void** ppv) override;
    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    HRESULT Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    HRESULT SetSize(ULARGE_INTEGER libNewSize) override;
    HRESULT CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) override;
    HRESULT Commit(DWORD grfCommitFlags) override;
    HRESULT Revert() override;
    HRESULT LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    HRESULT Clone(IStream** ppstm) override;

private:
    mutable std::mutex mutex_;
    QByteArray bytes_;
    qint64 position_ = 0;
};

// Every byte of a stream from its start, leaving it at its end; nothing when a call fails or the
// stream is larger than Limit bytes.
std::optional<QByteArray> ReadWholeStream(IStream* Stream, qint64 Limit);

} // namespace win
