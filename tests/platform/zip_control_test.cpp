// The zip control: what an archive holds as python's zipfile reads it back, the events and their
// thread, abort and failures that leave an earlier archive alone, and the input gate of the wait.
#include "platform/system/name_encoding.h"
#include "platform/zip/busy_loop.h"
#include "platform/zip/zip_control.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cstring>
#include <stdexcept>

namespace {

// Each entry of the archive as "<name bytes in hex> <size> <content's first bytes>", then
// "comment <text>", as /usr/bin/python3's zipfile reads it (its CRC check included).
QStringList ReadBack(const QString& archive)
{
    const char* script = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
for i in z.infolist():
    raw = i.filename.encode('utf-8' if i.flag_bits & 0x800 else 'cp437')
    print(raw.hex(), i.file_size, z.read(i)[:8].decode('latin-1'))
print('comment', z.comment.decode())
)";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, archive});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QString::fromLatin1(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QString Entry(const QByteArray& name, int size, const QByteArray& start)
{
    return QString("%1 %2 %3")
        .arg(QString::fromLatin1(name.toHex()))
        .arg(size)
        .arg(QString::fromLatin1(start));
}

void SetUpControl(TZipControl& zip, const TTempTree& tree, const QString& archive)
{
    zip.ZipFilename = tree.Path(archive);
    zip.BasePath = tree.Path("base") + "/";
    zip.FilesToProcess = "*.*";
    zip.ProcessSubfolders = true;
    zip.PreservePaths = true;
    zip.UseTempFile = true;
}

TEST(ZipControl, PacksFilesRelativeByteForByteWithoutLinksAndWithTheComment)
{
    TTempTree tree;
    const QByteArray latin1Name = "caf\xE9.txt"; // not UTF-8
    tree.File("base/readme", "no dot");
    tree.File("base/sub/b.txt", "bravo");
    tree.File("base/sub/deeper/c.bin", QByteArray(70000, 'c'));
    tree.File("base/" + DecodeName(latin1Name), "latin");
    tree.File("base/sub/\xC3\xBC.txt", "utf8"); // ü, valid UTF-8
    tree.Folder("base/empty");
    tree.Folder("base/only-folders/nested");
    tree.File("outside/secret.txt", "secret");
    tree.Link("base/link.txt", "readme");
    tree.Link("base/linked-folder", tree.Path("outside"));

    TZipControl zip;
    SetUpControl(zip, tree, "site.zip");
    zip.OnZipComment = [](TObject*, QString& comment) {
        comment = "Archived Site: 127.0.0.1, Folder: /x/ with Tarnwick Halyard FTP 5.2";
    };
    const int code = zip.Zip();
    ASSERT_EQ(code, 0) << zip.ErrorDescription(0, code).toStdString();

    EXPECT_EQ(ReadBack(tree.Path("site.zip")),
              (QStringList{Entry(latin1Name, 5, "latin"), Entry("readme", 6, "no dot"),
                           Entry("sub/b.txt", 5, "bravo"), Entry("sub/deeper/c.bin", 70000, "cccccccc"),
                           Entry("sub/\xC3\xBC.txt", 4, "utf8"),
                           "comment Archived Site: 127.0.0.1, Folder: /x/ with Tarnwick Halyard FTP 5.2"}));
    EXPECT_EQ(QDir(tree.Path()).entryList(QDir::Files), QStringList{"site.zip"});
}

TEST(ZipControl, OptionsNarrowWhatIsPacked)
{
    TTempTree tree;
    tree.File("base/a.txt", "a");
    tree.File("base/b.log", "b");
    tree.File("base/sub/c.txt", "c");

    TZipControl zip;
    SetUpControl(zip, tree, "flat.zip");
    zip.FilesToProcess = "*.txt";
    zip.PreservePaths = false;
    ASSERT_EQ(zip.Zip(), 0);
    EXPECT_EQ(ReadBack(tree.Path("flat.zip")),
              (QStringList{Entry("a.txt", 1, "a"), Entry("c.txt", 1, "c"), "comment "}));

    SetUpControl(zip, tree, "top.zip");
    zip.ProcessSubfolders = false;
    ASSERT_EQ(zip.Zip(), 0);
    EXPECT_EQ(ReadBack(tree.Path("top.zip")),
              (QStringList{Entry("a.txt", 1, "a"), Entry("b.log", 1, "b"), "comment "}));
}

TEST(ZipControl, EventsComeOnTheGuiThreadInOrder)
{
    TTempTree tree;
    tree.File("base/one", QByteArray(3000, '1'));
    tree.File("base/two", "");

    TZipControl zip;
    SetUpControl(zip, tree, "events.zip");
    QStringList seen;
    bool offGuiThread = false;
    auto onGui = [&] { offGuiThread |= QThread::currentThread() != qApp->thread(); };
    zip.OnZipComment = [&](TObject*, QString&) { onGui(), seen << "comment"; };
    zip.OnFileStatus = [&](TObject* sender, const QString& name, qint64 bytes) {
        onGui();
        seen << QString("file %1 %2 op %3")
                    .arg(name)
                    .arg(bytes)
                    .arg(static_cast<TZipControl*>(sender)->CurrentOperation());
    };
    TZipGlobalStatus last;
    zip.OnGlobalStatus = [&](TObject*, const TZipGlobalStatus& status) { onGui(), last = status; };
    zip.OnProcessCompleted = [&](TObject* sender) {
        onGui();
        seen << QString("completed op %1").arg(static_cast<TZipControl*>(sender)->CurrentOperation());
    };

    ASSERT_EQ(zip.Zip(), 0);
    EXPECT_FALSE(offGuiThread);
    EXPECT_EQ(seen, (QStringList{"comment", "file one 0 op 3", "file one 3000 op 3", "file two 0 op 3",
                                 "file two 0 op 3", "completed op 0"}));
    EXPECT_EQ(last.FilesTotal, 2);
    EXPECT_EQ(last.FilesProcessed, 2);
    EXPECT_EQ(last.BytesTotal, 3000);
    EXPECT_EQ(last.BytesProcessed, 3000);
    EXPECT_EQ(last.BytesPercent, 100);
}

TEST(ZipControl, AbortFromGlobalStatusGives518AndKeepsTheEarlierArchive)
{
    TTempTree tree;
    for (const char* name : {"base/a", "base/b", "base/c", "base/d"})
        tree.File(name, QByteArray(300000, 'z'));
    const QByteArray earlier = "an earlier archive of the same day";
    tree.File("day.zip", earlier);

    TZipControl zip;
    SetUpControl(zip, tree, "day.zip");
    int completed = 0;
    zip.OnGlobalStatus = [&](TObject*, const TZipGlobalStatus&) { zip.Abort = true; };
    zip.OnProcessCompleted = [&](TObject*) { ++completed; };

    EXPECT_EQ(zip.Zip(), ZipResultCancelled);
    EXPECT_EQ(completed, 1);
    EXPECT_FALSE(zip.ErrorDescription(0, ZipResultCancelled).isEmpty());
    EXPECT_EQ(tree.Read("day.zip"), earlier);
    EXPECT_EQ(QDir(tree.Path()).entryList(QDir::Files), QStringList{"day.zip"}); // no temporary file left

    // The next call starts afresh.
    zip.OnGlobalStatus = nullptr;
    EXPECT_EQ(zip.Zip(), 0);
}

TEST(ZipControl, FailuresGiveACodeWithItsReasonAndLeaveTheEarlierArchive)
{
    struct Case {
        const char* what;
        const char* base;
        const char* archive;
        const char* reason;
    };
    const Case cases[] = {
        {"target folder missing", "base", "missing/out.zip", "Failure to create temporary file"},
        {"base folder missing", "nowhere", "out.zip", "nowhere"},
        {"only empty folders", "empty-tree", "out.zip", "No files"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTempTree tree(c.what);
        tree.File("base/a.txt", "a");
        tree.Folder("empty-tree/x/y");
        tree.File("out.zip", "earlier");

        TZipControl zip;
        SetUpControl(zip, tree, c.archive);
        zip.BasePath = tree.Path(c.base);
        const int code = zip.Zip();
        EXPECT_NE(code, 0);
        EXPECT_NE(code, ZipResultCancelled);
        EXPECT_TRUE(zip.ErrorDescription(0, code).contains(c.reason))
            << zip.ErrorDescription(0, code).toStdString();
        EXPECT_EQ(tree.Read("out.zip"), "earlier");
    }
    TZipControl zip;
    EXPECT_EQ(zip.ErrorDescription(0, 9), "No such file"); // a number alone: libzip's text
}

TEST(ZipControl, AnExceptionOfAHandlerStopsThePackingAndReachesTheCaller)
{
    TTempTree tree;
    tree.File("base/a", "a");
    tree.File("base/b", "b");
    tree.File("out.zip", "earlier");

    TZipControl zip;
    SetUpControl(zip, tree, "out.zip");
    zip.OnFileStatus = [](TObject*, const QString&, qint64) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(zip.Zip(), std::runtime_error);
    EXPECT_EQ(tree.Read("out.zip"), "earlier");
    EXPECT_EQ(zip.CurrentOperation(), zoNone);
}

// A window that counts the keys it receives.
class KeyWindow : public QWindow {
public:
    int Keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++Keys; }
};

TEST(ZipControl, WhileWaitingOnlyWindowsShownMeanwhileTakeInput)
{
    KeyWindow before;
    before.show();
    KeyWindow during;
    bool timerRan = false;
    {
        TBusyLoop loop;
        QTimer::singleShot(0, [&] {
            timerRan = true;
            during.show();
            for (QWindow* window : {static_cast<QWindow*>(&before), static_cast<QWindow*>(&during)}) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(window, &press);
            }
            loop.Quit();
        });
        loop.Run();
    }
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(before.Keys, 0);
    EXPECT_EQ(during.Keys, 1);

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&before, &press);
    EXPECT_EQ(before.Keys, 1); // the gate ends with the loop
}

} // namespace
