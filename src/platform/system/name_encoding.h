// DecodeName and EncodeName: names of files and of remote items as text, every byte kept.
#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a name into text: UTF-8, where each byte of an invalid sequence becomes the
// lone surrogate U+DC00 + byte (as Python's "surrogateescape" does). Never fails.
QString DecodeName(const QByteArray& bytes);

// Reverses DecodeName: EncodeName(DecodeName(b)) == b for any bytes b. Text is written as UTF-8;
// a lone surrogate U+DC80..U+DCFF becomes its byte again; any other lone surrogate stands for no
// byte and is written as U+FFFD.
QByteArray EncodeName(const QString& name);
