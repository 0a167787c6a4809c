// Application extensions: identifier, unknown data blocks and the animation loop count.
#include "imaging/gif_app_extensions.h"

#include "imaging/gif_exception.h"
#include "imaging/gif_stream_io.h"

namespace {

constexpr int IdentifierSize = 11;

} // namespace

void TGIFApplicationExtension::SetIdentifier(const QByteArray& Value)
{
    identifier_ = Value.left(IdentifierSize);
    identifier_.append(IdentifierSize - identifier_.size(), '\0');
}

TGIFExtensionClass TGIFApplicationExtension::ResolveClass(TGIFExtensionClass Self, TStream& Stream)
{
    if (Self != GIFExtensionClass<TGIFApplicationExtension>())
        return Self;
    uint8_t size = 0;
    if (!TryReadByte(Stream, size))
        return Self;
    if (size != IdentifierSize && size != IdentifierSize - 1)
        return Self;
    QByteArray identifier(size, '\0');
    if (Stream.Read(identifier.data(), size) != size)
        return Self;
    TGIFExtensionClass registered = size == IdentifierSize ? FindAppExtension(identifier) : nullptr;
    return registered ? registered : GIFExtensionClass<TGIFUnknownAppExtension>();
}

void TGIFApplicationExtension::SaveData(TStream& Stream)
{
    WriteGIFByte(Stream, IdentifierSize);
    Stream.WriteBuffer(identifier_.constData(), IdentifierSize);
    WritePayload(Stream);
}

void TGIFApplicationExtension::LoadData(TStream& Stream)
{
    const uint8_t size = ReadGIFByte(Stream);
    if (size < IdentifierSize - 1)
        throw GIFException(gifmsg::BadAppBlockSize);
    QByteArray identifier(IdentifierSize, '\0');
    ReadCheck(Stream, identifier.data(), std::min<int>(size, IdentifierSize));
    if (size > IdentifierSize) {
        QByteArray rest(size - IdentifierSize, '\0');
        ReadCheck(Stream, rest.data(), rest.size());
    }
    identifier_ = identifier;
    ReadPayload(Stream);
}

void TGIFApplicationExtension::WritePayload(TStream& Stream)
{
    WriteGIFByte(Stream, 0);
}

void TGIFApplicationExtension::ReadPayload(TStream& Stream)
{
    SkipSubBlocks(Stream);
}

void TGIFUnknownAppExtension::WritePayload(TStream& Stream)
{
    WriteSubBlocks(Stream, Blocks);
}

void TGIFUnknownAppExtension::ReadPayload(TStream& Stream)
{
    Blocks = ReadSubBlocks(Stream);
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* ASubImage) : TGIFApplicationExtension(ASubImage)
{
    SetIdentifier("NETSCAPE2.0");
}

void TGIFAppExtNSLoop::WritePayload(TStream& Stream)
{
    uint8_t loop[4] = {3, 1};
    PutU16(loop + 2, Loops);
    Stream.WriteBuffer(loop, sizeof loop);
    if (BufferSize != 0) {
        const uint8_t buffer[6] = {5,
                                   2,
                                   uint8_t(BufferSize),
                                   uint8_t(BufferSize >> 8),
                                   uint8_t(BufferSize >> 16),
                                   uint8_t(BufferSize >> 24)};
        Stream.WriteBuffer(buffer, sizeof buffer);
    }
    WriteGIFByte(Stream, 0);
}

void TGIFAppExtNSLoop::ReadPayload(TStream& Stream)
{
    uint8_t size = 0;
    while (TryReadByte(Stream, size) && size > 0) {
        uint8_t block[255];
        ReadCheck(Stream, block, size);
        switch (block[0] & 7) {
        case 1:
            if (size < 3)
                throw GIFException(gifmsg::BadData);
            Loops = GetU16(block + 1);
            break;
        case 2:
            if (size < 5)
                throw GIFException(gifmsg::BadData);
            BufferSize = uint32_t(block[1]) | uint32_t(block[2]) << 8 | uint32_t(block[3]) << 16 |
                         uint32_t(block[4]) << 24;
            break;
        }
    }
}
