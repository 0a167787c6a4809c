// Fuzz target: the fetch of "FileContents" streams from a data object whose descriptor and streams
// come from the input: streams that state sizes of their own (up to far beyond what they hold, or
// beyond 1 GiB) and descriptors of any bytes. The fetch keeps only the bytes a stream gives and
// never names a stream from outside the descriptor.
//
// Input: one byte of flags (bit 0: a descriptor is offered; bits 1-2: the number of streams; bit 3:
// stated sizes are shifted 24 bits up), then per stream a 32-bit stated size, a length byte and
// that many bytes; the rest is the descriptor block.
#include "dragdrop/file_contents_stream_format.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "platform/ole/medium.h"
#include "platform/ole/stream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace win;

class StatedStream : public MemoryStream {
public:
    StatedStream(QByteArray Bytes, ULARGE_INTEGER Stated) : MemoryStream(std::move(Bytes)), stated_(Stated) {}
    HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override
    {
        const HRESULT hr = MemoryStream::Stat(pstatstg, grfStatFlag);
        pstatstg->cbSize = stated_;
        return hr;
    }

private:
    ULARGE_INTEGER stated_;
};

struct TStreamSpec {
    QByteArray Bytes;
    ULARGE_INTEGER Stated;
};

class FuzzDataObject : public ComObject, public IDataObject {
public:
    HRESULT QueryInterface(const IID& riid, void** ppv) override
    {
        return FindInterface(this, riid, ppv,
                             {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IDataObject, static_cast<IDataObject*>(this)}});
    }
    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override
    {
        if (format->cfFormat == DescriptorId)
            return Described && MediumFromBytes(Descriptor, TYMED_HGLOBAL, *medium) ? S_OK : DV_E_FORMATETC;
        const std::size_t index = format->lindex < 0 ? 0 : std::size_t(format->lindex);
        if (format->cfFormat != ContentsId || index >= Streams.size())
            return DV_E_FORMATETC;
        *medium = STGMEDIUM();
        medium->tymed = TYMED_ISTREAM;
        medium->pstm = new StatedStream(Streams[index].Bytes, Streams[index].Stated);
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT QueryGetData(const FORMATETC*) override { return E_NOTIMPL; }
    HRESULT GetCanonicalFormatEtc(const FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(const FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT DAdvise(const FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    CLIPFORMAT DescriptorId = 0;
    CLIPFORMAT ContentsId = 0;
    bool Described = false;
    QByteArray Descriptor;
    std::vector<TStreamSpec> Streams;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    auto object = MakeComObject<FuzzDataObject>();
    object->DescriptorId = TFileGroupDescritorClipboardFormat().FormatEtc().cfFormat;
    TFileContentsStreamClipboardFormat contents;
    object->ContentsId = contents.FormatEtc().cfFormat;
    const std::uint8_t flags = data[0];
    object->Described = flags & 1;
    std::size_t at = 1;
    for (int i = 0; i < ((flags >> 1) & 3); ++i) {
        std::uint32_t stated = 0;
        if (at + 5 > size)
            break;
        std::memcpy(&stated, data + at, 4);
        const std::size_t length = std::min<std::size_t>(data[at + 4], size - at - 5);
        object->Streams.push_back({QByteArray(reinterpret_cast<const char*>(data + at + 5), qsizetype(length)),
                                   ULARGE_INTEGER(stated) << (flags & 8 ? 24 : 0)});
        at += 5 + length;
    }
    object->Descriptor = QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(size - at));

    contents.GetData(object.Get());
    TFileGroupDescritorClipboardFormat descriptor;
    const bool described = descriptor.GetData(object.Get());
    if (contents.Streams.Count() > int(object->Streams.size()))
        std::abort();
    for (int i = 0; i < contents.Streams.Count(); ++i) {
        if (contents.Streams.Streams(i)->Size() > 255 || contents.Streams.Names(i).size() > 260)
            std::abort();
        if (!described && !contents.Streams.Names(i).isEmpty())
            std::abort();
    }
    return 0;
}
