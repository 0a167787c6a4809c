// The "Parser" property of a parser: the compressed table image with its version and size, the
// version-mismatch path, and copying a parser through it.
#include "highlighter/parser_image.h"
#include "highlighter/syntax_memo_parser.h"
#include "highlighter/table_compressor.h"

#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"

#include "platform/rtl/format.h"
#include "platform/rtl/resource_strings.h"
#include "platform/rtl/streams.h"
#include "platform/ui/message_dialogs.h"

namespace {

// No image the compiler makes comes near this size (the largest language's is about 125 KB); a
// stated size above it is refused before anything is unpacked.
constexpr std::int32_t MaxImageSize = 16 * 1024 * 1024;

// A memory stream that takes at most Capacity bytes, so that a hostile container cannot unpack
// to more than the image size stated before it.
class TCappedStream : public TMemoryStream {
public:
    explicit TCappedStream(std::int64_t Capacity) : capacity_(Capacity) {}
    std::int64_t Write(const void* Buffer, std::int64_t Count) override
    {
        if (Position() + Count > capacity_) {
            overflowed_ = true;
            return 0;
        }
        return TMemoryStream::Write(Buffer, Count);
    }
    bool Overflowed() const { return overflowed_; }

private:
    std::int64_t capacity_;
    bool overflowed_ = false;
};

// Points the compressor at two streams for one call.
class TCompressorStreams {
public:
    TCompressorStreams(TCompressor& Compressor, TStream& Input, TStream& Output) : compressor_(Compressor)
    {
        compressor_.InputStream = &Input;
        compressor_.OutputStream = &Output;
    }
    ~TCompressorStreams()
    {
        compressor_.InputStream = nullptr;
        compressor_.OutputStream = nullptr;
    }
    TCompressorStreams(const TCompressorStreams&) = delete;
    TCompressorStreams& operator=(const TCompressorStreams&) = delete;

private:
    TCompressor& compressor_;
};

} // namespace

void TSyntaxMemoParser::WriteData(TStream& Stream) const
{
    WriteWord(Stream, ParserVersion);
    TMemoryStream image;
    WriteParserImage(*this, image);
    WriteInteger(Stream, std::int32_t(image.Size()));
    image.SetPosition(0);
    const TCompressorStreams streams(*Compressor, image, Stream);
    Compressor->Compress();
}

void TSyntaxMemoParser::ReadData(TStream& Stream)
{
    ResetTables();
    try {
        const int version = ReadWord(Stream);
        if (version < OldestReadableVersion) {
            VersionMismatch(version);
            return;
        }
        const std::int32_t size = ReadInteger(Stream);
        if (size < 0 || size > MaxImageSize)
            throw EReadError(Format(QStringLiteral("Parser image size %d out of range"), {size}));
        TCappedStream image(size);
        try {
            const TCompressorStreams streams(*Compressor, Stream, image);
            Compressor->Decompress();
        } catch (const Exception&) {
            if (!image.Overflowed())
                throw;
        }
        if (image.Overflowed())
            throw EReadError(Format(QStringLiteral("Parser image unpacks to more than the %d bytes stated"), {size}));
        if (image.Size() != size)
            throw EReadError(Format(QStringLiteral("Parser image unpacks to %d bytes, not the %d stated"),
                                    {image.Size(), size}));
        image.SetPosition(0);
        ReadParserImage(*this, image, version);
    } catch (...) {
        ResetTables();
        throw;
    }
}

void TSyntaxMemoParser::ReadFromForm(TStream& Stream)
{
    BeginLoading();
    ReadData(Stream);
}

void TSyntaxMemoParser::Assign(const TObject& Source)
{
    const auto* source = dynamic_cast<const TSyntaxMemoParser*>(&Source);
    if (!source)
        throw ESyntaxMemo(Format(QStringLiteral("Cannot assign a %s to %s"), {Source.ClassName(), ClassName()}));
    TMemoryStream stream;
    source->WriteData(stream);
    stream.SetPosition(0);
    ReadData(stream);
}

void TSyntaxMemoParser::VersionMismatch(int Version)
{
    const QString text = Format(LoadStr(4129), {Name, ParserVersion, Version});
    if (IsLoading())
        throw ESyntaxMemoParserError(text);
    if (OnParserVersionError) {
        const TVersionErrorEvent handler = OnParserVersionError; // it may free the parser
        handler(this, Version, ParserVersion);
    } else {
        MessageDlg(text, mtInformation, {mbOK}); // standard error in a program without widgets
    }
}
