// The private temporary folder, exclusive temporary files, and the program's own folder.
#include "platform/system/files.h"
#include "platform/system/name_encoding.h"
#include "platform/system/program_folder.h"
#include "platform/system/temp_files.h"
#include "support/qt_printers.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets an environment variable for one scope.
class EnvScope {
public:
    EnvScope(const char* name, const QString& value) : name_(name)
    {
        const char* old = std::getenv(name);
        hadValue_ = old != nullptr;
        if (old)
            saved_ = old;
        setenv(name, EncodeName(value).constData(), 1);
    }
    ~EnvScope()
    {
        if (hadValue_)
            setenv(name_, saved_.constData(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool hadValue_ = false;
    QByteArray saved_;
};

QString NewFolder(const QString& name)
{
    const QString folder = testRunFolder() + "/temp-" + name;
    EXPECT_TRUE(CreateDir(folder));
    return folder;
}

QString SharedName(const QString& base)
{
    return base + "/tarnwick-halyard-" + QString::number(::geteuid());
}

// The folder's permission bits, or -1 when it is missing or a link.
int FolderMode(const QString& folder)
{
    struct stat st;
    if (::lstat(EncodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return -1;
    return int(st.st_mode & 07777);
}

// The temporary file name after number n in GetTempFileName's sequence.
QString TempName(const QString& folder, const QString& prefix, unsigned n)
{
    return folder + "/" + prefix + QString::number(n, 16).toUpper() + ".TMP";
}

unsigned NextUnique(unsigned n)
{
    n = (n + 1) & 0xFFFF;
    return n == 0 ? 1 : n;
}

} // namespace

TEST(TempFolder, IsAPrivateFolderPerUserInTheSystemTempFolder)
{
    const QString base = NewFolder("base");
    EnvScope tmpdir("TMPDIR", base + "/");
    const QString expected = SharedName(base) + "/";
    EXPECT_EQ(win::GetTempPath(), expected);
    EXPECT_EQ(FolderMode(SharedName(base)), 0700);
    ::chmod(EncodeName(SharedName(base)).constData(), 0755);
    EXPECT_EQ(win::GetTempPath(), expected);
    EXPECT_EQ(FolderMode(SharedName(base)), 0700);
}

TEST(TempFolder, RefusesPlantedLinksAndFoldersOthersControl)
{
    const QString target = NewFolder("target");
    struct Case {
        const char* what;
        std::function<void(const QString& base)> plant;
        bool otherOwner;
    };
    const Case cases[] = {
        {"link to a folder",
         [&](const QString& base) {
             ::symlink(EncodeName(target).constData(), EncodeName(SharedName(base)).constData());
         },
         false},
        {"dangling link",
         [&](const QString& base) { ::symlink("/nowhere", EncodeName(SharedName(base)).constData()); },
         false},
        {"plain file",
         [&](const QString& base) { ::close(::creat(EncodeName(SharedName(base)).constData(), 0600)); },
         false},
        {"another user's folder", [&](const QString& base) { CreateDir(SharedName(base)); }, true},
        {"a folder others may write to",
         [&](const QString& base) {
             ::mkdir(EncodeName(SharedName(base)).constData(), 0700);
             ::chmod(EncodeName(SharedName(base)).constData(), 01777);
         },
         false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString base = NewFolder("planted" + QString::number(index++));
        c.plant(base);
        EnvScope tmpdir("TMPDIR", base);
        const TTempOwnerCheck previous =
            c.otherOwner ? SetTempOwnerCheck([](unsigned) { return false; }) : TTempOwnerCheck();
        const QString folder = win::GetTempPath();
        ASSERT_TRUE(folder.startsWith(base + "/tarnwick-halyard-")) << folder.toStdString();
        EXPECT_NE(folder, SharedName(base) + "/");
        EXPECT_EQ(FolderMode(folder.chopped(1)), 0700);
        EXPECT_EQ(win::GetTempPath(), folder); // the same one for the rest of the run
        EXPECT_TRUE(QDir(target).isEmpty());
        if (c.otherOwner)
            SetTempOwnerCheck(previous);
    }
}

TEST(TempFiles, NamesUseThreePrefixCharactersAndAreCreatedEmptyAndPrivate)
{
    const QString folder = NewFolder("names");
    const QRegularExpression pattern("^" + QRegularExpression::escape(folder) +
                                     "/(HFT|~ED|htm)[0-9A-F]{1,4}\\.TMP$");
    for (const char* prefix : {"HFT", "~ED", "htmlPreview"}) {
        const QString name = win::GetTempFileName(folder + "/", prefix);
        EXPECT_TRUE(pattern.match(name).hasMatch()) << name.toStdString();
        struct stat st;
        ASSERT_EQ(::stat(EncodeName(name).constData(), &st), 0);
        EXPECT_EQ(st.st_size, 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    EXPECT_EQ(win::GetTempFileName(folder + "/missing", "HFT"), "");
}

TEST(TempFiles, NeverReuseAnExistingName)
{
    const QString folder = NewFolder("exclusive");
    const QString first = win::GetTempFileName(folder, "HFT");
    ASSERT_FALSE(first.isEmpty());
    bool ok = false;
    unsigned n = first.mid(folder.size() + 4).chopped(4).toUInt(&ok, 16);
    ASSERT_TRUE(ok);
    // The next three numbers are taken by files of somebody else, the fourth by a dangling link.
    QStringList planted;
    for (int i = 0; i < 3; ++i) {
        n = NextUnique(n);
        planted << TempName(folder, "HFT", n);
        QFile file(planted.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    n = NextUnique(n);
    const QByteArray target = EncodeName(folder + "/target");
    ASSERT_EQ(::symlink(target.constData(), EncodeName(TempName(folder, "HFT", n)).constData()), 0);

    EXPECT_EQ(win::GetTempFileName(folder, "HFT"), TempName(folder, "HFT", NextUnique(n)));
    EXPECT_FALSE(QFile::exists(folder + "/target"));
    for (const QString& name : planted) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "keep");
    }
}

TEST(ProgramFolder, IsTheDataHomeFolderAndIsMadeWhenMissing)
{
    const QString data = testRunFolder() + "/data-elsewhere";
    {
        EnvScope xdg("XDG_DATA_HOME", data);
        EXPECT_EQ(ProgramFolder(), data + "/tarnwick-halyard/");
        EXPECT_TRUE(DirectoryExists(data + "/tarnwick-halyard"));
    }
    const QString home = testRunFolder() + "/home";
    EnvScope homeScope("HOME", home);
    EnvScope xdg("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(ProgramFolder(), home + "/.local/share/tarnwick-halyard/");
    EXPECT_TRUE(DirectoryExists(home + "/.local/share/tarnwick-halyard"));
}
