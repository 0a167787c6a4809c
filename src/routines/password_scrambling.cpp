// Stored-password scrambling.
#include "routines/password_scrambling.h"

#include "platform/system/name_encoding.h"

#include <cstdint>

namespace {

const QByteArray FirstKey = "mq7vtz;ep3)wh2.?ln8cxud;rk$%61742bqm%@#!hwdxpkrz;uvoe;yfzmtlqwcehj";
const QByteArray SecondKey = "zb4ngs;ka9)ud6.?wo1pjit;xe$%27390hcv%@#!ntyrbafu;qkwi;jgpsdmuxlor";
constexpr char Markers[2] = {'3', '6'}; // by direction: from the store, to the store

const QByteArray& KeyFor(const QByteArray& text, int direction)
{
    return text.size() > 2 && text[2] == Markers[direction == ScrambleToStore] ? FirstKey : SecondKey;
}

QByteArray Crypted(QByteArray text, const QByteArray& key)
{
    StrKeyCrypt(text, key);
    return text;
}

} // namespace

void StrKeyCrypt(QByteArray& S, const QByteArray& K)
{
    if (S.isEmpty() || K.isEmpty())
        return;
    const qsizetype last = K.size() - 1;
    qsizetype j = last;
    std::uint8_t h = std::uint8_t(last);
    char* bytes = S.data();
    for (qsizetype i = 0; i < S.size(); ++i) {
        if ((h & 8) == 0)
            h ^= 1;
        h = std::uint8_t(~h);
        h = std::uint8_t(h >> 1 | h << 7);
        bytes[i] = char(std::uint8_t(bytes[i]) ^ std::uint8_t(K[j]) ^ h);
        if (--j < 0)
            j = last;
    }
}

QByteArray ScramblePassword(const QByteArray& Text, int Direction)
{
    if (Text.isEmpty())
        return Text;
    return Crypted(Text, KeyFor(Text, Direction));
}

QString PasswordToStore(const QString& Text)
{
    const QByteArray plain = EncodeName(Text);
    QByteArray stored = ScramblePassword(plain, ScrambleToStore);
    // The reader picks its key by the stored third byte. Where the writer's choice would make it
    // pick the other key (a plain third byte "6"), the second key reads back instead.
    if (ScramblePassword(stored, ScrambleFromStore) != plain)
        stored = Crypted(plain, SecondKey);
    if (ScramblePassword(stored, ScrambleFromStore) != plain)
        throw EConvertError(
            QStringLiteral("This password cannot be stored: its third character is a backspace"));
    return QString::fromLatin1(stored);
}

QString PasswordFromStore(const QString& Text)
{
    return DecodeName(ScramblePassword(Text.toLatin1(), ScrambleFromStore));
}
