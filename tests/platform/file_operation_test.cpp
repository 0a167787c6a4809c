// The shell's file operations on temporary trees: deleting without following links, the trash,
// "*" as a name and as "all entries", copying, moving, merging, replacing, renaming, questions
// and error messages.
#include "platform/shellapi/file_operation.h"

#include "support/qt_printers.h"
#include "support/scripted_prompts.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>

#include <cerrno>
#include <sys/stat.h>

using namespace win;

namespace {

TFileOpSource Entry(const QString& Path)
{
    return {Path, false};
}

int Operate(UINT Function, QList<TFileOpSource> Sources, const QString& Target = {},
            FILEOP_FLAGS Flags = FOF_NOCONFIRMATION | FOF_NOERRORUI, bool* Aborted = nullptr)
{
    TFileOperation op;
    op.Function = Function;
    op.Sources = std::move(Sources);
    op.Target = Target;
    op.Flags = Flags;
    const int result = RunFileOperation(op);
    if (Aborted)
        *Aborted = op.AnyOperationsAborted;
    return result;
}

// A NUL list as SHFILEOPSTRUCT takes it.
QString NameList(const QStringList& Names)
{
    return Names.join(QChar(0)) + QChar(0) + QChar(0);
}

} // namespace

TEST(FileOperation, DeleteRemovesTreesButNeverFollowsLinks)
{
    TTempTree tree;
    tree.File("outside/keep.txt");
    tree.File("doomed/a.txt");
    tree.File("doomed/sub/.hidden");
    tree.Link("doomed/sub/to-outside", tree.Path("outside"));
    tree.Link("link-to-outside", tree.Path("outside"));
    tree.File("plain.txt");

    EXPECT_EQ(Operate(FO_DELETE, {Entry(tree.Path("doomed")), Entry(tree.Path("link-to-outside")),
                                  Entry(tree.Path("plain.txt"))}),
              0);
    EXPECT_EQ(tree.List(), QStringList({"outside/", "outside/keep.txt"}));
}

TEST(FileOperation, WildcardsOnlyAsTheLastComponentMeanAllEntries)
{
    TTempTree tree;
    for (const char* name : {"*", "a*b", "?", "x.txt", ".hidden"})
        tree.File(QString("f/") + name);
    tree.File("f/sub/y.txt");

    // Given as entries, "*" and "?" are names like any other.
    EXPECT_EQ(Operate(FO_DELETE, {Entry(tree.Path("f/*")), Entry(tree.Path("f/?"))}), 0);
    EXPECT_EQ(tree.List("f"), QStringList({".hidden", "a*b", "sub/", "sub/y.txt", "x.txt"}));

    // In the shell's text form "*" and "*.*" as the last component are every entry; elsewhere
    // they stay part of the name.
    SHFILEOPSTRUCT literal;
    literal.wFunc = FO_DELETE;
    literal.pFrom = NameList({tree.Path("f/a*b")});
    literal.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI;
    EXPECT_EQ(SHFileOperation(literal), 0);
    EXPECT_EQ(tree.List("f"), QStringList({".hidden", "sub/", "sub/y.txt", "x.txt"}));

    SHFILEOPSTRUCT filesOnly = literal;
    filesOnly.pFrom = NameList({tree.Path("f/*.*")});
    filesOnly.fFlags |= FOF_FILESONLY;
    EXPECT_EQ(SHFileOperation(filesOnly), 0);
    EXPECT_EQ(tree.List("f"), QStringList({"sub/", "sub/y.txt"}));

    SHFILEOPSTRUCT all = literal;
    all.pFrom = NameList({tree.Path("f/*")});
    EXPECT_EQ(SHFileOperation(all), 0);
    EXPECT_TRUE(tree.Exists("f"));
    EXPECT_EQ(tree.List("f"), QStringList());
}

