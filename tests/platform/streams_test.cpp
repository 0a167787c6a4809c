// Streams: file and memory round trips, short reads and writes, open errors, 64-bit positions.
#include "platform/rtl/streams.h"
#include "platform/rtl/string_list.h"
#include "platform/system/error_text.h"
#include "support/file_size_limit.h"
#include "support/limited_stream.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cerrno>
#include <random>

namespace {

QString TestFile(const QString& name)
{
    return testRunFolder() + "/streams-" + name;
}

QByteArray Content(TCustomMemoryStream& stream)
{
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

} // namespace

TEST(Streams, FileStreamRoundTripThroughEveryOpenMode)
{
    const QString name = TestFile("modes.bin");
    {
        TFileStream created(name, fmCreate);
        created.WriteBuffer("0123456789", 10);
        EXPECT_EQ(created.Size(), 10);
        EXPECT_EQ(created.FileName(), name);
    }
    {
        TFileStream writer(name, fmOpenWrite | fmShareExclusive);
        EXPECT_EQ(writer.Seek(4, soBeginning), 4);
        writer.WriteBuffer("ab", 2);
        char c;
        EXPECT_EQ(writer.Read(&c, 1), 0); // opened for writing only
    }
    {
        TFileStream both(name, fmOpenReadWrite | fmShareDenyNone);
        EXPECT_EQ(both.Seek(-2, soEnd), 8);
        both.WriteBuffer("XYZ", 3);
        both.SetPosition(0);
        char buffer[11] = {};
        both.ReadBuffer(buffer, 11);
        EXPECT_EQ(QByteArray(buffer, 11), "0123ab67XYZ");
        both.SetSize(3);
        EXPECT_EQ(both.Size(), 3);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(reader.Write("x", 1), 0); // opened for reading only
        EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError);
        char buffer[8];
        EXPECT_EQ(reader.Read(buffer, 8), 3);
        EXPECT_EQ(reader.Seek(-1, soBeginning), -1);
        EXPECT_EQ(reader.Position(), 3);
    }
    {
        TFileStream truncated(name, fmCreate);
        EXPECT_EQ(truncated.Size(), 0);
    }
}

// The buffered file stream against a plain model of a file (its bytes and a position): random
// reads, writes, moves, sizing and flushes of every length around the buffer's size agree step
// by step, and the file holds the model's bytes whenever the buffer has been written out.
TEST(Streams, BufferedFileStreamStaysExactAgainstAPlainModel)
{
    const std::int64_t block = TFileStream::BufferSize;
    const std::int64_t lengths[] = {1, 2, 7, 255, 4096, block - 1, block, block + 1, 3 * block + 5};
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto below = [&](std::int64_t n) { return std::int64_t(random() % std::uint64_t(n)); };
        const QString name = TestFile("model.bin");
        QByteArray model;
        std::int64_t position = 0;
        TFileStream stream(name, fmCreate);
        for (int step = 0; step < 300; ++step) {
            SCOPED_TRACE(step);
            const std::int64_t length = lengths[below(std::size(lengths))];
            switch (below(8)) {
            case 0:
            case 1: { // write
                QByteArray bytes(length, Qt::Uninitialized);
                for (char& c : bytes)
                    c = char(random());
                ASSERT_EQ(stream.Write(bytes.constData(), length), length);
                if (position > model.size())
                    model.append(QByteArray(position - model.size(), '\0'));
                model.replace(position, std::min<std::int64_t>(length, model.size() - position), bytes);
                position += length;
                break;
            }
            case 2:
            case 3: { // read
                QByteArray bytes(length, '\0');
                const std::int64_t expected = std::clamp<std::int64_t>(model.size() - position, 0, length);
                ASSERT_EQ(stream.Read(bytes.data(), length), expected);
                ASSERT_EQ(bytes.left(expected), model.mid(position, expected));
                position += expected;
                break;
            }
            case 4: { // seek from each origin, sometimes before the start or past the end
                const TSeekOrigin origin = TSeekOrigin(below(3));
                const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position : model.size();
                const std::int64_t offset = below(model.size() + 2 * block + 1) - base - block / 2;
                const std::int64_t expected = base + offset < 0 ? -1 : base + offset;
                ASSERT_EQ(stream.Seek(offset, origin), expected);
                if (expected >= 0)
                    position = expected;
                break;
            }
            case 5: // small steps back and forth, as readers of formats take them
                if (position > 0) {
                    ASSERT_EQ(stream.Seek(-1, soCurrent), position - 1);
                    --position;
                }
                break;
            case 6: { // the file's size
                ASSERT_EQ(stream.Size(), model.size());
                if (below(4) == 0) {
                    const std::int64_t size = below(model.size() + block);
                    stream.SetSize(size);
                    model.resize(size, '\0');
                }
                break;
            }
            case 7: { // written out: the file holds the model's bytes
                stream.FlushBuffer();
                QFile file(name);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                ASSERT_EQ(file.readAll(), model);
                break;
            }
            }
            ASSERT_EQ(stream.Position(), position);
        }
    }
}

