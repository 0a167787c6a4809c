// The simple-format base: one block of bytes through an HGLOBAL or IStream medium.
#include "dragdrop/simple_clipboard_format.h"

#include "dragdrop/fixed_stream_adapter.h"
#include "dragdrop/stream_reading.h"
#include "platform/ole/hglobal.h"

#include <cstring>
#include <exception>

using namespace win;

namespace {

// The flags of the blocks handed to other programs: moveable, zero-filled, shareable.
constexpr UINT BlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;

} // namespace

const TClipboardFormatClass TCustomSimpleClipboardFormat::Class{"TCustomSimpleClipboardFormat",
                                                                &TClipboardFormat::Class, nullptr};

CLIPFORMAT FormatIdOf(const TFormatSpec& Spec)
{
    return Spec.RegisteredName ? RegisterFormatName(QString::fromLatin1(Spec.RegisteredName)) : Spec.StandardId;
}

TCustomSimpleClipboardFormat::TCustomSimpleClipboardFormat(const TClipboardFormatClass& AClass, DWORD Tymed)
    : TClipboardFormat(AClass, Tymed)
{
}

bool TCustomSimpleClipboardFormat::DecodeMedium(IDataObject*, const STGMEDIUM& Medium)
{
    std::int64_t size = 0;
    switch (Medium.tymed) {
    case TYMED_HGLOBAL:
        size = std::int64_t(GlobalSize(Medium.hGlobal));
        break;
    case TYMED_ISTREAM: {
        const std::optional<std::uint64_t> stated = StatedStreamSize(Medium.pstm);
        if (!stated || *stated > std::uint64_t(MaxStreamBytes))
            return false;
        size = std::int64_t(*stated);
        break;
    }
    default:
        return false;
    }
    return size >= 1 && ReadMediumBytes(Medium, size);
}

bool TCustomSimpleClipboardFormat::ReadMediumBytes(const STGMEDIUM& Medium, std::int64_t Size)
{
    if (Medium.tymed == TYMED_HGLOBAL) {
        if (Size < 0 || std::uint64_t(Size) > GlobalSize(Medium.hGlobal))
            return false;
        const auto* block = static_cast<const std::uint8_t*>(GlobalLock(Medium.hGlobal));
        if (!block)
            return false;
        const bool parsed = ParseBlock({block, std::size_t(Size)});
        GlobalUnlock(Medium.hGlobal);
        return parsed;
    }
    if (Medium.tymed == TYMED_ISTREAM) {
        const std::optional<QByteArray> bytes = ReadStreamStart(Medium.pstm, Size);
        return bytes && !bytes->isEmpty() &&
               ParseBlock({reinterpret_cast<const std::uint8_t*>(bytes->constData()), std::size_t(bytes->size())});
    }
    return false;
}

bool TCustomSimpleClipboardFormat::WriteMediumBytes(STGMEDIUM& Medium, std::span<const std::uint8_t> Buffer)
{
    if (Medium.tymed == TYMED_HGLOBAL) {
        if (Buffer.size() > GlobalSize(Medium.hGlobal))
            return false;
        void* block = GlobalLock(Medium.hGlobal);
        if (!block)
            return Buffer.empty();
        std::memcpy(block, Buffer.data(), Buffer.size());
        GlobalUnlock(Medium.hGlobal);
        return true;
    }
    if (Medium.tymed == TYMED_ISTREAM && Medium.pstm) {
        ULONG written = 0;
        return Buffer.size() <= 0xFFFFFFFFu &&
               SUCCEEDED(ComGuard([&] { return Medium.pstm->Seek(0, STREAM_SEEK_SET, nullptr); })) &&
               SUCCEEDED(ComGuard([&] { return Medium.pstm->Write(Buffer.data(), ULONG(Buffer.size()), &written); })) &&
               written == Buffer.size();
    }
    return false;
}

bool TCustomSimpleClipboardFormat::EncodeMedium(const FORMATETC& FormatEtc, STGMEDIUM& Medium)
{
    try {
        const std::int64_t size = BlockSize();
        if (size < 1)
            return false;
        if (FormatEtc.tymed & TYMED_ISTREAM) {
            auto stream = std::make_unique<TMemoryStream>();
            stream->SetSize(size);
            if (!FillBlock({reinterpret_cast<std::uint8_t*>(stream->Memory()), std::size_t(size)}))
                return false;
            stream->Seek(0, soEnd);
            Medium = STGMEDIUM();
            Medium.pstm = new TFixedStreamAdapter(std::move(stream));
            Medium.tymed = TYMED_ISTREAM;
            return true;
        }
        if (FormatEtc.tymed & TYMED_HGLOBAL) {
            const HGLOBAL block = GlobalAlloc(BlockFlags, std::size_t(size));
            if (!block)
                return false;
            bool filled = false;
            try {
                filled = FillBlock({static_cast<std::uint8_t*>(GlobalLock(block)), std::size_t(size)});
            } catch (...) {
                GlobalUnlock(block);
                GlobalFree(block);
                throw;
            }
            GlobalUnlock(block);
            if (!filled) {
                GlobalFree(block);
                return false;
            }
            Medium = STGMEDIUM();
            Medium.hGlobal = block;
            Medium.tymed = TYMED_HGLOBAL;
            return true;
        }
        return false;
    } catch (const std::exception&) {
        return false;
    }
}
