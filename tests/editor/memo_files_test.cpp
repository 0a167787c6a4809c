// The editor control's loading and saving: line ends in and out by save format, the block
// boundary, bytes that must survive, short writes and their retries, and files replaced whole.
#include "editor/custom_syntax_memo.h"
#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/streams.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Saved(TCustomSyntaxMemo& Memo)
{
    TMemoryStream stream;
    Memo.SaveToStream(stream);
    return QByteArray(stream.Memory(), qsizetype(stream.Size()));
}

void Load(TCustomSyntaxMemo& Memo, const QByteArray& Bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.constData(), Bytes.size());
    stream.SetPosition(0);
    Memo.LoadFromStream(stream);
}

QByteArray FileBytes(const QString& Name)
{
    QFile file(Name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& Name, const QByteArray& Bytes)
{
    QFile file(Name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

// A memory stream that takes at most Limit bytes of each write for its first Short writes.
class TShortStream : public TMemoryStream {
public:
    TShortStream(std::int64_t Limit, int Short) : limit_(Limit), short_(Short) {}
    int Writes = 0;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override
    {
        ++Writes;
        if (Writes > short_)
            return TMemoryStream::Write(Buffer, Count);
        return TMemoryStream::Write(Buffer, std::min(Count, limit_));
    }

private:
    std::int64_t limit_;
    int short_;
};

QByteArray Contents(TMemoryStream& Stream)
{
    return QByteArray(Stream.Memory(), qsizetype(Stream.Size()));
}

} // namespace

TEST(MemoFiles, AnyLineEndsLoadToOneStoreAndEachFormatWritesItsOwn)
{
    // LF, CR, CR LF, LF CR and a mix of them: the same lines.
    const QByteArray sources[] = {"a\nb\n\nc", "a\rb\r\rc", "a\r\nb\r\n\r\nc", "a\n\rb\n\r\n\rc", "a\r\nb\n\r\rc"};
    struct Case {
        TSaveFormat format;
        TSelLineStyle style;
        QByteArray bytes;
    };
    const Case cases[] = {
        {sfTEXT, lsCRLF, "a\r\nb\r\n\r\nc"},
        {sfTEXT, lsLF, "a\rb\r\rc"},
        {sfUNIX, lsCRLF, "a\nb\n\nc"},
        {sfUNIX, lsLF, "a\nb\n\nc"},
    };
    for (const QByteArray& source : sources) {
        for (const Case& c : cases) {
            TCustomSyntaxMemo memo;
            memo.TextStore().SelLineStyle = c.style;
            memo.SaveFormat = c.format;
            Load(memo, source);
            EXPECT_EQ(Saved(memo), c.bytes) << source.toStdString() << " as " << c.format << "/" << c.style;
        }
    }

    // A last line keeps its line end, or its lack of one.
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.SaveFormat, sfUNIX);
    Load(memo, "last\r\n");
    EXPECT_EQ(Saved(memo), QByteArray("last\n"));
    Load(memo, "last");
    EXPECT_EQ(Saved(memo), QByteArray("last"));
}

TEST(MemoFiles, ACrLfPairAcrossTheReadBlockStaysOneLineEnd)
{
    QByteArray text(8191, 'x');
    text += "\r\ny"; // CR is byte 8192, LF byte 8193
    TCustomSyntaxMemo memo;
    Load(memo, text);
    EXPECT_EQ(memo.GetText(), text.toStdString());
    memo.SaveFormat = sfUNIX;
    EXPECT_EQ(Saved(memo), QByteArray(8191, 'x') + "\ny");
}

TEST(MemoFiles, BytesSurviveAndControlCharactersBecomeDots)
{
    QByteArray high;
    for (int c = 0x80; c <= 0xFF; ++c)
        high += char(c);
    struct Case {
        QByteArray in;
        QByteArray out;
    };
    const Case cases[] = {
        {"caf\xc3\xa9 \xe2\x82\xac\n\xf0\x9f\x98\x80 end\n", "caf\xc3\xa9 \xe2\x82\xac\n\xf0\x9f\x98\x80 end\n"},
        {high + "\n" + high, high + "\n" + high},
        {QByteArray("a\0b\x01\tc\x1f\n\x7f", 9), QByteArray("a.b.\tc.\n\x7f", 9)},
    };
    for (const Case& c : cases) {
        TCustomSyntaxMemo memo;
        Load(memo, c.in);
        EXPECT_EQ(Saved(memo), c.out);
    }
}

TEST(MemoFiles, AnEmptyDocumentSavesNothing)
{
    TCustomSyntaxMemo memo;
    memo.ReplaceSelectionText("x");
    memo.SetSelection(-1, 0);
    memo.ClearSelection();
    ASSERT_TRUE(memo.Modified());
    TShortStream stream(0, 100); // would refuse every byte
    memo.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_FALSE(memo.Modified());
}

TEST(MemoFiles, AShortWriteIsRetriedFromTheStartAndFailsWhole)
{
    TCustomSyntaxMemo memo;
    Load(memo, "first\nsecond\n");
    memo.ReplaceSelectionText(">");
    ASSERT_TRUE(memo.Modified());

    // Always short: four attempts, then the error; nothing doubled, text and undo kept.
    TShortStream failing(4, 100);
    failing.WriteBuffer("HEAD", 4);
    failing.Writes = 0;
    try {
        memo.SaveToStream(failing);
        ADD_FAILURE() << "no exception";
    } catch (const EFileSaveError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Could not save text to stream"));
    }
    EXPECT_EQ(failing.Writes, 4);
    EXPECT_EQ(Contents(failing), QByteArray("HEAD>fir"));
    EXPECT_TRUE(memo.Modified());
    EXPECT_TRUE(memo.CanUndo());
    EXPECT_EQ(memo.GetText(), ">first\r\nsecond\r\n");

    // Short once: the retry writes one whole copy from the start position.
    TShortStream once(4, 2); // the head, then one short attempt
    once.WriteBuffer("HEAD", 4);
    memo.SaveToStream(once);
    EXPECT_EQ(once.Writes, 3);
    EXPECT_EQ(Contents(once), QByteArray("HEAD>first\nsecond\n"));
    EXPECT_FALSE(memo.Modified());
    EXPECT_FALSE(memo.CanUndo());

    try {
        memo.SaveToStream(static_cast<TStream*>(nullptr));
        ADD_FAILURE() << "no exception";
    } catch (const EFileSaveError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Bad TStream instance"));
    }
}

TEST(MemoFiles, FilesLoadAndSaveWhole)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("page.html"));
    WriteFile(name, "<p>\r\nold</p>\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), 0640), 0);

    TCustomSyntaxMemo memo;
    memo.LoadFromFile(name);
    EXPECT_EQ(memo.GetText(), "<p>\r\nold</p>\r\n");
    EXPECT_EQ(memo.Title, name);
    memo.SetSelection(4, 7);
    memo.ReplaceSelectionText("new");
    memo.SaveToFile(name);
    EXPECT_EQ(FileBytes(name), QByteArray("<p>\nnew</p>\n"));
    EXPECT_FALSE(memo.Modified());
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_EQ(memo.SelStart(), 7);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(name).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Through a symbolic link: the file it names changes, the link stays.
    const QString link = dir.filePath(QStringLiteral("link.html"));
    ASSERT_EQ(::symlink("page.html", QFile::encodeName(link).constData()), 0);
    memo.ReplaceSelectionText("!");
    memo.SaveToFile(link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(FileBytes(name), QByteArray("<p>\nnew!</p>\n"));
    EXPECT_EQ(memo.Title, link);

    // A missing file: its own text, and the document stays.
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    try {
        memo.LoadFromFile(missing);
        ADD_FAILURE() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("File '%1' cannot be opened for reading").arg(missing));
    }
    EXPECT_EQ(memo.GetText(), "<p>\r\nnew!</p>\r\n");
}

TEST(MemoFiles, ASaveThatFailsMidwayLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("big.txt"));
    const QByteArray old = "the old content\n";
    WriteFile(name, old);
    TCustomSyntaxMemo memo;
    memo.ReplaceSelectionText(std::string(100000, 'z'));

    // Files may not grow past 4096 bytes: the write of the new file fails half way.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        memo.SaveToFile(name);
        ADD_FAILURE() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(name))) << e.Message.toStdString();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(FileBytes(name), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("big.txt")}); // no leftovers
    EXPECT_TRUE(memo.Modified());
    EXPECT_TRUE(memo.CanUndo());
}