// A write the system refuses once it leaves the buffer is never lost without a word: FlushBuffer
// names the file and the cause, later writes fail, and nothing is thrown from the destructor.
// Files that are not regular (here /dev/full) are not buffered: their writes fail at once.
TEST(Streams, WritesTheFileRefusesAreReported)
{
    const QString name = TestFile("limited.bin");
    const QByteArray bytes(1000, 'x');
    {
        TFileStream stream(name, fmCreate);
        const FileSizeLimit limit(1500);
        EXPECT_EQ(stream.Write(bytes.constData(), 1000), 1000);
        EXPECT_EQ(stream.Write(bytes.constData(), 1000), 1000); // still in the buffer
        try {
            stream.FlushBuffer();
            FAIL() << "no error";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message, "Cannot write file \"" + name + "\". " + SysErrorMessage(EFBIG));
        }
        EXPECT_EQ(stream.Write(bytes.constData(), 10), 0);
        EXPECT_THROW(stream.WriteBuffer(bytes.constData(), 10), EWriteError);
        EXPECT_THROW(stream.FlushBuffer(), EWriteError);
    }
    {
        const FileSizeLimit limit(100);
        EXPECT_THROW(
            {
                TStringList lines;
                lines.SetText(QString(200, u'y'));
                lines.SaveToFile(name);
            },
            EWriteError);
    }
    TFileStream full("/dev/full", fmOpenWrite);
    EXPECT_EQ(full.Write(bytes.constData(), 10), 0);
    EXPECT_NO_THROW(full.FlushBuffer());
}

TEST(Streams, ShortReadsRaiseReadErrorAndShortWritesWriteError)
{
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[4];
    try {
        stream.ReadBuffer(buffer, 4);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message, "Stream read error");
    }
    stream.ReadBuffer(buffer, 0); // nothing asked, nothing missing

    TLimitedStream small(2);
    try {
        small.WriteBuffer("abc", 3);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message, "Stream write error");
    }
}

TEST(Streams, OpenAndCreateFailuresCarryTheNameAndTheSystemText)
{
    const QString missing = TestFile("no-such-folder/file.bin");
    try {
        TFileStream stream(missing, fmOpenRead);
        FAIL() << "opened";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file \"" + missing + "\". " + SysErrorMessage(ENOENT));
    }
    try {
        TFileStream stream(missing, fmCreate);
        FAIL() << "created";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message.startsWith("Cannot create file \"" + missing + "\". "))
            << e.Message.toStdString();
    }
    EXPECT_THROW({ TFileStream folder(testRunFolder(), fmOpenRead); }, EFOpenError);
}

TEST(Streams, PositionsPastFourGibibytesInASparseFile)
{
    const QString name = TestFile("sparse.bin");
    const std::int64_t far = (std::int64_t(5) << 30) + 7;
    {
        TFileStream stream(name, fmCreate);
        EXPECT_EQ(stream.Seek(far, soBeginning), far);
        stream.WriteBuffer("tail", 4);
        EXPECT_EQ(stream.Position(), far + 4);
        EXPECT_EQ(stream.Size(), far + 4);
    }
    TFileStream stream(name, fmOpenRead);
    EXPECT_EQ(stream.Size(), far + 4);
    EXPECT_EQ(stream.Seek(-4, soEnd), far);
    char buffer[4];
    stream.ReadBuffer(buffer, 4);
    EXPECT_EQ(QByteArray(buffer, 4), "tail");
    stream.SetPosition(far - 1);
    stream.ReadBuffer(buffer, 1);
    EXPECT_EQ(buffer[0], 0);
}

TEST(Streams, MemoryStreamGrowsWithZerosAndKeepsItsPositionInRange)
{
    TMemoryStream stream;
    EXPECT_EQ(stream.Seek(4, soBeginning), 4);
    stream.WriteBuffer("xy", 2);
    EXPECT_EQ(Content(stream), QByteArray("\0\0\0\0xy", 6));
    EXPECT_EQ(stream.Seek(-1, soCurrent), 5);
    EXPECT_EQ(stream.Seek(-7, soEnd), -1);
    EXPECT_EQ(stream.Position(), 5);
    stream.SetSize(3);
    EXPECT_EQ(stream.Position(), 3);
    stream.SetSize(5);
    EXPECT_EQ(Content(stream), QByteArray("\0\0\0\0\0", 5));
    char c;
    stream.SetPosition(9);
    EXPECT_EQ(stream.Read(&c, 1), 0);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(Streams, CopyFromFilesAndMemory)
{
    TMemoryStream source;
    QByteArray data;
    for (int i = 0; i < 200000; ++i)
        data += char(i * 7);
    source.WriteBuffer(data.constData(), data.size());

    const QString name = TestFile("copy.bin");
    {
        TFileStream file(name, fmCreate);
        EXPECT_EQ(file.CopyFrom(source, 0), data.size()); // whole source, from its start
    }
    TMemoryStream loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(Content(loaded), data);
    EXPECT_EQ(loaded.Position(), 0);

    TMemoryStream part;
    loaded.SetPosition(10);
    EXPECT_EQ(part.CopyFrom(loaded, 5), 5);
    EXPECT_EQ(Content(part), data.mid(10, 5));
    loaded.SetPosition(loaded.Size() - 2);
    EXPECT_THROW(part.CopyFrom(loaded, 5), EReadError);

    TMemoryStream saved;
    part.SaveToStream(saved);
    part.SaveToFile(name);
    loaded.LoadFromFile(name);
    EXPECT_EQ(Content(saved), data.mid(10, 5));
    EXPECT_EQ(Content(loaded), data.mid(10, 5));
}
