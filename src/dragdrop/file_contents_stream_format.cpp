// "FileContents" as streams.
#include "dragdrop/file_contents_stream_format.h"

#include "dragdrop/data_stream_data_format.h"
#include "dragdrop/file_group_descriptor_formats.h"
#include "dragdrop/stream_reading.h"
#include "platform/ole/medium.h"

#include <memory>

using namespace win;

const TClipboardFormatClass TFileContentsStreamClipboardFormat::Class{
    "TFileContentsStreamClipboardFormat", &TClipboardFormat::Class,
    []() -> TClipboardFormat* { return new TFileContentsStreamClipboardFormat; }};

namespace {

// The bytes of a stream medium as a memory stream at its start; null when the stream cannot be
// read or claims more than the limit.
std::unique_ptr<TMemoryStream> CopyOfStream(IStream* Stream)
{
    const std::optional<std::uint64_t> size = StatedStreamSize(Stream);
    if (!size || *size > std::uint64_t(MaxStreamBytes))
        return nullptr;
    const std::optional<QByteArray> bytes = ReadStreamStart(Stream, std::int64_t(*size));
    if (!bytes)
        return nullptr;
    auto copy = std::make_unique<TMemoryStream>();
    copy->WriteBuffer(bytes->constData(), bytes->size());
    copy->SetPosition(0);
    return copy;
}

} // namespace

TFileContentsStreamClipboardFormat::TFileContentsStreamClipboardFormat() : TClipboardFormat(Class, TYMED_ISTREAM) {}

CLIPFORMAT TFileContentsStreamClipboardFormat::GetClipboardFormat() const
{
    static const CLIPFORMAT id = RegisterFormatName(QStringLiteral("FileContents"));
    return id;
}

bool TFileContentsStreamClipboardFormat::GetData(IDataObject* DataObject)
{
    Clear();
    if (!DataObject)
        return false;
    TFileGroupDescritorClipboardFormat descriptor;
    const bool described = descriptor.GetData(DataObject);
    const int count = described ? descriptor.Count() : 0;
    int index = described ? 0 : -1;
    bool taken = false;
    while (index < count) {
        FORMATETC format = FormatEtc();
        format.lindex = index;
        STGMEDIUM medium;
        if (ComGuard([&] { return DataObject->GetData(&format, &medium); }) != S_OK)
            break;
        struct Release {
            STGMEDIUM& medium;
            ~Release() { ReleaseStgMedium(&medium); }
        } release{medium};
        const int item = index++;
        if (medium.tymed != TYMED_ISTREAM)
            continue;
        if (std::unique_ptr<TMemoryStream> stream = CopyOfStream(medium.pstm)) {
            Streams.AppendNamedStream(stream.release(), described ? descriptor.FileName(item) : QString());
            taken = true;
        }
    }
    return taken;
}

bool TFileContentsStreamClipboardFormat::AssignTo(TCustomDataFormat* DataFormat)
{
    auto* streams = dynamic_cast<TDataStreamDataFormat*>(DataFormat);
    if (!streams)
        return false;
    streams->Streams.Assign(Streams);
    return true;
}
