// Helpers of the format tests: golden hex files (tests/dragdrop/golden/), a format's block
// written into and read from a medium, and MediaDataObject, a data object that hands out the
// blocks and streams a test gives it, by format and lindex.
#pragma once

#include "dragdrop/clipboard_format.h"
#include "platform/ole/hglobal.h"
#include "platform/ole/medium.h"
#include "platform/ole/stream.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <utility>
#include <vector>

// The bytes of a golden file: hexadecimal pairs separated by white space; "#" starts a comment
// line.
inline QByteArray GoldenHex(const char* Name)
{
    QFile file(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/golden/") + QLatin1String(Name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing golden file " << Name;
        return {};
    }
    QByteArray hex;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.startsWith('#'))
            hex += line.simplified().replace(' ', "");
    return QByteArray::fromHex(hex);
}

inline win::FORMATETC RecordFor(const TClipboardFormat& Format, win::DWORD Tymed)
{
    win::FORMATETC record = Format.FormatEtc();
    record.tymed = Tymed;
    return record;
}

// The block the format writes into a medium of the kind asked for; nothing when it refuses.
// A stream medium must come back positioned at its end.
inline std::optional<QByteArray> Encoded(TClipboardFormat& Format, win::DWORD Tymed = win::TYMED_HGLOBAL)
{
    win::STGMEDIUM medium;
    if (!Format.EncodeMedium(RecordFor(Format, Tymed), medium))
        return std::nullopt;
    EXPECT_EQ(medium.tymed, Tymed & win::TYMED_ISTREAM ? win::TYMED_ISTREAM : win::TYMED_HGLOBAL);
    if (medium.tymed == win::TYMED_ISTREAM) {
        win::ULARGE_INTEGER position = 0;
        medium.pstm->Seek(0, win::STREAM_SEEK_CUR, &position);
        win::STATSTG stat;
        medium.pstm->Stat(&stat, win::STATFLAG_NONAME);
        EXPECT_EQ(position, stat.cbSize) << "a stream medium is handed over at its end";
    }
    const std::optional<QByteArray> bytes = win::BytesOfMedium(medium);
    win::ReleaseStgMedium(&medium);
    return bytes;
}

// Reads Bytes into the format through a medium of the kind asked for (released afterwards).
inline bool Decoded(TClipboardFormat& Format, const QByteArray& Bytes, win::DWORD Tymed = win::TYMED_HGLOBAL)
{
    win::STGMEDIUM medium;
    if (!win::MediumFromBytes(Bytes, Tymed, medium))
        return false;
    return Format.TakeFromMedium(nullptr, medium);
}

// A stream over bytes that states a size of its own, as a careless or hostile program may.
class ClaimingStream : public win::MemoryStream {
public:
    ClaimingStream(QByteArray Bytes, win::ULARGE_INTEGER Claimed) : MemoryStream(std::move(Bytes)), claimed_(Claimed) {}

    win::HRESULT Stat(win::STATSTG* pstatstg, win::DWORD grfStatFlag) override
    {
        const win::HRESULT hr = MemoryStream::Stat(pstatstg, grfStatFlag);
        pstatstg->cbSize = claimed_;
        return hr;
    }

private:
    win::ULARGE_INTEGER claimed_;
};

class MediaDataObject : public win::ComObject, public win::IDataObject {
public:
    ~MediaDataObject() override
    {
        for (auto& [key, stream] : streams_)
            stream->Release();
    }

    // Offers Bytes in Format at lindex for HGLOBAL media.
    void OfferBlock(win::CLIPFORMAT Format, const QByteArray& Bytes, win::LONG Index = -1)
    {
        blocks_[{Format, Index}] = Bytes;
    }
    // Offers a stream (taking the caller's reference) in Format at lindex for IStream media.
    void OfferStream(win::CLIPFORMAT Format, win::IStream* Stream, win::LONG Index)
    {
        streams_[{Format, Index}] = Stream;
    }

    win::HRESULT QueryInterface(const win::IID& riid, void** ppv) override
    {
        return win::FindInterface(this, riid, ppv,
                                  {{win::IID_IUnknown, static_cast<win::IUnknown*>(this)},
                                   {win::IID_IDataObject, static_cast<win::IDataObject*>(this)}});
    }
    win::HRESULT GetData(const win::FORMATETC* format, win::STGMEDIUM* medium) override
    {
        Requests.push_back({format->cfFormat, format->lindex});
        *medium = win::STGMEDIUM();
        const std::pair<win::CLIPFORMAT, win::LONG> key{format->cfFormat, format->lindex};
        if (format->tymed & win::TYMED_HGLOBAL && blocks_.count(key))
            return win::MediumFromBytes(blocks_[key], win::TYMED_HGLOBAL, *medium) ? win::S_OK : win::E_OUTOFMEMORY;
        if (format->tymed & win::TYMED_ISTREAM && streams_.count(key)) {
            medium->tymed = win::TYMED_ISTREAM;
            medium->pstm = streams_[key];
            medium->pstm->AddRef();
            return win::S_OK;
        }
        return win::DV_E_FORMATETC;
    }
    win::HRESULT GetDataHere(const win::FORMATETC*, win::STGMEDIUM*) override { return win::E_NOTIMPL; }
    win::HRESULT QueryGetData(const win::FORMATETC* format) override
    {
        for (const auto& [key, bytes] : blocks_)
            if (key.first == format->cfFormat)
                return win::S_OK;
        for (const auto& [key, stream] : streams_)
            if (key.first == format->cfFormat)
                return win::S_OK;
        return win::DV_E_FORMATETC;
    }
    win::HRESULT GetCanonicalFormatEtc(const win::FORMATETC*, win::FORMATETC*) override { return win::E_NOTIMPL; }
    win::HRESULT SetData(const win::FORMATETC*, win::STGMEDIUM*, win::BOOL) override { return win::E_NOTIMPL; }
    win::HRESULT EnumFormatEtc(win::DWORD, win::IEnumFORMATETC**) override { return win::E_NOTIMPL; }
    win::HRESULT DAdvise(const win::FORMATETC*, win::DWORD, win::IAdviseSink*, win::DWORD*) override
    {
        return win::OLE_E_ADVISENOTSUPPORTED;
    }
    win::HRESULT DUnadvise(win::DWORD) override { return win::OLE_E_ADVISENOTSUPPORTED; }
    win::HRESULT EnumDAdvise(win::IEnumSTATDATA**) override { return win::OLE_E_ADVISENOTSUPPORTED; }

    // Each GetData call: the format and lindex asked for.
    std::vector<std::pair<win::CLIPFORMAT, win::LONG>> Requests;

private:
    std::map<std::pair<win::CLIPFORMAT, win::LONG>, QByteArray> blocks_;
    std::map<std::pair<win::CLIPFORMAT, win::LONG>, win::IStream*> streams_;
};
