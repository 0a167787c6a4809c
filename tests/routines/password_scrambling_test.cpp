// Stored-password scrambling: the byte transform, compatibility with stored values, and that every
// storable password reads back.
#include "routines/password_scrambling.h"

#include "platform/system/name_encoding.h"
#include "support/qt_printers.h"
#include "support/random_cases.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const QByteArray FirstKey = "mq7vtz;ep3)wh2.?ln8cxud;rk$%61742bqm%@#!hwdxpkrz;uvoe;yfzmtlqwcehj";
const QByteArray SecondKey = "zb4ngs;ka9)ud6.?wo1pjit;xe$%27390hcv%@#!ntyrbafu;qkwi;jgpsdmuxlor";

QByteArray Crypt(QByteArray text, const QByteArray& key)
{
    StrKeyCrypt(text, key);
    return text;
}

QByteArray StoredBytes(const QByteArray& password)
{
    return PasswordToStore(DecodeName(password)).toLatin1();
}

} // namespace

TEST(PasswordScrambling, KeyCryptMatchesKnownMasks)
{
    EXPECT_EQ(Crypt(QByteArray(3, '\0'), FirstKey), QByteArray::fromHex("B57812"));
    EXPECT_EQ(Crypt(QByteArray(3, '\0'), SecondKey), QByteArray::fromHex("2D3F3B"));
    EXPECT_EQ(Crypt("secret", SecondKey), QByteArray::fromHex("5E5A58DE05EC"));
    EXPECT_EQ(Crypt("", SecondKey), "");
    EXPECT_EQ(Crypt("abc", ""), "abc");
}

TEST(PasswordScrambling, KeyCryptTwiceRestoresAnyText)
{
    std::mt19937 random(107);
    for (const QByteArray& key : {FirstKey, SecondKey}) {
        for (int length : {1, 2, 64, 65, 66, 67, 1000}) {
            QByteArray text(length, '\0');
            for (char& c : text)
                c = char(random());
            const QByteArray once = Crypt(text, key);
            EXPECT_EQ(once.size(), length);
            EXPECT_EQ(Crypt(once, key), text) << length;
        }
    }
}

TEST(PasswordScrambling, StoredFormsMatchThoseAlreadyInProfiles)
{
    struct Case {
        const char* password;
        const char* storedHex;
    };
    const Case cases[] = {
        {"secret", "5E5A58DE05EC"},
        {"-abc", "005E59CF"}, // the stored form starts with a NUL character
        {"a", "4C"},          // one and two characters always take the second key
        {"ab", "4C5D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        const QByteArray stored = QByteArray::fromHex(c.storedHex);
        EXPECT_EQ(StoredBytes(c.password), stored);
        EXPECT_EQ(PasswordFromStore(QString::fromLatin1(stored)), c.password);
    }
    EXPECT_EQ(PasswordToStore(""), "");
    EXPECT_EQ(PasswordFromStore(""), "");
    // A stored third character "3" selects the first key.
    const QByteArray firstKeyForm = Crypt("pa!ss", FirstKey);
    ASSERT_EQ(firstKeyForm[2], '3');
    EXPECT_EQ(PasswordFromStore(QString::fromLatin1(firstKeyForm)), "pa!ss");
}

TEST(PasswordScrambling, AThirdCharacterSixReadsBack)
{
    // Scrambled with the first key its third byte would be "$", which the reader takes for the
    // second key; so the second key is used.
    EXPECT_EQ(ScramblePassword("ab6cd", ScrambleToStore), Crypt("ab6cd", FirstKey));
    EXPECT_EQ(StoredBytes("ab6cd"), Crypt("ab6cd", SecondKey));
    EXPECT_EQ(PasswordFromStore(PasswordToStore("ab6cd")), "ab6cd");
}

TEST(PasswordScrambling, AThirdBackspaceCannotBeStored)
{
    EXPECT_THROW(PasswordToStore(QString::fromLatin1("ab\x08xy")), EConvertError);
    EXPECT_EQ(PasswordFromStore(PasswordToStore(QString::fromLatin1("\x08xy"))), "\x08xy");
}

TEST(PasswordScrambling, EveryStorablePasswordReadsBack)
{
    std::mt19937 random(2107);
    const int count = randomCaseCount(3000);
    for (int i = 0; i < count; ++i) {
        QByteArray password(int(random() % 1001), '\0');
        for (char& c : password)
            c = char(random());
        // Often a third "6" or "3", the bytes the key choice turns on.
        if (password.size() > 2 && i % 3 != 0)
            password[2] = "63"[i % 2];
        if (password.size() > 2 && password[2] == '\x08')
            continue;
        const QString stored = PasswordToStore(DecodeName(password));
        ASSERT_EQ(stored.size(), password.size());
        ASSERT_EQ(EncodeName(PasswordFromStore(stored)), password) << password.toHex().toStdString();
    }
}

TEST(PasswordScrambling, TextPasswordsTravelAsUtf8)
{
    const QString password = QStringLiteral("pässwörd");
    const QString stored = PasswordToStore(password);
    EXPECT_EQ(stored.size(), password.toUtf8().size());
    EXPECT_EQ(PasswordFromStore(stored), password);
}
