// The reply reader on bytes alone: line ends, chunks split anywhere, multi-line replies and the
// full buffer.
#include "ftp/client/ftp_reply_reader.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Feeds the chunks one by one and writes every line taken as "<text>|<code>|final" or
// "<text>|<code>|more".
QStringList Lines(const QList<QByteArray>& chunks, bool acceptLF)
{
    TFtpReplyReader reader;
    QStringList lines;
    for (const QByteArray& chunk : chunks) {
        reader.Append(chunk.constData(), int(chunk.size()));
        while (const auto line = reader.NextLine(acceptLF))
            lines << QStringLiteral("%1|%2|%3")
                         .arg(QString::fromLatin1(line->Text))
                         .arg(line->Code)
                         .arg(line->Final ? "final" : "more");
    }
    return lines;
}

QList<QByteArray> ByteByByte(const QByteArray& data)
{
    QList<QByteArray> chunks;
    for (char c : data)
        chunks << QByteArray(1, c);
    return chunks;
}

} // namespace

TEST(FtpReplyReader, SplitsLinesAndFindsTheEndOfEachReply)
{
    const QByteArray multi = "230-Welcome\r\n220 not the end\r\n 230 indented\r\n230-still\r\n230 done\r\n";
    const QStringList multiLines = {"230-Welcome|230|more", "220 not the end|220|more",
                                    " 230 indented|0|more", "230-still|230|more", "230 done|230|final"};
    struct Case {
        const char* what;
        QList<QByteArray> chunks;
        bool acceptLF;
        QStringList lines;
    } cases[] = {
        {"one line", {"200 ok\r\n"}, true, {"200 ok|200|final"}},
        {"two replies in one read", {"200 a\r\n250 b\r\n"}, true, {"200 a|200|final", "250 b|250|final"}},
        {"split between CR and LF", {"200 a\r", "\n"}, false, {"200 a|200|final"}},
        {"byte by byte", ByteByByte("331 need pass\r\n"), false, {"331 need pass|331|final"}},
        {"LF alone accepted", {"200 a\n250 b\r\n"}, true, {"200 a|200|final", "250 b|250|final"}},
        {"LF alone waits for CR LF", {"200 a\n", "250 b\r\n"}, false, {"200 a\n250 b|200|final"}},
        {"trailing CRs removed", {"200 a\r\r\n"}, true, {"200 a|200|final"}},
        {"code alone", {"226\r\n"}, true, {"226|226|final"}},
        {"text without a code", {"hello\r\n"}, true, {"hello|0|more"}},
        {"multi-line reply", {multi}, true, multiLines},
        {"multi-line reply byte by byte", ByteByByte(multi), false, multiLines},
        {"a new reply after a multi-line one",
         {"211-a\r\n211 b\r\n200 c\r\n"},
         true,
         {"211-a|211|more", "211 b|211|final", "200 c|200|final"}},
        {"the closing code needs a blank",
         {"220-a\r\n220b\r\n220\r\n"},
         true,
         {"220-a|220|more", "220b|220|more", "220|220|final"}},
        {"Telnet option commands before the code",
         {"\xFF\xFB\x01\xFF\xFD\x03" "220 ready\r\n"},
         true,
         {"220 ready|220|final"}},
        {"IAC IAC in a name, IAC IP, and IAC before an ordinary byte",
         {"257 \"/a\xFF\xFF\" \xFF\xF4" "ok \xFFz\r\n"},
         true,
         {QString::fromLatin1("257 \"/a\xFF\" ok \xFFz|257|final")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Lines(c.chunks, c.acceptLF), c.lines);
    }
}

TEST(FtpReplyReader, ALineThatFillsTheBufferLeavesNoRoom)
{
    // A line of 64 KiB with its CR LF fits; one byte more without a line end leaves no room.
    TFtpReplyReader reader;
    const QByteArray longest = "257 " + QByteArray(64 * 1024 - 4, 'x') + "\r\n";
    EXPECT_EQ(reader.Room(), longest.size());
    reader.Append(longest.constData(), int(longest.size()));
    const auto line = reader.NextLine(false);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->Text.size(), 64 * 1024);
    EXPECT_TRUE(line->Final);

    const QByteArray tooLong(longest.size() + 10, 'x');
    reader.Append(tooLong.constData(), int(tooLong.size()));
    EXPECT_EQ(reader.Buffered(), longest.size());
    EXPECT_EQ(reader.Room(), 0);
    EXPECT_FALSE(reader.NextLine(true).has_value());
    reader.Clear();
    EXPECT_EQ(reader.Room(), longest.size());
}