TEST(FileOperation, UndoableDeleteMovesIntoTheTrashWithItsRecord)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.File("work/report 100%.txt", "first");
    tree.Link("work/link", "/nonexistent/target");
    ASSERT_EQ(Operate(FO_DELETE, {Entry(tree.Path("work/report 100%.txt")), Entry(tree.Path("work/link"))},
                      {}, FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI),
              0);
    tree.File("work/report 100%.txt", "second");
    ASSERT_EQ(Operate(FO_DELETE, {Entry(tree.Path("work/report 100%.txt"))}, {},
                      FOF_ALLOWUNDO | FOF_NOCONFIRMATION),
              0);

    EXPECT_EQ(tree.List("work"), QStringList());
    EXPECT_EQ(tree.Read("data/Trash/files/report 100%.txt"), "first");
    EXPECT_EQ(tree.Read("data/Trash/files/report 100%.txt.2"), "second");
    EXPECT_TRUE(tree.IsLink("data/Trash/files/link"));
    const QString info = QString::fromUtf8(tree.Read("data/Trash/info/report 100%.txt.trashinfo"));
    const QString encoded =
        QString::fromLatin1(tree.Path("work/report 100%.txt").toUtf8().toPercentEncoding("/"));
    EXPECT_TRUE(QRegularExpression("^\\[Trash Info\\]\nPath=" + QRegularExpression::escape(encoded) +
                                   "\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                    .match(info)
                    .hasMatch())
        << info.toStdString();
    EXPECT_TRUE(tree.Exists("data/Trash/info/report 100%.txt.2.trashinfo"));
    EXPECT_TRUE(tree.Exists("data/Trash/info/link.trashinfo"));
}

TEST(FileOperation, DeleteAsksFirstUnlessToldNotTo)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.File("a.txt");
    tree.File("b.txt");
    const struct {
        FILEOP_FLAGS flags;
        QList<TFileOpSource> sources;
        QString question;
    } cases[] = {
        {0, {Entry(tree.Path("a.txt"))}, "Are you sure you want to permanently delete 'a.txt'?"},
        {FOF_ALLOWUNDO,
         {Entry(tree.Path("a.txt")), Entry(tree.Path("b.txt"))},
         "Are you sure you want to move these 2 items to the trash?"},
    };
    for (const auto& c : cases) {
        TScriptedPrompts prompts;
        prompts.Then([&](QDialog& Dialog) {
            EXPECT_EQ(static_cast<QMessageBox&>(Dialog).text(), c.question);
            ButtonOf(Dialog, "&No")->click();
        });
        bool aborted = false;
        EXPECT_EQ(Operate(FO_DELETE, c.sources, {}, c.flags, &aborted), ERROR_CANCELLED);
        EXPECT_TRUE(aborted);
        EXPECT_EQ(tree.List(), QStringList({"a.txt", "b.txt"}));
    }
    TScriptedPrompts prompts;
    prompts.Then(Click("&Yes"));
    EXPECT_EQ(Operate(FO_DELETE, {Entry(tree.Path("a.txt"))}, {}, 0), 0);
    EXPECT_EQ(tree.List(), QStringList({"b.txt"}));
}

