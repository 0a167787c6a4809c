// The table stream encodings, written and read through the stream's checked transfers.
#include "editor/document/table_stream.h"

#include "platform/rtl/streams.h"

namespace {

constexpr std::uint32_t ShiftStateBits = 0x7F;

// Little-endian bytes of the low Width bytes of Value.
template <int Width> void WriteLittleEndian(TStream& Stream, std::uint32_t Value)
{
    std::uint8_t bytes[Width];
    for (int i = 0; i < Width; ++i)
        bytes[i] = std::uint8_t(Value >> (8 * i));
    Stream.WriteBuffer(bytes, Width);
}

template <int Width> std::uint32_t ReadLittleEndian(TStream& Stream)
{
    std::uint8_t bytes[Width];
    Stream.ReadBuffer(bytes, Width);
    std::uint32_t value = 0;
    for (int i = 0; i < Width; ++i)
        value |= std::uint32_t(bytes[i]) << (8 * i);
    return value;
}

QByteArray ReadCharacters(TStream& Stream, std::int64_t Length)
{
    QByteArray text(qsizetype(Length), Qt::Uninitialized);
    Stream.ReadBuffer(text.data(), Length);
    return text;
}

} // namespace

void WriteByte(TStream& Stream, std::uint8_t Value)
{
    WriteLittleEndian<1>(Stream, Value);
}

std::uint8_t ReadByte(TStream& Stream)
{
    return std::uint8_t(ReadLittleEndian<1>(Stream));
}

void WriteWord(TStream& Stream, std::uint16_t Value)
{
    WriteLittleEndian<2>(Stream, Value);
}

std::uint16_t ReadWord(TStream& Stream)
{
    return std::uint16_t(ReadLittleEndian<2>(Stream));
}

void WriteInteger(TStream& Stream, std::int32_t Value)
{
    WriteLittleEndian<4>(Stream, std::uint32_t(Value));
}

std::int32_t ReadInteger(TStream& Stream)
{
    return std::int32_t(ReadLittleEndian<4>(Stream));
}

void WriteShortString(TStream& Stream, const QByteArray& Value)
{
    if (Value.size() > 255)
        throw EWriteError(
            QStringLiteral("A short string holds at most 255 characters, not %1").arg(Value.size()));
    WriteByte(Stream, std::uint8_t(Value.size()));
    Stream.WriteBuffer(Value.constData(), Value.size());
}

QByteArray ReadShortString(TStream& Stream)
{
    return ReadCharacters(Stream, ReadByte(Stream));
}

void WriteLongString(TStream& Stream, const QByteArray& Value)
{
    if (Value.size() > INT32_MAX)
        throw EWriteError(QStringLiteral("A long string holds at most %1 characters").arg(INT32_MAX));
    WriteInteger(Stream, std::int32_t(Value.size()));
    Stream.WriteBuffer(Value.constData(), Value.size());
}

QByteArray ReadLongString(TStream& Stream)
{
    const std::int32_t length = ReadInteger(Stream);
    if (length < 0 || length > Stream.Size() - Stream.Position())
        throw EReadError(QStringLiteral("Stream read error"));
    return ReadCharacters(Stream, length);
}

std::int32_t ReadCount(TStream& Stream, std::int32_t Max, std::int64_t MinBytesEach)
{
    const std::int32_t count = ReadInteger(Stream);
    if (count < 0 || count > Max || count * MinBytesEach > Stream.Size() - Stream.Position())
        throw EReadError(QStringLiteral("Stream read error"));
    return count;
}

void WriteShiftState(TStream& Stream, std::uint32_t Value)
{
    WriteInteger(Stream, std::int32_t(Value & ShiftStateBits));
}

std::uint32_t ReadShiftState(TStream& Stream)
{
    return std::uint32_t(ReadInteger(Stream));
}
