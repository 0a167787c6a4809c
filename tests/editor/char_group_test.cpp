// Character groups: specifications, membership, the group list and the streams; the string
// scanner and the read-only text stream.
#include "editor/language/char_group.h"
#include "editor/document/fast_memory_stream.h"
#include "editor/document/string_scanner.h"
#include "editor/document/syntax_memo_error.h"
#include "editor/document/table_stream.h"
#include "golden.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// The group's characters (before Negate) in rising order.
QByteArray Members(const TSM_CharGroup& Group)
{
    QByteArray members;
    for (int c = 0; c < 256; ++c) {
        if ((Group.Chars[std::size_t(c >> 3)] >> (c & 7)) & 1)
            members += char(c);
    }
    return members;
}

} // namespace

TEST(CharGroup, ParsesSpecifications)
{
    const struct {
        const char* spec;
        QByteArray members;
        bool negate;
        int end; // the position after what was read
    } cases[] = {
        {"a", "a", false, 2},
        {"a-c", "abc", false, 4},
        {"a-", "a", false, 2},
        {"\\t", "\t", false, 3},
        {"\\N\\r", "\r", false, 3},
        {"\\s", " ", false, 3},
        {"\\e", "\x1b", false, 3},
        {"\\x41", "A", false, 5},
        {"\\U4142", "B", false, 7}, // all hex digits count, modulo 256
        {"\\x", QByteArray(1, '\0'), false, 3},
        {"\\101", "A", false, 5},
        {"\\0", QByteArray(1, '\0'), false, 3},
        {"\\q", "q", false, 3},
        {"\\[", "[", false, 3},
        {"]", "]", false, 2},
        {"\\", "\\", false, 2},
        {"[^a-z0-9_]", "0123456789_abcdefghijklmnopqrstuvwxyz", true, 11},
        {"[a-]x", "-a", false, 5},
        {"[\\]\\[]", "[]", false, 7},
        {"[\\x30-\\x32\\n]", QByteArray("\r012"), false, 14},
        {"[]", "", false, 3},
        {"[abc", "abc", false, 5},
        {"[^", "", true, 3},
        {"", "", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        TSM_CharGroup group;
        int position = 1;
        group.Parse(c.spec, position);
        EXPECT_EQ(Members(group), c.members);
        EXPECT_EQ(group.Negate != 0, c.negate);
        EXPECT_EQ(position, c.end);
    }

    TSM_CharGroup group;
    int position = 4; // a specification inside a longer text
    group.Parse("ab [x-z] c", position);
    EXPECT_EQ(Members(group), "xyz");
    EXPECT_EQ(position, 9);
    EXPECT_EQ(group.LowChar, 'x');
    EXPECT_EQ(group.HighChar, 'z');
}

TEST(CharGroup, RefusesRangesWrittenBackwards)
{
    for (const char* spec : {"[z-a]", "z-a", "[ab\\x42-\\x41]"}) {
        SCOPED_TRACE(spec);
        TSM_CharGroup group;
        int position = 1;
        try {
            group.Parse(spec, position);
            ADD_FAILURE() << "parsed";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, QStringLiteral("Characters not in correct order for range specifier"));
        }
    }
}

TEST(CharGroup, MembershipAndEquality)
{
    TSM_CharGroup group;
    EXPECT_TRUE(group.IsEmpty());
    EXPECT_EQ(group.LowChar, 0xFFFF);
    int position = 1;
    group.Parse("[^a-z]", position);
    EXPECT_FALSE(group.Contains('q'));
    EXPECT_TRUE(group.Contains(';'));
    EXPECT_TRUE(group.Contains(0));
    EXPECT_FALSE(group.IsEmpty());

    TSM_CharGroup same;
    position = 1;
    same.Parse("[^a-mn-z]", position);
    EXPECT_TRUE(group.Equals(same));
    same.Negate = 0;
    EXPECT_FALSE(group.Equals(same));

    TSM_CharGroup all;
    all.AddChar('x');
    std::array<std::uint8_t, 32> set{};
    set[1] = 0xFF;
    all.AddSet(set);
    EXPECT_EQ(all.LowChar, 0);
    EXPECT_EQ(all.HighChar, 255);
    EXPECT_EQ(Members(all), QByteArray("\x08\x09\x0a\x0b\x0c\x0d\x0e\x0fx"));
}

