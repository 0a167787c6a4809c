// The little-endian byte, word, integer, string and shift-state encodings that every binary stream of
// the editor and the highlighter (settings, keywords, key map, templates, parser tables) is made of.
#pragma once

#include <QByteArray>
#include <cstdint>

class TStream;

// Every writer raises EWriteError when the stream takes fewer bytes than the value needs; every
// reader raises EReadError when the stream ends before the value does. Strings are bytes: one byte
// is one character.

void WriteByte(TStream& Stream, std::uint8_t Value);
std::uint8_t ReadByte(TStream& Stream);

void WriteWord(TStream& Stream, std::uint16_t Value);
std::uint16_t ReadWord(TStream& Stream);

void WriteInteger(TStream& Stream, std::int32_t Value);
std::int32_t ReadInteger(TStream& Stream);

// One length byte, then the characters. A string longer than 255 characters cannot be stored: it
// raises EWriteError and writes nothing.
void WriteShortString(TStream& Stream, const QByteArray& Value);
QByteArray ReadShortString(TStream& Stream);

// A 4-byte length, then the characters (a longer string than 2^31 - 1 raises EWriteError). A stored length
// that is negative or longer than the rest of the stream raises EReadError before anything is allocated.
void WriteLongString(TStream& Stream, const QByteArray& Value);
QByteArray ReadLongString(TStream& Stream);

// An Integer count of stored items that must lie in 0..Max, with at least MinBytesEach bytes left
// in the stream for every item; otherwise EReadError, so that no reader trusts a stored count.
std::int32_t ReadCount(TStream& Stream, std::int32_t Max, std::int64_t MinBytesEach);

// A 4-byte integer. The writer keeps only the seven shift-state bits (Shift, Alt, Ctrl, left, right
// and middle button, double click); the reader returns all 32 bits it finds.
void WriteShiftState(TStream& Stream, std::uint32_t Value);
std::uint32_t ReadShiftState(TStream& Stream);