TEST(FileOperation, CopyKeepsContentModesAndLinks)
{
    TTempTree tree;
    tree.File("src/tree/a.txt", "alpha");
    tree.File("src/tree/deep/b.bin", QByteArray("\0\1\2", 3));
    tree.Link("src/tree/rel-link", "deep/b.bin");
    QFile::setPermissions(tree.Path("src/tree/a.txt"), QFile::ReadOwner | QFile::ExeOwner);
    tree.File("src/single.txt", "one");
    tree.Folder("dst");

    // into an existing folder
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("src/tree")), Entry(tree.Path("src/single.txt"))},
                      tree.Path("dst")),
              0);
    EXPECT_EQ(tree.List("dst"), QStringList({"single.txt", "tree/", "tree/a.txt", "tree/deep/",
                                             "tree/deep/b.bin", "tree/rel-link"}));
    EXPECT_EQ(tree.Read("dst/tree/deep/b.bin"), QByteArray("\0\1\2", 3));
    EXPECT_TRUE(tree.IsLink("dst/tree/rel-link"));
    EXPECT_EQ(QFile::symLinkTarget(tree.Path("dst/tree/rel-link")), tree.Path("dst/tree/deep/b.bin"));
    EXPECT_EQ(QFile::permissions(tree.Path("dst/tree/a.txt")) & (QFile::WriteOwner | QFile::ExeOwner),
              QFile::ExeOwner);
    // a single source to a new name, several sources to a new folder
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("src/single.txt"))}, tree.Path("renamed.txt")), 0);
    EXPECT_EQ(tree.Read("renamed.txt"), "one");
    EXPECT_EQ(Operate(FO_COPY, {{tree.Path("src"), true}}, tree.Path("all")), 0);
    EXPECT_EQ(tree.List("all").size(), tree.List("src").size());
    // the source is kept
    EXPECT_EQ(tree.Read("src/tree/a.txt"), "alpha");
}

TEST(FileOperation, CopyOrMoveOntoItselfFails)
{
    TTempTree tree;
    tree.File("f/a.txt", "keep");
    const struct {
        UINT function;
        QString source;
        QString target;
    } cases[] = {
        {FO_COPY, "f", "f/inner"}, // a folder into its own subfolder would never end
        {FO_COPY, "f", "f"},       // a folder into itself
        {FO_COPY, "f/a.txt", "f"}, // a file onto itself: replacing it would delete it
        {FO_MOVE, "f/a.txt", "f/a.txt"},
    };
    tree.Folder("f/inner");
    for (const auto& c : cases) {
        EXPECT_EQ(Operate(c.function, {Entry(tree.Path(c.source))}, tree.Path(c.target)), EINVAL)
            << c.target.toStdString();
        EXPECT_EQ(tree.List(), QStringList({"f/", "f/a.txt", "f/inner/"}));
        EXPECT_EQ(tree.Read("f/a.txt"), "keep");
    }
}

TEST(FileOperation, MoveMergesFoldersAndAsksBeforeReplacing)
{
    TTempTree tree;
    tree.File("src/docs/new.txt", "new");
    tree.File("src/docs/same.txt", "from src");
    tree.File("src/docs/other.txt", "from src");
    tree.File("src/top.txt", "top");
    tree.File("dst/docs/same.txt", "from dst");
    tree.File("dst/docs/other.txt", "from dst");
    tree.File("dst/docs/old.txt", "old");

    TScriptedPrompts prompts;
    prompts.Then([](QDialog& Dialog) {
        EXPECT_TRUE(static_cast<QMessageBox&>(Dialog).text().contains("'other.txt'"));
        ButtonOf(Dialog, "&No")->click();
    });
    prompts.Then(Click("&Yes"));
    bool aborted = false;
    EXPECT_EQ(Operate(FO_MOVE, {Entry(tree.Path("src/docs")), Entry(tree.Path("src/top.txt"))},
                      tree.Path("dst"), FOF_NOERRORUI, &aborted),
              0);
    EXPECT_TRUE(aborted); // one file was kept
    EXPECT_EQ(tree.List("dst"), QStringList({"docs/", "docs/new.txt", "docs/old.txt", "docs/other.txt",
                                             "docs/same.txt", "top.txt"}));
    EXPECT_EQ(tree.Read("dst/docs/same.txt"), "from src");
    EXPECT_EQ(tree.Read("dst/docs/other.txt"), "from dst");
    // the folder holding the file that was not moved stays, with only that file
    EXPECT_EQ(tree.List("src"), QStringList({"docs/", "docs/other.txt"}));

    // Yes to All answers the rest; Cancel stops
    tree.File("a/1.txt", "a1");
    tree.File("a/2.txt", "a2");
    tree.File("b/1.txt");
    tree.File("b/2.txt");
    prompts.Then(Click("Yes to &All"));
    EXPECT_EQ(Operate(FO_COPY, {{tree.Path("a"), true}}, tree.Path("b"), FOF_NOERRORUI), 0);
    EXPECT_EQ(tree.Read("b/2.txt"), "a2");
    prompts.Then(Click("Cancel"));
    EXPECT_EQ(Operate(FO_COPY, {{tree.Path("a"), true}}, tree.Path("b"), FOF_NOERRORUI, &aborted),
              ERROR_CANCELLED);
    EXPECT_TRUE(aborted);

    // a file does not replace a folder
    tree.Folder("c/1.txt");
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("a/1.txt"))}, tree.Path("c")), EEXIST);
    EXPECT_EQ(tree.List("c"), QStringList({"1.txt/"}));
}

