// The GIF header (signature, logical screen descriptor, global colour map) and the trailer.
#include "imaging/gif_header.h"

#include "imaging/gif_exception.h"
#include "imaging/gif_image.h"
#include "imaging/gif_stream_io.h"

namespace {

constexpr uint8_t TrailerByte = 0x3B;
constexpr uint8_t HasColorMap = 0x80;

} // namespace

void TGIFHeader::Clear()
{
    descriptor_ = {};
    colorMap_.Clear();
}

void TGIFHeader::Assign(const TGIFHeader& Source)
{
    if (&Source == this)
        return;
    descriptor_ = Source.descriptor_;
    colorMap_.Assign(Source.colorMap_);
}

void TGIFHeader::Assign(const TGIFColorMap& Map)
{
    if (&Map == &colorMap_)
        return;
    Clear();
    colorMap_.Assign(Map);
}

void TGIFHeader::UpdateFlags()
{
    const uint8_t bits = uint8_t((colorMap_.BitsForCount() - 1) & 7);
    uint8_t flags = uint8_t(bits << 4 | bits);
    if (colorMap_.Count() > 0)
        flags |= HasColorMap;
    if (colorMap_.Sorted())
        flags |= 0x08;
    descriptor_.PackedFields = flags;
}

TGIFVersion TGIFHeader::GetVersion() const
{
    return colorMap_.Sorted() || descriptor_.AspectRatio != 0 ? gv89a : gv87a;
}

void TGIFHeader::SaveToStream(TStream& Stream)
{
    const TGIFVersion version = Image() ? Image()->RequiredVersion() : gvUnknown;
    if (version == gvUnknown)
        throw GIFException(gifmsg::UnsupportedVersion);
    Stream.WriteBuffer(version == gv87a ? "GIF87a" : "GIF89a", 6);
    UpdateFlags();
    uint8_t bytes[7];
    PutU16(bytes, descriptor_.ScreenWidth);
    PutU16(bytes + 2, descriptor_.ScreenHeight);
    bytes[4] = descriptor_.PackedFields;
    bytes[5] = descriptor_.BackgroundColorIndex;
    bytes[6] = descriptor_.AspectRatio;
    Stream.WriteBuffer(bytes, sizeof bytes);
    if (descriptor_.PackedFields & HasColorMap)
        colorMap_.SaveToStream(Stream);
}

void TGIFHeader::LoadFromStream(TStream& Stream)
{
    const auto isGIF = [](const char* signature) { return QByteArray(signature, 3).toUpper() == "GIF"; };
    const int64_t start = Stream.Position();
    char signature[6];
    ReadCheck(Stream, signature, sizeof signature);
    if (!isGIF(signature)) {
        Stream.SetPosition(start + 4);
        ReadCheck(Stream, signature, sizeof signature);
        if (!isGIF(signature))
            throw GIFException(gifmsg::BadSignature);
    }
    uint8_t bytes[7];
    ReadCheck(Stream, bytes, sizeof bytes);
    descriptor_.ScreenWidth = GetU16(bytes);
    descriptor_.ScreenHeight = GetU16(bytes + 2);
    descriptor_.PackedFields = bytes[4];
    descriptor_.BackgroundColorIndex = bytes[5];
    descriptor_.AspectRatio = bytes[6];
    if (descriptor_.PackedFields & HasColorMap)
        colorMap_.LoadFromStream(Stream, 2 << (descriptor_.PackedFields & 7));
    else
        colorMap_.Clear();
}

void TGIFTrailer::SaveToStream(TStream& Stream)
{
    WriteGIFByte(Stream, TrailerByte);
}

void TGIFTrailer::LoadFromStream(TStream& Stream)
{
    uint8_t value = 0;
    if (TryReadByte(Stream, value) && value != TrailerByte)
        Warning(gsWarning, gifmsg::BadTrailer);
}
