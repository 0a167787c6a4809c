// Stored-password scrambling: the keyed, reversible byte transform that keeps passwords in the
// settings store unreadable at a glance. It is not encryption.
#pragma once

#include "platform/rtl/exception.h"

#include <QByteArray>
#include <QString>

// The keyed byte transform, in place: each byte is XORed with a key byte (the key walked from its
// end to its start, again and again) and an 8-bit state that changes with every byte. The state
// sequence depends only on the key, so applying it twice with the same key restores the text.
// Nothing happens when S or K is empty.
void StrKeyCrypt(QByteArray& S, const QByteArray& K);

// The directions of ScramblePassword.
constexpr int ScrambleFromStore = 0;
constexpr int ScrambleToStore = 1;

// The transformed copy of Text: with the first key when Text has more than two bytes and its third
// byte is the direction's marker ("3" from the store, "6" to the store), else with the second key.
QByteArray ScramblePassword(const QByteArray& Text, int Direction);

// The stored form of a password: its bytes (as names are written: UTF-8, escaped bytes restored)
// scrambled, one byte per character (U+0000 to U+00FF). Always reads back through
// PasswordFromStore; a password whose third byte is 8 (backspace) cannot be stored so and raises
// EConvertError. An empty password gives an empty text.
QString PasswordToStore(const QString& Text);
// The password of a stored form. Characters above U+00FF (not written by PasswordToStore) are
// taken as "?".
QString PasswordFromStore(const QString& Text);
