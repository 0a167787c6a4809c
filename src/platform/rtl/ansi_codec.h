// The program's 8-bit code page for text ("ANSI" text): a fixed Windows-1252 table in which the
// five bytes that code page leaves undefined stand for U+0081, U+008D, U+008F, U+0090 and U+009D,
// so every byte round-trips. Used wherever 8-bit text meets Unicode text: the editor's display
// and clipboard, and CF_TEXT.
#pragma once

#include <QByteArray>
#include <QString>

// The character a byte stands for.
QChar AnsiChar(unsigned char Byte);
// The text of bytes, one character per byte.
QString DecodeAnsi(const QByteArray& Bytes);
// The bytes of a text, one per character (a surrogate pair is one character); a character the
// table lacks becomes Replacement.
QByteArray EncodeAnsi(const QString& Text, char Replacement = '?');
