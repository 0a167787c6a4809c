// Table stream encodings: value-to-bytes tables, round trips, truncated streams and refused writes.
#include "editor/document/table_stream.h"
#include "platform/rtl/streams.h"
#include "support/limited_stream.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Content(TMemoryStream& stream)
{
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

// Fills Stream with Bytes and moves back to their start.
void Fill(TMemoryStream& stream, const QByteArray& bytes)
{
    stream.WriteBuffer(bytes.constData(), bytes.size());
    stream.SetPosition(0);
}

struct Encoding {
    const char* name;
    std::function<void(TStream&)> write;
    QByteArray bytes;
    // Reads the value back and tells whether it is the one written.
    std::function<bool(TStream&)> readsBack;
};

const std::vector<Encoding>& Encodings()
{
    static const std::vector<Encoding> table = {
        {"byte", [](TStream& s) { WriteByte(s, 0xA5); }, QByteArray("\xA5", 1),
         [](TStream& s) { return ReadByte(s) == 0xA5; }},
        {"word", [](TStream& s) { WriteWord(s, 0xBEEF); }, QByteArray("\xEF\xBE", 2),
         [](TStream& s) { return ReadWord(s) == 0xBEEF; }},
        {"integer", [](TStream& s) { WriteInteger(s, 0x12345678); }, QByteArray("\x78\x56\x34\x12", 4),
         [](TStream& s) { return ReadInteger(s) == 0x12345678; }},
        {"negative integer", [](TStream& s) { WriteInteger(s, -2); }, QByteArray("\xFE\xFF\xFF\xFF", 4),
         [](TStream& s) { return ReadInteger(s) == -2; }},
        {"short string", [](TStream& s) { WriteShortString(s, "abc"); },
         QByteArray("\x03"
                    "abc",
                    4),
         [](TStream& s) { return ReadShortString(s) == "abc"; }},
        {"empty short string", [](TStream& s) { WriteShortString(s, ""); }, QByteArray("\x00", 1),
         [](TStream& s) { return ReadShortString(s).isEmpty(); }},
        {"long string", [](TStream& s) { WriteLongString(s, QByteArray("a\0\xFF", 3)); },
         QByteArray("\x03\x00\x00\x00"
                    "a\0\xFF",
                    7),
         [](TStream& s) { return ReadLongString(s) == QByteArray("a\0\xFF", 3); }},
        {"empty long string", [](TStream& s) { WriteLongString(s, ""); }, QByteArray("\0\0\0\0", 4),
         [](TStream& s) { return ReadLongString(s).isEmpty(); }},
        {"shift state", [](TStream& s) { WriteShiftState(s, 0x45); }, QByteArray("\x45\0\0\0", 4),
         [](TStream& s) { return ReadShiftState(s) == 0x45; }},
    };
    return table;
}

} // namespace

TEST(TableStream, EveryEncodingWritesItsBytesAndReadsBack)
{
    for (const Encoding& e : Encodings()) {
        SCOPED_TRACE(e.name);
        TMemoryStream stream;
        e.write(stream);
        EXPECT_EQ(Content(stream), e.bytes);
        stream.SetPosition(0);
        EXPECT_TRUE(e.readsBack(stream));
        EXPECT_EQ(stream.Position(), e.bytes.size());
    }
}

TEST(TableStream, EveryReaderOnATruncatedStreamRaisesTheReadError)
{
    for (const Encoding& e : Encodings()) {
        for (qsizetype cut = 0; cut < e.bytes.size(); ++cut) {
            SCOPED_TRACE(std::string(e.name) + " cut to " + std::to_string(cut));
            TMemoryStream stream;
            Fill(stream, e.bytes.left(cut));
            EXPECT_THROW(e.readsBack(stream), EReadError);
        }
    }
}

TEST(TableStream, EveryWriterOnAShortWriteRaisesTheWriteError)
{
    for (const Encoding& e : Encodings()) {
        SCOPED_TRACE(e.name);
        TLimitedStream stream(e.bytes.size() - 1);
        EXPECT_THROW(e.write(stream), EWriteError);
    }
}

TEST(TableStream, ShiftStateWriterDropsTheHighBitsAndTheReaderKeepsThem)
{
    TMemoryStream stream;
    WriteShiftState(stream, 0xFFFFFFFF);
    EXPECT_EQ(Content(stream), QByteArray("\x7F\0\0\0", 4));

    TMemoryStream stored;
    Fill(stored, QByteArray("\xFF\x80\x01\xF0", 4));
    EXPECT_EQ(ReadShiftState(stored), 0xF00180FFu);
}

TEST(TableStream, ShortStringOf255CharactersRoundTripsAnd256IsRefused)
{
    QByteArray longest(255, '\0');
    for (int i = 0; i < longest.size(); ++i)
        longest[i] = char(255 - i);
    TMemoryStream stream;
    WriteShortString(stream, longest);
    EXPECT_EQ(stream.Size(), 256);
    EXPECT_EQ(std::uint8_t(stream.Memory()[0]), 255);
    stream.SetPosition(0);
    EXPECT_EQ(ReadShortString(stream), longest);

    TMemoryStream refused;
    EXPECT_THROW(WriteShortString(refused, QByteArray(256, 'x')), EWriteError);
    EXPECT_EQ(refused.Size(), 0);
}

TEST(TableStream, LongStringWithAStoredLengthBeyondTheStreamIsReadError)
{
    for (const QByteArray& bytes : {QByteArray("\xFF\xFF\xFF\x7F"
                                               "abc",
                                               7),
                                    QByteArray("\x04\0\0\0"
                                               "abc",
                                               7),
                                    QByteArray("\xFF\xFF\xFF\xFF"
                                               "abc",
                                               7)}) {
        TMemoryStream stream;
        Fill(stream, bytes);
        EXPECT_THROW(ReadLongString(stream), EReadError) << bytes.toHex().toStdString();
    }
}