TEST(FileOperation, RenameNeverReplaces)
{
    TTempTree tree;
    tree.File("a.txt", "a");
    tree.File("b.txt", "b");
    EXPECT_EQ(Operate(FO_RENAME, {Entry(tree.Path("a.txt"))}, tree.Path("b.txt")), EEXIST);
    EXPECT_EQ(tree.Read("b.txt"), "b");
    EXPECT_EQ(Operate(FO_RENAME, {Entry(tree.Path("a.txt"))}, tree.Path("c.txt")), 0);
    EXPECT_EQ(tree.List(), QStringList({"b.txt", "c.txt"}));
    EXPECT_EQ(Operate(FO_RENAME, {Entry(tree.Path("b.txt")), Entry(tree.Path("c.txt"))}, tree.Path("d.txt")),
              EINVAL);
}

TEST(FileOperation, FailuresAreShownUnlessToldNot)
{
    TTempTree tree;
    EXPECT_EQ(Operate(FO_DELETE, {Entry(tree.Path("missing"))}), ENOENT);
    EXPECT_EQ(Operate(5, {Entry(tree.Path("missing"))}), EINVAL);
    EXPECT_EQ(Operate(FO_DELETE, {}), EINVAL);
    EXPECT_EQ(Operate(FO_DELETE, {Entry("/")}), EINVAL);

    TScriptedPrompts prompts;
    prompts.Then([&](QDialog& Dialog) {
        EXPECT_EQ(Dialog.windowTitle(), "Error");
        EXPECT_EQ(static_cast<QMessageBox&>(Dialog).text(),
                  "Cannot copy '" + tree.Path("missing") + "': No such file or directory.");
        ButtonOf(Dialog, "OK")->click();
    });
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("missing"))}, tree.Path("x"), FOF_NOCONFIRMATION), ENOENT);
}

TEST(FileOperation, ALinkToAFolderAsTargetIsThatFolder)
{
    TTempTree tree;
    tree.File("src/a.txt", "a");
    tree.File("src/b.txt", "b");
    tree.Folder("real");
    tree.Link("shortcut", tree.Path("real"));
    const struct {
        UINT function;
        QStringList sources;
        QStringList arrived;
    } cases[] = {
        {FO_COPY, {"src/a.txt"}, {"a.txt"}},
        {FO_COPY, {"src/a.txt", "src/b.txt"}, {"a.txt", "b.txt"}},
        {FO_MOVE, {"src/a.txt"}, {"a.txt"}},
    };
    for (const auto& c : cases) {
        QDir(tree.Path("real")).removeRecursively();
        tree.Folder("real");
        QList<TFileOpSource> sources;
        for (const QString& source : c.sources)
            sources += Entry(tree.Path(source));
        for (const QString& target : {tree.Path("shortcut"), tree.Path("shortcut") + "/"}) {
            EXPECT_EQ(Operate(c.function, sources, target), 0) << target.toStdString();
            EXPECT_TRUE(tree.IsLink("shortcut"));
            EXPECT_EQ(tree.List("real"), c.arrived);
            if (c.function == FO_MOVE)
                tree.File("src/a.txt", "a");
        }
    }
}