TEST(CharGroup, StreamsThirtySevenBytes)
{
    TSM_CharGroup group;
    int position = 1;
    group.Parse("[^A\\n]", position);
    QByteArray expected(32, '\0');
    expected[1] = 0x20; // 13
    expected[8] = 0x02; // 65
    expected += QByteArray("\0\0\0\0\x01", 5);
    EXPECT_EQ(StreamBytes(group), expected);

    TSM_CharGroup copy;
    TBytesStream stream(expected);
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.Equals(group));
    EXPECT_EQ(copy.LowChar, 13);
    EXPECT_EQ(copy.HighChar, 65);
    ExpectEveryTruncationFails<TSM_CharGroup>(expected);

    // Extra ranges are never written: a stream that claims some is bad data.
    QByteArray ranges = expected;
    ranges[32] = 1;
    TBytesStream bad(ranges);
    EXPECT_THROW(copy.LoadFromStream(bad), EReadError);
}

TEST(CharGroupManager, KeepsEachGroupOnce)
{
    TSM_CharGroupManager manager;
    TSM_CharGroup letters;
    int position = 1;
    letters.Parse("[a-z]", position);
    TSM_CharGroup negated;
    negated.Assign(letters);
    negated.Negate = 1;
    EXPECT_EQ(manager.AddGroup(letters), 0);
    EXPECT_EQ(manager.AddGroup(negated), 1);
    EXPECT_EQ(manager.AddGroup(letters), 0);
    EXPECT_EQ(manager.Count(), 2);
    EXPECT_TRUE(manager.GetGroup(1).Equals(negated));
    for (const int id : {-1, 2}) {
        try {
            manager.GetGroup(id);
            ADD_FAILURE() << id;
        } catch (const ESyntaxMemo& e) {
            EXPECT_EQ(e.Message, QStringLiteral("Invalid Set ID (%1)").arg(id));
        }
    }

    // A stream holding a group twice reads back merged.
    TMemoryStream stream;
    WriteInteger(stream, 3);
    letters.SaveToStream(stream);
    negated.SaveToStream(stream);
    letters.SaveToStream(stream);
    stream.SetPosition(0);
    TSM_CharGroupManager copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(StreamBytes(copy), StreamBytes(manager));
    TBytesStream huge(QByteArray("\x10\0\0\0", 4) + StreamBytes(letters));
    EXPECT_THROW(copy.LoadFromStream(huge), EReadError);
}

TEST(StringScanner, WalksATextFromPositionOne)
{
    TStringScanner empty{QByteArray()};
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(empty.Position(), 0);
    EXPECT_EQ(empty.Current(), '\0');

    TStringScanner scanner("ab");
    EXPECT_EQ(scanner.Position(), 1);
    EXPECT_EQ(scanner.Current(), 'a');
    scanner.Next();
    scanner.Next();
    EXPECT_TRUE(scanner.AtEnd());
    EXPECT_EQ(scanner.Current(), '\0');
    scanner.Next();
    EXPECT_EQ(scanner.Position(), 3);
}

TEST(FastMemoryStream, ReadsATextInPlace)
{
    const char text[] = "abc\0def";
    TFastMemoryStream stream(text);
    EXPECT_EQ(stream.Size(), 3);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 3);
    EXPECT_TRUE(SameBytes(buffer, "abc", 3));
    EXPECT_FALSE(SameBytes(buffer, "abd", 3));
    EXPECT_EQ(stream.Memory(), text);
    EXPECT_EQ(stream.Seek(1, soBeginning), 1);
    try {
        stream.Write("x", 1);
        ADD_FAILURE() << "written";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Cannot write to a read-only stream"));
    }
}
