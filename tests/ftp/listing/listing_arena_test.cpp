// The arena of listing entries: its texts and entries are ordinary QStrings and objects that live
// on without it and without each other, in any order, and may be changed in place.
#include "ftp/listing/dir_info.h"
#include "ftp/listing/listing_arena.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(ListingArena, TextsAreLatin1AndEndInANull)
{
    TListingArena arena;
    const QByteArray longText(2 * 1024 * 1024, 'x'); // larger than the first blocks
    struct Case {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"name.txt", QStringLiteral("name.txt")},
        {"caf\xe9", QStringLiteral("caf\u00e9")},
        {longText, QString(longText.size(), u'x')},
        {"after the long one", QStringLiteral("after the long one")},
    };
    for (const Case& c : cases) {
        const QString text = arena.Latin1(c.bytes);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text.utf16()[text.size()], u'\0');
    }
    const QString empty = arena.Latin1(QByteArrayView("", 0));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
}

TEST(ListingArena, EntriesAndTextsOutliveTheArenaAndChangeAlone)
{
    std::vector<std::unique_ptr<TFtpDirInfo>> entries;
    QString kept;
    {
        TListingArena arena;
        for (int i = 0; i < 3000; ++i) { // over several blocks
            std::unique_ptr<TFtpDirInfo> entry(new (arena) TFtpDirInfo);
            entry->Name = arena.Latin1(QByteArray("name") + QByteArray::number(i));
            entry->SizeText = arena.Latin1(QByteArray::number(i * 7));
            entries.push_back(std::move(entry));
        }
        kept = arena.Latin1("kept");
    }
    // A text changed where it stands leaves its neighbours in the block as they are.
    entries[10]->Name += QStringLiteral(" and more");
    entries[10]->SizeText.prepend(u'-');
    EXPECT_EQ(entries[10]->Name, QStringLiteral("name10 and more"));
    EXPECT_EQ(entries[10]->SizeText, QStringLiteral("-70"));
    EXPECT_EQ(entries[11]->Name, QStringLiteral("name11"));
    EXPECT_EQ(entries[9]->SizeText, QStringLiteral("63"));
    // Freed in any order; the last text of the first blocks still reads and grows.
    QString name = entries[0]->Name;
    for (std::size_t i = entries.size(); i-- > 1;)
        entries[i].reset();
    entries.clear();
    EXPECT_EQ(name, QStringLiteral("name0"));
    name.squeeze(); // the only text left in its block, past the block's start
    EXPECT_EQ(name, QStringLiteral("name0"));
    kept.append(QString(5000, u'k'));
    EXPECT_EQ(kept.size(), 5004);
    EXPECT_EQ(kept.first(5), QStringLiteral("keptk"));
    // An entry made outside a listing is freed the same way.
    auto alone = std::make_unique<TFtpDirInfo>();
    alone->Name = name;
    EXPECT_EQ(alone->Name, QStringLiteral("name0"));
}