TEST(FileOperation, AFailedReplacementKeepsTheExistingFile)
{
    TTempTree tree;
    tree.Folder("src");
    ASSERT_EQ(::mkfifo(tree.Path("src/data").toUtf8().constData(), 0600), 0); // cannot be copied
    tree.File("dst/data", "precious");
    TScriptedPrompts prompts;
    prompts.Then(Click("&Yes"));
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("src/data"))}, tree.Path("dst"), FOF_NOERRORUI), ENOTSUP);
    EXPECT_EQ(Operate(FO_COPY, {Entry(tree.Path("src/data"))}, tree.Path("dst/data")), ENOTSUP);
    EXPECT_EQ(tree.List("dst"), QStringList({"data"}));
    EXPECT_EQ(tree.Read("dst/data"), "precious");

    // a replacement that works leaves nothing else behind
    tree.File("src/new", "new");
    tree.File("dst/new", "old");
    for (UINT function : {FO_COPY, FO_MOVE}) {
        EXPECT_EQ(Operate(function, {Entry(tree.Path("src/new"))}, tree.Path("dst")), 0);
        EXPECT_EQ(tree.List("dst"), QStringList({"data", "new"}));
        EXPECT_EQ(tree.Read("dst/new"), "new");
    }
    EXPECT_EQ(tree.List("src"), QStringList({"data"}));
}

TEST(FileOperation, TheTrashNeverReplacesWhatItHolds)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    // left in the trash without its record, as other programs sometimes leave entries
    tree.File("data/Trash/files/notes.txt", "trashed before");
    tree.Folder("data/Trash/info");
    tree.File("work/notes.txt", "now");
    EXPECT_EQ(Operate(FO_DELETE, {Entry(tree.Path("work/notes.txt"))}, {},
                      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI),
              0);
    EXPECT_EQ(tree.Read("data/Trash/files/notes.txt"), "trashed before");
    EXPECT_EQ(tree.Read("data/Trash/files/notes.txt.2"), "now");
    EXPECT_EQ(tree.List("data/Trash/info"), QStringList({"notes.txt.2.trashinfo"}));
}

TEST(FileOperation, AMoveBetweenFileSystemsThatFailsLeavesNoHalfCopy)
{
    TTempTree tree;
    TDataHomeScope dataHome(tree.Path("data"));
    tree.Folder("data");
    // A folder on another file system: the memory file system, where there is one.
    struct stat here, there;
    QByteArray other = "/dev/shm/hftp-test-XXXXXX";
    if (::stat(tree.Path().toUtf8().constData(), &here) != 0 || ::stat("/dev/shm", &there) != 0 ||
        here.st_dev == there.st_dev || !::mkdtemp(other.data()))
        GTEST_SKIP() << "no second file system to move between";
    const QString source = QString::fromUtf8(other) + "/folder";
    const struct TCleanUp {
        QString folder;
        ~TCleanUp() { QDir(folder).removeRecursively(); }
    } cleanUp{QString::fromUtf8(other)};
    ASSERT_TRUE(QDir().mkpath(source));
    QFile file(source + "/a.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::mkfifo((source + "/z-pipe").toUtf8().constData(), 0600), 0); // cannot be copied

    EXPECT_EQ(Operate(FO_MOVE, {Entry(source)}, tree.Path("moved")), ENOTSUP);
    EXPECT_EQ(Operate(FO_DELETE, {Entry(source)}, {}, FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI),
              ENOTSUP);
    EXPECT_EQ(tree.List(), QStringList({"data/", "data/Trash/", "data/Trash/files/", "data/Trash/info/"}));
    EXPECT_EQ(QDir(source).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList({"a.txt", "z-pipe"}));
}
