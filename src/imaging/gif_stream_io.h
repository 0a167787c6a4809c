// The byte-level reading and writing the GIF classes share: single bytes, exact reads, little-endian
// numbers, and data sub-blocks (a length byte, that many bytes, ..., a 0 byte).
#pragma once

#include "platform/rtl/streams.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <cstdint>

// Reads one byte; false at the end of the stream.
bool TryReadByte(TStream& Stream, uint8_t& Value);
// Reads one byte or fails with "Premature end of data".
uint8_t ReadGIFByte(TStream& Stream);
// Reads exactly Count bytes or fails with "Premature end of data".
void ReadCheck(TStream& Stream, void* Buffer, int64_t Count);
void WriteGIFByte(TStream& Stream, uint8_t Value);
// Moves the stream back over the byte just read.
void StepBack(TStream& Stream);

inline uint16_t GetU16(const uint8_t* At)
{
    return uint16_t(At[0] | At[1] << 8);
}
inline void PutU16(uint8_t* At, uint16_t Value)
{
    At[0] = uint8_t(Value);
    At[1] = uint8_t(Value >> 8);
}

// Writes every block in pieces of at most 255 bytes, each behind its length byte (an empty block
// writes nothing), then the 0 byte that ends the sub-blocks.
void WriteSubBlocks(TStream& Stream, const QList<QByteArray>& Blocks);
// Reads sub-blocks up to the 0 length byte or the end of the stream, one block each; a block
// shorter than its length byte says fails with "Premature end of data".
QList<QByteArray> ReadSubBlocks(TStream& Stream);
// Skips sub-blocks up to the 0 length byte or the end of the stream.
void SkipSubBlocks(TStream& Stream);

// Text kept in sub-blocks: each string's characters are bytes (U+0000 to U+00FF).
void WriteStrings(TStream& Stream, const QStringList& Strings);
// Each sub-block becomes one string, cut at its first NUL byte.
QStringList ReadStrings(TStream& Stream);
